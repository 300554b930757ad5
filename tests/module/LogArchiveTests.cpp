// Archiving when the library leaves the process: which files go, where they go, and what stays.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

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
    void Archive(TDateTime now = kNow) {
        ArchiveOldLogs(logFolder.Path().string(), (hostFolder.Path() / "BackOffice.exe").string(), now);
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
    Archive();
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

}  // namespace
}  // namespace orvo
