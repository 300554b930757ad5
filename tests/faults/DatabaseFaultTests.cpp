// The database failing or answering nonsense: the script service refusing each statement of
// the payment road in turn, the report's queries failing, and query results that are cut off,
// of the wrong shape or type, huge or deeply nested. Always a clear error, never a crash, and
// no page shown from a result that could not be read.
#include <gtest/gtest.h>

#include "backoffice/ExtraPaymentsReport.h"
#include "backoffice/JsonRows.h"
#include "platform/DateTime.h"
#include "tests/payments/PaymentTestRig.h"

namespace orvo::test {
namespace {

class PaymentRoadFaults : public TPaymentTestRig {
protected:
    // One confirmed popup with an amount typed and a reference, then the invoice tied; failing
    // the statement numbered failAt (counting every call to the script service from 0; -1 fails
    // none). The popup catches its errors; the tie hands the database's error to the host.
    bool RunPopup(int failAt, int& statements) {
        statements = 0;
        tieRefused = false;
        host.script->values = {"17"};
        host.script->failOn = [&statements, failAt](const std::string&) { return statements++ == failAt; };
        host.answers = {{true, "150"}};
        forms->Type("txtReference", "UB-1").Click("btnAmount").Click("btnOKNew");
        auto method = NewMethod();
        method->SetAmount(1205000);
        method->SetOnChange(recorder.Change());
        bool paid = false;
        EXPECT_NO_THROW(paid = method->DoPaymentPopup());
        try {
            method->InsertSQL(42);
        } catch (const EOrvoError& e) {
            EXPECT_STREQ(e.ClassName(), "std::runtime_error");
            EXPECT_STREQ(e.what(), "database refused the statement");
            tieRefused = true;
        }
        return paid;
    }
    bool tieRefused = false;
};

TEST_F(PaymentRoadFaults, EachStatementFailingInTurnEndsThePopupCleanlyAndIsLogged) {
    int statements = 0;
    ASSERT_TRUE(RunPopup(-1, statements));
    const int total = statements;
    ASSERT_GE(total, 5);  // transaction, three log rows, update, invoice
    for (int failAt = 0; failAt < total; ++failAt) {
        SCOPED_TRACE("statement " + std::to_string(failAt) + " of " + std::to_string(total) + " fails");
        recorder.calls.clear();
        const size_t logBefore = LogText().size();
        const bool paid = RunPopup(failAt, statements);
        if (!tieRefused) {
            EXPECT_NE(LogText().find("database refused the statement", logBefore), std::string::npos);
        }
        // The host sees either the payment or nothing: never an amount without its popup ending well.
        if (!paid && !recorder.calls.empty()) {
            EXPECT_EQ(recorder.calls.back(), "change amount=0 gratuity=0");
        }
    }
}

class ReportFaults : public ::testing::Test {
protected:
    // Runs the report on the given answers; returns the error text, "" when a page was shown.
    std::string Run(std::vector<std::string> answers) {
        host.script->jsons.assign(answers.begin(), answers.end());
        host.viewer->pages.clear();
        try {
            RunReport(TServices(host.container), EncodeDate(2026, 12, 1), EncodeDate(2026, 12, 31));
        } catch (const EJsonError& e) {
            EXPECT_TRUE(host.viewer->pages.empty()) << "a page shown for a result that could not be read";
            return e.what();
        }
        EXPECT_EQ(host.viewer->pages.size(), 1u);
        return "";
    }

    TTestHost host;
    TScopedRegional regional{PointRegional()};
    static constexpr const char* kTotals =
        R"([{"PaymentType":"Uber","TotalTransactions":1,"Completed":1,"TotalAmount":"10.00","TotalGratuity":"0.00",)"
        R"("OverrungInvoices":0,"OverrungTotal":"0.00"}])";
};

TEST_F(ReportFaults, TheDetailsQueryFailingAfterTheTotalsShowsNothing) {
    int calls = 0;
    host.script->failOn = [&calls](const std::string&) { return ++calls == 2; };
    host.script->jsons = {kTotals};
    EXPECT_EQ(RaisedError([&] { RunReport(TServices(host.container), EncodeDate(2026, 12, 1), EncodeDate(2026, 12, 31)); }),
              "std::runtime_error: database refused the statement");
    EXPECT_TRUE(host.viewer->pages.empty());
}

TEST_F(ReportFaults, ResultsCutOffOfTheWrongShapeOrTypeAreClearErrors) {
    const std::string detail =
        R"({"TransactionDate":"2026/12/01","PaymentType":"Uber","TransactionTime":"10:00:00:000","InvoiceNum":5,)"
        R"("Reference":"R","InvoiceAmount":"10.00","Amount":"10.00","Gratuity":"0.00","InvoiceStatus":"",)"
        R"("TransactionID":1,"CashierName":"Ann"})";
    EXPECT_EQ(Run({kTotals, "[" + detail + "]"}), "");
    const std::string cut = std::string(kTotals).substr(0, std::string(kTotals).find(",\"TotalAmount\""));
    EXPECT_EQ(Run({cut}), "JSON: expected ',' or '}' at offset " + std::to_string(cut.size()));
    EXPECT_EQ(Run({std::string(kTotals).substr(0, 60)}), "JSON: expected '\"' closing the string at offset 60");
    EXPECT_EQ(Run({kTotals, "[" + detail}), "JSON: expected ',' or ']' at offset " + std::to_string(detail.size() + 1));
    EXPECT_EQ(Run({R"({"PaymentType":"Uber"})"}), "JSON: expected '[' starting an array of rows at offset 0");
    EXPECT_EQ(Run({"[1,2]"}), "JSON: expected '{' starting a row object at offset 1");
    EXPECT_EQ(Run({""}), "JSON: expected '[' starting an array of rows at offset 0");
    std::string wrongType = kTotals;
    wrongType.replace(wrongType.find("\"10.00\""), 7, "[10]");
    EXPECT_NE(Run({wrongType}).find("TotalAmount"), std::string::npos);
    std::string letters = kTotals;
    letters.replace(letters.find("\"10.00\""), 7, "\"ten\"");
    EXPECT_NE(Run({letters}).find("\"TotalAmount\" at offset"), std::string::npos);
    std::string missing = kTotals;
    missing.replace(missing.find("\"Completed\""), 11, "\"Done\"");
    EXPECT_EQ(Run({missing}), "JSON: row 0 has no member \"Completed\"");
}

TEST_F(ReportFaults, DeeplyNestedAndHugeResultsAreRefusedWithoutCrashing) {
    EXPECT_EQ(Run({std::string(100000, '[')}), "JSON: expected '{' starting a row object at offset 1");
    const std::string nested = R"([{"PaymentType":)" + std::string(100000, '[') + std::string(100000, ']') + "}]";
    EXPECT_EQ(Run({nested}), "JSON: expected less deeply nested values at offset 529");

    constexpr size_t k50MB = 50u << 20;
    std::string unterminated = R"([{"PaymentType":")";
    unterminated.append(k50MB, 'x');
    EXPECT_EQ(Run({unterminated}),
              "JSON: expected '\"' closing the string at offset " + std::to_string(unterminated.size()));

    // 50 MB of well-formed rows whose last one is cut off: read to the end, then refused.
    std::string rows = "[";
    const std::string row = std::string(kTotals).substr(1, std::string(kTotals).size() - 2);
    while (rows.size() < k50MB) rows += row + ",";
    rows.resize(rows.size() - 10);
    EXPECT_EQ(Run({rows}).rfind("JSON: expected ", 0), 0u);
}

}  // namespace
}  // namespace orvo::test
