// What stands or runs beside the log: other processes of the same program, another program
// archiving the folder, strays and links at the chain's names, and a power cut. Programs are
// killed, stalled and traced at the log's calls by a preloaded shim (KillShim.c).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
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

// The messages of live's archives under <folder>/host/log (by name), then of its chain, then of
// extra files, oldest first (live is <folder>/modules/<name>).
std::vector<std::string> AllMessages(const std::string& live, const std::vector<std::string>& extra = {}) {
    const fs::path archives = fs::path(live).parent_path().parent_path() / "host/log";
    std::set<std::string> names;
    if (fs::exists(archives))
        for (const auto& entry : fs::recursive_directory_iterator(archives))
            if (entry.path().extension() == ".synlz" &&
                entry.path().filename().string().starts_with(fs::path(live).filename().string()))
                names.insert(entry.path().string());
    std::vector<std::string> all;
    const auto add = [&all](const std::vector<std::string>& more) { all.insert(all.end(), more.begin(), more.end()); };
    for (const std::string& name : names) add(Messages(Gunzip(name)));
    add(MessagesOfChain(live));
    for (const std::string& file : extra) add(Messages(ReadWhole(file)));
    return all;
}

// Runs "orvo_log_writer <folder> <args>" under the shim (ORVO_SHIM = shim, counting the calls on
// paths that hold match, tracing to <folder>/trace), runs meanwhile once the shim has stalled it,
// and returns its wait status.
int RunWriter(const TTempFolder& folder, const std::string& args, const std::string& shim,
              const std::string& match = "", const std::function<void()>& meanwhile = {}) {
    const std::string trace = folder / "trace";
    const std::string command = "LD_PRELOAD='" ORVO_KILL_SHIM "' ASAN_OPTIONS=verify_asan_link_order=0 ORVO_SHIM='" +
                                shim + "' ORVO_SHIM_MATCH='" + (match.empty() ? folder.Path().string() : match) +
                                "' ORVO_SHIM_TRACE='" + trace + "' exec '" ORVO_LOG_WRITER "' '" +
                                folder.Path().string() + "' " + args;
    FILE* writer = popen(command.c_str(), "r");
    for (int waited = 0; meanwhile && waited < 5000 && ReadWhole(trace).find("stall") == std::string::npos; ++waited)
        usleep(1000);
    if (meanwhile) meanwhile();
    return pclose(writer);
}

void ArchiveNow(const TTempFolder& folder) {
    const platform::TProcessIdentity id = LogIdentity(folder);
    EXPECT_TRUE(ArchiveOldLogs(LogFolder(id), id.HostProgramPath, platform::Now()).empty());
}

// Lines "[Kill] line 0" to 99, last changed days ago.
std::string AgedLog(const std::string& path, double days = 3) {
    std::string content;
    for (int64_t i = 0; i < 100; ++i) {
        const TLogArg number(i);
        AppendLogLine(content, platform::Now(), TLogLevel::Info, "[Kill] line %", &number, 1);
    }
    WriteWhole(path, content);
    SetLastChange(path, platform::Now() - days);
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
            EXPECT_EQ(EachLineOnce(AllMessages(logs[k].FilePath()), "[W" + std::to_string(k) + "] line %").next, 300)
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
        SCOPED_TRACE(&put - strays);
        TTempFolder folder;
        const std::string live = LivePath(folder), stray = RotatedName(live, 0);
        WriteNumbered(LogIdentity(folder), TLogSettings().RotateSize, 0, 40);
        put(stray);
        WriteNumbered(LogIdentity(folder), TLogSettings().RotateSize, 40, 1);
        EXPECT_TRUE(fs::exists(fs::symlink_status(stray)));
        // Not taken into the chain (nor read there: a pipe would not open).
        if (fs::exists(fs::symlink_status(RotatedName(live, 1))))
            ADD_FAILURE() << "the stray became number 1";
        else
            EXPECT_EQ(EachLineOnce(AllMessages(live)).next, 41);
    }
}

TEST(LogNeighbours, ALinkSwappedInForTheLiveFileIsNeitherReadNorEmptiedAndArchivesAreNoWiderThanTheLog) {
    TTempFolder folder;
    const std::string live = LivePath(folder), theirs = folder / "theirs.log", moved = live + ".moved";
    constexpr auto kOwnerOnly = fs::perms::owner_read | fs::perms::owner_write;
    WriteWhole(theirs, "someone else's\r\n");
    WriteWhole(live, "");
    fs::permissions(live, kOwnerOnly);
    {
        int waits = 0;
        TModuleLog log;
        log.Configure(LogIdentity(folder), CountingSettings(waits, kRotateSize));
        WriteNumbered(log, 0, 10);
        fs::rename(live, moved);
        fs::create_symlink(theirs, live);
        WriteNumbered(log, 10, 290);
    }
    EXPECT_EQ(ReadWhole(theirs), "someone else's\r\n");
    EXPECT_EQ(EachLineOnce(AllMessages(live, {moved})).next, 300);
    ASSERT_TRUE(fs::exists(RotatedName(live, 1)));
    for (int n = 1; fs::exists(RotatedName(live, n)); ++n)
        EXPECT_EQ(fs::status(RotatedName(live, n)).permissions(), kOwnerOnly) << n;
}

