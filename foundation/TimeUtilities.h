// Time values and their texts. Times are 64-bit UTC FILETIME values (100-ns units since 1601) unless a
// function says local.
#pragma once

#include <windows.h>

#include "foundation/DravikString.h"

// Units of a FILETIME value.
const long long FileTimeUnitsPerMillisecond = 10000LL;
const long long FileTimeUnitsPerSecond = 10000000LL;

// The current UTC time.
long long GetCurrentFileTime();

// Joins two 32-bit halves into one 64-bit value.
long long MakeInt64(DWORD low, DWORD high);

// (end - start) / 10000.
long long ElapsedMilliseconds(long long start, long long end);

// Splits a duration in 100-ns units into whole days, hours, minutes and seconds (fractions of a second are
// dropped). False for a duration of 0 or less; the outputs are then untouched.
bool SplitDuration(long long duration, long& days, long& hours, long& minutes, long& seconds);

// "00:00:05", "1 day  01:00:00", "3 days  00:10:00"; empty when the elapsed time is 0 or less.
CDravikString FormatElapsedTime(long long start, long long end);

// The local time of day of a UTC FILETIME as "HH:MM:SS:ms" with the milliseconds written without leading
// zeros
// ("13:05:09:7"). zone null: the current time zone. Empty when a conversion fails.
CDravikString FileTimeToTimeText(long long fileTime, const TIME_ZONE_INFORMATION* zone = nullptr);

// FileTimeToTimeText of the current time: the timestamp of log lines.
CDravikString FormatCurrentTimestamp();
// The same text written into a caller's buffer (always terminated), without allocating: for per-line use.
void FormatCurrentTimestamp(char* buffer, size_t size);

// Turns every '/', '\' and '.' into '-'; true when one was replaced.
bool NormaliseDateSeparators(CDravikString& text);

// Reads a date or date and time text into a SYSTEMTIME (milliseconds 0). Accepted forms, with any of '/',
// '\',
// '.' or '-' between the date numbers:
//   year-month-day [hour:minute[:second]]
//   month-day-year hour:minute[:second] AM|PM
// A day above 31 means the date was written month-day-year. 12:xx AM is hour 0, 12:xx PM hour 12.
// False (and a zeroed result) when the text is not such a date or names no valid date and time.
bool ParseLocalTimeText(const CDravikString& text, SYSTEMTIME& result);

// The UTC FILETIME of a local date and time text (see ParseLocalTimeText). zone null: the current time zone.
// The current time for an empty text or when the text cannot be read or converted.
long long LocalTimeTextToFileTime(const CDravikString& text, const TIME_ZONE_INFORMATION* zone = nullptr);
