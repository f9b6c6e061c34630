// The saved form of bars and control collections (DoPropExchange of the control collection, the
// toolbar and the menu bar), the per-object steps of listing the bars to save and of resolving
// loaded popups, and the toolbar's merge with the user's saved copy.
#include "framework/AppGlobals.h"
#include "framework/Exceptions.h"
#include "framework/FrameworkString.h"
#include "toolkit/commandbars/bars/XTPCommandBar.h"
#include "toolkit/commandbars/bars/XTPCommandBarList.h"
#include "toolkit/commandbars/bars/XTPMenuBar.h"
#include "toolkit/commandbars/bars/XTPToolBar.h"
#include "toolkit/commandbars/controls/XTPControl.h"
#include "toolkit/commandbars/controls/XTPControls.h"
#include "toolkit/commandbars/manager/XTPCommandBars.h"
#include "toolkit/common/XTPResourceIds.h"
#include "toolkit/common/persist/XTPPropExchange.h"
#include "toolkit/common/resources/XTPResourceManager.h"

#include <memory>
#include <set>

namespace
{
// Most controls one collection may hold in a saved form; a larger stored count is damage.
const DWORD kMaxSavedControls = 0xFFFF;
// Ids from here on are numbers given to bars that had none.
const UINT kFirstGeneratedBarId = 0x1000000;

int DefaultMergeQuestion(HWND hWndOwner, LPCSTR lpszText, UINT nType)
{
    return ::MessageBoxA(hWndOwner, lpszText, AfxGetAppName(), nType);
}

// Loads a collection made for the purpose from a section; a failure releases it and goes on.
void LoadNewCollection(CXTPControls* pControls, CXTPCommandBars* pCommandBars, CXTPPropExchange* pPX)
{
    pControls->SetCommandBars(pCommandBars);
    try
    {
        pControls->DoPropExchange(pPX);
    }
    catch (...)
    {
        pControls->InternalRelease();
        throw;
    }
}

// Calls fn with the controls of every stored document menu.
template <class Fn> void ForEachMDIMenu(CXTPMenuBarMDIMenus* pMenus, Fn fn)
{
    POSITION pos = pMenus ? pMenus->GetStartPosition() : nullptr;
    while (pos)
    {
        UINT nIDMenu = 0;
        CXTPMenuBarMDIMenuInfo* pInfo = nullptr;
        pMenus->GetNextMenu(pos, nIDMenu, pInfo);
        if (pInfo && pInfo->m_pControls)
            fn(pInfo->m_pControls);
    }
}

// The bars being resolved on this thread (popups linked in a cycle end here).
thread_local std::set<CXTPCommandBar*>* t_pRestoring = nullptr;
} // namespace

CXTPToolBar::PFN_RESET_QUESTION CXTPToolBar::s_pfnMergeQuestion = DefaultMergeQuestion;

// ---------------------------------------------------------------- listing and resolving bars

void CXTPControl::GenerateCommandBarList(DWORD& nID, CXTPCommandBarList* pBarList,
                                         XTP_COMMANDBARS_PROPEXCHANGE_PARAM* pParam)
{
    if (CXTPCommandBar* pBar = GetCommandBar())
        pBar->GenerateCommandBarList(nID, pBarList, pParam);
}

void CXTPControl::RestoreCommandBarList(CXTPCommandBarList* pBarList)
{
    if (CXTPCommandBar* pBar = GetCommandBar())
        pBar->RestoreCommandBarList(pBarList);
}

void CXTPControls::GenerateCommandBarList(DWORD& nID, CXTPCommandBarList* pBarList,
                                          XTP_COMMANDBARS_PROPEXCHANGE_PARAM* pParam)
{
    for (int i = 0; i < GetCount(); ++i)
    {
        CXTPControl* pControl = GetAt(i);
        if (!pControl->IsTemporary())
            pControl->GenerateCommandBarList(nID, pBarList, pParam);
    }
    if (m_pOriginalControls && (!pParam || pParam->bSaveOriginalControls))
        m_pOriginalControls->GenerateCommandBarList(nID, pBarList, pParam);
}

