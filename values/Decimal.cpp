#include "values/Decimal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace orvo {
namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr int64_t kExponentLimit = 1'000'000'000;  // beyond it every value is out of range anyway

// Copies count digits of the integer digits followed by the fraction digits, from the one at
// index from on, and zeros where they run out.
void CopyDigits(const TDecimalText& d, int64_t from, int64_t count, char* out) {
    const auto integerCount = int64_t(d.integerDigits.size());
    int64_t copied = 0;
    if (from < integerCount) {
        copied = std::min(count, integerCount - from);
        std::memcpy(out, d.integerDigits.data() + from, size_t(copied));
    }
    const int64_t inFraction = from + copied - integerCount;
    if (copied < count && inFraction < int64_t(d.fractionDigits.size())) {
        const int64_t more = std::min(count - copied, int64_t(d.fractionDigits.size()) - inFraction);
        std::memcpy(out + copied, d.fractionDigits.data() + inFraction, size_t(more));
        copied += more;
    }
    std::memset(out + copied, '0', size_t(count - copied));
}
}  // namespace

char TDecimalText::DigitAt(int64_t power) const {
    const auto integerCount = int64_t(integerDigits.size());
    const int64_t index = integerCount - 1 + exponent - power;
    if (index < 0) return '0';
    if (index < integerCount) return integerDigits[size_t(index)];
    const int64_t inFraction = index - integerCount;
    return inFraction < int64_t(fractionDigits.size()) ? fractionDigits[size_t(inFraction)] : '0';
}

std::optional<int64_t> TDecimalText::LeadingPower() const {
    const size_t inInteger = integerDigits.find_first_not_of('0');
    if (inInteger != std::string_view::npos) return int64_t(integerDigits.size() - inInteger) - 1 + exponent;
    const size_t inFraction = fractionDigits.find_first_not_of('0');
    if (inFraction != std::string_view::npos) return -1 - int64_t(inFraction) + exponent;
    return std::nullopt;
}

std::optional<TDecimalText> ScanNumberText(std::string_view text, char decimalSeparator) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);

    TDecimalText d;
    size_t i = 0;
    d.negative = text[0] == '-';
    if (text[0] == '-' || text[0] == '+') ++i;
    const size_t integerStart = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    d.integerDigits = text.substr(integerStart, i - integerStart);
    if (i < text.size() && text[i] == decimalSeparator) {
        const size_t fractionStart = ++i;
        while (i < text.size() && IsDigit(text[i])) ++i;
        d.fractionDigits = text.substr(fractionStart, i - fractionStart);
    }
    if (d.integerDigits.empty() && d.fractionDigits.empty()) return std::nullopt;

    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        const bool negativeExponent = i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
        const size_t exponentStart = i;
        for (; i < text.size() && IsDigit(text[i]); ++i)
            d.exponent = std::min(d.exponent * 10 + (text[i] - '0'), kExponentLimit);
        if (i == exponentStart) return std::nullopt;
        if (negativeExponent) d.exponent = -d.exponent;
    }
    if (i != text.size()) return std::nullopt;
    return d;
}

TExactDouble::TExactDouble(double value) {
    // 766 digits after the first make the expansion exact rather than rounded.
    const auto result =
        std::to_chars(buffer_, buffer_ + sizeof buffer_, std::fabs(value), std::chars_format::scientific, 766);
    const std::string_view text(buffer_, size_t(result.ptr - buffer_));  // "d.ddd...e+x"
    const size_t e = text.find('e');
    text_.negative = std::signbit(value);
    text_.integerDigits = text.substr(0, 1);
    text_.fractionDigits = text.substr(2, e - 2);
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), text_.exponent);
}

TRoundedDecimal::TRoundedDecimal(const TDecimalText& exact, int64_t lowestPower)
    : lowestPower_(lowestPower), negative_(exact.negative) {
    const std::optional<int64_t> leading = exact.LeadingPower();
    if (!leading || *leading < lowestPower - 1) return;  // zero, or less than half a unit
    int64_t count = *leading - lowestPower + 1;          // 0 when only the digit below is there
    if (count >= kMaxDigits) {                           // one place is kept for a carry
        tooLong_ = true;
        return;
    }
    CopyDigits(exact, int64_t(exact.integerDigits.size()) - 1 + exact.exponent - *leading, count, digits_);
    if (exact.DigitAt(lowestPower - 1) >= '5') {
        int64_t i = count - 1;
        for (; i >= 0 && digits_[i] == '9'; --i) digits_[i] = '0';
        if (i >= 0) {
            ++digits_[i];
        } else {  // all nines, or no digit kept: a one a power higher
            std::memmove(digits_ + 1, digits_, size_t(count));
            digits_[0] = '1';
            ++count;
        }
    }
    count_ = size_t(count);
}

}  // namespace orvo
