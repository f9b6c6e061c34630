// CXTPControls: the ordered controls of one command bar: creation by type (through a table that
// later control kinds join), finding, hit-testing and keyboard navigation, removal, the saved
// original set. CXTPOriginalControls: the same collection marked as a saved original set.
#pragma once

#include "framework/Array.h"
#include "framework/CmdTarget.h"
#include "toolkit/commandbars/controls/XTPControl.h"

class CMenu;
class CXTPCommandBar;
class CXTPCommandBarList;
class CXTPCommandBars;
class CXTPControlPopup;
class CXTPOriginalControls;
struct XTP_COMMANDBARS_PROPEXCHANGE_PARAM;

// The record sent with XTP_WM_CONTROL_CREATE and XTP_WM_CONTROL_CREATED.
struct XTP_COMMANDBARS_CREATECONTROL
{
    int nID;
    CXTPControl* pControl; // a finished control the site returns, used unchanged
    CString strCaption;
    int controlType;
    int buttonStyle;
    CXTPCommandBar* pCommandBar;
    HMENU hMenu;
    int nIndex;
};

// The placeholder text of the OLE verbs item (command ID_OLE_VERB_FIRST).
#define XTP_OLE_VERBS_PLACEHOLDER "<<OLE VERBS GO HERE>>"

class CXTPControls : public CCmdTarget
{
    DECLARE_DYNCREATE(CXTPControls)

public:
    // Makes a control of a type for an id; null to leave it to the kind registered before.
    typedef CXTPControl* (*PFNCREATECONTROL)(int nType, int nId, BOOL bTemporary);
    // A control kind joins AddByType for a type; returns the maker it takes over from (which it
    // calls for the ids it does not make itself).
    static PFNCREATECONTROL RegisterControlType(int nType, PFNCREATECONTROL pfnCreate);
    static CXTPControl* CreateControlByType(int nType, int nId, BOOL bTemporary);

    CXTPControls();
    ~CXTPControls() override;

    int GetCount() const { return static_cast<int>(m_arrControls.GetSize()); }
    // Null outside 0..count-1.
    CXTPControl* GetAt(int nIndex) const;
    CXTPControl* GetFirst() const { return GetAt(0); }

    CXTPControl* InsertAt(CXTPControl* pControl, int nIndex);
    CXTPControl* Append(CXTPControl* pControl) { return InsertAt(pControl, -1); }
    CXTPControl* Add(CXTPControl* pControl, int nId, LPCSTR lpszParameter = nullptr, int nBefore = -1,
                     BOOL bTemporary = FALSE);
    CXTPControl* AddByType(int nType, int nId, LPCSTR lpszParameter = nullptr, int nBefore = -1,
                           BOOL bTemporary = FALSE);
    CXTPControl* AddClone(CXTPControl* pSource, int nBefore = -1, BOOL bRecursive = FALSE);
    // Appends a control for the menu item at a position; null for separators, 0xFF00 and kinds
    // that do not exist.
    CXTPControl* AddMenuItem(HMENU hMenu, int nIndex);
    // Changes a control's kind: between the popup types 2, 3 and 4 only the type changes; any
    // other change puts a copy of the control, made as the new type, in its place. The control
    // that now stands there, or null (a control of another collection, a bad index, a type
    // without a kind).
    CXTPControl* SetControlType(CXTPControl* pControl, int nType);
    CXTPControl* SetControlTypeAt(int nIndex, int nType) { return SetControlType(GetAt(nIndex), nType); }
    void RemoveAll();
    void RemoveAt(int nIndex);

    CXTPControl* FindControl(int nType, int nId, BOOL bVisible, BOOL bRecursive) const;
    CXTPControl* FindControlById(int nId) const { return FindControl(0, nId, FALSE, FALSE); }
    CXTPControl* HitTest(CPoint point) const;
    int GetVisibleCount(BOOL bStrict = FALSE) const;
    CXTPControl* GetVisibleControl(int nIndex, BOOL bStrict = FALSE) const;
    int FindNextIndex(int nStart, int nStep, BOOL bSkipNonNavigable = TRUE, BOOL bSkipTemporary = FALSE,
                      BOOL bMenuMode = FALSE) const;

