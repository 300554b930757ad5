// The road of a payment through the popup: transaction row, log rows, window, notifications,
// the transaction update, and every way the popup can end.
#include <gtest/gtest.h>

#include "common/clsSQLStatements.h"
#include "tests/payments/PaymentTestRig.h"

namespace orvo::test {
namespace {

class PaymentRoad : public TPaymentTestRig {
protected:
    // The method as the invoicing screen prepares it: amount due first, then the handler.
    ComPtr<IPaymentMethod> Prepared(Currency due, const std::string& name = "Uber") {
        auto method = NewMethod(name);
        method->SetAmount(due);
        method->SetOnChange(recorder.Change());
        return method;
    }
    static std::string LogRow(const std::string& message) {
        return "Script.ExecSQL " + SQLText(TSQL::LogToDB) + " | 'INFO', " + message;
    }
    static constexpr const char* kUpdate =
        "Script.ExecSQL UPDATE [ExtraPaymentTransactions] \r\n   SET [Amount] = %f, \r\n";
};

TEST_F(PaymentRoad, TenderedAboveTheTotalBecomesTheGratuity) {
    host.script->values = {"17"};
    host.answers = {{true, "150"}};
    forms->Type("txtReference", "UB-1").Click("btnAmount").Click("btnOKNew");
    auto method = Prepared(1205000);

    EXPECT_TRUE(method->DoPaymentPopup());
    EXPECT_EQ(method->GetAmount(), 1205000);
    EXPECT_EQ(method->GetGratuity(), 295000);
    EXPECT_EQ(recorder.calls, std::vector<std::string>{"change amount=1205000 gratuity=295000"});

    const auto rows = JournalOf("Script.ExecSQL INSERT");
    EXPECT_EQ(rows,
              (std::vector<std::string>{LogRow("'Uber: New Transaction: 17'"), LogRow("'Uber: 17 - Amount: R120.50'"),
                                        LogRow("'Uber: 17 - Gratuity: R29.50'")}));
    const auto updates = JournalOf("Script.ExecSQL UPDATE");
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_NE(updates[0].find("| 150, 'UB-1', 17"), std::string::npos) << updates[0];
    EXPECT_EQ(JournalOf("Input.SetCaption"), std::vector<std::string>{"Input.SetCaption Enter Uber Total: "});

    const std::string log = LogText();
    EXPECT_NE(log.find("info  [TPaymentMethodUber.DoPaymentPopup] Uber: New Transaction : 17\r\n"), std::string::npos);
    EXPECT_NE(
        log.find(
            "info  [TPaymentMethodUber.DoPaymentPopup] Uber: Amount: 120.5 | Gratuity: 29.5 | Reference: UB-1\r\n"),
        std::string::npos)
        << log;
}

TEST_F(PaymentRoad, AConfirmedPopupReturnsTrueAtOnceAfterwards) {
    host.script->values = {"17"};
    forms->Click("btnOKNew");
    auto method = Prepared(100000);
    ASSERT_TRUE(method->DoPaymentPopup());
    host.journal->clear();
    EXPECT_TRUE(method->DoPaymentPopup());
    EXPECT_TRUE(host.journal->empty());
    EXPECT_EQ(forms->shows, 1);
}

TEST_F(PaymentRoad, AFailedInsertStillShowsTheWindowAndLeavesNothingToTie) {
    host.script->failOn = [](const std::string& s) { return s.rfind("Script.QueryValue", 0) == 0; };
    forms->Click("btnOKNew");
    auto method = Prepared(100000);
    EXPECT_TRUE(method->DoPaymentPopup());
    EXPECT_EQ(JournalOf("Script.ExecSQL INSERT").front(), LogRow("'Uber: New Transaction: -1'"));
    EXPECT_NE(JournalOf("Script.ExecSQL UPDATE").at(0).find("'', -1"), std::string::npos);
    EXPECT_NE(LogText().find("EXC   [TExtraPaymentsTransaction.AddTransaction] Error : database refused the statement"),
              std::string::npos);
    host.journal->clear();
    method->InsertSQL(42);
    EXPECT_TRUE(host.journal->empty());
}

TEST_F(PaymentRoad, AConfirmedPaymentAsksOnceMoreForARowRefusedAtTheStart) {
    const std::string refused =
        "EXC   [TExtraPaymentsTransaction.AddTransaction] Error : database refused the statement";
    struct TCase {
        int insertsRefused;
        std::vector<std::string> logRows;
        const char* update;  // the end of the UPDATE's journal line
        int refusedLines;
        const char* tie;  // the end of the UPDATE that InsertSQL(42) sends; null: none is sent
    };
    const TCase cases[] = {
        {1,
         {"'Uber: New Transaction: -1'", "'Uber: New Transaction: 18'", "'Uber: 18 - Amount: R100.00'",
          "'Uber: 18 - Gratuity: R0.00'"},
         "| 100, '', 18",
         1,
         "| 42, 18"},
        {2,
         {"'Uber: New Transaction: -1'", "'Uber: -1 - Amount: R100.00'", "'Uber: -1 - Gratuity: R0.00'"},
         "| 100, '', -1",
         2,
         nullptr},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.insertsRefused) + " insert(s) refused");
        host.journal->clear();
        const size_t logBefore = LogText().size();
        int inserts = 0;
        host.script->values = {"18"};
        host.script->failOn = [&inserts, &c](const std::string& s) {
            return s.rfind("Script.QueryValue", 0) == 0 && inserts++ < c.insertsRefused;
        };
        forms->Click("btnOKNew");
        auto method = Prepared(1000000);
        EXPECT_TRUE(method->DoPaymentPopup());
        EXPECT_EQ(method->GetAmount(), 1000000);
        EXPECT_EQ(JournalOf("Script.QueryValue").size(), 2u);
        std::vector<std::string> expectedRows;
        for (const std::string& row : c.logRows) expectedRows.push_back(LogRow(row));
        EXPECT_EQ(JournalOf("Script.ExecSQL INSERT"), expectedRows);
        const auto updates = JournalOf("Script.ExecSQL UPDATE");
        ASSERT_EQ(updates.size(), 1u);
        EXPECT_TRUE(updates[0].ends_with(c.update)) << updates[0];
        const std::string log = LogText().substr(logBefore);
        int refusedLines = 0;
        for (size_t at = log.find(refused); at != std::string::npos; at = log.find(refused, at + 1)) ++refusedLines;
        EXPECT_EQ(refusedLines, c.refusedLines) << log;
        EXPECT_EQ(log.find("DoPaymentPopup] Error"), std::string::npos) << log;

