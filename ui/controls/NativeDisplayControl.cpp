#include "ui/controls/NativeDisplayControl.h"

#include "foundation/PathUtilities.h"
#include "framework/FrameworkIds.h"
#include "framework/Exceptions.h"
#include "framework/MessageMap.h"
#include "toolkit/commandbars/bars/XTPToolBar.h"
#include "toolkit/commandbars/controls/XTPCommandBarEditCtrl.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "ui/controls/ControlTextFromResource.h"
#include "ui/controls/DrawingUtilities.h"
#include "ui/controls/ImageListUtilities.h"
#include "ui/controls/TextDrawingUtilities.h"

BEGIN_MESSAGE_MAP(CNativeDisplayControl, CWnd)
ON_WM_PAINT()
ON_WM_NCPAINT()
ON_MESSAGE(WM_GETFONT, OnGetFont)
ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

CNativeDisplayControl::CNativeDisplayControl()
{
    SetBorder(true);
}

CNativeDisplayControl::~CNativeDisplayControl()
{
    RemoveAllTabChildren();
    ReleaseCommandBars();
    if (m_hWnd && ::IsWindow(m_hWnd))
        DestroyWindow();
    m_offScreen.Release();
}

BOOL CNativeDisplayControl::PreTranslateMessage(MSG* pMsg)
{
    if (!pMsg)
        return FALSE;
    // A key for an edit box on a command bar (Tab, Enter and Escape excepted) is the box's: the control's
    // own handling leaves it alone.
    bool forBarEdit = false;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= 0x109 && pMsg->wParam != VK_TAB &&
        pMsg->wParam != VK_RETURN && pMsg->wParam != VK_ESCAPE)
    {
        CWnd* focus = CWnd::FromHandlePermanent(::GetFocus());
        forBarEdit = focus && focus->IsKindOf(RUNTIME_CLASS(CXTPCommandBarEditCtrl));
    }
    if (m_commandBars && m_commandBars->PreTranslateFrameMessage(pMsg))
        return TRUE;
    if (forBarEdit)
        return FALSE;
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB)
    {
        HWND focus = ::GetFocus();
        CWnd* next = GetNextTabChild(focus ? CWnd::FromHandle(focus) : nullptr, IsShiftKeyDown());
        if (next && next->m_hWnd && next->m_hWnd != focus)
            next->SetFocus();
    }
    return CWnd::PreTranslateMessage(pMsg);
}

BOOL CNativeDisplayControl::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (m_commandBars && m_commandBars->OnFrameWndMsg(message, wParam, lParam, pResult))
        return TRUE;
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

LRESULT CNativeDisplayControl::OnKickIdle(WPARAM, LPARAM)
{
    if (m_commandBars)
        m_commandBars->UpdateCommandBars();
    return 0;
}

LRESULT CNativeDisplayControl::OnGetFont(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(m_font.GetSafeHandle());
}

bool CNativeDisplayControl::Redraw()
{
    if (!m_hWnd)
        return false;
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    ::RedrawWindow(m_hWnd, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    return true;
}

bool CNativeDisplayControl::CreateControl(CWnd* parent, UINT id)
{
    if (!parent || !parent->m_hWnd)
        return false;
    m_parent = parent;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP;
    if (HasBorder())
        style |= WS_BORDER;
    RECT empty = {0, 0, 0, 0};
    if (!CWnd::Create(AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW)), "", style, empty, parent,
                      id))
        return false;
    CreateDefaultFont();
    m_offScreen.SetWindow(m_hWnd);
    return true;
}

bool CNativeDisplayControl::AddStyleBit()
{
    if (!m_hWnd)
        return false;
    ::SetWindowLongA(m_hWnd, GWL_STYLE, ::GetWindowLongA(m_hWnd, GWL_STYLE) | kExtraStyleBit);
    return true;
}

bool CNativeDisplayControl::FitToParent()
{
    if (!m_parent || !m_parent->m_hWnd || !m_hWnd)
        return false;
    RECT client;
    ::GetClientRect(m_parent->m_hWnd, &client);
    ::MoveWindow(m_hWnd, client.left, client.top, client.right - client.left, client.bottom - client.top, TRUE);
    RepositionBars();
    return true;
}

