#include "platform/MoneyFormat.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace orvo {
namespace {

constexpr int kMaxDecimals = 4;  // what a currency value carries

// The number part: digits grouped by three with the thousands separator, then the decimal
// separator and the fraction digits.
void AppendNumber(std::string& out, std::string_view integerDigits, std::string_view fractionDigits,
                  const platform::TRegionalSettings& s) {
    const size_t n = integerDigits.size();
    if (s.ThousandSeparator == '\0' || n <= 3) {
        out += integerDigits;
    } else {
        // Grouped in a buffer first: one append instead of one per character.
        char grouped[512];
        size_t length = 0;
        for (size_t i = 0; i < n; ++i) {
            if (i > 0 && (n - i) % 3 == 0) grouped[length++] = s.ThousandSeparator;
            grouped[length++] = integerDigits[i];
        }
        out.append(grouped, length);
    }
    if (!fractionDigits.empty()) {
        out += s.DecimalSeparator;
        out += fractionDigits;
    }
}

// Places the symbol and the sign as the regional codes say. Codes outside the tables fall
// back to the first form of each.
void AppendFormatted(std::string& out, bool negative, std::string_view integerDigits, std::string_view fractionDigits,
                     const platform::TRegionalSettings& s) {
    const std::string_view sym = s.CurrencyString;
    auto number = [&] { AppendNumber(out, integerDigits, fractionDigits, s); };
    if (!negative) {
        switch (s.CurrencyFormat) {
            case 1:
                number(), out += sym;
                break;
            case 2:
                out += sym, out += ' ', number();
                break;
            case 3:
                number(), out += ' ', out += sym;
                break;
            default:
                out += sym, number();
                break;
        }
        return;
    }
    switch (s.NegCurrFormat) {
        case 1:
            out += '-', out += sym, number();
            break;
        case 2:
            out += sym, out += '-', number();
            break;
        case 3:
            out += sym, number(), out += '-';
            break;
        case 4:
            out += '(', number(), out += sym, out += ')';
            break;
        case 5:
            out += '-', number(), out += sym;
            break;
        case 6:
            number(), out += '-', out += sym;
            break;
        case 7:
            number(), out += sym, out += '-';
            break;
        case 8:
            out += '-', number(), out += ' ', out += sym;
            break;
        case 9:
            out += '-', out += sym, out += ' ', number();
            break;
        case 10:
            number(), out += ' ', out += sym, out += '-';
            break;
        case 11:
            out += sym, out += ' ', number(), out += '-';
            break;
        case 12:
            out += sym, out += ' ', out += '-', number();
            break;
        case 13:
            number(), out += '-', out += ' ', out += sym;
            break;
        case 14:
            out += '(', out += sym, out += ' ', number(), out += ')';
            break;
        case 15:
            out += '(', number(), out += ' ', out += sym, out += ')';
            break;
        default:
            out += '(', out += sym, number(), out += ')';
            break;
    }
}

}  // namespace

void AppendMoney(std::string& out, Currency value, const platform::TRegionalSettings& s) {
    const int decimals = s.CurrencyDecimals > kMaxDecimals ? kMaxDecimals : s.CurrencyDecimals;
    uint64_t magnitude = value < 0 ? uint64_t(0) - uint64_t(value) : uint64_t(value);
    uint64_t unit = 1;
    for (int i = decimals; i < kMaxDecimals; ++i) unit *= 10;
    magnitude = magnitude / unit + (magnitude % unit * 2 >= unit ? 1 : 0);  // half away from zero

    char digits[24];
    auto end = std::to_chars(digits, digits + sizeof digits, magnitude).ptr;
    std::string_view all(digits, size_t(end - digits));
    std::string padded;
    if (all.size() <= size_t(decimals)) {  // leading zeros so there is at least one integer digit
        padded.assign(size_t(decimals) + 1 - all.size(), '0');
        padded += all;
        all = padded;
    }
    const std::string_view integerDigits = all.substr(0, all.size() - size_t(decimals));
    AppendFormatted(out, value < 0 && magnitude != 0, integerDigits, all.substr(integerDigits.size()), s);
}

void AppendMoney(std::string& out, double value, const platform::TRegionalSettings& s) {
    const int decimals = s.CurrencyDecimals > kMaxDecimals ? kMaxDecimals : s.CurrencyDecimals;
    if (!std::isfinite(value)) {
        out += std::isnan(value) ? "NAN" : (value < 0 ? "-INF" : "INF");
        return;
    }
    char digits[400];
    const auto r = std::to_chars(digits, digits + sizeof digits, std::fabs(value), std::chars_format::fixed, decimals);
    std::string_view text(digits, size_t(r.ptr - digits));
    const size_t point = text.find('.');
    const std::string_view integerDigits = text.substr(0, point);
    const std::string_view fractionDigits =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    const bool isZero = text.find_first_not_of("0.") == std::string_view::npos;
    AppendFormatted(out, std::signbit(value) && !isZero, integerDigits, fractionDigits, s);
}

}  // namespace orvo
