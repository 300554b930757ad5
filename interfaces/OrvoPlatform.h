// Calling convention and export macros shared by host and module.
#pragma once

#if defined(_WIN32) && !defined(_WIN64)
#define ORVO_STDCALL __stdcall
#else
#define ORVO_STDCALL
#endif

#if defined(_WIN32)
#define ORVO_EXPORT extern "C" __declspec(dllexport)
#else
#define ORVO_EXPORT extern "C" __attribute__((visibility("default")))
#endif

// Checks that a struct crossing the boundary keeps its size and alignment on each target
// (32-bit Windows, 64-bit): were either to change, host and module would read it differently.
#define ORVO_ASSERT_LAYOUT(type, size32, size64, align32, align64)                           \
    static_assert(sizeof(type) == (sizeof(void*) == 4 ? (size32) : (size64)),                \
                  #type " changed size: the host and module would disagree");                \
    static_assert(alignof(type) == (sizeof(void*) == 4 ? (align32) : (align64)),             \
                  #type " changed alignment: the host and module would disagree")
