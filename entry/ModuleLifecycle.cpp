#include "entry/ModuleLifecycle.h"

#include "entry/Registration.h"
#include "module/Log.h"
#include "module/Services.h"
#include "platform/Platform.h"

namespace orvo {

void InitModule(IDIContainer* container) {
    // What an earlier container holds from the module is withdrawn before that container is let
    // go of: nothing could withdraw it later, and its code leaves with the library. A refusal
    // comes back as from FinalModule, with that container still held and nothing registered here.
    if (const ComPtr<IDIContainer> held = HeldContainer(); held && held.Get() != container) FinalModule();
    HoldContainer(ComPtr<IDIContainer>::AddRefOf(container));  // the earlier one is released here, outside the lock
    if (container) RegisterAll(*container);
}

namespace {
TDetachHook gPreviousHook = nullptr;

// Withdraws what is registered and lets go of the container, if one is held.
void Final(void (*onRefusal)(const TRegistrationRow& row)) {
    const ComPtr<IDIContainer> container = HeldContainer();
    if (!container) return;
    WithdrawRegistered(*container, onRefusal);
    LetGoOfContainer(container);  // released here, outside the lock: the host's code may run
}

// FinalModule when the library is unloaded without it: nothing may leave the unload notification,
// so a refused withdrawal is logged and the rest is still withdrawn.
void FinalModuleOnUnload() noexcept {
    try {
        Final([](const TRegistrationRow& row) {
            LogError("[FinalModule] Unloading: % stays registered: % (\"%\")", row.what, CurrentErrorClassName(),
                     CurrentErrorMessage());
        });
    } catch (...) {
        LogCaught();
    }
}
}  // namespace

void FinalModule() { Final(nullptr); }

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
        if (!processEnding) FinalModuleOnUnload();
        ModuleLog().CloseAndArchive(processEnding);
    }
    if (gPreviousHook) gPreviousHook(reason, reserved);
}

}  // namespace orvo
