#include "foundation/DravikString.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <new>

namespace
{

// Reversed form of the Jones polynomial 0xAD93D23594C935A9.
const unsigned long long kCrc64Polynomial = 0x95AC9329AC4BC9B5ULL;

struct Crc64Table
{
    unsigned long long entries[256];
    constexpr Crc64Table() : entries()
    {
        for (int i = 0; i < 256; ++i)
        {
            unsigned long long value = static_cast<unsigned long long>(i);
            for (int bit = 0; bit < 8; ++bit)
                value = (value & 1) ? (value >> 1) ^ kCrc64Polynomial : (value >> 1);
            entries[i] = value;
        }
    }
};

constexpr Crc64Table kCrc64Table;

bool IsTrimmable(unsigned int ch)
{
    return ch == '\t' || ch == '\n' || ch == '\r' || ch == ' ';
}

// Converts one UTF-16 code unit to exactly one byte of the process code page; characters the code
// page cannot hold in one byte (or holds only by a best-fit substitute) become '?'.
char NarrowOne(wchar_t ch)
{
    if (ch < 0x80)
        return static_cast<char>(ch);
    char out[8] = {};
    BOOL usedDefault = FALSE;
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &ch, 1, out, sizeof(out), "?", &usedDefault);
    if (n != 1 || usedDefault)
        return '?';
    return out[0];
}

} // namespace

unsigned long long Crc64(const void* data, int length, unsigned int low, unsigned int high, bool raw)
{
    unsigned long long crc = (static_cast<unsigned long long>(high) << 32) | low;
    if (data && length > 0)
    {
        const unsigned char* bytes = static_cast<const unsigned char*>(data);
        for (int i = 0; i < length; ++i)
            crc = (crc >> 8) ^ kCrc64Table.entries[(crc ^ bytes[i]) & 0xFF];
    }
    return raw ? crc : ~crc;
}

unsigned long long Crc64TableEntry(int index)
{
    if (index < 0 || index > 255)
        return 0;
    return kCrc64Table.entries[index];
}

// ---------------------------------------------------------------------------------------------
// Construction and storage

CDravikString::CDravikString() : m_buffer(nullptr), m_size(0), m_wide(0)
{
    AssignEmptyAnsi();
}

CDravikString::CDravikString(const CDravikString& other) : CDravikString()
{
    Copy(other);
}

CDravikString::CDravikString(const CDravikString* other) : CDravikString()
{
    if (other)
        Copy(*other);
}

CDravikString::CDravikString(char ch) : CDravikString()
{
    if (ch != 0)
    {
        char text[2] = {ch, 0};
        SetAnsi(text);
    }
}

CDravikString::CDravikString(const char* text) : CDravikString()
{
    if (text)
        SetAnsi(text);
}

CDravikString::CDravikString(const wchar_t* text) : CDravikString()
{
    if (text)
        SetWide(text);
}

CDravikString::~CDravikString()
{
    delete[] m_buffer;
    m_buffer = nullptr;
    m_size = 0;
    m_wide = 0;
}

char* CDravikString::NewBuffer(int bytes)
{
    if (bytes <= 0)
        return nullptr;
    char* buffer = new (std::nothrow) char[static_cast<size_t>(bytes)];
    if (buffer)
        memset(buffer, 0, static_cast<size_t>(bytes));
    return buffer;
}

void CDravikString::Adopt(char* buffer, int size, bool wide)
{
    char* old = m_buffer;
    m_buffer = buffer;
    m_size = buffer ? size : 0;
    m_wide = (buffer && wide) ? 1 : 0;
    delete[] old;
}

bool CDravikString::AssignEmptyAnsi()
{
    char* buffer = NewBuffer(1);
    if (!buffer)
        return false;
    Adopt(buffer, 1, false);
    return true;
}

const wchar_t* CDravikString::PeekWide() const
{
    return (m_buffer && m_wide) ? reinterpret_cast<const wchar_t*>(m_buffer) : nullptr;
}

bool CDravikString::Allocate(int bytes)
{
    Free();
    if (bytes <= 0)
        return false;
    char* buffer = NewBuffer(bytes);
    if (!buffer)
        return false;
    m_buffer = buffer;
    m_size = bytes;
    m_wide = 0;
    return true;
}

