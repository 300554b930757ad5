// The report page: every fragment in order, grouping, money cells, nulls and escaping.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "backoffice/ReportPage.h"
#include "tests/support/TestSupport.h"

namespace orvo {
namespace {

constexpr const char* kTotals =
    R"([{"PaymentType":"Mr D","TotalTransactions":1,"Completed":1,"TotalAmount":"85.00","TotalGratuity":"0.00",)"
    R"("OverrungInvoices":0,"OverrungTotal":"0.00"},)"
    R"({"PaymentType":"Uber","TotalTransactions":3,"Completed":2,"TotalAmount":"1250.50","TotalGratuity":"29.50",)"
    R"("OverrungInvoices":1,"OverrungTotal":"150.00"}])";

constexpr const char* kDetails =
    R"([{"TransactionDate":"2026/12/07","PaymentType":"Mr D","TransactionTime":"09:15:02:120","InvoiceNum":1001,)"
    R"("Reference":"MRD-77","InvoiceAmount":"85.00","Amount":"85.00","Gratuity":"0.00","InvoiceStatus":"",)"
    R"("TransactionID":2,"CashierName":"Thandi Mokoena"},)"
    R"({"TransactionDate":"2026/12/07","PaymentType":"Uber","TransactionTime":"08:01:00:005","InvoiceNum":1000,)"
    R"("Reference":"<b>UB&1</b>","InvoiceAmount":"1100.50","Amount":"1100.50","Gratuity":"29.50",)"
    R"("InvoiceStatus":"","TransactionID":1,"CashierName":"Sipho \"Sly\" Dube"},)"
    R"({"TransactionDate":"2026/12/08","PaymentType":"Uber","TransactionTime":"17:45:30:999","InvoiceNum":1002,)"
    R"("Reference":"","InvoiceAmount":"150.00","Amount":null,"Gratuity":null,"InvoiceStatus":"Overrung",)"
    R"("TransactionID":3,"CashierName":null}])";

std::string Page(std::string_view totals, std::string_view details, std::string_view from, std::string_view to,
                 const platform::TRegionalSettings& regional) {
    const TJsonRows t = TJsonRows::Parse(totals);
    const TJsonRows d = TJsonRows::Parse(details);
    std::string page;
    BuildReportPage(page, {"C:\\Orvo\\Res\\", from, to, t, d, regional});
    return page;
}

