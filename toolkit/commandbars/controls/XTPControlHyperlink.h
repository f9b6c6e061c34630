// CXTPControlHyperlink: a caption drawn as a link (blue, red while selected, grey when disabled) that
// opens its tooltip text with the shell's "open" verb when clicked. Over it a bar shows the hand
// cursor (XTPSetHyperlinkCursor).
#pragma once

#include "toolkit/commandbars/controls/XTPControl.h"

class CXTPCommandBar;

class CXTPControlHyperlink : public CXTPControl
{
    DECLARE_SERIAL(CXTPControlHyperlink)

public:
    CXTPControlHyperlink();

    // The caption's extent in the hyperlink font.
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    // In customise mode a movable link starts the customise handling; any other click executes.
    void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0)) override;
    // Opens the tooltip text ("open", SW_SHOW) through the system query.
    void OnExecute() override;

    HCURSOR GetHandCursor() const { return m_hCursorHand; }
    // The text colour of the link in its present state.
    COLORREF GetLinkColor() const;

private:
    CFont* GetLinkFont() const;

    HCURSOR m_hCursorHand;
};

// Sets the hand cursor when the mouse is over an enabled hyperlink of the bar (outside customise
// mode); FALSE when it is not, so the bar's own cursor rules go on.
BOOL XTPSetHyperlinkCursor(CXTPCommandBar* pBar);