void CXTPControls::RestoreCommandBarList(CXTPCommandBarList* pBarList)
{
    for (int i = 0; i < GetCount(); ++i)
        GetAt(i)->RestoreCommandBarList(pBarList);
    if (m_pOriginalControls)
        m_pOriginalControls->RestoreCommandBarList(pBarList);
}

void CXTPCommandBar::GenerateCommandBarList(DWORD& nID, CXTPCommandBarList* pBarList,
                                            XTP_COMMANDBARS_PROPEXCHANGE_PARAM* pParam)
{
    if (!pBarList || pBarList->Contains(this))
        return;
    pBarList->Add(this);
    if (!dynamic_cast<CXTPToolBar*>(this) && (m_nBarID == 0 || m_nBarID > 0xFFFFFF))
        m_nBarID = static_cast<UINT>(nID++);
    m_pControls->GenerateCommandBarList(nID, pBarList, pParam);
}

void CXTPCommandBar::RestoreCommandBarList(CXTPCommandBarList* pBarList)
{
    std::set<CXTPCommandBar*> restoring;
    const bool bOuter = t_pRestoring == nullptr;
    if (bOuter)
        t_pRestoring = &restoring;
    if (t_pRestoring->insert(this).second)
        m_pControls->RestoreCommandBarList(pBarList);
    if (bOuter)
        t_pRestoring = nullptr;
}

void CXTPMenuBar::GenerateCommandBarList(DWORD& nID, CXTPCommandBarList* pBarList,
                                         XTP_COMMANDBARS_PROPEXCHANGE_PARAM* pParam)
{
    CXTPToolBar::GenerateCommandBarList(nID, pBarList, pParam);
    ForEachMDIMenu(m_pMDIMenus, [&](CXTPControls* pControls) {
        pControls->GenerateCommandBarList(nID, pBarList, pParam);
    });
}

void CXTPMenuBar::RestoreCommandBarList(CXTPCommandBarList* pBarList)
{
    CXTPToolBar::RestoreCommandBarList(pBarList);
    ForEachMDIMenu(m_pMDIMenus, [&](CXTPControls* pControls) { pControls->RestoreCommandBarList(pBarList); });
}

// ---------------------------------------------------------------- the control collection

