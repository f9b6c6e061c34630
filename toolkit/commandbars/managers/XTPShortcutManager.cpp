// CXTPShortcutManager: the tables and the translation of key messages (chords included).
#include "toolkit/commandbars/managers/XTPShortcutManager.h"

#include "framework/FrameWnd.h"
#include "framework/FrameworkIds.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/managers/XTPSystemQuery.h"
#include "toolkit/common/XTPResourceIds.h"
#include "toolkit/common/resources/XTPResourceManager.h"

#include <vector>

// ---- records and tables ----

CXTPShortcutManagerAccel::CXTPShortcutManagerAccel(CXTPShortcutManager* pManager, const ACCEL& accel)
    : XTP_SHORTCUTMANAGER_ACCEL(), m_pManager(pManager)
{
    cmd = accel.cmd;
    key[0].fVirt = accel.fVirt;
    key[0].key = accel.key;
}

CXTPShortcutManagerAccel::CXTPShortcutManagerAccel(CXTPShortcutManager* pManager,
                                                   const XTP_SHORTCUTMANAGER_ACCEL& record)
    : XTP_SHORTCUTMANAGER_ACCEL(record), m_pManager(pManager)
{
}

void CXTPShortcutManagerAccelTable::RemoveAll()
{
    // Emptied first: a release never finds a half-emptied table.
    std::vector<CXTPShortcutManagerAccel*> entries;
    for (INT_PTR i = 0; i < m_entries.GetSize(); ++i)
        entries.push_back(m_entries[i]);
    m_entries.RemoveAll();
    for (CXTPShortcutManagerAccel* pAccel : entries)
        pAccel->InternalRelease();
}

void CXTPShortcutManagerAccelTable::CopyFrom(const CXTPShortcutManagerAccelTable& other,
                                             CXTPShortcutManager* pManager)
{
    if (&other == this)
        return;
    RemoveAll();
    for (int i = 0; i < other.GetCount(); ++i)
        Add(new CXTPShortcutManagerAccel(pManager, other.GetAt(i)->Record()));
}

// ---- the manager ----

CXTPShortcutManager::CXTPShortcutManager(CXTPCommandBars* pCommandBars) : m_pCommandBars(pCommandBars)
{
    m_pKeyNameMap = new CMap<WORD, WORD, CString, LPCSTR>(10);
    m_pKeyNameMap->InitHashTable(17);
    static const struct
    {
        WORD nCode;
        const char* pszName;
    } kNames[] = {
        {1, "Left Button"}, {2, "Right Button"}, {3, "Ctrl+Break"}, {4, "Middle Button"}, {8, "Backspace"},
        {9, "Tab"}, {12, "Clear"}, {13, "Enter"}, {16, "Shift"}, {17, "Ctrl"}, {18, "Alt"}, {19, "Pause"},
        {20, "Caps Lock"}, {27, "Esc"}, {32, "Space"}, {33, "Page Up"}, {34, "Page Down"}, {35, "End"},
        {36, "Home"}, {37, "Left Arrow"}, {38, "Up Arrow"}, {39, "Right Arrow"}, {40, "Down Arrow"},
        {41, "Select"}, {42, "Print"}, {43, "Execute"}, {44, "Snapshot"}, {45, "Ins"}, {46, "Del"},
        {47, "Help"}, {91, "Win"}, {92, "Win"}, {93, "Application"}, {106, "Num *"}, {107, "Num +"},
        {108, "Separator"}, {109, "Num -"}, {110, "Num ."}, {111, "Num /"}, {144, "Num Lock"},
        {145, "Scrl Lock"}, {246, "Attn"}, {247, "Crsel"}, {248, "Exsel"}, {249, "Ereof"}, {250, "Play"},
        {251, "Zoom"}, {252, "No Name"}, {253, "Pa1"}, {254, "Oem Clear"},
    };
    for (const auto& entry : kNames)
        m_pKeyNameMap->SetAt(entry.nCode, entry.pszName);
    CString strName;
    for (WORD nCode = '0'; nCode <= '9'; ++nCode)
    {
        strName.Format("%c", static_cast<char>(nCode));
        m_pKeyNameMap->SetAt(nCode, strName);
        strName.Format("Num %c", static_cast<char>(nCode));
        m_pKeyNameMap->SetAt(static_cast<WORD>(VK_NUMPAD0 + (nCode - '0')), strName);
    }
    for (WORD nCode = 'A'; nCode <= 'Z'; ++nCode)
    {
        strName.Format("%c", static_cast<char>(nCode));
        m_pKeyNameMap->SetAt(nCode, strName);
    }
    for (WORD n = 1; n <= 12; ++n)
    {
        strName.Format("F%u", static_cast<unsigned>(n));
        m_pKeyNameMap->SetAt(static_cast<WORD>(VK_F1 + n - 1), strName);
    }
}

