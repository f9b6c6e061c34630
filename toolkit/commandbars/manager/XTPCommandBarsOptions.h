// CXTPCommandBarsOptions: the options of one command-bars manager (personalised menus, screen tips,
// icon sizes, floating bars, keyboard cues) and their persistence; CXTPPropExchangeSectionPtr, the
// scoped store every persistence routine of the command bars opens; ExchangeCommandSet, the form of
// the command-id sets.
#pragma once

#include "framework/Archive.h"
#include "framework/CmdTarget.h"
#include "framework/Geometry.h"
#include "framework/Map.h"

class CXTPCommandBars;
class CXTPPropExchange;

// A set of command ids (the value is always TRUE).
class CXTPCommandBarsCommandSet : public CMap<UINT, UINT, BOOL, BOOL>
{
public:
    CXTPCommandBarsCommandSet() : CMap<UINT, UINT, BOOL, BOOL>(10) {}
    void Copy(const CXTPCommandBarsCommandSet& src);
};

// Largest item count an INI-form command set may hold; a larger stored count marks a damaged set.
constexpr unsigned long XTP_COMMANDSET_MAX_COUNT = 65535;

// The INI form of an id set inside its own subsection: "Count", then "Item0".."Item<Count-1>". Loading
// replaces the set, skipping items that are not there; a count above XTP_COMMANDSET_MAX_COUNT marks a
// damaged set, which loads nothing and leaves the set as it was.
void XTPExchangeIdSetItems(CXTPPropExchange* pSection, CMap<UINT, UINT, BOOL, BOOL>& set);

// Exchanges a command set under lpszKey. Stores holding serialised objects (archive, registry) keep the
// set as one serialised value; the INI form as a subsection named by the key with "Count" and one
// "Item%i" value per id, numbered from 0. Loading replaces the set; a damaged stored set (unreadable,
// or a count above XTP_COMMANDSET_MAX_COUNT) loads nothing and leaves the set as it was.
void ExchangeCommandSet(CXTPPropExchange* pPX, LPCSTR lpszKey, CXTPCommandBarsCommandSet& set);

// The exchange of one section of the application's profile: the registry (under the application's
// key) when the application has a registry key, else its profile INI file. Null (no exchange) without
// an application object or when the store cannot be opened. Released by the destructor.
class CXTPPropExchangeSectionPtr
{
public:
    CXTPPropExchangeSectionPtr(BOOL bLoading, LPCSTR lpszSection);
    ~CXTPPropExchangeSectionPtr();
    CXTPPropExchangeSectionPtr(const CXTPPropExchangeSectionPtr&) = delete;
    CXTPPropExchangeSectionPtr& operator=(const CXTPPropExchangeSectionPtr&) = delete;

    CXTPPropExchange* operator->() const { return m_pPX; }
    operator CXTPPropExchange*() const { return m_pPX; }
    CXTPPropExchange* GetPX() const { return m_pPX; }

private:
    CXTPPropExchange* m_pPX = nullptr;
};

// Schema the options write.
constexpr long XTP_COMMANDBARS_OPTIONS_SCHEMA = 38;

class CXTPCommandBarsOptions : public CCmdTarget
{
    DECLARE_DYNAMIC(CXTPCommandBarsOptions)

public:
    CXTPCommandBarsOptions();
    ~CXTPCommandBarsOptions() override;

    // bUserOptionsOnly: the profile form (schema, the five menu and tip switches, the used commands
    // and the animation); otherwise every key.
    void DoPropExchange(CXTPPropExchange* pPX, BOOL bUserOptionsOnly = FALSE);
    // Every key through an archive.
    void Serialize(CArchive& ar) override;

    // 0 underlines always drawn, 1 never, 2 as the system's setting says. Updates the manager's
    // keyboard-cue flags.
    void SetShowKeyboardCues(int nShowKeyboardCues);
    int GetShowKeyboardCues() const { return m_keyboardCuesShow; }

    BOOL bAlwaysShowFullMenus = TRUE;
    BOOL bShowFullAfterDelay = TRUE;
    BOOL bToolBarScreenTips = TRUE;
    BOOL bToolBarAccelTips = FALSE;
    BOOL bLargeIcons = FALSE;
    BOOL bSyncFloatingBars = TRUE;
    BOOL bShowExpandButtonAlways = TRUE;
    BOOL bDblClickFloat = FALSE;
    BOOL bShowTextBelowIcons = FALSE;
    BOOL bAltDragCustomization = TRUE;
    BOOL bAutoHideUnusedPopups = TRUE;
    // Raised by every change a saved bar layout must pick up; cleared after a layout is loaded.
    BOOL bDirtyState = FALSE;
    BOOL bShowPopupBarToolTips = FALSE;
    BOOL bShowContextMenuAccelerators = FALSE;
    int animationType = 0;
    BOOL bWrapLargePopups = TRUE;
    int keyboardCuesUse = 1;
    BOOL bUpdateStatusBar = TRUE;
    CSize szIcons = CSize(0, 0);
    CSize szLargeIcons = CSize(0, 0);
    CSize szPopupIcons = CSize(0, 0);
    // Keypad digits count as access keys.
    BOOL bUseAltNumPadKeys = FALSE;
    BOOL bShowMiniToolbarTips = TRUE;
    BOOL bFlyByStatus = TRUE;
    BOOL bUseSystemSaveBitsStyle = FALSE;
    CXTPCommandBarsCommandSet m_mapHiddenCommands;
    CXTPCommandBarsCommandSet m_mapUsedCommands;
    BOOL bKeyboardTipsEnabled = FALSE;

    // The bars' idle update disables commands no window handles (not persisted).
    BOOL bDisableCommandIfNoHandler = TRUE;
    CXTPCommandBars* m_pCommandBars = nullptr;

protected:
    int m_keyboardCuesShow = 2;
};
