#include "tests/e2e/E2eRemoteTree.h"

#include <cstring>

namespace
{
const UINT kSendTimeoutMs = 5000;

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    DWORD_PTR value = 0;
    if (!::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &value))
        return false;
    result = static_cast<LRESULT>(value);
    return true;
}
} // namespace

CRemoteTree::CRemoteTree(HWND tree) : m_tree(tree)
{
    DWORD processId = 0;
    if (!tree || !::GetWindowThreadProcessId(tree, &processId))
        return;
    m_process =
        ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
                      FALSE, processId);
    if (!m_process)
        return;
    m_remote = static_cast<char*>(
        ::VirtualAllocEx(m_process, nullptr, sizeof(TVITEMA) + kTextChars, MEM_COMMIT, PAGE_READWRITE));
}

CRemoteTree::~CRemoteTree()
{
    if (m_remote)
        ::VirtualFreeEx(m_process, m_remote, 0, MEM_RELEASE);
    if (m_process)
        ::CloseHandle(m_process);
}

long CRemoteTree::Count() const
{
    LRESULT count = 0;
    return Send(m_tree, TVM_GETCOUNT, 0, 0, count) ? static_cast<long>(count) : -1;
}

HTREEITEM CRemoteTree::Next(HTREEITEM item, WPARAM relation) const
{
    LRESULT next = 0;
    if (!Send(m_tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item), next))
        return nullptr;
    return reinterpret_cast<HTREEITEM>(next);
}

bool CRemoteTree::ReadItem(HTREEITEM item, int depth, CRemoteTreeItem& out)
{
    char* remoteText = m_remote + sizeof(TVITEMA);
    TVITEMA request = {};
    request.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_IMAGE | TVIF_STATE | TVIF_CHILDREN;
    request.hItem = item;
    request.stateMask = TVIS_EXPANDED;
    request.pszText = remoteText;
    request.cchTextMax = static_cast<int>(kTextChars);
    SIZE_T moved = 0;
    const char empty = '\0';
    if (!::WriteProcessMemory(m_process, m_remote, &request, sizeof request, &moved) ||
        !::WriteProcessMemory(m_process, remoteText, &empty, 1, &moved))
        return false;
    LRESULT ok = 0;
    if (!Send(m_tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(m_remote), ok) || !ok)
        return false;
    TVITEMA answer = {};
    if (!::ReadProcessMemory(m_process, m_remote, &answer, sizeof answer, &moved))
        return false;
    // The control may point the text at its own storage instead of copying it into the buffer.
    std::string text(kTextChars, '\0');
    const char* source = answer.pszText ? answer.pszText : remoteText;
    if (!::ReadProcessMemory(m_process, source, &text[0], kTextChars, &moved))
    {
        // Its storage may be shorter than the buffer: read what lies within the text's page.
        SIZE_T available = 0x1000 - (reinterpret_cast<ULONG_PTR>(source) & 0xFFF);
        if (!::ReadProcessMemory(m_process, source, &text[0], available, &moved))
            return false;
    }
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    out.depth = depth;
    out.text = text;
    out.image = answer.iImage;
    out.expanded = (answer.state & TVIS_EXPANDED) != 0;
    out.hasChildren = answer.cChildren != 0;
    return true;
}

bool CRemoteTree::Walk(HTREEITEM first, int depth, std::vector<CRemoteTreeItem>& items)
{
    for (HTREEITEM item = first; item; item = Next(item, TVGN_NEXT))
    {
        CRemoteTreeItem read;
        if (!ReadItem(item, depth, read))
            return false;
        items.push_back(read);
        if (HTREEITEM child = Next(item, TVGN_CHILD))
        {
            if (!Walk(child, depth + 1, items))
                return false;
        }
    }
    return true;
}

bool CRemoteTree::ReadAll(std::vector<CRemoteTreeItem>& items)
{
    items.clear();
    if (!IsReady())
        return false;
    return Walk(Next(nullptr, TVGN_ROOT), 0, items);
}

int CRemoteTree::ItemHeight() const
{
    LRESULT height = 0;
    return Send(m_tree, TVM_GETITEMHEIGHT, 0, 0, height) ? static_cast<int>(height) : 0;
}

bool CRemoteTree::ReadLabelRect(HTREEITEM item, RECT& rect)
{
    // The control reads the item from the rectangle's first bytes and writes the rectangle over them.
    static_assert(sizeof(HTREEITEM) <= sizeof(RECT), "an item handle fits in a rectangle");
    RECT request = {};
    std::memcpy(&request, &item, sizeof item);
    SIZE_T moved = 0;
    if (!::WriteProcessMemory(m_process, m_remote, &request, sizeof request, &moved))
        return false;
    LRESULT ok = 0;
    if (!Send(m_tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(m_remote), ok) || !ok)
        return false;
    return ::ReadProcessMemory(m_process, m_remote, &rect, sizeof rect, &moved) != FALSE;
}

bool CRemoteTree::ReadRows(HTREEITEM first, int count, std::vector<CRemoteTreeRow>& rows)
{
    rows.clear();
    if (!IsReady())
        return false;
    for (HTREEITEM item = first; item && static_cast<int>(rows.size()) < count;
         item = Next(item, TVGN_NEXTVISIBLE))
    {
        CRemoteTreeRow row;
        row.item = item;
        CRemoteTreeItem shown;
        if (!ReadItem(item, 0, shown))
            return false;
        row.text = shown.text;
        // The control may answer in the middle of laying its items out again: a few more tries.
        bool read = false;
        for (int attempt = 0; attempt < 10 && !read; ++attempt)
        {
            read = ReadLabelRect(item, row.label);
            if (!read)
                ::Sleep(5);
        }
        if (!read)
            row.label = RECT{};
        rows.push_back(row);
    }
    return true;
}

long CRemoteTree::Distance(HTREEITEM from, HTREEITEM to, long limit) const
{
    long steps = 0;
    for (HTREEITEM item = from; item && steps <= limit; item = Next(item, TVGN_NEXTVISIBLE), ++steps)
    {
        if (item == to)
            return steps;
    }
    return -1;
}
