// Money in the regional currency format, as the log table and the report write it.
#include <gtest/gtest.h>

#include "platform/MoneyFormat.h"
#include "tests/support/TestSupport.h"

namespace orvo {
namespace {

platform::TRegionalSettings SouthAfrica() {
    platform::TRegionalSettings s = test::PointRegional();
    s.CurrencyString = "R";
    s.ThousandSeparator = ' ';
    s.DecimalSeparator = ',';
    s.CurrencyFormat = 2;
    s.NegCurrFormat = 9;
    return s;
}

std::string Money(double v, const platform::TRegionalSettings& s) {
    std::string out;
    AppendMoney(out, v, s);
    return out;
}

TEST(MoneyFormat, GroupsThousandsAndPlacesTheSymbol) {
    const auto point = test::PointRegional();  // R1,234.50
    EXPECT_EQ(FormatMoney(12345000, point), "R1,234.50");
    EXPECT_EQ(FormatMoney(1234567890000, point), "R123,456,789.00");
    EXPECT_EQ(FormatMoney(0, point), "R0.00");
    EXPECT_EQ(FormatMoney(500, point), "R0.05");
    EXPECT_EQ(FormatMoney(12345000, SouthAfrica()), "R 1 234,50");
    EXPECT_EQ(FormatMoney(12345000, test::CommaRegional()), "1.234,50 EUR");
}

TEST(MoneyFormat, ApostropheThousandsSeparatorIsWrittenAsItIs) {
    platform::TRegionalSettings swiss = test::PointRegional();
    swiss.ThousandSeparator = '\'';
    swiss.CurrencyString = "Fr.";
    swiss.CurrencyFormat = 2;
    EXPECT_EQ(FormatMoney(12345678900, swiss), "Fr. 1'234'567.89");
}

TEST(MoneyFormat, EveryNegativeFormOfTheRegionalSettings) {
    platform::TRegionalSettings s = test::PointRegional();
    s.CurrencyString = "$";
    const char* expected[16] = {"($1.10)", "-$1.10",  "$-1.10",   "$1.10-",  "(1.10$)", "-1.10$",
                                "1.10-$",  "1.10$-",  "-1.10 $",  "-$ 1.10", "1.10 $-", "$ 1.10-",
                                "$ -1.10", "1.10- $", "($ 1.10)", "(1.10 $)"};
    for (int form = 0; form < 16; ++form) {
        s.NegCurrFormat = uint8_t(form);
        EXPECT_EQ(FormatMoney(-11000, s), expected[form]) << "form " << form;
        EXPECT_EQ(Money(-1.1, s), expected[form]) << "form " << form;
    }
}

TEST(MoneyFormat, RoundsToTheCurrencyDecimals) {
    platform::TRegionalSettings s = test::PointRegional();
    EXPECT_EQ(FormatMoney(12345, s), "R1.23");
    EXPECT_EQ(FormatMoney(12350, s), "R1.24");  // half away from zero
    EXPECT_EQ(FormatMoney(-12350, s), "-R1.24");
    EXPECT_EQ(FormatMoney(-49, s), "R0.00");  // no sign on a value that rounds to zero
    s.CurrencyDecimals = 0;
    EXPECT_EQ(FormatMoney(1234999, s), "R123");
    EXPECT_EQ(FormatMoney(1235000, s), "R124");
    s.CurrencyDecimals = 3;
    EXPECT_EQ(FormatMoney(12345, s), "R1.235");
    EXPECT_EQ(Money(1234.5, s), "R1,234.500");
}

TEST(MoneyFormat, ExtremeValuesKeepEveryDigit) {
    const auto s = test::PointRegional();
    EXPECT_EQ(FormatMoney(INT64_MAX, s), "R922,337,203,685,477.58");
    EXPECT_EQ(FormatMoney(INT64_MIN, s), "-R922,337,203,685,477.58");
    EXPECT_EQ(Money(1e20, s), "R100,000,000,000,000,000,000.00");
    EXPECT_EQ(Money(-0.0, s), "R0.00");
}

}  // namespace
}  // namespace orvo
