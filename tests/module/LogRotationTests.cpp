// Rotation: the chain of compressed files, the size limit, and failures that must lose no line.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "module/LogRotation.h"
#include "tests/support/LogFiles.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
// Only the Windows side checks the code of these.
constexpr int ERROR_ACCESS_DENIED = 5, ERROR_SHARING_VIOLATION = 32;
#endif

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

#if !defined(_WIN32)  // there a whole path of a name this long passes the 260 characters the system takes
// Number 9's name is four characters longer than the live file's: a live name of up to 251
// characters stays whole in the chain's names, a longer one is cut to 247 there (keeping a hash
// of the whole name), and each new file says so after its header.
TEST(LogRotationNames, ALiveNameOf248To255CharactersStillRotates) {
    for (const size_t length : {248u, 251u, 252u, 255u}) {
        SCOPED_TRACE("a name of " + std::to_string(length) + " characters");
        TTempFolder folder;
        platform::TProcessIdentity id = LogIdentity(folder);
        const std::string program(length - std::string_view(" (TILL01) OrvoExtraPayments.ovm.log").size(), 'P');
        id.HostProgramPath = folder / ("host/" + program + ".exe");
        const std::string name = program + " (TILL01) OrvoExtraPayments.ovm.log";
        ASSERT_EQ(name.size(), length);
        const std::string live = folder / ("modules/" + name);
        const std::string one = RotatedName(live, 1), oneName = fs::path(one).filename().string();
        if (length <= 251) {
            EXPECT_EQ(one, folder / ("modules/" + name.substr(0, length - 4) + ".1.synlz"));
        } else {  // 230 characters of the name, "~" and 16 hexadecimal digits of its hash
            EXPECT_EQ(oneName.substr(0, 231), name.substr(0, 230) + "~");
            EXPECT_EQ(oneName.find_first_not_of("0123456789abcdef", 231), 247u) << oneName;
            EXPECT_EQ(oneName.substr(247), ".1.synlz");
        }
        int waits = 0;
        TModuleLog log;
        log.Configure(id, CountingSettings(waits, kSmallLimit));
        WriteInfo(log, "opening line");
        const std::vector<std::string> written = WriteUntilRotated(log, live);
        EXPECT_EQ(Messages(Gunzip(one)).back(), written.back());
        const std::vector<std::string> cut = {
            "[TModuleLog.Rotate] The log's name is too long for its archives' names, which are cut: number 1 is " +
            one};
        EXPECT_EQ(Messages(ReadWhole(live)), length > 251 ? cut : std::vector<std::string>());
    }
}
#endif

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
        EXPECT_FALSE(fs::exists(RotatedName(live, 0)));
        EXPECT_FALSE(fs::exists(live.substr(0, live.size() - 4) + ".0.tmp"));
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

constexpr std::string_view kRotateFailure = "[TModuleLog.Rotate] Error : ";

// The messages of the live file and its chain without the rotation failures, which are put into
// failures.
std::vector<std::string> MessagesWithoutFailures(const std::string& live, std::vector<std::string>& failures) {
    std::vector<std::string> written;
    for (std::string& m : MessagesOfChain(live)) (m.starts_with(kRotateFailure) ? failures : written).push_back(m);
    return written;
}

// Failures of every attempt name the same file with the system's message; one line for each
// attempt, and attempts come a full size apart, never at every write.
void ExpectOneLinePerAttempt(const std::vector<std::string>& failures, const std::string& path,
                             const std::string& posixMessage, int windowsCode, uintmax_t bytesWritten) {
    EXPECT_GE(failures.size(), 1u);
    EXPECT_LE(failures.size(), bytesWritten / kSmallLimit);
    const std::string prefix = std::string(kRotateFailure) + path + ": ";
    for (const std::string& failure : failures) {
        ASSERT_TRUE(failure.starts_with(prefix)) << failure;
        ExpectSystemMessage(failure.substr(prefix.size()), posixMessage, windowsCode);
    }
}

// A rotation that cannot finish keeps the live file whole and writing goes on into it, after
// one line saying why; the chain is left as it was.
// A folder at the pending copy's name makes each compression fail; what stands at the old number
// 9's name is set aside instead (the load tests, LogNeighbours).
TEST(LogRotationFailure, CompressionFailingKeepsEveryLineAndSaysWhy) {
    TTempFolder folder;
    const std::string live = LivePath(folder);
    const std::string stem = live.substr(0, live.size() - 4);
    WriteGzip(RotatedName(live, 1), "archive 1");
    fs::create_directory(stem + ".0.tmp");
    WriteNumbered(LogIdentity(folder), kSmallLimit, 0, 300, "kept line %");
    std::vector<std::string> written;
    for (int i = 0; i < 300; ++i) written.push_back("kept line " + std::to_string(i));
    std::vector<std::string> failures;
    EXPECT_EQ(MessagesWithoutFailures(live, failures), written);
    ExpectOneLinePerAttempt(failures, stem + ".0.tmp", "Is a directory (error 21)", ERROR_ACCESS_DENIED,
                            fs::file_size(live));
    EXPECT_TRUE(fs::exists(stem + ".0.tmp"));
    EXPECT_GT(fs::file_size(live), 2 * kSmallLimit) << "the live file kept growing";
    EXPECT_EQ(Gunzip(RotatedName(live, 1)), "archive 1");
}

