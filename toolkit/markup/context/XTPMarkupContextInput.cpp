// The context's mouse routing (CXTPMarkupContext::OnWndMsg and its parts, declared in
// XTPMarkupContext.h). Nothing here throws: it runs inside the host's window procedure.
#include <windowsx.h>

#include <vector>

#include "toolkit/markup/context/XTPMarkupContext.h"
#include "toolkit/markup/elements/XTPMarkupUIElement.h"

namespace
{
// The element and its input-element ancestors, deepest first, each held by one reference.
class CElementChain
{
public:
    explicit CElementChain(CXTPMarkupInputElement* pElement)
    {
        int nDepth = 0;
        for (CXTPMarkupObject* p = pElement; p && nDepth < 4096; p = p->GetLogicalParent(), nDepth++)
        {
            if (p->IsKindOf(CXTPMarkupInputElement::GetMarkupType()))
            {
                p->AddRef();
                m_arr.push_back(static_cast<CXTPMarkupInputElement*>(p));
            }
        }
    }
    ~CElementChain()
    {
        for (CXTPMarkupInputElement* p : m_arr)
            p->Release();
    }
    void DropLast()
    {
        m_arr.back()->Release();
        m_arr.pop_back();
    }
    std::vector<CXTPMarkupInputElement*> m_arr;
};

// Up the chain, deepest first: each element's handlers, then its operation, until handled
// (arguments without an event run the operations only).
template <class TOperation>
void RouteUp(const std::vector<CXTPMarkupInputElement*>& arrChain, CXTPMarkupRoutedEventArgs* pArgs, TOperation op)
{
    for (CXTPMarkupInputElement* p : arrChain)
    {
        p->RaiseEvent(pArgs);
        if (pArgs->IsHandled())
            return;
        op(p);
        if (pArgs->IsHandled())
            return;
    }
}

bool IsInSubtree(CXTPMarkupObject* pElement, CXTPMarkupObject* pAncestor)
{
    for (CXTPMarkupObject* p = pElement; p; p = p->GetLogicalParent())
    {
        if (p == pAncestor)
            return true;
    }
    return false;
}
} // namespace

void CXTPMarkupContext::SetDefaultFontFromHandle(HFONT hFont)
{
    LOGFONTA lf;
    if (hFont && ::GetObjectA(hFont, sizeof(lf), &lf) == sizeof(lf))
        m_logFont = lf;
}

void CXTPMarkupContext::SetCapture(CXTPMarkupInputElement* pElement)
{
    if (m_pCapture == pElement)
        return;
    ::SetCapture(m_hWnd);
    m_pCapture = pElement;
}

void CXTPMarkupContext::ReleaseCapture()
{
    m_pCapture = nullptr;
    ::ReleaseCapture();
}

