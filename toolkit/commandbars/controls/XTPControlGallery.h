// CXTPControlGallery (type 10): a scrollable grid of items in a command bar. In a popup it is a
// block of swatches; in a toolbar an in-bar gallery with a strip of three buttons at its right
// edge (up, down, open the popup); in button style a plain button that opens its popup. Items come
// from the items of its action (CXTPControlGalleryItems), wrap in rows and may be grouped under
// full-width labels. The bar's site hears the live-preview notifications (XTP_GN_*).
#pragma once

#include "framework/Array.h"
#include "toolkit/commandbars/controls/XTPControlPopup.h"
#include "toolkit/commandbars/controls/XTPScrollBase.h"

class CXTPControlGalleryItem;
class CXTPControlGalleryItems;
class CXTPControlGalleryPaintManager;

// ids: code
// Notifications of a gallery to its bar's site.
constexpr int XTP_GN_PREVIEWSTART = 4112;
constexpr int XTP_GN_PREVIEWCANCEL = 4113;
constexpr int XTP_GN_PREVIEWAPPLY = 4114;
constexpr int XTP_GN_PREVIEWCHANGE = 4115;
constexpr int XTP_GN_STARTDRAG = 4116;
constexpr int XTP_GN_SELCHANGE = 4117;

// Parts of a gallery's scroll bar or button strip (hit codes).
const int xtpGalleryHitNone = 0;
const int xtpGalleryHitUp = 60;
const int xtpGalleryHitDown = 61;
const int xtpGalleryHitPageUp = 62;
const int xtpGalleryHitPageDown = 63;
const int xtpGalleryHitThumb = 64;
const int xtpGalleryHitPopup = 65;

// Where an item lies, in content coordinates (before scrolling).
struct GALLERYITEM_POSITION
{
    RECT rcItem;
    CXTPControlGalleryItem* pItem;
    BOOL bBeginRow;
};

class CXTPControlGallery : public CXTPControlPopup, public CXTPScrollBase
{
    DECLARE_SERIAL(CXTPControlGallery)

public:
    CXTPControlGallery();
    ~CXTPControlGallery() override;

    // ---- items and state
    virtual CXTPControlGalleryItems* GetItems() const;
    int GetItemCount() const;
    CXTPControlGalleryItem* GetItem(int nIndex) const;
    // The highlighted item, -1 for none (also while the mouse left and the highlight is hidden).
    int GetSelectedItem() const { return m_nSelected; }
    // Highlights an item as the keyboard does (brings it into view, tells the preview and 4117).
    void SetSelectedItem(int nSelected);
    int GetCheckedItem() const { return m_nCheckedItem; }
    void SetCheckedItem(int nId);
    virtual BOOL IsItemChecked(CXTPControlGalleryItem* pItem) const;
    BOOL IsHighlightShown() const { return m_nSelected != -1 && !m_bHideSelection; }
    BOOL IsItemPressed() const { return m_bPressed; }
    BOOL IsPreviewActive() const { return m_bPreview; }

    // ---- options ("ShowLabels", "ShowScrollBar", "ShowBorders", "GalleryMargin", "Resizable")
    BOOL IsShowLabels() const { return m_bShowLabels; }
    void ShowLabels(BOOL bShow);
    BOOL IsShowScrollBar() const { return m_bShowScrollBar; }
    void ShowScrollBar(BOOL bShow);
    BOOL IsShowBorders() const { return m_bShowBorders; }
    void ShowBorders(BOOL bShow);
    CRect GetGalleryMargin() const { return m_rcMargin; }
    void SetGalleryMargin(CRect rc);
    int GetResizable() const { return m_nResizable; }
    void SetResizable(int nResizable) { m_nResizable = nResizable; }
    void SetAutoScrollBar(BOOL b) { m_bAutoScrollBar = b; }
    void SetTransparent(BOOL b) { m_bTransparent = b; }
    // The paint managers skip the background fill.
    BOOL IsTransparentFill() const { return m_bTransparent; }
    // Button style: a plain button that opens the popup (size state 4 or style 2).
    BOOL IsButtonStyle() const;
    // An in-bar gallery with a popup shows the three-button strip instead of a scroll bar.
    BOOL IsStripStyle() const;

    // ---- layout
    virtual CRect GetBorders() const;
    CRect GetItemsRect() const;
    CSize GetDefaultItemSize() const;
    // Lays the items out in rows (see the file comment); the content height.
    void Reposition();
    int GetContentHeight() const { return m_nTotalHeight; }
    int GetPositionCount() const { return static_cast<int>(m_arrPositions.GetSize()); }
    const GALLERYITEM_POSITION& GetPosition(int nIndex) const { return m_arrPositions[nIndex]; }
    // The item's rectangle in the bar (scrolled), empty for none.
    CRect GetItemDrawRect(int nIndex) const;
    // The enabled, non-label item at a bar point, -1 for none.
    int HitTestItem(CPoint point, CRect* pRect = nullptr) const;
    // TRUE in a popup bar when the gallery is not resizable and a focusable visible control follows.
    BOOL HasFollowingControl() const;

