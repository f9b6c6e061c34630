// CResizableDialog: the base of the resizable harness dialogs. It gives a dialog a thick frame, a size grip
// in the bottom-right corner, minimum and maximum tracking sizes, a layout rectangle, placement operations
// for the derived dialog's layout hook (ArrangeControls, called on every WM_SIZE), the dialog icon and font,
// and the saving of the command-bar layout as text in an options store.
//
// The tool bar (set by the derived dialog, held by the command bars) takes its strip off the layout
// rectangle on the side of the dock bar it lies in.
#pragma once

#include <map>

#include "foundation/DravikString.h"
#include "framework/GdiObject.h"
#include "framework/ImageList.h"
#include "ui/dialogs/HarnessDialog.h"
#include "ui/controls/ResizeButton.h"

class COptionsStore;
class CXTPToolBar;

// The pixels every harness dialog keeps between its controls and its edges.
#define QVX_DIALOG_MARGIN 12

struct CTrackSize
{
    int cx;
    int cy;
};

class CResizableDialog : public CHarnessDialog
{
public:
    CResizableDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CResizableDialog() override;

    BOOL OnInitDialog() override;
    void OnCancel() override;

    // Tab (when tab navigation is on) and Escape for a window other than the dialog, and Enter for a window
    // other than the dialog without ES_WANTRETURN, go to IsDialogMessage; FALSE for everything else and
    // while the dialog keys are switched off.
    BOOL HandleDialogKey(MSG* pMsg) override;
    virtual BOOL OnAcceptHook() { return FALSE; }
    virtual BOOL OnSpareHook() { return FALSE; }
    virtual void PlaceDefault() { CenterWindow(nullptr); }
    // The layout hook; nothing here.
    virtual BOOL ArrangeControls() { return FALSE; }
    // Right edge to layout right - *offset, bottom to layout bottom - 12; *offset grows by the control's
    // width. FALSE for *offset <= 0 or a control without a window.
    virtual BOOL PlaceBottomRight(CWnd* control, int* offset);
    // Right edge to layout right - 12, top to *offset; *offset grows by the control's height. FALSE for
    // *offset < 1 or a control without a window.
    virtual BOOL PlaceTopRight(CWnd* control, int* offset);
    virtual CTrackSize* GetMinTrackSize() { return &m_minTrack; }
    virtual void SetMinTrackSize(int cx, int cy) { m_minTrack = {cx, cy}; }
    virtual CTrackSize* GetMaxTrackSize() { return &m_maxTrack; }
    virtual void SetMaxTrackSize(int cx, int cy) { m_maxTrack = {cx, cy}; }
    // TRUE when both values of the pair are non-zero.
    virtual BOOL HasMinTrackSize();
    virtual BOOL HasMaxTrackSize();
    virtual BOOL OnCloseHook() { return FALSE; }
    virtual RECT* GetLayoutRect() { return &m_layoutRect; }
    // Top to y + 12 below the tool bar; FALSE without a tool bar.
    virtual BOOL PlaceBelowToolBar(CWnd* control, int y);
    // The control's window rectangle in this dialog's client coordinates; FALSE without a window.
    virtual BOOL GetControlRect(CWnd* control, RECT* out);
    // out[0] = layout left + 12, out[2] = layout right - 12.
    virtual void GetLayoutSpan(int* out);
    virtual BOOL RememberControlRect(CWnd* control);
    virtual BOOL ClearControlRects();
    virtual BOOL LookupControlRect(CWnd* control, RECT* out);
    virtual BOOL SaveLayout(UINT storeId, UINT sectionStringId);
    virtual BOOL LoadLayout(UINT storeId, UINT sectionStringId);
    // The control's bottom in client coordinates (less 6 when inner); 0 without a window.
    virtual int GetControlBottom(CWnd* control, bool inner = false);
    virtual BOOL ShiftControlRight(CWnd* control, int dx);
    virtual BOOL SetControlRight(CWnd* control, int right);
    // Moves the control's top-left corner to (left, top), size kept, no repaint.
    virtual BOOL MoveControlTo(CWnd* control, int top, int left);
    virtual BOOL IsTabNavigationEnabled() { return TRUE; }
    // "MS Shell Dlg", height 14, normal weight, ClearType, sent to the dialog with WM_SETFONT.
    virtual BOOL CreateDialogFont();

