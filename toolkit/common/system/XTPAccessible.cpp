#include "toolkit/common/system/XTPAccessible.h"

namespace
{
HMODULE FailedModule()
{
    return static_cast<HMODULE>(INVALID_HANDLE_VALUE);
}

template <typename PFN> PFN Bind(HMODULE hModule, LPCSTR lpszName)
{
    return reinterpret_cast<PFN>(reinterpret_cast<void*>(::GetProcAddress(hModule, lpszName)));
}
} // namespace

CXTPAccessible::CXTPAccessible() : m_xAccessible(this)
{
}

CXTPAccessible::~CXTPAccessible()
{
    if (m_hOleAcc && m_hOleAcc != FailedModule())
        ::FreeLibrary(m_hOleAcc);
}

void CXTPAccessible::NotifyWinEvent(DWORD dwEvent, HWND hWnd, LONG idObject, LONG idChild)
{
    if (!m_hUser32)
    {
        m_hUser32 = ::GetModuleHandleA("user32.dll");
        m_pfnNotifyWinEvent = m_hUser32 ? Bind<PFNNOTIFYWINEVENT>(m_hUser32, "NotifyWinEvent") : nullptr;
        if (!m_pfnNotifyWinEvent)
            m_hUser32 = FailedModule();
    }
    if (m_pfnNotifyWinEvent)
        m_pfnNotifyWinEvent(dwEvent, hWnd, idObject, idChild);
}

BOOL CXTPAccessible::BindOleAcc()
{
    if (m_hOleAcc == FailedModule())
        return FALSE;
    if (!m_hOleAcc)
    {
        m_hOleAcc = ::LoadLibraryA("oleacc.dll");
        if (m_hOleAcc)
        {
            m_pfnAccessibleObjectFromWindow =
                Bind<PFNACCESSIBLEOBJECTFROMWINDOW>(m_hOleAcc, "AccessibleObjectFromWindow");
            m_pfnLresultFromObject = Bind<PFNLRESULTFROMOBJECT>(m_hOleAcc, "LresultFromObject");
        }
        if (!m_hOleAcc || !m_pfnAccessibleObjectFromWindow || !m_pfnLresultFromObject)
        {
            if (m_hOleAcc)
                ::FreeLibrary(m_hOleAcc);
            m_hOleAcc = FailedModule();
            m_pfnAccessibleObjectFromWindow = nullptr;
            m_pfnLresultFromObject = nullptr;
            return FALSE;
        }
    }
    return TRUE;
}

HRESULT CXTPAccessible::AccessibleObjectFromWindow(HWND hWnd, DWORD dwId, REFIID riid, void** ppvObject)
{
    if (!BindOleAcc())
        return E_FAIL;
    return m_pfnAccessibleObjectFromWindow(hWnd, dwId, riid, ppvObject);
}

LRESULT CXTPAccessible::LresultFromObject(REFIID riid, WPARAM wParam, LPUNKNOWN pUnknown)
{
    if (!BindOleAcc())
        return E_FAIL;
    return m_pfnLresultFromObject(riid, wParam, pUnknown);
}

// ---- the default operations

HRESULT CXTPAccessible::GetAccessibleParent(IDispatch**)
{
    return E_NOTIMPL;
}
HRESULT CXTPAccessible::GetAccessibleChildCount(long*)
{
    return E_NOTIMPL;
}
HRESULT CXTPAccessible::GetAccessibleChild(VARIANT, IDispatch**)
{
    return E_NOTIMPL;
}
HRESULT CXTPAccessible::GetAccessibleName(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}
HRESULT CXTPAccessible::GetAccessibleValue(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}
HRESULT CXTPAccessible::GetAccessibleDescription(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}
HRESULT CXTPAccessible::GetAccessibleRole(VARIANT, VARIANT*)
{
    return E_NOTIMPL;
}
HRESULT CXTPAccessible::GetAccessibleState(VARIANT, VARIANT*)
{
    return E_NOTIMPL;
}
HRESULT CXTPAccessible::GetAccessibleHelp(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}
HRESULT CXTPAccessible::GetAccessibleHelpTopic(BSTR*, VARIANT, long*)
{
    return E_NOTIMPL;
}
HRESULT CXTPAccessible::GetAccessibleKeyboardShortcut(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}
HRESULT CXTPAccessible::GetAccessibleFocus(VARIANT*)
{
    return S_FALSE;
}
HRESULT CXTPAccessible::GetAccessibleSelection(VARIANT*)
{
    return S_FALSE;
}
HRESULT CXTPAccessible::GetAccessibleDefaultAction(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}
HRESULT CXTPAccessible::AccessibleSelect(long, VARIANT)
{
    return E_NOTIMPL;
}
HRESULT CXTPAccessible::AccessibleLocation(long*, long*, long*, long*, VARIANT)
{
    return E_NOTIMPL;
}
HRESULT CXTPAccessible::AccessibleNavigate(long, VARIANT, VARIANT*)
{
    return E_NOTIMPL;
}
HRESULT CXTPAccessible::AccessibleHitTest(long, long, VARIANT*)
{
    return E_NOTIMPL;
}
HRESULT CXTPAccessible::AccessibleDoDefaultAction(VARIANT)
{
    return E_NOTIMPL;
}
HRESULT CXTPAccessible::PutAccessibleName(VARIANT, BSTR)
{
    return E_NOTIMPL;
}
HRESULT CXTPAccessible::PutAccessibleValue(VARIANT, BSTR)
{
    return E_NOTIMPL;
}
CCmdTarget* CXTPAccessible::GetAccessible()
{
    return nullptr;
}

