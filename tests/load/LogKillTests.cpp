// A writer rotating every 4 KB, killed (SIGKILL) at random moments a few hundred times, one
// process after the other on the same files. After each kill the rotation it may have
// interrupted is resolved as the next open does it, and every line whose write had returned, the
// one in flight perhaps too, stands exactly once across the live file and its chain, in order;
// only whole files of the oldest lines may have left the end of a full chain.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <random>

#include "module/LogCompress.h"
#include "module/LogRotation.h"
#include "tests/load/LoadSize.h"
#include "tests/support/LogFiles.h"

namespace orvo::test {
namespace {
namespace fs = std::filesystem;

constexpr uint64_t kRotateSize = 4096;

// What a kill left, before it is resolved.
struct TLeftovers {
    int copying = 0;    // the pending copy: the rotation is undone
    int committed = 0;  // the committed copy: the rotation is finished
    int setAside = 0;   // only the old number 9: it is deleted
};

TEST(LogKill, AWriterKilledAtAnyMomentLeavesEveryLineExactlyOnceAcrossItsRotations) {
    const int kills = LoadSize(300);
    TTempFolder folder;
    const std::string live = LivePath(folder);
    const std::string stem = live.substr(0, live.size() - 4);
    auto* acknowledged = static_cast<std::atomic<int64_t>*>(
        mmap(nullptr, sizeof(std::atomic<int64_t>), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(acknowledged, MAP_FAILED);
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> delayUs(0, 3000);
    TLeftovers left;
    int64_t next = 0;  // the number of the next line to write
    for (int kill = 0; kill < kills; ++kill) {
        acknowledged->store(next);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {  // writes for ever
            WriteNumbered(LogIdentity(folder), kRotateSize, next, INT64_MAX - next, "[Kill] line %", acknowledged);
            _exit(1);
        }
        // Every fourth kill counts from the start, to meet the open that resolves the last
        // kill's leftovers; the others from the first line, so a slow start (the sanitizers)
        // still leaves rotations to meet.
        for (int waited = 0; kill % 4 != 0 && acknowledged->load() == next && waited < 100000; waited += 100)
            usleep(100);
        usleep(useconds_t(delayUs(random)));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "kill " << kill;

        const bool copying = fs::exists(stem + ".0.tmp");
        bool committed = false;  // number 1 a copy of the whole live file, which is not emptied yet
        if (platform::TReadFile content; !copying && content.Open(live, platform::TReadFile::TSharing::WithWriter))
            committed = IsGzipCopyOf(RotatedName(live, 1), ReadFromStart(content), content.SizeAtOpen());
        left.copying += copying;
        left.committed += committed;
        left.setAside += !copying && !committed && fs::exists(stem + ".9.old");
        platform::TAppendFile file;  // what opening the log does first
        ASSERT_TRUE(file.Open(live));
        ASSERT_TRUE(RecoverRotation(live, file).Status);
        file.Close();
        for (const std::string& name : {stem + ".0.tmp", stem + ".9.old"})
            ASSERT_FALSE(fs::exists(name)) << name << " resolved, kill " << kill;

        const std::vector<std::string> messages = MessagesOfChain(live);
        const int64_t written = acknowledged->load(std::memory_order_acquire);
        if (written == 0 && messages.empty()) continue;
        ASSERT_FALSE(messages.empty()) << "kill " << kill;
        const TLineRun run = EachLineOnce(messages, "[Kill] line %", -1);
        ASSERT_EQ(run.others, 0u) << "kill " << kill;
        ASSERT_GE(run.next, 0) << "kill " << kill;
        ASSERT_TRUE(run.first == 0 || fs::exists(RotatedName(live, kRotatedFilesKept)))
            << "line " << run.first << " comes first though the chain is not full, kill " << kill;
        // The line in flight when the process died may have been written or not.
        ASSERT_TRUE(run.next == written || run.next == written + 1)
            << "last line " << run.next - 1 << ", acknowledged " << written << ", kill " << kill;
        next = run.next;
    }
    munmap(acknowledged, sizeof(std::atomic<int64_t>));
    std::printf(
        "%d kills, %lld lines; left mid-rotation: %d copying or moving the chain, %d committed, %d only "
        "number 9 set aside\n",
        kills, static_cast<long long>(next), left.copying, left.committed, left.setAside);
    EXPECT_TRUE(fs::exists(RotatedName(live, kRotatedFilesKept))) << "the chain filled";
    EXPECT_GT(left.copying + left.committed + left.setAside, 0) << "some kills came in the middle of a rotation";
}

}  // namespace
}  // namespace orvo::test