bool CDravikString::Free()
{
    bool had = m_buffer != nullptr;
    delete[] m_buffer;
    m_buffer = nullptr;
    m_size = 0;
    m_wide = 0;
    return had;
}

// The text may point into this string's own buffer: the new buffer is filled before the old one goes.
bool CDravikString::SetAnsi(const char* text)
{
    if (!text)
        return false;
    size_t length = strlen(text);
    if (length >= static_cast<size_t>(INT_MAX))
        return false;
    char* buffer = NewBuffer(static_cast<int>(length) + 1);
    if (!buffer)
        return false;
    memcpy(buffer, text, length);
    Adopt(buffer, static_cast<int>(length) + 1, false);
    return true;
}

bool CDravikString::SetWide(const wchar_t* text)
{
    if (!text)
        return false;
    size_t length = wcslen(text);
    if (length >= static_cast<size_t>(INT_MAX / 2 - 1))
        return false;
    int bytes = static_cast<int>(length) * 2 + 2;
    char* buffer = NewBuffer(bytes);
    if (!buffer)
        return false;
    memcpy(buffer, text, length * 2);
    Adopt(buffer, bytes, true);
    return true;
}

bool CDravikString::Copy(const CDravikString& other)
{
    if (&other == this)
        return false;
    if (GetLength() == 0 && other.GetLength() == 0 && m_wide == other.m_wide)
        return true;
    if (!other.m_buffer)
        return AssignEmptyAnsi();
    char* buffer = NewBuffer(other.m_size);
    if (!buffer)
        return false;
    // The text up to its terminator; any zero padding beyond it stays zero.
    int charSize = other.CharSize();
    int chars = other.GetLength();
    int textChars = 0;
    if (charSize == 2)
    {
        const wchar_t* src = reinterpret_cast<const wchar_t*>(other.m_buffer);
        while (textChars < chars && src[textChars] != 0)
            ++textChars;
    }
    else
    {
        while (textChars < chars && other.m_buffer[textChars] != 0)
            ++textChars;
    }
    memcpy(buffer, other.m_buffer, static_cast<size_t>(textChars) * charSize);
    Adopt(buffer, other.m_size, other.m_wide != 0);
    return true;
}

CDravikString& CDravikString::operator=(const CDravikString& other)
{
    Copy(other);
    return *this;
}

CDravikString& CDravikString::operator=(const char* text)
{
    SetAnsi(text);
    return *this;
}

CDravikString& CDravikString::operator=(const wchar_t* text)
{
    SetWide(text);
    return *this;
}

bool CDravikString::ShrinkToFit()
{
    if (!m_buffer)
        return true;
    if (m_wide)
        return SetWide(reinterpret_cast<const wchar_t*>(m_buffer));
    return SetAnsi(m_buffer);
}

bool CDravikString::GrowToLength(int length)
{
    if (GetLength() >= length)
        return false;
    int charSize = CharSize();
    if (length >= INT_MAX / charSize - 1)
        return false;
    int bytes = (length + 1) * charSize;
    char* buffer = NewBuffer(bytes);
    if (!buffer)
        return false;
    if (m_buffer && m_size > charSize)
        memcpy(buffer, m_buffer, static_cast<size_t>(m_size - charSize));
    Adopt(buffer, bytes, m_wide != 0);
    return true;
}

bool CDravikString::EnsureLength(int length)
{
    if (length <= 0)
        return false;
    GrowToLength(length);
    return GetLength() >= length;
}

// ---------------------------------------------------------------------------------------------
// Appending and formatting

bool CDravikString::AppendAnsi(const char* text)
{
    if (!text || !*text)
        return false;
    MakeAnsi();
    size_t textLength = strlen(text);
    int oldText = m_buffer ? m_size - 1 : 0;
    if (textLength >= static_cast<size_t>(INT_MAX - oldText - 1))
        return false;
    int bytes = oldText + static_cast<int>(textLength) + 1;
    char* buffer = NewBuffer(bytes);
    if (!buffer)
        return false;
    if (oldText > 0)
        memcpy(buffer, m_buffer, static_cast<size_t>(oldText));
    memcpy(buffer + oldText, text, textLength);
    Adopt(buffer, bytes, false);
    return true;
}

