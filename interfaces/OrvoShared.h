// Generated from contract/Orvo.idl by contract/generate.py: edit those, not this file.
// The codes and the text every face of the contract shares, as C++ declares them.
#pragma once
#include <cstdint>

#include "OrvoPlatform.h"

// Every method of the contract returns one of these (COM's HRESULT): negative means failed.
using HRESULT32 = int32_t;

// The HRESULTs the contract names. Any negative value is a failure.
inline constexpr HRESULT32 ORVO_S_OK = 0;
inline constexpr HRESULT32 ORVO_S_FALSE = 1;
inline constexpr HRESULT32 ORVO_E_NOINTERFACE = int32_t(0x80004002u);
inline constexpr HRESULT32 ORVO_E_POINTER = int32_t(0x80004003u);
inline constexpr HRESULT32 ORVO_E_FAIL = int32_t(0x80004005u);
inline constexpr HRESULT32 ORVO_E_OUTOFMEMORY = int32_t(0x8007000Eu);

inline constexpr bool OrvoFailed(HRESULT32 result) { return result < 0; }

// Reference-counted, immutable 8-bit text in the ANSI code page, one pointer wide. The pointer
// is to the characters of a block; null is the empty text (a block never holds 0 characters).
// The block, byte by byte (little-endian, 4-byte aligned):
//
//   offset 0   int32  references (changed atomically; 1 for a new block)
//   offset 4   int32  length in bytes, without the terminator (1 or more)
//   offset 8   the characters, then one NUL byte       <- a text points here
//
// The block comes from HeapAlloc(GetProcessHeap(), 0, 8 + length + 1) and goes back with
// HeapFree(GetProcessHeap(), 0, block) when the references drop to 0, whichever side that is
// (malloc and free outside Windows). As an argument a text is borrowed for the call (a callee
// that keeps it adds a reference); as an out-argument it is a new reference that the caller
// releases.
typedef char* OrvoAnsiString;

extern "C" {
#if defined(_WIN32)
/* The three kernel32 functions the block needs, declared exactly as <windows.h> declares them:
 * a host's own <windows.h>, included before or after, stays as it would be. */
__declspec(dllimport) void* ORVO_STDCALL GetProcessHeap(void);
#if defined(_WIN64)
__declspec(dllimport) void* ORVO_STDCALL HeapAlloc(void* heap, unsigned long flags, unsigned long long bytes);
#else
__declspec(dllimport) void* ORVO_STDCALL HeapAlloc(void* heap, unsigned long flags, unsigned long bytes);
#endif
__declspec(dllimport) int ORVO_STDCALL HeapFree(void* heap, unsigned long flags, void* block);
#endif
}
