#include "framework/OleDateTime.h"

#include "framework/Archive.h"

#include <cmath>
#include <cstdio>

namespace
{
// DATE limits: 100-01-01 00:00:00 and 9999-12-31 23:59:59.
const double kMinDate = -657434.0;
const double kMaxDate = 2958465.99999;
const LONGLONG kSecondsPerDay = 86400;
const char kInvalidText[] = "Invalid DateTime";

// Days from 1899-12-30 to y-m-d in the proleptic Gregorian calendar.
LONGLONG DaysFromCivil(LONGLONG y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const LONGLONG era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<LONGLONG>(doe) - 719468 + 25569; // 1970-01-01 is day 25569
}

void CivilFromDays(LONGLONG z, int& y, int& m, int& d)
{
    z += 719468 - 25569;
    const LONGLONG era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

bool IsLeap(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

const char* const kDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char* const kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};
} // namespace

// ---- construction ----

COleDateTime::COleDateTime(const VARIANT& varSrc) : m_dt(0), m_status(valid)
{
    *this = varSrc;
}

COleDateTime::COleDateTime(__time64_t timeSrc) : m_dt(0), m_status(valid)
{
    *this = timeSrc;
}

COleDateTime::COleDateTime(const SYSTEMTIME& systimeSrc) : m_dt(0), m_status(valid)
{
    *this = systimeSrc;
}

COleDateTime::COleDateTime(const FILETIME& filetimeSrc) : m_dt(0), m_status(valid)
{
    *this = filetimeSrc;
}

COleDateTime::COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
    : m_dt(0), m_status(valid)
{
    SetDateTime(nYear, nMonth, nDay, nHour, nMin, nSec);
}

COleDateTime::COleDateTime(WORD wDosDate, WORD wDosTime) : m_dt(0), m_status(valid)
{
    SetDateTime(1980 + (wDosDate >> 9), (wDosDate >> 5) & 0x0F, wDosDate & 0x1F, wDosTime >> 11,
                (wDosTime >> 5) & 0x3F, (wDosTime & 0x1F) * 2);
}

COleDateTime WINAPI COleDateTime::GetCurrentTime()
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    return COleDateTime(st);
}

void COleDateTime::CheckRange()
{
    if (!(m_dt >= kMinDate && m_dt <= kMaxDate)) // also catches NaN
        m_status = invalid;
}

int COleDateTime::SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    if (nYear < 100 || nYear > 9999 || nMonth < 1 || nMonth > 12 || nDay < 1 ||
        nDay > DaysInMonth(nYear, nMonth) || nHour < 0 || nHour > 23 || nMin < 0 || nMin > 59 || nSec < 0 ||
        nSec > 59)
    {
        m_dt = 0;
        m_status = invalid;
        return 1;
    }
    LONGLONG days = DaysFromCivil(nYear, static_cast<unsigned>(nMonth), static_cast<unsigned>(nDay));
    double frac = static_cast<double>(nHour * 3600 + nMin * 60 + nSec) / kSecondsPerDay;
    m_dt = days >= 0 ? static_cast<double>(days) + frac : static_cast<double>(days) - frac;
    m_status = valid;
    return 0;
}

COleDateTime& COleDateTime::operator=(DATE dtSrc)
{
    m_dt = dtSrc;
    m_status = valid;
    CheckRange();
    return *this;
}

COleDateTime& COleDateTime::operator=(const VARIANT& varSrc)
{
    if (varSrc.vt == VT_DATE)
        return *this = varSrc.date;
    VARIANT tmp;
    VariantInit(&tmp);
    if (SUCCEEDED(VariantChangeType(&tmp, const_cast<VARIANT*>(&varSrc), 0, VT_DATE)))
    {
        *this = tmp.date;
    }
    else
    {
        m_dt = 0;
        m_status = invalid;
    }
    VariantClear(&tmp);
    return *this;
}

COleDateTime& COleDateTime::operator=(const SYSTEMTIME& st)
{
    SetDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
    return *this;
}

COleDateTime& COleDateTime::operator=(const FILETIME& ft)
{
    SYSTEMTIME st;
    if (FileTimeToSystemTime(&ft, &st))
        return *this = st;
    m_dt = 0;
    m_status = invalid;
    return *this;
}

COleDateTime& COleDateTime::operator=(__time64_t timeSrc)
{
    struct tm local;
    if (_localtime64_s(&local, &timeSrc) != 0)
    {
        m_dt = 0;
        m_status = invalid;
        return *this;
    }
    SetDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                local.tm_sec);
    return *this;
}

// ---- splitting ----

