// CStaticField: a read-only, selectable one-line text field on a subclassed edit control. A text too wide
// for the field is shown shortened with "..."; the arrow, Home and End keys scroll it character by
// character; a double click selects the whole text and copies it to the clipboard; after the mouse has
// rested over the focused field for two seconds, the full text shows in a CTooltipWindow below the field.
// CStaticFieldMouseTimer, a timer thread, watches the mouse and posts WM_QVX_FIELD_SHOW_TOOLTIP.
#pragma once

#include <atomic>

#include "foundation/CommSystemTimer.h"
#include "foundation/DravikString.h"
#include "framework/StdControls.h"
#include "ui/controls/TooltipWindow.h"

class CStaticField;

// Ticks every second on its own thread; after the cursor has stayed on one point for 2 seconds it asks the
// field to show its tooltip.
class CStaticFieldMouseTimer : public CCommSystemTimer
{
public:
    static constexpr DWORD kInterval = 1000;
    static constexpr long long kRestMs = 2000;

    explicit CStaticFieldMouseTimer(CStaticField* owner);
    ~CStaticFieldMouseTimer() override;

    void OnTimer() override;
    // The clock and cursor seams (tests replace them).
    virtual long long Now();
    virtual POINT CursorPosition();
    // Posts the tooltip request to the field.
    virtual void Request(POINT point);

    bool IsTracking() const { return m_tracking; }

private:
    CStaticField* m_owner;
    POINT m_last = {0, 0};
    bool m_tracking = false;
    long long m_start = 0;
};

class CStaticField : public CEdit
{
public:
    static constexpr COLORREF kFocusColour = RGB(220, 220, 230);
    // Repaints that wait for the first WM_CTLCOLOR to bring the dialog's font; then the field gives up and
    // paints in the font it has.
    static constexpr int kMaxFontRepaints = 8;

    CStaticField();
    ~CStaticField() override;

    virtual void SetText(const char* text);
    virtual HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    virtual void SetFieldFont(CFont* font);

    // The text with every CR and LF as a blank and every run of blanks as one blank.
    static CDravikString DisplayTextOf(const CDravikString& text);
    CDravikString GetDisplayText() const { return DisplayTextOf(m_text); }
    const CDravikString& GetText() const { return m_text; }
    // The text as painted: from the first visible character, shortened with "..." when it does not fit.
    CDravikString ShortenedText();
    bool IsShortened() const { return m_shortened; }
    int GetFirstVisible() const { return m_firstVisible; }
    // Characters to drop from the start until the rest fits.
    int CharsToDrop();
    bool Fits(const CDravikString& text);
    bool PrepareDC();
    void ReleaseFieldDC();
    bool IsTooltipEnabled() const { return m_tooltipEnabled.load(); }
    void EnableTooltip(bool enable) { m_tooltipEnabled.store(enable); }
    CTooltipWindow& GetTooltip() { return m_tooltip; }
    CStaticFieldMouseTimer& GetMouseTimer() { return m_timer; }
    bool IsFontKnown() const { return m_fontKnown; }
    int GetFontRepaints() const { return m_fontRepaints; }
    bool ShowTooltip(POINT screenPoint);

    afx_msg void OnPaint();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg LRESULT OnShowTooltipRequest(WPARAM, LPARAM lParam);

protected:
    DECLARE_MESSAGE_MAP()

private:
    void EnsureTooltip();
    void ResetHoverWatch();
    void AdoptDCFont(CDC* pDC);
    bool SelectFieldFont();
    void RestoreFieldFont();
    void ButtonEvent();

    CDravikString m_text;
    HDC m_dc = nullptr;
    COLORREF m_background;
    COLORREF m_focusColour = kFocusColour;
    COLORREF m_textColour = RGB(0, 0, 0);
    bool m_noShortening = false;
    bool m_keyboardScrolling = true;
    bool m_focusColouring = true;
    bool m_trueTypeOnly = true;
    int m_firstVisible = 0;
    HFONT m_font = nullptr;
    HGDIOBJ m_previousFont = nullptr;
    HBRUSH m_backgroundBrush = nullptr;
    HBRUSH m_focusBrush = nullptr;
    CDravikString m_faceName;
    TEXTMETRICA m_metrics = {};
    bool m_fontKnown = false;
    std::atomic<bool> m_tooltipEnabled{true};
    CTooltipWindow m_tooltip;
    CCommSystemTimerOwner<CStaticFieldMouseTimer> m_timer;
    bool m_shortened = false;
    POINT m_lastMouse = {0, 0};
    bool m_externalFont = false;
    bool m_tooltipMade = false;
    int m_fontRepaints = 0;
};
