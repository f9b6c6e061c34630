// CDravikString: the harness's string, holding either 8-bit (ANSI, process code page) or UTF-16 text.
#pragma once

#include <windows.h>

#include <cstdarg>
#include <cstddef>

// windows.h maps LoadString to LoadStringA; the string class has its own LoadString member.
#ifdef LoadString
#undef LoadString
#endif

// Table-driven reflected CRC-64 (Jones polynomial, reversed form 0x95AC9329AC4BC9B5).
// The register starts as (high << 32) | low; the result is complemented unless raw is true.
// Null data or a length of 0 or less return the start value (complemented unless raw).
unsigned long long Crc64(const void* data, int length, unsigned int low, unsigned int high, bool raw);

// Entry i of the CRC-64 table (0..255); 0 for an index outside the table.
unsigned long long Crc64TableEntry(int index);

class CDravikString
{
public:
    // Size of the fixed buffers used by the formatting and string-table operations, in characters.
    static constexpr int kFormatBufferChars = 4096;

    CDravikString();
    CDravikString(const CDravikString& other);
    explicit CDravikString(const CDravikString* other);
    CDravikString(char ch);
    CDravikString(const char* text);
    CDravikString(const wchar_t* text);
    virtual ~CDravikString();

    // Storage (virtual, in this order).
    virtual bool SetWide(const wchar_t* text);
    virtual bool SetAnsi(const char* text);
    virtual bool Allocate(int bytes);
    virtual bool Free();
    virtual bool Copy(const CDravikString& other);
    virtual bool AppendWide(const wchar_t* text);
    virtual bool AppendAnsi(const char* text);
    // Appends other; other is converted in place to the width used for the append.
    virtual bool Append(CDravikString& other);

    CDravikString& operator=(const CDravikString& other);
    CDravikString& operator=(const char* text);
    CDravikString& operator=(const wchar_t* text);
    CDravikString& operator+=(CDravikString other);
    CDravikString& operator+=(const char* text);
    CDravikString operator+(CDravikString other) const;

    bool ShrinkToFit();
    bool GrowToLength(int length);
    bool EnsureLength(int length);

    // Formatting. The result is truncated to kFormatBufferChars - 1 characters and always terminated.
    bool Format(const char* format, ...);
    bool FormatV(const char* format, va_list args);
    // Formats with the width of the format string: wide formats use the wide printf family, where %s
    // takes a wide text and %hs an ANSI one; ANSI formats take %s for ANSI and %ls for wide texts.
    bool FormatFromString(const CDravikString* format, ...);
    bool FormatFromStringV(const CDravikString& format, va_list args);
    // Loads string-table entry id from module (null: the program's own module).
    bool LoadString(int id, HMODULE module = nullptr);

    // Width conversion and raw access.
    bool MakeWide();
    bool MakeAnsi();
    const wchar_t* GetWide();
    const char* GetAnsi();
    char* GetBufferAt(int index);
    wchar_t* GetWideBufferAt(int index);
    bool SetAt(int index, char ch);
    bool SetWideAt(int index, wchar_t ch);
    int GetLength() const;
    bool IsValidIndex(int index) const;
    char GetLastChar() const;
    bool IsWide() const { return m_wide != 0; }
    bool IsEmpty() const { return GetLength() == 0; }
    // Size of the buffer in bytes (0 when there is none).
    int GetBufferSize() const { return m_size; }
    // Read-only views of the buffer without conversion; null when the width differs or there is no buffer.
    const char* PeekAnsi() const { return (m_buffer && !m_wide) ? m_buffer : nullptr; }
    const wchar_t* PeekWide() const;

    // Search, case and tests.
    int Find(const char* pattern, int start = 0, bool ignoreCase = false) const;
    int FindNoCase(const char* pattern, int start = 0) const;
    int FindChar(char ch, int start = 0) const;
    int FindWide(const wchar_t* pattern, int start = 0, bool ignoreCase = false) const;
    int FindWideChar(wchar_t ch, int start = 0) const;
    int CountNoCase(CDravikString pattern) const;
    bool MakeUpper();
    bool MakeLower();
    bool HasNonAscii() const;
    bool ContainsDigit() const;
    bool Equals(const CDravikString& other) const;
    int CompareNoCase(CDravikString& other) const;
    int CompareNoCaseAnsi(const char* text);

    // Editing.
    CDravikString SubString(int first, int last = -1) const;
    bool Replace(const char* pattern, const char* replacement, bool ignoreCase = false);
    bool ReplaceWide(const wchar_t* pattern, const wchar_t* replacement, bool ignoreCase = false);
    bool TrimLeft();
    bool TrimRight();
    bool EnsureTrailingBackslash();

    // Numbers and hashing.
    bool ToInt64(long long& value, CDravikString& rest) const;
    unsigned long long GetHash64() const;

private:
    int CharSize() const { return m_wide ? 2 : 1; }
    // Replaces the buffer by a ready one (may be null with size 0); the old one is freed afterwards.
    void Adopt(char* buffer, int size, bool wide);
    // A new zero-filled buffer of bytes, or null.
    static char* NewBuffer(int bytes);
    bool AssignEmptyAnsi();
    bool ChangeCase(bool upper);
    bool ReplaceAll(CDravikString& pattern, CDravikString& replacement, bool ignoreCase);

    char* m_buffer;
    int m_size;
    unsigned char m_wide;
};
