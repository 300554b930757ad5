// Delimited text with quoting, Join and the line-per-line text.
#include "tests/common/ConfigListTestSupport.h"

namespace orvo::test {
namespace {

TEST(ConfigListText, LinesWithSpacesQuotesOrTheDelimiterAreQuoted) {
    auto list = ListOf({"a b", "xy"});
    EXPECT_EQ(list->GetDelimitedText(), "\"a b\";xy");
    EXPECT_EQ(list->GetCommaText(), "\"a b\",xy");

    list = ListOf({"a,b", "c;d", "say \"hi\"", "tab\there", "\xE9t\xE9"});
    EXPECT_EQ(list->GetDelimitedText(), "a,b;\"c;d\";\"say \"\"hi\"\"\";\"tab\there\";\xE9t\xE9");
    EXPECT_EQ(list->GetCommaText(), "\"a,b\",c;d,\"say \"\"hi\"\"\",\"tab\there\",\xE9t\xE9");
}

TEST(ConfigListText, EmptyLinesStayEmptyExceptALoneOne) {
    EXPECT_EQ(ListOf({""})->GetDelimitedText(), "\"\"");
    EXPECT_EQ(ListOf({""})->GetCommaText(), "\"\"");
    EXPECT_EQ(ListOf({"a", "", "b"})->GetDelimitedText(), "a;;b");
    EXPECT_EQ(ListOf({"", ""})->GetCommaText(), ",");
}

TEST(ConfigListText, JoinPutsTheSeparatorBetweenNeighboursOnly) {
    EXPECT_EQ(ListOf({"a", "b", "c"})->Join(", "), "a, b, c");
    EXPECT_EQ(ListOf({"only"})->Join("--"), "only");
    EXPECT_EQ(ListOf({"a", "b"})->Join(""), "ab");
    EXPECT_EQ(ListOf({"", ""})->Join("|"), "|");
}

TEST(ConfigListText, TextEndsEveryLineWithCarriageReturnAndLineFeed) {
    EXPECT_EQ(ListOf({"a=1", "", "b"})->GetText(), "a=1\r\n\r\nb\r\n");
}

}  // namespace
}  // namespace orvo::test
