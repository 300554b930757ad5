// The built library loaded from a folder other than the test program's, as a host loads it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "host/TModuleLibrary.h"
#include "interfaces/intfPaymentMethod.h"
#include "tests/support/TestSupport.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace orvo {
namespace {
namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

// Copies what a host would put in its module folder and returns the module's path there.
fs::path InstallModule(const fs::path& folder) {
    fs::create_directories(folder);
#if defined(_WIN32)
    for (const auto& entry : fs::directory_iterator(ORVO_DIST_DIR))
        fs::copy_file(entry.path(), folder / entry.path().filename());
#else
    fs::copy_file(ORVO_MODULE_FILE, folder / "OrvoExtraPayments.ovm");
#endif
    return folder / "OrvoExtraPayments.ovm";
}

std::string ExpectedLogName() {
    const platform::TProcessIdentity self = platform::ReadProcessIdentity();
    return fs::path(self.HostProgramPath).stem().string() + " (" + self.ComputerName + ") OrvoExtraPayments.ovm.log";
}

class LoadedLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        modulePath = InstallModule(folder.Path() / "modules");
        ASSERT_TRUE(library.Load(modulePath.string())) << library.Error();
        container = MakeObject<host::THostContainer>(host::NewJournal());
    }
    test::TTempFolder folder;
    fs::path modulePath;
    host::TModuleLibrary library;
    ComPtr<host::THostContainer> container;
};

TEST_F(LoadedLibrary, WritesTheStartLineToTheLogBesideTheModule) {
    const fs::path log = modulePath.parent_path() / ExpectedLogName();
    ASSERT_TRUE(fs::exists(log)) << log;
    EXPECT_NE(ReadFile(log).find("info  Starting ExtraPayments\r\n"), std::string::npos);
}

// The journal's withdrawal lines, each "Unregister...".
size_t Withdrawals(const host::THostContainer& container) {
    size_t n = 0;
    for (const auto& line : container.Journal()) n += line.rfind("Unregister", 0) == 0;
    return n;
}

// A container that refuses the payment methods with an error of its own.
class TRefusingContainer : public host::THostContainer {
public:
    void RegisterNamedFactory(const TGUID& iid, const AnsiString& name, IDIFactory* factory) override {
        if (iid == IPaymentMethod::IID) throw EOrvoError("no room for " + name.str(), "ERegistryFull", int32_t(0x80040202u));
        THostContainer::RegisterNamedFactory(iid, name, factory);
    }
};

// Errors cross the loaded library both ways with class, message and code, through the system's
// error object (Windows) or the program's error slot (Linux).
TEST_F(LoadedLibrary, ErrorsCrossBothWaysWithTheirClassMessageAndCode) {
    auto refusing = MakeObject<TRefusingContainer>();
    try {
        library.InitModule(refusing.Get());
        ADD_FAILURE() << "the container's error was lost";
    } catch (const EOrvoError& e) {
        EXPECT_EQ(std::string(e.ClassName()) + ": " + e.what(), "ERegistryFull: no room for Uber");
        EXPECT_EQ(e.Code(), int32_t(0x80040202u));
    }
    library.FinalModule();

    library.InitModule(container.Get());
    auto method = ResolveNamedOf<IPaymentMethod>(*container, "Nedbank");
    ASSERT_TRUE(method);
    EXPECT_EQ(test::RaisedError([&] { method->GetConfig()->GetLine(5); }),
              "EStringListError: List index out of bounds (5)");
    method.Reset();
    library.FinalModule();
}

TEST_F(LoadedLibrary, InitThenFinalThenUnloadWithdrawsOnceAndReleasesTheContainer) {
    library.InitModule(container.Get());
    const size_t registered = container->RegistrationCount();
    EXPECT_EQ(registered, 9u);
    library.FinalModule();
    library.FinalModule();
    library.Unload();
    EXPECT_EQ(container->RegistrationCount(), 0u);
    EXPECT_EQ(Withdrawals(*container), registered);
    EXPECT_EQ(container->_AddRef(), 2) << "the module still holds the container";
    container->_Release();
}

