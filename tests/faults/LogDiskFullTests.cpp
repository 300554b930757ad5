// The disk filling up under the log: a child process runs with a file size limit. A write that
// would pass it is taken like one to a full disk, whatever the host does with SIGXFSZ (at its
// default action the signal would end the process): the module goes on, every line written
// before stays whole, and once there is room again new lines are written whole.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "module/Log.h"
#include "module/LogCompress.h"
#include "tests/support/TestSupport.h"

namespace orvo::test {
namespace {

constexpr int kLines = 200;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

void WriteNumberedLines(TModuleLog& log, int from, int to) {
    for (int i = from; i < to; ++i) {
        const TLogArg args[] = {TLogArg(int64_t(i))};
        log.Write(TLogLevel::Info, "[DiskFull] line % of the till's day", args, 1);
    }
}

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

TEST(LogDiskFull, LinesBeforeTheDiskFilledStayWholeAndTheModuleGoesOn) {
    for (auto disposition : {SIG_DFL, SIG_IGN}) {
        SCOPED_TRACE(disposition == SIG_DFL ? "SIGXFSZ at its default action" : "SIGXFSZ ignored");
        TTempFolder folder;
        platform::TProcessIdentity id;
        id.ModulePath = folder / "OrvoExtraPayments.ovm";
        id.HostProgramPath = folder / "Invoicing.exe";
        id.ComputerName = "POS1";

        RunUnderFileSizeLimit(disposition, [&id] {
            TModuleLog log;
            log.Configure(id);
            WriteNumberedLines(log, 0, kLines);
        });

        TModuleLog log;
        log.Configure(id);
        const std::string path = log.FilePath();
        const std::string full = ReadAll(path);
        EXPECT_LE(full.size(), kRoom);
        std::string rest;
        const std::vector<int> before = NumberedLines(full, rest);
        ASSERT_GT(before.size(), 10u);
        ASSERT_LT(before.size(), size_t(kLines));
        for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(before[i], int(i)) << "lines before the limit, in order";
        EXPECT_EQ(rest, "") << "the line cut at the limit was taken back";

        // Room again: the next lines go in whole after what is there.
        WriteNumberedLines(log, kLines, kLines + 3);
        const std::string later = ReadAll(path);
        ASSERT_EQ(later.compare(0, full.size(), full), 0) << "nothing written before is lost";
        std::string laterRest;
        const std::vector<int> after = NumberedLines(later.substr(full.size()), laterRest);
        EXPECT_EQ(after, (std::vector<int>{kLines, kLines + 1, kLines + 2}));
        EXPECT_TRUE(laterRest.empty());
    }
}

// A compressed copy that might pass the limit is not begun: gzip can make a file that does not
// compress a little larger than it was.
TEST(LogDiskFull, ACompressedCopyThatCouldPassTheLimitIsRefusedBeforeAByteIsWritten) {
    TTempFolder folder;
    std::string noise(kRoom - 10, '\0');
    uint32_t seed = 12345;
    for (char& c : noise) c = char((seed = seed * 1103515245u + 12345u) >> 24);
    {
        std::ofstream out(folder / "noise.log", std::ios::binary);
        out << noise;
    }
    RunUnderFileSizeLimit(SIG_DFL, [&folder] {
        platform::TReadFile source;
        if (!source.Open(folder / "noise.log", platform::TReadFile::TSharing::WithWriter)) _exit(2);
        const platform::TFileStatus copied = WriteGzipCopy(source, folder / "noise.log.gz");
        _exit(!copied && copied.Code() == EFBIG ? 0 : 3);
    });
    EXPECT_FALSE(std::filesystem::exists(folder / "noise.log.gz"));
}

}  // namespace
}  // namespace orvo::test
