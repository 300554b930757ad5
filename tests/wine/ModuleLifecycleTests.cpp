// The module's life in a Windows process: what unloading withdraws, what process end leaves
// alone, which log file it writes and where old logs go.
#include <windows.h>

#include <fstream>
#include <sstream>

#include "tests/wine/InstalledModule.h"

namespace orvo::test {
namespace {
namespace fs = std::filesystem;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

constexpr char kPaymentMethod[] = "{B99696A6-EA20-4DD7-8E91-13B5762D314D}";
constexpr char kManagement[] = "{18DC7950-A609-4152-ADC8-1C9F410A7DBE}";
constexpr char kDatabaseChanges[] = "{46A625EC-9BF5-42C0-AC4F-9E6719539020}";
constexpr char kTransaction[] = "{9E80389D-D9AA-43D2-9CEB-3B2AA5CA2EC0}";

TEST_F(InstalledModule, FreeLibraryWithdrawsEveryRegistrationInReverseOrder) {
    library.Unload();
    const std::string named = std::string("UnregisterNamedFactory ") + kPaymentMethod + " ";
    EXPECT_EQ(host.container->Journal(),
              (std::vector<std::string>{
                  named + "Other CC",
                  named + "Nedbank",
                  named + "ABSA",
                  named + "Mr D",
                  named + "Uber",
                  std::string("UnregisterInstance ") + kManagement,
                  std::string("UnregisterFactory ") + kManagement,
                  std::string("UnregisterNamedFactory ") + kDatabaseChanges + " ExtraPayments",
                  std::string("UnregisterFactory ") + kTransaction,
              }));
}

TEST_F(InstalledModule, AProcessThatEndsWithTheModuleLoadedWithdrawsNothing) {
    const fs::path journal = folder.Path() / "child journal.txt";
    TChildProcess child(std::string(kExitWithModuleLoaded) + " \"" + modulePath.string() + "\" \"" + journal.string() +
                        "\"");
    ASSERT_EQ(child.Wait(), 0);
    const std::vector<std::string> calls = Lines(ReadFile(journal));
    ASSERT_EQ(calls.size(), 10u) << ReadFile(journal);
    for (size_t i = 0; i < 9; ++i) EXPECT_EQ(calls[i].rfind("Register", 0), 0u) << calls[i];
    EXPECT_EQ(calls[9], "exit");
}

void SetLastWriteTime(const fs::path& file, const SYSTEMTIME& time) {
    FILETIME stamp;
    ASSERT_TRUE(SystemTimeToFileTime(&time, &stamp));
    HANDLE handle = CreateFileA(file.string().c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(SetFileTime(handle, nullptr, nullptr, &stamp));
    CloseHandle(handle);
}

// Three days before now, at noon so that no time zone moves it into another month.
SYSTEMTIME ThreeDaysAgoAtNoon() {
    SYSTEMTIME now;
    GetSystemTime(&now);
    FILETIME stamp;
    SystemTimeToFileTime(&now, &stamp);
    ULARGE_INTEGER ticks{{stamp.dwLowDateTime, stamp.dwHighDateTime}};
    ticks.QuadPart -= 3ull * 24 * 3600 * 10000000;
    stamp = {ticks.LowPart, ticks.HighPart};
    SYSTEMTIME then;
    FileTimeToSystemTime(&stamp, &then);
    then.wHour = 12;
    then.wMinute = then.wSecond = then.wMilliseconds = 0;
    return then;
}

TEST_F(InstalledModule, OldLogsInTheModuleFolderAreArchivedBesideTheProgramAtUnload) {
    const fs::path modules = modulePath.parent_path();
    const SYSTEMTIME old = ThreeDaysAgoAtNoon();
    for (const char* name : {"BackOffice (TILL01) OrvoExtraPayments.ovm.log", "Invoicing.log", "notes.txt"}) {
        std::ofstream(modules / name) << "a line of " << name << "\r\n";
        SetLastWriteTime(modules / name, old);
    }
    std::ofstream(modules / "Fresh.log") << "today\r\n";
    char month[7];
    std::snprintf(month, sizeof month, "%04u%02u", old.wYear, old.wMonth);
    const fs::path archive = ProgramFolder() / "log" / month;
    const std::vector<fs::path> archived{archive / "BackOffice (TILL01) OrvoExtraPayments.ovm.log.synlz",
                                         archive / "Invoicing.log.synlz"};
    for (const fs::path& file : archived) fs::remove(file);

    library.Unload();

    for (const fs::path& file : archived) {
        SCOPED_TRACE(file.string());
        const std::string packed = ReadFile(file);
        ASSERT_GE(packed.size(), 2u);
        EXPECT_EQ(packed.substr(0, 2), "\x1f\x8b");  // gzip
        fs::remove(file);
    }
    EXPECT_FALSE(fs::exists(modules / "BackOffice (TILL01) OrvoExtraPayments.ovm.log"));
    EXPECT_FALSE(fs::exists(modules / "Invoicing.log"));
    EXPECT_TRUE(fs::exists(modules / "notes.txt"));
    EXPECT_TRUE(fs::exists(modules / "Fresh.log"));
    EXPECT_TRUE(fs::exists(LogFile())) << "the module's own log is new";
    std::error_code ignored;
    fs::remove(archive, ignored);  // only when empty: other runs may have left theirs
    fs::remove(ProgramFolder() / "log", ignored);
}

TEST(LogFileHeldByAnotherProcess, TheModuleWritesToTheDashName) {
    TTempFolder folder;
    const fs::path modulePath = InstallDist(folder.Path() / "modules");
    const fs::path held = modulePath.parent_path() / LogFileName();
    const std::string prefix = "OrvoWineTests-" + std::to_string(GetCurrentProcessId());
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, (prefix + "-ready").c_str());
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, (prefix + "-release").c_str());
    ASSERT_TRUE(ready && release);
    {
        TChildProcess holder(std::string(kHoldFileUnshared) + " \"" + held.string() + "\" " + prefix + "-ready " +
                             prefix + "-release");
        ASSERT_EQ(WaitForSingleObject(ready, 30000), WAIT_OBJECT_0);
        host::TModuleLibrary library;
        ASSERT_TRUE(library.Load(modulePath.string())) << library.Error();  // ten tries of 100 ms first
        SetEvent(release);
        EXPECT_EQ(holder.Wait(), 0);
        library.Unload();
    }
    CloseHandle(ready);
    CloseHandle(release);
    EXPECT_EQ(ReadFile(held), "");
    EXPECT_NE(ReadFile(modulePath.parent_path() / LogFileName("-")).find("info  Starting ExtraPayments\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace orvo::test