void CNativeDisplayControl::RefreshWindow(CWnd* window)
{
    if (!window || !window->m_hWnd || !::IsWindowVisible(window->m_hWnd))
        return;
    ::InvalidateRect(window->m_hWnd, nullptr, TRUE);
    ::UpdateWindow(window->m_hWnd);
}

void CNativeDisplayControl::GetDrawRect(RECT* rect)
{
    if (!rect)
        return;
    ::SetRectEmpty(rect);
    if (m_hWnd)
        ::GetClientRect(m_hWnd, rect);
    HWND bar = m_toolBar ? m_toolBar->GetSafeHwnd() : nullptr;
    if (bar && ::IsWindowVisible(bar))
    {
        RECT barRect;
        ::GetWindowRect(bar, &barRect);
        if (!::IsRectEmpty(&barRect))
            rect->top += barRect.bottom - barRect.top;
    }
}

void CNativeDisplayControl::GetContentExtent(RECT* rect)
{
    if (!rect)
        return;
    RECT draw;
    GetDrawRect(&draw);
    rect->left = draw.left + 12;
    rect->right = draw.right - 12;
}

void CNativeDisplayControl::ReleaseCommandBars()
{
    m_toolBar = nullptr;
    if (CXTPCommandBars* commandBars = m_commandBars)
    {
        m_commandBars = nullptr;
        commandBars->InternalRelease();
    }
}

int CNativeDisplayControl::CreateCommandBars(CRuntimeClass* runtimeClass)
{
    ReleaseCommandBars();
    if (!m_hWnd)
        return 0;
    if (!runtimeClass)
        runtimeClass = RUNTIME_CLASS(CXTPCommandBars);
    CObject* object = runtimeClass->CreateObject();
    if (!object)
        return 0;
    if (!object->IsKindOf(RUNTIME_CLASS(CXTPCommandBars)))
    {
        delete object;
        return 0;
    }
    m_commandBars = static_cast<CXTPCommandBars*>(object);
    m_commandBars->SetSite(this);
    // The dock bars are windows: when one cannot be made the control is left without a manager.
    try
    {
        m_commandBars->EnableDocking();
    }
    catch (CException* e)
    {
        e->Delete();
        ReleaseCommandBars();
        return 0;
    }
    return 1;
}

bool CNativeDisplayControl::PaintAroundChild(CWnd* child)
{
    if (!m_hWnd || !child || !child->m_hWnd)
        return false;
    RECT draw, inner;
    GetClientDrawRect(&draw);
    ::GetWindowRect(child->m_hWnd, &inner);
    ScreenRectToClient(m_hWnd, &inner);
    HDC dc = ::GetWindowDC(m_hWnd);
    if (!dc)
        return false;
    const COLORREF colour = GetBackgroundColor();
    HPEN pen = ::CreatePen(PS_SOLID, 1, colour);
    HBRUSH brush = ::CreateSolidBrush(colour);
    HGDIOBJ oldPen = ::SelectObject(dc, pen);
    HGDIOBJ oldBrush = ::SelectObject(dc, brush);
    bool drawn = false;
    const RECT bands[4] = {{draw.left, draw.top, draw.right, inner.top},
                           {draw.left, inner.top, inner.left, inner.bottom},
                           {inner.right, inner.top, draw.right, inner.bottom},
                           {draw.left, inner.bottom, draw.right, draw.bottom}};
    for (const RECT& band : bands)
    {
        if (band.right > band.left && band.bottom > band.top)
        {
            ::Rectangle(dc, band.left, band.top, band.right, band.bottom);
            drawn = true;
        }
    }
    ::SelectObject(dc, oldPen);
    ::SelectObject(dc, oldBrush);
    ::DeleteObject(pen);
    ::DeleteObject(brush);
    ::ReleaseDC(m_hWnd, dc);
    return drawn;
}

