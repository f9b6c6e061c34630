// CXTPCommandBars: the command-bars manager of a frame or dialog (its site). It holds the bars,
// the options, the shortcut manager, the actions, the context menus, the tooltip context and the
// customisation drop source, and optionally its own paint and image managers and a frame hook.
// The site forwards its message pre-translation (PreTranslateFrameMessage) and a fixed set of frame
// messages (OnFrameWndMsg) to it; those live in XTPCommandBarsFrame.cpp.
#pragma once

#include "framework/Array.h"
#include "framework/CmdTarget.h"
#include "framework/Wnd.h"
#include "framework/Array.h"
#include "toolkit/commandbars/bars/XTPCommandBarKeyboard.h"
#include "toolkit/commandbars/bars/XTPCommandBarKeyboardTip.h"
#include "toolkit/commandbars/bars/XTPCommandBarList.h"

class CXTPCommandBar;
class CXTPCommandBarsFrameHook;
class CXTPPopupBar;
class CXTPReBar;
class CMenu;
class CXTPCommandBarsOptions;
class CXTPControl;
class CXTPControlActions;
class CXTPControlAction;
class CXTPCustomizeDropSource;
// Docking (XTPCommandBarsDocking.cpp).
class CXTPDockBar;
class CXTPToolBar;
class CXTPImageManager;
class CXTPKeyboardManager;
class CXTPMouseManager;
class CXTPPaintManager;
class CXTPShortcutManager;
class CXTPToolTipContext;
class CXTPBarLayoutState;
class CXTPStatusBar;
class CXTPPropExchange;
class CFile;
struct XTP_COMMANDBARS_PROPEXCHANGE_PARAM;
struct CRuntimeClass;

// Docked left or right (2, 3).
BOOL IsVerticalDockPosition(int nBarPosition);
// The positions whose controls run from top to bottom: docked left or right, and popups (2, 3, 5).
BOOL IsVerticalPosition(int nBarPosition);

class CXTPCommandBars;

// The manager's context menus: popup bars, each marked as a context menu when added.
class CXTPCommandBarsContextMenus : public CXTPCommandBarList
{
public:
    explicit CXTPCommandBarsContextMenus(CXTPCommandBars* pCommandBars) : CXTPCommandBarList(pCommandBars) {}
    CXTPCommandBar* Add(CXTPCommandBar* pPopupBar);
};

class CXTPCommandBars : public CCmdTarget
{
    DECLARE_DYNCREATE(CXTPCommandBars)

public:
    CXTPCommandBars();
    ~CXTPCommandBars() override;
    static CXTPCommandBars* CreateCommandBars();

    // ---- actions: the collection exists from construction; controls use it once enabled
    void EnableActions(BOOL bEnable = TRUE) { m_bEnableActions = bEnable; }
    BOOL IsActionsEnabled() const { return m_bEnableActions; }
    // The actions while they are enabled, else null (controls then keep their own states).
    CXTPControlActions* GetActions() const { return m_bEnableActions ? m_pActions : nullptr; }
    // The action of an id, made when missing; null while actions are disabled.
    CXTPControlAction* CreateAction(int nId);
    CXTPControlAction* FindAction(int nId) const;

    // ---- customisation
    BOOL IsCustomizeMode() const { return m_bCustomizeMode; }
    // Marks the options changed, clears the drag control and shows keyboard cues in customise mode.
    void SetCustomizeMode(BOOL bMode);
    BOOL IsCustomizable() const { return m_bCustomizable; }
    CXTPControl* GetDragControl() const { return m_pDragControl; }
    // Redraws the old and the new control and tells the customise dialog (else the site), 0x2857.
    void SetDragControl(CXTPControl* pControl);
    CXTPCustomizeDropSource* GetDropSource() const { return m_pDropSource; }
    // The open customise dialog (held by the drop source), or null.
    CWnd* GetCustomizeDialog() const;
    // A customise dialog is available to the user (its command is offered).
    BOOL m_bCustomizeAvail = FALSE;
    // Every control may be moved in customisation (off by default).
    BOOL m_bAllowMoveAllControls = FALSE;
    BOOL IsRarelyUsedCommand(UINT nId) const;
    void MarkCommandUsed(UINT nId);
    BOOL IsControlHidden(CXTPControl* pControl) const;
    // A control executed its command (counts it and marks it used).
    void SetCommandUsed(int nId);
    int GetCommandUsedCount() const { return m_nUsedCount; }

