#include "toolkit/commandbars/manager/XTPCustomizeDropSource.h"

CXTPCustomizeDropSource::CXTPCustomizeDropSource(CXTPCommandBars* pCommandBars) : m_pCommandBars(pCommandBars)
{
}

CXTPCustomizeDropSource::~CXTPCustomizeDropSource() = default;

void CXTPCustomizeDropSource::Register(CXTPCommandBar* pCommandBar)
{
    if (pCommandBar)
        m_arrTargets.Add(pCommandBar);
}

void CXTPCustomizeDropSource::Unregister(CXTPCommandBar* pCommandBar)
{
    for (INT_PTR i = m_arrTargets.GetSize() - 1; i >= 0; --i)
    {
        if (m_arrTargets[i] == pCommandBar)
            m_arrTargets.RemoveAt(i);
    }
}

CXTPCommandBar* CXTPCustomizeDropSource::GetTargetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_arrTargets.GetSize() ? m_arrTargets[nIndex] : nullptr;
}

BOOL CXTPCustomizeDropSource::IsRegistered(const CXTPCommandBar* pCommandBar) const
{
    for (INT_PTR i = 0; i < m_arrTargets.GetSize(); ++i)
    {
        if (m_arrTargets[i] == pCommandBar)
            return TRUE;
    }
    return FALSE;
}
