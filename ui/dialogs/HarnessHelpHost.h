// CHarnessHelpHost: the window that opens the harness's help file at a topic for the dialogs it opens (the
// main dialog for the about box).
#pragma once

#include <windows.h>

class CHarnessHelpHost
{
public:
    virtual ~CHarnessHelpHost() = default;
    // Opens the help file at the context id; TRUE when the help window opened.
    virtual BOOL ShowHelpTopic(UINT contextId) = 0;
};
