#include "foundation/TimeUtilities.h"

#include <cstdio>
#include <ctime>

namespace
{
FILETIME ToFileTime(long long value)
{
    FILETIME fileTime;
    fileTime.dwLowDateTime = static_cast<DWORD>(static_cast<unsigned long long>(value) & 0xFFFFFFFFULL);
    fileTime.dwHighDateTime = static_cast<DWORD>(static_cast<unsigned long long>(value) >> 32);
    return fileTime;
}

long long FromFileTime(const FILETIME& fileTime)
{
    return MakeInt64(fileTime.dwLowDateTime, fileTime.dwHighDateTime);
}

bool IsLeapYear(long year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

long DaysInMonth(long year, long month)
{
    static const long days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return (month == 2 && IsLeapYear(year)) ? 29 : days[month - 1];
}

int CountChar(const char* text, char ch)
{
    int count = 0;
    for (; *text; ++text)
        if (*text == ch)
            ++count;
    return count;
}
} // namespace

long long GetCurrentFileTime()
{
    SYSTEMTIME now;
    GetSystemTime(&now);
    FILETIME fileTime = {0, 0};
    SystemTimeToFileTime(&now, &fileTime);
    return FromFileTime(fileTime);
}

long long MakeInt64(DWORD low, DWORD high)
{
    return static_cast<long long>((static_cast<unsigned long long>(high) << 32) | low);
}

long long ElapsedMilliseconds(long long start, long long end)
{
    return (end - start) / FileTimeUnitsPerMillisecond;
}

bool SplitDuration(long long duration, long& days, long& hours, long& minutes, long& seconds)
{
    if (duration <= 0)
        return false;
    long long total = duration / FileTimeUnitsPerSecond;
    days = static_cast<long>(total / 86400);
    total %= 86400;
    hours = static_cast<long>(total / 3600);
    total %= 3600;
    minutes = static_cast<long>(total / 60);
    seconds = static_cast<long>(total % 60);
    return true;
}

CDravikString FormatElapsedTime(long long start, long long end)
{
    CDravikString text;
    long days = 0, hours = 0, minutes = 0, seconds = 0;
    if (!SplitDuration(end - start, days, hours, minutes, seconds))
        return text;

    char buffer[96];
    int used = 0;
    if (days > 0)
        used = std::snprintf(buffer, sizeof(buffer), "%ld %s%s  ", days, "day", days >= 2 ? "s" : "");
    std::snprintf(buffer + used, sizeof(buffer) - used, "%02ld:%02ld:%02ld", hours, minutes, seconds);
    text.SetAnsi(buffer);
    return text;
}

CDravikString FileTimeToTimeText(long long fileTime, const TIME_ZONE_INFORMATION* zone)
{
    CDravikString text;
    const FILETIME utcFileTime = ToFileTime(fileTime);
    SYSTEMTIME utc, local;
    if (!FileTimeToSystemTime(&utcFileTime, &utc))
        return text;
    if (!SystemTimeToTzSpecificLocalTime(const_cast<TIME_ZONE_INFORMATION*>(zone), &utc, &local))
        return text;

    std::tm parts = {};
    parts.tm_year = local.wYear - 1900;
    parts.tm_mon = local.wMonth - 1;
    parts.tm_mday = local.wDay;
    parts.tm_wday = local.wDayOfWeek;
    parts.tm_hour = local.wHour;
    parts.tm_min = local.wMinute;
    parts.tm_sec = local.wSecond;
    parts.tm_isdst = -1;

    char timeOfDay[32];
    if (std::strftime(timeOfDay, sizeof(timeOfDay), "%H:%M:%S", &parts) == 0)
        return text;
    char buffer[48];
    std::snprintf(buffer, sizeof(buffer), "%s:%ld", timeOfDay, static_cast<long>(local.wMilliseconds));
    text.SetAnsi(buffer);
    return text;
}

CDravikString FormatCurrentTimestamp()
{
    char buffer[32];
    FormatCurrentTimestamp(buffer, sizeof(buffer));
    return CDravikString(buffer);
}

void FormatCurrentTimestamp(char* buffer, size_t size)
{
    if (!buffer || size == 0)
        return;
    // The local time of day read directly: the same text as converting the current UTC time to local time,
    // for a fraction of the cost (the time-zone conversion weighed as much as a whole console line).
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::snprintf(buffer, size, "%02u:%02u:%02u:%u", now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
}

bool NormaliseDateSeparators(CDravikString& text)
{
    bool replaced = false;
    const int length = text.GetLength();
    if (text.IsWide())
    {
        for (int i = 0; i < length; ++i)
        {
            wchar_t* ch = text.GetWideBufferAt(i);
            if (ch && (*ch == L'/' || *ch == L'\\' || *ch == L'.'))
            {
                *ch = L'-';
                replaced = true;
            }
        }
    }
    else
    {
        for (int i = 0; i < length; ++i)
        {
            char* ch = text.GetBufferAt(i);
            if (ch && (*ch == '/' || *ch == '\\' || *ch == '.'))
            {
                *ch = '-';
                replaced = true;
            }
        }
    }
    return replaced;
}

bool ParseLocalTimeText(const CDravikString& text, SYSTEMTIME& result)
{
    result = SYSTEMTIME();

    CDravikString normalised(text);
    NormaliseDateSeparators(normalised);
    const bool pm = normalised.FindNoCase("PM") >= 0;
    const bool am = !pm && normalised.FindNoCase("AM") >= 0;
    const char* ansi = normalised.GetAnsi();
    if (!ansi)
        return false;
    const int colons = CountChar(ansi, ':');

    // The three date numbers in the order written, then the time of day.
    long n1 = 0, n2 = 0, n3 = 0, hour = 0, minute = 0, second = 0;
    long year = 0, month = 0, day = 0;
    if (!am && !pm)
    {
        if (colons == 0)
        {
            if (std::sscanf(ansi, "%ld-%ld-%ld", &n1, &n2, &n3) != 3)
                return false;
        }
        else if (std::sscanf(ansi, "%ld-%ld-%ld %ld:%ld:%ld", &n1, &n2, &n3, &hour, &minute, &second) < 5)
            return false; // seconds may be left out
        year = n1;
        month = n2;
        day = n3;
    }
    else
    {
        if (colons == 1)
        {
            if (std::sscanf(ansi, "%ld-%ld-%ld %ld:%ld", &n1, &n2, &n3, &hour, &minute) != 5)
                return false;
        }
        else if (colons == 2)
        {
            if (std::sscanf(ansi, "%ld-%ld-%ld %ld:%ld:%ld", &n1, &n2, &n3, &hour, &minute, &second) != 6)
                return false;
        }
        else
            return false;
        month = n1;
        day = n2;
        year = n3;
        if (n1 > 31)
        {
            // Written year first.
            year = n1;
            month = n2;
            day = n3;
        }
        if (hour < 1 || hour > 12)
            return false;
        if (pm && hour < 12)
            hour += 12;
        else if (am && hour == 12)
            hour = 0; // 12:xx AM is the first hour of the day
    }

    if (day > 31)
    {
        // The date was written month-day-year.
        year = n3;
        month = n1;
        day = n2;
    }

    if (year < 1601 || year > 30827 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
        hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return false;

    result.wYear = static_cast<WORD>(year);
    result.wMonth = static_cast<WORD>(month);
    result.wDay = static_cast<WORD>(day);
    result.wHour = static_cast<WORD>(hour);
    result.wMinute = static_cast<WORD>(minute);
    result.wSecond = static_cast<WORD>(second);
    result.wMilliseconds = 0;
    return true;
}

long long LocalTimeTextToFileTime(const CDravikString& text, const TIME_ZONE_INFORMATION* zone)
{
    const long long now = GetCurrentFileTime();
    if (text.IsEmpty())
        return now;

    SYSTEMTIME local, utc;
    if (!ParseLocalTimeText(text, local))
        return now;
    if (!TzSpecificLocalTimeToSystemTime(const_cast<TIME_ZONE_INFORMATION*>(zone), &local, &utc))
        return now;
    FILETIME fileTime;
    if (!SystemTimeToFileTime(&utc, &fileTime))
        return now;
    return FromFileTime(fileTime);
}
