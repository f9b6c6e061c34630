#include "foundation/FileInterface.h"
#include "foundation/PathUtilities.h"

CFileInterface::CFileInterface()
    : m_file(INVALID_HANDLE_VALUE), m_totalRead(0), m_totalWritten(0), m_lastError(0)
{
}

CFileInterface::~CFileInterface()
{
    Close();
}

bool CFileInterface::Open(const char* path, DWORD access, DWORD shareMode, DWORD creationDisposition)
{
    Close();
    if (!path || !*path)
        return false;
    m_path = path;
    m_file =
        CreateFileA(path, access, shareMode, nullptr, creationDisposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    m_lastError = ::GetLastError();
    if (m_file == INVALID_HANDLE_VALUE)
        return false;
    SeekToStart();
    return true;
}

bool CFileInterface::OpenForReading(const char* path)
{
    return Open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
}

bool CFileInterface::CreateForWriting(const char* path)
{
    EnsureFolder(path);
    return Open(path, GENERIC_READ | GENERIC_WRITE, 0, CREATE_ALWAYS);
}

bool CFileInterface::EnsureFolder(const char* path)
{
    if (!path || !*path)
        return false;
    const CDravikString folder = GetDriveAndDirectory(path);
    if (folder.IsEmpty() || PathExists(folder))
        return false;
    return CreateFolderPath(folder);
}

bool CFileInterface::Read(void* buffer, long size, DWORD* bytesRead, bool exact)
{
    if (bytesRead)
        *bytesRead = 0;
    if (!buffer || size <= 0 || !IsOpen())
        return false;
    DWORD count = 0;
    const BOOL ok = ReadFile(m_file, buffer, static_cast<DWORD>(size), &count, nullptr);
    m_lastError = ::GetLastError();
    m_totalRead += count;
    if (bytesRead)
        *bytesRead = count;
    if (!ok)
        return false;
    return exact ? count == static_cast<DWORD>(size) : count > 0;
}

bool CFileInterface::Write(const void* buffer, long size, DWORD* bytesWritten)
{
    if (bytesWritten)
        *bytesWritten = 0;
    if (!buffer || size <= 0 || !IsOpen())
        return false;
    DWORD count = 0;
    const BOOL ok = WriteFile(m_file, buffer, static_cast<DWORD>(size), &count, nullptr);
    m_lastError = ::GetLastError();
    m_totalWritten += count;
    if (bytesWritten)
        *bytesWritten = count;
    return ok && count == static_cast<DWORD>(size);
}

bool CFileInterface::SeekToStart()
{
    if (!IsOpen())
        return false;
    LARGE_INTEGER zero;
    zero.QuadPart = 0;
    const BOOL ok = SetFilePointerEx(m_file, zero, nullptr, FILE_BEGIN);
    m_lastError = ::GetLastError();
    return ok != FALSE;
}

unsigned long long CFileInterface::GetSize()
{
    if (!IsOpen())
        return 0;
    LARGE_INTEGER size;
    const BOOL ok = GetFileSizeEx(m_file, &size);
    m_lastError = ::GetLastError();
    return ok ? static_cast<unsigned long long>(size.QuadPart) : 0;
}

bool CFileInterface::Close()
{
    const bool wasOpen = IsOpen();
    if (wasOpen)
        CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
    m_totalRead = 0;
    m_totalWritten = 0;
    m_lastError = 0;
    return wasOpen;
}
