#include "platform/DateTime.h"

#include <cmath>
#include <cstdio>

namespace orvo {
namespace {
constexpr double kMsPerDay = 86400000.0;
// Days from 0001-01-01 to 1899-12-30 in the proleptic Gregorian calendar.
constexpr int64_t kDelta = 693594;

int64_t DaysBeforeYear(int year) {
    const int64_t y = year - 1;
    return y * 365 + y / 4 - y / 100 + y / 400;
}
}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return false;
    int64_t days = DaysBeforeYear(year) + day - 1;
    for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
    result = double(days + 1 - kDelta);
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime result = 0;
    if (!TryEncodeDate(year, month, day, result)) throw EConvertError("Invalid argument to date encode");
    return result;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& result) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
        millisecond > 999)
        return false;
    result = (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond) / kMsPerDay;
    return true;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    TDateTime result = 0;
    if (!TryEncodeTime(hour, minute, second, millisecond, result))
        throw EConvertError("Invalid argument to time encode");
    return result;
}

TDayTime SplitDateTime(TDateTime value) {
    // Negative values keep the time as the positive fraction.
    const double day = std::trunc(value);
    TDayTime t{int64_t(day), std::llround(std::fabs(value - day) * kMsPerDay)};
    if (t.Millisecond >= int64_t(kMsPerDay)) {
        t.Millisecond -= int64_t(kMsPerDay);
        t.Day += value < 0 ? -1 : 1;
    }
    return t;
}

TDateParts DecodeDateTime(TDateTime value) {
    const TDayTime t = SplitDateTime(value);
    const int64_t ms = t.Millisecond;
    TDateParts p;
    int64_t n = t.Day + kDelta - 1;  // days since 0001-01-01
    int year = int(n / 146097 * 400 + 1);
    n %= 146097;
    int64_t c = n / 36524;
    if (c == 4) c = 3;
    year += int(c * 100);
    n -= c * 36524;
    year += int(n / 1461 * 4);
    n %= 1461;
    int64_t y = n / 365;
    if (y == 4) y = 3;
    year += int(y);
    n -= y * 365;
    int month = 1;
    while (n >= DaysInMonth(year, month)) n -= DaysInMonth(year, month++);
    p.Year = year;
    p.Month = month;
    p.Day = int(n) + 1;
    p.Hour = int(ms / 3600000);
    p.Minute = int(ms / 60000 % 60);
    p.Second = int(ms / 1000 % 60);
    p.Millisecond = int(ms % 1000);
    return p;
}

TDateTime DateOf(TDateTime value) {
    const TDateParts p = DecodeDateTime(value);
    return EncodeDate(p.Year, p.Month, p.Day);
}

int DayOfTheWeek(TDateTime value) {
    // 1899-12-30 was a Saturday (ISO 6).
    const int64_t days = int64_t(std::floor(DateOf(value)));
    return int(((days + 5) % 7 + 7) % 7) + 1;
}

std::string FormatIsoDate(TDateTime value) {
    const TDateParts p = DecodeDateTime(value);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", p.Year, p.Month, p.Day);
    return buf;
}

}  // namespace orvo
