// What a host's plain <windows.h> (no WIN32_LEAN_AND_MEAN) declares, still whole beside the
// contract's headers, and the contract's kernel32 declarations agreeing with the system's.
// (NOMINMAX is no test here: this toolchain's C++ runtime sets it itself.)
#pragma once

#if defined(WIN32_LEAN_AND_MEAN)
#error "the contract's headers trim the host's <windows.h>"
#endif

// From <commdlg.h>, which WIN32_LEAN_AND_MEAN would have left out.
inline OPENFILENAMEA gOpenFileNameProbe{};

inline void* AllocateFromTheProcessHeap() { return HeapAlloc(GetProcessHeap(), 0, 16); }
