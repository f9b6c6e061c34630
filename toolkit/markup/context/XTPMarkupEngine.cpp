#include "toolkit/markup/context/XTPMarkupEngine.h"

#include <string.h>

#include "toolkit/markup/context/XTPMarkupContext.h"
#include "toolkit/markup/drawing/XTPMarkupDrawingContext.h"
#include "toolkit/markup/elements/XTPMarkupUIElement.h"
#include "toolkit/markup/parser/XTPMarkupParser.h"
#include "toolkit/markup/treebuilder/XTPMarkupBuilder.h"

CXTPMarkupContext* XTPMarkupEngineCreateContext(HWND hWnd)
{
    return new CXTPMarkupContext(hWnd);
}

void XTPMarkupEngineReleaseContext(CXTPMarkupContext*& pContext)
{
    if (!pContext)
        return;
    pContext->Release();
    pContext = nullptr;
}

CXTPMarkupUIElement* XTPMarkupEngineParseText(CXTPMarkupContext* pContext, LPCSTR lpszText)
{
    if (!pContext || !lpszText)
        return nullptr;
    CXTPMarkupParser parser;
    parser.SetBuffer(lpszText, lpszText + strlen(lpszText));
    CXTPMarkupBuilder builder(pContext);
    return builder.Parse(&parser);
}

DWORD XTPMarkupEngineReleaseElement(CXTPMarkupUIElement*& pElement)
{
    if (!pElement)
        return 0;
    DWORD dwCount = pElement->Release();
    pElement = nullptr;
    return dwCount;
}

CXTPMarkupContext* XTPMarkupEngineGetElementContext(CXTPMarkupUIElement* pElement)
{
    return pElement ? pElement->GetMarkupContext() : nullptr;
}

void XTPMarkupEngineSetDefaultFont(CXTPMarkupContext* pContext, HFONT hFont, COLORREF clrText)
{
    if (!pContext)
        return;
    if (hFont)
        pContext->SetDefaultFontFromHandle(hFont);
    if (clrText != (COLORREF)-1)
        pContext->SetDefaultTextColor(clrText);
}

SIZE XTPMarkupEngineMeasureElement(CXTPMarkupUIElement* pElement, int nWidth, int nHeight)
{
    if (!pElement)
        return {0, 0};
    CXTPMarkupDrawingContext dc(pElement->GetMarkupContext());
    pElement->Measure(&dc, nWidth, nHeight);
    return pElement->GetDesiredSize();
}

int XTPMarkupEngineRenderElement(CXTPMarkupUIElement* pElement, HDC hDC, const RECT* pRect)
{
    if (!pElement || !hDC || !pRect)
        return 0;
    CXTPMarkupDrawingContext dc(pElement->GetMarkupContext(), hDC);
    int nResult = pElement->Measure(&dc, pRect->right - pRect->left, pRect->bottom - pRect->top);
    pElement->Arrange(*pRect);
    pElement->Render(&dc);
    return nResult;
}
