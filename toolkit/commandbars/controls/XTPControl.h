// CXTPControl: the base of every item a command bar shows: identity (command id, type), texts,
// visibility and state flags, its rectangle in the bar, effective values taken from its action,
// persistence, copy and compare.
#pragma once

#include "framework/CmdTarget.h"
#include "framework/DC.h"
#include "framework/FrameworkString.h"
#include "framework/Map.h"
#include "toolkit/commandbars/XTPCommandBarsIds.h"
#include "toolkit/common/system/XTPAccessible.h"

#include <commctrl.h>

class CXTPCommandBar;
class CXTPCommandBarList;
class CXTPCommandBars;
class CXTPControl;
class CXTPControlAction;
class CXTPControls;
class CXTPImageManager;
class CXTPImageManagerIcon;
class CXTPPaintManager;
class CXTPPropExchange;
struct XTP_COMMANDBARS_PROPEXCHANGE_PARAM;

enum XTPControlType
{
    xtpControlError = 0,
    xtpControlButton = 1,
    xtpControlPopup = 2,
    xtpControlButtonPopup = 3,
    xtpControlSplitButtonPopup = 4,
    xtpControlComboBox = 5,
    xtpControlEdit = 6,
    xtpControlCustom = 7,
    xtpControlLabel = 8,
    xtpControlCheckBox = 9,
    xtpControlGallery = 10,
    xtpControlRadioButton = 11
};

// Button styles (the effective style decides icon and caption display).
enum XTPButtonStyle
{
    xtpButtonAutomatic = 0,
    xtpButtonCaption = 1,
    xtpButtonIcon = 2,
    xtpButtonIconAndCaption = 3,
    xtpButtonIconAndCaptionBelow = 4,
    xtpButtonCaptionAndDescription = 5
};

// Hide-flag bits.
const int xtpHideGeneric = 1;
const int xtpHideWrap = 2;
const int xtpHideDockingPosition = 4;
const int xtpHideScroll = 8;
const int xtpHideCustomize = 0x10;
const int xtpHideExpand = 0x20;
const int xtpHideDocTemplate = 0x40;
// Flag bits.
const int xtpFlagRightAlign = 1;
const int xtpFlagSkipFocus = 2;
const int xtpFlagNoMovable = 0x10;
const int xtpFlagControlStretched = 0x20;
const int xtpFlagManualUpdate = 8;
const int xtpFlagShowPopupBarTip = 0x40;
const int xtpFlagWrapRow = 0x80;

// Private messages and notification codes of the controls.
const UINT XTP_WM_CONTROL_NOTIFY = XTP_WM_CONTROL_NOTIFY_MESSAGE;
const int XTP_CN_EXECUTE = XTP_CN_EXECUTE_CODE;

// Splits a command string ("description\ntooltip\ncaption\nkeyboard tip") into at most four parts;
// the number of parts (1 when the text holds no newline).
int XTPSplitCommandString(const CString& strPrompt, CString* pParts);
// Applies a command string to the texts of a control or an action: the description and tooltip always
// (a text without a newline is both), the keyboard tip only where none is set. The caption part (empty
// when the string holds none) goes to strCaptionPart for the caller's own caption rule. FALSE for a
// text without a newline, which names no caption.
BOOL XTPApplyCommandPrompt(LPCSTR lpszPrompt, CString& strDescription, CString& strTooltip,
                           CString& strKeyboardTip, CString& strCaptionPart);

// The record sent with a control's notification to its bar's owner window.
struct NMXTPCONTROL
{
    NMHDR hdr;
    CXTPControl* pControl;
};

// Class schema of the control kinds in archives: the exchange's current schema, versionable so that
// archives of older schemas still load (the control reads the exchange's schema itself).
#define XTP_CONTROL_CLASS_SCHEMA (VERSIONABLE_SCHEMA | 38)

class CXTPControl : public CCmdTarget, public CXTPAccessible
{
    DECLARE_SERIAL(CXTPControl)

public:
    // Document-template ids for which the control is shown or hidden.
    class CDocTemplateMap : public CMap<UINT, UINT, int, int>
    {
    public:
        CDocTemplateMap() : CMap<UINT, UINT, int, int>(10) {}
        void Copy(const CDocTemplateMap& src);
        BOOL IsEqual(const CDocTemplateMap& other) const;
    };

    CXTPControl();
    ~CXTPControl() override;

