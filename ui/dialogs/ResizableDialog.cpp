#include "ui/dialogs/ResizableDialog.h"

#include <algorithm>
#include <memory>

#include "framework/AppGlobals.h"
#include "ui/UiResourceIds.h"
#include "ui/controls/DrawingUtilities.h"
#include "ui/controls/ImageListUtilities.h"
#include "ui/controls/ControlTextFromResource.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/docking/XTPDockBar.h"
#include "toolkit/commandbars/bars/XTPToolBar.h"
#include "toolkit/common/images/XTPImageManager.h"
#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"
#include "framework/CmdUI.h"
#include "framework/DC.h"
#include "framework/FrameworkIds.h"
#include "foundation/FileInterface.h"
#include "framework/MessageMap.h"
#include "ui/options/OptionsStore.h"
#include "foundation/PathUtilities.h"
#include "framework/WinApp.h"

BEGIN_MESSAGE_MAP(CResizableDialog, CHarnessDialog)
ON_WM_PAINT()
ON_WM_SIZE()
ON_WM_GETMINMAXINFO()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
ON_UPDATE_COMMAND_UI(ID_HELP_COMMAND, OnUpdateHelp)
ON_MESSAGE(WM_QVX_GRIP_DRAG, OnGripDrag)
END_MESSAGE_MAP()

CResizableDialog::CResizableDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : CHarnessDialog(nIDTemplate, pParentWnd)
{
    SetMinTrackSize(0, 0);
    SetMaxTrackSize(0, 0);
}

CResizableDialog::~CResizableDialog()
{
    ClearControlRects();
    m_dialogFont.DeleteObject();
}

// ---------------------------------------------------------------- keys

BOOL CResizableDialog::HandleDialogKey(MSG* pMsg)
{
    CHarnessDialogKeyRules rules;
    rules.dialogKeys = m_dialogKeys != 0;
    rules.tabNavigation = IsTabNavigationEnabled() != FALSE;
    rules.enterStaysInWantReturn = true;
    return HandleHarnessDialogKey(m_hWnd, pMsg, rules);
}

// ---------------------------------------------------------------- life

BOOL CResizableDialog::OnInitDialog()
{
    BOOL result = CDialog::OnInitDialog();
    ModifyStyle(0, WS_CLIPCHILDREN | WS_THICKFRAME);
    if (!m_grip.m_hWnd)
        m_grip.Create(this, CResizeButton::kDefaultId);
    PlaceGrip();
    return result;
}

void CResizableDialog::OnCancel()
{
    ShowWindow(SW_HIDE);
    OnCloseHook();
    CDialog::OnCancel();
}

void CResizableDialog::PlaceGrip()
{
    if (!m_hWnd || !m_grip.m_hWnd)
        return;
    RECT client;
    GetClientRect(&client);
    m_grip.SetOwnerRect(client);
}

// ---------------------------------------------------------------- sizing and painting

void CResizableDialog::OnSize(UINT, int, int)
{
    Default();
    RepositionControlBars();
    UpdateLayoutRect();
    ArrangeControls();
    PlaceGrip();
    InvalidateRect(nullptr, TRUE);
}

bool CResizableDialog::IsToolBarDocked() const
{
    return m_pToolBar && m_pToolBar->IsVisible() && m_pToolBar->GetDockBar() && m_pToolBar->GetSafeHwnd();
}

void CResizableDialog::UpdateLayoutRect()
{
    if (!m_hWnd)
        return;
    GetClientRect(&m_layoutRect);
    if (!IsToolBarDocked())
        return;
    RECT bar;
    if (!GetControlRect(m_pToolBar, &bar))
        return;
    const int width = bar.right - bar.left, height = bar.bottom - bar.top;
    switch (m_pToolBar->GetDockBar()->GetPosition())
    {
    case 0:
        m_layoutRect.top += height;
        break;
    case 1:
        m_layoutRect.bottom -= height;
        break;
    case 2:
        m_layoutRect.left += width;
        break;
    case 3:
        m_layoutRect.right -= width;
        break;
    default:
        break;
    }
}

