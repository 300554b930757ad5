#include "tests/wine/InstalledModule.h"

#include <windows.h>

#include <fstream>
#include <iterator>

namespace orvo::test {
namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

fs::path InstallDist(const fs::path& folder) {
    fs::create_directories(folder);
    for (const auto& entry : fs::directory_iterator(ORVO_DIST_DIR))
        fs::copy_file(entry.path(), folder / entry.path().filename());
    return folder / "OrvoExtraPayments.ovm";
}

std::string LogFileName(const std::string& suffix) {
    const platform::TProcessIdentity self = platform::ReadProcessIdentity();
    return fs::path(self.HostProgramPath).stem().string() + " (" + self.ComputerName + ") OrvoExtraPayments.ovm" +
           suffix + ".log";
}

fs::path ProgramFolder() { return fs::path(platform::ReadProcessIdentity().HostProgramPath).parent_path(); }

TChildProcess::TChildProcess(const std::string& arguments) {
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string commandLine = "\"" + std::string(program) + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child))
        return;
    CloseHandle(child.hThread);
    process_ = child.hProcess;
}

TChildProcess::~TChildProcess() {
    if (!process_) return;
    if (WaitForSingleObject(process_, 0) != WAIT_OBJECT_0) TerminateProcess(process_, 1);
    CloseHandle(process_);
}

int TChildProcess::Wait() {
    DWORD code = DWORD(-1);
    if (process_ && WaitForSingleObject(process_, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(process_, &code);
    return int(code);
}

void InstalledModule::SetUp() {
    host.container->UnregisterFactory(IDBScript::IID);
    host.container->RegisterFactory(IDBScript::IID, host::SharedFactory(script->AsIInterface()).Get());
    host.authentication->granted = {"AM020"};
    modulePath = InstallDist(folder.Path() / "modules");
    ASSERT_TRUE(library.Load(modulePath.string())) << library.Error();
    library.InitModule(host.container.Get());
    host.container->ClearJournal();
}

}  // namespace orvo::test
