#include "foundation/PathUtilities.h"

#include <cctype>
#include <cwctype>
#include <direct.h>
#include <io.h>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace
{
bool IsSeparator(char ch)
{
    return ch == '\\' || ch == '/';
}

// Positions of the characters of an ANSI text that start a character (not the trail byte of a double-byte
// character), so that a trail byte equal to '\' is never taken for a separator.
std::vector<bool> CharacterStarts(const char* text, size_t length)
{
    std::vector<bool> starts(length, false);
    for (size_t i = 0; i < length; ++i)
    {
        starts[i] = true;
        if (IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < length)
            ++i;
    }
    return starts;
}

CDravikString Range(const char* text, size_t first, size_t end)
{
    CDravikString part;
    if (end > first)
        part.SetAnsi(std::string(text + first, end - first).c_str());
    return part;
}

// An ANSI copy of a string that leaves the caller's string as it is.
CDravikString AnsiCopy(const CDravikString& text)
{
    CDravikString copy(text);
    copy.MakeAnsi();
    return copy;
}

int Fold(long long value)
{
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

bool StartsWithDigit(const CDravikString& text)
{
    if (text.IsEmpty())
        return false;
    if (text.IsWide())
    {
        const wchar_t* wide = text.PeekWide();
        return wide && std::iswdigit(wide[0]);
    }
    const char* ansi = text.PeekAnsi();
    return ansi && std::isdigit(static_cast<unsigned char>(ansi[0]));
}

int CompareTexts(const CDravikString& a, const CDravikString& b)
{
    CDravikString left(a), right(b);
    return Fold(left.CompareNoCase(right));
}
} // namespace

bool SplitPath(const char* path, CDravikString* drive, CDravikString* directory, CDravikString* name,
               CDravikString* extension)
{
    if (drive)
        *drive = "";
    if (directory)
        *directory = "";
    if (name)
        *name = "";
    if (extension)
        *extension = "";
    if (!path)
        return false;

    const size_t length = std::strlen(path);
    const std::vector<bool> starts = CharacterStarts(path, length);

    size_t position = 0;
    if (length >= 2 && path[1] == ':' && starts[1])
        position = 2;
    if (drive)
        *drive = Range(path, 0, position);

    // The directory runs up to and including the last separator.
    size_t fileStart = position;
    for (size_t i = position; i < length; ++i)
        if (starts[i] && IsSeparator(path[i]))
            fileStart = i + 1;
    if (directory)
        *directory = Range(path, position, fileStart);

    size_t dot = length;
    for (size_t i = fileStart; i < length; ++i)
        if (starts[i] && path[i] == '.')
            dot = i;
    if (name)
        *name = Range(path, fileStart, dot);
    if (extension)
        *extension = Range(path, dot, length);
    return true;
}

CDravikString GetDriveAndDirectory(const char* path)
{
    CDravikString drive, directory;
    SplitPath(path, &drive, &directory, nullptr, nullptr);
    CDravikString folder(drive);
    if (!directory.IsEmpty())
        folder += directory;
    if (!folder.IsEmpty())
    {
        const char last = folder.GetLastChar();
        if (last != '\\' && last != '/')
            folder.EnsureTrailingBackslash();
    }
    return folder;
}

CDravikString GetModuleFilePath(HMODULE module)
{
    CDravikString path;
    // The file name may be longer than MAX_PATH; grow the buffer until it fits.
    std::vector<char> buffer(MAX_PATH);
    for (;;)
    {
        const DWORD used = GetModuleFileNameA(module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (used == 0)
            return path;
        if (used < buffer.size())
            break;
        if (buffer.size() >= 32768)
            return path;
        buffer.resize(buffer.size() * 2);
    }
    path.SetAnsi(buffer.data());
    return path;
}

CDravikString GetFolderOfPath(const char* path)
{
    CDravikString folder;
    if (!path || !*path)
        return folder;

    std::string trimmed(path);
    if (!trimmed.empty() && trimmed.back() == '\\')
    {
        // Drop one trailing backslash unless it is the trail byte of a double-byte character.
        const std::vector<bool> starts = CharacterStarts(trimmed.c_str(), trimmed.size());
        if (starts[trimmed.size() - 1])
            trimmed.pop_back();
    }

    return GetDriveAndDirectory(trimmed.c_str());
}

CDravikString GetFolderOfPath(const CDravikString& path)
{
    CDravikString copy = AnsiCopy(path);
    return GetFolderOfPath(copy.GetAnsi());
}

bool FileExists(const char* path)
{
    if (!path || !*path || _access(path, 0) != 0)
        return false;
    _finddata_t data;
    const intptr_t find = _findfirst(path, &data);
    if (find == -1)
        return false;
    const bool isFile = (data.attrib & _A_SUBDIR) == 0;
    _findclose(find);
    return isFile;
}

bool FileExists(const CDravikString& path)
{
    CDravikString copy = AnsiCopy(path);
    return FileExists(copy.GetAnsi());
}

bool PathExists(const char* path)
{
    return path && *path && _access(path, 0) == 0;
}

bool PathExists(const CDravikString& path)
{
    CDravikString copy = AnsiCopy(path);
    return PathExists(copy.GetAnsi());
}

bool CreateFolderPath(const char* folder)
{
    if (!folder || !*folder || PathExists(folder))
        return false;

    std::string path(folder);
    if (!IsSeparator(path.back()))
        path += '\\';
    const std::vector<bool> starts = CharacterStarts(path.c_str(), path.size());

    bool created = false;
    for (size_t i = 1; i < path.size(); ++i)
    {
        if (!starts[i] || !IsSeparator(path[i]))
            continue;
        const std::string level = path.substr(0, i);
        // A bare drive ("C:") or the separators that open a network path are no folders to create.
        if (level.size() == 2 && level[1] == ':')
            continue;
        if (IsSeparator(level.back()))
            continue;
        if (PathExists(level.c_str()))
            continue;
        if (_mkdir(level.c_str()) == 0)
            created = true;
    }
    return created;
}

bool CreateFolderPath(const CDravikString& folder)
{
    CDravikString copy = AnsiCopy(folder);
    return CreateFolderPath(copy.GetAnsi());
}

CDravikString GetModuleNameFromCommandLine(const char* commandLine)
{
    CDravikString name;
    if (!commandLine || !*commandLine)
        return name;

    CDravikString line(commandLine);
    const int dll = line.FindNoCase(".dll");
    if (dll < 0)
        return name;

    // From the nearest backslash or blank before ".dll" (or the start) up to and including the character
    // after it, when there is one.
    const size_t length = std::strlen(commandLine);
    const std::vector<bool> starts = CharacterStarts(commandLine, length);
    size_t first = 0;
    for (size_t i = static_cast<size_t>(dll); i-- > 0;)
    {
        if (starts[i] && (commandLine[i] == '\\' || commandLine[i] == ' '))
        {
            first = i;
            break;
        }
    }
    const size_t end = std::min(length, static_cast<size_t>(dll) + 5);

    std::string text(commandLine + first, end - first);
    // Backslashes become blanks; so do quotes, which belong to the command line and never to a file name.
    for (char& ch : text)
        if (ch == '\\' || ch == '"')
            ch = ' ';
    name.SetAnsi(text.c_str());
    name.TrimLeft();
    name.TrimRight();
    return name;
}

CDravikString GetCommandLineModuleName()
{
    return GetModuleNameFromCommandLine(GetCommandLineA());
}

CDravikString GetModuleFolder()
{
    HMODULE module = nullptr;
    CDravikString name = GetCommandLineModuleName();
    if (!name.IsEmpty())
        module = GetModuleHandleA(name.GetAnsi());
    CDravikString path = GetModuleFilePath(module);
    if (path.IsEmpty())
        return path;
    return GetDriveAndDirectory(path.GetAnsi());
}

bool IsControlKeyDown()
{
    return (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
}

bool IsShiftKeyDown()
{
    return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
}

void ScreenRectToClient(HWND window, RECT* rect)
{
    if (!window || !rect)
        return;
    POINT topLeft = {rect->left, rect->top};
    POINT bottomRight = {rect->right, rect->bottom};
    ScreenToClient(window, &topLeft);
    ScreenToClient(window, &bottomRight);
    rect->left = topLeft.x;
    rect->top = topLeft.y;
    rect->right = bottomRight.x;
    rect->bottom = bottomRight.y;
}

int CompareNatural(const CDravikString& a, const CDravikString& b)
{
    if (!a.ContainsDigit() || !b.ContainsDigit())
        return CompareTexts(a, b);

    long long numberA = 0, numberB = 0;
    CDravikString restA, restB;
    a.ToInt64(numberA, restA);
    b.ToInt64(numberB, restB);

    int result;
    const int rests = CompareTexts(restA, restB);
    if (rests == 0)
        result = numberA < numberB ? -1 : (numberA > numberB ? 1 : 0);
    else if (!StartsWithDigit(a) || !StartsWithDigit(b))
        result = CompareTexts(a, b); // the same rule whichever side lacks the leading digit
    else if (numberA != numberB)
        result = numberA < numberB ? -1 : 1;
    else if (a.GetLength() != b.GetLength())
        result = a.GetLength() < b.GetLength() ? -1 : 1;
    else
        result = rests;

    // Texts that differ never compare equal: the plain order decides between them.
    if (result == 0)
        result = CompareTexts(a, b);
    return result;
}