    // Identity and texts.
    int GetID() const { return m_nId; }
    void SetID(int nId);
    int GetType() const { return m_controlType; }
    void SetType(int nType) { m_controlType = nType; }
    int GetIndex() const { return m_nIndex; }
    void SetCaption(LPCSTR lpszCaption);
    void SetCaptionFromResource(UINT nId);
    void SetCustomCaption(LPCSTR lpszCaption) { m_strCustomCaption = lpszCaption; }
    void SetTooltip(LPCSTR lpsz) { m_strTooltipText = lpsz; }
    void SetDescription(LPCSTR lpsz) { m_strDescriptionText = lpsz; }
    void SetShortcutText(LPCSTR lpsz) { m_strShortcutText = lpsz; }
    void SetKeyboardTip(LPCSTR lpsz) { m_strKeyboardTip = lpsz; }
    void SetParameter(LPCSTR lpsz) { m_strParameter = lpsz; }
    void SetCategory(LPCSTR lpsz) { m_strCategory = lpsz; }
    CString GetParameter() const { return m_strParameter; }
    CString GetCategory() const { return m_strCategory; }
    CString GetShortcutText() const;
    // The control's own shortcut text, else its action's (never the automatic one).
    CString GetOwnShortcutText() const;
    // The automatic shortcut text (from the caption after a tab, or from the shortcut table).
    CString GetShortcutTextAuto() const { return m_strShortcutTextAuto; }
    void SetShortcutTextAuto(LPCSTR lpsz) { m_strShortcutTextAuto = lpsz; }
    CString GetKeyboardTip() const;
    CString GetEffectiveCaption() const { return GetCaption(); }
    // Applies a command string ("description\ntooltip\ncaption\nkeyboard tip").
    void SetPrompt(LPCSTR lpszPrompt);

