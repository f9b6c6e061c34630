#include "ui/options/VLStringManager.h"

#include "ui/options/OptionsBuffer.h"

#include <cstring>
#include <new>
#include <vector>

namespace
{
// Bytes that WriteString puts down for n characters of width c.
long long WrittenBytes(long long n, int c)
{
    return n > 0 ? 5 + (n + 1) * c : 6;
}

int ToSize(long long value)
{
    return value > 0x7FFFFFFF ? -1 : static_cast<int>(value);
}
} // namespace

CVLStringManager::CVLStringManager() : m_cursor(nullptr), m_end(nullptr), m_writable(false) {}

CVLStringManager::~CVLStringManager() {}

BOOL CVLStringManager::SetPosition(BYTE* position, const BYTE* end)
{
    if (!position || !end || end < position)
        return FALSE;
    m_cursor = position;
    m_end = end;
    m_writable = true;
    return TRUE;
}

BOOL CVLStringManager::SetReadPosition(const BYTE* position, const BYTE* end)
{
    if (!position || !end || end < position)
        return FALSE;
    // The cursor is only ever read through while m_writable is false.
    m_cursor = const_cast<BYTE*>(position);
    m_end = end;
    m_writable = false;
    return TRUE;
}

int CVLStringManager::GetRecordLength(const CDravikString& text, bool* wide)
{
    const int length = text.GetLength();
    int n = 0;
    if (text.IsWide())
    {
        const wchar_t* chars = text.PeekWide();
        while (chars && n < length && chars[n] != 0)
            ++n;
    }
    else
    {
        const char* chars = text.PeekAnsi();
        while (chars && n < length && chars[n] != 0)
            ++n;
    }
    if (wide)
        *wide = text.IsWide();
    return n;
}

int CVLStringManager::GetRecordSize(const CDravikString& text)
{
    bool wide = false;
    const long long n = GetRecordLength(text, &wide);
    return ToSize((n + 1) * (wide ? 2 : 1) + 8);
}

int CVLStringManager::GetStride(const CDravikString& text)
{
    bool wide = false;
    const long long n = GetRecordLength(text, &wide);
    return ToSize(n * (wide ? 2 : 1) + 8);
}

BOOL CVLStringManager::WriteString(const CDravikString& text)
{
    if (!m_cursor || !m_writable)
        return FALSE;
    bool wide = false;
    const int n = GetRecordLength(text, &wide);
    const int c = wide ? 2 : 1;
    const long long stride = static_cast<long long>(n) * c + 8;
    const long long available = m_end - m_cursor;
    if (stride > available || WrittenBytes(n, c) > available)
        return FALSE;

    BYTE* at = m_cursor;
    memset(at, 0, static_cast<size_t>(stride));
    OptionsPutInt32(at, n);
    at[4] = wide ? 1 : 0;
    if (n > 0)
    {
        BYTE* chars = at + 5;
        if (wide)
        {
            const wchar_t* source = text.PeekWide();
            for (int i = 0; i < n; ++i)
            {
                const unsigned int unit = static_cast<unsigned short>(source[i]);
                chars[2 * i] = static_cast<BYTE>(unit);
                chars[2 * i + 1] = static_cast<BYTE>(unit >> 8);
            }
        }
        else
        {
            memcpy(chars, text.PeekAnsi(), static_cast<size_t>(n));
        }
        // The terminating NUL is already in place from the clearing above.
    }
    m_cursor += stride;
    return TRUE;
}

BOOL CVLStringManager::ReadString(CDravikString* text, int* recordSize)
{
    if (!m_cursor || !text)
        return FALSE;
    const long long available = m_end - m_cursor;
    if (available < 8)
        return FALSE;
    const BYTE* at = m_cursor;
    const long long n = OptionsGetInt32(at);
    const BYTE flag = at[4];
    if (n < 0 || flag > 1)
        return FALSE;
    const int c = flag ? 2 : 1;
    const long long stride = n * c + 8;
    const long long reserved = (n + 1) * c + 8;
    if (stride > available || WrittenBytes(n, c) > available || reserved > 0x7FFFFFFF)
        return FALSE;

    CDravikString result;
    const BYTE* chars = at + 5;
    if (n == 0)
    {
        if (chars[0] != 0)
            return FALSE;
        if (flag && !result.SetWide(L""))
            return FALSE;
    }
    else if (flag)
    {
        std::vector<wchar_t> units;
        try
        {
            units.resize(static_cast<size_t>(n) + 1);
        }
        catch (const std::bad_alloc&)
        {
            return FALSE;
        }
        for (long long i = 0; i <= n; ++i)
        {
            const wchar_t unit = static_cast<wchar_t>(chars[2 * i] | (chars[2 * i + 1] << 8));
            if ((i < n) != (unit != 0))
                return FALSE;
            units[static_cast<size_t>(i)] = unit;
        }
        if (!result.SetWide(units.data()))
            return FALSE;
    }
    else
    {
        if (memchr(chars, 0, static_cast<size_t>(n)) != nullptr || chars[n] != 0)
            return FALSE;
        if (!result.SetAnsi(reinterpret_cast<const char*>(chars)))
            return FALSE;
    }

    *text = result;
    if (recordSize)
        *recordSize = static_cast<int>(reserved);
    m_cursor += stride;
    return TRUE;
}
