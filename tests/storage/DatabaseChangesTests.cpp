// GetChanges: the two scripts in the host's list, then the access codes; and the factories.
#include <gtest/gtest.h>

#include "common/clsSQLStatements.h"
#include "entry/ModuleLifecycle.h"
#include "entry/Registration.h"
#include "host/THostStrings.h"
#include "interfaces/intfExtraPaymentsTransaction.h"
#include "storage/implDatabaseChangesExtraPayments.h"
#include "tests/support/TestSupport.h"

namespace orvo {
namespace {

using host::THostStrings;

std::vector<std::string> Texts(const THostStrings& list) {
    std::vector<std::string> texts;
    for (const AnsiString& line : list.Lines()) texts.push_back(line.str());
    return texts;
}

class DatabaseChanges : public ::testing::Test {
protected:
    void SetUp() override {
        FinalModule();
        InitModule(host.container.Get());
        changes = ResolveNamedOf<IDatabaseChanges>(*host.container, "ExtraPayments");
        ASSERT_TRUE(changes);
        host.journal->clear();  // what registration itself asked of the host is not under test
    }
    void TearDown() override {
        changes.Reset();
        FinalModule();
    }
    test::TTestHost host;
    ComPtr<IDatabaseChanges> changes;
    THostStrings scripts;
};

TEST_F(DatabaseChanges, AppendsBothScriptsAfterOtherModulesThenRegistersAndLinksTheCodes) {
    scripts.Add("-- another module's script");
    changes->GetChanges(0, scripts);

    const std::vector<std::string> texts = Texts(scripts);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0], "-- another module's script");
    EXPECT_EQ(texts[1], SQLText(TSQL::TransactionTable));
    EXPECT_EQ(texts[2], SQLText(TSQL::LogTable));
    EXPECT_EQ(*host.journal, (std::vector<std::string>{
                                 "ActCodes.AddActCode AM019 To Change Extra Payment Settings 1 1",
                                 "ActCodes.AddActCode AM020 To View Extra Payment Transactions 1 1",
                                 "ActCodes.LinkActCode AM019 FRCH",
                                 "ActCodes.LinkActCode AM020 FRCH",
                             }));
}

TEST_F(DatabaseChanges, EveryCallAppendsTheSameScriptsAndRegistersTheCodesAgain) {
    changes->GetChanges(1, scripts);
    changes->GetChanges(2, scripts);
    const std::vector<std::string> texts = Texts(scripts);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0], texts[2]);
    EXPECT_EQ(texts[1], texts[3]);
    EXPECT_EQ(host.journal->size(), 8u);
}

TEST_F(DatabaseChanges, WithoutAccessCodeServiceTheScriptsAreStillAppendedAndNoCodeRegistered) {
    host.container->UnregisterFactory(IActCodes::IID);
    changes->GetChanges(0, scripts);
    EXPECT_EQ(scripts.Count(), 2);
    EXPECT_TRUE(host.journal->empty());
}

// An access-code service that refuses every code.
class TRefusingActCodes : public TInterfacedObject<IActCodes> {
public:
    void AddActCode(const AnsiString& code, const AnsiString&, int32_t, int32_t) override {
        throw std::runtime_error("code " + code.str() + " refused");
    }
    void LinkActCode(const AnsiString&, const AnsiString&) override {}
};

TEST_F(DatabaseChanges, AnAccessCodeErrorReachesTheHostAfterBothScriptsWereAppended) {
    host.container->RegisterFactory(IActCodes::IID,
                                    host::SharedFactory(MakeObject<TRefusingActCodes>()->AsIInterface()).Get());
    try {
        changes->GetChanges(0, scripts);
        FAIL() << "the access-code error was swallowed";
    } catch (const EOrvoError& e) {
        EXPECT_STREQ(e.ClassName(), "std::runtime_error");
        EXPECT_STREQ(e.what(), "code AM019 refused");
    }
    EXPECT_EQ(scripts.Count(), 2);
}

// Both storage factories: a new object on every call; withdrawing them frees them.
TEST(StorageFactories, EachCallMakesANewObjectAndWithdrawalFreesTheFactories) {
    FinalModule();
    test::TTestHost host;
    const int32_t withHost = gLiveObjectCount.load();
    InitModule(host.container.Get());
    {
        auto changes1 = ResolveNamedOf<IDatabaseChanges>(*host.container, "ExtraPayments");
        auto changes2 = ResolveNamedOf<IDatabaseChanges>(*host.container, "ExtraPayments");
        auto transaction1 = ResolveOf<IExtraPaymentsTransaction>(*host.container);
        auto transaction2 = ResolveOf<IExtraPaymentsTransaction>(*host.container);
        ASSERT_TRUE(changes1 && changes2 && transaction1 && transaction2);
        EXPECT_NE(changes1.Get(), changes2.Get());
        EXPECT_NE(transaction1.Get(), transaction2.Get());
        // One object per registration, and the four asked for.
        EXPECT_EQ(gLiveObjectCount.load(), withHost + int32_t(RegistrationTable().size()) + 4);
    }
    FinalModule();
    EXPECT_EQ(gLiveObjectCount.load(), withHost);
}

}  // namespace
}  // namespace orvo
