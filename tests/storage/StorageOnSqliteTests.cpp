// The schema changes and the transaction record against the reference host's database.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "entry/ModuleLifecycle.h"
#include "host/THostStrings.h"
#include "host/sqlite/SqlError.h"
#include "host/sqlite/TSqliteScript.h"
#include "interfaces/intfDatabaseChanges.h"
#include "interfaces/intfExtraPaymentsTransaction.h"
#include "module/Log.h"
#include "platform/DateTime.h"
#include "tests/support/TestSupport.h"

namespace orvo {
namespace {

using host::EDatabaseError;

class StorageOnSqlite : public ::testing::Test {
protected:
    void SetUp() override {
        FinalModule();
        database->SetClock([] { return host::TDbDateTime{2031, 2, 3, 4, 5, 6, 789}; });
        database->CreateSuiteTables();
        host.container->RegisterFactory(IDBScript::IID, MakeObject<host::TSqliteScriptFactory>(database).Get());
        InitModule(host.container.Get());
        transaction = ResolveOf<IExtraPaymentsTransaction>(*host.container);
    }
    void TearDown() override {
        transaction.Reset();
        FinalModule();
    }
    // Applies the module's scripts as the host does, one entry at a time.
    void ApplySchemaChanges() {
        host::THostStrings scripts;
        ResolveNamedOf<IDatabaseChanges>(*host.container, "ExtraPayments")->GetChanges(0, scripts);
        for (const AnsiString& script : scripts.Lines()) database->Run(script.view());
    }
    std::string Json(std::string_view tsql) { return host::ResultJSON(*database->Run(tsql).lastResult); }
    std::string Row(int32_t id) {
        return Json(
            "SELECT [ID], [Timestamp_Created], [InvoiceNum], [PaymentMethod], [ReferenceNumber], [Amount] "
            "FROM [ExtraPaymentTransactions] WHERE [ID] = " +
            std::to_string(id));
    }

