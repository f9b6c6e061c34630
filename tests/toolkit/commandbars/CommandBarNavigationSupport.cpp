#include "CommandBarNavigationSupport.h"

#include "toolkit/commandbars/XTPCommandBarsIds.h"
#include "toolkit/commandbars/controls/XTPControls.h"

#include <cstring>

namespace cb_nav
{
SiteWindow::SiteWindow(RECT rc, DWORD dwExStyle, bool bVisible)
    : RecordingWindow(WS_POPUP | WS_CLIPCHILDREN | (bVisible ? WS_VISIBLE : 0), rc, nullptr, dwExStyle)
{
    m_filter = [this](const MSG& m, LRESULT& lResult) -> BOOL {
        if (m.message == XTP_WM_TRACKINGKEY && m_onBarKey)
            m_onBarKey(static_cast<UINT>(*reinterpret_cast<const WPARAM*>(m.wParam)));
        if (m.message != WM_SYSCOMMAND)
            return FALSE;
        lResult = 0; // the test site opens no system menu
        return TRUE;
    };
}

const MSG* SiteWindow::Find(UINT message, int nIndex) const
{
    for (const MSG& m : m_log)
    {
        if (m.message == message && nIndex-- == 0)
            return &m;
    }
    return nullptr;
}

int SiteWindow::CommandCount(WPARAM nId) const
{
    int n = 0;
    for (const MSG& m : m_log)
        n += (m.message == WM_COMMAND && LOWORD(m.wParam) == nId) ? 1 : 0;
    return n;
}

void NavBar::AddButtons(std::initializer_list<const char*> captions)
{
    int nId = 101 + GetControls()->GetCount();
    for (const char* caption : captions)
    {
        CXTPControl* pControl = nullptr;
        if (caption[0] == '>')
        {
            pControl = GetControls()->Add(new PopupControl(), nId++);
            ++caption;
        }
        else
            pControl = GetControls()->Add(new CXTPControlButton(), nId++);
        pControl->SetCaption(caption);
    }
}

void NavBar::LayOut(int nPerRow)
{
    const int nCount = GetControls()->GetCount();
    for (int i = 0; i < nCount; ++i)
    {
        const int nRow = nPerRow > 0 ? i / nPerRow : 0;
        const int nColumn = nPerRow > 0 ? i % nPerRow : i;
        CXTPControl* pControl = GetControls()->GetAt(i);
        pControl->SetRect(CRect(2 + nColumn * 40, 2 + nRow * 20, 2 + (nColumn + 1) * 40, 2 + (nRow + 1) * 20));
        pControl->SetRowRect(CRect(2, 2 + nRow * 20, 2 + 40 * (nPerRow > 0 ? nPerRow : nCount), 2 + (nRow + 1) * 20));
    }
}

BOOL NavBar::CreateIn(HWND hWndParent, RECT rc, DWORD dwExStyle)
{
    LPCSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return CreateEx(dwExStyle, lpszClass, "bar", WS_CHILD | WS_VISIBLE, rc.left, rc.top, rc.right - rc.left,
                    rc.bottom - rc.top, hWndParent, nullptr);
}

ModifierState::ModifierState(bool bShift, bool bCtrl)
{
    GetKeyboardState(m_saved);
    BYTE state[256];
    std::memcpy(state, m_saved, sizeof(state));
    state[VK_SHIFT] = state[VK_LSHIFT] = bShift ? 0x80 : 0;
    state[VK_CONTROL] = state[VK_LCONTROL] = bCtrl ? 0x80 : 0;
    state[VK_RSHIFT] = state[VK_RCONTROL] = 0;
    SetKeyboardState(state);
}

ModifierState::~ModifierState()
{
    SetKeyboardState(m_saved);
}
} // namespace cb_nav