// Killed before or after each of the first open, write, rename, unlink and fsync calls of the pass;
// the first log, which fixes the pass's month, of the second's month or of two months before.
TEST(LogNeighbours, AnArchivingKilledAtAnyCallIsFinishedByTheNextWithEveryLineOnce) {
    for (const char* call : {"open", "write", "rename", "unlink", "fsync"}) {
        for (const char* step : {"1 before", "1 after", "2 before", "2 after", "3 after"}) {
            for (const int firstAge : {3, 60}) {
                SCOPED_TRACE(std::string(call) + " " + step + ", first " + std::to_string(firstAge) + " days old");
                TTempFolder folder;
                const std::string logs[] = {AgedLog(LivePath(folder), firstAge), AgedLog(folder / "modules/other.log")};
                RunWriter(folder, "archive", std::string(call) + " " + step);
                ArchiveNow(folder);
                for (const std::string& log : logs) {
                    EXPECT_EQ(EachLineOnce(AllMessages(log)).next, 100) << log;
                    EXPECT_FALSE(fs::exists(log));
                }
            }
        }
    }
}

TEST(LogNeighbours, AProgramStartingWhileAnotherArchivesItsLogNeverWritesToADeletedFile) {
    TTempFolder folder;
    const std::string live = AgedLog(LivePath(folder));
    const int status = RunWriter(folder, "write 100 100 1048576", "open 1 stall", "OrvoExtraPayments.ovm.log",
                                 [&] { ArchiveNow(folder); });
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(EachLineOnce(AllMessages(live)).next, 200);
}

TEST(LogNeighbours, AKillJustAfterARotationsCommitThenAnotherProgramArchivingTheLogDuplicatesNothing) {
    TTempFolder folder;
    const std::string live = LivePath(folder);
    const int status = RunWriter(folder, "write 0 100000 4096", "rename 1 after");
    ASSERT_TRUE(WIFSIGNALED(status)) << status;
    SetLastChange(live, platform::Now() - 3);
    ArchiveNow(folder);
    WriteNumbered(LogIdentity(folder), kRotateSize, 0, 1, "[After] opened %");  // opening resolves what the kill left
    EXPECT_GT(EachLineOnce(AllMessages(live)).next, 40);
}

TEST(LogNeighbours, SomethingThatCannotBeDeletedAtTheOldNumberNinesNameIsSetAsideOnceAndRotationGoesOn) {
    for (const bool atNumberNine : {false, true}) {
        SCOPED_TRACE(atNumberNine);
        TTempFolder folder;
        const std::string live = LivePath(folder), stem = live.substr(0, live.size() - 4);
        fs::create_directory(atNumberNine ? RotatedName(live, kRotatedFilesKept) : stem + ".9.old");
        WriteNumbered(LogIdentity(folder), kRotateSize, 0, 300);
        const std::vector<std::string> messages = AllMessages(live);
        EXPECT_EQ(EachLineOnce(messages).next, 300);
        EXPECT_LT(fs::file_size(live), 2 * kRotateSize);
        EXPECT_TRUE(fs::is_directory(stem + ".stray1"));
        EXPECT_EQ(std::count_if(messages.begin(), messages.end(),
                                [](const std::string& m) { return m.find("was moved to") != std::string::npos; }),
                  1);
    }
}

// The shim's trace: each archive is synced before the rename that commits it (into number 1 of the
// chain, or to its name under log/YYYYMM), its folder right after; the archiving pass then syncs
// the folders above its month, log/ and the host's, before it deletes the original. Nothing else
// is synced.
TEST(LogNeighbours, EachArchiveReachesTheDiskBeforeItsCommitAndItsFoldersBeforeTheOriginalGoes) {
    TTempFolder folder;
    LogIdentity(folder);  // makes the folders
    const std::string old = AgedLog(folder / "modules/other.log");
    for (const char* run : {"write 0 600 4096", "archive"}) EXPECT_EQ(RunWriter(folder, run, "none 0 -"), 0);
    std::vector<std::array<std::string, 3>> calls;  // the syncs, renames of copies and deletions of logs
    std::istringstream trace(ReadWhole(folder / "trace"));
    for (std::array<std::string, 3> c;
         std::getline(trace, c[0], '\t') && std::getline(trace, c[1], '\t') && std::getline(trace, c[2]);)
        if (c[0] == "fsync" || c[1].ends_with(c[0] == "rename" ? ".tmp" : c[0] == "unlink" ? ".log" : "\n"))
            calls.push_back(c);
    ASSERT_GE(calls.size(), 15u);  // four commits at least, each: the copy synced, renamed, its folder synced
    const size_t commits = calls.size() - 3;
    ASSERT_EQ(commits % 3, 0u);
    for (size_t i = 0; i < commits; i += 3) {
        EXPECT_EQ(calls[i][0] + " " + calls[i][1], "fsync " + fs::weakly_canonical(calls[i + 1][1]).string());
        EXPECT_EQ(calls[i + 1][0], "rename");
        EXPECT_EQ(calls[i + 2][0] + " " + calls[i + 2][1],
                  "fsync " + fs::weakly_canonical(fs::path(calls[i + 1][2]).parent_path()).string());
    }
    const fs::path host = fs::weakly_canonical(folder / "host");
    EXPECT_EQ(calls[commits][0] + " " + calls[commits][1], "fsync " + (host / "log").string());
    EXPECT_EQ(calls[commits + 1][0] + " " + calls[commits + 1][1], "fsync " + host.string());
    EXPECT_EQ(calls[commits + 2][0] + " " + calls[commits + 2][1], "unlink " + old);
}

}  // namespace
}  // namespace orvo::test
