// A copy of some bytes placed flush against an inaccessible page, for tests of readers and writers that
// must not touch a byte past the end.
#pragma once

#include <windows.h>

#include <cstring>
#include <vector>

namespace qvx_test
{
// A copy of some bytes placed flush against an inaccessible page, so that reading even one byte past the
// end faults at once.
class CGuardedBuffer
{
public:
    explicit CGuardedBuffer(const std::vector<BYTE>& bytes)
        : CGuardedBuffer(bytes.data(), static_cast<int>(bytes.size()))
    {
    }

    CGuardedBuffer(const BYTE* bytes, int size) : m_base(nullptr), m_data(nullptr), m_size(size)
    {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        const SIZE_T page = info.dwPageSize;
        const SIZE_T dataPages = (static_cast<SIZE_T>(size) + page - 1) / page;
        const SIZE_T total = (dataPages + 1) * page;
        m_base = static_cast<BYTE*>(VirtualAlloc(nullptr, total, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        if (!m_base)
            return;
        BYTE* guard = m_base + dataPages * page;
        DWORD old = 0;
        if (!VirtualProtect(guard, page, PAGE_NOACCESS, &old))
        {
            VirtualFree(m_base, 0, MEM_RELEASE);
            m_base = nullptr;
            return;
        }
        m_data = guard - size;
        if (size > 0)
            memcpy(m_data, bytes, static_cast<size_t>(size));
    }

    ~CGuardedBuffer()
    {
        if (m_base)
            VirtualFree(m_base, 0, MEM_RELEASE);
    }

    bool IsValid() const { return m_data != nullptr; }
    BYTE* Data() const { return m_data; }
    int Size() const { return m_size; }

private:
    CGuardedBuffer(const CGuardedBuffer&) = delete;
    CGuardedBuffer& operator=(const CGuardedBuffer&) = delete;

    BYTE* m_base;
    BYTE* m_data;
    int m_size;
};
} // namespace qvx_test
