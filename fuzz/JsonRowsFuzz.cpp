// Arbitrary text through the query-result reader: it either raises EJsonError or yields rows
// whose values lie inside the text, convert to text or a number or raise EJsonError, and build
// a report page without any other failure.
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

}  // namespace
}  // namespace orvo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvo;
    using namespace orvo::fuzz;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const TJsonRows rows = TJsonRows::Parse(text);
        for (size_t row = 0; row < rows.RowCount(); ++row)
            for (std::string_view name : kNames)
                if (const TJsonValue* value = rows.Find(row, name)) CheckValue(text, *value, name);
        platform::TRegionalSettings regional;
        std::string page;
        try {
            BuildReportPage(page, {"Res/", "2026-01-01", "2026-01-31", rows, rows, regional});
        } catch (const EJsonError&) {
        }
    } catch (const EJsonError& e) {
        Require(std::string_view(e.what()).starts_with("JSON: "), "errors say what is wrong", e.what());
    }
    return 0;
}
