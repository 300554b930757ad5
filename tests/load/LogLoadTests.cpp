// Four threads writing 250,000 lines each through the log's rotations: every line is found
// exactly once across the live file and the compressed chain (read back with zlib), whole, and
// each thread's lines in the order it wrote them.
#include <gtest/gtest.h>

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
    const auto pattern = [](int t) { return "[Load] writer " + std::to_string(t) + " line % of the day's takings"; };
    std::vector<std::thread> writers;
    for (int t = 0; t < kThreads; ++t)
        writers.emplace_back([&log, &pattern, t, lines] { WriteNumbered(log, 0, lines, pattern(t)); });
    for (std::thread& w : writers) w.join();
    log.Close();

    ASSERT_TRUE(std::filesystem::exists(RotatedName(LivePath(folder), 5))) << "rotations ran during the writes";
    const std::vector<std::string> messages = MessagesOfChain(LivePath(folder));
    EXPECT_EQ(messages.size(), size_t(kThreads) * size_t(lines)) << "nothing but the writers' lines";
    for (int t = 0; t < kThreads; ++t) EXPECT_EQ(EachLineOnce(messages, pattern(t)).next, lines) << "writer " << t;
}

}  // namespace
}  // namespace orvo::test
