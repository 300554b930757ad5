// The back office report path in memory: report-shaped query results (totals and details rows
// of 11 members) read by the module's JSON reader beside RapidJSON's DOM, nlohmann::json and
// simdjson on demand, each parsing and reading every member; the page built from what was
// read; and the whole report (two results parsed, the page built) at 1,000, 10,000 and 100,000
// rows. Beside them, the report's two statements on the reference host's database. After the
// run it prints the ratios and targets the report path is held to. The other JSON libraries
// serve here as yardsticks only.
#include <benchmark/benchmark.h>
#include <rapidjson/document.h>
#include <simdjson.h>

#include <cstdio>
#include <map>
#include <nlohmann/json.hpp>
#include <string>

#include "backoffice/JsonRows.h"
#include "backoffice/ReportPage.h"
#include "common/clsSQLStatements.h"
#include "host/sqlite/TSqliteScript.h"
#include "platform/Platform.h"

namespace {
using orvo::TJsonRows;
using orvo::TJsonValue;

constexpr std::string_view kDetailNames[] = {"TransactionDate", "PaymentType",   "TransactionTime", "InvoiceNum",
                                             "Reference",       "InvoiceAmount", "Amount",          "Gratuity",
                                             "InvoiceStatus",   "TransactionID", "CashierName"};
constexpr std::string_view kTotalNames[] = {"PaymentType",   "TotalTransactions", "Completed",    "TotalAmount",
                                            "TotalGratuity", "OverrungInvoices",  "OverrungTotal"};
constexpr const char* kMethods[] = {"Uber", "Mr D Food", "Bolt Food", "Voucher"};

// Details rows as the host's QueryJSON writes them, ordered by payment method.
std::string DetailsJson(int rows) {
    std::string out = "[";
    char row[512];
    for (int i = 0; i < rows; ++i) {
        const int method = i * 4 / rows;
        std::snprintf(row, sizeof row,
                      "%s{\"TransactionDate\":\"2031/02/%02d\",\"PaymentType\":\"%s\",\"TransactionTime\":"
                      "\"%02d:%02d:%02d:%03d\",\"InvoiceNum\":%d,\"Reference\":\"REF-%08d \\\"%c\\\"\","
                      "\"InvoiceAmount\":\"%d.%02d\",\"Amount\":\"%d.%02d\",\"Gratuity\":\"%d.50\","
                      "\"InvoiceStatus\":\"%s\",\"TransactionID\":%d,\"CashierName\":\"Cashier %d Surname\"}",
                      i ? "," : "", 1 + i % 28, kMethods[method], i % 24, i % 60, (i * 7) % 60, i % 1000, 100000 + i, i,
                      'A' + i % 26, 10 + i % 900, i % 100, 10 + i % 900, i % 100, i % 20, i % 50 ? "" : "Overrung",
                      i + 1, i % 40);
        out += row;
    }
    out += "]";
    return out;
}

std::string TotalsJson() {
    std::string out = "[";
    for (int m = 0; m < 4; ++m) {
        char row[400];
        std::snprintf(row, sizeof row,
                      "%s{\"PaymentType\":\"%s\",\"TotalTransactions\":%d,\"Completed\":%d,\"TotalAmount\":"
                      "\"%d.45\",\"TotalGratuity\":\"%d.50\",\"OverrungInvoices\":%d,\"OverrungTotal\":\"%d.05\"}",
                      m ? "," : "", kMethods[m], 2500 * (m + 1), 2400 * (m + 1), 125000 * (m + 1), 2950 * (m + 1), m,
                      1200 * m);
        out += row;
    }
    return out + "]";
}

const std::string& Details(int rows) {
    static std::map<int, std::string> cache;
    auto [it, added] = cache.try_emplace(rows);
    if (added) it->second = DetailsJson(rows);
    return it->second;
}

void SetBytes(benchmark::State& state, size_t bytes, int rows) {
    state.SetBytesProcessed(int64_t(state.iterations() * bytes));
    state.counters["rows"] = rows;
    state.counters["MB"] = double(bytes) / 1e6;
}

// Parse and read every member: each value's text length is summed so nothing is skipped.
void ParseOurs(benchmark::State& state) {
    const std::string& json = Details(int(state.range(0)));
    for (auto _ : state) {
        const TJsonRows rows = TJsonRows::Parse(json);
        size_t sum = 0;
        for (size_t row = 0; row < rows.RowCount(); ++row)
            for (std::string_view name : kDetailNames) sum += rows.Find(row, name)->raw.size();
        benchmark::DoNotOptimize(sum);
    }
    SetBytes(state, json.size(), int(state.range(0)));
}

void ParseRapidJson(benchmark::State& state) {
    const std::string& json = Details(int(state.range(0)));
    for (auto _ : state) {
        rapidjson::Document doc;
        doc.Parse(json.data(), json.size());
        if (doc.HasParseError()) state.SkipWithError("RapidJSON refused the text");
        size_t sum = 0;
        for (const auto& row : doc.GetArray())
            for (std::string_view name : kDetailNames) {
                const auto found = row.FindMember(rapidjson::StringRef(name.data(), name.size()));
                const auto& v = found->value;
                sum += v.IsString() ? v.GetStringLength() : size_t(v.GetInt());
            }
        benchmark::DoNotOptimize(sum);
    }
    SetBytes(state, json.size(), int(state.range(0)));
}

void ParseNlohmann(benchmark::State& state) {
    const std::string& json = Details(int(state.range(0)));
    for (auto _ : state) {
        const nlohmann::json doc = nlohmann::json::parse(json);
        size_t sum = 0;
        for (const auto& row : doc)
            for (std::string_view name : kDetailNames) {
                const auto& v = row.find(name).value();
                sum += v.is_string() ? v.get_ref<const std::string&>().size() : v.get<size_t>();
            }
        benchmark::DoNotOptimize(sum);
    }
    SetBytes(state, json.size(), int(state.range(0)));
}

void ParseSimdjson(benchmark::State& state) {
    const std::string& json = Details(int(state.range(0)));
    const simdjson::padded_string padded(json);
    simdjson::ondemand::parser parser;
    for (auto _ : state) {
        simdjson::ondemand::document doc = parser.iterate(padded);
        size_t sum = 0;
        for (auto row : doc.get_array()) {
            // On demand reads the fields in document order, as the report does.
            for (auto field : row.get_object()) sum += std::string_view(field.value().raw_json_token()).size();
        }
        benchmark::DoNotOptimize(sum);
    }
    SetBytes(state, json.size(), int(state.range(0)));
}

// The default regional settings: "R", thousands grouped with ",", two decimals.
orvo::platform::TRegionalSettings ReportRegional() { return {}; }

// The page from rows already read, into a string reserved from the input size as the report does.
void BuildPage(benchmark::State& state) {
    const std::string& details = Details(int(state.range(0)));
    const std::string totals = TotalsJson();
    const TJsonRows totalRows = TJsonRows::Parse(totals);
    const TJsonRows detailRows = TJsonRows::Parse(details);
    const auto regional = ReportRegional();
    size_t pageSize = 0;
    for (auto _ : state) {
        std::string page;
        page.reserve(4096 + (totals.size() + details.size()) * 5 / 2);
        orvo::BuildReportPage(page, {"/opt/till/Res/", "2031-02-01", "2031-02-28", totalRows, detailRows, regional});
        pageSize = page.size();
        benchmark::DoNotOptimize(page.data());
    }
    SetBytes(state, pageSize, int(state.range(0)));
}

// The same into one string kept across runs: the build alone, without the cost of the system
// handing out and zeroing fresh pages for a new buffer (a third of the time at 100,000 rows).
void BuildPageReusedBuffer(benchmark::State& state) {
    const std::string& details = Details(int(state.range(0)));
    const std::string totals = TotalsJson();
    const TJsonRows totalRows = TJsonRows::Parse(totals);
    const TJsonRows detailRows = TJsonRows::Parse(details);
    const auto regional = ReportRegional();
    std::string page;
    page.reserve(4096 + (totals.size() + details.size()) * 5 / 2);
    for (auto _ : state) {
        page.clear();
        orvo::BuildReportPage(page, {"/opt/till/Res/", "2031-02-01", "2031-02-28", totalRows, detailRows, regional});
        benchmark::DoNotOptimize(page.data());
    }
    SetBytes(state, page.size(), int(state.range(0)));
}

// The whole report in memory: both results parsed, the page built.
void WholeReport(benchmark::State& state) {
    const std::string& details = Details(int(state.range(0)));
    const std::string totals = TotalsJson();
    const auto regional = ReportRegional();
    for (auto _ : state) {
        const TJsonRows totalRows = TJsonRows::Parse(totals);
        const TJsonRows detailRows = TJsonRows::Parse(details);
        std::string page;
        page.reserve(4096 + (totals.size() + details.size()) * 5 / 2);
        orvo::BuildReportPage(page, {"/opt/till/Res/", "2031-02-01", "2031-02-28", totalRows, detailRows, regional});
        benchmark::DoNotOptimize(page.data());
    }
    SetBytes(state, details.size(), int(state.range(0)));
}

// The report's two statements on the reference host's SQLite, translation included: a month of
// transactions, each invoice settled by one payment line of its method.
void ReportQueries(benchmark::State& state) {
    const int rows = int(state.range(0));
    auto database = std::make_shared<orvo::host::TSqliteDatabase>(":memory:");
    database->CreateSuiteTables();
    database->Run(orvo::SQLText(orvo::TSQL::TransactionTable));
    std::string batch;
    for (int i = 0; i < rows; ++i) {
        const std::string n = std::to_string(1000 + i), method = std::string("'") + kMethods[i % 4] + "'";
        const std::string day = (i % 28 < 9 ? "0" : "") + std::to_string(1 + i % 28);
        batch +=
            "INSERT INTO [ExtraPaymentTransactions] ( [Timestamp_Created], [InvoiceNum], [PaymentMethod], "
            "[ReferenceNumber], [Amount] ) VALUES ( '2031-02-" +
            day + " 10:00:00', " + n + ", " + method +
            ", 'REF', 110 ); INSERT INTO [INVOICES] ( [INVOICENUM], [STATUS], [AFTERDISC], [CASHIER] ) "
            "VALUES ( " +
            n + ", " + (i % 50 ? "0" : "1") + ", 100, " + std::to_string(i % 40) +
            " ); INSERT INTO [InvoicesPayment] ( [InvoiceNum], [PaymentType], [Amount], [Gratuity] ) VALUES ( " + n +
            ", " + method + ", 100, 10 );";
    }
    for (int e = 0; e < 40; ++e)
        batch += "INSERT INTO [EMPLOYEE] ( [EMPNUM], [FIRSTNAME], [LASTNAME] ) VALUES ( " + std::to_string(e) +
                 ", 'Cashier', 'Surname' );";
    database->Run(batch);
    auto script = MakeObject<orvo::host::TSqliteScript>(database);
    const AnsiString totals(orvo::SQLText(orvo::TSQL::ReportTotals));
    const AnsiString details(orvo::SQLText(orvo::TSQL::ReportDetails));
    for (auto _ : state) {
        const auto range = SQLArgs("'2031-02-01'", "'2031-02-28'");
        benchmark::DoNotOptimize(script->QueryJSON(totals, range).size());
        benchmark::DoNotOptimize(script->QueryJSON(details, range).size());
    }
    state.counters["rows"] = rows;
}
BENCHMARK(ReportQueries)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->MinTime(0.5);

#define REPORT_SIZES ->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(0.5)
BENCHMARK(ParseOurs) REPORT_SIZES;
BENCHMARK(ParseRapidJson) REPORT_SIZES;
BENCHMARK(ParseNlohmann) REPORT_SIZES;
BENCHMARK(ParseSimdjson) REPORT_SIZES;
BENCHMARK(BuildPage) REPORT_SIZES;
BENCHMARK(BuildPageReusedBuffer) REPORT_SIZES;
BENCHMARK(WholeReport) REPORT_SIZES;

// Prints the table as usual, then the ratios and targets from the same run.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    TRatioReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        // Rates from CPU time: the other programs on this machine then do not skew the ratios.
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const std::string name = run.run_name.function_name + "/" + run.run_name.args;
            seconds_[name] = run.GetAdjustedCPUTime() / 1e3;  // reported in ms
            const auto megabytes = run.counters.find("MB");
            if (megabytes != run.counters.end()) bytesPerSecond_[name] = megabytes->second * 1e6 / seconds_[name];
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\nRatios from this run (target in brackets):\n");
        for (const char* rows : {"1000", "10000", "100000"}) {
            const std::string suffix = std::string("/") + rows;
            std::printf("  %s rows (%.1f MB of details):\n", rows, double(Details(std::stoi(rows)).size()) / 1e6);
            Ratio("    our reader / RapidJSON DOM, MB/s", "ParseOurs" + suffix, "ParseRapidJson" + suffix, ">= 1.0");
            Ratio("    our reader / nlohmann, MB/s", "ParseOurs" + suffix, "ParseNlohmann" + suffix, ">= 6.0");
            Ratio("    our reader / simdjson on demand, MB/s", "ParseOurs" + suffix, "ParseSimdjson" + suffix, "");
            Speed("    our reader", "ParseOurs" + suffix, "");
            Speed("    page built into a new buffer", "BuildPage" + suffix, "[>= 1000 MB/s]");
            Speed("    page built into a reused buffer", "BuildPageReusedBuffer" + suffix, "");
            const auto whole = seconds_.find("WholeReport" + suffix);
            if (whole != seconds_.end())
                std::printf("  %-46s %8.2f ms CPU, %6.3f us per row%s\n", "    whole report", whole->second * 1e3,
                            whole->second * 1e6 / std::stod(rows), suffix == "/100000" ? "  [< 100 ms]" : "");
        }
    }

private:
    void Ratio(const char* label, const std::string& ours, const std::string& theirs, const char* target) {
        const auto a = bytesPerSecond_.find(ours), b = bytesPerSecond_.find(theirs);
        if (a == bytesPerSecond_.end() || b == bytesPerSecond_.end()) return;
        std::printf("  %-46s %8.2f%s%s%s\n", label, a->second / b->second, *target ? "  [" : "", target,
                    *target ? "]" : "");
    }
    void Speed(const char* label, const std::string& name, const char* target) {
        const auto a = bytesPerSecond_.find(name);
        if (a != bytesPerSecond_.end()) std::printf("  %-46s %8.0f MB/s  %s\n", label, a->second / 1e6, target);
    }

    std::map<std::string, double> seconds_;
    std::map<std::string, double> bytesPerSecond_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
