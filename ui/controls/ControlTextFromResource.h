// A command-bar control's caption and tooltip from the string table: command ids double as string ids, the
// text before the line feed is the caption, the text after it the tooltip.
#pragma once

#include <windows.h>

class CXTPControl;

// Sets the control's style to icon and caption (its bar lays out again when the style changes), then takes
// its caption and tooltip from string stringId. TRUE when a non-empty caption was set; FALSE for a null
// control or a string without a caption (the style is set all the same for a real control).
BOOL SetControlTextFromResource(UINT stringId, CXTPControl* control);
