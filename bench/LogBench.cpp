// Lines per second of the module log beside spdlog's file sinks writing the same ~90-byte lines,
// with 1 and 2 threads, and the time of one rotation of a 2 MB file. After the run it prints
// the ratios the log is held to. spdlog serves here as a yardstick only.
#include <benchmark/benchmark.h>
#include <spdlog/logger.h>
#include <spdlog/pattern_formatter.h>
#include <spdlog/sinks/basic_file_sink.h>
#include <spdlog/sinks/rotating_file_sink.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "module/Log.h"
#include "module/LogHeader.h"
#include "platform/Platform.h"

namespace {
namespace fs = std::filesystem;
using orvo::Money;
using orvo::TLogArg;
using orvo::TLogLevel;
using orvo::TModuleLog;

constexpr uint64_t kRotateSize = 2048 * 1024;
constexpr int kRotatedFilesKept = 9;

// "2026-03-04 05:06:07.089 info  [TPaymentMethodUber.DoPaymentPopup] Uber: Trans 123456 : 120.5"
constexpr std::string_view kPattern = "[TPaymentMethodUber.DoPaymentPopup] %: Trans % : %";
constexpr auto kSpdlogPattern = "[TPaymentMethodUber.DoPaymentPopup] {}: Trans {} : {}";
constexpr auto kSpdlogLineLayout = "%Y-%m-%d %H:%M:%S.%e %-6l%v";

// An empty folder of the benchmark's own under the temporary folder.
fs::path FreshFolder(const std::string& name) {
    const fs::path folder = fs::temp_directory_path() / "orvo-log-bench" / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

orvo::platform::TProcessIdentity BenchIdentity(const fs::path& folder) {
    orvo::platform::TProcessIdentity id = orvo::platform::ReadProcessIdentity();
    id.ModulePath = (folder / "OrvoExtraPayments.ovm").string();
    id.HostProgramPath = (folder / "BackOffice.exe").string();
    id.ComputerName = "TILL01";
    return id;
}

void WriteLine(TModuleLog& log, int64_t number) {
    const TLogArg args[] = {TLogArg("Uber"), TLogArg(number), TLogArg(Money{1205000})};
    log.Write(TLogLevel::Info, kPattern, args, 3);
}

// Building one line: time stamp from the clock, tag, filled pattern, CR LF.
void LineFormatting(benchmark::State& state) {
    int64_t number = 0;
    for (auto _ : state) {
        const TLogArg args[] = {TLogArg("Uber"), TLogArg(number++), TLogArg(Money{1205000})};
        std::string line;
        line.reserve(32 + kPattern.size() * 2);
        orvo::AppendLogLine(line, orvo::platform::Now(), TLogLevel::Info, kPattern, args, 3);
        benchmark::DoNotOptimize(line.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(LineFormatting);

// The whole path of a line: filling, time stamp, tag, CR LF, one write call, and a rotation with
// compression every 2 MB.
TModuleLog gLog;
void ModuleLog(benchmark::State& state) {
    if (state.thread_index() == 0) gLog.Configure(BenchIdentity(FreshFolder("module-log")));
    int64_t number = state.thread_index() * 1000000000LL;
    for (auto _ : state) WriteLine(gLog, number++);
    state.SetItemsProcessed(state.iterations());
    if (state.thread_index() == 0) gLog.Close();
}
BENCHMARK(ModuleLog)->Threads(1)->Threads(2)->UseRealTime();

enum class TSink { Basic, Rotating };
std::shared_ptr<spdlog::logger> gSpdlog;
void Spdlog(benchmark::State& state, TSink kind, bool flushEachLine) {
    if (state.thread_index() == 0) {
        const std::string path = (FreshFolder("spdlog") / "spdlog.log").string();
        spdlog::sink_ptr sink;
        if (kind == TSink::Basic) {
            sink = std::make_shared<spdlog::sinks::basic_file_sink_mt>(path, true);
        } else {
            sink = std::make_shared<spdlog::sinks::rotating_file_sink_mt>(path, kRotateSize, kRotatedFilesKept);
        }
        gSpdlog = std::make_shared<spdlog::logger>("bench", sink);
        gSpdlog->set_formatter(
            std::make_unique<spdlog::pattern_formatter>(kSpdlogLineLayout, spdlog::pattern_time_type::local, "\r\n"));
        gSpdlog->flush_on(flushEachLine ? spdlog::level::trace : spdlog::level::off);
    }
    int64_t number = state.thread_index() * 1000000000LL;
    for (auto _ : state) gSpdlog->info(kSpdlogPattern, "Uber", number++, 120.5);
    state.SetItemsProcessed(state.iterations());
    if (state.thread_index() == 0) {
        gSpdlog->flush();
        gSpdlog.reset();
    }
}
BENCHMARK_CAPTURE(Spdlog, BasicBuffered, TSink::Basic, false)->Threads(1)->Threads(2)->UseRealTime();
BENCHMARK_CAPTURE(Spdlog, BasicFlushEachLine, TSink::Basic, true)->Threads(1)->Threads(2)->UseRealTime();
BENCHMARK_CAPTURE(Spdlog, RotatingBuffered, TSink::Rotating, false)->Threads(1)->Threads(2)->UseRealTime();
BENCHMARK_CAPTURE(Spdlog, RotatingFlushEachLine, TSink::Rotating, true)->Threads(1)->Threads(2)->UseRealTime();

// One write that takes a 2 MB file of ordinary log lines past the limit: the file is
// compressed into number 1, the chain moves up and a new file starts with its header.
void ModuleLogRotation(benchmark::State& state) {
    const fs::path folder = FreshFolder("rotation");
    const orvo::platform::TProcessIdentity id = BenchIdentity(folder);
    // Ordinary lines up to where the header and one line still fit and a second line does not.
    std::string line;
    const TLogArg args[] = {TLogArg("Uber"), TLogArg(int64_t(0)), TLogArg(Money{1205000})};
    orvo::AppendLogLine(line, orvo::platform::Now(), TLogLevel::Info, kPattern, args, 3);
    const size_t fill = kRotateSize - orvo::LogHeaderBlock(id, orvo::platform::Now()).size() - line.size() * 3 / 2;
    std::string content;
    for (int64_t n = 0; content.size() < fill; ++n) {
        const TLogArg lineArgs[] = {TLogArg("Uber"), TLogArg(n), TLogArg(Money{1205000 + n})};
        orvo::AppendLogLine(content, orvo::platform::Now(), TLogLevel::Info, kPattern, lineArgs, 3);
    }
    content.resize(fill);
    TModuleLog log;
    log.Configure(id);
    const std::string live = log.FilePath();
    for (auto _ : state) {
        state.PauseTiming();
        std::ofstream(live, std::ios::binary | std::ios::trunc) << content;
        log.Configure(id);
        WriteLine(log, 0);  // opens the file and writes its header, just short of the limit
        state.ResumeTiming();
        WriteLine(log, 0);
        state.PauseTiming();
        log.Close();
        if (fs::file_size(live) >= content.size()) state.SkipWithError("the write did not rotate the file");
        state.ResumeTiming();
    }
    fs::remove_all(folder);
}
BENCHMARK(ModuleLogRotation)->Unit(benchmark::kMillisecond)->UseRealTime();

// The console report, then the ratios of this run beside their targets.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    TRatioReporter() : ConsoleReporter(OO_Tabular) {}

    // With --benchmark_repetitions the medians count; otherwise the single runs.
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.error_occurred || (run.run_type == Run::RT_Aggregate && !median)) continue;
            if (!median && medianSeen_.count(run.run_name.str())) continue;
            if (median) medianSeen_.insert(run.run_name.str());
            const auto rate = run.counters.find("items_per_second");
            if (rate != run.counters.end()) rates_[run.run_name.str()] = rate->second.value;
            if (run.run_name.function_name == "ModuleLogRotation") rotationMs_ = run.GetAdjustedRealTime();
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\nRatios from this run (lines per second; target in brackets):\n");
        Ratio("module log / spdlog basic, flush each line, 1 thread", "ModuleLog", "Spdlog/BasicFlushEachLine", 1,
              ">= 1.5");
        Ratio("module log / spdlog basic, buffered, 1 thread", "ModuleLog", "Spdlog/BasicBuffered", 1, ">= 0.5");
        Ratio("module log / spdlog rotating, flush each line, 1 thread", "ModuleLog", "Spdlog/RotatingFlushEachLine", 1,
              "");
        Ratio("module log / spdlog rotating, buffered, 1 thread", "ModuleLog", "Spdlog/RotatingBuffered", 1, "");
        Ratio("module log / spdlog basic, flush each line, 2 threads", "ModuleLog", "Spdlog/BasicFlushEachLine", 2, "");
        if (const double one = Rate("ModuleLog", 1), two = Rate("ModuleLog", 2); one > 0 && two > 0)
            std::printf("  %-58s %6.2f  [>= 0.80]\n", "module log, 2 threads / 1 thread", two / one);
        if (rotationMs_ > 0)
            std::printf("  %-58s %6.1f ms  [< 25 ms]\n", "rotation of a 2 MB file, compression included", rotationMs_);
    }

private:
    double Rate(const std::string& name, int threads) const {
        const auto found = rates_.find(name + "/real_time/threads:" + std::to_string(threads));
        return found == rates_.end() ? 0 : found->second;
    }
    void Ratio(const char* label, const std::string& ours, const std::string& theirs, int threads,
               const char* target) const {
        const double a = Rate(ours, threads), b = Rate(theirs, threads);
        if (a > 0 && b > 0)
            std::printf("  %-58s %6.2f  %s%s%s\n", label, a / b, *target ? "[" : "", target, *target ? "]" : "");
    }

    std::map<std::string, double> rates_;
    std::set<std::string> medianSeen_;
    double rotationMs_ = 0;
};
}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    fs::remove_all(fs::temp_directory_path() / "orvo-log-bench");
    return 0;
}
