/* The module's unwind tables, registered with the unwinder that is linked into it.
 *
 * The module carries its own C++ runtime, and with it its own DWARF-2 unwinder. The start-up code
 * of a mingw DLL registers the DLL's unwind tables with libgcc_s_dw2-1.dll instead whenever a
 * host has that library loaded (a host built with mingw's shared runtime). The module's own
 * unwinder would then know none of its frames, and the first error raised inside the module
 * would end the host's process. So, in exactly that case, the tables are registered with the
 * module's unwinder as well. This file is linked first, so its empty contribution marks the start
 * of the module's tables (the C runtime's start-up objects before it raise nothing). */
#include <windows.h>

#include "entry/UnwindFrames.h"

#if defined(__i386__) && !defined(__SEH__) && !defined(__USING_SJLJ_EXCEPTIONS__)
/* libgcc's bookkeeping for one registered table; it writes at most seven pointers into it. */
static void* gObject[16];
static const char gFramesBegin[] __attribute__((used, section(".eh_frame"), aligned(4))) = {};
static int gRegistered;

void __register_frame_info(const void* begin, void* object);
void* __deregister_frame_info(const void* begin);

void RegisterModuleUnwindFrames(void) {
    if (!GetModuleHandleA("libgcc_s_dw2-1.dll") || gRegistered) return;
    __register_frame_info(gFramesBegin, gObject);
    gRegistered = 1;
}

void DeregisterModuleUnwindFrames(void) {
    if (!gRegistered) return;
    __deregister_frame_info(gFramesBegin);
    gRegistered = 0;
}
#else
void RegisterModuleUnwindFrames(void) {}
void DeregisterModuleUnwindFrames(void) {}
#endif