namespace
{
// A tracking limit counts when both values are non-zero.
BOOL IsTrackSizeSet(const CTrackSize* size)
{
    return size && size->cx != 0 && size->cy != 0;
}
} // namespace

BOOL CResizableDialog::HasMinTrackSize()
{
    return IsTrackSizeSet(GetMinTrackSize());
}

BOOL CResizableDialog::HasMaxTrackSize()
{
    return IsTrackSizeSet(GetMaxTrackSize());
}

void CResizableDialog::ApplyTrackSizes(MINMAXINFO* lpMMI)
{
    if (!lpMMI)
        return;
    if (HasMinTrackSize())
        lpMMI->ptMinTrackSize = {GetMinTrackSize()->cx, GetMinTrackSize()->cy};
    if (HasMaxTrackSize())
        lpMMI->ptMaxTrackSize = {GetMaxTrackSize()->cx, GetMaxTrackSize()->cy};
}

void CResizableDialog::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    ApplyTrackSizes(lpMMI);
}

LRESULT CResizableDialog::OnGripDrag(WPARAM wParam, LPARAM lParam)
{
    if (!m_hWnd)
        return 0;
    const int dx = static_cast<int>(static_cast<LONG>(wParam));
    const int dy = static_cast<int>(lParam);
    RECT window;
    GetWindowRect(&window);
    int width = window.right - window.left + dx;
    int height = window.bottom - window.top + dy;
    // A programmatic move is not held to the tracking limits by the system: apply them here, the way a drag
    // of the frame would.
    MINMAXINFO limits = {};
    limits.ptMinTrackSize = {::GetSystemMetrics(SM_CXMINTRACK), ::GetSystemMetrics(SM_CYMINTRACK)};
    limits.ptMaxTrackSize = {::GetSystemMetrics(SM_CXMAXTRACK), ::GetSystemMetrics(SM_CYMAXTRACK)};
    ApplyTrackSizes(&limits);
    width = std::max<int>(limits.ptMinTrackSize.x, std::min<int>(width, limits.ptMaxTrackSize.x));
    height = std::max<int>(limits.ptMinTrackSize.y, std::min<int>(height, limits.ptMaxTrackSize.y));
    HWND parent = ::GetParent(m_hWnd);
    POINT origin = {window.left, window.top};
    if (parent && (GetStyle() & WS_CHILD))
        ::ScreenToClient(parent, &origin);
    MoveWindow(origin.x, origin.y, width, height, TRUE);
    InvalidateRect(nullptr, TRUE);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    return 0;
}

bool CResizableDialog::ForwardToGrip(UINT message, UINT nFlags, CPoint point)
{
    if (!m_grip.m_hWnd)
        return false;
    POINT onGrip = {point.x, point.y};
    ::MapWindowPoints(m_hWnd, m_grip.m_hWnd, &onGrip, 1);
    RECT gripClient;
    m_grip.GetClientRect(&gripClient);
    if (!::PtInRect(&gripClient, onGrip))
        return false;
    m_grip.PostMessage(message, nFlags, MAKELPARAM(onGrip.x, onGrip.y));
    return true;
}

void CResizableDialog::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!ForwardToGrip(WM_LBUTTONDOWN, nFlags, point))
        Default();
}

void CResizableDialog::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!ForwardToGrip(WM_LBUTTONUP, nFlags, point))
        Default();
}

void CResizableDialog::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!ForwardToGrip(WM_MOUSEMOVE, nFlags, point))
        Default();
}

void CResizableDialog::OnPaint()
{
    {
        PAINTSTRUCT ps;
        BeginPaint(&ps);
        EndPaint(&ps);
    }
    if (m_pToolBar && m_pToolBar->IsVisible() && m_pToolBar->GetSafeHwnd() && m_pToolBar->IsWindowEnabled())
    {
        m_pToolBar->Invalidate(TRUE);
        m_pToolBar->UpdateWindow();
    }
    if (m_grip.m_hWnd)
    {
        m_grip.Invalidate(TRUE);
        m_grip.UpdateWindow();
    }
    CDialog::OnPaint();
}

