// The module log: one file per process beside the module, shared by every thread.
#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "interfaces/OrvoTypes.h"
#include "platform/AppendFile.h"
#include "platform/Platform.h"

namespace orvo {

// Information, an error the module's code raised and caught, and a hardware exception the
// operating system raised inside the module's code.
enum class TLogLevel { Info, Exception, OsException };
// The tag written for a level: "info", "EXC" and "EXCOS".
std::string_view LogLevelTag(TLogLevel level);

// A money value for a log pattern, written as a decimal number ("120.5", "-9").
struct Money {
    Currency Value;
};

// One argument of a log pattern. Text is borrowed for the duration of the call.
struct TLogArg {
    enum class Kind { Text, Integer, Money } kind;
    std::string_view text;
    int64_t number = 0;

    TLogArg(std::string_view v) : kind(Kind::Text), text(v) {}
    TLogArg(const char* v) : kind(Kind::Text), text(v ? v : "") {}
    TLogArg(const std::string& v) : kind(Kind::Text), text(v) {}
    TLogArg(const AnsiString& v) : kind(Kind::Text), text(v.view()) {}
    TLogArg(int32_t v) : kind(Kind::Integer), number(v) {}
    TLogArg(int64_t v) : kind(Kind::Integer), number(v) {}
    TLogArg(Money v) : kind(Kind::Money), number(v.Value) {}
};

// Appends pattern to out with each "%" replaced by the next argument in order; a "%" with no
// argument left stays as it is, and arguments beyond the placeholders are ignored. A line is one
// line whatever a text holds (a typed reference, a database message quoting SQL): its control
// characters are written as escapes, CR, LF, tab and NUL as \r \n \t \0, the others below 0x20
// and DEL as \xNN; every other byte, a backslash too, is written as it is.
void FillPattern(std::string& out, std::string_view pattern, const TLogArg* args, size_t count);
// Appends text with its control characters written as FillPattern writes them.
void AppendEscaped(std::string& out, std::string_view text);
// Appends "yyyy-mm-dd hh:mm:ss.zzz".
void AppendLogTimeStamp(std::string& out, TDateTime value);
inline constexpr size_t kLogTimeStampWidth = 23;
// Appends one line of the log: "<time stamp> <tag padded to six> <filled pattern>" and CR LF.
void AppendLogLine(std::string& out, TDateTime now, TLogLevel level, std::string_view pattern, const TLogArg* args,
                   size_t count);

// "<program without extension> (<computer>) <module file name>.log"
std::string LogFileName(const platform::TProcessIdentity& identity);
// The folder of the module's own file, with a trailing separator.
std::string LogFolder(const platform::TProcessIdentity& identity);

// Fixed in the product; tests shrink the size and skip the waits.
struct TLogSettings {
    // A write that takes the file past this many bytes rotates it.
    uint64_t RotateSize = 2048 * 1024;
    // A name that cannot be opened is tried again this many times before the next name.
    int OpenRetries = 10;
    // Runs before each retry; empty waits 100 ms.
    std::function<void()> WaitBeforeRetry;
};

// The log file. Every line is one write system call, made while holding the lock, so it has
// reached the operating system when Write returns and lines of different threads never
// interleave. Rotation runs on the thread whose write filled the file; the log starts no thread.
class TModuleLog {
public:
    // Points the log at its file; nothing is written before this. An identity without a module
    // path leaves the log without a file.
    void Configure(const platform::TProcessIdentity& identity, TLogSettings settings = {});
    // Writes one line: time stamp, level tag and the filled pattern. Safe from any thread;
    // a line that cannot be written is dropped and the caller goes on. A rotation that fails
    // leaves one line saying why in the live file, which goes on taking lines; one that fails
    // after handing the content to the chain closes the file, and the next line opens it again
    // (finishing the move) or the next name.
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
    enum class TState { Unconfigured, Closed, Open, Dropping };
    std::string NameWithDashes(int dashes) const;
    // Stamps line (made with room for the time stamp) and writes it: opens the file first when it
    // is closed, rotates it after when it is full.
    void AppendLocked(std::string& line);
    // One exception line naming the file of a failed operation and the system's message.
    void WriteFailureLocked(std::string_view pattern, const platform::TFileStatus& failure);
    // Each takes the time stamp of the line being written.
    void StampLocked(char* stamp, TDateTime now);
    void OpenLocked(TDateTime now);
    void WriteHeaderLocked(TDateTime now);
    bool RotateLocked(TDateTime now);
    // One line saying that something at the old number 9's name was moved to setAsideTo, if so.
    void NoteSetAsideLocked(const std::string& setAsideTo);

    mutable std::mutex mutex_;
    std::atomic<std::thread::id> writer_{};
    TState state_ = TState::Unconfigured;
    platform::TProcessIdentity identity_;
    TLogSettings settings_;
    std::string path_;
    platform::TAppendFile file_;
    uint64_t nextRotation_ = 0;        // the size past which the file is rotated
    uint64_t rotationTriedAt_ = 0;     // the size left by the last rotation, done or failed
    int64_t stampSecond_ = INT64_MIN;  // the day and second of stampText_
    char stampText_[kLogTimeStampWidth] = {};
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
