// The library itself: the two exported functions and the load and unload notifications.
// Everything else lives in the module's static library.
#include "entry/ModuleLifecycle.h"
#include "interfaces/OrvoExports.h"

ORVO_EXPORT HRESULT32 ORVO_STDCALL InitModule(IDIContainer* container) {
    return orvo::ComBody([&] { orvo::InitModule(container); });
}

ORVO_EXPORT HRESULT32 ORVO_STDCALL FinalModule() {
    return orvo::ComBody([] { orvo::FinalModule(); });
}

#if defined(_WIN32)
#include <windows.h>

#include "entry/UnwindFrames.h"
#include "module/Log.h"
#include "platform/OsExceptionWatch.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        RegisterModuleUnwindFrames();
        orvo::OnLibraryLoad(orvo::platform::ReadProcessIdentity());
        orvo::platform::WatchOsExceptions(&orvo::LogOsException);
    } else if (reason == DLL_PROCESS_DETACH) {
        if (orvo::TDetachHook hook = orvo::DetachHookSlot()) hook(orvo::kProcessDetach, reserved);
        orvo::platform::StopWatchingOsExceptions();  // the handler's code leaves with the library
        DeregisterModuleUnwindFrames();
    }
    return TRUE;
}

#else
#include "platform/UnloadWatch.h"

namespace {
// The loader runs this when the library is mapped. The watch tells an explicit unload
// (dlclose) from the end of the process, and calls the hook slot with a null or non-null
// reserved argument accordingly, as the Windows loader does.
__attribute__((constructor)) void OnLoad() {
    orvo::OnLibraryLoad(orvo::platform::ReadProcessIdentity());
    orvo::platform::WatchUnload([](bool processEnding) {
        static int ending = 1;
        if (orvo::TDetachHook hook = orvo::DetachHookSlot())
            hook(orvo::kProcessDetach, processEnding ? &ending : nullptr);
    });
}
}  // namespace
#endif
