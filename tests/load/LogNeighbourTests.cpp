// What stands or runs beside the log: other processes of the same program, another program
// archiving the folder, strays and links at the chain's names, and a power cut. Each test looks
// for every line written exactly once, in order, across the live files, the chain and log/YYYYMM.
// Programs are killed, stalled and traced at the log's calls by a preloaded shim (KillShim.c).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <set>
#include <sstream>

#include "module/LogArchive.h"
#include "module/LogRotation.h"
#include "platform/DateTime.h"
#include "tests/support/LogFiles.h"

namespace orvo::test {
namespace {
namespace fs = std::filesystem;

constexpr uint64_t kRotateSize = 4096;

void WriteNumbered(TModuleLog& log, int64_t first, int64_t count, const std::string& pattern = "[Kill] line %") {
    for (int64_t i = first; i < first + count; ++i) {
        const TLogArg number(i);
        log.Write(TLogLevel::Info, pattern, &number, 1);
    }
}

// The messages of live's archives under <folder>/host/log (by name), then of its chain, then of
// extra files, oldest first.
std::vector<std::string> AllMessages(const TTempFolder& folder, const std::string& live,
                                     const std::vector<std::string>& extra = {}) {
    std::set<std::string> archives;
    if (fs::exists(folder / "host/log"))
        for (const auto& entry : fs::recursive_directory_iterator(folder / "host/log"))
            if (entry.path().extension() == ".synlz" &&
                entry.path().filename().string().starts_with(fs::path(live).filename().string()))
                archives.insert(entry.path().string());
    std::vector<std::string> all;
    for (const std::string& archive : archives)
        for (std::string& m : Messages(Gunzip(archive))) all.push_back(std::move(m));
    for (std::string& m : MessagesOfChain(live)) all.push_back(std::move(m));
    for (const std::string& file : extra)
        for (std::string& m : Messages(ReadWhole(file))) all.push_back(std::move(m));
    return all;
}

// The lines "<prefix><n>" among messages must be numbered 0, 1, 2... each once; a beginning of the
// next line (torn by a kill, written whole by the next run) is the line in flight. Returns how many.
int64_t ExpectEachLineOnce(const std::vector<std::string>& messages, const std::string& prefix = "[Kill] line ") {
    int64_t next = 0;
    for (const std::string& message : messages) {
        const std::string whole = prefix + std::to_string(next);
        if (!message.starts_with(prefix) || (message.size() < whole.size() && whole.starts_with(message))) continue;
        EXPECT_EQ(message, whole);
        if (message != whole) return -1;
        ++next;
    }
    return next;
}

// Runs orvo_log_writer with args under the shim (ORVO_SHIM = shim, counting the calls on paths that
// hold match), runs meanwhile once the shim has stalled it, and returns its wait status.
int RunWriter(const std::vector<std::string>& args, const std::string& shim, const std::string& match,
              const std::string& trace, const std::function<void()>& meanwhile = {}) {
    const pid_t child = fork();
    if (child == 0) {
        std::vector<char*> argv{const_cast<char*>(ORVO_LOG_WRITER)};
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        setenv("LD_PRELOAD", ORVO_KILL_SHIM, 1);
        setenv("ASAN_OPTIONS", "verify_asan_link_order=0", 1);
        setenv("ORVO_SHIM", shim.c_str(), 1);
        setenv("ORVO_SHIM_MATCH", match.c_str(), 1);
        setenv("ORVO_SHIM_TRACE", trace.c_str(), 1);
        execv(ORVO_LOG_WRITER, argv.data());
        _exit(127);
    }
    for (int waited = 0; meanwhile && waited < 5000 && ReadWhole(trace).find("stall") == std::string::npos; ++waited)
        usleep(1000);
    if (meanwhile) meanwhile();
    int status = -1;
    waitpid(child, &status, 0);
    return status;
}

void ArchiveNow(const TTempFolder& folder) {
    const platform::TProcessIdentity id = LogIdentity(folder);
    EXPECT_TRUE(ArchiveOldLogs(LogFolder(id), id.HostProgramPath, platform::Now()).empty());
}

std::string AgedLog(const std::string& path, int64_t lines) {
    std::string content;
    for (int64_t i = 0; i < lines; ++i) {
        const TLogArg number(i);
        AppendLogLine(content, platform::Now(), TLogLevel::Info, "[Kill] line %", &number, 1);
    }
    WriteWhole(path, content);
    SetLastChange(path, platform::Now() - 3);
    return path;
}

TEST(LogNeighbours, ProcessesOfOneProgramWithALongNameKeepChainsOfTheirOwn) {
    for (const size_t length : {250u, 252u}) {
        TTempFolder folder;
        platform::TProcessIdentity id = LogIdentity(folder);
        const size_t tail = std::string_view(" (TILL01) OrvoExtraPayments.ovm.log").size();
        id.HostProgramPath = folder / ("host/" + std::string(length - tail, 'P') + ".exe");
        int waits = 0;
        TModuleLog logs[3];  // X.log, X-.log and X--.log, each taking the name the others hold not
        for (TModuleLog& log : logs) log.Configure(id, CountingSettings(waits, kRotateSize));
        for (int64_t i = 0; i < 300; ++i)
            for (int k = 0; k < 3; ++k) WriteNumbered(logs[k], i, 1, "[W" + std::to_string(k) + "] line %");
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(ExpectEachLineOnce(MessagesOfChain(logs[k].FilePath()), "[W" + std::to_string(k) + "] line "), 300)
                << length << " characters, " << logs[k].FilePath();
    }
}

TEST(LogNeighbours, AnythingStandingAtTheFormerCommitNameIsLeftAloneAndTakesNoLine) {
    const std::function<void(const std::string&)> strays[] = {
        [](const std::string& p) { WriteWhole(p, ""); },
        [](const std::string& p) { fs::create_directory(p); },
        [](const std::string& p) { mkfifo(p.c_str(), 0644); },
        [](const std::string& p) { fs::create_symlink("elsewhere", p); },
    };
    for (const auto& put : strays) {
        TTempFolder folder;
        const std::string live = LivePath(folder), stray = RotatedName(live, 0);
        int waits = 0;
        for (const int64_t first : {0, 40}) {
            TModuleLog log;
            log.Configure(LogIdentity(folder), CountingSettings(waits));
            WriteNumbered(log, first, first == 0 ? 40 : 1);
            if (first == 0) put(stray);
        }
        EXPECT_TRUE(fs::exists(fs::symlink_status(stray))) << &put - strays;
        // Not taken into the chain (nor read there: a pipe would not open).
        if (fs::exists(fs::symlink_status(RotatedName(live, 1)))) {
            ADD_FAILURE() << "the stray became number 1, " << &put - strays;
            continue;
        }
        EXPECT_EQ(ExpectEachLineOnce(MessagesOfChain(live)), 41) << &put - strays;
    }
}

TEST(LogNeighbours, ALinkSwappedInForTheLiveFileIsNeitherReadNorEmptiedAndArchivesAreNoWiderThanTheLog) {
    TTempFolder folder;
    const std::string live = LivePath(folder), theirs = folder / "theirs.log", moved = live + ".moved";
    constexpr auto kOwnerOnly = fs::perms::owner_read | fs::perms::owner_write;
    WriteWhole(theirs, "someone else's\r\n");
    WriteWhole(live, "");
    fs::permissions(live, kOwnerOnly);
    int waits = 0;
    TModuleLog log;
    log.Configure(LogIdentity(folder), CountingSettings(waits, kRotateSize));
    WriteNumbered(log, 0, 10);
    fs::rename(live, moved);
    fs::create_symlink(theirs, live);
    WriteNumbered(log, 10, 290);
    log.Close();
    EXPECT_EQ(ReadWhole(theirs), "someone else's\r\n");
    EXPECT_EQ(ExpectEachLineOnce(AllMessages(folder, live, {moved})), 300);
    ASSERT_TRUE(fs::exists(RotatedName(live, 1)));
    for (int n = 1; fs::exists(RotatedName(live, n)); ++n)
        EXPECT_EQ(fs::status(RotatedName(live, n)).permissions(), kOwnerOnly) << n;
}

// Killed before or after each of the first open, write, rename, unlink and fsync calls of the pass.
TEST(LogNeighbours, AnArchivingKilledAtAnyCallIsFinishedByTheNextWithEveryLineOnce) {
    for (const char* call : {"open", "write", "rename", "unlink", "fsync"}) {
        for (const char* step : {"1 before", "1 after", "2 before", "2 after", "3 after"}) {
            SCOPED_TRACE(std::string(call) + " " + step);
            TTempFolder folder;
            const std::string modules = folder / "modules";
            AgedLog(LivePath(folder), 100);
            AgedLog(modules + "/other.log", 100);
            RunWriter({folder.Path().string(), "archive"}, std::string(call) + " " + step, folder.Path().string(), "");
            ArchiveNow(folder);
            for (const std::string& log : {LivePath(folder), modules + "/other.log"}) {
                EXPECT_EQ(ExpectEachLineOnce(AllMessages(folder, log)), 100) << log;
                EXPECT_FALSE(fs::exists(log));
            }
        }
    }
}

TEST(LogNeighbours, AProgramStartingWhileAnotherArchivesItsLogNeverWritesToADeletedFile) {
    TTempFolder folder;
    const std::string live = AgedLog(LivePath(folder), 100);
    const int status = RunWriter({folder.Path().string(), "write", "100", "100", "1048576"}, "open 1 stall",
                                 "OrvoExtraPayments.ovm.log", folder / "trace", [&] { ArchiveNow(folder); });
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(ExpectEachLineOnce(AllMessages(folder, live)), 200);
}

TEST(LogNeighbours, AKillJustAfterARotationsCommitThenAnotherProgramArchivingTheLogDuplicatesNothing) {
    TTempFolder folder;
    const std::string live = LivePath(folder);
    const int status =
        RunWriter({folder.Path().string(), "write", "0", "100000", "4096"}, "rename 1 after", folder.Path().string(), "");
    ASSERT_TRUE(WIFSIGNALED(status)) << status;
    SetLastChange(live, platform::Now() - 3);
    ArchiveNow(folder);
    int waits = 0;
    TModuleLog log;  // opening resolves what the kill left
    log.Configure(LogIdentity(folder), CountingSettings(waits, kRotateSize));
    log.Write(TLogLevel::Info, "[After] opened", nullptr, 0);
    log.Close();
    EXPECT_GT(ExpectEachLineOnce(AllMessages(folder, live)), 40);
}

TEST(LogNeighbours, SomethingThatCannotBeDeletedAtTheOldNumberNinesNameIsSetAsideOnceAndRotationGoesOn) {
    for (const bool atNumberNine : {false, true}) {
        TTempFolder folder;
        const std::string live = LivePath(folder), stem = live.substr(0, live.size() - 4);
        fs::create_directory(atNumberNine ? RotatedName(live, kRotatedFilesKept) : stem + ".9.old");
        int waits = 0;
        TModuleLog log;
        log.Configure(LogIdentity(folder), CountingSettings(waits, kRotateSize));
        WriteNumbered(log, 0, 300);
        log.Close();
        const std::vector<std::string> messages = MessagesOfChain(live);
        EXPECT_EQ(ExpectEachLineOnce(messages), 300) << atNumberNine;
        EXPECT_LT(fs::file_size(live), 2 * kRotateSize) << atNumberNine;
        EXPECT_TRUE(fs::is_directory(stem + ".stray1")) << atNumberNine;
        EXPECT_EQ(std::count_if(messages.begin(), messages.end(),
                                [](const std::string& m) { return m.find("was moved to") != std::string::npos; }),
                  1)
            << atNumberNine;
    }
}

// The shim's trace: each archive is synced before the rename that commits it (into number 1 of the
// chain, or to its name under log/YYYYMM), its folder right after; nothing else is synced.
TEST(LogNeighbours, EachArchiveReachesTheDiskBeforeItsCommitAndItsFolderAfter) {
    TTempFolder folder;
    const std::string trace = folder / "trace";
    LogIdentity(folder);  // makes the folders
    AgedLog(folder / "modules/other.log", 100);
    for (const std::vector<std::string>& run : {std::vector<std::string>{"write", "0", "600", "4096"}, {"archive"}}) {
        std::vector<std::string> args{folder.Path().string()};
        args.insert(args.end(), run.begin(), run.end());
        EXPECT_EQ(RunWriter(args, "none 0 -", folder.Path().string(), trace), 0);
    }
    std::vector<std::vector<std::string>> calls;  // the call and its one or two paths
    std::istringstream lines(ReadWhole(trace));
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::vector<std::string>& call = calls.emplace_back();
        for (std::string field; std::getline(fields, field, '\t');) call.push_back(field);
    }
    int commits = 0, syncs = 0;
    for (size_t i = 0; i < calls.size(); ++i) {
        syncs += calls[i][0] == "fsync";
        if (calls[i][0] != "rename" || !calls[i][1].ends_with(".tmp")) continue;
        ++commits;
        size_t sync = i;  // the last sync before the commit: the chain may have moved up since
        while (sync > 0 && calls[--sync][0] != "fsync") continue;
        ASSERT_TRUE(sync < i && i + 1 < calls.size()) << calls[i][1];
        EXPECT_EQ(calls[sync][0] + " " + calls[sync][1], "fsync " + fs::weakly_canonical(calls[i][1]).string());
        EXPECT_EQ(calls[i + 1][0] + " " + calls[i + 1][1],
                  "fsync " + fs::weakly_canonical(fs::path(calls[i][2]).parent_path()).string());
    }
    EXPECT_GE(commits, 4);
    EXPECT_EQ(syncs, 2 * commits);
}

}  // namespace
}  // namespace orvo::test