    // ---- navigation (pure over the laid-out positions; -1 for none)
    int GetNext(int nIndex, int nDirection) const;
    int GetNextInRow(int nIndex, int nDirection) const;
    int GetNextInColumn(int nIndex, int nDirection) const;
    int GetNextInPage(int nIndex, int nDirection) const;
    void EnsureVisible(int nIndex);

    // ---- scrolling
    int GetScrollPos() const { return m_nScrollPos; }
    void SetScrollPos(int nScrollPos);
    // Steps of the scroll bar (SB_ codes); a gallery with a popup animates line steps.
    void DoScroll(int nCode, int nPos) override;
    void ScrollToAnimated(int nTarget);
    // One animation step (timer 23346 on the bar).
    void OnAnimationTick() override;
    // Range 0..content height - 1 (at least 0), page the items height, position.
    void GetScrollInfo(int& nMin, int& nMax, int& nPage, int& nPos) const;
    void GetScrollInfo(SCROLLINFO* pScrollInfo) override;
    BOOL IsScrollButtonEnabled(int nPart) const;
    CRect GetScrollBarRect() override;
    // The part at a bar point: the strip's (60 up, 61 down, 65 popup) or the scroll bar's; 0 outside.
    int HitTestScrollBar(CPoint point);
    // ---- the scroll block's owner
    BOOL IsScrollBarEnabled() const override { return GetEnabled(); }
    CWnd* GetParentWindow() const override;
    void RedrawScrollBar() override { RedrawParent(FALSE); }
    CXTPScrollBarPaintManager* GetScrollBarPaintManager() const override;
    // One notch of the wheel scrolls three item heights (down for a negative delta).
    virtual BOOL OnMouseWheel(short zDelta);

    // ---- notifications and painting
    virtual void NotifySelectionChanged(BOOL bKeyboard);
    // Items were added or removed: no highlight, scrolled to the top, laid out, preview ended.
    virtual void OnItemsChanged();
    virtual void DrawBackground(CDC* pDC);
    void DrawItems(CDC* pDC);
    CXTPControlGalleryPaintManager* GetGalleryPaintManager() const;

    // ---- accessibility (child n is item n - 1)
    HRESULT GetAccessibleChildCount(long* pcountChildren) override;
    HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild) override;
    HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName) override;
    HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    HRESULT AccessibleSelect(long flagsSelect, VARIANT varChild) override;
    HRESULT AccessibleDoDefaultAction(VARIANT varChild) override;
    HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;

    // ---- the control's operations
    BOOL IsFocused() const override;
    void SetRect(CRect rcControl) override;
    void OnExecute() override;
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void OnCalcDynamicSize(DWORD dwMode) override;
    void DoPropExchange(CXTPPropExchange* pPX) override;
    BOOL SetAction(CXTPControlAction* pAction) override;
    void Copy(CXTPControl* pControl, BOOL bRecursive = FALSE) override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0)) override;
    BOOL OnHookKeyDown(UINT nChar, LPARAM lParam) override;
    BOOL SetPopup(BOOL bPopup) override;
    void OnLButtonUp(CPoint point) override;
    void OnMouseMove(CPoint point) override;
    // The preview timer (112223 on the bar, 200 ms after a new highlight by the mouse).
    void OnMouseHover() override;
    BOOL OnSetSelected(int bSelected) override;
    BOOL IsCustomizeResizeAllowed() const override;
    int GetCustomizeMinWidth() const override;
    virtual int GetCustomizeMinHeight() const;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) override;
    CXTPControl* Clone(BOOL bRecursive = FALSE) override;
    void AdjustExcludeRect(CRect& rc, BOOL bVertical) override;

protected:
    // Redraws an item (partial-redraw collections) or the whole control.
    void RedrawItem(int nIndex);
    void StartPreview();
    void EndPreview();
    void LayoutItems(const CRect& rcItems);
    void ClampScrollPos();
    BOOL IsItemAt(int nIndex, BOOL bAllowLabel) const;

    int m_nCheckedItem = -1;
    int m_nSelected = -1;
    BOOL m_bHideSelection = FALSE;
    BOOL m_bPressed = FALSE;
    CPoint m_ptPressed = CPoint(0, 0);
    int m_nScrollPos = 0;
    int m_nScrollTarget = 0;
    double m_dScrollStep = 0;
    BOOL m_bKeyboardSelected = FALSE;
    int m_nTotalHeight = 0;
    BOOL m_bShowLabels = TRUE;
    BOOL m_bShowScrollBar = TRUE;
    BOOL m_bShowBorders = FALSE;
    CRect m_rcMargin = CRect(0, 0, 0, 0);
    BOOL m_bPreview = FALSE;
    int m_nResizable = 0;
    BOOL m_bAutoScrollBar = FALSE;
    BOOL m_bTransparent = FALSE;
    BOOL m_bScrollBarHidden = FALSE; // auto scroll bar: the items fit
    CArray<GALLERYITEM_POSITION, const GALLERYITEM_POSITION&> m_arrPositions;
};