    // Loads the icon group resource and makes it the dialog's big and small icon; only while the program has
    // an application object. TRUE when the icon was loaded.
    BOOL SetDialogIcon(UINT iconId);
    // The width and height of the tool bar's images.
    static constexpr int kToolbarImageSize = 20;
    // The ground of the toolbar strips: pixels of this colour are transparent.
    static constexpr COLORREF kToolbarImageGround = RGB(255, 255, 255);
    // Loads the three bitmaps as 20-pixel image lists and gives them to the image manager for the commands of
    // the toolbar resource as normal, disabled and hot images; the manager's icons become 20 x 20. FALSE
    // without a command-bars manager (nothing done) or when a bitmap or the toolbar resource is missing.
    BOOL SetToolbarImages(UINT toolbarId, UINT bitmapState0, UINT bitmapState1, UINT bitmapState2);
    // The images of state 0 (normal), 1 (disabled) and 2 (hot) as loaded by SetToolbarImages.
    CImageList& GetToolbarImages(int state) { return m_images[state]; }
    BOOL SetToolbarButtonText(UINT commandId);
    BOOL RepositionControlBars();
    // A fresh temporary INI file name: GetTempFileName's unique name with its extension replaced by ".ini"
    // (the file it creates is removed at once). Empty on failure.
    static CDravikString MakeTempProfileName();
    BOOL SaveBarsToText(CDravikString& text, UINT sectionStringId);
    BOOL LoadBarsFromText(CDravikString& text, UINT sectionStringId);

    CResizeButton& GetGrip() { return m_grip; }
    CXTPToolBar* GetToolBar() const { return m_pToolBar; }
    // The tool bar the layout rectangle leaves room for (not owned; the command bars hold it).
    void SetToolBar(CXTPToolBar* toolBar) { m_pToolBar = toolBar; }
    COptionsStore* GetOptionsStore() const { return m_pOptionsStore; }
    void SetOptionsStore(COptionsStore* store) { m_pOptionsStore = store; }
    void EnableDialogKeys(bool enable) { m_dialogKeys = enable ? 1 : 0; }
    CFont& GetDialogFont() { return m_dialogFont; }
    HICON GetDialogIcon() const { return m_hDialogIcon; }

protected:
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM);
    afx_msg void OnUpdateHelp(CCmdUI* pCmdUI);
    afx_msg LRESULT OnGripDrag(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // Puts the grip into the bottom-right corner of the client area.
    void PlaceGrip();
    // The client area less the docked tool bar, by the side of its dock bar.
    void UpdateLayoutRect();
    // The tool bar is set, visible, has a window and lies in a dock bar.
    bool IsToolBarDocked() const;
    // Fills the tracking limits of lpMMI from the pairs that are set.
    void ApplyTrackSizes(MINMAXINFO* lpMMI);
    // Posts a mouse message over the grip to the grip; false when the point is not on it.
    bool ForwardToGrip(UINT message, UINT nFlags, CPoint point);

private:
    // The section name and a fresh temporary profile path for saving or loading the bar layout; false
    // without a command-bars manager, without an application object or without a temporary name.
    bool PrepareBarsProfile(UINT sectionStringId, CDravikString& section, CDravikString& path);

    CTrackSize m_minTrack = {0, 0};
    CTrackSize m_maxTrack = {0, 0};
    CImageList m_images[3];
    CXTPToolBar* m_pToolBar = nullptr;
    RECT m_layoutRect = {0, 0, 0, 0};
    std::map<HWND, RECT*> m_controlRects;
    COptionsStore* m_pOptionsStore = nullptr;
    HICON m_hDialogIcon = nullptr;
    CResizeButton m_grip;
    CFont m_dialogFont;
    BYTE m_dialogKeys = 1;
};
