#include "backoffice/ReportPage.h"

#include <array>

#include "values/MoneyText.h"

namespace orvo {
namespace {

constexpr std::string_view kRight = "<td style=\"text-align:right\">";
constexpr std::string_view kNowrap = "<td style=\"white-space:nowrap\">";
constexpr std::string_view kTableHead = "  <thead><tr  style=\"padding:5px\">";

// A member read in every row, and where it stood in the last row read.
struct TColumn {
    std::string_view name;
    uint32_t place = 0;
};

// Whether text changes when escaped.
bool NeedsEscaping(std::string_view text) {
    std::string escaped;
    AppendHtmlEscaped(escaped, text);
    return escaped.size() != text.size();
}

class TPageWriter {
public:
    TPageWriter(std::string& out, const TReportPageInput& in) : out_(out), in_(in) {
        // Money text is digits, signs, blanks and parentheses around the regional texts: it goes
        // through the escape only when one of these needs it.
        const platform::TRegionalSettings& s = in.regional;
        std::string regionalTexts = s.CurrencyString + s.DecimalSeparator;
        if (s.ThousandSeparator != '\0') regionalTexts += s.ThousandSeparator;
        moneyNeedsEscaping_ = NeedsEscaping(regionalTexts);
    }

    void Page() {
        out_ += "<html><head><base href=\"file://";
        AppendUrlAttribute(out_, in_.resourceFolder);
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
        AppendHtmlEscaped(out_, in_.fromText);
        if (in_.fromText != in_.toText) {
            out_ += " - ";
            AppendHtmlEscaped(out_, in_.toText);
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
    const TJsonValue& Member(const TJsonRows& rows, size_t row, TColumn& column) {
        if (const TJsonValue* v = rows.Find(row, column.name, column.place)) return *v;
        throw EJsonError("JSON: row " + std::to_string(row) + " has no member \"" + std::string(column.name) + "\"");
    }

    void PlainValue(const TJsonValue& v) {
        if (v.kind == TJsonValue::Kind::String && !v.escaped) return AppendHtmlEscaped(out_, v.raw);
        scratch_.clear();
        AppendJsonText(scratch_, v);
        AppendHtmlEscaped(out_, scratch_);
    }

    void Cell(std::string_view open, const TJsonRows& rows, size_t row, TColumn& column) {
        out_ += open;
        PlainValue(Member(rows, row, column));
        out_ += "</td>";
    }

    // Money from the server's text, shown exactly in the workstation's currency format; null
    // stays empty.
    void MoneyCell(std::string_view open, const TJsonRows& rows, size_t row, TColumn& column) {
        out_ += open;
        const TJsonValue& v = Member(rows, row, column);
        if (!v.IsNull()) {
            std::string& text = moneyNeedsEscaping_ ? scratch_ : out_;
            if (moneyNeedsEscaping_) scratch_.clear();
            if (!(v.HoldsPlainText() && AppendMoneyText(text, v.raw, in_.regional))) RaiseNotANumber(v, column.name);
            if (moneyNeedsEscaping_) AppendHtmlEscaped(out_, scratch_);
        }
        out_ += "</td>";
    }

    void TotalsRow(size_t row) {
        const TJsonRows& t = in_.totals;
        out_ += "<tr>";
        Cell("  <td>", t, row, totals_[0]);
        Cell("  <td style=\"text-align:right\">", t, row, totals_[1]);
        Cell("  <td style=\"text-align:right\">", t, row, totals_[2]);
        MoneyCell("  <td style=\"text-align:right\">", t, row, totals_[3]);
        MoneyCell("  <td style=\"text-align:right\">", t, row, totals_[4]);
        Cell("  <td style=\"text-align:right\">", t, row, totals_[5]);
        MoneyCell("  <td style=\"text-align:right\">", t, row, totals_[6]);
        out_ += "</tr>";
    }

    // Rows arrive ordered by payment type; each type opens a table of its own, an empty one
    // too, and the table before it is closed first.
    void Details() {
        const TJsonRows& d = in_.details;
        std::string group, type;
        bool groupOpen = false;
        for (size_t row = 0; row < d.RowCount(); ++row) {
            type.clear();
            AppendJsonText(type, Member(d, row, details_[0]));
            if (!groupOpen || type != group) {
                if (groupOpen) out_ += "</table>";
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
                groupOpen = true;
            }
            out_ += "<tr>";
            Cell(kNowrap, d, row, details_[1]);
            Cell(kNowrap, d, row, details_[2]);
            Cell(kRight, d, row, details_[3]);
            MoneyCell(kRight, d, row, details_[4]);
            Cell(kNowrap, d, row, details_[5]);
            MoneyCell(kRight, d, row, details_[6]);
            MoneyCell(kRight, d, row, details_[7]);
            Cell(kNowrap, d, row, details_[8]);
            Cell(kNowrap, d, row, details_[9]);
            Cell(kNowrap, d, row, details_[10]);
            out_ += "</tr>";
        }
        if (groupOpen) out_ += "</table>";
    }

    std::string& out_;
    const TReportPageInput& in_;
    std::string scratch_;
    bool moneyNeedsEscaping_ = false;
    std::array<TColumn, 7> totals_{{{"PaymentType"},
                                    {"TotalTransactions"},
                                    {"Completed"},
                                    {"TotalAmount"},
                                    {"TotalGratuity"},
                                    {"OverrungInvoices"},
                                    {"OverrungTotal"}}};
    // The payment type first, then the cells in the order of the table.
    std::array<TColumn, 11> details_{{{"PaymentType"},
                                      {"TransactionDate"},
                                      {"TransactionTime"},
                                      {"InvoiceNum"},
                                      {"InvoiceAmount"},
                                      {"Reference"},
                                      {"Amount"},
                                      {"Gratuity"},
                                      {"InvoiceStatus"},
                                      {"TransactionID"},
                                      {"CashierName"}}};
};

}  // namespace

void AppendHtmlEscaped(std::string& out, std::string_view text) {
    size_t plainFrom = 0;
    // Most characters need nothing: one look-up passes them.
    static constexpr auto kSpecial = [] {
        std::array<bool, 256> special{};
        for (unsigned char c : {'&', '<', '>', '"', '\x7F'}) special[c] = true;
        for (unsigned char c = 0; c < 0x20; ++c) special[c] = true;
        return special;
    }();
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (!kSpecial[c]) continue;
        out.append(text, plainFrom, i - plainFrom);
        plainFrom = i + 1;
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\0':
                out += "&#xFFFD;";
                break;
            default: {  // a control character, as two hex digits
                const char reference[] = {'&', '#', 'x', "0123456789ABCDEF"[c >> 4], "0123456789ABCDEF"[c & 15], ';'};
                out.append(reference, sizeof reference);
                break;
            }
        }
    }
    out.append(text, plainFrom);
}

void AppendUrlAttribute(std::string& out, std::string_view path) {
    for (size_t from = 0; from <= path.size();) {
        const size_t special = std::min(path.find_first_of("#%", from), path.size());
        AppendHtmlEscaped(out, path.substr(from, special - from));
        if (special < path.size()) out += path[special] == '#' ? "%23" : "%25";
        from = special + 1;
    }
}

void BuildReportPage(std::string& out, const TReportPageInput& input) { TPageWriter(out, input).Page(); }

}  // namespace orvo