bool CNativeDisplayControl::SelectFont()
{
    RestoreFont();
    HDC dc = m_offScreen.GetDC();
    if (!dc)
        return false;
    if (m_font.GetSafeHandle())
        m_previousFont = ::SelectObject(dc, m_font.GetSafeHandle());
    ::SetBkMode(dc, TRANSPARENT);
    return true;
}

bool CNativeDisplayControl::RestoreFont()
{
    if (!m_previousFont)
        return false;
    if (m_offScreen.IsCreated())
        ::SelectObject(m_offScreen.GetDC(), m_previousFont);
    m_previousFont = nullptr;
    return true;
}

bool CNativeDisplayControl::SetFont(CFont* font)
{
    if (!font || !font->GetSafeHandle())
        return false;
    LOGFONTA logFont = {};
    if (!font->GetLogFont(&logFont))
        return false;
    return SetFontWithHeight(font, logFont.lfHeight);
}

bool CNativeDisplayControl::SetFontWithHeight(CFont* font, int height)
{
    if (!font || !font->GetSafeHandle())
        return false;
    LOGFONTA logFont = {};
    if (!font->GetLogFont(&logFont))
        return false;
    logFont.lfHeight = height;
    logFont.lfQuality = CLEARTYPE_QUALITY;
    RestoreFont();
    m_font.DeleteObject();
    return m_font.CreateFontIndirect(&logFont) != FALSE;
}

bool CNativeDisplayControl::CreateDefaultFont()
{
    RestoreFont();
    return CreateHarnessDialogFont(m_font) != FALSE;
}

bool CNativeDisplayControl::MeasureText(CDravikString text, SIZE* size)
{
    if (!size)
        return false;
    size->cx = size->cy = 0;
    const bool created = m_offScreen.IsCreated();
    if (!created)
    {
        m_offScreen.SetWindow(m_hWnd);
        if (!m_offScreen.Create() || !SelectFont())
        {
            m_offScreen.Release();
            return false;
        }
    }
    const char* ansi = text.GetAnsi();
    const bool measured = ::GetTextExtentPoint32A(m_offScreen.GetDC(), ansi ? ansi : "", text.GetLength(), size) != 0;
    if (!created)
    {
        RestoreFont();
        m_offScreen.Release();
    }
    return measured;
}

bool CNativeDisplayControl::AddTabChild(CWnd* child)
{
    if (!child || !child->m_hWnd)
        return false;
    for (const auto& entry : m_tabChildren)
        if (entry.first == child->m_hWnd)
            return false;
    m_tabChildren.emplace_back(child->m_hWnd, child);
    return true;
}

bool CNativeDisplayControl::RemoveTabChild(CWnd* child)
{
    if (!child)
        return false;
    for (auto it = m_tabChildren.begin(); it != m_tabChildren.end(); ++it)
    {
        if (it->second == child)
        {
            m_tabChildren.erase(it);
            return true;
        }
    }
    return false;
}

void CNativeDisplayControl::RemoveAllTabChildren()
{
    m_tabChildren.clear();
}

CWnd* CNativeDisplayControl::GetNextTabChild(CWnd* from, bool backwards)
{
    const int count = static_cast<int>(m_tabChildren.size());
    if (count == 0)
        return nullptr;
    HWND key = from ? from->m_hWnd : ::GetFocus();
    if (!key)
        return nullptr;
    int index = -1;
    for (int i = 0; i < count; ++i)
        if (m_tabChildren[static_cast<size_t>(i)].first == key)
            index = i;
    if (index < 0)
        return nullptr;
    // One step, then past disabled windows in the same direction; at most one lap.
    CWnd* candidate = nullptr;
    int i = index;
    for (int steps = 0; steps < count; ++steps)
    {
        i = backwards ? (i == 0 ? count - 1 : i - 1) : (i == count - 1 ? 0 : i + 1);
        candidate = m_tabChildren[static_cast<size_t>(i)].second;
        HWND window = m_tabChildren[static_cast<size_t>(i)].first;
        if (::IsWindow(window) && ::IsWindowEnabled(window))
            return candidate;
    }
    return candidate;
}

