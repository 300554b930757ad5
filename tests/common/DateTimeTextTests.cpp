// Strict date and time reading in the regional short date format.
#include "platform/DateTime.h"
#include "tests/common/ConfigListTestSupport.h"
#include "tests/support/TestSupport.h"
#include "values/DateTimeText.h"

namespace orvo::test {
namespace {

constexpr int kThisYear = 2026;

std::optional<TDateTime> ReadPoint(std::string_view text) { return TryReadDateTime(text, PointRegional(), kThisYear); }

TEST(DateTimeText, DateTimeAndTimeAloneInTheShortDateFormat) {
    const TDateTime day = EncodeDate(2026, 12, 7);
    EXPECT_EQ(ReadPoint("2026/12/07"), day);
    EXPECT_EQ(ReadPoint(" 2026/12/7 "), day);
    EXPECT_EQ(ReadPoint("2026/12/07 13:45"), day + EncodeTime(13, 45, 0, 0));
    EXPECT_EQ(ReadPoint("2026/12/07  13:45:30.25"), day + EncodeTime(13, 45, 30, 250));
    EXPECT_EQ(ReadPoint("13:45"), EncodeTime(13, 45, 0, 0));
    EXPECT_EQ(ReadPoint("1:05 PM"), EncodeTime(13, 5, 0, 0));
    EXPECT_EQ(ReadPoint("12:00am"), 0.0);
    EXPECT_EQ(ReadPoint("12:30 pm"), EncodeTime(12, 30, 0, 0));
    // Before the epoch the time counts away from zero.
    EXPECT_EQ(ReadPoint("1899/12/29 06:00"), -1.25);
}

TEST(DateTimeText, OrderAndSeparatorsComeFromTheRegionalSettings) {
    const TDateTime day = EncodeDate(2026, 12, 7);
    EXPECT_EQ(TryReadDateTime("07.12.2026 13:45:30,5", CommaRegional(), kThisYear), day + EncodeTime(13, 45, 30, 500));
    platform::TRegionalSettings us = PointRegional();
    us.ShortDateFormat = "M/d/yyyy";
    EXPECT_EQ(TryReadDateTime("12/7/2026", us, kThisYear), day);
    EXPECT_FALSE(TryReadDateTime("2026/12/07", CommaRegional(), kThisYear));
}

TEST(DateTimeText, TwoDigitYearsFallInTheCenturyWindow) {
    EXPECT_EQ(ReadPoint("26/12/07"), EncodeDate(2026, 12, 7));
    EXPECT_EQ(ReadPoint("76/1/1"), EncodeDate(1976, 1, 1));
    EXPECT_EQ(ReadPoint("75/1/1"), EncodeDate(2075, 1, 1));
    EXPECT_EQ(ReadPoint("0026/1/1"), EncodeDate(26, 1, 1));
}

TEST(DateTimeText, AnythingElseIsNotADateAndTime) {
    for (const char* bad :
         {"", "  ", "2026/02/29", "2026-12-07", "2026/12/07T13:45", "2026/12/07 25:00", "2026/12/07 13:60",
          "2026/12/07 13:45 x", "2026/12", "13", "13:00 PM", "0:10 AM", "2026/12/07 13:45:30.2500", "12026/1/1",
          "2026/001/1", "46363", "13:45:", "2026/12/0713:45"}) {
        EXPECT_FALSE(ReadPoint(bad)) << bad;
    }
    try {
        ReadDateTimeStrict("soon", PointRegional(), kThisYear);
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(std::string(e.what()), "'soon' is not a valid date and time");
    }
}

TEST(DateTimeText, ListReadsLinesStrictlyAndDatesByNameAsNumbers) {
    TScopedRegional regional(CommaRegional());
    auto list = ListOf({"07.12.2026", "D=46363,5"});
    EXPECT_EQ(list->GetLineAsDateTime(0), EncodeDate(2026, 12, 7));
    EXPECT_EQ(list->GetDateTime("D"), 46363.5);
    list->SetDateTime("E", EncodeDate(2026, 12, 7) + 0.75);
    EXPECT_EQ(list->GetString("E"), "46363,750000000000000000");
    list->AddDateTime("F", 46363.5);
    EXPECT_EQ(list->GetString("F"), "46363,500000000000000000");
}

}  // namespace
}  // namespace orvo::test
