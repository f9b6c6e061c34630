#include "toolkit/commandbars/bars/XTPCommandBarList.h"

#include "toolkit/commandbars/bars/XTPCommandBar.h"

CXTPCommandBarList::~CXTPCommandBarList()
{
    RemoveAll();
}

CXTPCommandBar* CXTPCommandBarList::Add(CXTPCommandBar* pCommandBar)
{
    if (!pCommandBar)
        return nullptr;
    pCommandBar->InternalAddRef();
    m_arrBars.Add(pCommandBar);
    return pCommandBar;
}

BOOL CXTPCommandBarList::Contains(const CXTPCommandBar* pCommandBar) const
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
    {
        if (m_arrBars[i] == pCommandBar)
            return TRUE;
    }
    return FALSE;
}

CXTPCommandBar* CXTPCommandBarList::FindCommandBar(UINT nBarID) const
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
    {
        if (m_arrBars[i]->GetBarID() == nBarID)
            return m_arrBars[i];
    }
    return nullptr;
}

CXTPCommandBar* CXTPCommandBarList::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_arrBars.GetSize() ? m_arrBars[nIndex] : nullptr;
}

void CXTPCommandBarList::RemoveAll()
{
    // Take the bars out first: a bar's last release may run code that looks at the list.
    CArray<CXTPCommandBar*, CXTPCommandBar*> arrBars;
    arrBars.Copy(m_arrBars);
    m_arrBars.RemoveAll();
    for (INT_PTR i = 0; i < arrBars.GetSize(); ++i)
        arrBars[i]->InternalRelease();
}
