// The payment road against the reference host's database: the rows it leaves behind.
#include <gtest/gtest.h>

#include "host/THostStrings.h"
#include "host/sqlite/SqlResult.h"
#include "host/sqlite/TSqliteScript.h"
#include "interfaces/intfDatabaseChanges.h"
#include "tests/payments/PaymentTestRig.h"

namespace orvo::test {
namespace {

class PaymentsOnSqlite : public TPaymentTestRig {
protected:
    void SetUp() override {
        TPaymentTestRig::SetUp();
        database->SetClock([] { return host::TDbDateTime{2026, 12, 7, 9, 30, 0, 250}; });
        database->CreateSuiteTables();
        host.container->RegisterFactory(IDBScript::IID, MakeObject<host::TSqliteScriptFactory>(database).Get());
        host::THostStrings scripts;
        ResolveNamedOf<IDatabaseChanges>(*host.container, "ExtraPayments")->GetChanges(0, scripts);
        for (const AnsiString& script : scripts.Lines()) database->Run(script.view());
    }
    std::string Json(std::string_view tsql) { return host::ResultJSON(*database->Run(tsql).lastResult); }

    std::shared_ptr<host::TSqliteDatabase> database = std::make_shared<host::TSqliteDatabase>(":memory:");
};

TEST_F(PaymentsOnSqlite, AConfirmedPaymentLeavesItsRowItsLogRowsAndItsInvoice) {
    platform::TRegionalSettings apostrophes = PointRegional();
    apostrophes.ThousandSeparator = '\'';
    TScopedRegional regional(apostrophes);
    host.answers = {{true, "1500"}};
    forms->Type("txtReference", "O'Brien #7").Click("btnAmount").Click("btnOKNew");
    auto method = NewMethod("Other CC");
    method->SetAmount(12050000);
    ASSERT_TRUE(method->DoPaymentPopup());
    method->InsertSQL(1001);

    EXPECT_EQ(Json("SELECT [ID], [Timestamp_Created], [InvoiceNum], [PaymentMethod], [ReferenceNumber], [Amount] "
                   "FROM [ExtraPaymentTransactions]"),
              R"([{"ID":1,"Timestamp_Created":"2026-12-07 09:30:00.250","InvoiceNum":1001,)"
              R"("PaymentMethod":"Other CC","ReferenceNumber":"O'Brien #7","Amount":1500}])");
    EXPECT_EQ(Json("SELECT [Class], [Message] FROM [ExtraPaymentLog] ORDER BY [ID]"),
              R"([{"Class":"INFO","Message":"Other CC: New Transaction: 1"},)"
              R"({"Class":"INFO","Message":"Other CC: 1 - Amount: R1'205.00"},)"
              R"({"Class":"INFO","Message":"Other CC: 1 - Gratuity: R295.00"}])");
}

TEST_F(PaymentsOnSqlite, AReferenceLongerThanTheColumnFailsThePopupAndPaysNothing) {
    forms->Type("txtReference", std::string(201, 'x')).Click("btnOKNew");
    auto method = NewMethod();
    method->SetAmount(100000);
    EXPECT_FALSE(method->DoPaymentPopup());
    EXPECT_EQ(method->GetAmount(), 0);
    EXPECT_EQ(Json("SELECT [ReferenceNumber], [Amount] FROM [ExtraPaymentTransactions]"),
              R"([{"ReferenceNumber":null,"Amount":null}])");
    const std::string log = LogText();
    const size_t line = log.find("EXC   [TPaymentMethodUber.DoPaymentPopup] Error : ");
    ASSERT_NE(line, std::string::npos) << log;
    EXPECT_NE(log.find("column 'ReferenceNumber' (VARCHAR(200))", line), std::string::npos) << log;
}

}  // namespace
}  // namespace orvo::test