CXTPShortcutManager::~CXTPShortcutManager()
{
    m_accels.RemoveAll();
    delete m_pDefaultAccels;
    delete m_pKeyNameMap;
}

void CXTPShortcutManager::AddRecord(const XTP_SHORTCUTMANAGER_ACCEL& record)
{
    m_accels.Add(new CXTPShortcutManagerAccel(this, record));
}

void CXTPShortcutManager::SetAccelerators(const ACCEL* pAccels, int nCount)
{
    m_accels.RemoveAll();
    for (int i = 0; pAccels && i < nCount; ++i)
        m_accels.Add(new CXTPShortcutManagerAccel(this, pAccels[i]));
}

void CXTPShortcutManager::SetAccelerators(const XTP_SHORTCUTMANAGER_ACCEL* pRecords, int nCount)
{
    m_accels.RemoveAll();
    for (int i = 0; pRecords && i < nCount; ++i)
        AddRecord(pRecords[i]);
}

void CXTPShortcutManager::SetDefaultAccelerators()
{
    if (!m_pDefaultAccels)
        m_pDefaultAccels = new CXTPShortcutManagerAccelTable();
    m_pDefaultAccels->CopyFrom(m_accels, this);
}

void CXTPShortcutManager::Reset()
{
    if (m_pDefaultAccels)
        m_accels.CopyFrom(*m_pDefaultAccels, this);
}

BOOL CXTPShortcutManager::IsShortcutAllowed(const XTP_SHORTCUTMANAGER_ACCEL& record) const
{
    const XTP_SHORTCUTMANAGER_ACCEL::KEY& first = record.key[0];
    const BOOL bPlainEscape = first.key == VK_ESCAPE && (first.fVirt & FVIRTKEY) != 0 &&
                              (first.fVirt & (FSHIFT | FCONTROL | FALT)) == 0;
    return !(bPlainEscape && !m_bAllowEscapeShortcut);
}

void CXTPShortcutManager::DisableShortcuts(BOOL bDisable)
{
    if (bDisable)
        ++m_nDisableShortcuts;
    else if (m_nDisableShortcuts > 0)
        --m_nDisableShortcuts;
}

// ---- matching ----

BYTE CXTPShortcutManager::GetCurrentModifiers()
{
    auto down = [](int nKey) { return (::GetKeyState(nKey) & 0x8000) != 0; };
    BOOL bCtrl, bAlt;
    if (down(VK_RMENU) && down(VK_LCONTROL))
    {
        // AltGr arrives as left Ctrl with right Alt: only a really pressed right Ctrl or left Alt
        // counts as Ctrl or Alt.
        bCtrl = down(VK_RCONTROL);
        bAlt = down(VK_LMENU);
    }
    else
    {
        bCtrl = down(VK_CONTROL);
        bAlt = down(VK_MENU);
    }
    BYTE fModifiers = 0;
    if (bCtrl)
        fModifiers |= FCONTROL;
    if (bAlt)
        fModifiers |= FALT;
    if (down(VK_SHIFT))
        fModifiers |= FSHIFT;
    return fModifiers;
}

