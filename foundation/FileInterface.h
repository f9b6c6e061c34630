// Whole-file access by path.
#pragma once

#include <windows.h>

#include "foundation/DravikString.h"

// One file opened by path: open or create, read, write, rewind, size and close. Every operation records the
// system's last error; the totals count the bytes moved since the file was opened.
class CFileInterface
{
public:
    CFileInterface();
    virtual ~CFileInterface();

    CFileInterface(const CFileInterface&) = delete;
    CFileInterface& operator=(const CFileInterface&) = delete;

    // Closes any open file, then CreateFileA with normal attributes and rewinds. False for an empty path or
    // when the file cannot be opened.
    bool Open(const char* path, DWORD access, DWORD shareMode, DWORD creationDisposition);
    // An existing file, read-only, shared for reading.
    bool OpenForReading(const char* path);
    // A new or emptied file for reading and writing, not shared; its folder is created first when missing.
    bool CreateForWriting(const char* path);
    // Creates the folder of a path when it does not exist; true when it was created.
    static bool EnsureFolder(const char* path);

    // Reads up to size bytes. False for a null buffer, a size of 0 or less or a closed file. With exact, true
    // only when all size bytes were read; otherwise when at least one byte was read. The count read is stored
    // in bytesRead (when given) and added to the total even when the result is false.
    bool Read(void* buffer, long size, DWORD* bytesRead, bool exact);
    // Writes size bytes; true only when all were written. The same guards and counting as Read.
    bool Write(const void* buffer, long size, DWORD* bytesWritten);
    // Moves to the start of the file; false when closed.
    bool SeekToStart();
    // The size of the file in bytes; 0 when closed or on failure.
    unsigned long long GetSize();
    bool IsOpen() const { return m_file != INVALID_HANDLE_VALUE; }
    // Closes the file and clears the totals and the last error; true when a file was open.
    bool Close();

    unsigned long long GetTotalRead() const { return m_totalRead; }
    unsigned long long GetTotalWritten() const { return m_totalWritten; }
    DWORD GetLastError() const { return m_lastError; }
    const CDravikString& GetPath() const { return m_path; }

private:
    HANDLE m_file;
    unsigned long long m_totalRead;
    unsigned long long m_totalWritten;
    DWORD m_lastError;
    CDravikString m_path;
};
