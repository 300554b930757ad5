// The module's life in a host process: loaded, initialised with the host's container, finalised
// and unloaded, with the detach hook that runs FinalModule on an explicit unload.
#pragma once
#include "interfaces/intfDI.h"
#include "platform/Platform.h"

namespace orvo {

// Holds the container and registers every service of the registration table. A different
// container held before gets its registrations withdrawn first, as FinalModule does.
void InitModule(IDIContainer* container);
// Withdraws what is registered in reverse order and lets go of the container; does nothing
// when no container is held. A refused withdrawal is raised with the container still held, and
// the next call resumes with it.
void FinalModule();

// Library notification reasons, as the Windows loader numbers them.
inline constexpr int kProcessDetach = 0;
inline constexpr int kProcessAttach = 1;

// A library-unload hook: reason, and the reserved argument (null on an explicit unload,
// non-null when the process is ending).
using TDetachHook = void (*)(int reason, void* reserved);

// The runtime's hook slot: the library's unload notification calls whatever hook is here.
TDetachHook& DetachHookSlot();

// Runs when the library is loaded: configures the log for this process and module file,
// writes the start line and installs the detach hook, remembering the one installed before.
void OnLibraryLoad(const platform::TProcessIdentity& identity);

// The module's hook: explicit unload runs FinalModule (a refusal logged, the rest withdrawn,
// nothing raised); on unload and at process end the log is
// closed and the old logs of its folder are archived; then the previous hook, if any, runs.
void ModuleDetachHook(int reason, void* reserved);

}  // namespace orvo