LPUNKNOWN CXTPAccessible::GetAccessibleInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IAccessible) || IsEqualIID(iid, IID_IDispatch))
        return &m_xAccessible;
    return nullptr;
}

// ---- the IAccessible object

STDMETHODIMP CXTPAccessible::XAccessible::QueryInterface(REFIID iid, void** ppvObject)
{
    if (!ppvObject)
        return E_POINTER;
    if (CCmdTarget* pTarget = m_pOwner->GetAccessible())
        return pTarget->ExternalQueryInterface(iid, ppvObject);
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_IAccessible))
    {
        *ppvObject = static_cast<IAccessible*>(this);
        return S_OK;
    }
    *ppvObject = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CXTPAccessible::XAccessible::AddRef()
{
    CCmdTarget* pTarget = m_pOwner->GetAccessible();
    return pTarget ? pTarget->ExternalAddRef() : 1;
}

STDMETHODIMP_(ULONG) CXTPAccessible::XAccessible::Release()
{
    CCmdTarget* pTarget = m_pOwner->GetAccessible();
    return pTarget ? pTarget->ExternalRelease() : 1;
}

STDMETHODIMP CXTPAccessible::XAccessible::GetTypeInfoCount(UINT*)
{
    return E_NOTIMPL;
}
STDMETHODIMP CXTPAccessible::XAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**)
{
    return E_NOTIMPL;
}
STDMETHODIMP CXTPAccessible::XAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}
STDMETHODIMP CXTPAccessible::XAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CXTPAccessible::XAccessible::get_accParent(IDispatch** ppdispParent)
{
    return m_pOwner->GetAccessibleParent(ppdispParent);
}
STDMETHODIMP CXTPAccessible::XAccessible::get_accChildCount(long* pcountChildren)
{
    return m_pOwner->GetAccessibleChildCount(pcountChildren);
}
STDMETHODIMP CXTPAccessible::XAccessible::get_accChild(VARIANT varChild, IDispatch** ppdispChild)
{
    return m_pOwner->GetAccessibleChild(varChild, ppdispChild);
}
STDMETHODIMP CXTPAccessible::XAccessible::get_accName(VARIANT varChild, BSTR* pszName)
{
    return m_pOwner->GetAccessibleName(varChild, pszName);
}
STDMETHODIMP CXTPAccessible::XAccessible::get_accValue(VARIANT varChild, BSTR* pszValue)
{
    return m_pOwner->GetAccessibleValue(varChild, pszValue);
}
STDMETHODIMP CXTPAccessible::XAccessible::get_accDescription(VARIANT varChild, BSTR* pszDescription)
{
    return m_pOwner->GetAccessibleDescription(varChild, pszDescription);
}
STDMETHODIMP CXTPAccessible::XAccessible::get_accRole(VARIANT varChild, VARIANT* pvarRole)
{
    return m_pOwner->GetAccessibleRole(varChild, pvarRole);
}
STDMETHODIMP CXTPAccessible::XAccessible::get_accState(VARIANT varChild, VARIANT* pvarState)
{
    return m_pOwner->GetAccessibleState(varChild, pvarState);
}
STDMETHODIMP CXTPAccessible::XAccessible::get_accHelp(VARIANT varChild, BSTR* pszHelp)
{
    return m_pOwner->GetAccessibleHelp(varChild, pszHelp);
}
STDMETHODIMP CXTPAccessible::XAccessible::get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic)
{
    return m_pOwner->GetAccessibleHelpTopic(pszHelpFile, varChild, pidTopic);
}
STDMETHODIMP CXTPAccessible::XAccessible::get_accKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut)
{
    return m_pOwner->GetAccessibleKeyboardShortcut(varChild, pszKeyboardShortcut);
}
STDMETHODIMP CXTPAccessible::XAccessible::get_accFocus(VARIANT* pvarChild)
{
    return m_pOwner->GetAccessibleFocus(pvarChild);
}
STDMETHODIMP CXTPAccessible::XAccessible::get_accSelection(VARIANT* pvarChildren)
{
    return m_pOwner->GetAccessibleSelection(pvarChildren);
}
STDMETHODIMP CXTPAccessible::XAccessible::get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    return m_pOwner->GetAccessibleDefaultAction(varChild, pszDefaultAction);
}
STDMETHODIMP CXTPAccessible::XAccessible::accSelect(long flagsSelect, VARIANT varChild)
{
    return m_pOwner->AccessibleSelect(flagsSelect, varChild);
}
STDMETHODIMP CXTPAccessible::XAccessible::accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                                      VARIANT varChild)
{
    return m_pOwner->AccessibleLocation(pxLeft, pyTop, pcxWidth, pcyHeight, varChild);
}
STDMETHODIMP CXTPAccessible::XAccessible::accNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt)
{
    return m_pOwner->AccessibleNavigate(navDir, varStart, pvarEndUpAt);
}
STDMETHODIMP CXTPAccessible::XAccessible::accHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    return m_pOwner->AccessibleHitTest(xLeft, yTop, pvarChild);
}
STDMETHODIMP CXTPAccessible::XAccessible::accDoDefaultAction(VARIANT varChild)
{
    return m_pOwner->AccessibleDoDefaultAction(varChild);
}
STDMETHODIMP CXTPAccessible::XAccessible::put_accName(VARIANT varChild, BSTR szName)
{
    return m_pOwner->PutAccessibleName(varChild, szName);
}
STDMETHODIMP CXTPAccessible::XAccessible::put_accValue(VARIANT varChild, BSTR szValue)
{
    return m_pOwner->PutAccessibleValue(varChild, szValue);
}
