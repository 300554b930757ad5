// Query results in unusual but valid forms: rows listing their members in different orders,
// and money texts of every form the server or a hand-made statement may send. The page reads
// each member by name, and shows money exactly as the regional format of its value says.
#include <gtest/gtest.h>

#include "backoffice/JsonRows.h"
#include "backoffice/ReportPage.h"
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

// Mended: money text with more decimals than shown went through a binary double and rounded
// ties to even ("12.5" showed 12 with no decimals, "-0.125" -0,12, "12.345" 12,34).
TEST(ReportInput, MoneyTextsOfEveryFormShowAsTheirValueInTheRegionalFormat) {
    struct TCase {
        const char* amount;
        const char* shown[3];  // with 0, 2 and 3 decimals
    };
    const TCase cases[] = {
        {"\"1250.5\"", {"1.251 EUR", "1.250,50 EUR", "1.250,500 EUR"}},
        {"\"-0.00\"", {"0 EUR", "0,00 EUR", "0,000 EUR"}},
        {"\"12.345\"", {"12 EUR", "12,35 EUR", "12,345 EUR"}},
        {"\"0.005\"", {"0 EUR", "0,01 EUR", "0,005 EUR"}},
        {"\"-0.125\"", {"0 EUR", "-0,13 EUR", "-0,125 EUR"}},
        {"\"1e3\"", {"1.000 EUR", "1.000,00 EUR", "1.000,000 EUR"}},
        {"\"+5\"", {"5 EUR", "5,00 EUR", "5,000 EUR"}},
        {"\" 7 \"", {"7 EUR", "7,00 EUR", "7,000 EUR"}},
        {"\"007.10\"", {"7 EUR", "7,10 EUR", "7,100 EUR"}},
        {"12.5", {"13 EUR", "12,50 EUR", "12,500 EUR"}},
        {"-3", {"-3 EUR", "-3,00 EUR", "-3,000 EUR"}},
        {"\"123456789012345678\"",
         {"123.456.789.012.345.678 EUR", "123.456.789.012.345.678,00 EUR", "123.456.789.012.345.678,000 EUR"}},
        {"\"-1250.4999\"", {"-1.250 EUR", "-1.250,50 EUR", "-1.250,500 EUR"}},
    };
    for (const TCase& c : cases) {
        for (int column = 0; column < 3; ++column) {
            platform::TRegionalSettings regional = CommaRegional();
            regional.CurrencyDecimals = uint8_t(column == 0 ? 0 : column + 1);
            SCOPED_TRACE(std::string(c.amount) + " with " + std::to_string(regional.CurrencyDecimals) + " decimals");
            const std::string expected = std::string("<td style=\"text-align:right\">") + c.shown[column] + "</td>";
            const std::string page = Page("[" + TotalsRow(c.amount) + "]", "[]", regional);
            EXPECT_NE(page.find(expected), std::string::npos) << expected;
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
