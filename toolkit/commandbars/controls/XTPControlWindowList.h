// CXTPControlWindowList: the placeholder (command 35000) of the list of open MDI windows in a menu.
// Before each layout it removes the items it added last time, hides itself and inserts one checked
// item per visible MDI child after itself (at most nine). In customise mode it shows itself instead.
// FormatNumberedCaption gives such list items their "&1 Caption" text.
#pragma once

#include "toolkit/commandbars/controls/XTPControlButton.h"

// The caption of a numbered list item: every '&' of the text doubled (a double-byte character is
// copied whole; a lead byte at the end of the text is dropped), then for number 1 to 9 "&%i %s", for
// 10 "1&0 %s", above 10 "%i %s"; number 0 (or less) adds no number. Lead bytes are those of the code
// page given (the ANSI one by default).
CString FormatNumberedCaption(LPCSTR lpszText, int nNumber, UINT nCodePage = CP_ACP);

// The step every list placeholder takes before a layout: the temporary items of its collection that
// pfnOwns claims (the ones it added last time) are removed. In customise mode the placeholder shows
// itself and adds nothing (FALSE); otherwise it hides itself and its caller adds fresh items right
// after it (TRUE). FALSE also for a placeholder in no collection.
typedef BOOL (*PFNPLACEHOLDEROWNS)(const CXTPControl* pPlaceholder, const CXTPControl* pItem);
BOOL XTPPreparePlaceholderItems(CXTPControl* pPlaceholder, PFNPLACEHOLDEROWNS pfnOwns);

class CXTPControlWindowList : public CXTPControlButton
{
    DECLARE_SERIAL(CXTPControlWindowList)

public:
    CXTPControlWindowList();

    void OnCalcDynamicSize(DWORD dwMode) override;

    // The control id of the first MDI child (0xFF00 until an active child shows the children count
    // from 0x8000 or from 1) and the most windows listed.
    static UINT s_nFirstMDIChild;
    static const int kMaxWindows = 9;
};
