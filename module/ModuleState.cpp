#include "ModuleState.h"

#include <mutex>
#include <new>

#include "Log.h"
#include "Platform.h"
#include "Registration.h"

namespace orvo {
namespace {
std::mutex gContainerMutex;
TDetachHook gPreviousHook = nullptr;

// The container outlives every static destructor of the library: the unload notification,
// which may run after them, still has to withdraw the registrations through it.
ComPtr<IDIContainer>& HeldContainer() {
    alignas(ComPtr<IDIContainer>) static unsigned char storage[sizeof(ComPtr<IDIContainer>)];
    static ComPtr<IDIContainer>* held = new (storage) ComPtr<IDIContainer>();
    return *held;
}
}  // namespace

ComPtr<IDIContainer> Container() {
    std::lock_guard lock(gContainerMutex);
    return HeldContainer();
}

void InitModule(IDIContainer* container) {
    ComPtr<IDIContainer> earlier = ComPtr<IDIContainer>::AddRefOf(container);
    {
        std::lock_guard lock(gContainerMutex);
        std::swap(HeldContainer(), earlier);
    }
    earlier.Reset();  // released outside the lock: the host's code may run
    if (container) RegisterAll(*container);
}

void FinalModule() {
    ComPtr<IDIContainer> container = Container();
    if (!container) return;
    WithdrawAll(*container);
    ComPtr<IDIContainer> released;  // let go outside the lock: the host's code may run
    {
        std::lock_guard lock(gContainerMutex);
        if (HeldContainer() == container) released = std::move(HeldContainer());
    }
}

TDetachHook& DetachHookSlot() {
    static TDetachHook slot = nullptr;
    return slot;
}

void OnLibraryLoad(const platform::TProcessIdentity& identity) {
    ModuleLog().Configure(identity);
    LogInfo("Starting ExtraPayments");
    gPreviousHook = DetachHookSlot();
    DetachHookSlot() = &ModuleDetachHook;
}

void ModuleDetachHook(int reason, void* reserved) {
    if (reason == kProcessDetach) {
        const bool processEnding = reserved != nullptr;
        if (!processEnding) FinalModule();
        ModuleLog().CloseAndArchive(processEnding);
    }
    if (gPreviousHook) gPreviousHook(reason, reserved);
}

}  // namespace orvo