size_t Count(const std::string& text, std::string_view what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST(ReportPage, MatchesTheHandWrittenPageByteForByte) {
    std::ifstream in(std::string(ORVO_REPORT_GOLDEN_DIR) + "/two-methods.html", std::ios::binary);
    const std::string expected((std::istreambuf_iterator<char>(in)), {});
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(Page(kTotals, kDetails, "2026-12-07", "2026-12-08", test::PointRegional()), expected);
}

TEST(ReportPage, TheBaseAddressIsWrittenAsAnAttributeValue) {
    const struct {
        const char* folder;
        const char* href;
    } cases[] = {
        {"C:\\Orvo\\Res\\", "file://C:\\Orvo\\Res\\"},
        {"C:\\Program Files (x86)\\Orvo Suite\\Res\\", "file://C:\\Program Files (x86)\\Orvo Suite\\Res\\"},
        {"\\\\till-1\\pos$\\Res\\", "file://\\\\till-1\\pos$\\Res\\"},
        {"D:\\R&D \"Till\"\\Res\\", "file://D:\\R&amp;D &quot;Till&quot;\\Res\\"},
        {"C:\\Suite #2\\100%\\Res\\", "file://C:\\Suite %232\\100%25\\Res\\"},
        {"%23#%", "file://%2523%23%25"},
        {"/opt/x\"><script>alert(1)</script>/Res/",
         "file:///opt/x&quot;&gt;&lt;script&gt;alert(1)&lt;/script&gt;/Res/"},
        {"", "file://"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        const TJsonRows none = TJsonRows::Parse("[]");
        std::string page;
        BuildReportPage(page, {c.folder, "2026-12-07", "2026-12-07", none, none, test::PointRegional()});
        const std::string head = std::string("<html><head><base href=\"") + c.href + "\">\t\t<style> ";
        EXPECT_EQ(page.substr(0, head.size()), head);
    }
}

TEST(ReportPage, OneDateInTheHeadingForASingleDay) {
    const std::string page = Page("[]", "[]", "2026-12-07", "2026-12-07", test::PointRegional());
    EXPECT_NE(page.find("<h2>Extra Payment Report: 2026-12-07 </h2>"), std::string::npos);
}

TEST(ReportPage, EmptyResultsLeaveTheHeadingRowAndNoDetailTable) {
    const std::string page = Page("[]", "[]", "2026-12-08", "2026-12-01", test::PointRegional());
    EXPECT_NE(page.find("<h2>Extra Payment Report: 2026-12-08 - 2026-12-01 </h2>"), std::string::npos);
    EXPECT_NE(page.find("  </tr></thead></table><h2>Transaction Details</h2></body></html>"), std::string::npos);
    EXPECT_EQ(Count(page, "<table"), 1u);
}

TEST(ReportPage, EachPaymentTypeGetsItsOwnTableClosedBeforeTheNextHeading) {
    const std::string page = Page(kTotals, kDetails, "2026-12-07", "2026-12-08", test::PointRegional());
    EXPECT_EQ(Count(page, "<h3>Payment Type: "), 2u);
    EXPECT_EQ(Count(page, "<table"), 3u);
    EXPECT_EQ(Count(page, "</table>"), 3u);
    EXPECT_NE(page.find("</tr></table><h3>Payment Type: Uber</h3>"), std::string::npos);
    // The comparison is exact: a type that differs only in case opens a group of its own.
    const std::string cased = Page("[]",
                                   R"([{"TransactionDate":"","PaymentType":"Uber","TransactionTime":"","InvoiceNum":1,
        "Reference":"","InvoiceAmount":null,"Amount":null,"Gratuity":null,"InvoiceStatus":"","TransactionID":1,
        "CashierName":""},{"TransactionDate":"","PaymentType":"UBER","TransactionTime":"","InvoiceNum":2,
        "Reference":"","InvoiceAmount":null,"Amount":null,"Gratuity":null,"InvoiceStatus":"","TransactionID":2,
        "CashierName":""}])",
                                   "2026-12-07", "2026-12-07", test::PointRegional());
    EXPECT_EQ(Count(cased, "<h3>Payment Type: "), 2u);
}

TEST(ReportPage, MoneyFollowsTheRegionalCurrencyFormat) {
    const std::string page = Page(kTotals, kDetails, "2026-12-07", "2026-12-08", test::CommaRegional());
    EXPECT_NE(page.find("<td style=\"text-align:right\">1.250,50 EUR</td>"), std::string::npos);
    EXPECT_NE(page.find("<td style=\"text-align:right\">1.100,50 EUR</td>"), std::string::npos);
    EXPECT_EQ(page.find("R1,250.50"), std::string::npos);
}

TEST(ReportPage, MarkupInValuesAndTypeNamesIsEscaped) {
    const std::string details =
        R"([{"TransactionDate":"x","PaymentType":"<script>alert(1)</script>","TransactionTime":"x","InvoiceNum":1,)"
        R"("Reference":"\"><img src=x onerror=alert(2)>","InvoiceAmount":"1","Amount":"1","Gratuity":"0",)"
        R"("InvoiceStatus":"","TransactionID":1,"CashierName":"A & B"}])";
    const std::string page = Page("[]", details, "2026-12-07", "2026-12-07", test::PointRegional());
    EXPECT_EQ(page.find("<script>"), std::string::npos);
    EXPECT_EQ(page.find("<img"), std::string::npos);
    EXPECT_NE(page.find("<h3>Payment Type: &lt;script&gt;alert(1)&lt;/script&gt;</h3>"), std::string::npos);
    EXPECT_NE(page.find("&quot;&gt;&lt;img src=x onerror=alert(2)&gt;"), std::string::npos);
    EXPECT_NE(page.find(">A &amp; B</td>"), std::string::npos);
}

