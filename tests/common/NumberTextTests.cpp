// Typed text forms: numbers written by setters (18 significant digits) and add operations (10),
// and the lenient and strict readers, under a point and a comma decimal separator.
#include <cmath>
#include <limits>
#include <random>

#include "tests/common/ConfigListTestSupport.h"
#include "tests/support/TestSupport.h"
#include "values/NumberText.h"

namespace orvo::test {
namespace {

// The parameter is the decimal separator: "." for the point settings, "," for the comma ones.
class NumberForms : public ::testing::TestWithParam<char> {
protected:
    static platform::TRegionalSettings Settings() { return GetParam() == '.' ? PointRegional() : CommaRegional(); }
    // The expected text with "." written as the separator in force.
    std::string Local(std::string text) const {
        for (char& c : text)
            if (c == '.') c = GetParam();
        return text;
    }
    std::string Set(double value) {
        list_->SetFloat("v", value);
        return list_->GetString("v").str();
    }
    std::string Add(double value) {
        const int32_t index = list_->AddFloat("v", value);
        return list_->GetValueFromIndex(index).str();
    }
    double Read(std::string_view value) {
        list_->SetString("r", AnsiString(Local(std::string(value))));
        return list_->GetFloat("r");
    }

    TScopedRegional regional_{Settings()};
    ComPtr<IStringConfigList> list_ = CreateStringConfigList();
};

INSTANTIATE_TEST_SUITE_P(PointAndComma, NumberForms, ::testing::Values('.', ','),
                         [](const auto& info) { return info.param == '.' ? "Point" : "Comma"; });

TEST_P(NumberForms, SettersWriteEighteenAndAddsTenSignificantDigits) {
    EXPECT_EQ(Set(2.5), Local("2.500000000000000000"));
    EXPECT_EQ(Add(2.5), Local("2.500000000000000000"));
    EXPECT_EQ(Set(1.0 / 3), Local("0.333333333333333315"));
    EXPECT_EQ(Add(1.0 / 3), Local("0.333333333300000000"));
    EXPECT_EQ(Set(-1.0 / 3), Local("-0.333333333333333315"));
    EXPECT_EQ(Add(-2.0 / 3), Local("-0.666666666700000000"));
    EXPECT_EQ(Set(0.1), Local("0.100000000000000006"));
    EXPECT_EQ(Set(123456789012345678.0), Local("123456789012345680.000000000000000000"));
    EXPECT_EQ(Add(1234567890.0), Local("1234567890.000000000000000000"));
}

TEST_P(NumberForms, TiesRoundAwayFromZeroFromTheExactValue) {
    // 123456789012345.0625 and 1234567.0625 are exact doubles whose digit past the last kept
    // one is a final 5.
    EXPECT_EQ(Set(123456789012345.0625), Local("123456789012345.063000000000000000"));
    EXPECT_EQ(Set(-123456789012345.0625), Local("-123456789012345.063000000000000000"));
    EXPECT_EQ(Add(1234567.0625), Local("1234567.063000000000000000"));
    // 0.15 is stored just below its decimal form; its own digits decide, not the decimal text.
    EXPECT_EQ(Set(0.15), Local("0.149999999999999994"));
    // A carry through every digit adds an integer digit.
    EXPECT_EQ(Add(0.99999999999), Local("1.000000000000000000"));
}

TEST_P(NumberForms, MoreIntegerDigitsThanSignificantOnesGiveTheExponentForm) {
    EXPECT_EQ(Add(12345678912.0), Local("1.234567891E10"));
    EXPECT_EQ(Add(12345678901.0), Local("1.23456789E10"));
    EXPECT_EQ(Add(-12345678905.0), Local("-1.234567891E10"));
    EXPECT_EQ(Add(9999999999.5), "1E10");
    EXPECT_EQ(Set(1e20), "1E20");
    EXPECT_EQ(Set(1234567890123456789.0), Local("1.23456789012345677E18"));
    EXPECT_EQ(Set(-1.7976931348623157e308), Local("-1.79769313486231571E308"));
}

TEST_P(NumberForms, TinyValuesStopAtEighteenDecimalsAndZeroHasNoSign) {
    EXPECT_EQ(Set(0.0), Local("0.000000000000000000"));
    EXPECT_EQ(Set(-0.0), Local("0.000000000000000000"));
    EXPECT_EQ(Set(1e-19), Local("0.000000000000000000"));
    EXPECT_EQ(Set(-1e-19), Local("0.000000000000000000"));
    EXPECT_EQ(Set(6e-19), Local("0.000000000000000001"));
    EXPECT_EQ(Set(-6e-19), Local("-0.000000000000000001"));
    EXPECT_EQ(Set(0.001234567890123456789), Local("0.001234567890123457"));
    EXPECT_EQ(Add(4.9406564584124654e-324), Local("0.000000000000000000"));
}

TEST_P(NumberForms, NonFiniteValuesAreWrittenAsWordsThatReadAsZero) {
    EXPECT_EQ(Set(std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(Set(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(Add(-std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_EQ(list_->GetFloat("v"), 0.0);
}

TEST_P(NumberForms, SetterTextReadsBackAsTheSameDouble) {
    std::mt19937_64 random(20260407);
    std::uniform_real_distribution<double> exponent(-1, 17);
    for (int i = 0; i < 2000; ++i) {
        const double magnitude = std::pow(10.0, exponent(random)) * (1 + std::ldexp(double(random() >> 12), -52));
        const double value = i % 2 ? -magnitude : magnitude;
        list_->SetFloat("x", value);
        ASSERT_EQ(list_->GetFloat("x"), value) << list_->GetString("x").str();
    }
}

TEST_P(NumberForms, NumberTextReadsWithTheLocalSeparatorOnly) {
    EXPECT_EQ(Read(" 1.5 "), 1.5);
    EXPECT_EQ(Read("-2.5e+1"), -25.0);
    EXPECT_EQ(Read("+1E-2"), 0.01);
    EXPECT_EQ(Read(".5"), 0.5);
    EXPECT_EQ(Read("5."), 5.0);
    EXPECT_EQ(Read("0.1000000000000000055511151231257827021181583404541015625"), 0.1);
    EXPECT_EQ(Read("1e-400"), 0.0);
    for (std::string_view bad :
         {"1e400", "-1e400", "1.2.3", "1e", "e5", "-", ".", "", "1 000", "0x10", "NAN", "INF", "1e+", "--1", "1.5x"}) {
        EXPECT_EQ(Read(bad), 0.0) << bad;
        EXPECT_FALSE(TryReadNumber(Local(std::string(bad)), GetParam())) << bad;
    }
    const char other = GetParam() == '.' ? ',' : '.';
    EXPECT_FALSE(TryReadNumber(std::string("1") + other + "5", GetParam()));
}

TEST_P(NumberForms, StrictNumberAndBooleanReadersNameTheText) {
    auto list = ListOf({"1e400", " 7 ", "TRUE", "yes", "0"});
    EXPECT_EQ(list->GetLineAsFloat(1), 7.0);
    EXPECT_TRUE(list->GetLineAsBoolean(2));
    EXPECT_FALSE(list->GetLineAsBoolean(4));
    ExpectFailsUnchanged("EConvertError", 
        *list, [&] { list->GetLineAsFloat(0); }, "'1e400' is not a valid floating point value");
    ExpectFailsUnchanged("EConvertError", 
        *list, [&] { list->GetLineAsBoolean(0); }, "'1e400' is not a valid boolean value");
    ExpectFailsUnchanged("EConvertError", 
        *list, [&] { list->GetLineAsBoolean(3); }, "'yes' is not a valid boolean value");
}

TEST_P(NumberForms, BooleansReadFromNumbersAndWordsInAnyCase) {
    auto list = ListOf({"a=TRUE", "b=True", "c=2", "d=-1", "e=0", "f=no", "g=false", "h=0.0", "i= 1 ", "j=tRuE"});
    list->AddLine(AnsiString("k=" + Local("0.5")));
    for (const char* name : {"a", "b", "c", "d", "i", "j", "k"}) EXPECT_TRUE(list->GetBoolean(name)) << name;
    for (const char* name : {"e", "f", "g", "h", "missing"}) EXPECT_FALSE(list->GetBoolean(name)) << name;
}

TEST(IntegerText, DecimalInTheSignedRangeAndHexAsThePattern) {
    const std::pair<const char*, int32_t> good[] = {
        {"255", 255},
        {"  42", 42},
        {"+7", 7},
        {"-0", 0},
        {"007", 7},
        {"$FF", 255},
        {"0xff", 255},
        {"0XFF", 255},
        {"x1F", 31},
        {"X1f", 31},
        {"  $10", 16},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"$7FFFFFFF", INT32_MAX},
        {"$80000000", INT32_MIN},
        {"$FFFFFFFF", -1},
        {"0x00000001", 1},
    };
    for (const auto& [text, value] : good) {
        EXPECT_EQ(TryReadInteger(text), value) << text;
        EXPECT_EQ(ReadIntegerStrict(text), value) << text;
    }
    for (const char* bad :
         {"2147483648", "-2147483649", "99999999999999999999", "12abc", "42 ",  "-",   "+",   "",    "  ",  "$", "0x",
          "x",          "$100000000",  "0x123456789",          "-$FF",  "+0x1", "- 5", "1.0", "$FG", "0x-1"}) {
        EXPECT_FALSE(TryReadInteger(bad)) << bad;
        try {
            ReadIntegerStrict(bad);
            ADD_FAILURE() << bad;
        } catch (const EConvertError& e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' is not a valid integer value");
        }
    }
}

TEST(IntegerText, ListReadsIntegersLeniently) {
    auto list = ListOf({"a=$FF", "b=0xff", "c=12abc", "d=2147483648", "e=-2147483648"});
    EXPECT_EQ(list->GetInteger("a"), 255);
    EXPECT_EQ(list->GetInteger("b"), 255);
    EXPECT_EQ(list->GetInteger("c"), 0);
    EXPECT_EQ(list->GetInteger("d"), 0);
    EXPECT_EQ(list->GetInteger("e"), INT32_MIN);
    EXPECT_EQ(list->GetIntegerAt(0), 255);
}

}  // namespace
}  // namespace orvo::test