bool CDravikString::AppendWide(const wchar_t* text)
{
    if (!text)
        return false;
    MakeWide();
    if (!*text)
        return false;
    size_t textLength = wcslen(text);
    int oldText = (m_buffer && m_size >= 2) ? m_size - 2 : 0;
    if (textLength >= static_cast<size_t>((INT_MAX - oldText) / 2 - 2))
        return false;
    int bytes = oldText + static_cast<int>(textLength) * 2 + 2;
    char* buffer = NewBuffer(bytes);
    if (!buffer)
        return false;
    if (oldText > 0)
        memcpy(buffer, m_buffer, static_cast<size_t>(oldText));
    memcpy(buffer + oldText, text, textLength * 2);
    Adopt(buffer, bytes, true);
    return true;
}

bool CDravikString::Append(CDravikString& other)
{
    if (other.GetLength() == 0)
        return false;
    if (m_wide != other.m_wide)
    {
        if (other.m_wide)
            MakeWide();
        else
            MakeAnsi();
    }
    if (m_wide || other.m_wide)
        return AppendWide(other.GetWide());
    return AppendAnsi(other.GetAnsi());
}

CDravikString& CDravikString::operator+=(CDravikString other)
{
    Append(other);
    return *this;
}

CDravikString& CDravikString::operator+=(const char* text)
{
    if (text)
        AppendAnsi(text);
    return *this;
}

CDravikString CDravikString::operator+(CDravikString other) const
{
    CDravikString result(*this);
    result.Append(other);
    return result;
}

bool CDravikString::Format(const char* format, ...)
{
    if (!format)
        return false;
    va_list args;
    va_start(args, format);
    bool result = FormatV(format, args);
    va_end(args);
    return result;
}

bool CDravikString::FormatV(const char* format, va_list args)
{
    if (!format)
        return false;
    char buffer[kFormatBufferChars];
    memset(buffer, 0, sizeof(buffer));
    vsnprintf(buffer, kFormatBufferChars, format, args);
    buffer[kFormatBufferChars - 1] = 0;
    if (buffer[0] == 0)
        return false;
    return SetAnsi(buffer);
}

bool CDravikString::FormatFromString(const CDravikString* format, ...)
{
    if (!format)
        return false;
    va_list args;
    va_start(args, format);
    bool result = FormatFromStringV(*format, args);
    va_end(args);
    return result;
}

bool CDravikString::FormatFromStringV(const CDravikString& format, va_list args)
{
    if (format.GetLength() == 0)
        return false;
    if (!format.m_wide)
        return FormatV(format.m_buffer, args);
    // The format may be this string itself: format into the stack buffer first.
    wchar_t buffer[kFormatBufferChars];
    memset(buffer, 0, sizeof(buffer));
    // The run-time library's own wide formatter: in a wide format %s takes a wide text and %hs an ANSI
    // one. It does not terminate a truncated result, so the last slot is kept for the terminator.
    _vsnwprintf(buffer, kFormatBufferChars - 1, reinterpret_cast<const wchar_t*>(format.m_buffer), args);
    buffer[kFormatBufferChars - 1] = 0;
    if (buffer[0] == 0)
        return false;
    return SetWide(buffer);
}

bool CDravikString::LoadString(int id, HMODULE module)
{
    if (id <= 0)
        return false;
    if (!module)
        module = GetModuleHandleA(nullptr);
    char buffer[kFormatBufferChars];
    memset(buffer, 0, sizeof(buffer));
    int loaded = LoadStringA(module, static_cast<UINT>(id), buffer, kFormatBufferChars);
    buffer[kFormatBufferChars - 1] = 0;
    if (loaded <= 0 || buffer[0] == 0)
        return false;
    return SetAnsi(buffer);
}

// ---------------------------------------------------------------------------------------------
// Width conversion and raw access

int CDravikString::GetLength() const
{
    if (m_size <= 0)
        return 0;
    return m_size / CharSize() - 1;
}

