// The file that holds a customised-controls archive too large for the profile: its name made from
// the profile name, and writing it so that an existing file is replaced only by a complete one.
#pragma once

#include "framework/FrameworkString.h"

#include <windows.h>

// The profile name with each character a file name cannot hold (\ / : * ? " < > |) made "_".
CString XTPControlsFileName(LPCSTR lpszProfileName);
// Writes the bytes to "<path>.new" with the attributes, then renames it over the path. FALSE (with
// the old file left as it was) when any step fails.
BOOL XTPWriteFileReplacing(LPCSTR lpszPath, const BYTE* pData, DWORD nBytes, DWORD dwAttributes);
