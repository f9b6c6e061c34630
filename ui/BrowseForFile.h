// CBrowseForFile: the system's open and save dialogs for the main dialog: one picks a test-suite module to
// load, the other the text file the results are exported to.
#pragma once

#include "foundation/DravikString.h"

class CWnd;

class CBrowseForFile
{
public:
    // Characters of the file-name buffer given to the dialogs (terminator included).
    static constexpr int kFileBufferChars = 256;

    CBrowseForFile();
    virtual ~CBrowseForFile();

    void Reset();
    void SetOwner(CWnd* owner) { m_owner = owner; }
    CWnd* GetOwner() const { return m_owner; }
    void SetInitialFolder(CDravikString folder);
    void SetDefaultFileName(CDravikString name);
    void SetSelectedPath(CDravikString path);
    const CDravikString& GetInitialFolder() const { return m_initialFolder; }
    const CDravikString& GetDefaultFileName() const { return m_defaultFileName; }
    const CDravikString& GetSelectedPath() const { return m_selectedPath; }

    // The chosen module; empty when cancelled or without an owner.
    CDravikString BrowseForSuite();
    // The chosen results file, with ".txt" added when its name has none; empty when cancelled or without an
    // owner. Asks before overwriting an existing file.
    CDravikString BrowseForResults();
    // The open dialog with a filter (NUL-separated pairs ending with an empty string).
    CDravikString BrowseForOpen(const char* filter);

    // A results path as it is used: unchanged when its file name (not its folders) contains ".txt" in any
    // case, else with ".txt" appended.
    static CDravikString ApplyResultsExtension(const CDravikString& path);
    // Copies the default file name into a buffer of kFileBufferChars, cut to fit; empty when it has none.
    void FillFileBuffer(char* buffer) const;

    static const char kSuiteFilter[];
    static const char kResultsFilter[];

private:
    // Runs the open or the save dialog with the filter, the default name and the initial folder; true with
    // the chosen path when the user chose one.
    bool RunDialog(const char* filter, unsigned long flags, bool save, CDravikString& chosen);

    CWnd* m_owner;
    CDravikString m_initialFolder;
    CDravikString m_defaultFileName;
    CDravikString m_selectedPath;
};