LRESULT CResizableDialog::OnKickIdle(WPARAM, LPARAM)
{
    if (m_pCommandBars)
        m_pCommandBars->UpdateCommandBars();
    return 0;
}

void CResizableDialog::OnUpdateHelp(CCmdUI* pCmdUI)
{
    if (pCmdUI)
        pCmdUI->Enable(TRUE);
}

// ---------------------------------------------------------------- placement

BOOL CResizableDialog::GetControlRect(CWnd* control, RECT* out)
{
    if (!control || !control->m_hWnd || !out || !m_hWnd)
        return FALSE;
    control->GetWindowRect(out);
    ScreenRectToClient(m_hWnd, out);
    return TRUE;
}

void CResizableDialog::GetLayoutSpan(int* out)
{
    if (!out)
        return;
    out[0] = m_layoutRect.left + QVX_DIALOG_MARGIN;
    out[2] = m_layoutRect.right - QVX_DIALOG_MARGIN;
}

BOOL CResizableDialog::PlaceBottomRight(CWnd* control, int* offset)
{
    RECT rect;
    if (!offset || *offset <= 0 || !GetControlRect(control, &rect))
        return FALSE;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const int right = m_layoutRect.right - *offset;
    const int bottom = m_layoutRect.bottom - QVX_DIALOG_MARGIN;
    control->MoveWindow(right - width, bottom - height, width, height, TRUE);
    *offset += width;
    return TRUE;
}

BOOL CResizableDialog::PlaceTopRight(CWnd* control, int* offset)
{
    RECT rect;
    if (!offset || *offset < 1 || !GetControlRect(control, &rect))
        return FALSE;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    control->MoveWindow(m_layoutRect.right - QVX_DIALOG_MARGIN - width, *offset, width, height, TRUE);
    *offset += height;
    return TRUE;
}

BOOL CResizableDialog::PlaceBelowToolBar(CWnd* control, int y)
{
    if (!m_pToolBar || !control || !control->m_hWnd)
        return FALSE;
    RECT rect;
    if (!GetControlRect(control, &rect))
        return FALSE;
    // A control whose rectangle was remembered keeps its remembered columns, beside a bar docked left.
    RECT remembered;
    if (IsToolBarDocked() && LookupControlRect(control, &remembered))
    {
        rect.left = remembered.left;
        rect.right = remembered.right;
        if (m_pToolBar->GetDockBar()->GetPosition() == 2)
        {
            RECT bar;
            if (GetControlRect(m_pToolBar, &bar))
            {
                rect.left += bar.right - bar.left;
                rect.right += bar.right - bar.left;
            }
        }
    }
    control->MoveWindow(rect.left, y + QVX_DIALOG_MARGIN, rect.right - rect.left, rect.bottom - rect.top,
                        FALSE);
    return TRUE;
}

int CResizableDialog::GetControlBottom(CWnd* control, bool inner)
{
    RECT rect;
    if (!GetControlRect(control, &rect))
        return 0;
    return inner ? rect.bottom - 6 : rect.bottom;
}

BOOL CResizableDialog::ShiftControlRight(CWnd* control, int dx)
{
    RECT rect;
    if (dx < 1 || !GetControlRect(control, &rect))
        return FALSE;
    control->MoveWindow(rect.left + dx, rect.top, rect.right - rect.left, rect.bottom - rect.top, FALSE);
    return TRUE;
}

BOOL CResizableDialog::SetControlRight(CWnd* control, int right)
{
    RECT rect;
    if (right < 1 || !GetControlRect(control, &rect))
        return FALSE;
    control->MoveWindow(rect.left, rect.top, right - rect.left, rect.bottom - rect.top, FALSE);
    return TRUE;
}