    std::shared_ptr<host::TSqliteDatabase> database = std::make_shared<host::TSqliteDatabase>(":memory:");
    test::TTestHost host;
    ComPtr<IExtraPaymentsTransaction> transaction;
};

TEST_F(StorageOnSqlite, TheScriptsCreateBothTablesAndApplyingThemAgainLeavesTablesAndRowsUntouched) {
    ApplySchemaChanges();
    ASSERT_EQ(transaction->AddTransaction("Uber"), 1);
    database->Run(
        "INSERT INTO [ExtraPaymentLog] ( [Timestamp], [Class], [Message] ) VALUES ( GETDATE(), 'INFO', 'x' )");
    ApplySchemaChanges();
    EXPECT_EQ(Json("SELECT [ID], [PaymentMethod] FROM [ExtraPaymentTransactions]"),
              R"([{"ID":1,"PaymentMethod":"Uber"}])");
    EXPECT_EQ(Json("SELECT [ID], [Timestamp], [Class], [Message] FROM [ExtraPaymentLog]"),
              R"([{"ID":1,"Timestamp":"2031-02-03 04:05:06.789","Class":"INFO","Message":"x"}])");
    EXPECT_THROW(database->Run("INSERT INTO [ExtraPaymentLog] ( [Timestamp], [Class], [Message] ) "
                               "VALUES ( GETDATE(), 'INFORMATION', 'x' )"),
                 EDatabaseError);  // VARCHAR(10)
    EXPECT_THROW(database->Run("INSERT INTO [ExtraPaymentLog] ( [Timestamp], [Class] ) VALUES ( GETDATE(), 'INFO' )"),
                 EDatabaseError);  // Message NOT NULL
}

TEST_F(StorageOnSqlite, AddTransactionCreatesARowWithTheDatabasesTimeAndTheMethodWithIncreasingIds) {
    test::TScopedClock workstation(EncodeDate(2020, 1, 1));  // not the time the row gets
    ApplySchemaChanges();
    EXPECT_EQ(transaction->AddTransaction("Uber"), 1);
    EXPECT_EQ(transaction->AddTransaction("Other CC"), 2);
    EXPECT_EQ(ResolveOf<IExtraPaymentsTransaction>(*host.container)->AddTransaction("Mr D"), 3);
    EXPECT_EQ(Row(1),
              R"([{"ID":1,"Timestamp_Created":"2031-02-03 04:05:06.789","InvoiceNum":null,"PaymentMethod":"Uber",)"
              R"("ReferenceNumber":null,"Amount":null}])");
    EXPECT_EQ(Json("SELECT [PaymentMethod] FROM [ExtraPaymentTransactions] WHERE [ID] = 2"),
              R"([{"PaymentMethod":"Other CC"}])");
}

TEST_F(StorageOnSqlite, UpdatesStoreEmptyAndQuotedReferencesAndOverwriteAmountsAndInvoiceNumbers) {
    ApplySchemaChanges();
    const int32_t id = transaction->AddTransaction("ABSA");
    transaction->UpdateTransaction(id, "", 110.5);
    EXPECT_EQ(Json("SELECT [ReferenceNumber], [Amount] FROM [ExtraPaymentTransactions]"),
              R"([{"ReferenceNumber":"","Amount":110.5}])");
    transaction->UpdateTransaction(id, "O'Brien's table", 0.0001);
    transaction->SetInvoiceNum(id, 500);
    transaction->SetInvoiceNum(id, 501);
    transaction->SetInvoiceNum(-1, 502);  // no such row: nothing changes
    EXPECT_EQ(Row(id),
              R"([{"ID":1,"Timestamp_Created":"2031-02-03 04:05:06.789","InvoiceNum":501,"PaymentMethod":"ABSA",)"
              R"("ReferenceNumber":"O'Brien's table","Amount":0.0001}])");
}

TEST_F(StorageOnSqlite, AReferenceLongerThan200CharactersIsRefusedAndTheErrorReachesTheCaller) {
    ApplySchemaChanges();
    const int32_t id = transaction->AddTransaction("Nedbank");
    transaction->UpdateTransaction(id, std::string(200, 'r'), 10);
    try {
        transaction->UpdateTransaction(id, std::string(201, 'x'), 20);
        FAIL() << "a 201-character reference was stored";
    } catch (const EOrvoError& e) {
        EXPECT_STREQ(e.ClassName(), "EDatabaseError");
        EXPECT_NE(std::string(e.what()).find("String or binary data would be truncated in table "
                                             "'ExtraPaymentTransactions', column 'ReferenceNumber' (VARCHAR(200))"),
                  std::string::npos)
            << e.what();
    }
    EXPECT_EQ(Json("SELECT [ReferenceNumber], [Amount] FROM [ExtraPaymentTransactions]"),
              R"([{"ReferenceNumber":")" + std::string(200, 'r') + R"(","Amount":10}])");
}

TEST_F(StorageOnSqlite, AReferenceHoldingNulBytesIsStoredWholeAndFoundByItself) {
    using namespace std::string_literals;  // texts holding NUL bytes
    ApplySchemaChanges();
    const int32_t id = transaction->AddTransaction("Uber");
    transaction->UpdateTransaction(id, "A\0'b\0"s, 1);
    EXPECT_EQ(Json("SELECT [ReferenceNumber] FROM [ExtraPaymentTransactions]"),
              R"([{"ReferenceNumber":"A\u0000'b\u0000"}])");
    EXPECT_EQ(Json("SELECT [ID] FROM [ExtraPaymentTransactions] WHERE [ReferenceNumber] = 'A\0''b\0'"s),
              R"([{"ID":1}])");
}

TEST_F(StorageOnSqlite, AddTransactionOnADatabaseWithoutTheTableLogsTheErrorAndGivesMinusOne) {
    test::TTempFolder folder;
    platform::TProcessIdentity id;
    id.ModulePath = folder / "OrvoExtraPayments.ovm";
    id.HostProgramPath = "/suite/Invoicing.exe";
    id.ComputerName = "POS2";
    ModuleLog().Configure(id);
    EXPECT_EQ(transaction->AddTransaction("Uber"), -1);
    ModuleLog().Configure({});
    std::ifstream in(folder / "Invoicing (POS2) OrvoExtraPayments.ovm.log", std::ios::binary);
    const std::string log((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(log.find("EXC   [TExtraPaymentsTransaction.AddTransaction] Error : Statement 1 of the batch failed: "
                       "no such table: ExtraPaymentTransactions\r\n"),
              std::string::npos)
        << log;
}

}  // namespace
}  // namespace orvo
