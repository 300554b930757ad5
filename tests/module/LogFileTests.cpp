// The header block at the top of each file and the lines of concurrent writers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <thread>

#include "module/LogRotation.h"
#include "platform/DateTime.h"
#include "tests/support/LogFiles.h"

namespace orvo {
namespace {
using namespace test;

void WriteInfo(TModuleLog& log, const std::string& message) { log.Write(TLogLevel::Info, message, nullptr, 0); }

TEST(LogHeader, ANewFileStartsWithOneLinePerFactOfTheProcess) {
    TTempFolder folder;
    TScopedClock clock(EncodeDate(2026, 3, 4) + EncodeTime(5, 6, 7, 89));
    TModuleLog log;
    log.Configure(LogIdentity(folder));
    WriteInfo(log, "first");
    log.Close();

    const std::string modulePath = LogIdentity(folder).ModulePath, hostPath = LogIdentity(folder).HostProgramPath;
    EXPECT_EQ(ReadWhole(LivePath(folder)),
              "======== 2026-03-04 05:06:07.089\r\n"
              "Program:  " +
                  hostPath +
                  " (file version 7.1.0.12)\r\n"
                  "Module:   " +
                  modulePath +
                  " (file version 0.0.0.6)\r\n"
                  "Computer: TILL01\r\n"
                  "User:     cashier\r\n"
                  "System:   Windows 10.0 build 19045\r\n"
                  "Process:  4242\r\n"
                  "2026-03-04 05:06:07.089 info  first\r\n");
}

TEST(LogHeader, AppendingToAnExistingFileWritesANewHeaderFirstAndKeepsWhatWasThere) {
    TTempFolder folder;
    WriteWhole(LivePath(folder), "earlier run\r\n");
    platform::TProcessIdentity id = LogIdentity(folder);
    id.HostProgramVersion.clear();  // a program without a version record
    TModuleLog log;
    log.Configure(id);
    WriteInfo(log, "second run");
    log.Close();
    WriteInfo(log, "after reopening");

    const std::vector<std::string> lines = SplitLines(ReadWhole(LivePath(folder)));
    ASSERT_EQ(lines.size(), 1u + 8 + 8);  // header blocks of seven lines
    EXPECT_EQ(lines[0], "earlier run");
    EXPECT_EQ(lines[1].substr(0, 9), "======== ");
    EXPECT_EQ(lines[2], "Program:  " + id.HostProgramPath);
    EXPECT_EQ(lines[8].substr(lines[8].size() - 10), "second run");
    EXPECT_EQ(lines[9].substr(0, 9), "======== ");
    EXPECT_EQ(lines[16].substr(lines[16].size() - 15), "after reopening");
}

// A line torn by the end of an earlier process is closed with CR LF before the new header.
TEST(LogHeader, ALastLineWithoutItsLineEndIsClosedBeforeTheHeader) {
    const struct {
        const char* before;
        const char* kept;
    } rows[] = {
        {"earlier run, torn", "earlier run, torn\r\n"},
        {"earlier run, torn after CR\r", "earlier run, torn after CR\r\n"},
        {"earlier run\r\n", "earlier run\r\n"},
        {"", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.before);
        TTempFolder folder;
        WriteWhole(LivePath(folder), row.before);
        TModuleLog log;
        log.Configure(LogIdentity(folder));
        WriteInfo(log, "next run");
        log.Close();
        const std::string text = ReadWhole(LivePath(folder));
        const std::string kept = row.kept;
        EXPECT_EQ(text.substr(0, kept.size() + 9), kept + "======== ");
    }
}

// A path or name holding line breaks or other control characters cannot make a line of its own
// in the header: they are written as escapes, as in a line's arguments.
TEST(LogHeader, ControlCharactersInPathsAndNamesAreWrittenAsEscapes) {
    TTempFolder folder;
    TScopedClock clock(EncodeDate(2026, 3, 4) + EncodeTime(5, 6, 7, 89));
    platform::TProcessIdentity id = LogIdentity(folder);
    // In folders and texts that are not part of the log's own name, which Windows would refuse.
    id.HostProgramPath = "/suite\r\n2026-03-04 05:06:07.089 EXC   forged\r\n/BackOffice.exe";
    id.ModuleVersion = "0.0.0.6\r\nforged";
    id.RuntimeFiles = {{"/lib\n/libstdc++.so.6", "6.0\x1B", 2048}};
    id.UserName = "cashier\nsupervisor";
    id.OperatingSystem = "Linux\x7F\t";
    TModuleLog log;
    log.Configure(id);
    WriteInfo(log, "first");
    log.Close();

    EXPECT_EQ(
        ReadWhole(LivePath(folder)),
        "======== 2026-03-04 05:06:07.089\r\n"
        "Program:  /suite\\r\\n2026-03-04 05:06:07.089 EXC   forged\\r\\n/BackOffice.exe (file version 7.1.0.12)\r\n"
        "Module:   " +
            id.ModulePath +
            " (file version 0.0.0.6\\r\\nforged)\r\n"
            "Runtime:  /lib\\n/libstdc++.so.6 (file version 6.0\\x1B, 2048 bytes)\r\n"
            "Computer: TILL01\r\n"
            "User:     cashier\\nsupervisor\r\n"
            "System:   Linux\\x7F\\t\r\n"
            "Process:  4242\r\n"
            "2026-03-04 05:06:07.089 info  first\r\n");
}

TEST(LogHeader, TheProcessIdentityReadFromTheSystemNamesProgramModuleAndBuild) {
    const platform::TProcessIdentity self = platform::ReadProcessIdentity();
    EXPECT_FALSE(self.HostProgramPath.empty());
    EXPECT_FALSE(self.ComputerName.empty());
    EXPECT_FALSE(self.OperatingSystem.empty());
    EXPECT_NE(self.ProcessId, 0u);
    // The tests link the module's code into the program itself: natively it reports the version
    // it was built as; a Windows program without a version record reports none.
#if defined(_WIN32)
    EXPECT_EQ(self.ModuleVersion, "");
#else
    EXPECT_EQ(self.ModuleVersion, "0.0.0.6");
#endif
}

TEST(LogThreads, FourWritersLoseAndInterleaveNothingAcrossRotations) {
    TTempFolder folder;
    int waits = 0;
    TModuleLog log;
    log.Configure(LogIdentity(folder), CountingSettings(waits, 96 * 1024));
    constexpr int kThreads = 4, kLines = 1500;
    std::vector<std::thread> writers;
    for (int t = 0; t < kThreads; ++t) {
        writers.emplace_back([&log, t] {
            for (int i = 0; i < kLines; ++i) {
                const TLogArg args[] = {TLogArg(t), TLogArg(i)};
                log.Write(TLogLevel::Info, "writer % line % ..........................................", args, 2);
            }
        });
    }
    for (std::thread& w : writers) w.join();
    log.Close();

    ASSERT_TRUE(std::filesystem::exists(RotatedName(LivePath(folder), 3))) << "rotations ran during the writes";
    ASSERT_FALSE(std::filesystem::exists(RotatedName(LivePath(folder), kRotatedFilesKept)));
    std::set<std::string> seen;
    std::vector<int> nextLine(kThreads, 0);
    for (const std::string& message : MessagesOfChain(LivePath(folder))) {
        int t = -1, i = -1;
        ASSERT_EQ(std::sscanf(message.c_str(), "writer %d line %d ", &t, &i), 2) << message;
        ASSERT_EQ(message, "writer " + std::to_string(t) + " line " + std::to_string(i) +
                               " ..........................................");
        EXPECT_EQ(i, nextLine[size_t(t)]++) << "each writer's lines arrive in order, once";
        seen.insert(message);
    }
    EXPECT_EQ(seen.size(), size_t(kThreads * kLines));
    // Lines are stamped as they are written, so the file reads in time order.
    std::vector<std::string> stamps;
    for (const std::string& line : SplitLines(ReadWhole(LivePath(folder))))
        if (line.find(" info  writer ") == 23) stamps.push_back(line.substr(0, 23));
    EXPECT_TRUE(std::is_sorted(stamps.begin(), stamps.end()));
}

}  // namespace
}  // namespace orvo