    // ---- site and wiring
    CWnd* GetSite() const { return m_hWndSite ? CWnd::FromHandle(m_hWndSite) : nullptr; }
    // Stores the site, asks it whether it handles the customise command (customizable) and takes
    // right-to-left from its WS_EX_LAYOUTRTL.
    void SetSite(CWnd* pSite);
    BOOL IsLayoutRTL() const;
    CXTPPaintManager* GetPaintManager() const;
    void SetPaintManager(CXTPPaintManager* pPaintManager);
    void SetTheme(int nTheme);
    CXTPImageManager* GetImageManager() const;
    void SetImageManager(CXTPImageManager* pImageManager);
    CXTPToolTipContext* GetToolTipContext() const { return m_pToolTipContext; }
    CXTPShortcutManager* GetShortcutManager() const { return m_pShortcutManager; }
    CXTPCommandBarsContextMenus* GetContextMenus() const { return m_pContextMenus; }
    // The calling thread's input managers, cached by the first call.
    CXTPMouseManager* GetMouseManager() const;
    CXTPKeyboardManager* GetKeyboardManager() const;

    // ---- frame theme
    // On: makes the frame hook once and attaches it; off: deletes it. Then the frame layout.
    void EnableFrameTheme(BOOL bEnable = TRUE);
    CXTPCommandBarsFrameHook* GetFrameHook() const { return m_pFrameHook; }
    // The frame hook draws the site's frame with desktop composition.
    BOOL IsDwmEnabled() const;

    // ---- the options and their profile form ("<profile>-Options"; saving empties it first)
    CXTPCommandBarsOptions* GetCommandBarsOptions() const { return m_pOptions; }
    void SaveOptions(LPCSTR lpszProfileName);
    void LoadOptions(LPCSTR lpszProfileName);
    // Keyboard cues: in use (Alt shows them) and visible now; set by the options' cue mode.
    BOOL m_bKeyboardCuesInUse = FALSE;
    BOOL m_bKeyboardCuesVisible = TRUE;
    // In customise mode the argument counts as TRUE; only while cues are in use; redraws the bars.
    void ShowKeyboardCues(BOOL bShow);
    BOOL IsKeyboardCuesVisible() const { return m_bKeyboardCuesVisible; }

    // Alt with Shift down is left to the site.
    BOOL m_bIgnoreShiftMenuKey = FALSE;

    // ---- bars
    // Makes a bar of the run-time class (null without one), gives it this manager, the title and
    // the position, and creates its window on the site; null when that fails.
    CXTPCommandBar* Add(LPCSTR lpszTitle, int nBarPosition, CRuntimeClass* pBarClass = nullptr);
    // Appends a bar made elsewhere (its window already created); the manager takes over the
    // caller's reference. Returns the bar.
    CXTPCommandBar* AddCommandBar(CXTPCommandBar* pCommandBar);
    int GetCount() const { return static_cast<int>(m_arrBars.GetSize()); }
    CXTPCommandBar* GetAt(int nIndex) const;
    int IndexOf(const CXTPCommandBar* pCommandBar) const;
    // The first bar with that id; null for id 0.
    CXTPCommandBar* GetToolBar(UINT nBarID) const;
    // The first bar with that id (0 included), or null.
    CXTPCommandBar* FindCommandBar(UINT nBarID) const;
    // The bar with id 1 when it is a menu bar (or the ribbon), else null.
    virtual CXTPCommandBar* GetMenuBar() const;
    // Steps cyclically from nIndex by nStep (+1 or -1; -1 with -1 starts at the last bar) to the
    // first bar visible on screen; wraps once; -1 when none.
    int GetNextVisibleIndex(int nIndex, int nStep) const;
    void ToggleVisible(int nIndex);
    // Hides the bar, takes it out and releases it.
    void Remove(CXTPCommandBar* pCommandBar);
    void RemoveAll();