bool COleDateTime::Split(SYSTEMTIME& st, int* pDayOfYear) const
{
    if (m_status != valid || !(m_dt >= kMinDate && m_dt <= kMaxDate))
        return false;
    // Whole days toward zero; the fraction is the time of that day.
    double dayPart = m_dt >= 0 ? std::floor(m_dt) : std::ceil(m_dt);
    double frac = std::fabs(m_dt - dayPart);
    LONGLONG days = static_cast<LONGLONG>(dayPart);
    LONGLONG secs = static_cast<LONGLONG>(std::floor(frac * kSecondsPerDay + 0.5));
    if (secs >= kSecondsPerDay)
    {
        secs -= kSecondsPerDay;
        ++days;
    }
    int y, m, d;
    CivilFromDays(days, y, m, d);
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(m);
    st.wDay = static_cast<WORD>(d);
    st.wHour = static_cast<WORD>(secs / 3600);
    st.wMinute = static_cast<WORD>(secs / 60 % 60);
    st.wSecond = static_cast<WORD>(secs % 60);
    st.wMilliseconds = 0;
    // 1899-12-30 was a Saturday.
    LONGLONG dow = (days + 6) % 7;
    st.wDayOfWeek = static_cast<WORD>(dow < 0 ? dow + 7 : dow);
    if (pDayOfYear)
        *pDayOfYear = static_cast<int>(days - DaysFromCivil(y, 1, 1)) + 1;
    return true;
}

BOOL COleDateTime::GetAsSystemTime(SYSTEMTIME& sysTime) const
{
    return Split(sysTime) ? TRUE : FALSE;
}

int COleDateTime::GetYear() const
{
    SYSTEMTIME st;
    return Split(st) ? st.wYear : -1;
}
int COleDateTime::GetMonth() const
{
    SYSTEMTIME st;
    return Split(st) ? st.wMonth : -1;
}
int COleDateTime::GetDay() const
{
    SYSTEMTIME st;
    return Split(st) ? st.wDay : -1;
}
int COleDateTime::GetHour() const
{
    SYSTEMTIME st;
    return Split(st) ? st.wHour : -1;
}
int COleDateTime::GetMinute() const
{
    SYSTEMTIME st;
    return Split(st) ? st.wMinute : -1;
}
int COleDateTime::GetSecond() const
{
    SYSTEMTIME st;
    return Split(st) ? st.wSecond : -1;
}
int COleDateTime::GetDayOfWeek() const
{
    SYSTEMTIME st;
    return Split(st) ? st.wDayOfWeek + 1 : -1;
}
int COleDateTime::GetDayOfYear() const
{
    SYSTEMTIME st;
    int doy = -1;
    return Split(st, &doy) ? doy : -1;
}

// ---- arithmetic ----

double COleDateTime::Linear() const
{
    if (m_dt >= 0)
        return m_dt;
    double days = std::ceil(m_dt);
    return days + (days - m_dt);
}

DATE COleDateTime::FromLinear(double dbl)
{
    if (dbl >= 0)
        return dbl;
    double days = std::floor(dbl);
    return days - (dbl - days);
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& dateSpan) const
{
    COleDateTime r;
    if (m_status != valid || dateSpan.m_status != COleDateTimeSpan::valid)
    {
        r.m_status = invalid;
        return r;
    }
    return COleDateTime(FromLinear(Linear() + dateSpan.m_span));
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& dateSpan) const
{
    return *this + COleDateTimeSpan(-dateSpan.m_span);
}

COleDateTime& COleDateTime::operator+=(const COleDateTimeSpan& dateSpan)
{
    return *this = *this + dateSpan;
}

COleDateTime& COleDateTime::operator-=(const COleDateTimeSpan& dateSpan)
{
    return *this = *this - dateSpan;
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& date) const
{
    COleDateTimeSpan span(Linear() - date.Linear());
    if (m_status != valid || date.m_status != valid)
        span.m_status = COleDateTimeSpan::invalid;
    return span;
}

// ---- text ----

CString COleDateTime::Format(LPCSTR lpszFormat) const
{
    if (m_status == null)
        return CString();
    SYSTEMTIME st;
    int doy = 0;
    if (!lpszFormat || !Split(st, &doy))
        return CString(kInvalidText);
    CString out;
    for (const char* p = lpszFormat; *p; ++p)
    {
        if (*p != '%')
        {
            out += *p;
            continue;
        }
        ++p;
        bool noPad = false;
        if (*p == '#')
        {
            noPad = true;
            ++p;
        }
        auto num = [&](int value, int width) {
            out.AppendFormat(noPad ? "%d" : "%0*d", noPad ? value : width, value);
        };
        int hour12 = st.wHour % 12 == 0 ? 12 : st.wHour % 12;
        switch (*p)
        {
        case 'Y':
            out.AppendFormat("%d", st.wYear);
            break;
        case 'y':
            num(st.wYear % 100, 2);
            break;
        case 'm':
            num(st.wMonth, 2);
            break;
        case 'd':
            num(st.wDay, 2);
            break;
        case 'H':
            num(st.wHour, 2);
            break;
        case 'I':
            num(hour12, 2);
            break;
        case 'M':
            num(st.wMinute, 2);
            break;
        case 'S':
            num(st.wSecond, 2);
            break;
        case 'j':
            num(doy, 3);
            break;
        case 'w':
            out.AppendFormat("%d", st.wDayOfWeek);
            break;
        case 'p':
            out += st.wHour < 12 ? "AM" : "PM";
            break;
        case 'a':
            out.Append(kDayNames[st.wDayOfWeek], 3);
            break;
        case 'A':
            out += kDayNames[st.wDayOfWeek];
            break;
        case 'b':
            out.Append(kMonthNames[st.wMonth - 1], 3);
            break;
        case 'B':
            out += kMonthNames[st.wMonth - 1];
            break;
        case 'x':
            out.AppendFormat("%02d/%02d/%02d", st.wMonth, st.wDay, st.wYear % 100);
            break;
        case 'X':
            out.AppendFormat("%02d:%02d:%02d", st.wHour, st.wMinute, st.wSecond);
            break;
        case 'c':
            out.AppendFormat("%02d/%02d/%02d %02d:%02d:%02d", st.wMonth, st.wDay, st.wYear % 100, st.wHour,
                             st.wMinute, st.wSecond);
            break;
        case '%':
            out += '%';
            break;
        case 0:
            --p; // a lone '%' at the end
            break;
        default:
            out += '%';
            out += *p;
            break;
        }
    }
    return out;
}

