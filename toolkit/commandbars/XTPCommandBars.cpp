#include "toolkit/commandbars/XTPCommandBars.h"

#include "toolkit/commandbars/XTPControlAction.h"
#include "toolkit/commandbars/XTPPaintManager.h"
#include "toolkit/common/XTPImageManager.h"

IMPLEMENT_DYNCREATE(CXTPCommandBars, CCmdTarget)

CXTPCommandBars::CXTPCommandBars() = default;

CXTPCommandBars::~CXTPCommandBars()
{
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