BOOL CResizableDialog::MoveControlTo(CWnd* control, int top, int left)
{
    RECT rect;
    if (!GetControlRect(control, &rect))
        return FALSE;
    control->MoveWindow(left, top, rect.right - rect.left, rect.bottom - rect.top, FALSE);
    return TRUE;
}

BOOL CResizableDialog::RememberControlRect(CWnd* control)
{
    if (!control || !control->m_hWnd)
        return FALSE;
    std::unique_ptr<RECT> rect(new RECT);
    if (!GetControlRect(control, rect.get()))
        return FALSE;
    RECT*& slot = m_controlRects[control->m_hWnd];
    delete slot;
    slot = rect.release();
    return TRUE;
}

BOOL CResizableDialog::ClearControlRects()
{
    if (m_controlRects.empty())
        return FALSE;
    for (auto& entry : m_controlRects)
        delete entry.second;
    m_controlRects.clear();
    return TRUE;
}

BOOL CResizableDialog::LookupControlRect(CWnd* control, RECT* out)
{
    if (!control || !out)
        return FALSE;
    auto found = m_controlRects.find(control->m_hWnd);
    if (found == m_controlRects.end() || !found->second)
        return FALSE;
    *out = *found->second;
    return TRUE;
}

// ---------------------------------------------------------------- icon, font, tool bar

BOOL CResizableDialog::SetDialogIcon(UINT iconId)
{
    if (!AfxGetApp() || !m_hWnd)
        return FALSE;
    HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCEA(iconId), RT_GROUP_ICON);
    HICON icon = ::LoadIconA(module, MAKEINTRESOURCEA(iconId));
    if (!icon)
        return FALSE;
    m_hDialogIcon = icon;
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    return TRUE;
}

BOOL CResizableDialog::CreateDialogFont()
{
    if (!CreateHarnessDialogFont(m_dialogFont))
        return FALSE;
    if (m_hWnd)
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_dialogFont.GetSafeHandle()), TRUE);
    return TRUE;
}

BOOL CResizableDialog::SetToolbarImages(UINT toolbarId, UINT bitmapState0, UINT bitmapState1, UINT bitmapState2)
{
    if (!m_pCommandBars)
        return FALSE;
    // Normal, disabled and hot images, one 20-pixel cell per button of the toolbar resource, each drawn on a
    // white ground that the mask leaves out.
    const UINT bitmaps[3] = {bitmapState0, bitmapState1, bitmapState2};
    const int states[3] = {xtpImageNormal, xtpImageDisabled, xtpImageHot};
    BOOL all = TRUE;
    for (int i = 0; i < 3; ++i)
    {
        m_images[i].DeleteImageList();
        if (!LoadMaskedImageListFromBitmap(bitmaps[i], &m_images[i], kToolbarImageSize, kToolbarImageGround) ||
            !XTPImageManager()->SetImageListIcons(toolbarId, &m_images[i], states[i]))
            all = FALSE;
    }
    CXTPCommandBarsOptions* options = m_pCommandBars->GetCommandBarsOptions();
    options->szIcons = CSize(kToolbarImageSize, kToolbarImageSize);
    options->bLargeIcons = FALSE;
    return all;
}

BOOL CResizableDialog::SetToolbarButtonText(UINT commandId)
{
    if (!m_pToolBar)
        return FALSE;
    CXTPControl* control =
        m_pToolBar->GetControls()->FindControl(xtpControlButton, static_cast<int>(commandId), TRUE, FALSE);
    if (!control)
        return FALSE;
    return SetControlTextFromResource(commandId, control);
}

BOOL CResizableDialog::RepositionControlBars()
{
    if (m_hWnd)
        RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0);
    return TRUE;
}

// ---------------------------------------------------------------- bar layout as text

