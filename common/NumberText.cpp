#include "common/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "interfaces/OrvoTypes.h"

namespace orvo {
namespace {

constexpr int kFixedDecimals = 18;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A value as decimal digits and the power of ten of the first one: 0.0125 is {"125", -2}.
struct TDecimal {
    std::string digits;
    int exponent = 0;
};

// Every significant digit of a finite, non-zero magnitude. A double has at most 767 of them,
// so asking for 766 after the point makes the expansion exact rather than rounded.
TDecimal ExactDecimal(double magnitude) {
    char buf[800];
    const auto result = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 766);
    const std::string_view text(buf, size_t(result.ptr - buf));  // "d.ddd...e+x"
    const size_t e = text.find('e');
    TDecimal d;
    d.digits.reserve(e);
    d.digits += text[0];
    d.digits.append(text.substr(2, e - 2));
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), d.exponent);
    return d;
}

// Rounds half away from zero so that no digit lies below the power of ten lowestPower. The
// result has no trailing zeros; an empty digit string means zero.
TDecimal RoundAt(const TDecimal& exact, int lowestPower) {
    const int keep = exact.exponent - lowestPower + 1;
    if (keep < 0) return {};
    TDecimal r{exact.digits.substr(0, size_t(keep)), exact.exponent};
    if (size_t(keep) < exact.digits.size() && exact.digits[size_t(keep)] >= '5') {
        // One more unit at lowestPower: trailing nines carry, and all nines (or no digit kept,
        // when lowestPower is one above the first digit) give a one a power higher.
        while (!r.digits.empty() && r.digits.back() == '9') r.digits.pop_back();
        if (r.digits.empty()) {
            r.digits.push_back('1');
            ++r.exponent;
        } else {
            ++r.digits.back();
        }
    }
    while (!r.digits.empty() && r.digits.back() == '0') r.digits.pop_back();
    return r;
}

char DigitAtPower(const TDecimal& d, int power) {
    const int i = d.exponent - power;
    return i >= 0 && size_t(i) < d.digits.size() ? d.digits[size_t(i)] : '0';
}

// Leading spaces skipped by the integer reader.
std::string_view SkipLeadingSpaces(std::string_view text) {
    const size_t start = text.find_first_not_of(' ');
    return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

std::optional<int32_t> ReadHexPattern(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    uint32_t pattern = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), pattern, 16);
    if (result.ec != std::errc() || result.ptr != digits.data() + digits.size()) return std::nullopt;
    return int32_t(pattern);
}

std::optional<int32_t> ReadSignedDecimal(std::string_view text) {
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
    if (text.empty() || !IsDigit(text[0])) return std::nullopt;
    int64_t magnitude = 0;
    for (char c : text) {
        if (!IsDigit(c)) return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > int64_t(INT32_MAX) + 1) return std::nullopt;
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX) return std::nullopt;
    return int32_t(value);
}

bool StartsWithText(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

bool SameAsciiText(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

// Number text rewritten for from_chars, which knows only "." and no "+".
struct TPlainNumber {
    std::string text;
    bool negative = false;
    bool zero = true;          // every digit is 0
    int64_t leadingPower = 0;  // power of ten of the first non-zero digit, exponent included
};

std::optional<TPlainNumber> PlainNumber(std::string_view text, char decimalSeparator) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);

    TPlainNumber plain;
    plain.text.reserve(text.size() + 1);
    size_t i = 0;
    plain.negative = text[i] == '-';
    if (text[i] == '-' || text[i] == '+') ++i;
    if (plain.negative) plain.text += '-';
    plain.text += '0';  // so that ".5" and "5." read as they do here

    int64_t digitCount = 0, integerDigits = 0, firstNonZero = -1;
    bool separatorSeen = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            if (c != '0' && firstNonZero < 0) firstNonZero = digitCount;
            ++digitCount;
            if (!separatorSeen) ++integerDigits;
            plain.text += c;
        } else if (c == decimalSeparator && !separatorSeen) {
            separatorSeen = true;
            plain.text += '.';
        } else {
            break;
        }
    }
    if (digitCount == 0) return std::nullopt;

    int64_t exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        const bool negativeExponent = i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
        const size_t exponentStart = i;
        // Beyond a billion the value is out of range either way.
        for (; i < text.size() && IsDigit(text[i]); ++i)
            exponent = std::min<int64_t>(exponent * 10 + (text[i] - '0'), 1'000'000'000);
        if (i == exponentStart) return std::nullopt;
        if (negativeExponent) exponent = -exponent;
        plain.text += 'e';
        plain.text += std::to_string(exponent);
    }
    if (i != text.size()) return std::nullopt;
    plain.zero = firstNonZero < 0;
    plain.leadingPower = integerDigits - 1 - firstNonZero + exponent;
    return plain;
}