        host.journal->clear();
        method->InsertSQL(42);
        const auto ties = JournalOf("Script.ExecSQL UPDATE");
        ASSERT_EQ(ties.size(), c.tie ? 1u : 0u);
        if (c.tie) {
            EXPECT_TRUE(ties[0].ends_with(c.tie)) << ties[0];
        }
    }
}

TEST_F(PaymentRoad, CancelZeroesBothAndAReopenKeepsTheTransaction) {
    host.script->values = {"17"};
    forms->Click("btnCancelNew");
    auto method = Prepared(1205000);
    EXPECT_FALSE(method->DoPaymentPopup());
    EXPECT_EQ(method->GetAmount(), 0);
    EXPECT_EQ(method->GetGratuity(), 0);
    EXPECT_EQ(recorder.calls, std::vector<std::string>{"change amount=0 gratuity=0"});

    host.journal->clear();
    forms->Read("txtRandsAmount").Click("btnClearNew");
    EXPECT_FALSE(method->DoPaymentPopup());
    EXPECT_TRUE(JournalOf("Script.QueryValue").empty()) << "a second row was created";
    EXPECT_EQ(JournalOf("Script.ExecSQL INSERT"), std::vector<std::string>{LogRow("'Uber: New Transaction: 17'")});
    EXPECT_EQ(forms->reads, std::vector<std::string>{"0"});  // the window opened with total 0

    host.journal->clear();
    method->InsertSQL(42);  // nothing was paid: the invoice is not tied
    EXPECT_TRUE(host.journal->empty());
}

TEST_F(PaymentRoad, AnErrorInsideThePopupPaysNothingAndIsLogged) {
    host.script->values = {"17"};
    host.script->failOn = [](const std::string& s) { return s.find("Amount: R") != std::string::npos; };
    host.answers = {{true, "150"}};
    forms->Click("btnAmount").Click("btnOKNew");
    auto method = Prepared(1205000);
    EXPECT_FALSE(method->DoPaymentPopup());
    // Gratuity first, then amount, both to zero: the host never sees a payment that did not happen.
    EXPECT_EQ(recorder.calls,
              (std::vector<std::string>{"change amount=1205000 gratuity=295000", "change amount=1205000 gratuity=0",
                                        "change amount=0 gratuity=0"}));
    const std::string log = LogText();
    const size_t caught = log.find("EXC   std::runtime_error (\"database refused the statement\")");
    const size_t handler = log.find("EXC   [TPaymentMethodUber.DoPaymentPopup] Error : database refused the statement");
    ASSERT_NE(caught, std::string::npos) << log;
    ASSERT_NE(handler, std::string::npos) << log;
    EXPECT_LT(caught, handler);

    host.script->failOn = nullptr;
    host.journal->clear();
    forms->Click("btnOKNew");
    EXPECT_TRUE(method->DoPaymentPopup());  // not processed before: the popup runs again
    EXPECT_TRUE(JournalOf("Script.QueryValue").empty()) << "the transaction of the failed popup is kept";
}

TEST_F(PaymentRoad, AMissingScriptServiceEndsThePopupWithTheAssertion) {
    host.container->UnregisterFactory(IDBScript::IID);
    auto method = Prepared(100000, "Mr D");
    EXPECT_FALSE(method->DoPaymentPopup());
    EXPECT_EQ(forms->shows, 0);
    EXPECT_NE(LogText().find("[TPaymentMethodMrD.DoPaymentPopup] Error : Could not create DBScript "
                             "(implPaymentMethodMrD, line 131)"),
              std::string::npos);
}

TEST_F(PaymentRoad, InsertSqlTiesTheInvoiceOnceSomethingWasPaid) {
    host.script->values = {"17"};
    forms->Click("btnOKNew");
    auto method = Prepared(100000);
    ASSERT_TRUE(method->DoPaymentPopup());
    host.journal->clear();
    method->InsertSQL(42);
    const auto updates = JournalOf("Script.ExecSQL UPDATE");
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_NE(updates[0].find("[InvoiceNum] = %d"), std::string::npos);
    EXPECT_NE(updates[0].find("| 42, 17"), std::string::npos);
    EXPECT_NE(LogText().find("info  [TPaymentMethodUber.InsertSQL]  Updating transaction : 17 -> 42\r\n"),
              std::string::npos);
}

TEST_F(PaymentRoad, MoneyInLogRowsFollowsTheRegionalFormatQuotedSafely) {
    platform::TRegionalSettings swiss = PointRegional();
    swiss.ThousandSeparator = '\'';
    TScopedRegional apostrophes(swiss);
    host.script->values = {"17"};
    forms->Click("btnOKNew");
    auto method = Prepared(12345000);
    ASSERT_TRUE(method->DoPaymentPopup());
    EXPECT_EQ(JournalOf("Script.ExecSQL INSERT").at(1), LogRow("'Uber: 17 - Amount: R1''234.50'"));
}

}  // namespace
}  // namespace orvo::test
