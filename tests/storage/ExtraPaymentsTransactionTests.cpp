// The transaction record service against a recording script service: the statements it sends,
// what it makes of the answers, and what it does when the service fails or is missing.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "common/clsSQLStatements.h"
#include "entry/ModuleLifecycle.h"
#include "interfaces/intfExtraPaymentsTransaction.h"
#include "module/Log.h"
#include "tests/support/TestSupport.h"

namespace orvo {
namespace {

constexpr const char* kInsertUber =
    "Script.QueryValue INSERT INTO [ExtraPaymentTransactions] ( [Timestamp_Created], [PaymentMethod] ) "
    "VALUES ( GETDATE(), 'Uber' ); SELECT CAST( SCOPE_IDENTITY() AS INT ) AS [ID] | ID";

class ExtraPaymentsTransaction : public ::testing::Test {
protected:
    void SetUp() override {
        FinalModule();
        platform::TProcessIdentity id;
        id.ModulePath = folder / "OrvoExtraPayments.ovm";
        id.HostProgramPath = "/suite/Invoicing.exe";
        id.ComputerName = "POS2";
        ModuleLog().Configure(id);
        InitModule(host.container.Get());
        transaction = ResolveOf<IExtraPaymentsTransaction>(*host.container);
        ASSERT_TRUE(transaction);
        host.journal->clear();  // what registration itself asked of the host is not under test
    }
    void TearDown() override {
        transaction.Reset();
        FinalModule();
        ModuleLog().Configure({});
    }
    std::string LogText() const {
        std::ifstream in(ModuleLog().FilePath(), std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }
    // The script service hands out a new recording script on every Resolve, answering "5" and
    // failing as failOn says at the time.
    void ServeFreshScripts() {
        host.container->RegisterFactory(IDBScript::IID, MakeObject<host::TFunctionFactory>([this] {
                                                            auto script = MakeObject<host::THostScript>(host.journal);
                                                            script->values = {"5"};
                                                            script->failOn = failOn;
                                                            return ComPtr<IInterface>::AddRefOf(script->AsIInterface());
                                                        }).Get());
    }

    test::TTempFolder folder;
    test::TTestHost host;
    ComPtr<IExtraPaymentsTransaction> transaction;
    std::function<bool(const std::string&)> failOn;
};

TEST_F(ExtraPaymentsTransaction, AddTransactionRunsTheInsertAndIdentityAsOneBatchAndReturnsTheId) {
    host.script->values = {"17"};
    EXPECT_EQ(transaction->AddTransaction("Uber"), 17);
    EXPECT_EQ(*host.journal, std::vector<std::string>{kInsertUber});
}

TEST_F(ExtraPaymentsTransaction, AddTransactionGivesMinusOneWithoutALogLineForAnUnreadableId) {
    host.script->values = {"", "abc", "12x", " 12", "3000000000"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(transaction->AddTransaction("ABSA"), -1) << i;
    EXPECT_EQ(LogText().find("AddTransaction] Error"), std::string::npos) << LogText();
}

TEST_F(ExtraPaymentsTransaction, AddTransactionLogsADatabaseErrorAndGivesMinusOne) {
    host.script->failOn = [](const std::string&) { return true; };
    EXPECT_EQ(transaction->AddTransaction("Mr D"), -1);
    const std::string log = LogText();
    const size_t caught = log.find("EXC   std::runtime_error (\"database refused the statement\")\r\n");
    const size_t line =
        log.find("EXC   [TExtraPaymentsTransaction.AddTransaction] Error : database refused the statement\r\n");
    EXPECT_NE(caught, std::string::npos) << log;
    EXPECT_NE(line, std::string::npos) << log;
    EXPECT_LT(caught, line);
}

TEST_F(ExtraPaymentsTransaction, AddTransactionWithoutScriptServiceLogsTheAssertionAndGivesMinusOne) {
    host.container->UnregisterFactory(IDBScript::IID);
    EXPECT_EQ(transaction->AddTransaction("Nedbank"), -1);
    EXPECT_NE(LogText().find("[TExtraPaymentsTransaction.AddTransaction] Error : Could not create DBScript "
                             "(implExtraPaymentsTransaction, line "),
              std::string::npos)
        << LogText();
}

TEST_F(ExtraPaymentsTransaction, AddTransactionDoublesAQuoteInTheMethodName) {
    host.script->values = {"1"};
    transaction->AddTransaction("O'Neil's CC");
    ASSERT_EQ(host.journal->size(), 1u);
    EXPECT_NE(host.journal->front().find("VALUES ( GETDATE(), 'O''Neil''s CC' );"), std::string::npos)
        << host.journal->front();
}

TEST_F(ExtraPaymentsTransaction, UpdateAndSetInvoiceNumSendTheirStatementsLineByLine) {
    transaction->UpdateTransaction(7, "it's 12", 110.5);
    transaction->SetInvoiceNum(7, 1234);
    EXPECT_EQ(*host.journal, (std::vector<std::string>{
                                 "Script.ExecSQL " + SQLText(TSQL::UpdateTransaction) + " | 110.5, 'it''s 12', 7",
                                 "Script.ExecSQL " + SQLText(TSQL::SetInvoiceNum) + " | 1234, 7",
                             }));
}

TEST_F(ExtraPaymentsTransaction, UpdateAndSetInvoiceNumLetErrorsReachTheCallerUnlogged) {
    host.script->failOn = [](const std::string&) { return true; };
    EXPECT_EQ(test::RaisedError([&] { transaction->UpdateTransaction(1, "", 1.0); }),
              "std::runtime_error: database refused the statement");
    EXPECT_EQ(test::RaisedError([&] { transaction->SetInvoiceNum(1, 2); }), "std::runtime_error: database refused the statement");
    host.container->UnregisterFactory(IDBScript::IID);
    for (auto operation : {+[](IExtraPaymentsTransaction& t) { t.UpdateTransaction(1, "", 1.0); },
                           +[](IExtraPaymentsTransaction& t) { t.SetInvoiceNum(1, 2); }}) {
        try {
            operation(*transaction);
            ADD_FAILURE() << "no error without a script service";
        } catch (const EOrvoError& e) {
            EXPECT_STREQ(e.ClassName(), "EAssertionFailed");
            EXPECT_EQ(std::string(e.what()).rfind("Could not create DBScript (implExtraPaymentsTransaction, line ", 0),
                      0u)
                << e.what();
        }
    }
    EXPECT_EQ(LogText().find("EXC"), std::string::npos) << LogText();
}

TEST_F(ExtraPaymentsTransaction, EveryOperationReleasesItsOwnScriptObjectOnSuccessAndFailure) {
    ServeFreshScripts();
    const int32_t before = gLiveObjectCount.load();
    EXPECT_EQ(transaction->AddTransaction("Uber"), 5);
    transaction->UpdateTransaction(5, "r", 2.5);
    transaction->SetInvoiceNum(5, 9);
    EXPECT_EQ(gLiveObjectCount.load(), before);
    EXPECT_EQ(host.journal->size(), 3u);

    failOn = [](const std::string&) { return true; };  // for the scripts made from now on
    EXPECT_EQ(transaction->AddTransaction("Uber"), -1);
    EXPECT_ANY_THROW(transaction->UpdateTransaction(5, "r", 2.5));
    EXPECT_ANY_THROW(transaction->SetInvoiceNum(5, 9));
    EXPECT_EQ(gLiveObjectCount.load(), before);
}

}  // namespace
}  // namespace orvo