[[noreturn]] void RaiseConvertError(std::string_view text, std::string_view what) {
    throw EConvertError("'" + std::string(text) + "' is not a valid " + std::string(what));
}

}  // namespace

std::string FixedNumberText(double value, int significantDigits, char decimalSeparator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";

    TDecimal rounded;
    if (value != 0) {
        const TDecimal exact = ExactDecimal(std::fabs(value));
        rounded = RoundAt(exact, std::max(exact.exponent - significantDigits + 1, -kFixedDecimals));
    }
    const bool zero = rounded.digits.empty();
    std::string text = !zero && value < 0 ? "-" : "";
    if (!zero && rounded.exponent + 1 > significantDigits) {
        text += rounded.digits[0];
        if (rounded.digits.size() > 1) {
            text += decimalSeparator;
            text.append(rounded.digits, 1);
        }
        return text + "E" + std::to_string(rounded.exponent);
    }
    if (zero || rounded.exponent < 0) {
        text += '0';
    } else {
        for (int power = rounded.exponent; power >= 0; --power) text += DigitAtPower(rounded, power);
    }
    text += decimalSeparator;
    for (int power = -1; power >= -kFixedDecimals; --power) text += DigitAtPower(rounded, power);
    return text;
}

std::string_view BooleanText(bool value) { return value ? "True" : "False"; }

std::optional<int32_t> TryReadInteger(std::string_view text) {
    text = SkipLeadingSpaces(text);
    for (std::string_view prefix : {"0x", "0X", "$", "x", "X"}) {
        if (StartsWithText(text, prefix)) return ReadHexPattern(text.substr(prefix.size()));
    }
    return ReadSignedDecimal(text);
}

std::optional<double> TryReadNumber(std::string_view text, char decimalSeparator) {
    const auto plain = PlainNumber(text, decimalSeparator);
    if (!plain) return std::nullopt;
    const char* end = plain->text.data() + plain->text.size();
    double value = 0;
    const auto result = std::from_chars(plain->text.data(), end, value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large does not read; too small is as near zero as a double gets.
        if (!plain->zero && plain->leadingPower >= 0) return std::nullopt;
        return plain->negative ? -0.0 : 0.0;
    }
    if (result.ec != std::errc() || result.ptr != end) return std::nullopt;
    return value;
}

std::optional<bool> TryReadBoolean(std::string_view text, char decimalSeparator) {
    if (const auto number = TryReadNumber(text, decimalSeparator)) return *number != 0;
    if (SameAsciiText(text, "True")) return true;
    if (SameAsciiText(text, "False")) return false;
    return std::nullopt;
}

int32_t ReadIntegerStrict(std::string_view text) {
    if (const auto value = TryReadInteger(text)) return *value;
    RaiseConvertError(text, "integer value");
}

double ReadNumberStrict(std::string_view text, char decimalSeparator) {
    if (const auto value = TryReadNumber(text, decimalSeparator)) return *value;
    RaiseConvertError(text, "floating point value");
}

bool ReadBooleanStrict(std::string_view text, char decimalSeparator) {
    if (const auto value = TryReadBoolean(text, decimalSeparator)) return *value;
    RaiseConvertError(text, "boolean value");
}

}  // namespace orvo