BOOL CXTPMarkupContext::OnWndMsg(CXTPMarkupUIElement* pRoot, UINT message, WPARAM wParam, LPARAM lParam,
                                 LRESULT* pResult)
{
    if (!m_hWnd)
        return FALSE;
    if (!pRoot)
    {
        if (m_pLastRoot)
            HandleMouseEnter(nullptr, -1, -1);
        return FALSE;
    }
    switch (message)
    {
    case WM_DESTROY:
    case WM_MOUSELEAVE:
        HandleMouseEnter(nullptr, -1, -1);
        return FALSE;
    case WM_MOUSEMOVE:
        MouseMove(pRoot, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return FALSE;
    case WM_SETCURSOR:
        if (HandleSetCursor())
        {
            if (pResult)
                *pResult = 1;
            return TRUE;
        }
        return FALSE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return HandleMouseButton(message, lParam);
    case WM_CAPTURECHANGED:
        if (m_pCapture)
        {
            CXTPMarkupInputElement* pCapture = m_pCapture;
            pCapture->AddRef();
            m_pCapture = nullptr;
            CXTPMarkupMouseEventArgs args(CXTPMarkupInputElement::m_pLostMouseCaptureEvent, pCapture, m_hWnd, -1, -1);
            pCapture->RaiseEvent(&args);
            if (!args.IsHandled())
                pCapture->OnLostMouseCapture(&args);
            pCapture->Release();
        }
        return FALSE;
    case WM_MOUSEWHEEL:
        if (HandleMouseWheel((short)HIWORD(wParam)))
        {
            if (pResult)
                *pResult = 1;
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

void CXTPMarkupContext::MouseMove(CXTPMarkupUIElement* pRoot, int x, int y)
{
    CXTPMarkupInputElement* pHit = pRoot->InputHitTest({x, y});
    if (m_pCapture)
        pHit = (pHit && IsInSubtree(pHit, m_pCapture)) ? m_pCapture : nullptr;
    if (pHit != m_pMouseOver)
    {
        HandleMouseEnter(pHit, x, y);
        if (m_pMouseOver)
        {
            TRACKMOUSEEVENT tme = {sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0};
            ::TrackMouseEvent(&tme);
        }
        if (!HandleSetCursor())
            ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    }
    m_pLastRoot = m_pMouseOver ? pRoot : nullptr;
    if (!m_pMouseOver)
        return;
    CXTPMarkupMouseEventArgs args(CXTPMarkupInputElement::m_pMouseMoveEvent, m_pMouseOver, m_hWnd, x, y);
    CElementChain chain(m_pMouseOver);
    RouteUp(chain.m_arr, &args, [&](CXTPMarkupInputElement* p) { p->OnMouseMove(&args); });
}

void CXTPMarkupContext::HandleMouseEnter(CXTPMarkupInputElement* pElement, int x, int y)
{
    if (pElement == m_pMouseOver)
        return;
    if (!pElement)
        m_pLastRoot = nullptr;
    CElementChain chainOld(m_pMouseOver);
    CElementChain chainNew(pElement);
    while (!chainOld.m_arr.empty() && !chainNew.m_arr.empty() && chainOld.m_arr.back() == chainNew.m_arr.back())
    {
        chainOld.DropLast();
        chainNew.DropLast();
    }
    CXTPMarkupMouseEventArgs argsLeave(CXTPMarkupInputElement::m_pMouseLeaveEvent, m_pMouseOver, m_hWnd, x, y);
    CXTPMarkupMouseEventArgs argsEnter(CXTPMarkupInputElement::m_pMouseEnterEvent, pElement, m_hWnd, x, y);
    m_pMouseOver = pElement;
    RouteUp(chainOld.m_arr, &argsLeave, [&](CXTPMarkupInputElement* p) { p->OnMouseLeave(&argsLeave); });
    RouteUp(chainNew.m_arr, &argsEnter, [&](CXTPMarkupInputElement* p) { p->OnMouseEnter(&argsEnter); });
}

BOOL CXTPMarkupContext::HandleSetCursor()
{
    if (!m_pMouseOver)
        return FALSE;
    CXTPMarkupQueryCursorEventArgs args(m_pMouseOver, m_hWnd);
    CElementChain chain(m_pMouseOver);
    RouteUp(chain.m_arr, &args, [&](CXTPMarkupInputElement* p) { p->OnQueryCursor(&args); });
    if (!args.IsHandled() || !args.m_hCursor)
        return FALSE;
    ::SetCursor(args.m_hCursor);
    return TRUE;
}

BOOL CXTPMarkupContext::HandleMouseButton(UINT message, LPARAM lParam)
{
    CXTPMarkupInputElement* pTarget = m_pCapture ? m_pCapture : m_pMouseOver;
    if (!pTarget)
        return FALSE;
    CXTPMarkupRoutedEvent* pEvent = CXTPMarkupInputElement::m_pMouseLeftButtonDownEvent;
    if (message == WM_LBUTTONUP)
        pEvent = CXTPMarkupInputElement::m_pMouseLeftButtonUpEvent;
    else if (message == WM_RBUTTONDOWN)
        pEvent = CXTPMarkupInputElement::m_pMouseRightButtonDownEvent;
    else if (message == WM_RBUTTONUP)
        pEvent = CXTPMarkupInputElement::m_pMouseRightButtonUpEvent;
    CXTPMarkupMouseButtonEventArgs args(pEvent, pTarget, m_hWnd, (short)LOWORD(lParam), (int)lParam >> 16);
    CElementChain chain(pTarget);
    RouteUp(chain.m_arr, &args, [&](CXTPMarkupInputElement* p) {
        if (message == WM_LBUTTONUP)
            p->OnMouseLeftButtonUp(&args);
        else if (message == WM_RBUTTONDOWN)
            p->OnMouseRightButtonDown(&args);
        else if (message == WM_RBUTTONUP)
            p->OnMouseRightButtonUp(&args);
        else
            p->OnMouseLeftButtonDown(&args);
    });
    return args.IsHandled();
}

BOOL CXTPMarkupContext::HandleMouseWheel(int nDelta)
{
    if (!m_pMouseOver)
        return FALSE;
    CXTPMarkupMouseWheelEventArgs args(m_pMouseOver, m_hWnd, nDelta);
    CElementChain chain(m_pMouseOver);
    RouteUp(chain.m_arr, &args, [&](CXTPMarkupInputElement* p) { p->OnMouseWheel(&args); });
    return args.IsHandled();
}