    // ---- layout and drawing
    // Nothing while locked or without a site window. A frame lays out at once, or with bDelay at
    // idle time (idle flag 8); any other site gets WM_SIZE with its client size.
    virtual void RecalcFrameLayout(BOOL bDelay = FALSE);
    // Runs a frame layout that RecalcFrameLayout(TRUE) left for idle time.
    void PerformPendingLayout();
    void LockLayout(BOOL bLock) { m_bRecalcLayout = bLock; }
    BOOL IsLayoutLocked() const { return m_bRecalcLayout; }
    void RedrawCommandBars();
    // The idle command-UI update of every bar (WM_IDLEUPDATECMDUI to each bar window).
    void UpdateCommandBars() const;
    void SetTemporarilyHidden(void* pValue);
    void* GetTemporarilyHidden() const { return m_pTemporarilyHidden; }

    // ---- tracking and keyboard
    // Every tracked bar of the thread leaves tracking mode.
    void EndAllTracking();
    virtual void OnTrackingModeChanged(CXTPCommandBar* pCommandBar, int bMode);
    BOOL ActivateBarByKeyboard(CXTPCommandBar* pCommandBar, int nStep);
    // TRUE when the site's message is consumed.
    BOOL PreTranslateFrameMessage(MSG* pMsg);
    BOOL ProcessMnemonicKey(UINT nKey);
    // The control whose access key is nKey, searched from the start bar's selection (and on through
    // the visible bars when the options' "KeyboardCuesUse" has bit 1). bDuplicate: more than one.
    CXTPControl* FindAccessKeyControl(CXTPCommandBar* pStartBar, UINT nKey, BOOL& bDuplicate) const;
    // TRUE when handled (*pResult then holds the answer).
    BOOL OnFrameWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The input desktop is not the one named "Default" (a secure desktop).
    BOOL IsInputDesktopNotDefault() const;

    // Help id of the highlighted menu item (status and F1 help).
    int m_nIDHelpTracking = 0;

    // ---- the rebar host (XTPCommandBarsRebar.cpp): the site's child AFX_IDW_REBAR (0xE804) when it
    // is a CXTPReBar, else null. A toolbar is added as a band (RBBS_BREAK | RBBS_GRIPPERALWAYS) and
    // removed from it; other bars, or a site without such a rebar, change nothing.
    CXTPReBar* GetRebar() const;
    virtual void AddRebarBand(CXTPCommandBar* pCommandBar);
    virtual void RemoveRebarBand(CXTPCommandBar* pCommandBar);

    // ---- keyboard tips as the bars' key handling sees them: the shown tips, the bar that owns
    // them, the level (above 0 while shown) and how many characters were typed over them.
    int GetKeyboardTipsLevel() const { return m_nKeyboardTipsLevel; }
    void SetKeyboardTipsLevel(int nLevel) { m_nKeyboardTipsLevel = nLevel; }
    CXTPCommandBar* GetKeyboardTipsOwner() const { return m_pKeyboardTipsOwner; }
    void SetKeyboardTipsOwner(CXTPCommandBar* pOwner) { m_pKeyboardTipsOwner = pOwner; }
    BOOL IsKeyboardTipsShown() const { return m_nKeyboardTipsLevel > 0 && m_pKeyboardTipsOwner != nullptr; }
    int GetKeyboardTipsPrefix() const { return m_nKeyboardTipsPrefix; }
    void SetKeyboardTipsPrefix(int nTyped) { m_nKeyboardTipsPrefix = nTyped; }
    CXTPKeyboardTipArray& GetKeyboardTips() { return m_arrKeyboardTips; }
    // Shows the tips of a bar at a level: the bar creates them (CreateKeyboardTips), they get their
    // keys, are placed and shown. Nothing is shown while the options' keyboard tips are off or the
    // bar has no window.
    void ShowKeyboardTips(CXTPCommandBar* pCommandBar, int nLevel);
    // Destroys and deletes every tip window, empties the list, clears the owner, the level and the
    // typed count.
    virtual void HideKeyboardTips();
    // Asks the bar for its tips (appended to the list).
    virtual void CreateKeyboardTips(CXTPCommandBar* pCommandBar);
    // With keyboard tips on, asks the innermost tracking bar to show its tips once the messages
    // already queued are handled (WM_TIMER 52426 posted to it).
    void PostShowKeyboardTips();

