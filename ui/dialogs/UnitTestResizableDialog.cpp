#include "ui/dialogs/UnitTestResizableDialog.h"

#include "framework/MessageMap.h"

BEGIN_MESSAGE_MAP(CUnitTestResizableDialog, CResizableDialog)
ON_WM_SIZE()
ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

CUnitTestResizableDialog::CUnitTestResizableDialog(CWnd* pParentWnd, UINT nIDTemplate)
    : CResizableDialog(nIDTemplate, pParentWnd)
{
    ClearTrackSizes();
}

void CUnitTestResizableDialog::ClearTrackSizes()
{
    SetMinTrackSize(0, 0);
    SetMaxTrackSize(0, 0);
}

BOOL CUnitTestResizableDialog::OnInitDialog()
{
    BOOL result = CResizableDialog::OnInitDialog();
    ModifyStyle(0, WS_CLIPCHILDREN | WS_THICKFRAME);
    return result;
}

void CUnitTestResizableDialog::OnOK()
{
    ShowWindow(SW_HIDE);
    OnAcceptHook();
    OnCloseHook();
    ShowWindow(SW_HIDE);
    if (!IsIconic())
        OnAcceptHook();
    OnCloseHook();
    CDialog::OnOK();
}

void CUnitTestResizableDialog::OnCancel()
{
    ShowWindow(SW_HIDE);
    OnCloseHook();
    ShowWindow(SW_HIDE);
    OnCloseHook();
    CDialog::OnCancel();
}

void CUnitTestResizableDialog::OnSize(UINT nType, int cx, int cy)
{
    CResizableDialog::OnSize(nType, cx, cy);
    ArrangeControls();
    PlaceGrip();
    InvalidateRect(nullptr, TRUE);
}

void CUnitTestResizableDialog::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    ApplyTrackSizes(lpMMI);
}

BOOL CUnitTestResizableDialog::PlaceBottomRight(CWnd* control, int* offset)
{
    return PlaceInClient(control, offset, true);
}

BOOL CUnitTestResizableDialog::PlaceTopRight(CWnd* control, int* offset)
{
    return PlaceInClient(control, offset, false);
}

BOOL CUnitTestResizableDialog::PlaceInClient(CWnd* control, int* offset, bool alongBottom)
{
    RECT rect, client;
    if (!offset || *offset <= 0 || !m_hWnd || !GetControlRect(control, &rect))
        return FALSE;
    GetClientRect(&client);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (alongBottom)
    {
        control->MoveWindow(client.right - *offset - width, client.bottom - QVX_DIALOG_MARGIN - height, width,
                            height, TRUE);
        *offset += width;
    }
    else
    {
        control->MoveWindow(client.right - QVX_DIALOG_MARGIN - width, *offset, width, height, TRUE);
        *offset += height;
    }
    return TRUE;
}