// Holds a file so that it cannot be moved: made immutable (Linux), or held open without delete
// sharing, as a viewer does (Windows).
class TPinnedFile {
public:
    explicit TPinnedFile(const std::string& path) : path_(path) {
#if defined(_WIN32)
        handle_ = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        pinned_ = handle_ != INVALID_HANDLE_VALUE;
#else
        pinned_ = SetImmutable(true);
#endif
    }
    ~TPinnedFile() { Unpin(); }
    bool Pinned() const { return pinned_; }
    void Unpin() {
        if (!pinned_) return;
#if defined(_WIN32)
        CloseHandle(handle_);
#else
        SetImmutable(false);
#endif
        pinned_ = false;
    }

private:
#if defined(_WIN32)
    HANDLE handle_;
#else
    bool SetImmutable(bool on) {
        const int fd = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
        int flags = 0;
        bool set = fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        set = set && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        if (fd >= 0) close(fd);
        return set;
    }
#endif
    std::string path_;
    bool pinned_ = false;
};

TEST(LogRotationFailure, AFileThatCannotMoveAnywhereInTheChainLeavesTheChainAsItWas) {
    for (int pinned = 1; pinned <= kRotatedFilesKept; ++pinned) {
        SCOPED_TRACE("number " + std::to_string(pinned) + " cannot be moved");
        TTempFolder folder;
        const std::string live = LivePath(folder);
        for (int n = 1; n <= kRotatedFilesKept; ++n) WriteGzip(RotatedName(live, n), "archive " + std::to_string(n));
        int waits = 0;
        TModuleLog log;
        log.Configure(LogIdentity(folder), CountingSettings(waits, kSmallLimit));
        std::vector<std::string> written;
        TPinnedFile pin(RotatedName(live, pinned));
        if (!pin.Pinned()) GTEST_SKIP() << "making a file immutable needs CAP_LINUX_IMMUTABLE and ext4 or the like";
        for (int i = 0; i < 300; ++i) {
            written.push_back("kept line " + std::to_string(i));
            WriteInfo(log, written.back());
        }
        pin.Unpin();

        for (int n = 1; n <= kRotatedFilesKept; ++n)
            EXPECT_EQ(Gunzip(RotatedName(live, n)), "archive " + std::to_string(n)) << "number " << n;
        std::vector<std::string> failures;
        EXPECT_EQ(MessagesWithoutFailures(live, failures), written) << "every line stayed in the live file";
        ExpectOneLinePerAttempt(failures, RotatedName(live, pinned), "Operation not permitted (error 1)",
                                ERROR_SHARING_VIOLATION, fs::file_size(live));
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path() / "modules"), fs::directory_iterator()),
                  kRotatedFilesKept + 1)
            << "nothing set aside or pending stays behind";

        // Free again: the next rotation moves the whole chain.
        const std::vector<std::string> more = WriteUntilRotated(log, live);
        log.Close();
        EXPECT_EQ(Messages(Gunzip(RotatedName(live, 1))).back(), more.back());
        for (int n = 2; n <= kRotatedFilesKept; ++n)
            EXPECT_EQ(Gunzip(RotatedName(live, n)), "archive " + std::to_string(n - 1)) << "number " << n;
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path() / "modules"), fs::directory_iterator()),
                  kRotatedFilesKept + 1);
    }
}

// The file sink alone: it writes the lines it is given as they are, and starts each file it opens
// or rotates into with its owner's block, here a counted one.
TEST(LogFileSink, WritesLinesAsGivenAndStartsEachFileWithItsOwnersBlock) {
    TTempFolder folder;
    const std::string path = folder / "alone.log", line = std::string(50, 'x') + "\r\n";
    int waits = 0, starts = 0;
    TLogFileSink sink;
    sink.Configure(path, CountingSettings(waits, 100),
                   [&starts](TDateTime) { return "start " + std::to_string(++starts) + "\r\n"; });
    for (const std::string& text : {line, line, std::string("third\r\n")}) sink.Write(text, 0);  // 9 + 52 + 52 > 100
    sink.Close();
    EXPECT_EQ(Gunzip(RotatedName(path, 1)), "start 1\r\n" + line + line);
    EXPECT_EQ(ReadWhole(path), "start 2\r\nthird\r\n");
}

}  // namespace
}  // namespace orvo
