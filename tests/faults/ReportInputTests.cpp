// Query results in unusual but valid forms: rows listing their members in different orders,
// and money texts of every form the server or a hand-made statement may send. The page reads
// each member by name, and shows money exactly as the regional format of its value says.
#include <gtest/gtest.h>

#include "backoffice/JsonRows.h"
#include "backoffice/ReportPage.h"
#include "platform/MoneyFormat.h"
#include "tests/support/TestSupport.h"

namespace orvo::test {
namespace {

std::string Page(const std::string& totals, const std::string& details, const platform::TRegionalSettings& regional) {
    const TJsonRows t = TJsonRows::Parse(totals), d = TJsonRows::Parse(details);
    std::string page;
    BuildReportPage(page, {"Res/", "2026-12-01", "2026-12-31", t, d, regional});
    return page;
}

std::string TotalsRow(const std::string& amount) {
    return R"({"PaymentType":"Uber","TotalTransactions":1,"Completed":1,"TotalAmount":)" + amount +
           R"(,"TotalGratuity":"0","OverrungInvoices":0,"OverrungTotal":null})";
}

TEST(ReportInput, RowsListingTheirMembersInAnyOrderReadTheSame) {
    const std::string inOrder =
        R"([{"TransactionDate":"2026/12/01","PaymentType":"Uber","TransactionTime":"10:00","InvoiceNum":5,)"
        R"("Reference":"A","InvoiceAmount":"1.00","Amount":"2.00","Gratuity":"3.00","InvoiceStatus":"",)"
        R"("TransactionID":1,"CashierName":"Ann"},)"
        R"({"TransactionDate":"2026/12/02","PaymentType":"Uber","TransactionTime":"11:00","InvoiceNum":6,)"
        R"("Reference":"B","InvoiceAmount":"4.00","Amount":"5.00","Gratuity":"6.00","InvoiceStatus":"Overrung",)"
        R"("TransactionID":2,"CashierName":"Bob"}])";
    const std::string shuffled =
        R"([{"CashierName":"Ann","TransactionID":1,"InvoiceStatus":"","Gratuity":"3.00","Amount":"2.00",)"
        R"("InvoiceAmount":"1.00","Reference":"A","InvoiceNum":5,"TransactionTime":"10:00","PaymentType":"Uber",)"
        R"("TransactionDate":"2026/12/01"},)"
        R"({"Reference":"B","TransactionDate":"2026/12/02","Gratuity":"6.00","PaymentType":"Uber","Amount":"5.00",)"
        R"("TransactionTime":"11:00","InvoiceStatus":"Overrung","InvoiceNum":6,"CashierName":"Bob",)"
        R"("InvoiceAmount":"4.00","TransactionID":2}])";
    const std::string totals = "[" + TotalsRow("\"1.00\"") + "]";
    const std::string page = Page(totals, inOrder, PointRegional());
    EXPECT_EQ(Page(totals, shuffled, PointRegional()), page);
    EXPECT_NE(page.find("Bob"), std::string::npos);
}

TEST(ReportInput, MoneyTextsOfEveryFormShowAsTheirValueInTheRegionalFormat) {
    const char* amounts[] = {"\"1250.5\"",    "\"-0.00\"", "\"12.345\"", "\"0.005\"",
                             "\"-0.125\"",    "\"1e3\"",   "\"+5\"",     "\" 7 \"",
                             "\"007.10\"",    "12.5",      "-3",         "\"123456789012345678\"",
                             "\"-1250.4999\""};
    for (int decimals : {0, 2, 3}) {
        platform::TRegionalSettings regional = CommaRegional();
        regional.CurrencyDecimals = uint8_t(decimals);
        for (const char* amount : amounts) {
            SCOPED_TRACE(std::string(amount) + " with " + std::to_string(decimals) + " decimals");
            const std::string totals = "[" + TotalsRow(amount) + "]";
            const TJsonRows rows = TJsonRows::Parse(totals);
            std::string expected = "<td style=\"text-align:right\">";
            AppendMoney(expected, JsonNumber(*rows.Find(0, "TotalAmount"), "TotalAmount"), regional);
            expected += "</td>";
            EXPECT_NE(Page(totals, "[]", regional).find(expected), std::string::npos) << expected;
        }
    }
}

TEST(ReportInput, MoneyNearTheTopOfItsRangeShowsItsExactCents) {
    // No double holds 99,999,999,999,999.99; its nearest one would show .98.
    const std::string totals = "[" + TotalsRow("\"-99999999999999.99\"") + "]";
    EXPECT_NE(Page(totals, "[]", CommaRegional()).find(">-99.999.999.999.999,99 EUR<"), std::string::npos)
        << Page(totals, "[]", CommaRegional());
}

}  // namespace
}  // namespace orvo::test
