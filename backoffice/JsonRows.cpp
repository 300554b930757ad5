#include "backoffice/JsonRows.h"

#include <array>
#include <cctype>
#include <cstring>

#include "platform/CodePage.h"
#include "values/NumberText.h"

namespace orvo {
namespace {

constexpr int kMaxDepth = 512;  // nesting beyond this is refused, never recursed into

[[noreturn]] void Fail(std::string_view expected, size_t offset) {
    throw EJsonError("JSON: expected " + std::string(expected) + " at offset " + std::to_string(offset));
}

// The characters that end a string's run of plain characters: the closing quote, the backslash
// of an escape, and the control characters a string may not hold.
constexpr std::array<bool, 256> kEndsPlainRun = [] {
    std::array<bool, 256> ends{};
    for (int c = 0; c < 0x20; ++c) ends[c] = true;
    ends['"'] = ends['\\'] = true;
    return ends;
}();

class TScanner {
public:
    explicit TScanner(std::string_view text) : p_(text.data()), begin_(text.data()), end_(text.data() + text.size()) {}

    size_t Offset() const { return size_t(p_ - begin_); }
    bool AtEnd() const { return p_ == end_; }

    void SkipSpace() {
        while (p_ != end_ && (*p_ == ' ' || *p_ == '\n' || *p_ == '\r' || *p_ == '\t')) ++p_;
    }
    // Consumes c after white space; false (nothing consumed) when the next character differs.
    bool Take(char c) {
        SkipSpace();
        if (p_ != end_ && *p_ == c) {
            ++p_;
            return true;
        }
        return false;
    }
    void Expect(char c, std::string_view what) {
        if (!Take(c)) Fail(what, Offset());
    }

    // A string starting at the opening quote; returns its contents.
    std::string_view String(bool& escaped) {
        const char* start = ++p_;
        escaped = false;
        for (;;) {
            // Plain characters are the common case: skip them in a tight loop, one table look-up each.
            while (p_ != end_ && !kEndsPlainRun[static_cast<unsigned char>(*p_)]) ++p_;
            if (p_ == end_) Fail("'\"' closing the string", Offset());
            if (*p_ == '"') break;
            if (*p_ != '\\') Fail("no control character inside a string", Offset());
            escaped = true;
            if (++p_ == end_) Fail("an escape", Offset());
            switch (*p_) {
                case '"':
                case '\\':
                case '/':
                case 'b':
                case 'f':
                case 'n':
                case 'r':
                case 't':
                    ++p_;
                    break;
                case 'u':
                    for (int i = 1; i <= 4; ++i)
                        if (p_ + i >= end_ || !std::isxdigit(static_cast<unsigned char>(p_[i])))
                            Fail("four hexadecimal digits after \\u", Offset());
                    p_ += 5;
                    break;
                default:
                    Fail("a valid escape after '\\'", Offset());
            }
        }
        std::string_view contents(start, size_t(p_ - start));
        ++p_;
        return contents;
    }

    // A value of any kind; arrays and objects are checked and skipped without recursion.
    TJsonValue Value() {
        SkipSpace();
        TJsonValue v;
        v.offset = uint32_t(Offset());
        if (p_ == end_) Fail("a value", Offset());
        const char* start = p_;
        switch (*p_) {
            case '"':
                v.kind = TJsonValue::Kind::String;
                v.raw = String(v.escaped);
                return v;
            case 't':
                Literal("true"), v.kind = TJsonValue::Kind::True;
                break;
            case 'f':
                Literal("false"), v.kind = TJsonValue::Kind::False;
                break;
            case 'n':
                Literal("null"), v.kind = TJsonValue::Kind::Null;
                break;
            case '[':
            case '{':
                v.kind = *p_ == '[' ? TJsonValue::Kind::Array : TJsonValue::Kind::Object;
                SkipContainer();
                break;
            default:
                Number();
                v.kind = TJsonValue::Kind::Number;
                break;
        }
        v.raw = std::string_view(start, size_t(p_ - start));
        return v;
    }

private:
    void Literal(std::string_view word) {
        if (size_t(end_ - p_) < word.size() || std::memcmp(p_, word.data(), word.size()) != 0)
            Fail("a value", Offset());
        p_ += word.size();
    }

    void Digits() {
        if (p_ == end_ || !std::isdigit(static_cast<unsigned char>(*p_))) Fail("a digit", Offset());
        while (p_ != end_ && std::isdigit(static_cast<unsigned char>(*p_))) ++p_;
    }

    void Number() {
        if (p_ != end_ && *p_ == '-') ++p_;
        if (p_ != end_ && *p_ == '0') {
            ++p_;
        } else {
            if (p_ == end_ || *p_ < '1' || *p_ > '9') Fail("a value", Offset());
            Digits();
        }
        if (p_ != end_ && *p_ == '.') ++p_, Digits();
        if (p_ != end_ && (*p_ == 'e' || *p_ == 'E')) {
            ++p_;
            if (p_ != end_ && (*p_ == '+' || *p_ == '-')) ++p_;
            Digits();
        }
    }

