// CXTPMarkupInputElement: the base of every element that belongs to a context, with the routed
// events of the markup (registration, handlers from event attributes) and the value precedence of
// styled elements (local value, style, type style). CXTPMarkupDelegate is a named handler a host
// puts into the context's delegate table.
#pragma once

#include <map>
#include <vector>

#include "toolkit/markup/objects/XTPMarkupType.h"

class CXTPMarkupContext;
class CXTPMarkupStyle;
class CXTPMarkupRoutedEventArgs;
class CXTPMarkupInputElement;

class CXTPMarkupDelegate : public CXTPMarkupObject
{
public:
    virtual void Execute(CXTPMarkupObject* pSender, CXTPMarkupRoutedEventArgs* pArgs) = 0;
};

class CXTPMarkupRoutedEvent : public CXTPMarkupDependencyProperty
{
public:
    enum RoutingStrategy
    {
        routingDirect = 0,
        routingBubble = 0x01,
    };

    BOOL IsEvent() const override;
    // Registered like a property (value type string, the delegate's name) without a store index;
    // metadata only for a bubbling event.
    static CXTPMarkupRoutedEvent* RegisterRoutedEvent(LPCWSTR lpszName, RoutingStrategy nRouting,
                                                      CXTPMarkupType* pOwnerType);
};

class CXTPMarkupRoutedEventArgs : public CXTPMarkupObject
{
public:
    CXTPMarkupRoutedEventArgs(CXTPMarkupRoutedEvent* pEvent, CXTPMarkupObject* pSource);
    CXTPMarkupRoutedEvent* GetEvent() const { return m_pEvent; }
    CXTPMarkupObject* GetSource() const { return m_pSource; }
    BOOL IsHandled() const { return m_bHandled; }
    void SetHandled() { m_bHandled = TRUE; }

private:
    CXTPMarkupRoutedEvent* m_pEvent;
    CXTPMarkupObject* m_pSource;
    BOOL m_bHandled;
};

// Mouse event arguments: the host window and the position in its client coordinates.
class CXTPMarkupMouseEventArgs : public CXTPMarkupRoutedEventArgs
{
public:
    CXTPMarkupMouseEventArgs(CXTPMarkupRoutedEvent* pEvent, CXTPMarkupObject* pSource, HWND hWnd, int x, int y)
        : CXTPMarkupRoutedEventArgs(pEvent, pSource), m_hWnd(hWnd), m_x(x), m_y(y)
    {
    }
    // The position less the visual offsets of the element and of its visual ancestors.
    POINT GetPosition(CXTPMarkupInputElement* pRelativeTo) const;
    HWND m_hWnd;
    int m_x;
    int m_y;
};

class CXTPMarkupMouseButtonEventArgs : public CXTPMarkupMouseEventArgs
{
public:
    using CXTPMarkupMouseEventArgs::CXTPMarkupMouseEventArgs;
};

class CXTPMarkupQueryCursorEventArgs : public CXTPMarkupMouseEventArgs
{
public:
    CXTPMarkupQueryCursorEventArgs(CXTPMarkupObject* pSource, HWND hWnd)
        : CXTPMarkupMouseEventArgs(nullptr, pSource, hWnd, 0, 0), m_hCursor(nullptr)
    {
    }
    HCURSOR m_hCursor;
};

class CXTPMarkupMouseWheelEventArgs : public CXTPMarkupMouseEventArgs
{
public:
    CXTPMarkupMouseWheelEventArgs(CXTPMarkupObject* pSource, HWND hWnd, int nDelta)
        : CXTPMarkupMouseEventArgs(nullptr, pSource, hWnd, 0, 0), m_nDelta(nDelta)
    {
    }
    int m_nDelta;
};

class CXTPMarkupInputElement : public CXTPMarkupObject
{
    XTP_DECLARE_MARKUPCLASS(CXTPMarkupInputElement)
public:
    CXTPMarkupInputElement();