    // ---- docking (XTPCommandBarsDocking.cpp)
    // Creates the four dock bars on the site (top 0xE81B, bottom 0xE81E, left 0xE81C, right
    // 0xE81D); a failure throws the framework's resource exception.
    void EnableDocking();
    // The dock bar of a side (0 top .. 3 right), null before EnableDocking or out of range.
    CXTPDockBar* GetDockBar(int nPosition) const;
    // Creates the toolbar's window when needed and docks it as a new last row of that side's dock
    // bar (positions above 3: nothing); FALSE when nothing was docked.
    BOOL DockCommandBar(CXTPToolBar* pBar, int nPosition);
    // The same at a screen rectangle that the dock bar uses to place the toolbar.
    BOOL DockCommandBar(CXTPToolBar* pBar, LPCRECT lpRect, CXTPDockBar* pDockBar);
    // Floats the toolbar in its own window on the site; FALSE when the window cannot be made.
    BOOL FloatCommandBar(CXTPToolBar* pBar);
    // The dock bar whose window rectangle, widened by 20 pixels, holds the screen point strictly
    // inside; the current one is tried first, then top, bottom, left, right.
    CXTPDockBar* FindDockBarAtPoint(CPoint ptScreen, CXTPDockBar* pCurrent = nullptr) const;
    // A toolbar made by the user (not built-in; the site may adjust it through 0x2861).
    virtual CXTPToolBar* AddCustomBar(LPCSTR lpszTitle, UINT nID, BOOL bFloating = FALSE);
    // Clones into the expand popup the controls pushed out of every toolbar of the toolbar's row.
    virtual void GetHiddenControls(CXTPToolBar* pToolBar, CXTPCommandBar* pExpandBar);
    // One check entry per toolbar of the toolbar's row, then the customise command when allowed.
    virtual void AddCustomizeEntries(CXTPToolBar* pToolBar, CXTPCommandBar* pExpandBar);

