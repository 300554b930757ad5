// The module log: one file per process beside the module, shared by every thread. The logger
// here stamps lines and serialises them into its file sink (LogFileSink.h), whose files start with
// its header; the lines' layout is LogLine.h's.
#pragma once
#include <atomic>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "module/LogFileSink.h"
#include "module/LogLine.h"
#include "platform/Platform.h"

namespace orvo {

// "<program without extension> (<computer>) <module file name>.log"
std::string LogFileName(const platform::TProcessIdentity& identity);
// The folder of the module's own file, with a trailing separator.
std::string LogFolder(const platform::TProcessIdentity& identity);

// The log. Every line is one write system call, made while holding the lock, so it has reached
// the operating system when Write returns and lines of different threads never interleave.
// Rotation runs on the thread whose write filled the file; the log starts no thread.
class TModuleLog {
public:
    // Points the log at its file; nothing is written before this. An identity without a module
    // path leaves the log without a file.
    void Configure(const platform::TProcessIdentity& identity, TLogSettings settings = {});
    // Writes one line: time stamp, level tag and the filled pattern. Safe from any thread;
    // a line that cannot be written is dropped and the caller goes on (TLogFileSink::Write says
    // how the file is opened and rotated).
    void Write(TLogLevel level, std::string_view pattern, const TLogArg* args, size_t count);
    // Full path of the live file: the name in use once opened, the first choice before ("" before
    // Configure).
    std::string FilePath() const;
    // Closes the file; the next line opens it again, with a new header.
    void Close();
    // The library leaves the process: archives the old logs of its folder, writes one line for
    // each file that could not be archived, and closes the file. At process end the lock is only
    // tried: Windows has stopped every other thread by then, perhaps one that held it.
    void CloseAndArchive(bool processEnding);
    // True while this thread is inside Write, e.g. when a hardware exception interrupted it.
    bool IsWritingOnThisThread() const { return writer_.load(std::memory_order_relaxed) == std::this_thread::get_id(); }

private:
    mutable std::mutex mutex_;
    std::atomic<std::thread::id> writer_{};
    platform::TProcessIdentity identity_;
    TLogFileSink file_;
    TLogStamp stamp_;
};

// The process-wide log of the module.
TModuleLog& ModuleLog();

template <class... Args>
void LogWrite(TLogLevel level, std::string_view pattern, const Args&... args) {
    if constexpr (sizeof...(Args) == 0) {
        ModuleLog().Write(level, pattern, nullptr, 0);
    } else {
        const TLogArg list[] = {TLogArg(args)...};
        ModuleLog().Write(level, pattern, list, sizeof...(Args));
    }
}
template <class... Args>
void LogInfo(std::string_view pattern, const Args&... args) {
    LogWrite(TLogLevel::Info, pattern, args...);
}
template <class... Args>
void LogError(std::string_view pattern, const Args&... args) {
    LogWrite(TLogLevel::Exception, pattern, args...);
}

// Every catch site in the module calls this first, so each caught error is logged at exception
// level with its class and message before the handler's own line.
void LogCaught(const std::exception& error);
// The same for the error being handled, of any type; called inside a catch block. An error not
// derived from std::exception (a host's `throw 42`) is logged with its type name and no message.
// Returns the text for the handler's own line: the message, else the type name, else
// "unknown error".
std::string LogCaught();

// Writes a hardware exception raised inside the module's code at level "EXCOS"; dropped when it
// interrupted this thread's own write.
void LogOsException(const char* className, const char* message);

}  // namespace orvo
