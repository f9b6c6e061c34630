#include "toolkit/markup/context/XTPMarkupContext.h"

#include "toolkit/markup/XTPMarkupIds.h"
#include "toolkit/markup/elements/XTPMarkupUIElement.h"

CXTPMarkupContext::CXTPMarkupContext(HWND hWnd) : m_dwRef(1), m_hWnd(hWnd), m_clrText(0), m_pMouseOver(nullptr), m_pCapture(nullptr), m_pLastRoot(nullptr)
{
    ZeroMemory(&m_logFont, sizeof(m_logFont));
    NONCLIENTMETRICSA metrics;
    ZeroMemory(&metrics, sizeof(metrics));
    // The size of the record before Vista's padded-border field: every version of Windows takes it.
    metrics.cbSize = 340;
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        m_logFont = metrics.lfMessageFont;
    XTPMarkupInitialize();
}

CXTPMarkupContext::~CXTPMarkupContext()
{
    for (auto& entry : m_mapDelegates)
        entry.second->Release();
}

DWORD CXTPMarkupContext::AddRef()
{
    return (DWORD)::InterlockedIncrement(&m_dwRef);
}

DWORD CXTPMarkupContext::Release()
{
    if (m_dwRef == 0)
        return 0;
    LONG nRef = ::InterlockedDecrement(&m_dwRef);
    if (nRef == 0)
        delete this;
    return (DWORD)nRef;
}

CXTPMarkupObject* CXTPMarkupContext::CreateMarkupObject(CXTPMarkupType* pType)
{
    CXTPMarkupObject* pObject = pType ? pType->CreateObject() : nullptr;
    if (pObject && pObject->IsKindOf(CXTPMarkupInputElement::GetMarkupType()))
    {
        static_cast<CXTPMarkupInputElement*>(pObject)->SetMarkupContext(this);
        AddRef();
    }
    return pObject;
}

CXTPMarkupDelegate* CXTPMarkupContext::FindDelegate(LPCWSTR lpszName) const
{
    if (!lpszName)
        return nullptr;
    auto it = m_mapDelegates.find(lpszName);
    return it == m_mapDelegates.end() ? nullptr : it->second;
}

void CXTPMarkupContext::SetDelegate(LPCWSTR lpszName, CXTPMarkupDelegate* pDelegate)
{
    if (!lpszName)
        return;
    if (pDelegate)
        pDelegate->AddRef();
    auto it = m_mapDelegates.find(lpszName);
    if (it != m_mapDelegates.end())
    {
        it->second->Release();
        m_mapDelegates.erase(it);
    }
    if (pDelegate)
        m_mapDelegates[lpszName] = pDelegate;
}

void CXTPMarkupContext::OnElementDestroyed(CXTPMarkupInputElement* pElement)
{
    if (pElement->GetMarkupContext() != this)
        return;
    if (m_pMouseOver == pElement)
        m_pMouseOver = nullptr;
    if ((CXTPMarkupInputElement*)m_pLastRoot == pElement)
        m_pLastRoot = nullptr;
    if (m_pCapture == pElement)
    {
        m_pCapture = nullptr;
        ::ReleaseCapture();
    }
    pElement->SetMarkupContext(nullptr);
    Release();
}

RECT CXTPMarkupContext::GetElementBounds(CXTPMarkupObject* pElement)
{
    RECT rc = {0, 0, 0, 0};
    if (!pElement || !pElement->IsKindOf(CXTPMarkupUIElement::GetMarkupType()))
        return rc;
    CXTPMarkupUIElement* pUIElement = static_cast<CXTPMarkupUIElement*>(pElement);
    // The render area, moved by the visual offsets of the element and of its visual ancestors.
    rc = {0, 0, pUIElement->GetRenderSize().cx, pUIElement->GetRenderSize().cy};
    for (CXTPMarkupVisual* p = pUIElement; p; p = p->GetVisualParent())
        OffsetRect(&rc, p->GetVisualOffset().x, p->GetVisualOffset().y);
    return rc;
}

void CXTPMarkupContext::InvalidateElement(CXTPMarkupObject* pElement)
{
    if (!m_hWnd)
        return;
    RECT rc = GetElementBounds(pElement);
    ::InvalidateRect(m_hWnd, &rc, FALSE);
    ::SendMessage(m_hWnd, WM_XTP_MARKUPINVALIDATED, 0, 0);
}

void CXTPMarkupContext::InvalidateAll()
{
    if (!m_hWnd)
        return;
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    ::SendMessage(m_hWnd, WM_XTP_MARKUPINVALIDATED, 0, 0);
}
