// COleDateTime: a date and time as an OLE DATE (days since 1899-12-30; the fraction is the time of
// day, measured away from zero for days before the epoch) with a validity status, and
// COleDateTimeSpan, a signed length of time in days.
//
// Valid dates run from 100-01-01 to 9999-12-31; anything outside gives status invalid. Times are
// kept to the second (milliseconds are dropped, as in the classic type).
#pragma once

#include "framework/FrameworkString.h"

#include <oleauto.h>
#include <windows.h>

#include <ctime>

// winbase.h maps GetCurrentTime() to GetTickCount(); the name belongs to COleDateTime here.
#ifdef GetCurrentTime
#undef GetCurrentTime
#endif

class CArchive;
class COleDateTimeSpan;

class COleDateTime
{
public:
    enum DateTimeStatus
    {
        error = -1,
        valid = 0,
        invalid = 1,
        null = 2
    };

    COleDateTime() : m_dt(0), m_status(valid) {}
    COleDateTime(DATE dtSrc) : m_dt(dtSrc), m_status(valid) { CheckRange(); }
    COleDateTime(const VARIANT& varSrc);
    COleDateTime(__time64_t timeSrc);
    COleDateTime(const SYSTEMTIME& systimeSrc);
    // The FILETIME is taken as it is (no conversion to local time).
    COleDateTime(const FILETIME& filetimeSrc);
    COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
    COleDateTime(WORD wDosDate, WORD wDosTime);

    static COleDateTime WINAPI GetCurrentTime();

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }
    operator DATE() const { return m_dt; }

    BOOL GetAsSystemTime(SYSTEMTIME& sysTime) const;

    // Components of a valid value; -1 otherwise. Day of week: 1 = Sunday ... 7 = Saturday.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;
    int GetDayOfYear() const;

    // 0 on success; an out-of-range component makes the value invalid (and returns 1).
    int SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
    int SetDate(int nYear, int nMonth, int nDay) { return SetDateTime(nYear, nMonth, nDay, 0, 0, 0); }
    int SetTime(int nHour, int nMin, int nSec) { return SetDateTime(1899, 12, 30, nHour, nMin, nSec); }

    COleDateTime& operator=(DATE dtSrc);
    COleDateTime& operator=(const VARIANT& varSrc);
    COleDateTime& operator=(const SYSTEMTIME& systimeSrc);
    COleDateTime& operator=(const FILETIME& filetimeSrc);
    COleDateTime& operator=(__time64_t timeSrc);

    // Comparisons by value (the status is not compared; compare valid values).
    bool operator==(const COleDateTime& date) const { return m_dt == date.m_dt; }
    bool operator!=(const COleDateTime& date) const { return m_dt != date.m_dt; }
    bool operator<(const COleDateTime& date) const { return Linear() < date.Linear(); }
    bool operator>(const COleDateTime& date) const { return Linear() > date.Linear(); }
    bool operator<=(const COleDateTime& date) const { return Linear() <= date.Linear(); }
    bool operator>=(const COleDateTime& date) const { return Linear() >= date.Linear(); }

    COleDateTime operator+(const COleDateTimeSpan& dateSpan) const;
    COleDateTime operator-(const COleDateTimeSpan& dateSpan) const;
    COleDateTime& operator+=(const COleDateTimeSpan& dateSpan);
    COleDateTime& operator-=(const COleDateTimeSpan& dateSpan);
    COleDateTimeSpan operator-(const COleDateTime& date) const;

    // strftime-style text (%Y %y %m %d %H %I %M %S %p %j %w %a %A %b %B %c %x %X %%; '#' after '%'
    // drops leading zeros). A null value gives "", an invalid one "Invalid DateTime".
    CString Format(LPCSTR lpszFormat) const;
    CString Format(UINT nFormatID) const;
    // The platform's locale text (VarBstrFromDate with these flags and locale).
    CString Format(DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT) const;
    // The platform's locale parsing (VarDateFromStr); FALSE and status invalid when it fails.
    bool ParseDateTime(LPCSTR lpszDate, DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT);

    // The value on a continuous day scale (for arithmetic and ordering) and back.
    double Linear() const;
    static DATE FromLinear(double dbl);

    DATE m_dt;
    DateTimeStatus m_status;

private:
    void CheckRange();
    // Splits a valid value into calendar fields; false when out of range.
    bool Split(SYSTEMTIME& st, int* pDayOfYear = nullptr) const;
};

class COleDateTimeSpan
{
public:
    enum DateTimeSpanStatus
    {
        valid = 0,
        invalid = 1,
        null = 2
    };

    COleDateTimeSpan() : m_span(0), m_status(valid) {}
    COleDateTimeSpan(double dblSpanSrc) : m_span(dblSpanSrc), m_status(valid) {}
    COleDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);

    DateTimeSpanStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeSpanStatus status) { m_status = status; }
    void SetDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);

    double GetTotalDays() const { return m_span; }
    double GetTotalHours() const { return m_span * 24; }
    double GetTotalMinutes() const { return m_span * 24 * 60; }
    double GetTotalSeconds() const { return m_span * 24 * 60 * 60; }
    // Whole days, then the hour, minute and second within the day (all with the span's sign).
    LONG GetDays() const;
    LONG GetHours() const;
    LONG GetMinutes() const;
    LONG GetSeconds() const;
    operator double() const { return m_span; }

    bool operator==(const COleDateTimeSpan& s) const { return m_span == s.m_span; }
    bool operator!=(const COleDateTimeSpan& s) const { return m_span != s.m_span; }
    bool operator<(const COleDateTimeSpan& s) const { return m_span < s.m_span; }
    bool operator>(const COleDateTimeSpan& s) const { return m_span > s.m_span; }
    COleDateTimeSpan operator+(const COleDateTimeSpan& s) const;
    COleDateTimeSpan operator-(const COleDateTimeSpan& s) const;
    COleDateTimeSpan operator-() const { return COleDateTimeSpan(-m_span); }

    double m_span;
    DateTimeSpanStatus m_status;

private:
    // Whole seconds of the span, rounded.
    LONGLONG TotalSeconds() const;
};

// Archive form: the status as a 32-bit integer, then the DATE as a 64-bit double.
CArchive& operator<<(CArchive& ar, const COleDateTime& dateSrc);
CArchive& operator>>(CArchive& ar, COleDateTime& dateSrc);
// Archive form of a span: the status as a 32-bit integer, then the span as a 64-bit double.
CArchive& operator<<(CArchive& ar, const COleDateTimeSpan& spanSrc);
CArchive& operator>>(CArchive& ar, COleDateTimeSpan& spanSrc);
