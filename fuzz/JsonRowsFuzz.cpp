// Arbitrary text through the query-result reader: it either raises EJsonError or yields rows
// whose values lie inside the text, convert to text or a number or raise EJsonError, and build
// a report page without any other failure. The page keeps its structure whatever the values, the
// resource folder (here the text's first bytes) and the regional settings (the bytes after the
// input's last NUL, which JSON text cannot hold): every "<" starts one of the page's own tags and
// every "&" a character reference, no control character stands outside the page's own style
// block, every table is closed before the next opens, and the base address ends at its quote.
#include <algorithm>
#include <string>

#include "backoffice/JsonRows.h"
#include "backoffice/ReportPage.h"
#include "fuzz/FuzzCheck.h"

namespace orvo::fuzz {
namespace {

constexpr std::string_view kNames[] = {"PaymentType",
                                       "TotalTransactions",
                                       "Completed",
                                       "TotalAmount",
                                       "TotalGratuity",
                                       "OverrungInvoices",
                                       "OverrungTotal",
                                       "TransactionDate",
                                       "TransactionTime",
                                       "InvoiceNum",
                                       "Reference",
                                       "InvoiceAmount",
                                       "Amount",
                                       "Gratuity",
                                       "InvoiceStatus",
                                       "TransactionID",
                                       "CashierName",
                                       "a",
                                       ""};

void CheckValue(std::string_view text, const TJsonValue& value, std::string_view name) {
    Require(value.raw.data() >= text.data() && value.raw.data() + value.raw.size() <= text.data() + text.size(),
            "values are views into the text", value.raw);
    Require(value.offset < text.size(), "offsets lie inside the text");
    std::string out;
    try {
        AppendJsonText(out, value);
        Require(value.kind != TJsonValue::Kind::Array && value.kind != TJsonValue::Kind::Object,
                "arrays and objects have no text", value.raw);
        Require(value.escaped || value.kind != TJsonValue::Kind::String || out == value.raw,
                "strings without escapes read as written", value.raw);
    } catch (const EJsonError&) {
    }
    try {
        (void)JsonNumber(value, name);
    } catch (const EJsonError&) {
    }
}

// Every tag the page writes, as it begins.
// clang-format off
constexpr std::string_view kTags[] = {
    "<html>", "</html>", "<head>", "</head>", "<base href=\"", "<style> ", "</style> ", "<link href=\"",
    "<body> ", "</body>", "<h1>", "</h1>", "<h2>", "</h2>", "<h3>", "</h3>", "<button class=\"", "</button>",
    "<hr>", "<table border=1 ", "</table>", "<thead>", "</thead>", "<tr>", "<tr  style=", "</tr>",
    "<th>", "</th>", "<td>", "<td style=\"", "</td>"};
// clang-format on

// Regional settings from bytes: format codes, decimals, separators, grouping, then the symbol.
platform::TRegionalSettings RegionalFrom(std::string_view bytes) {
    platform::TRegionalSettings s;
    if (bytes.size() < 6) return s;
    s.CurrencyFormat = uint8_t(bytes[0] & 3);
    s.NegCurrFormat = uint8_t(bytes[1] & 15);
    s.CurrencyDecimals = uint8_t(static_cast<unsigned char>(bytes[2]) % 10);
    s.DecimalSeparator = bytes[3];
    s.ThousandSeparator = bytes[4];
    s.Grouping = std::string(1, char(bytes[5] & 7));
    s.CurrencyString = bytes.substr(6, 8);
    return s;
}

bool StartsAReference(std::string_view rest) {
    for (std::string_view named : {"&amp;", "&lt;", "&gt;", "&quot;"})
        if (rest.starts_with(named)) return true;
    // "&#x", two to four hex digits, ";"
    const size_t end = rest.find(';');
    return rest.starts_with("&#x") && end >= 5 && end <= 7 && rest.find_first_not_of("0123456789ABCDEF", 3) == end;
}

void CheckPageStructure(std::string_view page) {
    constexpr std::string_view kBase = "<html><head><base href=\"file://";
    Require(page.starts_with(kBase), "the page starts with its base address", page.substr(0, 60));
    const size_t quote = page.find('"', kBase.size());
    Require(quote != std::string_view::npos && page.substr(quote).starts_with("\">\t\t<style> "),
            "the base address ends at its closing quote", page.substr(0, std::min<size_t>(quote + 20, page.size())));
    Require(page.ends_with("</body></html>"), "the page ends with its closing tags");
    constexpr std::string_view kControls(
        "\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B\x0C\x0D\x0E\x0F"
        "\x10\x11\x12\x13\x14\x15\x16\x17\x18\x19\x1A\x1B\x1C\x1D\x1E\x1F\x7F",
        33);
    const size_t styleEnd = page.find("</style> ");
    Require(
        page.find_first_of(kControls) == quote + 2 && page.find_first_of(kControls, styleEnd) == std::string_view::npos,
        "control characters only in the page's own style block", page.substr(0, 80));
    for (size_t at = page.find('&'); at != std::string_view::npos; at = page.find('&', at + 1))
        Require(StartsAReference(page.substr(at)), "every '&' starts a character reference", page.substr(at, 20));
    bool tableOpen = false;
    for (size_t at = page.find('<'); at != std::string_view::npos; at = page.find('<', at + 1)) {
        const std::string_view rest = page.substr(at);
        Require(std::any_of(std::begin(kTags), std::end(kTags),
                            [&](std::string_view tag) { return rest.starts_with(tag); }),
                "every '<' starts one of the page's own tags", rest.substr(0, 60));
        if (rest.starts_with("<table ")) {
            Require(!tableOpen, "a table opens only after the one before is closed", rest.substr(0, 60));
            tableOpen = true;
        } else if (rest.starts_with("</table>")) {
            Require(tableOpen, "only an open table is closed", rest.substr(0, 60));
            tableOpen = false;
        }
    }
    Require(!tableOpen, "every table is closed");
}

}  // namespace
}  // namespace orvo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvo;
    using namespace orvo::fuzz;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t lastNul = input.rfind('\0');
    const std::string_view text = input.substr(0, lastNul);
    const platform::TRegionalSettings regional =
        lastNul == std::string_view::npos ? platform::TRegionalSettings() : RegionalFrom(input.substr(lastNul + 1));
    try {
        const TJsonRows rows = TJsonRows::Parse(text);
        for (size_t row = 0; row < rows.RowCount(); ++row)
            for (std::string_view name : kNames)
                if (const TJsonValue* value = rows.Find(row, name)) CheckValue(text, *value, name);
        std::string page;
        try {
            BuildReportPage(page, {text.substr(0, 40), "2026-01-01", "2026-01-31", rows, rows, regional});
            CheckPageStructure(page);
        } catch (const EJsonError&) {
        }
    } catch (const EJsonError& e) {
        Require(std::string_view(e.what()).starts_with("JSON: "), "errors say what is wrong", e.what());
    }
    return 0;
}