void CXTPControls::DoPropExchange(CXTPPropExchange* pPX)
{
    if (!pPX)
        return;
    std::unique_ptr<CXTPPropExchangeEnumerator> pEnum(pPX->GetEnumerator("Control"));
    if (pPX->IsStoring())
    {
        DWORD nCount = 0;
        for (int i = 0; i < GetCount(); ++i)
            nCount += ShouldSaveControl(GetAt(i)) ? 1 : 0;
        POSITION pos = pEnum->GetPosition(nCount);
        for (int i = 0; i < GetCount() && pos; ++i)
        {
            CXTPControl* pControl = GetAt(i);
            if (!ShouldSaveControl(pControl))
                continue;
            std::unique_ptr<CXTPPropExchange> pSection(pEnum->GetNext(pos));
            CObject* pObject = pControl;
            pSection->ExchangeObjectInstance(&pObject, RUNTIME_CLASS(CXTPControl));
            pControl->DoPropExchange(pSection.get());
        }
    }
    else
    {
        RemoveAll();
        POSITION pos = pEnum->GetPosition(0);
        if (pEnum->GetCount() > kMaxSavedControls)
            AfxThrowArchiveException(CArchiveException::badIndex);
        while (pos)
        {
            std::unique_ptr<CXTPPropExchange> pSection(pEnum->GetNext(pos));
            CObject* pObject = nullptr;
            if (!pSection->ExchangeObjectInstance(&pObject, RUNTIME_CLASS(CXTPControl)) || !pObject)
                AfxThrowArchiveException(CArchiveException::badClass);
            CXTPControl* pControl = static_cast<CXTPControl*>(pObject);
            pControl->DoPropExchange(pSection.get());
            InsertAt(pControl, -1);
        }
    }

    if (pPX->m_nSchema <= 2)
        return;
    XTP_COMMANDBARS_PROPEXCHANGE_PARAM* pParam = pPX->GetExchangeParam();
    BOOL bOriginal = pPX->IsStoring() && m_pOriginalControls && (!pParam || pParam->bSaveOriginalControls);
    ExchangeBoolProperty(pPX, "OriginalControls", bOriginal, FALSE);
    if (bOriginal)
    {
        std::unique_ptr<CXTPPropExchange> pSection(pPX->GetSection("OriginalControls"));
        if (pPX->IsStoring())
        {
            m_pOriginalControls->DoPropExchange(pSection.get());
        }
        else
        {
            CXTPOriginalControls* pOriginal = new CXTPOriginalControls();
            LoadNewCollection(pOriginal, m_pCommandBars, pSection.get());
            SetOriginalControls(pOriginal);
        }
    }
    else if (pPX->IsLoading())
    {
        SetOriginalControls(nullptr); // saved without originals: none are kept from before
    }
    // This collection keeps no separate customised set: it is saved as absent and a stored one is
    // read past so that the rest of the archive stays in step.
    BOOL bCustomized = FALSE;
    ExchangeBoolProperty(pPX, "CustomizedControls", bCustomized, FALSE);
    if (bCustomized && pPX->IsLoading())
    {
        std::unique_ptr<CXTPPropExchange> pSection(pPX->GetSection("CustomizedControls"));
        CXTPControls* pSkipped = new CXTPControls();
        LoadNewCollection(pSkipped, m_pCommandBars, pSection.get());
        pSkipped->InternalRelease();
    }
}

// ---------------------------------------------------------------- toolbar and menu bar

void CXTPToolBar::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPCommandBar::DoPropExchange(pPX);
    ExchangeBoolProperty(pPX, "BuiltIn", m_bBuiltIn, TRUE);
    ExchangeBoolProperty(pPX, "TearOff", m_bTearOff, FALSE);
    if (pPX->m_nSchema > 6)
        ExchangeBoolProperty(pPX, "Closeable", m_bCloseable, TRUE);
    if (pPX->m_nSchema > 7)
        ExchangeBoolProperty(pPX, "ContextMenuPresent", m_bContextMenuPresent, TRUE);
    if (pPX->m_nSchema > 16)
        ExchangeBoolProperty(pPX, "CustomizeDialogPresent", m_bCustomizeDialogPresent, TRUE);
    if (pPX->IsLoading() && pPX->m_nSchema <= 16 && GetType() == xtpBarTypeMenuBar)
        m_bCloseable = FALSE;
}