BOOL CXTPShortcutManager::KeyMatches(const XTP_SHORTCUTMANAGER_ACCEL::KEY& key, const MSG& msg, BYTE fModifiers)
{
    if (key.key == 0 || static_cast<WPARAM>(key.key) != msg.wParam)
        return FALSE;
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)
    {
        if ((key.fVirt & FVIRTKEY) == 0)
            return FALSE;
        if ((key.fVirt & (FSHIFT | FCONTROL)) != (fModifiers & (FSHIFT | FCONTROL)))
            return FALSE;
    }
    else if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR)
    {
        if ((key.fVirt & FVIRTKEY) != 0)
            return FALSE;
    }
    else
    {
        return FALSE;
    }
    return (key.fVirt & FALT) == (fModifiers & FALT);
}

BOOL CXTPShortcutManager::TranslateAccelerator(MSG* pMsg)
{
    if (!pMsg || !m_pCommandBars || m_pCommandBars->IsCustomizeMode() || m_nDisableShortcuts > 0 ||
        m_accels.GetCount() == 0)
        return FALSE;
    if (pMsg->message != WM_KEYDOWN && pMsg->message != WM_CHAR && pMsg->message != WM_SYSKEYDOWN &&
        pMsg->message != WM_SYSCHAR)
        return FALSE;

    const BYTE fModifiers = GetCurrentModifiers();
    const CXTPShortcutManagerAccel* pFound = nullptr;
    for (int i = 0; i < m_accels.GetCount() && !pFound; ++i)
    {
        if (KeyMatches(m_accels.GetAt(i)->key[0], *pMsg, fModifiers))
            pFound = m_accels.GetAt(i);
    }
    if (!pFound)
        return FALSE;

    // The key is the shortcut's from here on, whether or not a command can be sent.
    const HWND hWndSite = m_pCommandBars->GetSite() ? m_pCommandBars->GetSite()->GetSafeHwnd() : nullptr;
    if (!hWndSite || !::IsWindowEnabled(hWndSite) || (m_bIgnoreWhileCaptured && ::GetCapture()) ||
        ::IsIconic(hWndSite) || pFound->cmd == 0)
        return TRUE;

    int nCmd = pFound->cmd;
    if (pFound->key[1].key != 0)
    {
        const XTP_SHORTCUTMANAGER_ACCEL::KEY first = pFound->key[0];
        // The wait dispatches messages: the table, the manager and the site may change meanwhile.
        InternalAddRef();
        const BOOL bMatched = WaitForSecondKey(hWndSite, first, nCmd);
        InternalRelease();
        if (!bMatched || nCmd == 0 || !::IsWindow(hWndSite))
            return TRUE;
    }
    ::SendMessageA(hWndSite, WM_COMMAND, static_cast<WPARAM>(static_cast<UINT>(nCmd)), 0);
    return TRUE;
}

