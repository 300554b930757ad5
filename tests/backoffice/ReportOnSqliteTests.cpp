// The report against the reference host's database: rows written by the module's own
// transaction service and the suite's tables, both statements run as sent, the page as the
// viewer receives it.
#include <gtest/gtest.h>

#include <optional>

#include "backoffice/ExtraPaymentsReport.h"
#include "entry/ModuleLifecycle.h"
#include "host/THostStrings.h"
#include "host/sqlite/TSqliteScript.h"
#include "interfaces/intfDatabaseChanges.h"
#include "interfaces/intfExtraPaymentsTransaction.h"
#include "platform/DateTime.h"
#include "tests/support/TestSupport.h"

namespace orvo {
namespace {

constexpr std::string_view kDetailTableHead =
    "<table border=1 style=\"border:1px solid black\" width=100%>  <thead><tr  style=\"padding:5px\">"
    "    <th>Date</th>    <th>Time</th>    <th>Invoice Num</th>    <th>Invoice Total</th>    <th>Reference</th>"
    "    <th>Amount</th>    <th>Gratuity</th>    <th>Invoice Status</th>    <th>Transaction ID</th>"
    "    <th>Cashier Name</th>  </tr></thead>";

std::string Right(std::string_view value) { return "<td style=\"text-align:right\">" + std::string(value) + "</td>"; }
std::string Nowrap(std::string_view value) {
    return "<td style=\"white-space:nowrap\">" + std::string(value) + "</td>";
}

std::string TotalsRow(std::string_view type, int transactions, int completed, std::string_view amount,
                      std::string_view gratuity, int overrung, std::string_view overrungTotal) {
    const auto cell = [](std::string_view value) { return "  " + Right(value); };
    return "<tr>  <td>" + std::string(type) + "</td>" + cell(std::to_string(transactions)) +
           cell(std::to_string(completed)) + cell(amount) + cell(gratuity) + cell(std::to_string(overrung)) +
           cell(overrungTotal) + "</tr>";
}

struct TDetail {
    std::string date, time;
    int invoice;
    std::string invoiceTotal, reference, amount, gratuity, status;
    int id;
    std::string cashier;
};

std::string DetailRow(const TDetail& d) {
    return "<tr>" + Nowrap(d.date) + Nowrap(d.time) + Right(std::to_string(d.invoice)) + Right(d.invoiceTotal) +
           Nowrap(d.reference) + Right(d.amount) + Right(d.gratuity) + Nowrap(d.status) + Nowrap(std::to_string(d.id)) +
           Nowrap(d.cashier) + "</tr>";
}

std::string Between(const std::string& page, std::string_view from, std::string_view to) {
    const size_t begin = page.find(from);
    const size_t end = page.find(to, begin);
    if (begin == std::string::npos || end == std::string::npos) return "(not found in: " + page + ")";
    return page.substr(begin + from.size(), end - begin - from.size());
}
std::string Totals(const std::string& page) {
    return Between(page, "    <th>Overrung Total</th>  </tr></thead>", "</table><h2>Transaction Details</h2>");
}
std::string Details(const std::string& page) { return Between(page, "<h2>Transaction Details</h2>", "</body>"); }

class ReportOnSqlite : public ::testing::Test {
protected:
    void SetUp() override {
        FinalModule();
        database->CreateSuiteTables();
        host.container->RegisterFactory(IDBScript::IID, MakeObject<host::TSqliteScriptFactory>(database).Get());
        InitModule(host.container.Get());
        host::THostStrings scripts;
        ResolveNamedOf<IDatabaseChanges>(*host.container, "ExtraPayments")->GetChanges(0, scripts);
        for (const AnsiString& script : scripts.Lines()) database->Run(script.view());
        transaction = ResolveOf<IExtraPaymentsTransaction>(*host.container);
    }
    void TearDown() override {
        transaction.Reset();
        FinalModule();
    }

