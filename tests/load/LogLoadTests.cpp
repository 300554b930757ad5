// Four threads writing 250,000 lines each through the log's rotations: every line is found
// exactly once across the live file and the compressed chain (read back with zlib), whole, and
// each thread's lines in the order it wrote them.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <thread>

#include "module/Log.h"
#include "module/LogRotation.h"
#include "tests/load/LoadSize.h"
#include "tests/support/LogFiles.h"
#include "tests/support/TestSupport.h"

namespace orvo::test {
namespace {

TEST(LogLoad, FourThreadsOfAQuarterMillionLinesEachLoseAndInterleaveNothingAcrossRotations) {
    constexpr int kThreads = 4;
    const int lines = LoadSize(250000);
    TTempFolder folder;
    int waits = 0;
    TModuleLog log;
    // About 85 bytes a line: the chain of nine holds everything when it rotates every ~9.5 MB.
    const uint64_t rotateSize = uint64_t(lines) * kThreads * 85 / (kRotatedFilesKept + 1);
    log.Configure(LogIdentity(folder), CountingSettings(waits, rotateSize));
    std::vector<std::thread> writers;
    for (int t = 0; t < kThreads; ++t) {
        writers.emplace_back([&log, t, lines] {
            for (int i = 0; i < lines; ++i) {
                const TLogArg args[] = {TLogArg(t), TLogArg(i)};
                log.Write(TLogLevel::Info, "[Load] writer % line % of the day's takings", args, 2);
            }
        });
    }
    for (std::thread& w : writers) w.join();
    log.Close();

    ASSERT_TRUE(std::filesystem::exists(RotatedName(LivePath(folder), 5))) << "rotations ran during the writes";
    std::vector<int> nextLine(kThreads, 0);
    size_t count = 0;
    for (const std::string& message : MessagesOfChain(LivePath(folder))) {
        int t = -1, i = -1;
        ASSERT_EQ(std::sscanf(message.c_str(), "[Load] writer %d line %d ", &t, &i), 2) << message;
        ASSERT_TRUE(t >= 0 && t < kThreads) << message;
        ASSERT_EQ(message,
                  "[Load] writer " + std::to_string(t) + " line " + std::to_string(i) + " of the day's takings");
        ASSERT_EQ(i, nextLine[size_t(t)]++) << "each writer's lines arrive in order, once";
        ++count;
    }
    EXPECT_EQ(count, size_t(kThreads) * size_t(lines));
    EXPECT_EQ(nextLine, std::vector<int>(kThreads, lines));
}

}  // namespace
}  // namespace orvo::test
