#include "engine/UnitTestCommandLineLogManager.h"

#include "foundation/TimeUtilities.h"

#include "engine/EngineResourceIds.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <io.h>

namespace
{
const int kFormatIds[6] = {IDS_LOG_ERROR,     IDS_LOG_ERROR_LINE, IDS_LOG_INFORMATION,
                           IDS_LOG_RUN_BEGIN, IDS_LOG_TEST_BEGIN, IDS_LOG_WARNING};

// The timestamp of one console line.
struct Stamp
{
    char text[32];
    Stamp() { FormatCurrentTimestamp(text, sizeof(text)); }
};

int SlotOf(int id)
{
    for (int i = 0; i < 6; ++i)
        if (kFormatIds[i] == id)
            return i;
    return -1;
}
} // namespace

CUnitTestCommandLineLogManager::CUnitTestCommandLineLogManager() : m_stream(stdout) {}

const CDravikString& CUnitTestCommandLineLogManager::Format(int id)
{
    int slot = SlotOf(id);
    if (!m_loaded[slot])
    {
        m_formats[slot].LoadString(id);
        m_loaded[slot] = true;
    }
    return m_formats[slot];
}

bool CUnitTestCommandLineLogManager::FormatAndWrite(int id, ...)
{
    CThreadLockGuard hold(m_sinkLock);
    const CDravikString& format = Format(id);
    if (format.IsEmpty())
        return false;
    CDravikString line;
    va_list args;
    va_start(args, id);
    bool formatted = line.FormatFromStringV(format, args);
    va_end(args);
    if (!formatted)
        return false;
    return WriteText(line);
}

void CUnitTestCommandLineLogManager::LogRunBegin(const char* suiteName, long selectedCount)
{
    FormatAndWrite(IDS_LOG_RUN_BEGIN, suiteName ? suiteName : "", selectedCount);
}

bool CUnitTestCommandLineLogManager::LogTestBegin(CDravikString testName, long index)
{
    CThreadLockGuard hold(m_sinkLock);
    Stamp stamp;
    return FormatAndWrite(IDS_LOG_TEST_BEGIN, index, testName.GetAnsi(), stamp.text);
}

bool CUnitTestCommandLineLogManager::LogError(CDravikString text, long line)
{
    CThreadLockGuard hold(m_sinkLock);
    Stamp stamp;
    if (line == -1)
        return FormatAndWrite(IDS_LOG_ERROR, stamp.text, text.GetAnsi());
    return FormatAndWrite(IDS_LOG_ERROR_LINE, stamp.text, line, text.GetAnsi());
}

bool CUnitTestCommandLineLogManager::LogWarning(CDravikString text, long line)
{
    CThreadLockGuard hold(m_sinkLock);
    Stamp stamp;
    return FormatAndWrite(IDS_LOG_WARNING, stamp.text, line, text.GetAnsi());
}

bool CUnitTestCommandLineLogManager::LogInformation(CDravikString text)
{
    CThreadLockGuard hold(m_sinkLock);
    Stamp stamp;
    return FormatAndWrite(IDS_LOG_INFORMATION, stamp.text, text.GetAnsi());
}

bool CUnitTestCommandLineLogManager::WriteText(CDravikString& text)
{
    CThreadLockGuard hold(m_sinkLock);
    int length = text.GetLength();
    if (length <= 0 || !m_stream)
        return false;
    const char* data = text.GetAnsi();
    length = text.GetLength();
    std::fwrite(data, 1, static_cast<size_t>(length), m_stream);
    std::fflush(m_stream);
    return true;
}

HANDLE CUnitTestCommandLineLogManager::GetRawOutput()
{
    if (!m_stream)
        return nullptr;
    const intptr_t handle = _get_osfhandle(_fileno(m_stream));
    return handle != -1 ? reinterpret_cast<HANDLE>(handle) : nullptr;
}
