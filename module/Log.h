// The module log: one file per process beside the module, shared by every thread.
#pragma once
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

#include "AppendFile.h"
#include "OrvoTypes.h"
#include "Platform.h"

namespace orvo {

enum class TLogLevel { Info, Exception };
// The tag written for a level: "info" and "EXC".
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
// argument left stays as it is, and arguments beyond the placeholders are ignored.
void FillPattern(std::string& out, std::string_view pattern, const TLogArg* args, size_t count);
// A currency value as a decimal number without trailing zeros.
std::string FormatMoneyDecimal(Currency value);

// "<program without extension> (<computer>) <module file name>.log"
std::string LogFileName(const platform::TProcessIdentity& identity);
// The folder of the module's own file, with a trailing separator.
std::string LogFolder(const platform::TProcessIdentity& identity);

class TModuleLog {
public:
    // Points the log at its file; nothing is written before this.
    void Configure(const platform::TProcessIdentity& identity);
    // Writes one line: time stamp, level tag and the filled pattern. Safe from any thread;
    // a line that cannot be written is dropped and the caller goes on.
    void Write(TLogLevel level, std::string_view pattern, const TLogArg* args, size_t count);
    // Full path of the live file ("" before Configure).
    std::string FilePath() const;
    void Close();

private:
    mutable std::mutex mutex_;
    platform::TProcessIdentity identity_;
    std::string path_;
    platform::TAppendFile file_;
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

// The class name of an error as the log writes it: the module's own names for its error
// classes, the demangled type name for any other.
std::string ErrorClassName(const std::exception& error);

// Every catch site in the module calls this first, so each caught error is logged at exception
// level with its class and message before the handler's own line.
void LogCaught(const std::exception& error);

}  // namespace orvo
