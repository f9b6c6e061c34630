#include "toolkit/commandbars/manager/XTPCommandBarsOptions.h"

#include "framework/WinApp.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/commandbars/paint/XTPPaintManager.h"
#include "toolkit/commandbars/managers/XTPSystemQuery.h"
#include "toolkit/common/persist/XTPPropExchange.h"
#include "toolkit/common/persist/XTPPropExchangeArchive.h"
#include "toolkit/common/persist/XTPPropExchangeIniFile.h"
#include "toolkit/common/persist/XTPPropExchangeRegistry.h"

#include <vector>

IMPLEMENT_DYNAMIC(CXTPCommandBarsOptions, CCmdTarget)

// ---------------------------------------------------------------- command sets

void CXTPCommandBarsCommandSet::Copy(const CXTPCommandBarsCommandSet& src)
{
    if (&src == this)
        return;
    RemoveAll();
    POSITION pos = src.GetStartPosition();
    while (pos)
    {
        UINT nId = 0;
        BOOL bValue = FALSE;
        src.GetNextAssoc(pos, nId, bValue);
        SetAt(nId, TRUE);
    }
}

void XTPExchangeIdSetItems(CXTPPropExchange* pSection, CMap<UINT, UINT, BOOL, BOOL>& set)
{
    if (pSection->IsLoading())
    {
        DWORD dwCount = 0;
        ExchangeIntProperty(pSection, "Count", dwCount, 0);
        if (dwCount > XTP_COMMANDSET_MAX_COUNT)
            return;
        std::vector<UINT> ids;
        for (DWORD i = 0; i < dwCount; ++i)
        {
            CString strKey;
            strKey.Format("Item%i", static_cast<int>(i));
            int nId = 0;
            if (ExchangeIntPropertyNoDefault(pSection, strKey, nId))
                ids.push_back(static_cast<UINT>(nId));
        }
        set.RemoveAll();
        for (UINT nId : ids)
            set.SetAt(nId, TRUE);
        return;
    }
    DWORD dwCount = static_cast<DWORD>(set.GetCount());
    ExchangeIntProperty(pSection, "Count", dwCount, 0);
    POSITION pos = set.GetStartPosition();
    int i = 0;
    while (pos)
    {
        UINT nId = 0;
        BOOL bValue = FALSE;
        set.GetNextAssoc(pos, nId, bValue);
        CString strKey;
        strKey.Format("Item%i", i++);
        int nStored = static_cast<int>(nId);
        ExchangeIntProperty(pSection, strKey, nStored, 0);
    }
}

void ExchangeCommandSet(CXTPPropExchange* pPX, LPCSTR lpszKey, CXTPCommandBarsCommandSet& set)
{
    if (!pPX)
        return;
    if (pPX->HasBinaryValues())
    {
        if (pPX->IsStoring())
        {
            ExchangeSerializedObject(pPX, lpszKey, &set);
            return;
        }
        CXTPCommandBarsCommandSet loaded;
        if (ExchangeSerializedObject(pPX, lpszKey, &loaded))
            set.Copy(loaded);
        return;
    }
    CXTPPropExchange* pSection = pPX->GetSection(lpszKey);
    if (!pSection)
        return;
    XTPExchangeIdSetItems(pSection, set);
    pSection->InternalRelease();
}

// ---------------------------------------------------------------- profile sections

CXTPPropExchangeSectionPtr::CXTPPropExchangeSectionPtr(BOOL bLoading, LPCSTR lpszSection)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp || !lpszSection || !*lpszSection)
        return;
    if (pApp->m_pszRegistryKey && *pApp->m_pszRegistryKey)
    {
        m_pPX = new CXTPPropExchangeRegistry(bLoading, nullptr, lpszSection);
    }
    else
    {
        CXTPPropExchangeIniFile* pIni = new CXTPPropExchangeIniFile(bLoading, nullptr, lpszSection);
        pIni->AssignFile(pApp->GetProfileFileName());
        m_pPX = pIni;
    }
    if (!m_pPX->PrepareStore())
    {
        m_pPX->InternalRelease();
        m_pPX = nullptr;
    }
}

CXTPPropExchangeSectionPtr::~CXTPPropExchangeSectionPtr()
{
    if (m_pPX)
        m_pPX->InternalRelease();
}

// ---------------------------------------------------------------- options

CXTPCommandBarsOptions::CXTPCommandBarsOptions() = default;

CXTPCommandBarsOptions::~CXTPCommandBarsOptions() = default;

namespace
{
// The sets are left out of named stores while empty; an archive is a sequence and always holds them.
void ExchangeOptionsCommandSet(CXTPPropExchange* pPX, LPCSTR lpszKey, CXTPCommandBarsCommandSet& set)
{
    if (pPX->IsStoring() && set.IsEmpty() && pPX->HasNamedValues())
        return;
    ExchangeCommandSet(pPX, lpszKey, set);
}

void ExchangeSize(CXTPPropExchange* pPX, LPCSTR lpszKey, CSize& size)
{
    SIZE sz = size;
    ExchangeSizeProperty(pPX, lpszKey, sz, SIZE{0, 0});
    size = sz;
}
} // namespace

