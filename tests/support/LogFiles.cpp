#include "tests/support/LogFiles.h"

#include <gtest/gtest.h>
#include <utime.h>
#include <zlib.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "module/LogRotation.h"
#include "platform/DateTime.h"

namespace orvo::test {

platform::TProcessIdentity LogIdentity(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder / "host");
    std::filesystem::create_directories(folder / "modules");
    platform::TProcessIdentity id;
    id.HostProgramPath = (folder / "host" / "BackOffice.exe").string();
    id.ModulePath = (folder / "modules" / "OrvoExtraPayments.ovm").string();
    id.ComputerName = "TILL01";
    id.UserName = "cashier";
    id.OperatingSystem = "Windows 10.0 build 19045";
    id.ProcessId = 4242;
    id.HostProgramVersion = "7.1.0.12";
    id.ModuleVersion = "0.0.0.6";
    return id;
}

std::string LivePath(const TTempFolder& folder) {
    const platform::TProcessIdentity id = LogIdentity(folder);
    return LogFolder(id) + LogFileName(id);
}

TLogSettings CountingSettings(int& waits, uint64_t rotateSize) {
    TLogSettings settings;
    settings.RotateSize = rotateSize;
    settings.WaitBeforeRetry = [&waits] { ++waits; };
    return settings;
}

void WriteNumbered(TModuleLog& log, int64_t first, int64_t count, const std::string& pattern,
                   std::atomic<int64_t>* acknowledged) {
    for (int64_t i = first; i - first < count; ++i) {
        const TLogArg number(i);
        log.Write(TLogLevel::Info, pattern, &number, 1);
        if (acknowledged) acknowledged->store(i + 1, std::memory_order_release);
    }
}

void WriteNumbered(const platform::TProcessIdentity& id, uint64_t rotateSize, int64_t first, int64_t count,
                   const std::string& pattern, std::atomic<int64_t>* acknowledged) {
    int waits = 0;
    TModuleLog log;
    log.Configure(id, CountingSettings(waits, rotateSize));
    WriteNumbered(log, first, count, pattern, acknowledged);
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

void WriteWhole(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::string Gunzip(const std::string& path) {
    std::string text;
    gzFile in = gzopen(path.c_str(), "rb");
    EXPECT_NE(in, nullptr) << path;
    if (!in) return text;
    EXPECT_FALSE(gzdirect(in)) << path << " is not compressed";
    char chunk[65536];
    int n = 0;
    while ((n = gzread(in, chunk, sizeof chunk)) > 0) text.append(chunk, size_t(n));
    EXPECT_EQ(n, 0) << path << " is damaged";
    gzclose(in);
    return text;
}

void WriteGzip(const std::string& path, const std::string& text) {
    gzFile out = gzopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr) << path;
    gzwrite(out, text.data(), unsigned(text.size()));
    ASSERT_EQ(gzclose(out), Z_OK);
}

void SetLastChange(const std::string& path, TDateTime when) {
    const TDateParts p = DecodeDateTime(when);
    std::tm local{};
    local.tm_year = p.Year - 1900;
    local.tm_mon = p.Month - 1;
    local.tm_mday = p.Day;
    local.tm_hour = p.Hour;
    local.tm_min = p.Minute;
    local.tm_sec = p.Second;
    local.tm_isdst = -1;
    utimbuf times{};
    times.actime = times.modtime = std::mktime(&local);
    ASSERT_EQ(utime(path.c_str(), &times), 0) << path;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::vector<std::string> Messages(const std::string& text) {
    // "yyyy-mm-dd hh:mm:ss.zzz " and a tag padded to six characters.
    constexpr size_t kStamp = 24, kTag = 6;
    std::vector<std::string> messages;
    for (const std::string& line : SplitLines(text)) {
        const bool isLogLine = line.size() >= kStamp + kTag && line[4] == '-' && line[23] == ' ';
        if (isLogLine) messages.push_back(line.substr(kStamp + kTag));
    }
    return messages;
}

std::vector<std::string> MessagesOfChain(const std::string& livePath) {
    std::vector<std::string> all;
    for (int n = kRotatedFilesKept; n >= 1; --n) {
        const std::string archive = RotatedName(livePath, n);
        if (!std::filesystem::exists(archive)) continue;
        for (std::string& m : Messages(Gunzip(archive))) all.push_back(std::move(m));
    }
    for (std::string& m : Messages(ReadWhole(livePath))) all.push_back(std::move(m));
    return all;
}

TLineRun EachLineOnce(const std::vector<std::string>& messages, const std::string& pattern, int64_t first) {
    const size_t hole = pattern.find('%');
    const std::string prefix = pattern.substr(0, hole), suffix = pattern.substr(hole + 1);
    TLineRun run{first, first < 0 ? 0 : first};
    for (const std::string& message : messages) {
        // A line torn by a kill, closed by the next open, is a strict beginning of the line due,
        // however short: the next writer writes that line whole.
        const std::string due = prefix + std::to_string(run.next) + suffix;
        if (run.first >= 0 && message.size() < due.size() && due.starts_with(message)) continue;
        if (!message.starts_with(prefix)) {
            ++run.others;
            continue;
        }
        if (run.first < 0) run.first = run.next = std::atoll(message.c_str() + prefix.size());
        const std::string whole = prefix + std::to_string(run.next) + suffix;
        EXPECT_EQ(message, whole);
        if (message != whole) return {run.first, -1, run.others};
        ++run.next;
    }
    return run;
}

void ExpectSystemMessage(const std::string& message, [[maybe_unused]] const std::string& posix,
                         [[maybe_unused]] int windowsCode) {
#if defined(_WIN32)
    const std::string code = " (error " + std::to_string(windowsCode) + ")";
    EXPECT_TRUE(message.size() > code.size() && message.ends_with(code)) << message;
#else
    EXPECT_EQ(message, posix);
#endif
}

}  // namespace orvo::test
