// The reports window's buttons at any moment from 0001-01-01 to 9999-12-31 (to the millisecond,
// as the clock gives it), checked against an oracle that knows only day counts: a civil-date
// conversion of its own, a known Monday for the weekday, and month ends as the day before the
// next month's first. Each range must come out exactly, as values and as the report's date texts;
// a range running off the calendar may instead be refused with EConvertError.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "backoffice/ReportRanges.h"
#include "fuzz/FuzzCheck.h"
#include "platform/DateTime.h"

namespace orvo::fuzz {
namespace {

struct TCivil {
    int64_t year;
    int month, day;
};

// Day counts since 1970-01-01 to and from the proleptic Gregorian calendar, by 400-year eras.
int64_t DaysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    return era * 146097 + yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear - 719468;
}

TCivil CivilFromDays(int64_t days) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shifted = (5 * dayOfYear + 2) / 153;
    const int month = int(shifted < 10 ? shifted + 3 : shifted - 9);
    return {yearOfEra + era * 400 + (month <= 2), month, int(dayOfYear - (153 * shifted + 2) / 5 + 1)};
}

// Day numbers as TDateTime counts them, from 1899-12-30.
constexpr int64_t kUnixDay0 = 25569;
int64_t Serial(int64_t year, int month, int day) { return DaysFromCivil(year, month, day) + kUnixDay0; }
TCivil CivilOf(int64_t serial) { return CivilFromDays(serial - kUnixDay0); }

const int64_t kFirstDay = Serial(1, 1, 1);
const int64_t kLastDay = Serial(9999, 12, 31);
constexpr int64_t kMsPerDay = 86400000;

// A day and a time of day as one TDateTime: before 1899-12-30 the time counts away from zero.
TDateTime Compose(int64_t day, int64_t ms) {
    const double time = double(ms) / double(kMsPerDay);
    return day < 0 ? double(day) - time : double(day) + time;
}

std::string IsoText(int64_t serial) {
    const TCivil c = CivilOf(serial);
    char text[32];
    std::snprintf(text, sizeof text, "%04lld-%02d-%02d", static_cast<long long>(c.year), c.month, c.day);
    return text;
}

struct TExpected {
    const char* button;
    TDateRange (*rule)(TDateTime now);
    int64_t first, last;
    bool endOfDay;  // the range ends at 23:59:59.999 of its last day, not at its midnight
};

void Check(const TExpected& e, TDateTime now) {
    const std::string detail = std::string(e.button) + " at " + std::to_string(now);
    const bool inCalendar = e.first >= kFirstDay && e.last <= kLastDay;
    TDateRange range{};
    try {
        range = e.rule(now);
    } catch (const EConvertError&) {
        Require(!inCalendar, "ranges inside the calendar are computed", detail);
        return;
    }
    Require(range.from == Compose(e.first, 0), "the range starts at midnight of its first day", detail);
    Require(range.to == Compose(e.last, e.endOfDay ? kMsPerDay - 1 : 0), "the range ends as its rule says", detail);
    if (!inCalendar) return;
    Require(FormatIsoDate(range.from) == IsoText(e.first), "the first day's text", detail);
    Require(FormatIsoDate(range.to) == IsoText(e.last), "the last day's text", detail);
}

}  // namespace
}  // namespace orvo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvo;
    using namespace orvo::fuzz;
    uint64_t bits = 0;
    std::memcpy(&bits, data, std::min(size, sizeof bits));
    const uint64_t days = uint64_t(kLastDay - kFirstDay + 1);
    const int64_t day = kFirstDay + int64_t(bits % days);
    const int64_t ms = int64_t(bits / days % uint64_t(kMsPerDay));
    const TDateTime now = Compose(day, ms);

    const int64_t weekday = ((day - kUnixDay0 - 4) % 7 + 7) % 7;  // days since Monday; 1970-01-05 was one
    const int64_t monday = day - weekday;
    const TCivil today = CivilOf(day);
    const int64_t monthStart = Serial(today.year, today.month, 1);
    const int64_t nextMonthStart =
        today.month == 12 ? Serial(today.year + 1, 1, 1) : Serial(today.year, today.month + 1, 1);
    const int64_t lastMonthStart =
        today.month == 1 ? Serial(today.year - 1, 12, 1) : Serial(today.year, today.month - 1, 1);

    const TExpected expected[] = {
        {"Todays Transactions", TodayRange, day, day, false},
        {"This Week", ThisWeekRange, monday, monday + 6, true},
        {"Last Week", LastWeekRange, monday - 7, monday - 1, true},
        {"This Month", ThisMonthRange, monthStart, nextMonthStart - 1, true},
        {"Last Month", LastMonthRange, lastMonthStart, monthStart - 1, true},
    };
    for (const TExpected& e : expected) Check(e, now);
    return 0;
}
