#include "ReportPage.h"

#include "MoneyFormat.h"

namespace orvo {
namespace {

constexpr std::string_view kRight = "<td style=\"text-align:right\">";
constexpr std::string_view kNowrap = "<td style=\"white-space:nowrap\">";
constexpr std::string_view kTableHead = "  <thead><tr  style=\"padding:5px\">";

class TPageWriter {
public:
    TPageWriter(std::string& out, const TReportPageInput& in) : out_(out), in_(in) {}

    void Page() {
        out_ += "<html><head><base href=\"file://";
        out_ += in_.resourceFolder;
        out_ += "\">";
        out_ +=
            "\t\t<style> "
            "\t\t\t.bigbutton {  "
            "\t\t\t\tfont-size: 1.2em; "
            "\t\t\t} "
            "     @media print { "
            "       .bigbutton { visibility: hidden; display: none} } "
            "\t\t</style> "
            "<link href=\"CashupLists.css\" rel=\"stylesheet\" /></head>"
            "<body> "
            "<h1>Extra Payment Transactions</h1>"
            "<h2>Extra Payment Report: ";
        out_ += in_.fromText;
        if (in_.fromText != in_.toText) {
            out_ += " - ";
            out_ += in_.toText;
        }
        out_ +=
            " </h2>"
            "<button class=\"bigbutton\" onclick=\"window.print()\">Print</button>"
            "<hr>"
            "<h2>Payment Method Totals</h2>"
            "<table border=1 style=\"border:1px solid black\" width=50%>";
        out_ += kTableHead;
        out_ +=
            "    <th>Payment Type</th>"
            "    <th>Total Transactions</th>"
            "    <th>Completed</th>"
            "    <th>Total Amount</th>"
            "    <th>Total Gratuity</th>"
            "    <th>Overrung Invoices</th>"
            "    <th>Overrung Total</th>"
            "  </tr></thead>";
        for (size_t row = 0; row < in_.totals.RowCount(); ++row) TotalsRow(row);
        out_ += "</table><h2>Transaction Details</h2>";
        Details();
        out_ += "</body></html>";
    }

private:
    const TJsonValue& Member(const TJsonRows& rows, size_t row, std::string_view name) {
        if (const TJsonValue* v = rows.Find(row, name)) return *v;
        throw EJsonError("JSON: row " + std::to_string(row) + " has no member \"" + std::string(name) + "\"");
    }

    void PlainValue(const TJsonValue& v) {
        scratch_.clear();
        AppendJsonText(scratch_, v);
        AppendHtmlEscaped(out_, scratch_);
    }

    void Cell(std::string_view open, const TJsonRows& rows, size_t row, std::string_view name) {
        out_ += open;
        PlainValue(Member(rows, row, name));
        out_ += "</td>";
    }

    // Money from the server's text, shown in the workstation's currency format; null stays empty.
    void MoneyCell(std::string_view open, const TJsonRows& rows, size_t row, std::string_view name) {
        out_ += open;
        const TJsonValue& v = Member(rows, row, name);
        if (!v.IsNull()) AppendMoney(out_, JsonNumber(v, name), in_.regional);
        out_ += "</td>";
    }

    void TotalsRow(size_t row) {
        const TJsonRows& t = in_.totals;
        out_ += "<tr>";
        Cell("  <td>", t, row, "PaymentType");
        Cell("  <td style=\"text-align:right\">", t, row, "TotalTransactions");
        Cell("  <td style=\"text-align:right\">", t, row, "Completed");
        MoneyCell("  <td style=\"text-align:right\">", t, row, "TotalAmount");
        MoneyCell("  <td style=\"text-align:right\">", t, row, "TotalGratuity");
        Cell("  <td style=\"text-align:right\">", t, row, "OverrungInvoices");
        MoneyCell("  <td style=\"text-align:right\">", t, row, "OverrungTotal");
        out_ += "</tr>";
    }

    // Rows arrive ordered by payment type; each type opens a table of its own, and the table
    // before it is closed first.
    void Details() {
        const TJsonRows& d = in_.details;
        std::string group, type;
        for (size_t row = 0; row < d.RowCount(); ++row) {
            type.clear();
            AppendJsonText(type, Member(d, row, "PaymentType"));
            if (type != group) {
                if (!group.empty()) out_ += "</table>";
                out_ += "<h3>Payment Type: ";
                AppendHtmlEscaped(out_, type);
                out_ += "</h3><table border=1 style=\"border:1px solid black\" width=100%>";
                out_ += kTableHead;
                out_ +=
                    "    <th>Date</th>"
                    "    <th>Time</th>"
                    "    <th>Invoice Num</th>"
                    "    <th>Invoice Total</th>"
                    "    <th>Reference</th>"
                    "    <th>Amount</th>"
                    "    <th>Gratuity</th>"
                    "    <th>Invoice Status</th>"
                    "    <th>Transaction ID</th>"
                    "    <th>Cashier Name</th>"
                    "  </tr></thead>";
                group = type;
            }
            out_ += "<tr>";
            Cell(kNowrap, d, row, "TransactionDate");
            Cell(kNowrap, d, row, "TransactionTime");
            Cell(kRight, d, row, "InvoiceNum");
            MoneyCell(kRight, d, row, "InvoiceAmount");
            Cell(kNowrap, d, row, "Reference");
            MoneyCell(kRight, d, row, "Amount");
            MoneyCell(kRight, d, row, "Gratuity");
            Cell(kNowrap, d, row, "InvoiceStatus");
            Cell(kNowrap, d, row, "TransactionID");
            Cell(kNowrap, d, row, "CashierName");
            out_ += "</tr>";
        }
        if (!group.empty()) out_ += "</table>";
    }

    std::string& out_;
    const TReportPageInput& in_;
    std::string scratch_;
};

}  // namespace

void AppendHtmlEscaped(std::string& out, std::string_view text) {
    size_t plainFrom = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        std::string_view reference;
        switch (text[i]) {
            case '&': reference = "&amp;"; break;
            case '<': reference = "&lt;"; break;
            case '>': reference = "&gt;"; break;
            case '"': reference = "&quot;"; break;
            default: continue;
        }
        out.append(text, plainFrom, i - plainFrom);
        out += reference;
        plainFrom = i + 1;
    }
    out.append(text, plainFrom);
}

void BuildReportPage(std::string& out, const TReportPageInput& input) { TPageWriter(out, input).Page(); }

}  // namespace orvo