CDravikString CResizableDialog::MakeTempProfileName()
{
    char folder[MAX_PATH + 1] = {};
    DWORD length = ::GetTempPathA(MAX_PATH, folder);
    if (length == 0 || length > MAX_PATH)
        return CDravikString();
    char name[MAX_PATH + 1] = {};
    if (!::GetTempFileNameA(folder, "SRI", 0, name))
        return CDravikString();
    ::DeleteFileA(name);
    // Only the file name's extension is replaced: the folders above it may contain dots of their own.
    char* fileName = name;
    for (char* p = name; *p; ++p)
    {
        if (*p == '\\' || *p == '/' || *p == ':')
            fileName = p + 1;
    }
    if (char* dot = strrchr(fileName, '.'))
        *dot = '\0';
    if (strlen(name) + 4 > MAX_PATH)
        return CDravikString();
    strcat(name, ".ini");
    return CDravikString(name);
}

namespace
{
// Points the application's profile at a temporary INI file for the lifetime of the object and removes the
// file afterwards.
class CTemporaryProfile
{
public:
    CTemporaryProfile(CWinApp* app, const CDravikString& path) : m_app(app), m_path(path)
    {
        m_previous = app->m_pszProfileName;
        app->m_pszProfileName = m_path.PeekAnsi();
    }
    ~CTemporaryProfile()
    {
        m_app->m_pszProfileName = m_previous;
        if (m_path.PeekAnsi())
            ::DeleteFileA(m_path.PeekAnsi());
    }

private:
    CWinApp* m_app;
    CDravikString m_path;
    LPCSTR m_previous;
};
} // namespace

bool CResizableDialog::PrepareBarsProfile(UINT sectionStringId, CDravikString& section, CDravikString& path)
{
    if (!m_pCommandBars || !AfxGetApp())
        return false;
    section.LoadString(static_cast<int>(sectionStringId));
    path = MakeTempProfileName();
    return !path.IsEmpty();
}

BOOL CResizableDialog::SaveBarsToText(CDravikString& text, UINT sectionStringId)
{
    CDravikString section, path;
    if (!PrepareBarsProfile(sectionStringId, section, path))
        return FALSE;
    CTemporaryProfile profile(AfxGetApp(), path);
    SaveCommandBars(section.GetAnsi());
    CFileInterface file;
    if (!file.OpenForReading(path.GetAnsi()))
        return FALSE;
    const unsigned long long size = file.GetSize();
    if (size == 0 || size > 0x7FFFFFF)
        return FALSE;
    std::unique_ptr<char[]> buffer(new char[static_cast<size_t>(size) + 1]());
    if (!file.Read(buffer.get(), static_cast<long>(size), nullptr, true))
        return FALSE;
    file.Close();
    text = buffer.get();
    return TRUE;
}

BOOL CResizableDialog::LoadBarsFromText(CDravikString& text, UINT sectionStringId)
{
    CDravikString section, path;
    if (!PrepareBarsProfile(sectionStringId, section, path))
        return FALSE;
    CTemporaryProfile profile(AfxGetApp(), path);
    {
        CFileInterface file;
        if (!file.CreateForWriting(path.GetAnsi()))
            return FALSE;
        const char* bytes = text.GetAnsi();
        const long length = bytes ? static_cast<long>(strlen(bytes)) : 0;
        if (length > 0 && !file.Write(bytes, length, nullptr))
            return FALSE;
    }
    LoadCommandBars(section.GetAnsi(), FALSE);
    return TRUE;
}

BOOL CResizableDialog::SaveLayout(UINT storeId, UINT sectionStringId)
{
    if (!m_pOptionsStore)
        return FALSE;
    CDravikString text;
    if (!SaveBarsToText(text, sectionStringId) || text.IsEmpty())
        return FALSE;
    return m_pOptionsStore->SetStringEntity(text, static_cast<int>(storeId));
}

BOOL CResizableDialog::LoadLayout(UINT storeId, UINT sectionStringId)
{
    if (!m_pOptionsStore)
        return FALSE;
    CDravikString text;
    if (!m_pOptionsStore->GetStringEntity(static_cast<int>(storeId), &text) || text.IsEmpty())
        return FALSE;
    return LoadBarsFromText(text, sectionStringId);
}