bool CDravikString::MakeWide()
{
    if (m_wide)
        return false;
    int length = GetLength();
    // Only the terminated text converts; zero padding from GrowToLength is dropped.
    int textLength = m_buffer ? static_cast<int>(strnlen(m_buffer, static_cast<size_t>(length))) : 0;
    wchar_t* converted = nullptr;
    int count = 0;
    if (textLength > 0)
    {
        converted = new (std::nothrow) wchar_t[static_cast<size_t>(textLength) + 1];
        if (!converted)
            return false;
        count = MultiByteToWideChar(CP_ACP, 0, m_buffer, textLength, converted, textLength);
        if (count <= 0)
        {
            // The code page refused the bytes: widen each byte on its own.
            for (int i = 0; i < textLength; ++i)
                converted[i] = static_cast<unsigned char>(m_buffer[i]);
            count = textLength;
        }
    }
    int bytes = count * 2 + 2;
    char* buffer = NewBuffer(bytes);
    if (!buffer)
    {
        delete[] converted;
        return false;
    }
    if (count > 0)
        memcpy(buffer, converted, static_cast<size_t>(count) * 2);
    delete[] converted;
    Adopt(buffer, bytes, true);
    return true;
}

bool CDravikString::MakeAnsi()
{
    if (!m_wide)
        return false;
    const wchar_t* src = reinterpret_cast<const wchar_t*>(m_buffer);
    int length = GetLength();
    int textLength = 0;
    while (textLength < length && src[textLength] != 0)
        ++textLength;
    char* buffer = NewBuffer(textLength + 1);
    if (!buffer)
        return false;
    for (int i = 0; i < textLength; ++i)
    {
        wchar_t ch = src[i];
        if (!iswprint(ch) && ch != L'\n' && ch != L'\r' && ch != L'\t')
            ch = L' ';
        buffer[i] = NarrowOne(ch);
    }
    Adopt(buffer, textLength + 1, false);
    return true;
}

const wchar_t* CDravikString::GetWide()
{
    MakeWide();
    return reinterpret_cast<const wchar_t*>(m_buffer);
}

const char* CDravikString::GetAnsi()
{
    MakeAnsi();
    return m_buffer;
}

char* CDravikString::GetBufferAt(int index)
{
    if (index < 0)
        return nullptr;
    GrowToLength(index + 1);
    if (!m_buffer || index >= m_size)
        return nullptr;
    return m_buffer + index;
}

wchar_t* CDravikString::GetWideBufferAt(int index)
{
    if (index < 0)
        return nullptr;
    GrowToLength(index + 1);
    if (!m_buffer || (index + 1) * 2 > m_size)
        return nullptr;
    return reinterpret_cast<wchar_t*>(m_buffer) + index;
}

bool CDravikString::SetAt(int index, char ch)
{
    if (index < 0)
        return false;
    GrowToLength(index + 1);
    if (!IsValidIndex(index) || index >= m_size)
        return false;
    m_buffer[index] = ch;
    return true;
}

bool CDravikString::SetWideAt(int index, wchar_t ch)
{
    if (index < 0)
        return false;
    GrowToLength(index + 1);
    if (!IsValidIndex(index) || (index + 1) * 2 > m_size)
        return false;
    reinterpret_cast<wchar_t*>(m_buffer)[index] = ch;
    return true;
}

bool CDravikString::IsValidIndex(int index) const
{
    return index >= 0 && index < GetLength();
}

char CDravikString::GetLastChar() const
{
    int length = GetLength();
    if (length == 0 || m_wide)
        return 0;
    return m_buffer[length - 1];
}

// ---------------------------------------------------------------------------------------------
// Search, case and tests

int CDravikString::Find(const char* pattern, int start, bool ignoreCase) const
{
    int length = GetLength();
    if (m_wide || length == 0 || !pattern || start < 0 || start >= length)
        return -1;
    if (!ignoreCase)
    {
        const char* hit = strstr(m_buffer + start, pattern);
        return hit ? static_cast<int>(hit - m_buffer) : -1;
    }
    size_t patternLength = strlen(pattern);
    if (patternLength == 0)
        return -1;
    int textLength = static_cast<int>(strnlen(m_buffer, static_cast<size_t>(length)));
    for (int p = start; p + static_cast<int>(patternLength) <= textLength; ++p)
    {
        size_t i = 0;
        while (i < patternLength && tolower(static_cast<unsigned char>(m_buffer[p + i])) ==
                                        tolower(static_cast<unsigned char>(pattern[i])))
            ++i;
        if (i == patternLength)
            return p;
    }
    return -1;
}

