// The layout of a log line: "<time stamp> <tag padded to six> <filled pattern>" and CR LF. Free
// functions, shared by the logger, the file sink's own lines and the header.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "interfaces/OrvoTypes.h"

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
// The same line with blanks where the time stamp goes, so that it can be filled in (see TLogStamp)
// at the moment the line is written.
std::string UnstampedLogLine(TLogLevel level, std::string_view pattern, const TLogArg* args, size_t count);

// Puts time stamps into unstamped lines. The lines of one second share all but the milliseconds:
// the rest is decoded once a second. Not for two threads at once.
class TLogStamp {
public:
    void Put(std::string& line, TDateTime now);

private:
    int64_t second_ = INT64_MIN;  // the day and second of text_
    char text_[kLogTimeStampWidth] = {};
};

}  // namespace orvo
