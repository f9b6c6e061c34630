#include "ui/BrowseForFile.h"

#include <windows.h>

#include <commdlg.h>
#include <cstring>

#include "framework/Wnd.h"

// Each filter: description and pattern, NUL-separated, ending with an empty string.
const char CBrowseForFile::kSuiteFilter[] = "Unit Test Suite Modules (*.dll)\0*.dll\0";
const char CBrowseForFile::kResultsFilter[] = "Unit Test Result Output Files (*.txt)\0*.txt\0";

namespace
{
// The filter in a zeroed 256-byte buffer, as the dialogs read it up to the double terminator.
void CopyFilter(char (&out)[256], const char* filter, size_t size)
{
    memset(out, 0, sizeof out);
    memcpy(out, filter, size < sizeof out - 2 ? size : sizeof out - 2);
}

size_t FilterSize(const char* filter)
{
    const char* p = filter;
    while (*p)
        p += strlen(p) + 1;
    return static_cast<size_t>(p - filter);
}
} // namespace

CBrowseForFile::CBrowseForFile() : m_owner(nullptr)
{
    Reset();
}

CBrowseForFile::~CBrowseForFile() = default;

void CBrowseForFile::Reset()
{
    m_owner = nullptr;
    m_initialFolder = "";
    m_defaultFileName = "";
    m_selectedPath = "";
}

void CBrowseForFile::SetInitialFolder(CDravikString folder)
{
    m_initialFolder = folder;
}

void CBrowseForFile::SetDefaultFileName(CDravikString name)
{
    m_defaultFileName = name;
}

void CBrowseForFile::SetSelectedPath(CDravikString path)
{
    m_selectedPath = path;
}

void CBrowseForFile::FillFileBuffer(char* buffer) const
{
    if (!buffer)
        return;
    buffer[0] = '\0';
    CDravikString name(m_defaultFileName);
    if (const char* text = name.GetAnsi())
        lstrcpynA(buffer, text, kFileBufferChars);
}

namespace
{
typedef BOOL(WINAPI* FileDialogProc)(OPENFILENAMEA*);

// The common dialog library is loaded when a file is first browsed for, not when the program starts: most
// runs never show a file dialog, and the library and what it pulls in lengthen every start.
FileDialogProc FindFileDialog(bool save)
{
    static HMODULE library = ::LoadLibraryA("comdlg32.dll");
    if (!library)
        return nullptr;
    return reinterpret_cast<FileDialogProc>(
        reinterpret_cast<void*>(::GetProcAddress(library, save ? "GetSaveFileNameA" : "GetOpenFileNameA")));
}
} // namespace

bool CBrowseForFile::RunDialog(const char* filter, unsigned long flags, bool save, CDravikString& chosen)
{
    if (!m_owner || !filter)
        return false;
    char filterBuffer[256];
    CopyFilter(filterBuffer, filter, FilterSize(filter));
    char file[kFileBufferChars];
    FillFileBuffer(file);
    m_initialFolder.MakeAnsi();
    OPENFILENAMEA ofn;
    memset(&ofn, 0, sizeof ofn);
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_owner->m_hWnd;
    ofn.lpstrFilter = filterBuffer;
    ofn.lpstrFile = file;
    ofn.nMaxFile = kFileBufferChars;
    ofn.lpstrInitialDir = m_initialFolder.IsEmpty() ? nullptr : m_initialFolder.PeekAnsi();
    ofn.Flags = flags;
    FileDialogProc show = FindFileDialog(save);
    if (!show || !show(&ofn))
        return false;
    chosen = file;
    return true;
}

CDravikString CBrowseForFile::BrowseForOpen(const char* filter)
{
    CDravikString result("");
    if (RunDialog(filter,
                  OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_EXPLORER | OFN_ENABLESIZING,
                  false, result))
        m_selectedPath = result;
    return result;
}

CDravikString CBrowseForFile::BrowseForSuite()
{
    return BrowseForOpen(kSuiteFilter);
}

CDravikString CBrowseForFile::BrowseForResults()
{
    CDravikString result("");
    if (RunDialog(kResultsFilter,
                  OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_EXPLORER |
                      OFN_ENABLESIZING,
                  true, result))
    {
        result = ApplyResultsExtension(result);
        m_selectedPath = result;
    }
    return result;
}

CDravikString CBrowseForFile::ApplyResultsExtension(const CDravikString& path)
{
    CDravikString result(path);
    result.MakeAnsi();
    const char* text = result.PeekAnsi();
    if (!text || !*text)
        return result;
    // The file name starts after the last folder separator (or drive colon).
    int nameStart = 0;
    for (int i = 0; text[i]; ++i)
    {
        if (text[i] == '\\' || text[i] == '/' || text[i] == ':')
            nameStart = i + 1;
    }
    if (result.FindNoCase(".txt", nameStart) < 0)
        result += ".txt";
    return result;
}
