// The engine's eight entry points under its own names (the common services keep the names their
// callers use and are not pointed at these yet): contexts, parsing, measuring and rendering.
#pragma once

#include <windows.h>

class CXTPMarkupContext;
class CXTPMarkupUIElement;

// A new context (one reference, the caller's) for the host window (may be null).
CXTPMarkupContext* XTPMarkupEngineCreateContext(HWND hWnd);
// Releases one reference and clears the pointer; a null pointer or address does nothing.
void XTPMarkupEngineReleaseContext(CXTPMarkupContext*& pContext);
// The root of the tree built from the ANSI text (one reference), or null for a null context or
// text, or a failed parse.
CXTPMarkupUIElement* XTPMarkupEngineParseText(CXTPMarkupContext* pContext, LPCSTR lpszText);
// Releases one reference, clears the pointer and answers the new count; 0 for a null pointer.
DWORD XTPMarkupEngineReleaseElement(CXTPMarkupUIElement*& pElement);
// The context the element was built for; null for a null element.
CXTPMarkupContext* XTPMarkupEngineGetElementContext(CXTPMarkupUIElement* pElement);
// A non-null font becomes the default font; a colour other than 0xFFFFFFFF the default text colour.
void XTPMarkupEngineSetDefaultFont(CXTPMarkupContext* pContext, HFONT hFont, COLORREF clrText);
// The desired size for the available size (0x7FFFFFFF: unbounded); (0, 0) for a null element.
SIZE XTPMarkupEngineMeasureElement(CXTPMarkupUIElement* pElement, int nWidth, int nHeight);
// Measures and arranges the element in the rectangle and draws it; 0 and nothing drawn for a null
// element, DC or rectangle.
int XTPMarkupEngineRenderElement(CXTPMarkupUIElement* pElement, HDC hDC, const RECT* pRect);
