// Rotation: the chain of compressed files, the size limit, and failures that must lose no line.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "module/LogRotation.h"
#include "tests/support/LogFiles.h"

namespace orvo {
namespace {
using namespace test;
namespace fs = std::filesystem;

constexpr uint64_t kSmallLimit = 4096;

void WriteInfo(TModuleLog& log, const std::string& message) { log.Write(TLogLevel::Info, message, nullptr, 0); }

// Writes numbered lines until the live file shrinks (it was rotated); returns the messages written.
std::vector<std::string> WriteUntilRotated(TModuleLog& log, const std::string& livePath) {
    std::vector<std::string> written;
    uintmax_t sizeBefore = 0;
    do {
        sizeBefore = fs::file_size(livePath);
        written.push_back("line " + std::to_string(written.size()) + " of the first file");
        WriteInfo(log, written.back());
    } while (fs::file_size(livePath) > sizeBefore && written.size() < 2 * kSmallLimit);
    EXPECT_LT(fs::file_size(livePath), sizeBefore) << "the live file was never emptied";
    return written;
}

TEST(LogRotationNames, TheLogsDotLogBecomesTheNumberAndSynlz) {
    EXPECT_EQ(RotatedName("/m/BackOffice (TILL01) OrvoExtraPayments.ovm.log", 1),
              "/m/BackOffice (TILL01) OrvoExtraPayments.ovm.1.synlz");
    EXPECT_EQ(RotatedName("C:\\m\\Invoicing (POS2) OrvoExtraPayments.ovm-.log", 9),
              "C:\\m\\Invoicing (POS2) OrvoExtraPayments.ovm-.9.synlz");
}

TEST(LogRotationChain, NumberNineGoesTheOthersMoveUpAndTheLiveFileBecomesOne) {
    const std::vector<std::set<int>> presentBefore = {{}, {1, 3, 9}, {1, 2, 3, 4, 5, 6, 7, 8, 9}};
    for (const std::set<int>& present : presentBefore) {
        SCOPED_TRACE("numbers present: " + std::to_string(present.size()));
        TTempFolder folder;
        const std::string live = LivePath(folder);
        for (int n : present) WriteGzip(RotatedName(live, n), "archive " + std::to_string(n));
        int waits = 0;
        TModuleLog log;
        log.Configure(LogIdentity(folder), CountingSettings(waits, kSmallLimit));
        WriteInfo(log, "opening line");
        const std::string before = ReadWhole(live);
        const std::vector<std::string> written = WriteUntilRotated(log, live);

        // Number 1 is exactly the old live file: what was there plus the line that filled it.
        const std::string one = Gunzip(RotatedName(live, 1));
        EXPECT_EQ(one.substr(0, before.size()), before);
        EXPECT_EQ(Messages(one).back(), written.back());
        for (int n = 2; n <= kRotatedFilesKept; ++n) {
            const std::string name = RotatedName(live, n);
            if (present.count(n - 1)) {
                EXPECT_EQ(Gunzip(name), "archive " + std::to_string(n - 1)) << name;
            } else {
                EXPECT_FALSE(fs::exists(name)) << name;
            }
        }
        EXPECT_FALSE(fs::exists(RotatedName(live, 10)));
        EXPECT_FALSE(fs::exists(RotatedName(live, 1) + ".tmp"));
        // The new live file starts with a header and holds no line of the old one.
        const std::string fresh = ReadWhole(live);
        EXPECT_EQ(fresh.substr(0, 9), "======== ");
        EXPECT_TRUE(Messages(fresh).empty());
    }
}

TEST(LogRotationLimit, AWriteTakingTheFilePast2048KBRotatesItAndOneReachingItExactlyDoesNot) {
    TTempFolder folder;
    const std::string live = LivePath(folder);
    constexpr uint64_t kLimit = 2048 * 1024;
    WriteWhole(live, std::string(kLimit - 3000, 'x'));
    TModuleLog log;
    log.Configure(LogIdentity(folder));  // the product's settings
    // Each line is time stamp (24), tag (6), message and CR LF; fill to exactly the limit first.
    WriteInfo(log, "a");
    const uint64_t left = kLimit - fs::file_size(live);
    ASSERT_GT(left, 100u);
    WriteInfo(log, std::string(left - 24 - 6 - 2, 'y'));
    ASSERT_EQ(fs::file_size(live), kLimit);
    EXPECT_FALSE(fs::exists(RotatedName(live, 1)));
    WriteInfo(log, "one past the limit");
    ASSERT_TRUE(fs::exists(RotatedName(live, 1)));
    const std::string archived = Gunzip(RotatedName(live, 1));
    EXPECT_EQ(archived.size(), kLimit + 24 + 6 + std::string("one past the limit").size() + 2);
    EXPECT_TRUE(Messages(ReadWhole(live)).empty());
}

TEST(LogRotationLimit, LinesSpanningSeveralRotationsArePresentExactlyOnceInOrder) {
    TTempFolder folder;
    int waits = 0;
    TModuleLog log;
    log.Configure(LogIdentity(folder), CountingSettings(waits, kSmallLimit));
    std::vector<std::string> written;
    for (int i = 0; i < 400; ++i) {
        written.push_back("message number " + std::to_string(i));
        WriteInfo(log, written.back());
    }
    log.Close();
    ASSERT_TRUE(fs::exists(RotatedName(LivePath(folder), 4)));
    ASSERT_FALSE(fs::exists(RotatedName(LivePath(folder), kRotatedFilesKept)));
    EXPECT_EQ(MessagesOfChain(LivePath(folder)), written);
}

// A rotation that cannot finish keeps the live file whole and writing goes on into it; the
// chain is left as it was.
TEST(LogRotationFailure, CompressionOrRenameFailingKeepsEveryLineInTheLiveFile) {
    enum class TObstacle { PendingNameIsAFolder, NumberNineIsAFolder };
    for (TObstacle obstacle : {TObstacle::PendingNameIsAFolder, TObstacle::NumberNineIsAFolder}) {
        SCOPED_TRACE(obstacle == TObstacle::PendingNameIsAFolder ? "compression fails" : "clearing the chain fails");
        TTempFolder folder;
        const std::string live = LivePath(folder);
        if (obstacle == TObstacle::PendingNameIsAFolder) {
            fs::create_directory(RotatedName(live, 1) + ".tmp");
        } else {
            WriteGzip(RotatedName(live, 1), "archive 1");
            fs::create_directory(RotatedName(live, kRotatedFilesKept));  // cannot be deleted
        }
        int waits = 0;
        TModuleLog log;
        log.Configure(LogIdentity(folder), CountingSettings(waits, kSmallLimit));
        std::vector<std::string> written;
        for (int i = 0; i < 300; ++i) {
            written.push_back("kept line " + std::to_string(i));
            WriteInfo(log, written.back());
        }
        log.Close();
        EXPECT_GT(fs::file_size(live), 2 * kSmallLimit) << "the live file kept growing";
        EXPECT_EQ(Messages(ReadWhole(live)), written);
        if (obstacle == TObstacle::NumberNineIsAFolder) {
            EXPECT_EQ(Gunzip(RotatedName(live, 1)), "archive 1");
            EXPECT_FALSE(fs::exists(RotatedName(live, 1) + ".tmp"));
        }
    }
}

}  // namespace
}  // namespace orvo
