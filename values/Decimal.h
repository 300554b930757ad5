// Exact decimal values and the one rounding rule: the digits of number text as written, or of
// a binary double as it holds them, rounded half away from zero where fewer are shown. Money,
// numbers and the amounts a cashier types are all rounded here.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace orvo {

// A decimal value as text writes it, viewed in place: a sign, the digits before and after the
// decimal separator and a power-of-ten exponent ("-12.5e3": "12", "5", 3).
struct TDecimalText {
    bool negative = false;
    std::string_view integerDigits;
    std::string_view fractionDigits;
    int64_t exponent = 0;

    // The digit at the power of ten power; '0' outside the digits written.
    char DigitAt(int64_t power) const;
    // The power of ten of the first digit that is not 0; nothing for zero.
    std::optional<int64_t> LeadingPower() const;
};

// Number text: optional surrounding spaces, an optional sign, digits with at most one decimal
// separator (at least one digit in all), and an optional exponent, "E" or "e" with an optional
// sign and digits. An exponent beyond a billion counts as a billion.
std::optional<TDecimalText> ScanNumberText(std::string_view text, char decimalSeparator);

// Every significant digit of a finite double, exactly (a double has at most 767).
class TExactDouble {
public:
    explicit TExactDouble(double value);
    TExactDouble(const TExactDouble&) = delete;
    TExactDouble& operator=(const TExactDouble&) = delete;
    const TDecimalText& Text() const { return text_; }

private:
    char buffer_[800];
    TDecimalText text_;  // views into buffer_
};

// A value rounded once, half away from zero, so that no digit lies below the power of ten
// lowestPower: a final 5 or more rounds the magnitude up.
class TRoundedDecimal {
public:
    // The most digits a rounded value keeps, from its first down to lowestPower.
    static constexpr int64_t kMaxDigits = 400;

    TRoundedDecimal(const TDecimalText& exact, int64_t lowestPower);

    // True when the rounded value has more than kMaxDigits digits; it holds nothing then.
    bool TooLong() const { return tooLong_; }
    bool IsZero() const { return count_ == 0; }
    // The sign of the value rounded; a value that rounds to zero has none.
    bool Negative() const { return negative_ && count_ != 0; }
    // The power of ten of the first digit; below lowestPower for zero.
    int64_t LeadingPower() const { return lowestPower_ + int64_t(count_) - 1; }
    int64_t LowestPower() const { return lowestPower_; }
    // The digits kept, from the first down to the one at LowestPower; empty for zero.
    std::string_view Digits() const { return std::string_view(digits_, count_); }
    // The digit at the power of ten power; '0' outside the digits kept.
    char DigitAt(int64_t power) const {
        const int64_t i = LeadingPower() - power;
        return i >= 0 && i < int64_t(count_) ? digits_[i] : '0';
    }

private:
    char digits_[kMaxDigits];  // the first is not 0
    size_t count_ = 0;
    int64_t lowestPower_;
    bool negative_;
    bool tooLong_ = false;
};

}  // namespace orvo