    // Flags and state.
    int GetIconId() const;
    void SetIconId(int nId) { m_nIconId = nId; }
    int GetHelpId() const { return m_nHelpId; }
    void SetHelpId(int nId) { m_nHelpId = nId; }
    int GetCustomIconId() const { return m_nCustomIconId; }
    void SetCustomIconId(int nId) { m_nCustomIconId = nId; }
    BOOL GetBeginGroup() const { return m_bBeginGroup; }
    BOOL GetEnabled() const;
    BOOL GetChecked() const;
    int GetHideFlags() const { return m_dwHideFlags; }
    int GetFlags() const { return m_dwFlags; }
    void SetFlags(int dwFlags) { m_dwFlags = dwFlags; }
    void SetVisible(BOOL bVisible);
    int GetStyle() const;
    void SetStyle(int nStyle);
    int GetCustomStyle() const { return m_buttonCustomStyle; }
    void SetCustomStyle(int nStyle) { m_buttonCustomStyle = nStyle; }
    void SetPresetStyle(int nStyle) { m_buttonPresetStyle = nStyle; }
    BOOL GetWrap() const { return m_bWrap; }
    void SetWrap(BOOL bWrap) { m_bWrap = bWrap; }
    CRect GetRect() const { return m_rcControl; }
    CRect GetRowRect() const { return m_rcRow; }
    void SetRowRect(CRect rc) { m_rcRow = rc; }
    BOOL IsTemporary() const { return m_bTemporary; }
    void SetTemporary(BOOL b) { m_bTemporary = b; }
    ULONG_PTR GetTag() const { return m_nTag; }
    void SetTag(ULONG_PTR nTag) { m_nTag = nTag; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    BOOL IsDefaultItem() const { return m_bDefaultItem; }
    void SetDefaultItem(BOOL bDefault);
    BOOL GetCloseSubMenuOnClick() const { return m_bCloseSubMenuOnClick; }
    void SetCloseSubMenuOnClick(BOOL b) { m_bCloseSubMenuOnClick = b; }
    int GetExecuteOnPressInterval() const { return m_nExecuteOnPressInterval; }
    void SetExecuteOnPressInterval(int n) { m_nExecuteOnPressInterval = n; }
    void SetIconSize(CSize sz) { m_szIcon = sz; }
    // Facts other parts read: the ribbon group, the size state, whether it paints its face.
    void* GetRibbonGroup() const { return m_pRibbonGroup; }
    void SetRibbonGroup(void* pGroup) { m_pRibbonGroup = pGroup; }
    int GetSizeState() const { return m_nSizeState; }
    void SetSizeState(int nState) { m_nSizeState = nState; }
    BOOL HasOwnFace() const { return m_bOwnFace; }
    void SetOwnFace(BOOL b) { m_bOwnFace = b; }

    CXTPControls* GetControls() const { return m_pControls; }
    CXTPCommandBar* GetParent() const { return m_pParent; }
    CXTPControlAction* GetAction() const { return m_pAction; }
    CXTPCommandBars* GetCommandBars() const;
    CXTPPaintManager* GetPaintManager() const;
    CXTPImageManagerIcon* GetIconImage(int nWidth) const { return GetImage(nWidth); }
    // The parent bar's image manager, else the command bars', else the process-wide one.
    CXTPImageManager* GetImageManager() const;

    void DelayLayoutParent();
    BOOL RedrawParent(BOOL bAnimate = TRUE);
    BOOL IsCustomizeMode() const;
    BOOL IsImageVisible() const;
    LRESULT NotifySite(UINT nCode);
    // pData: null, or a record that begins with an NMXTPCONTROL (filled here and sent in place).
    LRESULT NotifySiteWithData(UINT nCode, NMHDR* pData);

    // Virtual operations (in their order).
    virtual CString GetCaption() const;
    virtual CString GetDescription() const;
    virtual CString GetTooltip(LPPOINT pPoint = nullptr, LPRECT lpRectTip = nullptr, int* nHit = nullptr) const;
    virtual void SetBeginGroup(BOOL bBeginGroup);
    virtual void SetEnabled(BOOL bEnabled);
    virtual void OnEnabledChanged() {}
    virtual void SetChecked(BOOL bChecked);
    virtual int GetSelected() const { return m_bSelected; }
    virtual void OnThemeChanged() {}
    virtual BOOL IsFocused() const { return FALSE; }
    virtual int GetPressed() const { return m_bPressed; }
    virtual void SetRect(CRect rcControl);
    virtual BOOL IsVisible(DWORD dwSkipFlags = 0) const;
    virtual BOOL IsCaptionVisible() const;
    virtual BOOL Compare(CXTPControl* pOther);
    virtual CXTPCommandBar* GetCommandBar() const { return nullptr; }
    virtual BOOL HasDwmCompositedRect() const { return FALSE; }
    virtual void SetHideFlags(int dwFlags);
    virtual void OnExecute();
    virtual CSize GetSize(CDC* pDC);
    virtual void Draw(CDC* pDC);
    virtual void OnCalcDynamicSize(DWORD /*dwMode*/) {}
    virtual CXTPImageManagerIcon* GetImage(int nWidth = 16) const;
    virtual void DoPropExchange(CXTPPropExchange* pPX);
    virtual void OnActivate() { OnExecute(); }
    virtual int GetPopped() const { return 0; }
    virtual BOOL SetAction(CXTPControlAction* pAction);
    virtual void OnUnderlineActivate() {}
    virtual void SetWidth(int nWidth);
    virtual void SetHeight(int nHeight);
    virtual CSize GetButtonSize() const;
    virtual CSize GetIconSize() const;
    virtual void Copy(CXTPControl* pControl, BOOL bRecursive = FALSE);
    virtual void OnClick(BOOL /*bKeyboard*/ = FALSE, CPoint /*pt*/ = CPoint(0, 0)) {}
    virtual BOOL IsCustomizeMovable() const;
    virtual BOOL IsCustomizeDragOverAvail(CXTPCommandBar*, CPoint, int&) { return FALSE; }
    virtual BOOL OnKeyDown(UINT /*nChar*/, UINT /*nFlags*/) { return FALSE; }
    virtual BOOL OnHookKeyDown(UINT, LPARAM) { return FALSE; }
    // The wheel over a tracking bar whose hot control this is (delta as WM_MOUSEWHEEL gives it);
    // TRUE when the control used it.
    virtual BOOL OnMouseWheel(short /*zDelta*/) { return FALSE; }
    virtual void SetParent(CXTPCommandBar* pParent) { m_pParent = pParent; }
    virtual BOOL SetPopup(BOOL /*bPopup*/) { return FALSE; }
    virtual void OnLButtonUp(CPoint /*point*/) {}
    virtual BOOL OnLButtonDown(CPoint point);
    virtual BOOL OnRButtonDown(CPoint) { return FALSE; }
    virtual BOOL OnRButtonUp(CPoint) { return FALSE; }
    virtual BOOL OnLButtonDblClk(CPoint point);
    virtual void OnMouseMove(CPoint /*point*/) {}
    virtual void OnMouseHover();
    virtual BOOL OnSetSelected(int bSelected);
    virtual void OnCustomizeMouseDown(CPoint /*point*/) {}
    virtual BOOL CustomizeStartResize(CPoint point);
    virtual void OnCloseOtherPopups() {}
    virtual BOOL CanDropInto() const { return TRUE; }
    virtual BOOL IsCustomizeResizeAllowed() const { return FALSE; }
    virtual int GetCustomizeMinWidth() const { return 0; }
    virtual BOOL IsContainer() const { return FALSE; }
    virtual void OnMouseLeave() {}
    virtual void OnRemoved();
    virtual INT_PTR OnToolHitTest(CPoint, TOOLINFOA*) { return -1; }
    // Saving and loading the bars: the control's own bar (GetCommandBar) takes part in the list of
    // bars saved, and resolves its popups against the bars loaded.
    virtual void RestoreCommandBarList(CXTPCommandBarList* pBarList);
    virtual void GenerateCommandBarList(DWORD& nID, CXTPCommandBarList* pBarList,
                                        XTP_COMMANDBARS_PROPEXCHANGE_PARAM* pParam);
    virtual void OnActionChanged(int nProperty);
    virtual void OnActionChanging(int /*nProperty*/) {}
    virtual void OnCaptionChanged() {}
    virtual CXTPControl* Clone(BOOL bRecursive = FALSE);

    // Customisation: the resize cursor within 3 pixels of either edge when resizing is allowed.
    BOOL UpdateCustomizeResizeCursor(CPoint point);
    // Which edge a point (bar client coordinates) grips: -1 left, 1 right, 0 none.
    int HitTestCustomizeResizeEdge(CPoint point) const;

    // Accessibility.
    HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName) override;
    HRESULT GetAccessibleDescription(VARIANT varChild, BSTR* pszDescription) override;
    HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT GetAccessibleKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut) override;
    HRESULT GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    // The parent is the bar; a control has no children but its command bar (child 1).
    HRESULT GetAccessibleParent(IDispatch** ppdispParent) override;
    HRESULT GetAccessibleChildCount(long* pcountChildren) override;
    HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild) override;
    // Selects the control on its bar as the keyboard does (the bar enters tracking mode).
    HRESULT AccessibleSelect(long flagsSelect, VARIANT varChild) override;
    // The control's rectangle in screen coordinates.
    HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    // The control itself for a screen point inside both its bar's window and its rectangle.
    HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
    // Clicks the control as the keyboard does.
    HRESULT AccessibleDoDefaultAction(VARIANT varChild) override;
    // The access key of a caption: the letter after a single "&" ("&&" is a literal ampersand).
    static CString GetAccessKey(const CString& strCaption);
    // A caption without its access-key markers ("&&" becomes "&").
    static CString StripAccessKeys(const CString& strCaption);
    // A text as a new accessibility string (the caller frees it).
    static BSTR AllocAccessibleString(const CString& str);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // Held press of a button kind (XTPControlTrackPushed.cpp): pressed look until the release,
    // execution when released over rcButton (empty: the control's rectangle); with an
    // execute-on-press interval the command repeats while held. The bar's idle update reads the
    // control's own enabled value (-1: the action's).
    void TrackPushed(CRect rcButton = CRect(0, 0, 0, 0));
    int GetOwnEnabled() const { return m_bEnabled; }

