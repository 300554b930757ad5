// Money as text: the regional money form of log rows and report cells from a Currency and from
// money text, the exact decimal form of log lines, the fixed form the payment window offers,
// and amounts as the cashier types them.
#include <gtest/gtest.h>

#include <climits>

#include "tests/support/TestSupport.h"
#include "values/MoneyText.h"

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

// Money text in the regional form; "(not read)" when it is not money text.
std::string Money(std::string_view text, const platform::TRegionalSettings& s) {
    std::string out;
    return AppendMoneyText(out, text, s) ? out : "(not read)";
}

platform::TRegionalSettings WithDecimals(int decimals) {
    platform::TRegionalSettings s = test::PointRegional();
    s.CurrencyDecimals = uint8_t(decimals);
    return s;
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
        EXPECT_EQ(Money("-1.1", s), expected[form]) << "form " << form;
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
    EXPECT_EQ(Money("1234.5", s), "R1,234.500");
}

TEST(MoneyFormat, ExtremeValuesKeepEveryDigit) {
    const auto s = test::PointRegional();
    EXPECT_EQ(FormatMoney(INT64_MAX, s), "R922,337,203,685,477.58");
    EXPECT_EQ(FormatMoney(INT64_MIN, s), "-R922,337,203,685,477.58");
    EXPECT_EQ(Money("1e20", s), "R100,000,000,000,000,000,000.00");
    EXPECT_EQ(Money("-0.0", s), "R0.00");
}

// Mended: ties with fewer than two decimals rounded to even in report cells, and more than four
// regional decimals were shown as four.
TEST(MoneyFormat, OneRoundingRuleForZeroToNineDecimals) {
    struct TCase {
        Currency value;
        int decimals;
        const char* shown;
    };
    const TCase cases[] = {
        {25000, 0, "R3"},
        {-25000, 0, "-R3"},
        {24999, 0, "R2"},
        {2500, 1, "R0.3"},
        {-2500, 1, "-R0.3"},
        {9999, 3, "R1.000"},
        {-50, 2, "-R0.01"},
        {12345678900, 5, "R1,234,567.89000"},
        {1, 9, "R0.000100000"},
        {INT64_MAX, 0, "R922,337,203,685,478"},
        {INT64_MIN, 9, "-R922,337,203,685,477.580800000"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.value) + " with " + std::to_string(c.decimals) + " decimals");
        EXPECT_EQ(FormatMoney(c.value, WithDecimals(c.decimals)), c.shown);
        EXPECT_EQ(Money(CurrencyDecimalText(c.value), WithDecimals(c.decimals)), c.shown);
    }
}

// Mended: money text with more decimals than shown, or 15 whole digits and more, went through
// a binary double ("2.675" showed 2.67, "-0.125" -0.12).
TEST(MoneyFormat, MoneyTextIsReadExactlyWhateverItsLength) {
    const std::pair<const char*, const char*> cases[] = {
        {"2.675", "R2.68"},
        {"1.005", "R1.01"},
        {"-0.125", "-R0.13"},
        {"123456789012345678.995", "R123,456,789,012,345,679.00"},
        {"-99999999999999.995", "-R100,000,000,000,000.00"},
        {"0.0049999999999999999999", "R0.00"},
        {"1e3", "R1,000.00"},
        {" +5 ", "R5.00"},
        {"007.10", "R7.10"},
        {".5", "R0.50"},
        {"125e-2", "R1.25"},
        {"1e-400", "R0.00"},
    };
    for (const auto& [text, shown] : cases) EXPECT_EQ(Money(text, test::PointRegional()), shown) << text;
    EXPECT_EQ(Money("0.0000000005", WithDecimals(9)), "R0.000000001");
    EXPECT_EQ(Money("1e300", test::PointRegional()).size(), 1 + 301 + 100 + 3u);
    for (const char* text : {"abc", "12,5", "1.2.3", "", " ", "--5", "+-5", "1e", "0x10", "inf", "-nan", "1e400"})
        EXPECT_EQ(Money(text, test::PointRegional()), "(not read)") << text;
}

TEST(MoneyFormat, DigitsAreGroupedAsTheRegionalGroupingSays) {
    const std::pair<std::string, const char*> cases[] = {
        {"\3", "R123,456,789.00"},       {"\3\2", "R12,34,56,789.00"}, {"\3\x7f", "R123456,789.00"},
        {"\1", "R1,2,3,4,5,6,7,8,9.00"}, {"", "R123456789.00"},
    };
    platform::TRegionalSettings s = test::PointRegional();
    for (const auto& [grouping, shown] : cases) {
        s.Grouping = grouping;
        EXPECT_EQ(FormatMoney(1234567890000, s), shown);
    }
    s.Grouping = "\3";
    s.ThousandSeparator = '\0';
    EXPECT_EQ(FormatMoney(1234567890000, s), "R123456789.00");
}

TEST(MoneyText, DecimalAndFixedForms) {
    const std::pair<Currency, const char*> decimals[] = {
        {1205000, "120.5"}, {-90000, "-9"}, {1, "0.0001"}, {0, "0"}, {INT64_MIN, "-922337203685477.5808"}};
    for (const auto& [value, text] : decimals) EXPECT_EQ(CurrencyDecimalText(value), text);

    struct TFixed {
        Currency value;
        int decimals;
        char separator;
        const char* text;
    };
    const TFixed fixed[] = {
        {1500000, 2, '.', "150.00"},
        {123450, 2, '.', "12.35"},
        {-55000, 2, ',', "-5,50"},
        {-49, 2, '.', "0.00"},
        {-50, 2, '.', "-0.01"},
        {125000, 0, '.', "13"},
        {INT64_MAX, 2, '.', "922337203685477.58"},
    };
    for (const TFixed& f : fixed) EXPECT_EQ(FixedCurrencyText(f.value, f.decimals, f.separator), f.text);
}

// Amounts typed by the cashier: number text in the regional separator, rounded half away from
// zero to the ten-thousandth on the exact value; anything else, or too much, is nothing.
TEST(MoneyText, TypedAmountsReadExactlyToTheTenThousandth) {
    const std::pair<const char*, Currency> read[] = {
        {" 150.5 ", 1505000},
        {"+150", 1500000},
        {"1.5e2", 1500000},
        {"12.34565", 123457},
        {"-12.34565", -123457},
        {"0.00004999", 0},
        {"1e-300", 0},
        {"00000000000000000000012", 120000},
        {"922337203685477.5807", INT64_MAX},
        {"-922337203685477.5808", INT64_MIN},
        {"1e14", 1000000000000000000},
    };
    for (const auto& [text, value] : read) EXPECT_EQ(ReadCurrency(text, '.'), value) << text;
    EXPECT_EQ(ReadCurrency("-12,5", ','), -125000);
    for (const char* text : {"922337203685477.5808", "-922337203685477.58085", "1e15", "1e500", "12345678901234567890",
                             "abc", "1,5", "+-5", "--5", "1.2.3", "12abc", "0x10", "inf", "NaN", "", " ", "1 000"})
        EXPECT_EQ(ReadCurrency(text, '.'), std::nullopt) << text;
}

}  // namespace
}  // namespace orvo