CString COleDateTime::Format(UINT nFormatID) const
{
    CString fmt;
    if (!fmt.LoadString(nFormatID))
        return CString();
    return Format(static_cast<LPCSTR>(fmt));
}

CString COleDateTime::Format(DWORD dwFlags, LCID lcid) const
{
    if (m_status == null)
        return CString();
    if (m_status != valid)
        return CString(kInvalidText);
    BSTR text = nullptr;
    if (FAILED(VarBstrFromDate(m_dt, lcid, dwFlags, &text)) || !text)
        return CString(kInvalidText);
    CString out(text, static_cast<int>(SysStringLen(text)));
    SysFreeString(text);
    return out;
}

bool COleDateTime::ParseDateTime(LPCSTR lpszDate, DWORD dwFlags, LCID lcid)
{
    if (!lpszDate)
    {
        m_dt = 0;
        m_status = invalid;
        return false;
    }
    CStringW wide(lpszDate);
    DATE d = 0;
    if (FAILED(VarDateFromStr(const_cast<LPOLESTR>(wide.GetString()), lcid, dwFlags, &d)))
    {
        m_dt = 0;
        m_status = invalid;
        return false;
    }
    *this = d;
    return m_status == valid;
}

// ---- spans ----

COleDateTimeSpan::COleDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs) : m_span(0), m_status(valid)
{
    SetDateTimeSpan(lDays, nHours, nMins, nSecs);
}

void COleDateTimeSpan::SetDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
{
    m_span = lDays + (static_cast<double>(nHours) * 3600 + nMins * 60.0 + nSecs) / kSecondsPerDay;
    m_status = valid;
}

LONGLONG COleDateTimeSpan::TotalSeconds() const
{
    return static_cast<LONGLONG>(std::llround(m_span * kSecondsPerDay));
}

LONG COleDateTimeSpan::GetDays() const
{
    return static_cast<LONG>(TotalSeconds() / kSecondsPerDay);
}
LONG COleDateTimeSpan::GetHours() const
{
    return static_cast<LONG>(TotalSeconds() % kSecondsPerDay / 3600);
}
LONG COleDateTimeSpan::GetMinutes() const
{
    return static_cast<LONG>(TotalSeconds() % 3600 / 60);
}
LONG COleDateTimeSpan::GetSeconds() const
{
    return static_cast<LONG>(TotalSeconds() % 60);
}

COleDateTimeSpan COleDateTimeSpan::operator+(const COleDateTimeSpan& s) const
{
    COleDateTimeSpan r(m_span + s.m_span);
    if (m_status != valid || s.m_status != valid)
        r.m_status = invalid;
    return r;
}

COleDateTimeSpan COleDateTimeSpan::operator-(const COleDateTimeSpan& s) const
{
    COleDateTimeSpan r(m_span - s.m_span);
    if (m_status != valid || s.m_status != valid)
        r.m_status = invalid;
    return r;
}

// ---- archive ----

CArchive& operator<<(CArchive& ar, const COleDateTime& dateSrc)
{
    ar << static_cast<LONG>(dateSrc.m_status);
    return ar << dateSrc.m_dt;
}

CArchive& operator>>(CArchive& ar, COleDateTime& dateSrc)
{
    LONG status;
    double dt;
    ar >> status >> dt;
    dateSrc.m_dt = dt;
    dateSrc.m_status = status >= COleDateTime::error && status <= COleDateTime::null
                           ? static_cast<COleDateTime::DateTimeStatus>(status)
                           : COleDateTime::invalid;
    return ar;
}

CArchive& operator<<(CArchive& ar, const COleDateTimeSpan& spanSrc)
{
    ar << static_cast<LONG>(spanSrc.m_status);
    return ar << spanSrc.m_span;
}

CArchive& operator>>(CArchive& ar, COleDateTimeSpan& spanSrc)
{
    LONG status;
    double span;
    ar >> status >> span;
    spanSrc.m_span = span;
    spanSrc.m_status = status >= COleDateTimeSpan::valid && status <= COleDateTimeSpan::null
                           ? static_cast<COleDateTimeSpan::DateTimeSpanStatus>(status)
                           : COleDateTimeSpan::invalid;
    return ar;
}
