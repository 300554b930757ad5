// The reports window's date rules around week, month and year boundaries.
#include <gtest/gtest.h>

#include "backoffice/ReportRanges.h"
#include "platform/DateTime.h"

namespace orvo {
namespace {

const TDateTime kEnd = EncodeTime(23, 59, 59, 999);
TDateTime At(int y, int m, int d, int hour = 10) { return EncodeDate(y, m, d) + EncodeTime(hour, 30, 0, 0); }

void ExpectRange(TDateRange r, TDateTime from, TDateTime to) {
    EXPECT_EQ(FormatIsoDate(r.from) + " " + FormatIsoDate(r.to), FormatIsoDate(from) + " " + FormatIsoDate(to));
    EXPECT_DOUBLE_EQ(r.from, from);
    EXPECT_DOUBLE_EQ(r.to, to);
}

TEST(ReportRanges, TodayIsMidnightAtBothEnds) {
    ExpectRange(TodayRange(At(2026, 12, 9, 23)), EncodeDate(2026, 12, 9), EncodeDate(2026, 12, 9));
}

TEST(ReportRanges, WeeksRunMondayToSunday) {
    // Sunday 13 December 2026: the week began on Monday the 7th.
    ExpectRange(ThisWeekRange(At(2026, 12, 13)), EncodeDate(2026, 12, 7), EncodeDate(2026, 12, 13) + kEnd);
    // Monday the 7th: its own week, to Sunday the 13th.
    ExpectRange(ThisWeekRange(At(2026, 12, 7, 0)), EncodeDate(2026, 12, 7), EncodeDate(2026, 12, 13) + kEnd);
    // Last week from that Monday: the Monday seven days earlier to the day before.
    ExpectRange(LastWeekRange(At(2026, 12, 7)), EncodeDate(2026, 11, 30), EncodeDate(2026, 12, 6) + kEnd);
    // Across the year boundary.
    ExpectRange(ThisWeekRange(At(2027, 1, 1)), EncodeDate(2026, 12, 28), EncodeDate(2027, 1, 3) + kEnd);
}

TEST(ReportRanges, MonthsEndOnTheirLastDayIncludingLeapFebruaries) {
    ExpectRange(ThisMonthRange(At(2024, 2, 10)), EncodeDate(2024, 2, 1), EncodeDate(2024, 2, 29) + kEnd);
    ExpectRange(ThisMonthRange(At(2026, 2, 28)), EncodeDate(2026, 2, 1), EncodeDate(2026, 2, 28) + kEnd);
    ExpectRange(ThisMonthRange(At(2026, 12, 31)), EncodeDate(2026, 12, 1), EncodeDate(2026, 12, 31) + kEnd);
    ExpectRange(ThisMonthRange(At(2100, 2, 1)), EncodeDate(2100, 2, 1), EncodeDate(2100, 2, 28) + kEnd);
}

TEST(ReportRanges, LastMonthStepsBackFromTheFirstAcrossTheYear) {
    ExpectRange(LastMonthRange(At(2027, 1, 15)), EncodeDate(2026, 12, 1), EncodeDate(2026, 12, 31) + kEnd);
    ExpectRange(LastMonthRange(At(2026, 3, 31)), EncodeDate(2026, 2, 1), EncodeDate(2026, 2, 28) + kEnd);
    ExpectRange(LastMonthRange(At(2024, 3, 31)), EncodeDate(2024, 2, 1), EncodeDate(2024, 2, 29) + kEnd);
}

TEST(ReportRanges, BeforeDayZeroTheEndOfTheLastDayStillFallsOnThatDay) {
    // Before 1899-12-30 a time of day counts away from zero: 10:30 on 15 November 1899 is -45.4375.
    const TDateTime november15 = EncodeDate(1899, 11, 15) - EncodeTime(10, 30, 0, 0);
    ExpectRange(ThisMonthRange(november15), EncodeDate(1899, 11, 1), -30 - kEnd);
    ExpectRange(ThisWeekRange(november15), EncodeDate(1899, 11, 13), -41 - kEnd);
    ExpectRange(LastMonthRange(EncodeDate(1899, 12, 30)), EncodeDate(1899, 11, 1), -30 - kEnd);
    // The week of day zero, a Saturday, ends on the Sunday after it, day 1.
    ExpectRange(ThisWeekRange(0.75), EncodeDate(1899, 12, 25), 1 + kEnd);
    ExpectRange(LastWeekRange(0.75), EncodeDate(1899, 12, 18), -6 - kEnd);
}

}  // namespace
}  // namespace orvo