    // A payment as the till records it: the row the module inserts at the database's time, then
    // its reference and amount, then its invoice when the host saved one.
    int32_t Pay(std::string_view method, host::TDbDateTime at, std::string_view reference, double amount,
                std::optional<int32_t> invoice = std::nullopt) {
        database->SetClock([at] { return at; });
        const int32_t id = transaction->AddTransaction(AnsiString(method));
        transaction->UpdateTransaction(id, AnsiString(reference), amount);
        if (invoice) transaction->SetInvoiceNum(id, *invoice);
        return id;
    }
    // Values as T-SQL literals: numbers, NULL, or quoted texts.
    void Invoice(int number, std::string_view status, std::string_view afterDisc, int cashier) {
        database->Run("INSERT INTO [INVOICES] ( [INVOICENUM], [STATUS], [AFTERDISC], [CASHIER] ) VALUES ( " +
                      std::to_string(number) + ", " + std::string(status) + ", " + std::string(afterDisc) + ", " +
                      std::to_string(cashier) + " )");
    }
    void Payment(int invoice, std::string_view type, std::string_view amount, std::string_view gratuity) {
        database->Run("INSERT INTO [InvoicesPayment] ( [InvoiceNum], [PaymentType], [Amount], [Gratuity] ) VALUES ( " +
                      std::to_string(invoice) + ", " + QuotedSQL(type) + ", " + std::string(amount) + ", " +
                      std::string(gratuity) + " )");
    }
    void Employee(int number, std::string_view first, std::string_view last) {
        database->Run("INSERT INTO [EMPLOYEE] ( [EMPNUM], [FIRSTNAME], [LASTNAME] ) VALUES ( " +
                      std::to_string(number) + ", " + std::string(first) + ", " + std::string(last) + " )");
    }
    // An invoice of status settled by one payment line of method.
    void SettledInvoice(int number, std::string_view status, std::string_view method, std::string_view amount,
                        std::string_view gratuity, int cashier = 7) {
        Invoice(number, status, amount, cashier);
        Payment(number, method, amount, gratuity);
    }
    // Runs the report from the first day's noon to the last day's final millisecond, as the
    // reports window passes a range, and returns the page the viewer got.
    std::string Report(int fromDay, int toDay) {
        const size_t pages = host.viewer->pages.size();
        RunReport(TServices(host.container), EncodeDate(2031, 2, fromDay) + 0.5,
                  EncodeDate(2031, 2, toDay) + EncodeTime(23, 59, 59, 999));
        EXPECT_EQ(host.viewer->pages.size(), pages + 1);
        return host.viewer->pages.empty() ? std::string() : host.viewer->pages.back();
    }

