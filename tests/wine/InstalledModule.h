// The module as a Windows host meets it: dist/ copied into a module folder of its own, loaded with
// the system loader and lent a container of in-memory host services. No form host is registered,
// so the module shows real windows.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "host/TModuleLibrary.h"
#include "tests/support/TestSupport.h"
#include "tests/wine/MemoryScript.h"

namespace orvo::test {

std::string ReadFile(const std::filesystem::path& path);
// Copies dist/ into folder and returns the module's path there.
std::filesystem::path InstallDist(const std::filesystem::path& folder);
// "<program name> (<computer name>) OrvoExtraPayments.ovm<suffix>.log".
std::string LogFileName(const std::string& suffix = "");
// The folder of this test program, where the module archives old logs.
std::filesystem::path ProgramFolder();

// This test program started again with arguments; ended at the latest when the object goes.
class TChildProcess {
public:
    explicit TChildProcess(const std::string& arguments);
    ~TChildProcess();
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;
    // The exit code; -1 when the child did not start or did not end within a minute.
    int Wait();

private:
    void* process_ = nullptr;
};
// The arguments that make the program play one of the child roles of WineMain.cpp.
inline constexpr char kExitWithModuleLoaded[] = "--exit-with-module-loaded";
inline constexpr char kHoldFileUnshared[] = "--hold-file-unshared";

class InstalledModule : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override { library.Unload(); }
    std::filesystem::path LogFile() const { return modulePath.parent_path() / LogFileName(); }

    TTempFolder folder;
    TTestHost host;
    ComPtr<TMemoryScript> script = MakeObject<TMemoryScript>();
    std::filesystem::path modulePath;
    host::TModuleLibrary library;  // unloaded before the host's services go
};

}  // namespace orvo::test