void CXTPMenuBar::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPToolBar::DoPropExchange(pPX);
    ExchangeIntProperty(pPX, "ResourceId", m_nIDDefaultMenu, 0u);
    if (pPX->IsLoading() && pPX->m_nSchema < 5)
        return;

    std::unique_ptr<CXTPPropExchangeEnumerator> pEnum(pPX->GetEnumerator("MDIMenu"));
    if (pPX->IsStoring())
    {
        CArray<CXTPMenuBarMDIMenuInfo*, CXTPMenuBarMDIMenuInfo*> arrSaved;
        CArray<UINT, UINT> arrIds;
        POSITION posMap = m_pMDIMenus ? m_pMDIMenus->GetStartPosition() : nullptr;
        while (posMap)
        {
            UINT nIDMenu = 0;
            CXTPMenuBarMDIMenuInfo* pInfo = nullptr;
            m_pMDIMenus->GetNextMenu(posMap, nIDMenu, pInfo);
            if (pInfo && pInfo->m_pControls && pInfo->m_pControls->GetCount() > 0)
            {
                arrSaved.Add(pInfo);
                arrIds.Add(nIDMenu);
            }
        }
        POSITION pos = pEnum->GetPosition(static_cast<DWORD>(arrSaved.GetSize()));
        for (INT_PTR i = 0; i < arrSaved.GetSize() && pos; ++i)
        {
            std::unique_ptr<CXTPPropExchange> pSection(pEnum->GetNext(pos));
            UINT nIDMenu = arrIds[i];
            ExchangeIntProperty(pSection.get(), "Id", nIDMenu, 0u);
            arrSaved[i]->m_pControls->DoPropExchange(pSection.get());
        }
        return;
    }

    POSITION pos = pEnum->GetPosition(0);
    if (pEnum->GetCount() > kMaxSavedControls)
        AfxThrowArchiveException(CArchiveException::badIndex);
    while (pos)
    {
        std::unique_ptr<CXTPPropExchange> pSection(pEnum->GetNext(pos));
        UINT nIDMenu = 0;
        ExchangeIntProperty(pSection.get(), "Id", nIDMenu, 0u);
        CXTPMenuBarMDIMenuInfo* pInfo = new CXTPMenuBarMDIMenuInfo(GetCommandBars(), nIDMenu);
        try
        {
            pInfo->m_pControls->DoPropExchange(pSection.get());
        }
        catch (...)
        {
            pInfo->InternalRelease();
            throw;
        }
        if (!m_pMDIMenus)
            m_pMDIMenus = new CXTPMenuBarMDIMenus(GetCommandBars());
        m_pMDIMenus->SetAt(nIDMenu, pInfo);
        pInfo->InternalRelease();
        m_bMDIMenusPresent = TRUE;
    }
}

// ---------------------------------------------------------------- merging the user's copy

void CXTPToolBar::MergeToolBar(CXTPCommandBar* pLoaded, BOOL bSilent)
{
    if (!pLoaded || pLoaded == this)
        return;
    CXTPControls* pOwnOriginal = m_pControls->GetOriginalControls();
    CXTPControls* pLoadedOriginal = pLoaded->GetControls()->GetOriginalControls();

    // The program's bar changed since the user saved a copy.
    if (pOwnOriginal && pLoadedOriginal && !pOwnOriginal->IsEqual(pLoadedOriginal))
    {
        // The user never changed the saved copy: the program's new bar simply stays.
        if (pLoaded->GetControls()->IsEqual(pLoadedOriginal))
            return;
        if (bSilent)
            return;
        CString strFormat, strMessage;
        if (!GetResourceManager()->LoadString(&strFormat, IDS_TK_CONFIRM_UPDATED_TOOLBAR))
            strFormat = "Due to a software update the toolbar '%s' has changed. Would you like to reset your "
                        "customized toolbar and load the new one?";
        strMessage.Format(strFormat, static_cast<LPCSTR>(GetTitle()));
        CWnd* pFrame = GetFrameSite();
        if (s_pfnMergeQuestion(pFrame ? pFrame->GetSafeHwnd() : nullptr, strMessage, MB_YESNO | MB_ICONQUESTION) ==
            IDYES)
            return;
    }

    // Take the user's controls; keep this bar's own originals so that the question is not asked
    // again (and when the saved copy has none).
    const int nPosition = m_barPosition;
    CXTPCommandBars* pCommandBars = m_pCommandBars;
    CXTPOriginalControls* pKeep = m_pControls->GetOriginalControls();
    if (pKeep)
        pKeep->InternalAddRef();
    Copy(pLoaded, TRUE);
    m_barPosition = nPosition;
    m_pCommandBars = pCommandBars;
    m_pControls->SetCommandBars(pCommandBars);
    if (pKeep)
        m_pControls->SetOriginalControls(pKeep);
    if (m_hWnd)
        OnRecalcLayout();
}
