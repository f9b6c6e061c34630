#include "framework/DocTemplate.h"

#include "framework/WinApp.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT nIDResource) : m_nIDResource(nIDResource) {}

CDocTemplate::~CDocTemplate()
{
    SetSharedHandles(nullptr, nullptr);
}

void CDocTemplate::LoadTemplate()
{
    if (m_bLoaded)
        return;
    m_bLoaded = TRUE;
    if (m_strDocStrings.IsEmpty())
        m_strDocStrings.LoadString(m_nIDResource);
    HINSTANCE hInst = AfxGetInstanceHandle();
    if (!m_hMenuShared)
        m_hMenuShared = ::LoadMenuA(hInst, MAKEINTRESOURCEA(m_nIDResource));
    if (!m_hAccelTable)
        m_hAccelTable = ::LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(m_nIDResource));
}

BOOL CDocTemplate::GetDocString(CString& rString, enum DocStringIndex index) const
{
    rString.Empty();
    int nIndex = static_cast<int>(index);
    int nStart = 0;
    // Walk to the start of the wanted substring; fewer line feeds than that means it is absent.
    for (int i = 0; i < nIndex; ++i)
    {
        int nNext = m_strDocStrings.Find('\n', nStart);
        if (nNext < 0)
            return FALSE;
        nStart = nNext + 1;
    }
    int nEnd = m_strDocStrings.Find('\n', nStart);
    if (nEnd < 0)
        nEnd = m_strDocStrings.GetLength();
    rString = m_strDocStrings.Mid(nStart, nEnd - nStart);
    return !rString.IsEmpty();
}

void CDocTemplate::SetSharedHandles(HMENU hMenuShared, HACCEL hAccelTable)
{
    if (m_hMenuShared && m_hMenuShared != hMenuShared && ::IsMenu(m_hMenuShared))
        ::DestroyMenu(m_hMenuShared);
    if (m_hAccelTable && m_hAccelTable != hAccelTable)
        ::DestroyAcceleratorTable(m_hAccelTable);
    m_hMenuShared = hMenuShared;
    m_hAccelTable = hAccelTable;
}
