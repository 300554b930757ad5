// Windows only: hardware exceptions (access violations and the like) raised inside this
// library's own code, reported when the system raises them, before any handler runs.
#pragma once

namespace orvo::platform {

// Receives the error class and message of an exception, as the log writes them. It runs on the
// faulting thread, inside the system's exception dispatch.
using TOsExceptionReport = void (*)(const char* className, const char* message);

// Starts reporting exceptions whose address lies in the image holding this code; a second call
// while watching does nothing.
void WatchOsExceptions(TOsExceptionReport report);
// Stops reporting; the library calls it before it leaves the process.
void StopWatchingOsExceptions();

}  // namespace orvo::platform
