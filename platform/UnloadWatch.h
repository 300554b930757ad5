// POSIX stand-in for the Windows library detach notification.
#pragma once

namespace orvo::platform {

// Calls onUnload once when the library leaves the process, with true when the process is
// ending (exit) and false when the library is unloaded explicitly (dlclose). Call it from the
// library's load notification, after everything onUnload uses has been constructed.
//
// How the two are told apart: glibc runs a library's exit handlers both at dlclose and at
// exit, but handlers registered without a library handle only at exit, and those run before
// the library's own when registered after them. So after registering the library's handler we
// register a second one, without a library handle, that only posts a semaphore living on the
// heap; if the library is gone by then, the call is libc's own and touches nothing of ours.
void WatchUnload(void (*onUnload)(bool processEnding));

}  // namespace orvo::platform