// A detail row with the type, reference and money given as JSON values.
std::string DetailRow(std::string_view type, std::string_view reference, std::string_view money) {
    return std::string(R"({"TransactionDate":"d","PaymentType":)") + std::string(type) +
           R"(,"TransactionTime":"t","InvoiceNum":1,"Reference":)" + std::string(reference) + R"(,"InvoiceAmount":)" +
           std::string(money) + R"(,"Amount":)" + std::string(money) +
           R"(,"Gratuity":null,"InvoiceStatus":"","TransactionID":1,"CashierName":""})";
}

// Mended: money text went in unescaped, so a currency symbol or separator holding markup opened
// a tag in every money cell; control characters of values went in raw, a NUL cutting the page
// for a host reading it as a C string.
TEST(ReportPage, EveryTextItShowsIsEscapedMoneyAndControlCharactersIncluded) {
    struct TCase {
        const char* currency;
        char thousands, decimal;
        const char* reference;  // JSON
        const char* money;      // 1250.5 as shown, then the reference as shown
        const char* shown;
    };
    const TCase cases[] = {
        {"<b>R&amp;", ',', '.', R"("UB-1")", "&lt;b&gt;R&amp;amp;1,250.50", "UB-1"},
        {"R", '<', '.', R"("UB-1")", "R1&lt;250.50", "UB-1"},
        {"R", '\0', '"', R"("UB-1")", "R1250&quot;50", "UB-1"},
        {"\t", ',', '.', R"("UB-1")", "&#x09;1,250.50", "UB-1"},
        {"R", ',', '.', R"("A\u0000B")", "R1,250.50", "A&#xFFFD;B"},
        {"R", ',', '.', R"("\u0001\t\r\n\u001f\u007f<&")", "R1,250.50",
         "&#x01;&#x09;&#x0D;&#x0A;&#x1F;&#x7F;&lt;&amp;"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.shown);
        platform::TRegionalSettings regional = test::PointRegional();
        regional.CurrencyString = c.currency;
        regional.ThousandSeparator = c.thousands;
        regional.DecimalSeparator = c.decimal;
        const std::string page = Page("[]", "[" + DetailRow(R"("Uber")", c.reference, R"("1250.5")") + "]",
                                      "2026-12-07", "2026-12-07", regional);
        const std::string cells = std::string(">") + c.money + "</td><td style=\"white-space:nowrap\">" + c.shown +
                                  "</td><td style=\"text-align:right\">" + c.money + "</td>";
        EXPECT_NE(page.find(cells), std::string::npos) << page;
        EXPECT_EQ(page.find('\0'), std::string::npos);
    }
}

// Mended: rows of an empty or null payment type were written before any table was opened.
TEST(ReportPage, AnEmptyOrNullPaymentTypeGetsItsGroupAndTable) {
    const std::string details = "[" + DetailRow("null", R"("a")", "null") + "," + DetailRow(R"("")", R"("b")", "null") +
                                "," + DetailRow(R"("Uber")", R"("c")", "null") + "]";
    const std::string page = Page("[]", details, "2026-12-07", "2026-12-07", test::PointRegional());
    EXPECT_NE(page.find("<h2>Transaction Details</h2><h3>Payment Type: </h3><table border=1"), std::string::npos)
        << page;
    EXPECT_NE(page.find("</tr></table><h3>Payment Type: Uber</h3><table border=1"), std::string::npos) << page;
    EXPECT_EQ(Count(page, "<h3>"), 2u);
    EXPECT_EQ(Count(page, "<table"), 3u);
    EXPECT_EQ(Count(page, "</table>"), 3u);
}

TEST(ReportPage, AMissingOrUnconvertibleMemberIsAnError) {
    EXPECT_THROW(Page(R"([{"PaymentType":"Uber"}])", "[]", "a", "b", test::PointRegional()), EJsonError);
    const std::string badMoney =
        R"([{"PaymentType":"Uber","TotalTransactions":1,"Completed":1,"TotalAmount":"abc","TotalGratuity":"0",)"
        R"("OverrungInvoices":0,"OverrungTotal":"0"}])";
    EXPECT_THROW(Page(badMoney, "[]", "a", "b", test::PointRegional()), EJsonError);
}

}  // namespace
}  // namespace orvo
