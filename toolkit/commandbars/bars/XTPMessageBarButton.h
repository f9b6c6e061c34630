// CXTPMessageBarButton: a button of a message bar (the close button has id SC_CLOSE).
#pragma once

#include "framework/FrameworkString.h"
#include "framework/Wnd.h"

class CXTPMessageBar;

class CXTPMessageBarButton
{
public:
    CXTPMessageBarButton(UINT nId, LPCSTR lpszCaption, LPCSTR lpszToolTip);

    UINT GetID() const { return m_nId; }
    CString GetCaption() const { return m_strCaption; }
    CString GetToolTip() const { return m_strToolTip; }
    // The button's place in the bar's client coordinates.
    CRect GetRect() const { return m_rcButton; }
    void SetRect(CRect rc) { m_rcButton = rc; }
    BOOL IsHot() const { return m_bHot; }
    void SetHot(BOOL bHot) { m_bHot = bHot; }
    BOOL IsPressed() const { return m_bPressed; }
    void SetPressed(BOOL bPressed) { m_bPressed = bPressed; }
    CXTPMessageBar* GetBar() const { return m_pBar; }

private:
    friend class CXTPMessageBar;
    UINT m_nId;
    CString m_strCaption;
    CString m_strToolTip;
    CRect m_rcButton;
    BOOL m_bHot = FALSE;
    BOOL m_bPressed = FALSE;
    CXTPMessageBar* m_pBar = nullptr;
};
