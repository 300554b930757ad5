// The test program's entry. Started with one of the child-role arguments it plays a second
// process for a test instead of running the tests.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "tests/wine/InstalledModule.h"

namespace orvo::test {
namespace {

// A container that appends each registration call to a file as it happens, so the parent can
// read what a process did before it ended.
class TFileJournalContainer : public host::THostContainer {
public:
    explicit TFileJournalContainer(std::string path) : path_(std::move(path)) {}
    void RegisterInstance(const TGUID& iid, IInterface* obj) override {
        Note("RegisterInstance", iid);
        THostContainer::RegisterInstance(iid, obj);
    }
    void RegisterFactory(const TGUID& iid, IDIFactory* factory) override {
        Note("RegisterFactory", iid);
        THostContainer::RegisterFactory(iid, factory);
    }
    void RegisterNamedFactory(const TGUID& iid, const AnsiString& name, IDIFactory* factory) override {
        Note("RegisterNamedFactory", iid, name.str());
        THostContainer::RegisterNamedFactory(iid, name, factory);
    }
    void UnregisterInstance(const TGUID& iid) override {
        Note("UnregisterInstance", iid);
        THostContainer::UnregisterInstance(iid);
    }
    void UnregisterFactory(const TGUID& iid) override {
        Note("UnregisterFactory", iid);
        THostContainer::UnregisterFactory(iid);
    }
    void UnregisterNamedFactory(const TGUID& iid, const AnsiString& name) override {
        Note("UnregisterNamedFactory", iid, name.str());
        THostContainer::UnregisterNamedFactory(iid, name);
    }

private:
    void Note(const char* operation, const TGUID& iid, const std::string& name = "") {
        std::ofstream(path_, std::ios::app | std::ios::binary)
            << operation << " " << host::GuidToString(iid) << (name.empty() ? "" : " " + name) << "\n";
    }
    std::string path_;
};

// Loads the module, lends it a journaling container and ends the process with both still held,
// as a host does that exits without unloading its modules.
int ExitWithModuleLoaded(const char* modulePath, const char* journal) {
    auto* library = new host::TModuleLibrary;  // never unloaded: the process ends with it
    if (!library->Load(modulePath)) return 2;
    auto* container = MakeObject<TFileJournalContainer>(journal).Detach();
    library->InitModule(container);
    std::ofstream(journal, std::ios::app | std::ios::binary) << "exit\n";
    ExitProcess(0);
}

// Opens the file sharing nothing, says so through the ready event and keeps it until the
// release event (a minute at most).
int HoldFileUnshared(const char* path, const char* readyEvent, const char* releaseEvent) {
    HANDLE file =
        CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, readyEvent);
    HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, releaseEvent);
    if (file == INVALID_HANDLE_VALUE || !ready || !release) return 2;
    SetEvent(ready);
    WaitForSingleObject(release, 60000);
    CloseHandle(file);
    return 0;
}

}  // namespace
}  // namespace orvo::test

int main(int argc, char** argv) {
    using namespace orvo::test;
    if (argc == 4 && std::strcmp(argv[1], kExitWithModuleLoaded) == 0) return ExitWithModuleLoaded(argv[2], argv[3]);
    if (argc == 5 && std::strcmp(argv[1], kHoldFileUnshared) == 0) return HoldFileUnshared(argv[2], argv[3], argv[4]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