    void SetParent(CXTPCommandBar* pParent);
    CXTPCommandBar* GetParent() const { return m_pParent; }
    void SetCommandBars(CXTPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    CXTPCommandBars* GetCommandBars() const;

    void CreateOriginalControls();
    void SetOriginalControls(CXTPOriginalControls* pOriginal);
    CXTPOriginalControls* GetOriginalControls() const { return m_pOriginalControls; }
    BOOL IsEqual(const CXTPControls* pOther) const;
    BOOL IsChanged() const;
    BOOL IsOriginalControls() const { return m_bOriginalControls; }
    // Saving and loading the bars: the bars of the controls (and of the original controls when the
    // parameters include them) join the list; loaded popups resolve against it.
    void GenerateCommandBarList(DWORD& nID, CXTPCommandBarList* pBarList, XTP_COMMANDBARS_PROPEXCHANGE_PARAM* pParam);
    void RestoreCommandBarList(CXTPCommandBarList* pBarList);

    // Lays the controls out for a length and layout mode (bits: 1 stretch, 2 horizontal, 4 the
    // bar's remembered width, 8 docked horizontally, 0x10 docked vertically, 0x20 the length is a
    // height, 0x40 commit, 0x80 hide what does not fit, 0x100 floating); the size with the margins.
    CSize CalcDynamicSize(CDC* pDC, int nLength, DWORD dwMode, const CRect& rcBorder, int nMinWidth = 0);

    // Column layout of popup-type bars: controls stacked downward, a new column where the height
    // limit (less the bottom margin) is passed or a control has flag 0x80; each control's width is
    // capped at the width factor of the work area's right edge unless bNoWidthCap; a fixed width
    // in 1..29999 overrides the last column's width. The size with the margins.
    CSize WrapRows(CDC* pDC, int nHeightLimit, const CRect& rcBorder, int nFixedWidth = 0, BOOL bNoWidthCap = FALSE);
    static double GetPopupWidthFactor();
    static void SetPopupWidthFactor(double dFactor);

    // Virtual operations (in their order).
    virtual void Remove(CXTPControl* pControl);
    virtual void Copy(CXTPControls* pSource, BOOL bRecursive = FALSE);
    // The enumeration "Control" (class, then the control's keys) of the controls to save, then
    // (schema above 2) "OriginalControls" and "CustomizedControls" with their subsections.
    virtual void DoPropExchange(CXTPPropExchange* pPX);
    virtual BOOL ShouldSaveControl(CXTPControl* pControl) const { return !pControl->IsTemporary(); }
    virtual void OnControlAdded(CXTPControl* pControl);
    virtual void DetachControl(CXTPControl* pControl);
    virtual BOOL IsControlKept(CXTPControl*) const { return FALSE; }
    virtual void RefreshIndexes();

protected:
    // The window told of new controls and bars: the manager's site, else the parent bar's owner.
    HWND GetSiteWindow() const;
    // The bar a popup control opens: the site is offered the request first (its answer is used
    // when it is a popup bar), else a new popup bar of the manager's class. One reference is the
    // caller's.
    CXTPCommandBar* RequestPopupBar(int nId, LPCSTR lpszCaption) const;
    // Gives a popup made by type its bar, filled from the first sub-menu of the menu resource
    // with the popup's id when there is one; that item's text, or empty.
    CString AttachPopupBar(CXTPControlPopup* pPopup, int nId) const;

    CArray<CXTPControl*, CXTPControl*> m_arrControls;
    CXTPCommandBar* m_pParent = nullptr;
    CXTPCommandBars* m_pCommandBars = nullptr;
    CXTPOriginalControls* m_pOriginalControls = nullptr;
    BOOL m_bOriginalControls = FALSE;
};

class CXTPOriginalControls : public CXTPControls
{
    DECLARE_DYNCREATE(CXTPOriginalControls)

public:
    CXTPOriginalControls() { m_bOriginalControls = TRUE; }
};
