// Running the report against the host's services: statements, order, failures, the viewer.
#include <gtest/gtest.h>

#include <sstream>

#include "backoffice/ExtraPaymentsReport.h"
#include "backoffice/JsonRows.h"
#include "module/Log.h"
#include "platform/DateTime.h"
#include "tests/support/TestSupport.h"

namespace orvo {
namespace {

std::vector<std::string> Lines(const std::string& statement) {
    std::vector<std::string> lines;
    size_t from = 0;
    for (size_t at; (at = statement.find("\r\n", from)) != std::string::npos; from = at + 2)
        lines.push_back(statement.substr(from, at - from));
    lines.push_back(statement.substr(from));
    return lines;
}

std::string TrimRight(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

TEST(ReportStatements, LinesPaddedToOneWidthAndJoinedByCarriageReturnLineFeed) {
    for (const std::string* statement : {&TotalsStatement(), &DetailsStatement()}) {
        const auto lines = Lines(*statement);
        for (const auto& line : lines) EXPECT_EQ(line.size(), lines.front().size()) << line;
        EXPECT_EQ(statement->find('\n', 0) - 1, statement->find('\r'));
    }
    const auto totals = Lines(TotalsStatement());
    ASSERT_EQ(totals.size(), 17u);
    EXPECT_EQ(TrimRight(totals[0]), " SELECT [PaymentType]       = ET.PaymentMethod,");
    EXPECT_EQ(TrimRight(totals[16]), " GROUP BY ET.PaymentMethod");
    const auto details = Lines(DetailsStatement());
    ASSERT_EQ(details.size(), 19u);
    EXPECT_EQ(TrimRight(details[2]), "       [TransactionTime] = CONVERT( VARCHAR, ET.TImestamp_Created, 114 ),");
    EXPECT_EQ(TrimRight(details[18]), " ORDER BY ET.PaymentMethod, ET.Timestamp_Created;");
}

class RunReportTest : public ::testing::Test {
protected:
    test::TTestHost host;
    test::TScopedRegional regional{test::PointRegional()};
    const TDateTime from = EncodeDate(2026, 12, 1) + 0.5;
    const TDateTime to = EncodeDate(2026, 12, 31) + EncodeTime(23, 59, 59, 999);
};

TEST_F(RunReportTest, QueriesTotalsThenDetailsWithQuotedDaysThenShowsOnePage) {
    host.script->jsons = {
        R"([{"PaymentType":"Uber","TotalTransactions":1,"Completed":0,"TotalAmount":"0.00","TotalGratuity":"0.00",)"
        R"("OverrungInvoices":0,"OverrungTotal":"0.00"}])",
        "[]"};
    RunReport(TServices(host.container), from, to);
    ASSERT_EQ(host.journal->size(), 3u);
    EXPECT_EQ((*host.journal)[0], "Script.QueryJSON " + TotalsStatement() + " | '2026-12-01', '2026-12-31'");
    EXPECT_EQ((*host.journal)[1], "Script.QueryJSON " + DetailsStatement() + " | '2026-12-01', '2026-12-31'");
    EXPECT_EQ((*host.journal)[2], "Viewer.ShowHTML");
    ASSERT_EQ(host.viewer->pages.size(), 1u);
    const std::string& page = host.viewer->pages[0];
    EXPECT_NE(page.find("<h2>Extra Payment Report: 2026-12-01 - 2026-12-31 </h2>"), std::string::npos);
    EXPECT_NE(page.find("<tr>  <td>Uber</td>"), std::string::npos);
    EXPECT_NE(page.find("<base href=\"file://" + ReportResourceFolder() + "\">"), std::string::npos);
    EXPECT_EQ(page.substr(page.size() - 14), "</body></html>");
}

TEST_F(RunReportTest, ATotalsFailureEndsTheRunBeforeTheDetailsQueryAndShowsNothing) {
    host.script->failOn = [](const std::string&) { return true; };
    EXPECT_EQ(test::RaisedError([&] { RunReport(TServices(host.container), from, to); }),
              "std::runtime_error: database refused the statement");
    EXPECT_EQ(host.journal->size(), 1u);
    EXPECT_TRUE(host.viewer->pages.empty());
}

TEST_F(RunReportTest, BothResultsAreReadBeforeAnyPageAndABadOneShowsNothing) {
    host.script->jsons = {"[]", "{\"not\":\"rows\"}"};
    EXPECT_THROW(RunReport(TServices(host.container), from, to), EJsonError);
    EXPECT_EQ(host.journal->size(), 2u);
    EXPECT_TRUE(host.viewer->pages.empty());
}

TEST_F(RunReportTest, MissingServicesAreClearErrorsNotCrashes) {
    host.container->UnregisterFactory(IHTMLViewer::IID);
    EXPECT_THROW(RunReport(TServices(host.container), from, to), EAssertionFailed);
    host.container->UnregisterFactory(IDBScript::IID);
    try {
        RunReport(TServices(host.container), from, to);
        FAIL() << "no error";
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Could not create DBScript (FExtraPaymentsReports, line ", 0), 0u);
    }
    EXPECT_TRUE(host.journal->empty());
}

}  // namespace
}  // namespace orvo