void CXTPCommandBarsOptions::DoPropExchange(CXTPPropExchange* pPX, BOOL bUserOptionsOnly)
{
    if (!pPX)
        return;
    // Every value is written, defaults included, and an absent value leaves the option alone.
    pPX->UseDefaultOnLoad(FALSE);
    pPX->UseDefaultOnSave(FALSE);

    CXTPPaintManager* pPaintManager = m_pCommandBars ? m_pCommandBars->GetPaintManager() : nullptr;

    long nSchema = XTP_COMMANDBARS_OPTIONS_SCHEMA;
    ExchangeIntProperty(pPX, "Schema", nSchema, XTP_COMMANDBARS_OPTIONS_SCHEMA);
    if (pPX->IsStoring())
        nSchema = XTP_COMMANDBARS_OPTIONS_SCHEMA;

    ExchangeBoolProperty(pPX, "AlwaysShowFullMenus", bAlwaysShowFullMenus, TRUE);
    ExchangeBoolProperty(pPX, "ShowFullAfterDelay", bShowFullAfterDelay, TRUE);
    ExchangeBoolProperty(pPX, "ToolBarScreenTips", bToolBarScreenTips, TRUE);
    ExchangeBoolProperty(pPX, "ToolBarAccelTips", bToolBarAccelTips, FALSE);
    ExchangeBoolProperty(pPX, "LargeIcons", bLargeIcons, FALSE);

    if (nSchema > 7)
        ExchangeOptionsCommandSet(pPX, "UsedCommands", m_mapUsedCommands);

    if (nSchema > 7 || bUserOptionsOnly)
        ExchangeIntProperty(pPX, "Animation", animationType, 0);
    if (bUserOptionsOnly)
        return;

    ExchangeBoolProperty(pPX, "SyncFloatingBars", bSyncFloatingBars, TRUE);
    ExchangeBoolProperty(pPX, "ShowExpandButtonAlways", bShowExpandButtonAlways, TRUE);
    ExchangeSize(pPX, "IconsSize", szIcons);
    ExchangeSize(pPX, "LargeIconsSize", szLargeIcons);

    ExchangeOptionsCommandSet(pPX, "HiddenCommands", m_mapHiddenCommands);

    BOOL bIconsWithShadow = pPaintManager ? pPaintManager->m_bIconsWithShadow : FALSE;
    BOOL bUseDisabledIcons = pPaintManager ? pPaintManager->m_bUseDisabledIcons : TRUE;
    BOOL bUseFadedIcons = pPaintManager ? pPaintManager->m_bUseFadedIcons : TRUE;
    ExchangeBoolProperty(pPX, "IconsWithShadow", bIconsWithShadow, FALSE);
    ExchangeBoolProperty(pPX, "UseDisabledIcons", bUseDisabledIcons, TRUE);
    ExchangeBoolProperty(pPX, "UseFadedIcons", bUseFadedIcons, TRUE);
    if (pPaintManager && pPX->IsLoading())
    {
        pPaintManager->m_bIconsWithShadow = bIconsWithShadow;
        pPaintManager->m_bUseDisabledIcons = bUseDisabledIcons;
        pPaintManager->m_bUseFadedIcons = bUseFadedIcons;
    }

    if (nSchema > 7)
    {
        ExchangeBoolProperty(pPX, "SyncFloatingBars", bSyncFloatingBars, TRUE);
        ExchangeBoolProperty(pPX, "ShowExpandButtonAlways", bShowExpandButtonAlways, TRUE);
        ExchangeBoolProperty(pPX, "DblClickFloat", bDblClickFloat, FALSE);
        ExchangeBoolProperty(pPX, "ShowTextBelowIcons", bShowTextBelowIcons, FALSE);
        ExchangeBoolProperty(pPX, "AltDragCustomization", bAltDragCustomization, TRUE);
        ExchangeBoolProperty(pPX, "AutoHideUnusedPopups", bAutoHideUnusedPopups, TRUE);
        ExchangeSize(pPX, "PopupIconsSize", szPopupIcons);
    }

    if (nSchema > 8)
    {
        ExchangeIntProperty(pPX, "KeyboardCuesUse", keyboardCuesUse, 1);
        int nShow = m_keyboardCuesShow;
        ExchangeIntProperty(pPX, "KeyboardCuesShow", nShow, 0);
        if (pPX->IsLoading())
            SetShowKeyboardCues(nShow);
    }
}

void CXTPCommandBarsOptions::Serialize(CArchive& ar)
{
    CXTPPropExchangeArchive px(ar);
    DoPropExchange(&px, FALSE);
}

void CXTPCommandBarsOptions::SetShowKeyboardCues(int nShowKeyboardCues)
{
    m_keyboardCuesShow = nShowKeyboardCues;
    if (!m_pCommandBars)
        return;
    m_pCommandBars->m_bKeyboardCuesInUse = FALSE;
    m_pCommandBars->m_bKeyboardCuesVisible = nShowKeyboardCues != 1;
    if (nShowKeyboardCues == 2)
    {
        BOOL bSystemShows = TRUE;
        if (GetCommandBarsSystemQuery()->GetKeyboardCues(bSystemShows) && !bSystemShows)
        {
            m_pCommandBars->m_bKeyboardCuesInUse = TRUE;
            m_pCommandBars->m_bKeyboardCuesVisible = FALSE;
        }
    }
}
