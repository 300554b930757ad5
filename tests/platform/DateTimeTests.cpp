// Calendar arithmetic that the log stamps, the date pickers and the report ranges rely on.
#include <gtest/gtest.h>

#include "platform/DateTime.h"

namespace orvo {
namespace {

TEST(DateTime, EpochAndKnownDaysEncodeToTheirDayNumbers) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
    EXPECT_EQ(EncodeDate(2026, 12, 7), 46363.0);
}

TEST(DateTime, DecodeInvertsEncodeAcrossLeapYearsAndCenturies) {
    for (int year : {1, 1600, 1899, 1900, 2000, 2024, 2100, 9999})
        for (int month = 1; month <= 12; ++month)
            for (int day : {1, 28, DaysInMonth(year, month)}) {
                // Before the epoch the day number is negative and the time counts away from zero.
                const TDateTime date = EncodeDate(year, month, day);
                const TDateTime time = EncodeTime(23, 59, 59, 999);
                const TDateParts p = DecodeDateTime(date < 0 ? date - time : date + time);
                ASSERT_EQ(std::tie(p.Year, p.Month, p.Day), std::tie(year, month, day));
                ASSERT_EQ(std::tie(p.Hour, p.Minute, p.Second, p.Millisecond), std::make_tuple(23, 59, 59, 999));
            }
}

TEST(DateTime, LeapYearsAndMonthLengths) {
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(2026, 2), 28);
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2026, 12), 31);
    TDateTime ignored;
    EXPECT_FALSE(TryEncodeDate(2026, 2, 29, ignored));
    EXPECT_THROW(EncodeDate(2026, 13, 1), EConvertError);
}

TEST(DateTime, IsoWeekdayFromMondayOneToSundaySeven) {
    EXPECT_EQ(DayOfTheWeek(EncodeDate(2026, 12, 7)), 1);                             // a Monday
    EXPECT_EQ(DayOfTheWeek(EncodeDate(2026, 12, 13) + EncodeTime(23, 0, 0, 0)), 7);  // a Sunday
    EXPECT_EQ(DayOfTheWeek(EncodeDate(1899, 12, 30)), 6);
    EXPECT_EQ(DayOfTheWeek(EncodeDate(1800, 1, 1)), 3);  // a Wednesday, before the epoch
}

TEST(DateTime, IsoTextAndMidnight) {
    EXPECT_EQ(FormatIsoDate(EncodeDate(2026, 1, 5) + 0.75), "2026-01-05");
    EXPECT_EQ(DateOf(EncodeDate(2026, 1, 5) + 0.75), EncodeDate(2026, 1, 5));
}

}  // namespace
}  // namespace orvo