    std::shared_ptr<host::TSqliteDatabase> database = std::make_shared<host::TSqliteDatabase>(":memory:");
    test::TTestHost host;
    test::TScopedRegional regional{test::PointRegional()};
    ComPtr<IExtraPaymentsTransaction> transaction;
};

TEST_F(ReportOnSqlite, ASingleDayTakesItsFirstAndLastMillisecondAndAWiderRangeEveryDayBetween) {
    Employee(7, "'Thandi '", "'Mokoena '");
    Pay("Uber", {2031, 2, 2, 23, 59, 59, 999}, "U-1", 100, 1001);
    SettledInvoice(1001, "0", "Uber", "100", "0");
    Pay("Uber", {2031, 2, 3, 0, 0, 0, 0}, "U-2", 55, 1002);
    SettledInvoice(1002, "0", "Uber", "50", "5");
    Pay("Uber", {2031, 2, 3, 23, 59, 59, 999}, "U-3", 20.25, 1003);
    SettledInvoice(1003, "0", "Uber", "20.25", "0");
    Pay("Uber", {2031, 2, 4, 0, 0, 0, 0}, "U-4", 30, 1004);
    SettledInvoice(1004, "0", "Uber", "30", "0");

    const std::string day = Report(3, 3);
    EXPECT_NE(day.find("<h2>Extra Payment Report: 2031-02-03 </h2>"), std::string::npos);
    EXPECT_EQ(Totals(day), TotalsRow("Uber", 2, 2, "R70.25", "R5.00", 0, "R0.00"));
    EXPECT_EQ(Details(day), "<h3>Payment Type: Uber</h3>" + std::string(kDetailTableHead) +
                                DetailRow({"2031/02/03", "00:00:00:000", 1002, "R50.00", "U-2", "R50.00", "R5.00", "",
                                           2, "Thandi Mokoena"}) +
                                DetailRow({"2031/02/03", "23:59:59:999", 1003, "R20.25", "U-3", "R20.25", "R0.00", "",
                                           3, "Thandi Mokoena"}) +
                                "</table>");

    const std::string range = Report(2, 4);
    EXPECT_NE(range.find("<h2>Extra Payment Report: 2031-02-02 - 2031-02-04 </h2>"), std::string::npos);
    EXPECT_EQ(Totals(range), TotalsRow("Uber", 4, 4, "R200.25", "R5.00", 0, "R0.00"));
    for (const char* cell : {">2031/02/02<", ">2031/02/04<", ">U-1<", ">U-4<"})
        EXPECT_NE(Details(range).find(cell), std::string::npos) << cell;
}

TEST_F(ReportOnSqlite, TransactionsWithoutAnInvoiceCountInTheTotalsOnly) {
    Employee(7, "'Sipho'", "'Dube'");
    Pay("Uber", {2031, 2, 3, 9, 0, 0, 0}, "U-1", 80, 2001);
    SettledInvoice(2001, "0", "Uber", "80", "0");
    Pay("Uber", {2031, 2, 3, 9, 5, 0, 0}, "U-2", 40);         // the invoice was never saved
    Pay("Uber", {2031, 2, 3, 9, 10, 0, 0}, "U-3", 15, 2999);  // no such invoice
    Pay("Mr D", {2031, 2, 3, 9, 15, 0, 0}, "M-1", 60);        // a method with no invoice at all
    const std::string page = Report(3, 3);

    EXPECT_NE(Totals(page).find(TotalsRow("Uber", 3, 2, "R80.00", "R0.00", 0, "R0.00")), std::string::npos)
        << Totals(page);
    EXPECT_NE(Totals(page).find(TotalsRow("Mr D", 1, 0, "R0.00", "R0.00", 0, "R0.00")), std::string::npos)
        << Totals(page);
    EXPECT_EQ(Details(page), "<h3>Payment Type: Uber</h3>" + std::string(kDetailTableHead) +
                                 DetailRow({"2031/02/03", "09:00:00:000", 2001, "R80.00", "U-1", "R80.00", "R0.00", "",
                                            1, "Sipho Dube"}) +
                                 "</table>");
}

TEST_F(ReportOnSqlite, EachMethodGetsItsOwnTableInMethodOrderWithRowsInTimeOrder) {
    Employee(7, "'Sipho'", "'Dube'");
    Pay("Uber", {2031, 2, 3, 10, 0, 0, 0}, "late", 10, 3001);
    SettledInvoice(3001, "0", "Uber", "10", "1");
    Pay("ABSA", {2031, 2, 3, 9, 0, 0, 0}, "card", 20, 3002);
    SettledInvoice(3002, "0", "ABSA", "20", "2");
    Pay("Uber", {2031, 2, 3, 8, 0, 0, 0}, "early", 30, 3003);
    SettledInvoice(3003, "0", "Uber", "30", "3");
    const std::string page = Report(3, 3);

    EXPECT_EQ(
        Details(page),
        "<h3>Payment Type: ABSA</h3>" + std::string(kDetailTableHead) +
            DetailRow({"2031/02/03", "09:00:00:000", 3002, "R20.00", "card", "R20.00", "R2.00", "", 2, "Sipho Dube"}) +
            "</table><h3>Payment Type: Uber</h3>" + std::string(kDetailTableHead) +
            DetailRow({"2031/02/03", "08:00:00:000", 3003, "R30.00", "early", "R30.00", "R3.00", "", 3, "Sipho Dube"}) +
            DetailRow({"2031/02/03", "10:00:00:000", 3001, "R10.00", "late", "R10.00", "R1.00", "", 1, "Sipho Dube"}) +
            "</table>");
    EXPECT_NE(Totals(page).find(TotalsRow("ABSA", 1, 1, "R20.00", "R2.00", 0, "R0.00")), std::string::npos);
    EXPECT_NE(Totals(page).find(TotalsRow("Uber", 2, 2, "R40.00", "R4.00", 0, "R0.00")), std::string::npos);
}

// The totals take a null STATUS as 0; the details' CASE takes it as not 0.
TEST_F(ReportOnSqlite, AnOverrungInvoiceCountsInTheTotalsAndANullStatusOnlyShowsInTheDetails) {
    Employee(7, "'Sipho'", "'Dube'");
    Pay("Nedbank", {2031, 2, 3, 8, 0, 0, 0}, "over", 110, 4001);
    SettledInvoice(4001, "1", "Nedbank", "100", "10");
    Pay("Nedbank", {2031, 2, 3, 9, 0, 0, 0}, "fine", 50, 4002);
    SettledInvoice(4002, "0", "Nedbank", "50", "0");
    Pay("Nedbank", {2031, 2, 3, 10, 0, 0, 0}, "unknown", 22, 4003);
    SettledInvoice(4003, "NULL", "Nedbank", "20", "2");
    const std::string page = Report(3, 3);

    EXPECT_EQ(Totals(page), TotalsRow("Nedbank", 3, 3, "R170.00", "R12.00", 1, "R110.00"));
    const std::string details = Details(page);
    EXPECT_NE(details.find(DetailRow({"2031/02/03", "08:00:00:000", 4001, "R100.00", "over", "R100.00", "R10.00",
                                      "Overrung", 1, "Sipho Dube"})),
              std::string::npos)
        << details;
    EXPECT_NE(details.find(DetailRow(
                  {"2031/02/03", "09:00:00:000", 4002, "R50.00", "fine", "R50.00", "R0.00", "", 2, "Sipho Dube"})),
              std::string::npos)
        << details;
    EXPECT_NE(details.find(DetailRow({"2031/02/03", "10:00:00:000", 4003, "R20.00", "unknown", "R20.00", "R2.00",
                                      "Overrung", 3, "Sipho Dube"})),
              std::string::npos)
        << details;
}

// A bill settled by two payments of one method, whether the suite keeps a payment line per
// tender or one per method: each transaction counts once, the bill's lines of that method once.
TEST_F(ReportOnSqlite, ABillSplitOverTwoPaymentsOfOneMethodCountsItsLinesOnce) {
    Employee(7, "'Sipho'", "'Dube'");
    Pay("Other CC", {2031, 2, 3, 8, 0, 0, 0}, "tip", 110, 1001);
    Pay("Other CC", {2031, 2, 3, 8, 5, 0, 0}, "rest", 50, 1001);
    Invoice(1001, "0", "150", 7);
    Pay("Nedbank", {2031, 2, 3, 9, 0, 0, 0}, "n1", 44, 1002);
    Pay("Nedbank", {2031, 2, 3, 9, 5, 0, 0}, "n2", 20, 1002);
    Invoice(1002, "1", "60", 7);  // overrung
    struct TLine {
        int invoice;
        const char *type, *amount, *gratuity;
    };
    const std::vector<std::vector<TLine>> models = {
        {{1001, "Other CC", "100", "10"}, {1001, "Other CC", "50", "0"}, {1002, "Nedbank", "40", "4"},
         {1002, "Nedbank", "20", "0"}},
        {{1001, "Other CC", "150", "10"}, {1002, "Nedbank", "60", "4"}},
    };
    const std::string otherTotals = TotalsRow("Other CC", 2, 2, "R150.00", "R10.00", 0, "R0.00");
    const std::string nedbankTotals = TotalsRow("Nedbank", 2, 2, "R60.00", "R4.00", 1, "R64.00");
    for (const auto& lines : models) {
        database->Run("DELETE FROM [InvoicesPayment]");
        for (const TLine& line : lines) Payment(line.invoice, line.type, line.amount, line.gratuity);
        const std::string page = Report(3, 3);
        const std::string totals = Totals(page);
        EXPECT_TRUE(totals == nedbankTotals + otherTotals || totals == otherTotals + nedbankTotals)
            << lines.size() << " lines: " << totals;
        const auto row = [](const char* time, int invoice, const char* total, const char* reference, int id) {
            const bool overrung = invoice == 1002;
            return DetailRow({"2031/02/03", time, invoice, total, reference, total, overrung ? "R4.00" : "R10.00",
                              overrung ? "Overrung" : "", id, "Sipho Dube"});
        };
        EXPECT_EQ(Details(page), "<h3>Payment Type: Nedbank</h3>" + std::string(kDetailTableHead) +
                                     row("09:00:00:000", 1002, "R60.00", "n1", 3) +
                                     row("09:05:00:000", 1002, "R60.00", "n2", 4) +
                                     "</table><h3>Payment Type: Other CC</h3>" + std::string(kDetailTableHead) +
                                     row("08:00:00:000", 1001, "R150.00", "tip", 1) +
                                     row("08:05:00:000", 1001, "R150.00", "rest", 2) + "</table>")
            << lines.size() << " lines";
    }
}

// Null values come back as JSON null and leave their cells empty; T-SQL's + makes a name with a
// missing last name null.
TEST_F(ReportOnSqlite, MissingLinesTotalsAndNamesLeaveEmptyCells) {
    Employee(7, "'Sipho'", "'Dube'");
    Employee(8, "'Lindiwe'", "NULL");
    Pay("Other CC", {2031, 2, 3, 8, 0, 0, 0}, "other line", 40, 5001);
    Invoice(5001, "0", "NULL", 7);
    Payment(5001, "Cash", "40", "0");
    Pay("Other CC", {2031, 2, 3, 9, 0, 0, 0}, "no cashier", 30, 5002);
    SettledInvoice(5002, "0", "Other CC", "30", "0", 99);
    Pay("Other CC", {2031, 2, 3, 10, 0, 0, 0}, "first name only", 20, 5003);
    SettledInvoice(5003, "0", "Other CC", "20", "0", 8);
    database->SetClock([] { return host::TDbDateTime{2031, 2, 3, 11, 0, 0, 0}; });
    const int32_t unreferenced = transaction->AddTransaction("Other CC");  // the popup was cancelled
    transaction->SetInvoiceNum(unreferenced, 5004);
    Invoice(5004, "2", "15", 7);  // overrung, with no line of this method
    const std::string page = Report(3, 3);

    EXPECT_EQ(Totals(page), TotalsRow("Other CC", 4, 4, "R50.00", "R0.00", 1, "R0.00"));
    EXPECT_EQ(
        Details(page),
        "<h3>Payment Type: Other CC</h3>" + std::string(kDetailTableHead) +
            DetailRow({"2031/02/03", "08:00:00:000", 5001, "", "other line", "", "", "", 1, "Sipho Dube"}) +
            DetailRow({"2031/02/03", "09:00:00:000", 5002, "R30.00", "no cashier", "R30.00", "R0.00", "", 2, ""}) +
            DetailRow({"2031/02/03", "10:00:00:000", 5003, "R20.00", "first name only", "R20.00", "R0.00", "", 3, ""}) +
            DetailRow({"2031/02/03", "11:00:00:000", 5004, "R15.00", "", "", "", "Overrung", 4, "Sipho Dube"}) +
            "</table>");
}

TEST_F(ReportOnSqlite, MarkupInAReferenceOrANameIsWrittenAsText) {
    Employee(7, "'<b>Sipho</b>'", "'& \"Co\"'");
    Pay("Uber", {2031, 2, 3, 8, 0, 0, 0}, "<script>alert('x')</script>", 10, 6001);
    SettledInvoice(6001, "0", "Uber", "10", "0");
    const std::string page = Report(3, 3);

    EXPECT_NE(page.find(Nowrap("&lt;script&gt;alert('x')&lt;/script&gt;")), std::string::npos);
    EXPECT_NE(page.find(Nowrap("&lt;b&gt;Sipho&lt;/b&gt; &amp; &quot;Co&quot;")), std::string::npos);
    EXPECT_EQ(page.find("<script>"), std::string::npos);
    EXPECT_EQ(page.find("<b>"), std::string::npos);
}

// The server writes money as plain text with a point; the page writes it as the workstation
// does.
TEST_F(ReportOnSqlite, MoneyFollowsTheWorkstationsRegionalFormat) {
    Employee(7, "'Sipho'", "'Dube'");
    Pay("Uber", {2031, 2, 3, 8, 0, 0, 0}, "big", 1280, 7001);
    SettledInvoice(7001, "0", "Uber", "1250.5", "29.5");
    Pay("Uber", {2031, 2, 3, 9, 0, 0, 0}, "refund", -0.05, 7002);
    SettledInvoice(7002, "1", "Uber", "-0.05", "0");

    const std::string point = Report(3, 3);
    EXPECT_EQ(Totals(point), TotalsRow("Uber", 2, 2, "R1,250.45", "R29.50", 1, "-R0.05"));
    EXPECT_NE(Details(point).find(Right("R1,250.50") + Nowrap("big") + Right("R1,250.50") + Right("R29.50")),
              std::string::npos);

    test::TScopedRegional comma(test::CommaRegional());
    const std::string commaPage = Report(3, 3);
    EXPECT_EQ(Totals(commaPage), TotalsRow("Uber", 2, 2, "1.250,45 EUR", "29,50 EUR", 1, "-0,05 EUR"));
    EXPECT_NE(
        Details(commaPage).find(Right("1.250,50 EUR") + Nowrap("big") + Right("1.250,50 EUR") + Right("29,50 EUR")),
        std::string::npos);
    EXPECT_NE(Details(commaPage).find(Right("-0,05 EUR") + Nowrap("refund") + Right("-0,05 EUR")), std::string::npos);
}

TEST_F(ReportOnSqlite, ARangeEndingBeforeItStartsShowsOnlyTheHeadings) {
    Pay("Uber", {2031, 2, 3, 8, 0, 0, 0}, "U-1", 10, 8001);
    SettledInvoice(8001, "0", "Uber", "10", "0");
    const std::string page = Report(4, 2);
    EXPECT_NE(page.find("<h2>Extra Payment Report: 2031-02-04 - 2031-02-02 </h2>"), std::string::npos);
    EXPECT_EQ(Totals(page), "");
    EXPECT_TRUE(page.ends_with("  </tr></thead></table><h2>Transaction Details</h2></body></html>")) << page;
}

}  // namespace
}  // namespace orvo
