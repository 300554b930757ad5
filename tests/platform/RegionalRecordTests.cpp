// The regional record in force: replaced by hosts and tests while references to it are held.
#include <gtest/gtest.h>

#include "platform/Platform.h"

namespace orvo::platform {
namespace {

TEST(RegionalRecord, AReplacedRecordStaysReadableAndReturningToItReusesIt) {
    const TRegionalSettings saved = Regional();
    TRegionalSettings comma;
    comma.DecimalSeparator = ',';
    comma.CurrencyString = "EUR";
    TRegionalSettings point;
    point.CurrencyString = "$";

    SetRegional(comma);
    const TRegionalSettings& held = Regional();
    SetRegional(point);
    // The reference taken before still reads the record it was (the sanitizers see a freed one).
    EXPECT_EQ(held.DecimalSeparator, ',');
    EXPECT_EQ(held.CurrencyString, "EUR");
    EXPECT_EQ(Regional().CurrencyString, "$");
    // Setting an equal record again puts the kept one back instead of keeping a copy per call.
    for (int i = 0; i < 3; ++i) {
        SetRegional(comma);
        EXPECT_EQ(&Regional(), &held);
    }
    SetRegional(saved);
}

}  // namespace
}  // namespace orvo::platform