int CDravikString::FindNoCase(const char* pattern, int start) const
{
    return Find(pattern, start, true);
}

int CDravikString::FindChar(char ch, int start) const
{
    int length = GetLength();
    if (m_wide || start < 0 || start >= length)
        return -1;
    for (int i = start; i < length; ++i)
    {
        if (m_buffer[i] == ch)
            return i;
    }
    return -1;
}

int CDravikString::FindWide(const wchar_t* pattern, int start, bool ignoreCase) const
{
    int length = GetLength();
    if (!m_wide || length == 0 || !pattern || start < 0 || start >= length)
        return -1;
    const wchar_t* text = reinterpret_cast<const wchar_t*>(m_buffer);
    if (!ignoreCase)
    {
        const wchar_t* hit = wcsstr(text + start, pattern);
        return hit ? static_cast<int>(hit - text) : -1;
    }
    size_t patternLength = wcslen(pattern);
    if (patternLength == 0)
        return -1;
    int textLength = 0;
    while (textLength < length && text[textLength] != 0)
        ++textLength;
    for (int p = start; p + static_cast<int>(patternLength) <= textLength; ++p)
    {
        size_t i = 0;
        for (; i < patternLength; ++i)
        {
            wchar_t a = text[p + i];
            wchar_t b = pattern[i];
            bool same = iswascii(b) ? towlower(a) == towlower(b) : a == b;
            if (!same)
                break;
        }
        if (i == patternLength)
            return p;
    }
    return -1;
}

int CDravikString::FindWideChar(wchar_t ch, int start) const
{
    int length = GetLength();
    if (!m_wide || start < 0 || start >= length)
        return -1;
    const wchar_t* text = reinterpret_cast<const wchar_t*>(m_buffer);
    for (int i = start; i < length; ++i)
    {
        if (text[i] == ch)
            return i;
    }
    return -1;
}

int CDravikString::CountNoCase(CDravikString pattern) const
{
    int patternLength = pattern.GetLength();
    if (patternLength == 0)
        return 0;
    int count = 0;
    int p = 0;
    for (;;)
    {
        p = pattern.m_wide ? FindWide(pattern.PeekWide(), p, true) : Find(pattern.m_buffer, p, true);
        if (p < 0)
            break;
        ++count;
        p += patternLength;
    }
    return count;
}

bool CDravikString::ChangeCase(bool upper)
{
    int length = GetLength();
    if (length == 0)
        return false;
    if (m_wide)
    {
        wchar_t* text = reinterpret_cast<wchar_t*>(m_buffer);
        for (int i = 0; i < length; ++i)
            text[i] = static_cast<wchar_t>(upper ? towupper(text[i]) : towlower(text[i]));
        return true;
    }
    for (int i = 0; i < length; ++i)
    {
        int ch = static_cast<unsigned char>(m_buffer[i]);
        m_buffer[i] = static_cast<char>(upper ? toupper(ch) : tolower(ch));
    }
    return true;
}

bool CDravikString::MakeUpper()
{
    return ChangeCase(true);
}

bool CDravikString::MakeLower()
{
    return ChangeCase(false);
}

bool CDravikString::HasNonAscii() const
{
    if (!m_wide)
        return false;
    const wchar_t* text = reinterpret_cast<const wchar_t*>(m_buffer);
    int length = GetLength();
    for (int i = 0; i < length; ++i)
    {
        if (!iswascii(text[i]))
            return true;
    }
    return false;
}

bool CDravikString::ContainsDigit() const
{
    int length = GetLength();
    if (m_wide)
    {
        const wchar_t* text = reinterpret_cast<const wchar_t*>(m_buffer);
        for (int i = 0; i < length; ++i)
        {
            if (iswdigit(text[i]))
                return true;
        }
        return false;
    }
    for (int i = 0; i < length; ++i)
    {
        if (isdigit(static_cast<unsigned char>(m_buffer[i])))
            return true;
    }
    return false;
}

