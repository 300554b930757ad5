// Archiving when the library leaves the process: which files go, where they go, and what stays.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#if !defined(_WIN32)
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "module/Log.h"
#include "module/LogArchive.h"
#include "platform/DateTime.h"
#include "tests/support/LogFiles.h"

namespace orvo {
namespace {
using namespace test;
namespace fs = std::filesystem;

const TDateTime kNow = EncodeDate(2026, 1, 10) + EncodeTime(12, 0, 0, 0);
constexpr TDateTime kSecond = 1.0 / 86400;

class LogArchive : public ::testing::Test {
protected:
    // A file in the log folder with the given content and last change.
    std::string Put(const std::string& name, TDateTime lastChange) {
        const std::string path = logFolder / name;
        WriteWhole(path, "content of " + name + "\r\n");
        SetLastChange(path, lastChange);
        return path;
    }
    std::vector<platform::TFileStatus> Archive(TDateTime now = kNow) {
        return ArchiveOldLogs(logFolder.Path().string(), (hostFolder.Path() / "BackOffice.exe").string(), now);
    }
    fs::path MonthFolder(const std::string& yyyymm) const { return hostFolder.Path() / "log" / yyyymm; }

    TTempFolder logFolder, hostFolder;
};

TEST_F(LogArchive, EveryLogFileTwoDaysOldOrMoreIsCompressedIntoTheMonthFolderAndDeleted) {
    // Ten days from now, so that a folder made now is old enough too; in whole seconds, as the
    // files' times are set.
    const TDateParts later = DecodeDateTime(platform::Now() + 10);
    const TDateTime now =
        EncodeDate(later.Year, later.Month, later.Day) + EncodeTime(later.Hour, later.Minute, later.Second, 0);
    const std::string own = "BackOffice (TILL01) OrvoExtraPayments.ovm.log";
    const std::string other = "Invoicing (POS2) OrvoExtraPayments.ovm.log";
    const std::string foreign = "SomeOtherProgram.LOG";
    Put(own, now - 2);  // exactly two days
    Put(other, now - 30);
    Put(foreign, now - 5);
    const std::string young = Put("Young.log", now - 2 + kSecond);
    const std::string hidden = Put(".hidden.log", now - 9);
    const std::string notLog = Put("notes.txt", now - 9);
    const std::string rotated = Put("BackOffice (TILL01) OrvoExtraPayments.ovm.1.synlz", now - 9);
    fs::create_directory(logFolder / "Folder.log");

    Archive(now);

    // The first file by name sets the month; all go where it went.
    const TDateParts first = DecodeDateTime(now - 2);
    char month[8];
    std::snprintf(month, sizeof month, "%04d%02d", first.Year, first.Month);
    for (const std::string& name : {own, other, foreign}) {
        EXPECT_EQ(Gunzip((MonthFolder(month) / (name + ".synlz")).string()), "content of " + name + "\r\n");
        EXPECT_FALSE(fs::exists(logFolder / name)) << name;
    }
    for (const std::string& kept : {young, hidden, notLog, rotated}) EXPECT_TRUE(fs::exists(kept)) << kept;
    EXPECT_TRUE(fs::is_directory(logFolder / "Folder.log"));
    EXPECT_EQ(std::distance(fs::directory_iterator(MonthFolder(month)), fs::directory_iterator()), 3);
}

TEST_F(LogArchive, TheYearAndMonthOfTheFirstFileArchivedNameTheFolderOfTheWholePass) {
    Put("a.log", EncodeDate(2025, 11, 20) + EncodeTime(9, 0, 0, 0));
    Put("b.log", EncodeDate(2025, 12, 31) + EncodeTime(23, 0, 0, 0));
    Put("c.log", EncodeDate(2024, 2, 1));
    Archive();
    for (const char* name : {"a.log", "b.log", "c.log"})
        EXPECT_TRUE(fs::exists(MonthFolder("202511") / (std::string(name) + ".synlz"))) << name;
    EXPECT_EQ(std::distance(fs::directory_iterator(hostFolder.Path() / "log"), fs::directory_iterator()), 1);
}

TEST_F(LogArchive, NothingOldEnoughLeavesTheHostFolderAlone) {
    Put("recent.log", kNow - 1);
    Archive();
    EXPECT_FALSE(fs::exists(hostFolder.Path() / "log"));
    EXPECT_TRUE(fs::exists(logFolder / "recent.log"));
}

TEST_F(LogArchive, WhenTheLogFolderCannotBeCreatedNothingIsArchived) {
    WriteWhole(hostFolder / "log", "a file where the folder should be");
    const std::string old = Put("old.log", kNow - 10);
    Archive();
    EXPECT_EQ(ReadWhole(old), "content of old.log\r\n");
}

TEST_F(LogArchive, AFileThatCannotBeWrittenThereStaysWholeAndTheOthersGoOn) {
    fs::create_directories(MonthFolder("202601"));
    fs::create_directory(MonthFolder("202601") / "a.log.synlz.tmp");  // a.log's archive cannot be written
    const std::string a = Put("a.log", kNow - 3);
    Put("b.log", kNow - 3);
    Archive();
    EXPECT_EQ(ReadWhole(a), "content of a.log\r\n");
    EXPECT_FALSE(fs::exists(MonthFolder("202601") / "a.log.synlz"));
    EXPECT_EQ(Gunzip((MonthFolder("202601") / "b.log.synlz").string()), "content of b.log\r\n");
    EXPECT_FALSE(fs::exists(logFolder / "b.log"));
}

TEST_F(LogArchive, ALogThatARunningProgramHoldsOpenStaysWithItsWriter) {
    const std::string held = Put("Invoicing (POS2) OrvoExtraPayments.ovm.log", kNow - 4);
    platform::TAppendFile writer;
    ASSERT_TRUE(writer.Open(held));
    EXPECT_TRUE(Archive().empty()) << "a log in use is not a failure";
    ASSERT_TRUE(writer.Write("a line after the weekend\r\n"));
    writer.Close();
    EXPECT_EQ(ReadWhole(held), "content of Invoicing (POS2) OrvoExtraPayments.ovm.log\r\na line after the weekend\r\n");
    EXPECT_FALSE(fs::exists(MonthFolder("202601") / "Invoicing (POS2) OrvoExtraPayments.ovm.log.synlz"));
}

TEST_F(LogArchive, AMonthFolderThatCannotBeCreatedKeepsItsFilesWhole) {
    fs::create_directories(hostFolder.Path() / "log");
    WriteWhole((hostFolder.Path() / "log" / "202601").string(), "a file where the month folder should be");
    const std::string old = Put("old.log", kNow - 3);
    Archive();
    EXPECT_EQ(ReadWhole(old), "content of old.log\r\n");
}

TEST_F(LogArchive, AnArchiveAlreadyThereIsKeptAndTheNewOneTakesTheNextFreeName) {
    fs::create_directories(MonthFolder("202601"));
    WriteGzip((MonthFolder("202601") / "a.log.synlz").string(), "archived last week");
    WriteGzip((MonthFolder("202601") / "a.log (2).synlz").string(), "archived yesterday");
    Put("a.log", kNow - 3);
    Archive();
    EXPECT_EQ(Gunzip((MonthFolder("202601") / "a.log.synlz").string()), "archived last week");
    EXPECT_EQ(Gunzip((MonthFolder("202601") / "a.log (2).synlz").string()), "archived yesterday");
    EXPECT_EQ(Gunzip((MonthFolder("202601") / "a.log (3).synlz").string()), "content of a.log\r\n");
}

TEST_F(LogArchive, WhenAllHundredNamesAreTakenTheFailureNamesTheOldLog) {
    fs::create_directories(MonthFolder("202601"));
    for (int n = 1; n <= 100; ++n)
        WriteGzip((MonthFolder("202601") / (n == 1 ? "a.log.synlz" : "a.log (" + std::to_string(n) + ").synlz")).string(),
                  "taken");
    const std::string old = Put("a.log", kNow - 3);
    const std::vector<platform::TFileStatus> failures = Archive();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].Path(), old);
    EXPECT_EQ(ReadWhole(old), "content of a.log\r\n");
}

