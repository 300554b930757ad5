#include "values/NumberText.h"

#include <algorithm>
#include <charconv>

#include "interfaces/OrvoTypes.h"
#include "values/Decimal.h"
#include "values/FloatClass.h"

namespace orvo {
namespace {

constexpr int kFixedDecimals = 18;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

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

[[noreturn]] void RaiseConvertError(std::string_view text, std::string_view what) {
    throw EConvertError("'" + std::string(text) + "' is not a valid " + std::string(what));
}

}  // namespace

std::string FixedNumberText(double value, int significantDigits, char decimalSeparator) {
    switch (ClassifyFloat(value)) {
        case TFloatClass::NaN:
            return "NAN";
        case TFloatClass::PlusInfinity:
            return "INF";
        case TFloatClass::MinusInfinity:
            return "-INF";
        case TFloatClass::Finite:
            break;
    }

    const TExactDouble exact(value);
    const int64_t leading = exact.Text().LeadingPower().value_or(0);
    const TRoundedDecimal rounded(exact.Text(), std::max<int64_t>(leading - significantDigits + 1, -kFixedDecimals));
    std::string text = rounded.Negative() ? "-" : "";
    if (!rounded.IsZero() && rounded.LeadingPower() + 1 > significantDigits) {
        int64_t last = rounded.LowestPower();
        while (rounded.DigitAt(last) == '0') ++last;
        text += rounded.DigitAt(rounded.LeadingPower());
        if (last < rounded.LeadingPower()) text += decimalSeparator;
        for (int64_t power = rounded.LeadingPower() - 1; power >= last; --power) text += rounded.DigitAt(power);
        return text + "E" + std::to_string(rounded.LeadingPower());
    }
    for (int64_t power = std::max<int64_t>(rounded.LeadingPower(), 0); power >= 0; --power)
        text += rounded.DigitAt(power);
    text += decimalSeparator;
    for (int power = -1; power >= -kFixedDecimals; --power) text += rounded.DigitAt(power);
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
    const std::optional<TDecimalText> number = ScanNumberText(text, decimalSeparator);
    if (!number) return std::nullopt;
    // Rewritten for from_chars, which knows only "." and no "+"; the leading 0 lets ".5" and
    // "5." read as they do here.
    std::string plain = number->negative ? "-0" : "0";
    plain += number->integerDigits;
    plain += '.';
    plain += number->fractionDigits;
    plain += 'e';
    plain += std::to_string(number->exponent);
    double value = 0;
    const char* end = plain.data() + plain.size();
    const auto result = std::from_chars(plain.data(), end, value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large does not read; too small is as near zero as a double gets.
        if (number->LeadingPower().value_or(-1) >= 0) return std::nullopt;
        return number->negative ? -0.0 : 0.0;
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