bool CDravikString::Equals(const CDravikString& other) const
{
    int length = GetLength();
    if (length != other.GetLength())
        return false;
    if (length == 0)
        return true;
    if (m_wide == other.m_wide)
        return memcmp(m_buffer, other.m_buffer, static_cast<size_t>(m_size)) == 0;
    CDravikString copy(*this);
    if (other.m_wide)
        copy.MakeWide();
    else
        copy.MakeAnsi();
    return copy.m_size == other.m_size &&
           memcmp(copy.m_buffer, other.m_buffer, static_cast<size_t>(copy.m_size)) == 0;
}

int CDravikString::CompareNoCase(CDravikString& other) const
{
    if (GetLength() == 0)
        return other.GetLength() == 0 ? 0 : -1;
    if (other.GetLength() == 0)
        return 1;
    if (m_wide)
    {
        other.MakeWide();
        return _wcsicmp(reinterpret_cast<const wchar_t*>(m_buffer),
                        reinterpret_cast<const wchar_t*>(other.m_buffer));
    }
    other.MakeAnsi();
    return _stricmp(m_buffer, other.m_buffer);
}

int CDravikString::CompareNoCaseAnsi(const char* text)
{
    if (!text)
        return 0;
    MakeAnsi();
    CDravikString other(text);
    return CompareNoCase(other);
}

// ---------------------------------------------------------------------------------------------
// Editing

CDravikString CDravikString::SubString(int first, int last) const
{
    CDravikString result;
    int length = GetLength();
    if (length == 0 || first < 0 || first >= length)
        return result;
    if (last == -1 || last >= length)
        last = length - 1;
    if (m_wide)
        result.MakeWide();
    if (last < first)
        return result;
    int chars = last - first + 1;
    int charSize = CharSize();
    int bytes = (chars + 1) * charSize;
    char* buffer = NewBuffer(bytes);
    if (!buffer)
        return result;
    memcpy(buffer, m_buffer + static_cast<size_t>(first) * charSize, static_cast<size_t>(chars) * charSize);
    result.Adopt(buffer, bytes, m_wide != 0);
    return result;
}

// Replaces every occurrence of pattern, searching on after each inserted replacement so that a
// replacement that contains the pattern is not searched again. Both arguments are private copies:
// the caller's texts may live in this string's buffer, which every step re-allocates.
bool CDravikString::ReplaceAll(CDravikString& pattern, CDravikString& replacement, bool ignoreCase)
{
    bool wide = pattern.m_wide != 0;
    int patternLength = pattern.GetLength();
    int replacementLength = replacement.GetLength();
    // An empty pattern would match at every position without end.
    if (patternLength == 0)
        return false;
    int p = wide ? FindWide(pattern.PeekWide(), 0, ignoreCase) : Find(pattern.m_buffer, 0, ignoreCase);
    if (p < 0)
        return false;
    while (p >= 0)
    {
        CDravikString result = p > 0 ? SubString(0, p - 1) : CDravikString();
        if (wide)
            result.MakeWide();
        result.Append(replacement);
        CDravikString suffix = SubString(p + patternLength, -1);
        result.Append(suffix);
        if (wide)
        {
            result.MakeWide();
            SetWide(result.PeekWide());
            p = FindWide(pattern.PeekWide(), p + replacementLength, ignoreCase);
        }
        else
        {
            SetAnsi(result.m_buffer);
            p = Find(pattern.m_buffer, p + replacementLength, ignoreCase);
        }
    }
    return true;
}

bool CDravikString::Replace(const char* pattern, const char* replacement, bool ignoreCase)
{
    if (!pattern || !replacement)
        return false;
    CDravikString patternCopy(pattern);
    CDravikString replacementCopy(replacement);
    return ReplaceAll(patternCopy, replacementCopy, ignoreCase);
}

bool CDravikString::ReplaceWide(const wchar_t* pattern, const wchar_t* replacement, bool ignoreCase)
{
    if (!pattern || !replacement)
        return false;
    CDravikString patternCopy(pattern);
    CDravikString replacementCopy(replacement);
    return ReplaceAll(patternCopy, replacementCopy, ignoreCase);
}