#if !defined(_WIN32)
// A pipe, a device or a link under a log's name is not a log: it stays as it is, and the pass
// neither waits on it nor reads what it leads to. Run in a child, so a pass that hangs fails.
TEST_F(LogArchive, OnlyRegularFilesAreArchivedNeverAPipeADeviceOrALink) {
    const TDateTime now = platform::Now() + 10;  // everything here, and what the links lead to, is due
    Put("regular.log", now - 3);
    ASSERT_EQ(mkfifo((logFolder / "pipe.log").c_str(), 0644), 0);
    const std::string outside = hostFolder / "outside.log";
    WriteWhole(outside, "a log of another folder\r\n");
    fs::create_symlink("/dev/null", logFolder / "device.log");
    fs::create_symlink(outside, logFolder / "link.log");

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        alarm(30);
        _exit(Archive(now).empty() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the pass was ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "none of them is a failure";

    const TDateParts day = DecodeDateTime(now - 3);
    char month[8];
    std::snprintf(month, sizeof month, "%04d%02d", day.Year, day.Month);
    EXPECT_EQ(Gunzip((MonthFolder(month) / "regular.log.synlz").string()), "content of regular.log\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(MonthFolder(month)), fs::directory_iterator()), 1);
    EXPECT_TRUE(fs::is_fifo(logFolder / "pipe.log"));
    EXPECT_EQ(fs::read_symlink(logFolder / "device.log"), "/dev/null");
    EXPECT_EQ(fs::read_symlink(logFolder / "link.log"), outside);
    EXPECT_EQ(ReadWhole(outside), "a log of another folder\r\n");
}
#endif

// What cannot be archived is written to the live file, one line for each file (or for the pass
// when "log" cannot be made) with the file and the system's message; the other files go on.
TEST(LogArchiveFailures, EachIsOneLineNamingTheFileAndTheSystemsMessage) {
    enum class TObstacle { LogFolderIsAFile, MonthFolderIsAFile, PendingArchiveIsAFolder };
    const struct {
        const char* trace;
        TObstacle obstacle;
        fs::path failing;  // under the host folder
        size_t lines;      // of failures
        std::string posixMessage;
        int windowsCode;
    } rows[] = {
        {"\"log\" cannot be made", TObstacle::LogFolderIsAFile, "log", 1, "File exists (error 17)", 183},
        {"the month folder cannot be made", TObstacle::MonthFolderIsAFile, fs::path("log") / "202601", 2,
         "File exists (error 17)", 183},
        {"an archive cannot be written", TObstacle::PendingArchiveIsAFolder,
         fs::path("log") / "202601" / "a.log.synlz.tmp", 1, "Is a directory (error 21)", 5},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.trace);
        TTempFolder folder;
        TScopedClock clock(kNow);
        const fs::path hostFolder = folder.Path() / "host", logFolder = folder.Path() / "modules";
        TModuleLog log;
        log.Configure(LogIdentity(folder));
        log.Write(TLogLevel::Info, "running", nullptr, 0);
        for (const char* name : {"a.log", "b.log"}) {
            WriteWhole((logFolder / name).string(), "old\r\n");
            SetLastChange((logFolder / name).string(), kNow - 3);
        }
        const fs::path failing = hostFolder / row.failing;
        fs::create_directories(failing.parent_path());
        if (row.obstacle == TObstacle::PendingArchiveIsAFolder) {
            fs::create_directory(failing);
        } else {
            WriteWhole(failing.string(), "a file where a folder should be");
        }
        log.CloseAndArchive(false);

        const std::vector<std::string> messages = Messages(ReadWhole(LivePath(folder)));
        ASSERT_EQ(messages.size(), 1 + row.lines);
        EXPECT_EQ(messages[0], "running");
        const std::string prefix = "[TModuleLog.Archive] Error : " + failing.string() + ": ";
        for (size_t i = 1; i < messages.size(); ++i) {
            ASSERT_TRUE(messages[i].starts_with(prefix)) << messages[i];
            ExpectSystemMessage(messages[i].substr(prefix.size()), row.posixMessage, row.windowsCode);
        }
        EXPECT_EQ(ReadWhole((logFolder / "a.log").string()), "old\r\n");
        const bool bArchived = row.obstacle == TObstacle::PendingArchiveIsAFolder;
        EXPECT_EQ(fs::exists(logFolder / "b.log"), !bArchived);
        EXPECT_EQ(fs::exists(hostFolder / "log" / "202601" / "b.log.synlz"), bArchived);
    }
}

}  // namespace
}  // namespace orvo
