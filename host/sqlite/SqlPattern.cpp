#include "host/sqlite/SqlPattern.h"

#include <charconv>
#include <cmath>

#include "host/sqlite/SqlError.h"

namespace orvo::host {
namespace {

constexpr std::string_view KindName(TSQLArgKind kind) {
    switch (kind) {
        case TSQLArgKind::Integer:
            return "an integer";
        case TSQLArgKind::Text:
            return "a text";
        case TSQLArgKind::Float:
            return "a floating-point value";
    }
    return "an unknown kind of value";
}

[[noreturn]] void Refuse(const std::string& what, std::string_view pattern) {
    throw EDatabaseError("Cannot fill the SQL pattern: " + what + " in: " + std::string(pattern));
}

TSQLArgKind PlaceholderKind(char letter, std::string_view pattern) {
    switch (letter) {
        case 'd':
            return TSQLArgKind::Integer;
        case 's':
            return TSQLArgKind::Text;
        case 'f':
            return TSQLArgKind::Float;
    }
    Refuse(std::string("the placeholder %") + letter + " (not %d, %s or %f)", pattern);
}

}  // namespace

std::string FixedDecimal(double value) {
    char buffer[400];  // the largest double has 309 digits before the point
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    std::string text(buffer, end);
    if (text.find('.') == std::string::npos) text += ".0";
    return text;
}

std::string FillSQLPattern(std::string_view pattern, const TSQLArgs& args) {
    if (args.Count < 0 || (args.Count > 0 && !args.Items)) Refuse("an argument list without its items", pattern);
    std::string out;
    out.reserve(pattern.size() + 16);
    int32_t next = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%') {
            out += pattern[i];
            continue;
        }
        if (i + 1 >= pattern.size()) Refuse("a '%' at the end", pattern);
        const char letter = pattern[++i];
        if (letter == '%') {
            out += '%';
            continue;
        }
        const TSQLArgKind wanted = PlaceholderKind(letter, pattern);
        if (next >= args.Count)
            Refuse("more placeholders than the " + std::to_string(args.Count) + " argument(s)", pattern);
        const TSQLArg& arg = args.Items[next++];
        if (arg.Kind != wanted)
            Refuse("argument " + std::to_string(next) + " is " + std::string(KindName(arg.Kind)) + " for %" + letter,
                   pattern);
        switch (arg.Kind) {
            case TSQLArgKind::Integer:
                out += std::to_string(arg.Integer);
                break;
            case TSQLArgKind::Text:
                if (arg.Length < 0 || (arg.Length > 0 && !arg.Text))
                    Refuse("argument " + std::to_string(next) + " is a broken text", pattern);
                out.append(arg.Text, size_t(arg.Length));
                break;
            case TSQLArgKind::Float:
                if (!std::isfinite(arg.Float))
                    Refuse("argument " + std::to_string(next) + " is not a finite number", pattern);
                out += FixedDecimal(arg.Float);
                break;
        }
    }
    if (next != args.Count)
        Refuse(std::to_string(args.Count) + " arguments for " + std::to_string(next) + " placeholder(s)", pattern);
    return out;
}

}  // namespace orvo::host
