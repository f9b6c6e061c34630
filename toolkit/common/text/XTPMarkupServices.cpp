#include "toolkit/common/text/XTPMarkupServices.h"

namespace
{
XTP_MARKUP_SERVICES g_services = {};
bool g_installed = false;
} // namespace

void XTPSetMarkupServices(const XTP_MARKUP_SERVICES* pServices)
{
    g_installed = pServices != nullptr;
    g_services = pServices ? *pServices : XTP_MARKUP_SERVICES{};
}

CXTPMarkupContext* MarkupCreateContext(HWND hWnd)
{
    return g_installed && g_services.pfnCreateContext ? g_services.pfnCreateContext(hWnd) : nullptr;
}

void MarkupSetDefaultFont(CXTPMarkupContext* pContext, HFONT hFont, COLORREF clrText)
{
    if (pContext && g_installed && g_services.pfnSetDefaultFont)
        g_services.pfnSetDefaultFont(pContext, hFont, clrText);
}

CXTPMarkupUIElement* MarkupParseText(CXTPMarkupContext* pContext, LPCSTR lpszText)
{
    if (!pContext || !lpszText || !g_installed || !g_services.pfnParseText)
        return nullptr;
    return g_services.pfnParseText(pContext, lpszText);
}

SIZE MarkupMeasureElement(CXTPMarkupUIElement* pElement, int cxAvail, int cyAvail)
{
    SIZE sz = {0, 0};
    if (pElement && g_installed && g_services.pfnMeasureElement)
        g_services.pfnMeasureElement(&sz, pElement, cxAvail, cyAvail);
    return sz;
}

void MarkupRenderElement(CXTPMarkupUIElement* pElement, HDC hDC, LPCRECT lpRect)
{
    if (pElement && hDC && lpRect && g_installed && g_services.pfnRenderElement)
        g_services.pfnRenderElement(pElement, hDC, lpRect);
}

void MarkupReleaseElement(CXTPMarkupUIElement*& pElement)
{
    if (!pElement)
        return;
    if (g_installed && g_services.pfnReleaseElement)
        g_services.pfnReleaseElement(pElement);
    pElement = nullptr;
}

void MarkupReleaseContext(CXTPMarkupContext*& pContext)
{
    if (!pContext)
        return;
    if (g_installed && g_services.pfnReleaseContext)
        g_services.pfnReleaseContext(pContext);
    pContext = nullptr;
}
