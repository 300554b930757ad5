/* The module's unwind tables and its own unwinder (Windows build; see UnwindFrames.c). */
#pragma once

#ifdef __cplusplus
extern "C" {
#endif
/* At load, before anything can raise an error: registers the tables when the start-up code
 * handed them to a host's shared unwinder. */
void RegisterModuleUnwindFrames(void);
/* At unload: withdraws what RegisterModuleUnwindFrames registered. */
void DeregisterModuleUnwindFrames(void);
#ifdef __cplusplus
}
#endif