BOOL CXTPShortcutManager::WaitForSecondKey(HWND hWndSite, const XTP_SHORTCUTMANAGER_ACCEL::KEY& first, int& nCmd)
{
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(hWndSite));
    if (pFrame)
    {
        XTP_SHORTCUTMANAGER_ACCEL record = {};
        record.key[0] = first;
        CString strText;
        strText.Format(GetResourceManager()->LoadString(IDS_TK_WAITING_FOR_CHORD),
                       static_cast<LPCSTR>(CKeyHelper(record, this).FormatKey(0)));
        pFrame->SetMessageText(strText);
    }

    ++m_nDisableShortcuts;
    ::SetCapture(hWndSite);

    BOOL bMatched = FALSE;
    BOOL bQuit = FALSE;
    WPARAM nQuitCode = 0;
    while (::GetCapture() == hWndSite)
    {
        MSG msg = {};
        const BOOL bGot = ::GetMessageA(&msg, nullptr, 0, 0);
        if (bGot == 0)
        {
            // WM_QUIT belongs to the loop outside: it gets it again with its code.
            bQuit = TRUE;
            nQuitCode = msg.wParam;
            break;
        }
        if (bGot == -1)
            break;
        if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)
        {
            if (msg.wParam >= VK_SHIFT && msg.wParam <= VK_MENU)
                continue; // a modifier on its way to the second key
            const BYTE fModifiers = GetCurrentModifiers();
            for (int i = 0; i < m_accels.GetCount(); ++i)
            {
                const CXTPShortcutManagerAccel* pAccel = m_accels.GetAt(i);
                if (pAccel->key[0].fVirt == first.fVirt && pAccel->key[0].key == first.key &&
                    KeyMatches(pAccel->key[1], msg, fModifiers))
                {
                    nCmd = pAccel->cmd;
                    bMatched = TRUE;
                    break;
                }
            }
            if (!bMatched)
                GetCommandBarsSystemQuery()->MessageBeep(MB_ICONEXCLAMATION);
            break;
        }
        ::DispatchMessageA(&msg);
        if (msg.message == WM_ACTIVATE || msg.message == WM_CLOSE || msg.message == WM_NCACTIVATE ||
            msg.message == WM_COMMAND || msg.message == WM_SYSCOMMAND || msg.message == WM_LBUTTONDOWN)
            break;
        if (!::IsWindow(hWndSite))
            break;
    }

    if (::IsWindow(hWndSite) && ::GetCapture() == hWndSite)
        ::ReleaseCapture();
    --m_nDisableShortcuts;
    if (::IsWindow(hWndSite))
    {
        pFrame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(hWndSite));
        if (pFrame)
            pFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    }
    if (bQuit)
        ::PostQuitMessage(static_cast<int>(nQuitCode));
    return bMatched;
}

// ---- shortcut texts of commands ----

BOOL CXTPShortcutManager::FindDefaultAccelerator(int nCmd, CString& strText)
{
    std::vector<XTP_SHORTCUTMANAGER_ACCEL> candidates;
    if (m_accels.GetCount() > 0 || m_pDefaultAccels)
    {
        for (int i = 0; i < m_accels.GetCount(); ++i)
        {
            if (m_accels.GetAt(i)->cmd == nCmd)
                candidates.push_back(m_accels.GetAt(i)->Record());
        }
    }
    else if (m_pCommandBars)
    {
        CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, m_pCommandBars->GetSite());
        HACCEL hAccel = pFrame ? pFrame->GetDefaultAccelerator() : nullptr;
        const int nCount = hAccel ? ::CopyAcceleratorTableA(hAccel, nullptr, 0) : 0;
        if (nCount > 0)
        {
            std::vector<ACCEL> accels(static_cast<size_t>(nCount));
            const int nCopied = ::CopyAcceleratorTableA(hAccel, accels.data(), nCount);
            for (int i = 0; i < nCopied; ++i)
            {
                if (accels[static_cast<size_t>(i)].cmd == static_cast<WORD>(nCmd))
                {
                    const ACCEL& accel = accels[static_cast<size_t>(i)];
                    XTP_SHORTCUTMANAGER_ACCEL record = {};
                    record.cmd = accel.cmd;
                    record.key[0].fVirt = accel.fVirt;
                    record.key[0].key = accel.key;
                    candidates.push_back(record);
                }
            }
        }
    }

    CString strBest;
    int nBestPriority = 0;
    for (const XTP_SHORTCUTMANAGER_ACCEL& record : candidates)
    {
        int nPriority = 0;
        const CString strCandidate = Format(record, &nPriority);
        if (strCandidate == strText)
            return TRUE;
        if (nPriority > nBestPriority)
        {
            nBestPriority = nPriority;
            strBest = strCandidate;
        }
    }
    strText = strBest;
    return !candidates.empty();
}
