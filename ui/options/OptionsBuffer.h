// Byte-level helpers of the options buffer: little-endian 32-bit fields, range checks and size sums.
//
// The options buffer is a packed little-endian byte format. Every field goes through these helpers so
// that the bytes are the same on 32-bit and 64-bit builds and no structure is ever copied as a whole.
#pragma once

#include <windows.h>

#include <cstdint>

// Stores value at `at` as four little-endian bytes.
inline void OptionsPutInt32(BYTE* at, int32_t value)
{
    const uint32_t bits = static_cast<uint32_t>(value);
    at[0] = static_cast<BYTE>(bits);
    at[1] = static_cast<BYTE>(bits >> 8);
    at[2] = static_cast<BYTE>(bits >> 16);
    at[3] = static_cast<BYTE>(bits >> 24);
}

// Reads four little-endian bytes at `at` as a signed 32-bit value.
inline int32_t OptionsGetInt32(const BYTE* at)
{
    const uint32_t bits = static_cast<uint32_t>(at[0]) | (static_cast<uint32_t>(at[1]) << 8) |
                          (static_cast<uint32_t>(at[2]) << 16) | (static_cast<uint32_t>(at[3]) << 24);
    return static_cast<int32_t>(bits);
}

// True when the byte range [offset, offset + length) lies inside a buffer of bufferSize bytes.
inline bool OptionsRangeFits(int bufferSize, int offset, long long length)
{
    return bufferSize >= 0 && offset >= 0 && offset <= bufferSize && length >= 0 &&
           length <= static_cast<long long>(bufferSize) - offset;
}

// Adds up record lengths; becomes invalid once a part is invalid (negative) or the total passes INT_MAX.
class COptionsSize
{
public:
    explicit COptionsSize(long long start = 0) : m_total(start) {}

    void Add(long long part)
    {
        if (part < 0 || m_total < 0 || part > kMax - m_total)
            m_total = -1;
        else
            m_total += part;
    }

    // The total, or -1 when it cannot be represented.
    int Get() const { return m_total < 0 ? -1 : static_cast<int>(m_total); }

private:
    static const long long kMax = 0x7FFFFFFF;
    long long m_total;
};

// Element index of a fixed array, or the type's zero value outside it.
template <class T, int N> T OptionsGetIndexed(const T (&values)[N], int index)
{
    return index >= 0 && index < N ? values[index] : T();
}

// Sets an element of a fixed array; FALSE outside it.
template <class T, int N> BOOL OptionsSetIndexed(T (&values)[N], int index, T value)
{
    if (index < 0 || index >= N)
        return FALSE;
    values[index] = value;
    return TRUE;
}

// Smallest possible length of one entity record (kind, id and one 32-bit value or count).
const int kOptionsMinEntityRecord = 12;
