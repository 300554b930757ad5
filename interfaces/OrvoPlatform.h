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

// Checks that a struct crossing the boundary keeps its size on each target.
#define ORVO_ASSERT_SIZE(type, size32, size64)                                \
    static_assert(sizeof(type) == (sizeof(void*) == 4 ? (size32) : (size64)), \
                  #type " changed size: the host and module would disagree")
