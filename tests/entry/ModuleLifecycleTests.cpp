// Entry, exit, registration order and the detach hook, against a container with a journal; the
// detach hook also closes the log and archives old logs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "entry/ModuleLifecycle.h"
#include "entry/Registration.h"
#include "module/Log.h"
#include "module/Services.h"
#include "platform/Platform.h"
#include "tests/support/LogFiles.h"
#include "tests/support/TestSupport.h"

namespace orvo {
namespace {

using host::GuidToString;

// A container with a journal that counts the references the module takes and gives back.
class TCountingContainer : public host::THostContainer {
public:
    TCountingContainer() : THostContainer(host::NewJournal()) {}
    int32_t ORVO_STDCALL _AddRef() override {
        ++addRefs;
        return THostContainer::_AddRef();
    }
    int32_t ORVO_STDCALL _Release() override {
        ++releases;
        return THostContainer::_Release();
    }
    int addRefs = 0, releases = 0;
};

// What InitModule registers, in order; FinalModule withdraws it in reverse.
std::vector<std::string> ExpectedRegistrations() {
    return {
        "RegisterFactory {9E80389D-D9AA-43D2-9CEB-3B2AA5CA2EC0}",
        "RegisterNamedFactory {46A625EC-9BF5-42C0-AC4F-9E6719539020} ExtraPayments",
        "RegisterFactory {18DC7950-A609-4152-ADC8-1C9F410A7DBE}",
        "GetInstance {809967B8-EF11-4305-903C-F7C01676EA2D}",  // the management object looks for events
        "RegisterInstance {18DC7950-A609-4152-ADC8-1C9F410A7DBE}",
        "RegisterNamedFactory {B99696A6-EA20-4DD7-8E91-13B5762D314D} Uber",
        "RegisterNamedFactory {B99696A6-EA20-4DD7-8E91-13B5762D314D} Mr D",
        "RegisterNamedFactory {B99696A6-EA20-4DD7-8E91-13B5762D314D} ABSA",
        "RegisterNamedFactory {B99696A6-EA20-4DD7-8E91-13B5762D314D} Nedbank",
        "RegisterNamedFactory {B99696A6-EA20-4DD7-8E91-13B5762D314D} Other CC",
    };
}
std::vector<std::string> ExpectedWithdrawals() {
    return {
        "UnregisterNamedFactory {B99696A6-EA20-4DD7-8E91-13B5762D314D} Other CC",
        "UnregisterNamedFactory {B99696A6-EA20-4DD7-8E91-13B5762D314D} Nedbank",
        "UnregisterNamedFactory {B99696A6-EA20-4DD7-8E91-13B5762D314D} ABSA",
        "UnregisterNamedFactory {B99696A6-EA20-4DD7-8E91-13B5762D314D} Mr D",
        "UnregisterNamedFactory {B99696A6-EA20-4DD7-8E91-13B5762D314D} Uber",
        "UnregisterInstance {18DC7950-A609-4152-ADC8-1C9F410A7DBE}",
        "UnregisterFactory {18DC7950-A609-4152-ADC8-1C9F410A7DBE}",
        "UnregisterNamedFactory {46A625EC-9BF5-42C0-AC4F-9E6719539020} ExtraPayments",
        "UnregisterFactory {9E80389D-D9AA-43D2-9CEB-3B2AA5CA2EC0}",
    };
}

class ModuleLifecycle : public ::testing::Test {
protected:
    void SetUp() override {
        FinalModule();  // no state from an earlier test
        container = MakeObject<TCountingContainer>();
        container->addRefs = container->releases = 0;
    }
    void TearDown() override { FinalModule(); }
    ComPtr<TCountingContainer> container;
};

TEST_F(ModuleLifecycle, InitRegistersInTableOrderAndFinalWithdrawsInReverse) {
    InitModule(container.Get());
    EXPECT_EQ(container->Journal(), ExpectedRegistrations());
    EXPECT_EQ(container->RegistrationCount(), RegistrationTable().size());
    container->ClearJournal();
    FinalModule();
    EXPECT_EQ(container->Journal(), ExpectedWithdrawals());
    EXPECT_EQ(container->RegistrationCount(), 0u);
}

TEST_F(ModuleLifecycle, HoldsOneCountedReferenceUntilFinal) {
    InitModule(container.Get());
    EXPECT_EQ(container->addRefs - container->releases, 1);
    EXPECT_EQ(HeldContainer().Get(), container.Get());
    FinalModule();
    EXPECT_EQ(container->addRefs - container->releases, 0);
    EXPECT_FALSE(HeldContainer());
}

TEST_F(ModuleLifecycle, FinalTwiceAndWithoutContainerDoNothing) {
    FinalModule();  // nothing held: no call reaches any container
    InitModule(container.Get());
    FinalModule();
    container->ClearJournal();
    const int releasesBefore = container->releases;
    FinalModule();
    EXPECT_TRUE(container->Journal().empty());
    EXPECT_EQ(container->releases, releasesBefore);
}

TEST_F(ModuleLifecycle, SecondInitWithdrawsFromTheEarlierContainerAndReleasesIt) {
    auto second = MakeObject<TCountingContainer>();
    second->addRefs = second->releases = 0;
    InitModule(container.Get());
    container->ClearJournal();
    InitModule(second.Get());
    EXPECT_EQ(container->Journal(), ExpectedWithdrawals());  // nothing left behind in the one let go of
    EXPECT_EQ(container->addRefs - container->releases, 0);
    EXPECT_EQ(second->addRefs - second->releases, 1);
    FinalModule();
    EXPECT_EQ(second->addRefs - second->releases, 0);
    EXPECT_EQ(second->RegistrationCount(), 0u);
}

// The detach hook: an explicit unload (null reserved argument) runs FinalModule, the end of the
// process does not; the hook installed before runs afterwards in both cases.
class DetachHook : public ModuleLifecycle {
protected:
    void SetUp() override {
        ModuleLifecycle::SetUp();
        calls.clear();
        DetachHookSlot() = &RecordPrevious;
        platform::TProcessIdentity id;
        id.ModulePath = folder / "OrvoExtraPayments.ovm";
        id.HostProgramPath = "/suite/BackOffice.exe";
        id.ComputerName = "TILL01";
        OnLibraryLoad(id);
    }
    void TearDown() override {
        ModuleLifecycle::TearDown();
        ModuleLog().Configure({});
        DetachHookSlot() = nullptr;
    }
    static void RecordPrevious(int reason, void* reserved) {
        calls.push_back("previous " + std::to_string(reason) + (reserved ? " ending" : " unload") +
                        (HeldContainer() ? " container held" : " container released"));
    }
    static inline std::vector<std::string> calls;
    test::TTempFolder folder;
};

TEST_F(DetachHook, ExplicitUnloadRunsFinalModuleThenThePreviousHook) {
    InitModule(container.Get());
    ASSERT_EQ(DetachHookSlot(), &ModuleDetachHook);
    DetachHookSlot()(kProcessDetach, nullptr);
    EXPECT_EQ(calls, std::vector<std::string>{"previous 0 unload container released"});
    EXPECT_EQ(container->addRefs - container->releases, 0);
}

TEST_F(DetachHook, ProcessEndWithdrawsNothingButStillRunsThePreviousHook) {
    InitModule(container.Get());
    container->ClearJournal();
    int ending = 1;
    DetachHookSlot()(kProcessDetach, &ending);
    EXPECT_EQ(calls, std::vector<std::string>{"previous 0 ending container held"});
    EXPECT_TRUE(container->Journal().empty());
}

TEST_F(DetachHook, UnloadWithoutInitFindsNoContainerAndLeavesTheStartLine) {
    DetachHookSlot()(kProcessDetach, nullptr);
    EXPECT_EQ(calls, std::vector<std::string>{"previous 0 unload container released"});
    std::ifstream log(folder / "BackOffice (TILL01) OrvoExtraPayments.ovm.log", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(log)), {});
    EXPECT_NE(text.find("info  Starting ExtraPayments\r\n"), std::string::npos) << text;
}

// A container that will not take or give back the named registration `refused`.
struct TRefusingContainer : TCountingContainer {
    void Refuse(const AnsiString& name) const {
        if (name == refused) throw EOrvoError("The container refuses " + refused, "EContainerRefusal");
    }
    void RegisterNamedFactory(const TGUID& iid, const AnsiString& name, IDIFactory* factory) override {
        Refuse(name);
        TCountingContainer::RegisterNamedFactory(iid, name, factory);
    }
    void UnregisterNamedFactory(const TGUID& iid, const AnsiString& name) override {
        Refuse(name);
        TCountingContainer::UnregisterNamedFactory(iid, name);
    }
    std::string refused;
};

// InitModule stops at a refused registration; FinalModule withdraws only what was taken, stops at
// a refused withdrawal and, called again, resumes with it; an unload without FinalModule logs the
// refusal, withdraws the rest and lets go of the container.
TEST_F(DetachHook, WithdrawsExactlyWhatIsRegisteredAndAnUnloadLogsARefusal) {
    const std::vector<std::string> withdrawals = ExpectedWithdrawals();  // Other CC, Nedbank, ABSA, ...
    auto refusing = MakeObject<TRefusingContainer>();
    refusing->refused = "Other CC";
    EXPECT_THROW(InitModule(refusing.Get()), EOrvoError);
    refusing->refused = "ABSA";
    refusing->ClearJournal();
    for (int round = 0; round < 2; ++round) EXPECT_THROW(FinalModule(), EOrvoError);
    EXPECT_EQ(refusing->Journal(), std::vector<std::string>{withdrawals[1]});  // Nedbank, once
    refusing->ClearJournal();
    DetachHookSlot()(kProcessDetach, nullptr);
    EXPECT_EQ(refusing->Journal(), std::vector<std::string>(withdrawals.begin() + 3, withdrawals.end()));
    EXPECT_EQ(refusing->RegistrationCount(), 1u);
    EXPECT_EQ(calls, std::vector<std::string>{"previous 0 unload container released"});
    EXPECT_NE(test::ReadWhole((folder.Path() / "BackOffice (TILL01) OrvoExtraPayments.ovm.log").string())
                  .find(" EXC   [FinalModule] Unloading: ABSA stays registered: EContainerRefusal (\"The container "
                        "refuses ABSA\")\r\n"),
              std::string::npos);
    // Registered again up to a refusal: FinalModule withdraws only that, not the row the unload left.
    refusing->refused = "Uber";
    EXPECT_THROW(InitModule(refusing.Get()), EOrvoError);
    refusing->ClearJournal();
    FinalModule();
    EXPECT_EQ(refusing->Journal(), std::vector<std::string>(withdrawals.begin() + 5, withdrawals.end()));
}

// The library leaving the process archives the module folder's old logs into the host
// program's folder, both on an explicit unload and at process end.
TEST(LogArchiveOnUnload, TheDetachHookClosesTheLogAndArchivesOnUnloadAndAtProcessEnd) {
    for (bool processEnding : {false, true}) {
        test::TTempFolder folder;
        const platform::TProcessIdentity id = test::LogIdentity(folder);
        const std::filesystem::path old = folder.Path() / "modules" / "Invoicing (POS2) OrvoExtraPayments.ovm.log";
        test::WriteWhole(old.string(), "old run\r\n");
        test::SetLastChange(old.string(), platform::Now() - 3);
        const TDetachHook before = DetachHookSlot();
        OnLibraryLoad(id);
        int ending = 1;
        DetachHookSlot()(kProcessDetach, processEnding ? &ending : nullptr);
        DetachHookSlot() = before;
        ModuleLog().Configure({});

        EXPECT_FALSE(std::filesystem::exists(old));
        const std::filesystem::path monthFolder = *std::filesystem::directory_iterator(folder.Path() / "host" / "log");
        EXPECT_EQ(test::Gunzip((monthFolder / (old.filename().string() + ".synlz")).string()), "old run\r\n");
        EXPECT_NE(test::ReadWhole(test::LivePath(folder)).find("info  Starting ExtraPayments\r\n"), std::string::npos);
    }
}

}  // namespace
}  // namespace orvo
