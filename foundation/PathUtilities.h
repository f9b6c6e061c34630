// Path, folder and file checks, the program's folder, keyboard state and natural text order.
#pragma once

#include <windows.h>

#include "foundation/DravikString.h"

// Splits a path into drive ("C:"), directory (up to and including the last '\' or '/'), file name and
// extension (from the last '.' of the file part, dot included). Any output may be null. Unlike the run-time
// library's fixed buffers, paths of any length are split in full. False for a null path.
bool SplitPath(const char* path, CDravikString* drive, CDravikString* directory, CDravikString* name,
               CDravikString* extension);

// The drive and directory parts of a path, ending with a backslash when not empty.
CDravikString GetDriveAndDirectory(const char* path);

// The full file name of a loaded module (null: the program), of any length; empty on failure.
CDravikString GetModuleFilePath(HMODULE module);

// The drive and directory of a path, ending with a backslash; one trailing backslash of the path is dropped
// first, so a folder path gives its parent. Empty for an empty path or a bare file name.
CDravikString GetFolderOfPath(const char* path);
CDravikString GetFolderOfPath(const CDravikString& path);

// True when the path names an existing entry that is not a folder.
bool FileExists(const char* path);
bool FileExists(const CDravikString& path);

// True when the path names an existing file or folder.
bool PathExists(const char* path);
bool PathExists(const CDravikString& path);

// Creates every missing level of a folder path from the left. True when at least one level was created (so
// false for a folder that already exists).
bool CreateFolderPath(const char* folder);
bool CreateFolderPath(const CDravikString& folder);

// The name of the first ".dll" module named in the given command line (ANSI), without its folder, trimmed;
// empty when the line names none.
CDravikString GetModuleNameFromCommandLine(const char* commandLine);
// GetModuleNameFromCommandLine of the process's own command line.
CDravikString GetCommandLineModuleName();

// The folder (with a trailing backslash) of the module named on the command line when that module is loaded,
// else of the program itself; empty when the file name cannot be had.
CDravikString GetModuleFolder();

bool IsControlKeyDown();
bool IsShiftKeyDown();

// Converts both corners of a screen rectangle to the window's client coordinates; nothing for a null window
// or rectangle.
void ScreenRectToClient(HWND window, RECT* rect);

// Natural order of two texts without regard to case ("file9" before "file10"): -1, 0 or 1.
// Antisymmetric: CompareNatural(a, b) == -CompareNatural(b, a). 0 only for texts equal without regard to
// case.
int CompareNatural(const CDravikString& a, const CDravikString& b);