TEST_F(LoadedLibrary, UnloadWithoutFinalModuleWithdrawsThroughTheDetachHook) {
    library.InitModule(container.Get());
    const size_t registered = container->RegistrationCount();
    library.Unload();
    EXPECT_EQ(container->RegistrationCount(), 0u);
    EXPECT_EQ(Withdrawals(*container), registered);
    EXPECT_EQ(container->_AddRef(), 2) << "the module still holds the container";
    container->_Release();
}

TEST_F(LoadedLibrary, LoadingTwiceInOneProcessSharesOneModule) {
    host::TModuleLibrary second;
    ASSERT_TRUE(second.Load(modulePath.string())) << second.Error();
    EXPECT_EQ(second.Symbol("InitModule"), library.Symbol("InitModule"));
    second.Unload();  // the first load keeps it mapped
    library.InitModule(container.Get());
    library.FinalModule();
    EXPECT_EQ(container->RegistrationCount(), 0u);
}

#if defined(_WIN32)
std::string VersionString(const std::vector<char>& data, const char* name) {
    char* value = nullptr;
    UINT len = 0;
    const std::string key = std::string("\\StringFileInfo\\040904E4\\") + name;
    return VerQueryValueA(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &len) && value ? value : "";
}

TEST_F(LoadedLibrary, CarriesTheVersionRecord) {
    DWORD ignored = 0;
    std::vector<char> data(GetFileVersionInfoSizeA(modulePath.string().c_str(), &ignored));
    ASSERT_FALSE(data.empty());
    ASSERT_TRUE(GetFileVersionInfoA(modulePath.string().c_str(), 0, DWORD(data.size()), data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &len));
    EXPECT_EQ(fixed->dwFileVersionMS, 0u);
    EXPECT_EQ(fixed->dwFileVersionLS, 6u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0u);
    EXPECT_EQ(fixed->dwProductVersionLS, 6u);
    EXPECT_EQ(VersionString(data, "FileVersion"), "0.0.0.6");
    EXPECT_EQ(VersionString(data, "ProductVersion"), "1.0.0.0");
    EXPECT_EQ(VersionString(data, "FileDescription"), "ORVO: Extra Payments Modules");
    EXPECT_EQ(VersionString(data, "ProductName"), "ORVO");
    EXPECT_EQ(VersionString(data, "OriginalFilename"), "OrvoExtraPayments.ovm");
}

TEST_F(LoadedLibrary, ExportsExactlyInitModuleAndFinalModule) {
    auto* base = reinterpret_cast<const uint8_t*>(GetModuleHandleA(modulePath.string().c_str()));
    ASSERT_NE(base, nullptr);
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    std::vector<std::string> found;
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
        found.emplace_back(reinterpret_cast<const char*>(base + names[i]));
    EXPECT_EQ(exports->NumberOfFunctions, 2u);
    EXPECT_EQ(found, (std::vector<std::string>{"FinalModule", "InitModule"}));
}
#else
// A container that writes every withdrawal to a file, so a child process's calls can be read back.
class TFileJournalContainer : public host::THostContainer {
public:
    explicit TFileJournalContainer(std::string path) : path_(std::move(path)) {}
    void UnregisterInstance(const TGUID& iid) override {
        Note("UnregisterInstance");
        THostContainer::UnregisterInstance(iid);
    }
    void UnregisterFactory(const TGUID& iid) override {
        Note("UnregisterFactory");
        THostContainer::UnregisterFactory(iid);
    }
    void UnregisterNamedFactory(const TGUID& iid, const AnsiString& name) override {
        Note("UnregisterNamedFactory");
        THostContainer::UnregisterNamedFactory(iid, name);
    }

private:
    void Note(const char* what) { std::ofstream(path_, std::ios::app) << what << "\n"; }
    std::string path_;
};

TEST_F(LoadedLibrary, ProcessEndWithTheModuleLoadedWithdrawsNothing) {
    const std::string journal = folder / "child-journal.txt";
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto held = MakeObject<TFileJournalContainer>(journal);
        library.InitModule(held.Get());
        std::ofstream(journal, std::ios::app) << "exit\n";
        held.Detach();  // the host's own reference is never given back before the process ends
        std::exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(ReadFile(journal), "exit\n");
}
#endif

}  // namespace
}  // namespace orvo
