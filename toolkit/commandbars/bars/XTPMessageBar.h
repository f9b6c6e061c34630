// CXTPMessageBar: a strip above a frame's client area that shows a message with buttons beside it
// (the close button has id SC_CLOSE). The window paints itself through the paint manager: the face,
// the framed message area (MessageBarGetMessageRect) and each button; the buttons keep the
// rectangles they are given.
#pragma once

#include "framework/Array.h"
#include "framework/Wnd.h"
#include "toolkit/commandbars/bars/XTPMessageBarButton.h"

class CXTPPaintManager;

class CXTPMessageBar : public CWnd
{
public:
    CXTPMessageBar();
    ~CXTPMessageBar() override;
    CXTPMessageBar(const CXTPMessageBar&) = delete;
    CXTPMessageBar& operator=(const CXTPMessageBar&) = delete;

    // A child window of pParent at rc.
    BOOL Create(CWnd* pParent, const RECT& rc, UINT nId = 0);

    // The four paddings between the client edges and the message area.
    void SetPaddings(int nLeft, int nTop, int nRight, int nBottom) { m_rcPadding.SetRect(nLeft, nTop, nRight, nBottom); }
    CRect GetPaddings() const { return m_rcPadding; }

    // The bar owns its buttons.
    CXTPMessageBarButton* AddButton(UINT nId, LPCSTR lpszCaption, LPCSTR lpszToolTip = nullptr);
    void RemoveButtons();
    int GetButtonCount() const { return static_cast<int>(m_arrButtons.GetSize()); }
    CXTPMessageBarButton* GetButton(int nIndex) const;
    // The first button with the id (a linear search), or null.
    CXTPMessageBarButton* FindButton(UINT nId) const;

    // Null: the global paint manager.
    void SetPaintManager(CXTPPaintManager* pPaintManager) { m_pPaintManager = pPaintManager; }
    CXTPPaintManager* GetPaintManager() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CRect m_rcPadding;
    CArray<CXTPMessageBarButton*, CXTPMessageBarButton*> m_arrButtons;
    CXTPPaintManager* m_pPaintManager = nullptr;
};

// The message area of the bar: its client rectangle less the four paddings, and 18 pixels less on
// the right when the bar has a close button (SC_CLOSE).
void MessageBarGetMessageRect(CXTPMessageBar* pBar, RECT* pRect);
