// CUnitTestResizableDialog: the harness's resizable dialog (base of the main dialog and of the
// run-individual dialog). It keeps its own tracking limits, places controls against the whole client area
// and hides itself before it ends.
#pragma once

#include "ui/dialogs/ResizableDialog.h"

class CUnitTestResizableDialog : public CResizableDialog
{
public:
    CUnitTestResizableDialog(CWnd* pParentWnd, UINT nIDTemplate);

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    // Right edge to client right - *offset, bottom to client bottom - 12; *offset grows by the width.
    BOOL PlaceBottomRight(CWnd* control, int* offset) override;
    // Right edge to client right - 12, top to *offset; *offset grows by the height.
    BOOL PlaceTopRight(CWnd* control, int* offset) override;
    CTrackSize* GetMinTrackSize() override { return &m_ownMinTrack; }
    void SetMinTrackSize(int cx, int cy) override { m_ownMinTrack = {cx, cy}; }
    CTrackSize* GetMaxTrackSize() override { return &m_ownMaxTrack; }
    void SetMaxTrackSize(int cx, int cy) override { m_ownMaxTrack = {cx, cy}; }

    void ClearTrackSizes();

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    DECLARE_MESSAGE_MAP()

private:
    // Along the bottom edge from the right (the offset grows by the width) or down the right edge (the
    // offset is the top and grows by the height).
    BOOL PlaceInClient(CWnd* control, int* offset, bool alongBottom);

    CTrackSize m_ownMinTrack = {0, 0};
    CTrackSize m_ownMaxTrack = {0, 0};
};
