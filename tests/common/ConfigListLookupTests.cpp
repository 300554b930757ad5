// Name lookup, letter case, and setting, adding and removing by name.
#include "tests/common/ConfigListTestSupport.h"

namespace orvo::test {
namespace {

using Strings = std::vector<std::string>;

TEST(ConfigListLookup, NewListIsEmptyEverywhere) {
    auto list = CreateStringConfigList();
    EXPECT_EQ(list->GetCount(), 0);
    EXPECT_EQ(list->GetFirst(), "");
    EXPECT_EQ(list->GetLast(), "");
    EXPECT_EQ(list->Join(","), "");
    EXPECT_EQ(list->GetText(), "");
    EXPECT_EQ(list->GetDelimitedText(), "");
    EXPECT_EQ(list->GetCommaText(), "");
    EXPECT_EQ(list->GetString("Port"), "");
    EXPECT_EQ(list->GetInteger("Port"), 0);
    EXPECT_FALSE(list->GetBoolean("Port"));
}

TEST(ConfigListLookup, SetByNameReplacesInAnyCaseAndTakesTheCallersSpelling) {
    auto list = CreateStringConfigList();
    list->SetInteger("Port", 5);
    EXPECT_EQ(Lines(*list), Strings{"Port=5"});
    list->SetString("PORT", "7");
    EXPECT_EQ(Lines(*list), Strings{"PORT=7"});
    EXPECT_EQ(list->GetInteger("port"), 7);
}

TEST(ConfigListLookup, LookupSkipsLinesWithoutEqualsSignAndTakesTheFirstMatch) {
    auto list = ListOf({"Port", "x=Port=1", "port=2", "PORT=3"});
    int32_t index = -2;
    EXPECT_TRUE(list->FindName("Port", index));
    EXPECT_EQ(index, 2);
    EXPECT_EQ(list->GetString("Port"), "2");
    EXPECT_TRUE(list->HasName("x"));
    EXPECT_FALSE(list->FindName("Host", index));
    EXPECT_EQ(index, -1);
    EXPECT_FALSE(list->HasName("Port=1"));
}

TEST(ConfigListLookup, ValueIsEverythingAfterTheFirstEqualsSign) {
    auto list = ListOf({"A=b=c", "=lonely"});
    EXPECT_EQ(list->GetString("a"), "b=c");
    EXPECT_EQ(list->GetString(""), "lonely");
    list->SetString("", "x");
    EXPECT_EQ(Lines(*list), (Strings{"A=b=c", "=x"}));
}

TEST(ConfigListLookup, EmptyValueDeletesTheNamedLineOrDoesNothing) {
    auto list = ListOf({"Port=5", "Host=h"});
    list->SetString("Timeout", "");
    EXPECT_EQ(Lines(*list), (Strings{"Port=5", "Host=h"}));
    list->SetString("PORT", "");
    EXPECT_EQ(Lines(*list), Strings{"Host=h"});
}

TEST(ConfigListLookup, AddAppendsEvenWhenPresentOrEmpty) {
    auto list = CreateStringConfigList();
    EXPECT_EQ(list->AddString("A", "1"), 0);
    EXPECT_EQ(list->AddString("A", "1"), 1);
    EXPECT_EQ(list->AddString("A", ""), 2);
    EXPECT_EQ(list->AddInteger("N", -12), 3);
    EXPECT_EQ(list->AddBoolean("B", true), 4);
    EXPECT_EQ(list->AddLine("plain"), 5);
    EXPECT_EQ(Lines(*list), (Strings{"A=1", "A=1", "A=", "N=-12", "B=True", "plain"}));
    EXPECT_EQ(list->GetString("A"), "1");
    EXPECT_EQ(list->GetFirst(), "A=1");
    EXPECT_EQ(list->GetLast(), "plain");
}

TEST(ConfigListLookup, SetterOfTypedValuesAlwaysWrites) {
    auto list = CreateStringConfigList();
    list->SetBoolean("On", false);
    list->SetInteger("Zero", 0);
    list->SetFloat("F", 0);
    list->SetDateTime("D", 0);
    EXPECT_EQ(Lines(*list), (Strings{"On=False", "Zero=0", "F=0.000000000000000000", "D=0.000000000000000000"}));
    list->SetBoolean("on", true);
    EXPECT_EQ(list->GetFirst(), "on=True");
}

TEST(ConfigListLookup, RemoveTriesTheNameBeforeTheWholeLine) {
    auto list = ListOf({"A=1", "B", "A=2", "b=1"});
    list->Remove("A");
    EXPECT_EQ(Lines(*list), (Strings{"B", "A=2", "b=1"}));
    list->Remove("B");  // the name b comes before the line B
    EXPECT_EQ(Lines(*list), (Strings{"B", "A=2"}));
    list->Remove("b");
    EXPECT_EQ(Lines(*list), Strings{"A=2"});
    list->Remove("a=2");
    EXPECT_EQ(list->GetCount(), 0);
    list->Remove("missing");
    EXPECT_EQ(list->GetCount(), 0);
}

TEST(ConfigListLookup, WholeLineComparisonIgnoresCase) {
    auto list = ListOf({"Hello World", "k=v"});
    EXPECT_TRUE(list->Contains("HELLO world"));
    EXPECT_TRUE(list->Contains("K=V"));
    EXPECT_FALSE(list->Contains("Hello"));
    EXPECT_FALSE(list->Contains(""));
}

TEST(ConfigListLookup, ClearRemovesEveryLine) {
    auto list = ListOf({"a", "b=1"});
    list->Clear();
    EXPECT_EQ(list->GetCount(), 0);
    EXPECT_FALSE(list->HasName("b"));
}

}  // namespace
}  // namespace orvo::test
