// Reading query results: the grammar, values as text and as numbers, and errors with offsets.
#include <gtest/gtest.h>

#include "backoffice/JsonRows.h"
#include "platform/CodePage.h"

namespace orvo {
namespace {

std::string ErrorOf(std::string_view text) {
    try {
        TJsonRows::Parse(text);
    } catch (const EJsonError& e) {
        return e.what();
    }
    return "no error";
}

TEST(JsonRows, RowsByIndexAndMembersByName) {
    const std::string text = R"( [ {"PaymentType":"Uber","TotalTransactions":3,"TotalAmount":"120.50","Cashier":null},)"
                             "\n\t{\"PaymentType\" : \"Mr D\", \"TotalTransactions\" : -1.5e2, \"Flag\": true } ] ";
    const TJsonRows rows = TJsonRows::Parse(text);
    ASSERT_EQ(rows.RowCount(), 2u);
    EXPECT_EQ(JsonText(*rows.Find(0, "PaymentType")), "Uber");
    EXPECT_EQ(JsonText(*rows.Find(1, "PaymentType")), "Mr D");
    EXPECT_EQ(JsonNumber(*rows.Find(0, "TotalTransactions"), "TotalTransactions"), 3.0);
    EXPECT_EQ(JsonNumber(*rows.Find(1, "TotalTransactions"), "TotalTransactions"), -150.0);
    EXPECT_EQ(JsonNumber(*rows.Find(0, "TotalAmount"), "TotalAmount"), 120.5);
    EXPECT_TRUE(rows.Find(0, "Cashier")->IsNull());
    EXPECT_EQ(JsonText(*rows.Find(0, "Cashier")), "");
    EXPECT_EQ(JsonText(*rows.Find(1, "Flag")), "true");
    EXPECT_EQ(rows.Find(0, "Flag"), nullptr);
    EXPECT_EQ(rows.Find(0, "paymenttype"), nullptr);  // member names are exact
    EXPECT_EQ(TJsonRows::Parse("[]").RowCount(), 0u);
    EXPECT_EQ(TJsonRows::Parse("[{}]").RowCount(), 1u);
}

TEST(JsonRows, StringEscapesIncludingUnicodeIntoTheAnsiCodePage) {
    const TJsonRows rows = TJsonRows::Parse(
        R"([{"a":"q\"b\\s\/n\nt\tr\rb\bf\f","b":"caf\u00e9 \u20ac\u2014 \u4e2d \ud83d\ude00","c":"\u0041"}])");
    EXPECT_EQ(JsonText(*rows.Find(0, "a")), "q\"b\\s/n\nt\tr\rb\bf\f");
    EXPECT_EQ(JsonText(*rows.Find(0, "b")), "caf\xE9 \x80\x97 ? ?");
    EXPECT_EQ(JsonText(*rows.Find(0, "c")), "A");
    EXPECT_EQ(AnsiFromCodePoint(0x178), '\x9F');
    EXPECT_EQ(AnsiFromCodePoint(0x81), '?');
}

TEST(JsonRows, NotAnArrayOfObjectsSaysWhatAndWhere) {
    EXPECT_EQ(ErrorOf(""), "JSON: expected '[' starting an array of rows at offset 0");
    EXPECT_EQ(ErrorOf("{\"a\":1}"), "JSON: expected '[' starting an array of rows at offset 0");
    EXPECT_EQ(ErrorOf("[1]"), "JSON: expected '{' starting a row object at offset 1");
    EXPECT_EQ(ErrorOf("[{\"a\":1},]"), "JSON: expected '{' starting a row object at offset 9");
    EXPECT_EQ(ErrorOf("[{\"a\":1}"), "JSON: expected ',' or ']' at offset 8");
    EXPECT_EQ(ErrorOf("[{\"a\" 1}]"), "JSON: expected ':' at offset 6");
    EXPECT_EQ(ErrorOf("[{\"a\":\"x}]"), "JSON: expected '\"' closing the string at offset 10");
    EXPECT_EQ(ErrorOf("[{\"a\":01}]"), "JSON: expected ',' or '}' at offset 7");
    EXPECT_EQ(ErrorOf("[{\"a\":1.}]"), "JSON: expected a digit at offset 8");
    EXPECT_EQ(ErrorOf("[{\"a\":tru}]"), "JSON: expected a value at offset 6");
    EXPECT_EQ(ErrorOf("[{\"a\":\"\\x\"}]"), "JSON: expected a valid escape after '\\' at offset 8");
    EXPECT_EQ(ErrorOf("[{\"a\":\"\\u12\"}]"), "JSON: expected four hexadecimal digits after \\u at offset 8");
    EXPECT_EQ(ErrorOf("[{\"a\":\"\x01\"}]"), "JSON: expected no control character inside a string at offset 7");
    EXPECT_EQ(ErrorOf("[] x"), "JSON: expected the end of the text at offset 3");
}

TEST(JsonRows, NestedValuesAreCheckedButRefusedAsCellsAndDepthIsBounded) {
    const TJsonRows rows = TJsonRows::Parse(R"([{"a":[1,{"b":[[],{}]},"x"],"c":{"d":null}}])");
    EXPECT_THROW(JsonText(*rows.Find(0, "a")), EJsonError);
    EXPECT_THROW(JsonNumber(*rows.Find(0, "c"), "c"), EJsonError);
    EXPECT_EQ(ErrorOf(R"([{"a":[1,]}])"), "JSON: expected a value at offset 9");
    EXPECT_EQ(ErrorOf(R"([{"a":{"b" 1}}])"), "JSON: expected ':' at offset 11");

    const std::string deep = "[{\"a\":" + std::string(100000, '[') + std::string(100000, ']') + "}]";
    EXPECT_NE(ErrorOf(deep).find("less deeply nested values"), std::string::npos);
    const std::string allowed = "[{\"a\":" + std::string(500, '[') + std::string(500, ']') + "}]";
    EXPECT_EQ(ErrorOf(allowed), "no error");
}

TEST(JsonRows, NumbersFromMoneyTextAndWhatCannotBeOne) {
    const TJsonRows rows = TJsonRows::Parse(
        R"([{"a":"1234.50","b":" -0.05 ","c":"12,50","d":"","e":"nan","f":true,"g":null,"h":"1e400"}])");
    EXPECT_EQ(JsonNumber(*rows.Find(0, "a"), "a"), 1234.5);
    EXPECT_EQ(JsonNumber(*rows.Find(0, "b"), "b"), -0.05);
    for (const char* name : {"c", "d", "e", "f", "g", "h"})
        EXPECT_THROW(JsonNumber(*rows.Find(0, name), name), EJsonError) << name;
    try {
        JsonNumber(*rows.Find(0, "c"), "TotalAmount");
    } catch (const EJsonError& e) {
        EXPECT_STREQ(e.what(), "JSON: member \"TotalAmount\" at offset 34 is not a number");
    }
}

}  // namespace
}  // namespace orvo
