// CXTPMarkupContext: the owner of the shared state of the trees built for one host. This part holds
// its creation (the one-time type registration), its interlocked reference count, the creation of
// markup objects for it, its table of named delegates and the invalidation it tells its host of.
// Fonts, input routing, tooltips and the drawing entry points are not built yet.
#pragma once

#include <windows.h>

#include <map>
#include <string>

class CXTPMarkupObject;
class CXTPMarkupType;
class CXTPMarkupDelegate;
class CXTPMarkupInputElement;
class CXTPMarkupUIElement;
class CXTPMarkupRoutedEventArgs;

class CXTPMarkupContext
{
public:
    // Reference count 1; runs the process's type registration when no context has yet.
    explicit CXTPMarkupContext(HWND hWnd = nullptr);

    DWORD AddRef();
    // 0 for a count already 0; at 0 the context deletes itself.
    DWORD Release();

    // A new object of the type (one reference); an input element stores the context and holds one
    // reference to it. Null for a null type or one that cannot be made.
    CXTPMarkupObject* CreateMarkupObject(CXTPMarkupType* pType);

    // The delegate stored under the name (no new reference), or null.
    CXTPMarkupDelegate* FindDelegate(LPCWSTR lpszName) const;
    // Stores the delegate under the name (one more reference; null removes the name). The context
    // releases its delegates when it goes.
    void SetDelegate(LPCWSTR lpszName, CXTPMarkupDelegate* pDelegate);

    // An input element made for this context is going: it drops its reference to the context.
    void OnElementDestroyed(CXTPMarkupInputElement* pElement);

    // Repaint the element's bounds (or the whole host) and then send WM_XTP_MARKUPINVALIDATED to the
    // host window; nothing without a host window.
    virtual void InvalidateElement(CXTPMarkupObject* pElement);
    virtual void InvalidateAll();
    // The render area of a UI element in host-window coordinates (moved by its own visual offset
    // and its visual ancestors'); an empty rectangle for other objects.
    static RECT GetElementBounds(CXTPMarkupObject* pElement);

    // Routes a host window's mouse message to the tree under pRoot: enter and leave along the
    // element chains (shared ancestors get neither), moves, buttons to the captured element or the
    // one under the mouse, the cursor query up the chain, the wheel, the loss of the capture.
    // Nonzero when the message was consumed (*pResult set for WM_SETCURSOR and the wheel).
    virtual BOOL OnWndMsg(CXTPMarkupUIElement* pRoot, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    void SetCapture(CXTPMarkupInputElement* pElement);
    void ReleaseCapture();
    CXTPMarkupInputElement* GetMouseOverElement() const { return m_pMouseOver; }
    CXTPMarkupInputElement* GetCaptureElement() const { return m_pCapture; }
    // The default font from a font handle's LOGFONT, and the default text colour.
    void SetDefaultFontFromHandle(HFONT hFont);
    void SetDefaultTextColor(COLORREF clr) { m_clrText = clr; }

    HWND GetHostWindow() const { return m_hWnd; }
    const LOGFONTA& GetDefaultFont() const { return m_logFont; }
    COLORREF GetDefaultTextColor() const { return m_clrText; }

protected:
    virtual ~CXTPMarkupContext();

private:
    CXTPMarkupContext(const CXTPMarkupContext&) = delete;
    CXTPMarkupContext& operator=(const CXTPMarkupContext&) = delete;

    volatile LONG m_dwRef;
    HWND m_hWnd;
    COLORREF m_clrText;
    LOGFONTA m_logFont;
    std::map<std::wstring, CXTPMarkupDelegate*> m_mapDelegates;

    void MouseMove(CXTPMarkupUIElement* pRoot, int x, int y);
    void HandleMouseEnter(CXTPMarkupInputElement* pElement, int x, int y);
    BOOL HandleSetCursor();
    BOOL HandleMouseButton(UINT message, LPARAM lParam);
    BOOL HandleMouseWheel(int nDelta);

    CXTPMarkupInputElement* m_pMouseOver;
    CXTPMarkupInputElement* m_pCapture;
    CXTPMarkupUIElement* m_pLastRoot;
};

// Makes every type of the table and registers every property, once per process and safe on any
// thread. The first context runs it; code that uses the object model without a context may too.
void XTPMarkupInitialize();