    // Local value, then the values of active style triggers, then the element's style, then its
    // type's style.
    CXTPMarkupObject* LookupValue(CXTPMarkupDependencyProperty* pProperty) const override;
    // Events take the named delegate from the context; other properties go to the base.
    void SetPropertyObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupDependencyProperty* pProperty,
                           CXTPMarkupObject* pValue) override;
    // Tells the context before the element goes.
    void OnFinalRelease() override;

    // The mouse operations the context calls (after the element's handlers, unless handled).
    // Enter sets IsMouseOver, leave clears it; the cursor query sets the handled flag and the
    // cursor when the element (or its style) has a Cursor; the rest do nothing here.
    virtual void OnMouseLeave(CXTPMarkupMouseEventArgs* pArgs);
    virtual void OnMouseEnter(CXTPMarkupMouseEventArgs* pArgs);
    virtual void OnMouseMove(CXTPMarkupMouseEventArgs* pArgs);
    virtual void OnQueryCursor(CXTPMarkupQueryCursorEventArgs* pArgs);
    virtual void OnMouseLeftButtonUp(CXTPMarkupMouseButtonEventArgs* pArgs);
    virtual void OnMouseRightButtonUp(CXTPMarkupMouseButtonEventArgs* pArgs);
    virtual void OnMouseLeftButtonDown(CXTPMarkupMouseButtonEventArgs* pArgs);
    virtual void OnMouseRightButtonDown(CXTPMarkupMouseButtonEventArgs* pArgs);
    virtual void OnLostMouseCapture(CXTPMarkupMouseEventArgs* pArgs);
    virtual void OnMouseWheel(CXTPMarkupMouseWheelEventArgs* pArgs);
    // Forwarded to the context.
    void SetCapture();
    void ReleaseCapture();

    // Run by the builder for every input element of a new tree, children first: an element without
    // a style takes a Style keyed by its own type from the resources above it; then the style's
    // triggers are evaluated against the element's values.
    virtual void OnLoaded();

    // Re-evaluates the style's triggers after pProperty became pNewValue (null property: every
    // trigger against the current values). Triggers that stop applying withdraw their setters'
    // values; newly applying ones (an active trigger is never added twice) supply theirs, a later
    // trigger overriding an earlier one; every property whose trigger value changed is notified.
    void UpdateTriggers(CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pNewValue);
    int GetActiveTriggerCount() const { return (int)m_arrActiveTriggers.size(); }

    CXTPMarkupContext* GetMarkupContext() const { return m_pMarkupContext; }
    // Called by the context that made the element (one reference to the context) and by the
    // context when the element goes (null).
    void SetMarkupContext(CXTPMarkupContext* pContext) { m_pMarkupContext = pContext; }
    CXTPMarkupStyle* GetStyle() const { return m_pStyle; }

    // Appends the delegate (one more reference) to the element's list for the event.
    void AddHandler(CXTPMarkupRoutedEvent* pEvent, CXTPMarkupDelegate* pDelegate);
    int GetHandlerCount(CXTPMarkupRoutedEvent* pEvent) const;
    // Direct events run the element's own delegates; bubbling ones go up the logical ancestors
    // until handled.
    void RaiseEvent(CXTPMarkupRoutedEventArgs* pArgs);

    static CXTPMarkupDependencyProperty* m_pCursorProperty;
    static CXTPMarkupDependencyProperty* m_pIsMouseOverProperty;
    static CXTPMarkupDependencyProperty* m_pStyleProperty;
    static CXTPMarkupDependencyProperty* m_pIsKeyboardFocusedProperty;
    static CXTPMarkupDependencyProperty* m_pIsFocusableProperty;
    static CXTPMarkupDependencyProperty* m_pToolTipProperty;

    static CXTPMarkupRoutedEvent* m_pMouseLeaveEvent;
    static CXTPMarkupRoutedEvent* m_pMouseEnterEvent;
    static CXTPMarkupRoutedEvent* m_pMouseLeftButtonUpEvent;
    static CXTPMarkupRoutedEvent* m_pMouseLeftButtonDownEvent;
    static CXTPMarkupRoutedEvent* m_pMouseRightButtonUpEvent;
    static CXTPMarkupRoutedEvent* m_pMouseRightButtonDownEvent;
    static CXTPMarkupRoutedEvent* m_pMouseMoveEvent;
    static CXTPMarkupRoutedEvent* m_pLostMouseCaptureEvent;

    static void RegisterMarkupProperties();

protected:
    ~CXTPMarkupInputElement() override;
    void RaiseOwnHandlers(CXTPMarkupRoutedEventArgs* pArgs);
    static void OnStyleChanged(CXTPMarkupObject* pObject, XTP_MARKUP_PROPERTY_CHANGE* pChange);

    CXTPMarkupContext* m_pMarkupContext;
    CXTPMarkupStyle* m_pStyle;
    std::map<CXTPMarkupRoutedEvent*, std::vector<CXTPMarkupDelegate*>> m_mapHandlers;
    // The triggers that apply now and the values their setters supply (one reference each).
    std::vector<class CXTPMarkupTrigger*> m_arrActiveTriggers;
    std::map<CXTPMarkupDependencyProperty*, CXTPMarkupObject*> m_mapTriggerValues;

private:
    bool ActivateTriggers(CXTPMarkupStyle* pStyle, CXTPMarkupDependencyProperty* pProperty, CXTPMarkupObject* pNewValue,
                          int nDepth);
};
