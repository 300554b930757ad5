// A file size limit under the log (a child process runs with one). A write that would pass it
// is never made, whatever the host does with SIGXFSZ (at its default action the signal would end
// the process): the live file is rotated before the line that does not fit, and only when that
// cannot be done is the line dropped; every line written before stays whole, and once there is
// room again new lines are written whole. A compressed copy is held to the limit by its real size.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>

#include "module/Log.h"
#include "module/LogCompress.h"
#include "module/LogRotation.h"
#include "tests/support/LogFiles.h"
#include "tests/support/TestSupport.h"

namespace orvo::test {
namespace {

constexpr int kLines = 200;

constexpr const char* kPattern = "[DiskFull] line % of the till's day";

// The numbers of the whole lines, in file order; the text after the last CR LF is returned in rest.
std::vector<int> NumberedLines(const std::string& text, std::string& rest) {
    std::vector<int> numbers;
    size_t from = 0;
    for (size_t end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2) {
        const std::string line = text.substr(from, end - from);
        const size_t at = line.find("[DiskFull] line ");
        if (at != std::string::npos) numbers.push_back(std::stoi(line.substr(at + 16)));
    }
    rest = text.substr(from);
    return numbers;
}

constexpr rlim_t kRoom = 6000;  // the header and some lines; a line would end up cut at the limit

// Runs body in a child process whose files may not grow past kRoom, with SIGXFSZ as given;
// fails the test unless the child returned from body and exited normally.
void RunUnderFileSizeLimit(void (*disposition)(int), const std::function<void()>& body) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, disposition);
        const rlimit limit{kRoom, kRoom};
        setrlimit(RLIMIT_FSIZE, &limit);
        body();
        _exit(0);  // reached only when every write returned
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the child died of signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(LogDiskFull, AFileAtTheLimitIsRotatedBeforeTheLineThatDoesNotFit) {
    for (const bool rotationBlocked : {false, true}) {
        for (auto disposition : {SIG_DFL, SIG_IGN}) {
            SCOPED_TRACE(std::string(rotationBlocked ? "rotation blocked, " : "") +
                         (disposition == SIG_DFL ? "SIGXFSZ at its default action" : "SIGXFSZ ignored"));
            TTempFolder folder;
            platform::TProcessIdentity id;
            id.ModulePath = folder / "OrvoExtraPayments.ovm";
            id.HostProgramPath = folder / "Invoicing.exe";
            id.ComputerName = "POS1";
            const std::string path = folder / "Invoicing (POS1) OrvoExtraPayments.ovm.log";
            // The compressed copy cannot be made where a folder stands at its name.
            if (rotationBlocked)
                std::filesystem::create_directory(folder / "Invoicing (POS1) OrvoExtraPayments.ovm.0.tmp");

            RunUnderFileSizeLimit(disposition, [&id] {
                TModuleLog log;
                log.Configure(id);  // the product's settings: rotation at 2048 KB
                WriteNumbered(log, 0, kLines, kPattern);
            });

            const std::string full = ReadWhole(path);
            EXPECT_LE(full.size(), kRoom);
            std::string rest;
            std::vector<int> kept;
            for (int n = kRotatedFilesKept; n >= 1; --n) {
                if (!std::filesystem::exists(RotatedName(path, n))) continue;
                const std::vector<int> archived = NumberedLines(Gunzip(RotatedName(path, n)), rest);
                kept.insert(kept.end(), archived.begin(), archived.end());
                EXPECT_EQ(rest, "") << "number " << n << " ends in a whole line";
            }
            const std::vector<int> live = NumberedLines(full, rest);
            kept.insert(kept.end(), live.begin(), live.end());
            EXPECT_EQ(rest, "") << "no line was cut at the limit";
            ASSERT_GT(kept.size(), 10u);
            for (size_t i = 0; i < kept.size(); ++i) ASSERT_EQ(kept[i], int(i)) << "lines in order, each once";
            if (!rotationBlocked) {
                EXPECT_EQ(kept.size(), size_t(kLines)) << "no line dropped";
                EXPECT_TRUE(std::filesystem::exists(RotatedName(path, 2)));
                continue;
            }
            ASSERT_LT(kept.size(), size_t(kLines)) << "dropped once rotating failed";
            // Room again: the next lines go in whole after what is there.
            TModuleLog log;
            log.Configure(id);
            WriteNumbered(log, kLines, 3, kPattern);
            const std::string later = ReadWhole(path);
            ASSERT_EQ(later.compare(0, full.size(), full), 0) << "nothing written before is lost";
            std::string laterRest;
            const std::vector<int> after = NumberedLines(later.substr(full.size()), laterRest);
            EXPECT_EQ(after, (std::vector<int>{kLines, kLines + 1, kLines + 2}));
            EXPECT_TRUE(laterRest.empty());
        }
    }
}

// A line longer than the limit can never be written: it costs one rotation, not one for each
// time it comes, which would push the chain's older files out with archives of a header.
TEST(LogDiskFull, ALineLongerThanTheLimitIsDroppedAfterOneRotation) {
    TTempFolder folder;
    platform::TProcessIdentity id;
    id.ModulePath = folder / "OrvoExtraPayments.ovm";
    id.HostProgramPath = folder / "Invoicing.exe";
    id.ComputerName = "POS1";
    const std::string path = folder / "Invoicing (POS1) OrvoExtraPayments.ovm.log";
    RunUnderFileSizeLimit(SIG_DFL, [&id] {
        TModuleLog log;
        log.Configure(id);
        WriteNumbered(log, 0, 50, kPattern);
        const std::string tooLong(kRoom + 1000, 'x');
        for (int i = 0; i < 20; ++i) log.Write(TLogLevel::Info, tooLong, nullptr, 0);
        WriteNumbered(log, 50, 3, kPattern);
    });
    std::string rest;
    std::vector<int> expected(50);
    for (int i = 0; i < 50; ++i) expected[size_t(i)] = i;
    EXPECT_EQ(NumberedLines(Gunzip(RotatedName(path, 1)), rest), expected);
    EXPECT_FALSE(std::filesystem::exists(RotatedName(path, 2)));
    EXPECT_EQ(NumberedLines(ReadWhole(path), rest), (std::vector<int>{50, 51, 52}));
}

// The limit holds the copy's real size: text at the limit compresses to a fraction of it and is
// copied; noise grows a little in gzip and is refused, with nothing left behind.
TEST(LogDiskFull, ACompressedCopyIsRefusedOnlyWhenItsRealSizePassesTheLimit) {
    for (const bool noise : {false, true}) {
        SCOPED_TRACE(noise ? "noise" : "log text");
        TTempFolder folder;
        std::string content(kRoom, '\0');
        uint32_t seed = 12345;
        for (size_t i = 0; i < content.size(); ++i)
            content[i] = noise ? char((seed = seed * 1103515245u + 12345u) >> 24) : "[Rotate] till line\r\n"[i % 20];
        WriteWhole(folder / "content.log", content);
        RunUnderFileSizeLimit(SIG_DFL, [&folder, noise] {
            platform::TReadFile source;
            if (!source.Open(folder / "content.log", platform::TReadFile::TSharing::WithWriter)) _exit(2);
            const platform::TFileStatus copied = WriteGzipCopy(ReadFromStart(source), folder / "content.log.gz", 0644);
            _exit(noise == (!copied && copied.Code() == EFBIG) ? 0 : 3);
        });
        if (noise) {
            EXPECT_FALSE(std::filesystem::exists(folder / "content.log.gz"));
        } else {
            EXPECT_EQ(Gunzip(folder / "content.log.gz"), content);
        }
    }
}

}  // namespace
}  // namespace orvo::test
