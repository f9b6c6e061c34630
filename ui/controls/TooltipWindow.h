// CTooltipWindow: a small layered popup that shows a few lines of text below (or above) a screen point,
// painted with a white-to-lavender gradient and a grey rounded border, and faded in and out by changing its
// opacity. The fade runs inside the call that shows or hides the window (300 ms by default).
#pragma once

#include <windows.h>

#include <vector>

#include "foundation/DravikString.h"
#include "framework/Wnd.h"
#include "ui/controls/OffScreenDeviceContext.h"

class CTooltipWindow : public CWnd
{
public:
    // Characters per line: a longer text is cut into lines of this length.
    static constexpr int kLineLength = 61;
    static constexpr int kDefaultFadeMs = 300;
    static constexpr int kEmptyLineHeight = 11;
    static constexpr COLORREF kBorderColour = RGB(118, 118, 118);
    static constexpr COLORREF kTopColour = RGB(255, 255, 255);
    static constexpr COLORREF kBottomColour = RGB(229, 229, 240);

    CTooltipWindow();
    ~CTooltipWindow() override;

    void SetParentWindow(CWnd* parent) { m_parent = parent; }
    CWnd* GetParentWindow() const { return m_parent; }
    // Creates the hidden layered popup owned by the parent; false without a parent.
    virtual bool Create();
    virtual int GetWindowWidth(int textWidth) { return textWidth + 10; }

    // Adds the text as lines of at most 61 characters; true when any line was added.
    bool AddText(CDravikString text);
    void ClearLines() { m_lines.clear(); }
    const std::vector<CDravikString>& GetLines() const { return m_lines; }
    // The layered window's alpha for a percentage (integer arithmetic: 10 -> 25, 99 -> 252).
    static int AlphaForPercent(int percent) { return percent * 255 / 100; }
    // Only for 10 <= percent <= 99 and an existing window.
    bool SetOpacity(int percent);
    int GetLastAlpha() const { return m_lastAlpha; }
    bool Show(bool show);
    // Moves the window to the anchor (below it, or above it) and shows it; at the same anchor while visible
    // it only repaints. False only when nothing can be measured.
    bool ShowAt(POINT anchor, bool above);
    bool Fade(bool fadeIn);
    bool IsShown() const { return m_visible; }
    POINT GetAnchor() const { return m_anchor; }
    void EnableFade(bool enable) { m_fadeEnabled = enable; }
    void SetFadeDuration(int milliseconds) { m_fadeDuration = milliseconds; }
    // The font the lines are painted in: "MS Mincho" when a line holds a non-ASCII character, else "Tahoma".
    const char* FaceName() const;

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    HFONT CreateTooltipFont() const;
    // The size of the lines in the font selected into dc.
    SIZE MeasureLines(HDC dc);

    CWnd* m_parent = nullptr;
    std::vector<CDravikString> m_lines;
    POINT m_anchor = {0, 0};
    COLORREF m_textColour;
    bool m_visible = false;
    bool m_fadeEnabled = true;
    int m_fadeDuration = kDefaultFadeMs;
    int m_lastAlpha = -1;
    COffScreenDeviceContext m_offScreen;
};