protected:
    // A kind (button, button popup, split button) that shows either its picture or, without one,
    // its caption when it has no style.
    BOOL ShowsPictureOrCaption() const;
    // Runs command nId: the site's XTP_CN_EXECUTE notification and, when no handler takes it,
    // WM_COMMAND to the owner of pParent (the bar the control was executed on); no WM_COMMAND
    // without that bar or an owner window.
    void SendExecuteCommand(CXTPCommandBar* pParent, int nId);
    friend class CXTPControls;
    friend class CXTPControlAction;

    ULONG_PTR m_nTag = 0;
    int m_nIndex = 0;
    int m_nId = 0;
    int m_nIconId = 0;
    int m_nHelpId = 0;
    int m_nCustomIconId = 0;
    BOOL m_bWrap = FALSE;
    BOOL m_bBeginGroup = FALSE;
    int m_bEnabled = 1;
    int m_bChecked = 0;
    int m_bSelected = 0;
    int m_bPressed = 0;
    BOOL m_bTemporary = FALSE;
    CRect m_rcRow;
    CRect m_rcControl;
    int m_dwHideFlags = 0;
    int m_dwFlags = 0;
    CString m_strCaption;
    CString m_strCustomCaption;
    CString m_strShortcutText;
    CString m_strShortcutTextAuto;
    CString m_strTooltipText;
    CString m_strDescriptionText;
    CString m_strParameter;
    CString m_strKeyboardTip;
    CXTPControls* m_pControls = nullptr;
    int m_controlType = xtpControlButton;
    CXTPCommandBar* m_pParent = nullptr;
    int m_nMenuUsage = 0;
    CString m_strCategory;
    BOOL m_bDefaultItem = FALSE;
    CDocTemplateMap m_mapDocTemplatesAssigned;
    CDocTemplateMap m_mapDocTemplatesExcluded;
    int m_buttonStyle = 0;
    int m_buttonCustomStyle = -1;
    int m_buttonPresetStyle = 0;
    BOOL m_bCloseSubMenuOnClick = TRUE;
    CXTPControlAction* m_pAction = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nExecuteOnPressInterval = 0;
    CSize m_szIcon = CSize(0, 0);

    void* m_pRibbonGroup = nullptr;
    int m_nSizeState = 0;
    BOOL m_bOwnFace = FALSE;

public:
    // Drawn over desktop-composition glass: on a ribbon whose glass part meets the control, or on a
    // bar that is itself on glass; FALSE without a parent bar (body in XTPControlDwmGlass.cpp).
    BOOL IsOnDwmGlass() const;
};
