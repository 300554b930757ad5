#include "backoffice/ReportRanges.h"

#include "platform/DateTime.h"

namespace orvo {
namespace {

const TDateTime kEndOfDay = EncodeTime(23, 59, 59, 999);

TDateRange WeekOf(TDateTime day) {
    const TDateTime start = DateOf(day) - (DayOfTheWeek(day) - 1);
    return {start, start + 6 + kEndOfDay};
}

TDateRange MonthOf(int year, int month) {
    return {EncodeDate(year, month, 1), EncodeDate(year, month, DaysInMonth(year, month)) + kEndOfDay};
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
