#include "toolkit/commandbars/XTPCommandBars.h"

#include "toolkit/commandbars/XTPCommandBarsOptions.h"
#include "toolkit/commandbars/XTPControlAction.h"
#include "toolkit/commandbars/XTPPaintManager.h"
#include "toolkit/common/XTPImageManager.h"
#include "toolkit/common/XTPPropExchange.h"

IMPLEMENT_DYNCREATE(CXTPCommandBars, CCmdTarget)

CXTPCommandBars::CXTPCommandBars()
{
    m_pOptions = new CXTPCommandBarsOptions();
    m_pOptions->m_pCommandBars = this;
}

CXTPCommandBars::~CXTPCommandBars()
{
    if (m_pOptions)
    {
        m_pOptions->m_pCommandBars = nullptr;
        m_pOptions->InternalRelease();
    }
    if (m_pActions)
        m_pActions->InternalRelease();
    if (m_pPaintManager)
        m_pPaintManager->InternalRelease();
    if (m_pImageManager)
        m_pImageManager->InternalRelease();
}

void CXTPCommandBars::EnableActions(BOOL bEnable)
{
    if (bEnable && !m_pActions)
        m_pActions = new CXTPControlActions(this);
    else if (!bEnable && m_pActions)
    {
        m_pActions->InternalRelease();
        m_pActions = nullptr;
    }
}

CXTPControlAction* CXTPCommandBars::CreateAction(int nId)
{
    return m_pActions ? m_pActions->Add(nId) : nullptr;
}

CXTPPaintManager* CXTPCommandBars::GetPaintManager() const
{
    return m_pPaintManager ? m_pPaintManager : CXTPPaintManager::GetGlobal();
}

void CXTPCommandBars::SetPaintManager(CXTPPaintManager* pPaintManager)
{
    if (m_pPaintManager)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = pPaintManager;
    if (m_pPaintManager)
        m_pPaintManager->RefreshMetrics();
}

void CXTPCommandBars::SetTheme(int nTheme)
{
    SetPaintManager(CXTPPaintManager::CreateTheme(nTheme));
}

CXTPImageManager* CXTPCommandBars::GetImageManager() const
{
    return m_pImageManager ? m_pImageManager : ::GetImageManager();
}

void CXTPCommandBars::SetImageManager(CXTPImageManager* pImageManager)
{
    if (m_pImageManager)
        m_pImageManager->InternalRelease();
    m_pImageManager = pImageManager;
}

void CXTPCommandBars::SetCommandUsed(int /*nId*/)
{
    ++m_nUsedCount;
}

namespace
{
CString OptionsSection(LPCSTR lpszProfileName)
{
    CString strSection;
    strSection.Format("%s-Options", lpszProfileName ? lpszProfileName : "");
    return strSection;
}
} // namespace

void CXTPCommandBars::SaveOptions(LPCSTR lpszProfileName)
{
    CXTPPropExchangeSectionPtr px(FALSE, OptionsSection(lpszProfileName));
    if (!px.GetPX())
        return;
    px->EmptySection();
    m_pOptions->DoPropExchange(px, TRUE);
}

void CXTPCommandBars::LoadOptions(LPCSTR lpszProfileName)
{
    CXTPPropExchangeSectionPtr px(TRUE, OptionsSection(lpszProfileName));
    if (!px.GetPX())
        return;
    m_pOptions->DoPropExchange(px, TRUE);
}
