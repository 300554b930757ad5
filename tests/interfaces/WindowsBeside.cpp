// A host's plain <windows.h> (no WIN32_LEAN_AND_MEAN) and the whole contract, in either order
// (ORVO_WINDOWS_FIRST): the contract trims nothing of <windows.h> and its kernel32 declarations
// agree with the system's. (NOMINMAX is no test here: this toolchain's C++ runtime sets it.)
#if defined(ORVO_WINDOWS_FIRST)
#include <windows.h>

#include "AllInterfaces.h"
#else
#include "AllInterfaces.h"

#include <windows.h>
#endif

#if defined(WIN32_LEAN_AND_MEAN)
#error "the contract's headers trim the host's <windows.h>"
#endif

// From <commdlg.h>, which WIN32_LEAN_AND_MEAN would have left out.
OPENFILENAMEA gOpenFileNameProbe{};

void* AllocateFromTheProcessHeap() { return HeapAlloc(GetProcessHeap(), 0, 16); }