    // ---- saving and restoring the bars (persistence/XTPCommandBarsLayout.cpp,
    // persistence/XTPCommandBarsCustomControls.cpp), under sections named from the profile name
    // The bar layout ("<profile>-Bar<n>", "-Summary", "-DockBar0".."3", the status bar), then the
    // customised controls when the manager is customizable. bOnlyCustomized: only changed bars.
    virtual void SaveBarState(LPCSTR lpszProfileName, BOOL bOnlyCustomized = TRUE);
    // The customised controls first (bSilent: never ask while merging), then the layout.
    virtual void LoadBarState(LPCSTR lpszProfileName, BOOL bSilent = FALSE);
    void GetBarInfo(CXTPBarLayoutState* pState) const;
    void SetBarInfo(CXTPBarLayoutState* pState);
    void SaveDockBarState(LPCSTR lpszProfileName) const;
    void LoadDockBarState(LPCSTR lpszProfileName);
    // The site's child 0xE801 when it is a CXTPStatusBar, else null.
    CXTPStatusBar* GetStatusBar() const;
    // The bars to save, with ids from 0x1000000 for bars that have none.
    virtual void GenerateCommandBarList(CXTPCommandBarList* pBarList, XTP_COMMANDBARS_PROPEXCHANGE_PARAM* pParam);
    // The "CommandBars" section; FALSE when an archive or OLE exception stops it (or, loading, at
    // the first bar that cannot be made).
    virtual BOOL SaveCommandBarList(CXTPPropExchange* pPX, CXTPCommandBarList* pBarList);
    virtual BOOL LoadCommandBarList(CXTPPropExchange* pPX, CXTPCommandBarList* pBarList);
    // Merges the loaded bars into the manager's.
    virtual void RestoreCommandBarList(CXTPCommandBarList* pBarList, BOOL bSilent = FALSE);
    // The file that holds an archive too large for the profile; FALSE when none can be made.
    virtual BOOL GetControlsFilePath(CString& strPath, LPCSTR lpszProfileName) const;
    // An explicit file for large archives (empty: the application-data folder).
    void SetControlsFileName(LPCSTR lpszFileName) { m_strControlsFileName = lpszFileName ? lpszFileName : ""; }
    // Reads the archive on a file and merges its bars; FALSE when nothing could be loaded.
    BOOL LoadControlsFromFile(CFile* pFile, BOOL bSilent);
    // Stores a compressed archive: in the profile up to nMaxControlsInProfile bytes, else in the
    // hidden file the profile then names. A failure empties "<profile>-Controls"; FALSE then.
    BOOL WriteControlsBuffer(LPCSTR lpszProfileName, const BYTE* pData, DWORD nBytes);
    // Compressed archives above this many bytes go to the hidden file.
    static const DWORD nMaxControlsInProfile = 16000;

private:
    void SaveControls(LPCSTR lpszProfileName, BOOL bOnlyCustomized);
    void LoadControls(LPCSTR lpszProfileName, BOOL bSilent);
    void DestroyDockBars();
    // Makes a row entry of the expand popup open the bar's "Add or Remove Buttons" list.
    void AttachAddRemoveList(CXTPToolBar* pBar, CXTPControl* pEntry);
    CXTPDockBar* m_pDocks[4] = {nullptr, nullptr, nullptr, nullptr};

public:
    // ---- modal popups and context menus (XTPCommandBarsTrackPopup.cpp)
    // Opens a popup bar at a screen point for an owner window (null: the popup's site), avoiding an
    // optional rectangle, and runs it modally. TPM_RETURNCMD: the chosen command id, 0 when
    // dismissed; otherwise 1 once it closed (0 when it could not open).
    static UINT TrackPopupMenu(CXTPPopupBar* pPopup, UINT nFlags, int x, int y, CWnd* pWndOwner = nullptr,
                               LPCRECT lprcExclude = nullptr);
    // Shows a Windows menu as a command-bars popup (icons from a toolbar resource when nToolBarID > 0);
    // bNoNotify adds TPM_NONOTIFY. Falls back to the system popup without a paint manager.
    static UINT TrackCommandBarsPopupMenu(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pWndOwner,
                                          UINT nToolBarID = 0, BOOL bNoNotify = FALSE);
    // A new popup bar with one list-of-toolbars control (command 0xE800); the caller releases it.
    virtual CXTPPopupBar* GetToolbarsPopup();
    // The toolbars popup at (x, y) after the site may add to it (0x285C); nothing in customise mode.
    // The command chosen when the popup ran, else 0.
    virtual UINT ContextMenu(WPARAM wParam, int x, int y);

private:
    CXTPKeyboardTipArray m_arrKeyboardTips;
    CXTPCommandBar* m_pKeyboardTipsOwner = nullptr;
    int m_nKeyboardTipsLevel = 0;
    int m_nKeyboardTipsPrefix = 0;

private:
    CXTPCommandBar* FindMnemonicBar() const;
    void HideKeyboardCuesIfIdle();

    CXTPCustomizeDropSource* m_pDropSource = nullptr;
    CXTPPaintManager* m_pPaintManager = nullptr;
    CXTPImageManager* m_pImageManager = nullptr;
    CXTPControl* m_pDragControl = nullptr;
    BOOL m_bCustomizeMode = FALSE;
    BOOL m_bCustomizable = FALSE;
    WORD m_nDefaultMenuID = 0;
    CString m_strControlsFileName;
    CXTPCommandBarsOptions* m_pOptions = nullptr;
    CXTPCommandBarsContextMenus* m_pContextMenus = nullptr;
    CArray<CXTPCommandBar*, CXTPCommandBar*> m_arrBars;
    HWND m_hWndSite = nullptr;
    CXTPToolTipContext* m_pToolTipContext = nullptr;
    mutable CXTPMouseManager* m_pMouseManager = nullptr;
    mutable CXTPKeyboardManager* m_pKeyboardManager = nullptr;
    CXTPShortcutManager* m_pShortcutManager = nullptr;
    CXTPControlActions* m_pActions = nullptr;
    BOOL m_bEnableActions = FALSE;
    CXTPCommandBarsFrameHook* m_pFrameHook = nullptr;
    BOOL m_bRecalcLayout = FALSE;
    BOOL m_bRightToLeft = FALSE;
    void* m_pTemporarilyHidden = nullptr;
    int m_nUsedCount = 0;
};