bool CNativeDisplayControl::FitToParentIfResized()
{
    if (!m_parent || !m_parent->m_hWnd || !m_hWnd)
        return false;
    RECT mine, parent;
    ::GetWindowRect(m_hWnd, &mine);
    ::GetClientRect(m_parent->m_hWnd, &parent);
    if (mine.right - mine.left == parent.right - parent.left && mine.bottom - mine.top == parent.bottom - parent.top)
        return false;
    return FitToParent();
}

bool CNativeDisplayControl::LoadToolBarImages(UINT toolBarId, UINT normalBitmap, UINT hotBitmap,
                                              UINT disabledBitmap, int imageWidth)
{
    if (!m_commandBars)
        return false;
    // The image manager numbers its states normal 0, disabled 1, hot 2.
    struct Source
    {
        UINT bitmap;
        CImageList* list;
        int state;
    };
    const Source sources[3] = {{normalBitmap, &m_images, xtpImageNormal},
                               {hotBitmap, &m_hotImages, xtpImageHot},
                               {disabledBitmap, &m_disabledImages, xtpImageDisabled}};
    bool all = true;
    for (const Source& source : sources)
    {
        source.list->DeleteImageList();
        if (!LoadImageListFromBitmap(source.bitmap, source.list, imageWidth) ||
            !XTPImageManager()->SetImageListIcons(toolBarId, source.list, source.state))
            all = false;
    }
    m_commandBars->GetCommandBarsOptions()->szIcons = CSize(imageWidth, imageWidth);
    return all;
}

bool CNativeDisplayControl::CreateToolBar(UINT titleId, UINT toolBarId, UINT normalBitmap, UINT hotBitmap,
                                          UINT disabledBitmap, int barPosition, int imageWidth)
{
    if (!CreateCommandBars(RUNTIME_CLASS(CXTPCommandBars)) || !m_commandBars)
        return false;
    CDravikString title;
    title.LoadString(static_cast<int>(titleId));
    CXTPCommandBar* bar = m_commandBars->Add(title.GetAnsi(), barPosition, RUNTIME_CLASS(CXTPToolBar));
    SetToolBar(bar);
    // The icons come from the three bitmaps, not from the toolbar resource's own.
    if (!bar || !bar->LoadToolBar(toolBarId, FALSE))
        return false;
    LoadToolBarImages(toolBarId, normalBitmap, hotBitmap, disabledBitmap, imageWidth);
    bar->SetFlags(kToolBarFlags);
    bar->EnableCustomization(FALSE);
    bar->SetShowGripper(FALSE);
    m_commandBars->GetCommandBarsOptions()->bShowExpandButtonAlways = FALSE;
    if (m_owner)
        m_owner->OnCommandBarsCreated(m_commandBars);
    RepositionBars();
    return true;
}

bool CNativeDisplayControl::SetToolBarCaption(UINT commandId)
{
    if (!m_toolBar)
        return false;
    CXTPControl* control = m_toolBar->GetControls()->FindControl(0, static_cast<int>(commandId), FALSE, TRUE);
    return control && SetControlTextFromResource(commandId, control);
}

void CNativeDisplayControl::OnPaint()
{
    if (m_hWnd)
    {
        FitToParentIfResized();
        RECT draw;
        GetDrawRect(&draw);
        m_offScreen.SetWindow(m_hWnd);
        m_offScreen.SetBackgroundColor(GetBackgroundColor());
        if (m_offScreen.Create())
        {
            m_offScreen.Fill(false);
            HDC dc = ::GetDC(m_hWnd);
            if (dc)
            {
                ::BitBlt(dc, 0, draw.top, draw.right - draw.left, draw.bottom - draw.top, m_offScreen.GetDC(), 0, 0,
                         SRCCOPY);
                ::ReleaseDC(m_hWnd, dc);
            }
            m_offScreen.Release();
        }
        ::ValidateRect(m_hWnd, nullptr);
    }
}

void CNativeDisplayControl::OnNcPaint()
{
    if (HasBorder())
        DrawWindowBorder(this);
}
