// Reading and writing by index: negative indexes where an operation allows them, the index
// error everywhere else, and no change to the list when an operation fails.
#include "tests/common/ConfigListTestSupport.h"
#include "tests/support/TestSupport.h"

namespace orvo::test {
namespace {

using Strings = std::vector<std::string>;

TEST(ConfigListIndex, LineWithoutEqualsSignHasNoNameAndNoValue) {
    auto list = ListOf({"plain text", "Name=Value"});
    EXPECT_EQ(list->GetValueFromIndex(0), "");
    EXPECT_EQ(list->GetValueAt(0), "");
    EXPECT_EQ(list->GetValueOrLineAt(0), "plain text");
    EXPECT_EQ(list->GetNameAt(0), "");
    EXPECT_FALSE(list->IsPairAt(0));
    EXPECT_EQ(list->GetValueFromIndex(1), "Value");
    EXPECT_EQ(list->GetValueOrLineAt(1), "Value");
    EXPECT_EQ(list->GetNameAt(1), "Name");
    EXPECT_TRUE(list->IsPairAt(1));
}

TEST(ConfigListIndex, NegativeIndexGivesEmptyResultsWhereAllowed) {
    auto list = ListOf({"A=5"});
    EXPECT_EQ(list->GetValueFromIndex(-1), "");
    EXPECT_EQ(list->GetValueOrLineAt(-3), "");
    EXPECT_FALSE(list->IsPairAt(-1));
    EXPECT_EQ(list->GetIntegerAt(-1), 0);
    EXPECT_EQ(list->GetFloatAt(-1), 0.0);
}

TEST(ConfigListIndex, IndexOutsideTheLinesFailsWithTheIndex) {
    auto list = ListOf({"A=5", "B"});
    const auto fails = [&](auto op, int index) {
        ExpectFailsUnchanged("EStringListError", *list, op, "List index out of bounds (" + std::to_string(index) + ")");
    };
    fails([&] { list->GetLine(2); }, 2);
    fails([&] { list->GetLine(-1); }, -1);
    fails([&] { list->GetNameAt(-1); }, -1);
    fails([&] { list->GetObjectAt(2); }, 2);
    fails([&] { list->GetValueFromIndex(2); }, 2);
    fails([&] { list->GetValueOrLineAt(2); }, 2);
    fails([&] { list->IsPairAt(7); }, 7);
    fails([&] { list->GetIntegerAt(2); }, 2);
    fails([&] { list->GetFloatAt(2); }, 2);
    fails([&] { list->GetLineAsInteger(-1); }, -1);
    fails([&] { list->GetLineAsFloat(2); }, 2);
    fails([&] { list->GetLineAsBoolean(2); }, 2);
    fails([&] { list->GetLineAsDateTime(-5); }, -5);
    fails([&] { list->SetValueAt(-1, "V"); }, -1);
    fails([&] { list->SetValueAt(2, "V"); }, 2);
    fails([&] { list->SetObjectAt(2, nullptr); }, 2);
    fails([&] { list->SetValueFromIndex(2, "V"); }, 2);
    fails([&] { list->SetValueFromIndex(2, ""); }, 2);
    fails([&] { list->SetIntegerAt(2, 1); }, 2);
    fails([&] { list->SetFloatAt(2, 1.5); }, 2);
    fails([&] { list->GetObject("missing"); }, -1);
    fails([&] { list->SetObject("missing", nullptr); }, -1);
    EXPECT_EQ(RaisedError([&] { list->GetStrings()->Get(2); }), "EStringListError: List index out of bounds (2)");
}

TEST(ConfigListIndex, SetValueFromIndexAppendsForNegativeAndDeletesForEmpty) {
    auto list = ListOf({"A=1", "plain"});
    list->SetValueFromIndex(-1, "V");
    EXPECT_EQ(Lines(*list), (Strings{"A=1", "plain", "=V"}));
    list->SetValueFromIndex(1, "W");
    list->SetValueFromIndex(0, "2");
    EXPECT_EQ(Lines(*list), (Strings{"A=2", "=W", "=V"}));
    list->SetValueFromIndex(-1, "");
    EXPECT_EQ(list->GetCount(), 3);
    list->SetValueFromIndex(1, "");
    EXPECT_EQ(Lines(*list), (Strings{"A=2", "=V"}));
}

TEST(ConfigListIndex, SetValueAtKeepsTheNameAndWritesEmptyValues) {
    auto list = ListOf({"A=b=c", "plain"});
    list->SetValueAt(0, "");
    list->SetValueAt(1, "v");
    EXPECT_EQ(Lines(*list), (Strings{"A=", "=v"}));
}

TEST(ConfigListIndex, TypedSettersByIndexUseTheSetterForms) {
    auto list = ListOf({"Port=1"});
    list->SetIntegerAt(0, -5);
    list->SetFloatAt(-1, 0.5);
    EXPECT_EQ(Lines(*list), (Strings{"Port=-5", "=0.500000000000000000"}));
    EXPECT_EQ(list->GetIntegerAt(0), -5);
    EXPECT_EQ(list->GetFloatAt(1), 0.5);
}

TEST(ConfigListIndex, TheFiveLineSettersDoNothing) {
    auto list = ListOf({"A=1", "2"});
    list->SetLine(0, "changed");
    list->SetLine(9, "changed");
    list->SetLineAsBoolean(0, true);
    list->SetLineAsDateTime(-1, 1.0);
    list->SetLineAsFloat(1, 2.5);
    list->SetLineAsInteger(5, 3);
    EXPECT_EQ(Lines(*list), (Strings{"A=1", "2"}));
}

TEST(ConfigListIndex, StrictReadersReadTheWholeLineAndNameTheOffendingLine) {
    auto list = ListOf({"A=5", "42", "no", "True"});
    EXPECT_EQ(list->GetIntegerAt(0), 5);
    EXPECT_EQ(list->GetLineAsInteger(1), 42);
    EXPECT_TRUE(list->GetLineAsBoolean(3));
    ExpectFailsUnchanged("EConvertError", 
        *list, [&] { list->GetLineAsInteger(0); }, "'A=5' is not a valid integer value");
    ExpectFailsUnchanged("EConvertError", 
        *list, [&] { list->GetLineAsFloat(0); }, "'A=5' is not a valid floating point value");
    ExpectFailsUnchanged("EConvertError", 
        *list, [&] { list->GetLineAsBoolean(2); }, "'no' is not a valid boolean value");
    ExpectFailsUnchanged("EConvertError", 
        *list, [&] { list->GetLineAsDateTime(0); }, "'A=5' is not a valid date and time");
}

TEST(ConfigListIndex, LineContainerIsTheListsOwn) {
    auto list = ListOf({"a"});
    ComPtr<IStrings> strings = list->GetStrings();
    EXPECT_EQ(strings, list->GetStrings());
    EXPECT_EQ(strings->Add("b=1"), 1);
    EXPECT_EQ(list->GetString("b"), "1");
    EXPECT_EQ(strings->Count(), 2);
    EXPECT_EQ(strings->Get(0), "a");
}

}  // namespace
}  // namespace orvo::test