bool CDravikString::TrimLeft()
{
    int length = GetLength();
    if (length == 0)
        return false;
    int skip = 0;
    if (m_wide)
    {
        const wchar_t* text = reinterpret_cast<const wchar_t*>(m_buffer);
        while (skip < length && IsTrimmable(text[skip]))
            ++skip;
    }
    else
    {
        while (skip < length && IsTrimmable(static_cast<unsigned char>(m_buffer[skip])))
            ++skip;
    }
    if (skip == 0)
        return false;
    CDravikString rest = SubString(skip, -1);
    if (rest.GetLength() == 0 && m_wide)
        rest.MakeWide();
    int bytes = rest.m_size;
    char* buffer = rest.m_buffer;
    bool wide = rest.m_wide != 0;
    rest.m_buffer = nullptr;
    rest.m_size = 0;
    Adopt(buffer, bytes, wide);
    return true;
}

bool CDravikString::TrimRight()
{
    int length = GetLength();
    if (length == 0)
        return false;
    int end = length;
    if (m_wide)
    {
        const wchar_t* text = reinterpret_cast<const wchar_t*>(m_buffer);
        while (end > 0 && IsTrimmable(text[end - 1]))
            --end;
    }
    else
    {
        while (end > 0 && IsTrimmable(static_cast<unsigned char>(m_buffer[end - 1])))
            --end;
    }
    if (end == length)
        return false;
    if (end == 0)
        return AssignEmptyAnsi();
    CDravikString kept = SubString(0, end - 1);
    char* buffer = kept.m_buffer;
    int bytes = kept.m_size;
    bool wide = kept.m_wide != 0;
    kept.m_buffer = nullptr;
    kept.m_size = 0;
    Adopt(buffer, bytes, wide);
    return true;
}

bool CDravikString::EnsureTrailingBackslash()
{
    int length = GetLength();
    if (length > 0)
    {
        unsigned int last = m_wide ? reinterpret_cast<const wchar_t*>(m_buffer)[length - 1]
                                   : static_cast<unsigned char>(m_buffer[length - 1]);
        if (last == '\\')
            return false;
    }
    CDravikString backslash("\\");
    return Append(backslash);
}

// ---------------------------------------------------------------------------------------------
// Numbers and hashing

bool CDravikString::ToInt64(long long& value, CDravikString& rest) const
{
    value = 0;
    int length = GetLength();
    bool wide = m_wide != 0;
    // Collect the rest into a private buffer: rest may be this very string.
    int charSize = CharSize();
    char* restBuffer = NewBuffer((length + 1) * charSize);
    if (!restBuffer)
    {
        rest = wide ? CDravikString(L"") : CDravikString();
        return false;
    }
    int restLength = 0;
    bool seenDigit = false;
    bool collecting = true;
    bool overflow = false;
    unsigned long long number = 0;
    const unsigned long long limit = static_cast<unsigned long long>(LLONG_MAX);
    for (int i = 0; i < length; ++i)
    {
        unsigned int ch =
            wide ? reinterpret_cast<const wchar_t*>(m_buffer)[i] : static_cast<unsigned char>(m_buffer[i]);
        if (ch == 0)
            break;
        if (ch >= '0' && ch <= '9')
        {
            if (collecting)
            {
                unsigned int digit = ch - '0';
                if (number > (limit - digit) / 10)
                    overflow = true;
                else
                    number = number * 10 + digit;
            }
            seenDigit = true;
            continue;
        }
        if (wide)
            reinterpret_cast<wchar_t*>(restBuffer)[restLength++] = static_cast<wchar_t>(ch);
        else
            restBuffer[restLength++] = static_cast<char>(ch);
        if (seenDigit && ch != ' ' && ch != ',' && ch != '.')
            collecting = false;
    }
    if (wide)
        rest.SetWide(reinterpret_cast<const wchar_t*>(restBuffer));
    else
        rest.SetAnsi(restBuffer);
    delete[] restBuffer;
    if (!seenDigit)
        return false;
    if (overflow)
    {
        // More digits than a signed 64-bit value holds: saturate and report that the value is not exact.
        value = LLONG_MAX;
        return false;
    }
    value = static_cast<long long>(number);
    return true;
}

unsigned long long CDravikString::GetHash64() const
{
    if (!m_buffer)
        return 0;
    return Crc64(m_buffer, m_size, 0xFFFFFFFFu, 0xFFFFFFFFu, false);
}
