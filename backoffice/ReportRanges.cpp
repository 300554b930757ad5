#include "backoffice/ReportRanges.h"

#include "platform/DateTime.h"

namespace orvo {
namespace {

// 23:59:59.999 of a day given at its midnight. Before 1899-12-30 the days count below zero
// while the time of day still counts away from zero, so it is taken off there.
TDateTime EndOfDay(TDateTime midnight) {
    const TDateTime time = EncodeTime(23, 59, 59, 999);
    return midnight < 0 ? midnight - time : midnight + time;
}

TDateRange WeekOf(TDateTime day) {
    const TDateTime start = DateOf(day) - (DayOfTheWeek(day) - 1);
    return {start, EndOfDay(start + 6)};
}

TDateRange MonthOf(int year, int month) {
    return {EncodeDate(year, month, 1), EndOfDay(EncodeDate(year, month, DaysInMonth(year, month)))};
}

}  // namespace

TDateRange TodayRange(TDateTime now) { return {DateOf(now), DateOf(now)}; }

TDateRange ThisWeekRange(TDateTime now) { return WeekOf(now); }

TDateRange LastWeekRange(TDateTime now) { return WeekOf(DateOf(now) - 7); }

TDateRange ThisMonthRange(TDateTime now) {
    const TDateParts p = DecodeDateTime(now);
    return MonthOf(p.Year, p.Month);
}

TDateRange LastMonthRange(TDateTime now) {
    const TDateParts p = DecodeDateTime(now);
    return p.Month == 1 ? MonthOf(p.Year - 1, 12) : MonthOf(p.Year, p.Month - 1);
}

}  // namespace orvo
