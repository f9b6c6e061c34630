// The markup engine's seven entry points as the toolkit's lower parts call them. The engine lives
// above this library, so it installs its functions here (XTPSetMarkupServices) when it starts;
// until then every text fails to parse (a null element) and callers draw it as plain text.
#pragma once

#include <windows.h>

class CXTPMarkupContext;
class CXTPMarkupUIElement;

struct XTP_MARKUP_SERVICES
{
    CXTPMarkupContext* (*pfnCreateContext)(HWND hWnd);
    void (*pfnSetDefaultFont)(CXTPMarkupContext* pContext, HFONT hFont, COLORREF clrText);
    CXTPMarkupUIElement* (*pfnParseText)(CXTPMarkupContext* pContext, LPCSTR lpszText);
    void (*pfnMeasureElement)(SIZE* pSize, CXTPMarkupUIElement* pElement, int cxAvail, int cyAvail);
    void (*pfnRenderElement)(CXTPMarkupUIElement* pElement, HDC hDC, LPCRECT lpRect);
    void (*pfnReleaseElement)(CXTPMarkupUIElement*& pElement);
    void (*pfnReleaseContext)(CXTPMarkupContext*& pContext);
};

// Installs the engine's functions (null restores the built-in ones, which parse nothing).
void XTPSetMarkupServices(const XTP_MARKUP_SERVICES* pServices);

// A new context with one reference (null without an engine).
CXTPMarkupContext* MarkupCreateContext(HWND hWnd);
// Nothing for a null context; clrText -1 keeps the colour.
void MarkupSetDefaultFont(CXTPMarkupContext* pContext, HFONT hFont, COLORREF clrText);
// The parsed tree's root with one reference, or null when the text is not markup.
CXTPMarkupUIElement* MarkupParseText(CXTPMarkupContext* pContext, LPCSTR lpszText);
// The desired size; 0 x 0 for a null element. 0x7FFFFFFF is unbounded.
SIZE MarkupMeasureElement(CXTPMarkupUIElement* pElement, int cxAvail, int cyAvail);
// Draws nothing for a null element, DC or rectangle.
void MarkupRenderElement(CXTPMarkupUIElement* pElement, HDC hDC, LPCRECT lpRect);
// Release one reference and clear the slot; an empty slot is left alone.
void MarkupReleaseElement(CXTPMarkupUIElement*& pElement);
void MarkupReleaseContext(CXTPMarkupContext*& pContext);
