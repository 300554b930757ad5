// Any pattern with any arguments through the log's filler: each "%" takes the next argument in
// order, spare "%" stay, spare arguments are dropped, a text's control characters are escaped,
// and a whole line ends in CR LF, the only CR and LF it holds when the pattern has none.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "module/Log.h"
#include "values/MoneyText.h"

namespace orvo::fuzz {
namespace {

// A text as the log writes it: bytes below 0x20 and 0x7F as "\r", "\n", "\t", "\0" or "\xNN".
std::string Escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\r') {
            out += "\\r";
        } else if (byte == '\n') {
            out += "\\n";
        } else if (byte == '\t') {
            out += "\\t";
        } else if (byte == 0) {
            out += "\\0";
        } else if (byte < 0x20 || byte == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

std::string ArgText(const TLogArg& arg) {
    switch (arg.kind) {
        case TLogArg::Kind::Text:
            return Escaped(arg.text);
        case TLogArg::Kind::Integer:
            return std::to_string(arg.number);
        case TLogArg::Kind::Money:
            return CurrencyDecimalText(arg.number);
    }
    return {};
}

// A money value's decimal text read back as ten-thousandths.
bool MoneyReadsBack(const std::string& text, int64_t value) {
    std::string_view rest = text;
    const bool negative = !rest.empty() && rest[0] == '-';
    if (negative) rest.remove_prefix(1);
    const size_t point = rest.find('.');
    std::string digits(rest.substr(0, point));
    std::string decimals = point == std::string_view::npos ? "" : std::string(rest.substr(point + 1));
    if (digits.empty() || decimals.size() > 4 || (!decimals.empty() && decimals.back() == '0')) return false;
    decimals.resize(4, '0');
    unsigned __int128 magnitude = 0;
    for (char c : digits + decimals) {
        if (c < '0' || c > '9') return false;
        magnitude = magnitude * 10 + unsigned(c - '0');
    }
    const unsigned __int128 expected = value < 0 ? -static_cast<unsigned __int128>(value) : value;
    return magnitude == expected && (negative == (value < 0));
}

}  // namespace
}  // namespace orvo::fuzz

// Input: one byte of argument count, then per argument a kind byte and eight bytes (a number,
// or the length of a text taken from the end), then the pattern.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvo;
    using namespace orvo::fuzz;
    if (size < 1) return 0;
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t count = uint8_t(input[0]) % 8;
    input.remove_prefix(1);
    std::vector<TLogArg> args;
    for (size_t i = 0; i < count && input.size() >= 9; ++i) {
        const uint8_t kind = uint8_t(input[0]) % 3;
        int64_t number;
        std::memcpy(&number, input.data() + 1, sizeof number);
        input.remove_prefix(9);
        if (kind == 0) {
            const size_t length = static_cast<uint64_t>(number) % (input.size() + 1);
            args.emplace_back(input.substr(input.size() - length));
            input.remove_suffix(length);
        } else if (kind == 1) {
            args.emplace_back(number);
        } else {
            args.emplace_back(Money{number});
            const std::string text = CurrencyDecimalText(number);
            Require(MoneyReadsBack(text, number), "money text reads back", text);
        }
    }
    const std::string_view pattern = input;

    std::string expected;
    size_t next = 0;
    for (char c : pattern) {
        if (c == '%' && next < args.size())
            expected += ArgText(args[next++]);
        else
            expected += c;
    }
    std::string out = "kept";
    FillPattern(out, pattern, args.data(), args.size());
    Require(out == "kept" + expected, "each % takes the next argument", out);

    std::string line;
    AppendLogLine(line, 46000.5, TLogLevel::Info, pattern, args.data(), args.size());
    Require(line.size() >= 2 && line.ends_with("\r\n"), "a line ends in CR LF", line);
    Require(line.find(expected) != std::string::npos, "the line holds the filled pattern", line);
    if (pattern.find_first_of("\r\n") == std::string_view::npos)
        Require(line.find_first_of("\r\n") == line.size() - 2, "a value makes no line of its own", line);
    return 0;
}
