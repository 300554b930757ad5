// Running the report against the host's services: statements, order, failures, the viewer.
#include <gtest/gtest.h>

#include <sstream>

#include "backoffice/ExtraPaymentsReport.h"
#include "backoffice/JsonRows.h"
#include "common/clsSQLStatements.h"
#include "module/Log.h"
#include "platform/DateTime.h"
#include "tests/support/TestSupport.h"

namespace orvo {
namespace {

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
    EXPECT_EQ((*host.journal)[0], "Script.QueryJSON " + SQLText(TSQL::ReportTotals) + " | '2026-12-01', '2026-12-31'");
    EXPECT_EQ((*host.journal)[1], "Script.QueryJSON " + SQLText(TSQL::ReportDetails) + " | '2026-12-01', '2026-12-31'");
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
