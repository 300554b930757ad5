#include "module/LogLine.h"

#include <charconv>
#include <cstring>

#include "platform/DateTime.h"
#include "values/MoneyText.h"

namespace orvo {

std::string_view LogLevelTag(TLogLevel level) {
    switch (level) {
        case TLogLevel::Info:
            return "info";
        case TLogLevel::Exception:
            return "EXC";
        case TLogLevel::OsException:
            return "EXCOS";
    }
    return "?";
}

void AppendEscaped(std::string& out, std::string_view text) {
    constexpr char kHex[] = "0123456789ABCDEF";
    size_t plain = 0;  // start of the run not yet appended
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c != 0x7F) continue;
        out.append(text, plain, i - plain);
        plain = i + 1;
        out += '\\';
        switch (c) {
            case '\r':
                out += 'r';
                break;
            case '\n':
                out += 'n';
                break;
            case '\t':
                out += 't';
                break;
            case '\0':
                out += '0';
                break;
            default:
                out += 'x';
                out += kHex[c >> 4];
                out += kHex[c & 0xF];
        }
    }
    out.append(text, plain);
}

namespace {
constexpr size_t kTagWidth = 6;

void AppendArg(std::string& out, const TLogArg& arg) {
    switch (arg.kind) {
        case TLogArg::Kind::Text:
            AppendEscaped(out, arg.text);
            break;
        case TLogArg::Kind::Integer: {
            char text[24];
            out.append(text, std::to_chars(text, text + sizeof text, arg.number).ptr);
            break;
        }
        case TLogArg::Kind::Money:
            AppendCurrencyDecimal(out, arg.number);
            break;
    }
}

// Writes value as width decimal digits, zero-padded, ending before end.
void PutDigits(char* end, int value, int width) {
    for (int i = 0; i < width; ++i, value /= 10) *--end = char('0' + value % 10);
}

// Puts the time stamp into the kLogTimeStampWidth characters at stamp.
void PutLogTimeStamp(char* stamp, TDateTime value) {
    const TDateParts t = DecodeDateTime(value);
    std::memcpy(stamp, "yyyy-mm-dd hh:mm:ss.zzz", kLogTimeStampWidth);
    PutDigits(stamp + 4, t.Year, 4);
    PutDigits(stamp + 7, t.Month, 2);
    PutDigits(stamp + 10, t.Day, 2);
    PutDigits(stamp + 13, t.Hour, 2);
    PutDigits(stamp + 16, t.Minute, 2);
    PutDigits(stamp + 19, t.Second, 2);
    PutDigits(stamp + 23, t.Millisecond, 3);
}

// What follows the time stamp: a blank, the tag padded to six, the filled pattern and CR LF.
// Inlined into the line's path, which calls it once.
[[gnu::always_inline]] inline void AppendLogLineBody(std::string& out, TLogLevel level, std::string_view pattern, const TLogArg* args, size_t count) {
    const std::string_view tag = LogLevelTag(level);
    out += ' ';
    out += tag;
    out.append(kTagWidth - tag.size(), ' ');
    FillPattern(out, pattern, args, count);
    out += "\r\n";
}
}  // namespace

void FillPattern(std::string& out, std::string_view pattern, const TLogArg* args, size_t count) {
    for (size_t next = 0; next < count; ++next) {
        const size_t placeholder = pattern.find('%');
        if (placeholder == std::string_view::npos) break;
        out.append(pattern.substr(0, placeholder));
        pattern.remove_prefix(placeholder + 1);
        AppendArg(out, args[next]);
    }
    out.append(pattern);
}

void AppendLogTimeStamp(std::string& out, TDateTime value) {
    char stamp[kLogTimeStampWidth];
    PutLogTimeStamp(stamp, value);
    out.append(stamp, kLogTimeStampWidth);
}

void AppendLogLine(std::string& out, TDateTime now, TLogLevel level, std::string_view pattern, const TLogArg* args,
                   size_t count) {
    AppendLogTimeStamp(out, now);
    AppendLogLineBody(out, level, pattern, args, count);
}

std::string UnstampedLogLine(TLogLevel level, std::string_view pattern, const TLogArg* args, size_t count) {
    std::string line;
    line.reserve(kLogTimeStampWidth + 16 + pattern.size() * 2);
    line.append(kLogTimeStampWidth, ' ');
    AppendLogLineBody(line, level, pattern, args, count);
    return line;
}

void TLogStamp::Put(std::string& line, TDateTime now) {
    constexpr size_t kUpToMilliseconds = kLogTimeStampWidth - 3;
    const TDayTime time = SplitDateTime(now);
    const int64_t second = time.Day * 86400 + time.Millisecond / 1000;
    if (second != second_) {
        PutLogTimeStamp(text_, now);
        second_ = second;
    }
    std::memcpy(line.data(), text_, kUpToMilliseconds);
    PutDigits(line.data() + kLogTimeStampWidth, int(time.Millisecond % 1000), 3);
}

}  // namespace orvo