    // Checks a nested array or object with an explicit stack of what closes each level.
    void SkipContainer() {
        char closers[kMaxDepth];
        int depth = 0;
        for (;;) {
            const char open = *p_++;
            if (depth == kMaxDepth) Fail("less deeply nested values", Offset());
            closers[depth++] = open == '[' ? ']' : '}';
            bool first = true;
            for (;;) {
                if (Take(closers[depth - 1])) {
                    if (--depth == 0) return;
                    first = false;
                    continue;
                }
                if (!first && !Take(',')) Fail(closers[depth - 1] == ']' ? "',' or ']'" : "',' or '}'", Offset());
                first = false;
                if (closers[depth - 1] == '}') {
                    SkipSpace();
                    if (p_ == end_ || *p_ != '"') Fail("a member name", Offset());
                    bool escaped;
                    String(escaped);
                    Expect(':', "':'");
                }
                SkipSpace();
                if (p_ != end_ && (*p_ == '[' || *p_ == '{')) break;  // one level deeper
                Value();
            }
        }
    }

    const char* p_;
    const char* begin_;
    const char* end_;
};

int HexValue(char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; }

uint32_t ReadHex4(const char* p) {
    return uint32_t(HexValue(p[0]) << 12 | HexValue(p[1]) << 8 | HexValue(p[2]) << 4 | HexValue(p[3]));
}

}  // namespace

TJsonRows TJsonRows::Parse(std::string_view text) {
    if (text.size() > UINT32_MAX) throw EJsonError("JSON: text too long");
    TJsonRows rows;
    rows.members_.reserve(text.size() / 24);
    TScanner s(text);
    s.Expect('[', "'[' starting an array of rows");
    if (!s.Take(']')) {
        do {
            s.Expect('{', "'{' starting a row object");
            if (!s.Take('}')) {
                do {
                    s.SkipSpace();
                    if (s.AtEnd() || text[s.Offset()] != '"') Fail("a member name", s.Offset());
                    bool escaped;
                    TJsonMember m;
                    m.name = s.String(escaped);
                    s.Expect(':', "':'");
                    m.value = s.Value();
                    rows.members_.push_back(m);
                } while (s.Take(','));
                s.Expect('}', "',' or '}'");
            }
            rows.rowStarts_.push_back(uint32_t(rows.members_.size()));
        } while (s.Take(','));
        s.Expect(']', "',' or ']'");
    }
    s.SkipSpace();
    if (!s.AtEnd()) Fail("the end of the text", s.Offset());
    return rows;
}

const TJsonValue* TJsonRows::Find(size_t row, std::string_view name) const {
    uint32_t column = 0;
    return Find(row, name, column);
}

const TJsonValue* TJsonRows::Find(size_t row, std::string_view name, uint32_t& column) const {
    const uint32_t first = rowStarts_[row], end = rowStarts_[row + 1];
    if (first + column < end && members_[first + column].name == name) return &members_[first + column].value;
    for (uint32_t i = first; i < end; ++i)
        if (members_[i].name == name) {
            column = i - first;
            return &members_[i].value;
        }
    return nullptr;
}

void AppendJsonText(std::string& out, const TJsonValue& v) {
    switch (v.kind) {
        case TJsonValue::Kind::Null:
            return;
        case TJsonValue::Kind::Array:
        case TJsonValue::Kind::Object:
            throw EJsonError("JSON: expected a text or number value at offset " + std::to_string(v.offset));
        case TJsonValue::Kind::String:
            break;
        default:
            out += v.raw;
            return;
    }
    if (!v.escaped) {
        out += v.raw;
        return;
    }
    const std::string_view s = v.raw;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\') {
            out += s[i];
            continue;
        }
        const char e = s[++i];
        switch (e) {
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                uint32_t cp = ReadHex4(&s[i + 1]);
                i += 4;
                // A surrogate pair names one character beyond the basic plane.
                if (cp >= 0xD800 && cp <= 0xDBFF && i + 2 < s.size() && s[i + 1] == '\\' && s[i + 2] == 'u') {
                    const uint32_t low = ReadHex4(&s[i + 3]);
                    if (low >= 0xDC00 && low <= 0xDFFF) {
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                        i += 6;
                    }
                }
                out += AnsiFromCodePoint(cp);
                break;
            }
            default:
                out += e;
                break;  // '"', '\\' and '/'
        }
    }
}

std::string JsonText(const TJsonValue& value) {
    std::string out;
    AppendJsonText(out, value);
    return out;
}

void RaiseNotANumber(const TJsonValue& v, std::string_view memberName) {
    throw EJsonError("JSON: member \"" + std::string(memberName) + "\" at offset " + std::to_string(v.offset) +
                     " is not a number");
}

double JsonNumber(const TJsonValue& v, std::string_view memberName) {
    if (const auto number = v.HoldsPlainText() ? TryReadNumber(v.raw, '.') : std::nullopt) return *number;
    RaiseNotANumber(v, memberName);
}

}  // namespace orvo
