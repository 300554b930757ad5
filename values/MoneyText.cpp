#include "values/MoneyText.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "values/Decimal.h"

namespace orvo {
namespace {

constexpr int kMaxDecimals = 9;  // what the regional settings allow
constexpr int kCurrencyDecimals = 4;

// A value as shown with a number of decimals: its whole digits (at least one) and exactly that
// many decimals, rounded half away from zero.
class TShownDigits {
public:
    TShownDigits(const TDecimalText& exact, int decimals) {
        if (exact.exponent == 0 && exact.fractionDigits.size() <= size_t(decimals))
            ShowAsWritten(exact, decimals);
        else
            ShowRounded(exact, decimals);
    }
    bool Shown() const { return shown_; }  // false when the value has too many digits
    bool Negative() const { return negative_; }
    std::string_view Whole() const { return whole_; }
    std::string_view Fraction() const { return fraction_; }

private:
    // Text with no more decimals than shown needs no rounding (money from the server mostly):
    // its digits are shown as they stand, the decimals filled with zeros.
    void ShowAsWritten(const TDecimalText& exact, int decimals) {
        const size_t first = exact.integerDigits.find_first_not_of('0');
        whole_ = first == std::string_view::npos ? std::string_view("0") : exact.integerDigits.substr(first);
        if (whole_.size() + size_t(decimals) >= size_t(TRoundedDecimal::kMaxDigits)) return;
        fraction_ = exact.fractionDigits;
        if (fraction_.size() < size_t(decimals)) {
            char* const padding = std::copy(fraction_.begin(), fraction_.end(), digits_);
            std::fill(padding, digits_ + decimals, '0');
            fraction_ = std::string_view(digits_, size_t(decimals));
        }
        negative_ = exact.negative && (whole_ != "0" || fraction_.find_first_not_of('0') != std::string_view::npos);
        shown_ = true;
    }

    void ShowRounded(const TDecimalText& exact, int decimals) {
        const TRoundedDecimal rounded(exact, -decimals);
        if (rounded.TooLong()) return;
        // Whole digits down to the power 0 (a single 0 below one), then the decimals.
        const std::string_view kept = rounded.Digits();
        const size_t zeros = size_t(std::max<int64_t>(-1 - rounded.LeadingPower(), 0));
        const size_t wholeCount = rounded.LeadingPower() >= 0 ? size_t(rounded.LeadingPower() + 1) : 1;
        char* out = digits_;
        if (rounded.LeadingPower() < 0) *out++ = '0';
        std::memset(out, '0', zeros);
        std::memcpy(out + zeros, kept.data(), kept.size());
        whole_ = std::string_view(digits_, wholeCount);
        fraction_ = std::string_view(digits_ + wholeCount, size_t(decimals));
        negative_ = rounded.Negative();
        shown_ = true;
    }

    char digits_[TRoundedDecimal::kMaxDigits + 1];
    bool shown_ = false, negative_ = false;
    std::string_view whole_, fraction_;
};

// The digits of a Currency value as decimal text: its magnitude's digits, four of them decimals.
class TCurrencyText {
public:
    explicit TCurrencyText(Currency value) {
        // Unsigned, so the most negative value has a magnitude too.
        const uint64_t magnitude = value < 0 ? uint64_t(0) - uint64_t(value) : uint64_t(value);
        text_.negative = value < 0;
        text_.integerDigits =
            std::string_view(digits_, size_t(std::to_chars(digits_, digits_ + 24, magnitude).ptr - digits_));
        text_.exponent = -kCurrencyDecimals;
    }
    const TDecimalText& Text() const { return text_; }

private:
    char digits_[24];
    TDecimalText text_;
};

int ShownDecimals(const platform::TRegionalSettings& s) { return std::min<int>(s.CurrencyDecimals, kMaxDecimals); }

// Appends the whole digits with the thousands separator between the groups the grouping sizes
// from the right; a size of 0 ends the grouping.
void AppendGrouped(std::string& out, std::string_view digits, const platform::TRegionalSettings& s) {
    if (s.ThousandSeparator == '\0' || s.Grouping.empty() ||
        digits.size() <= static_cast<unsigned char>(s.Grouping[0])) {
        out += digits;
        return;
    }
    // Filled from the right in a buffer: one append instead of one per character.
    char grouped[2 * TRoundedDecimal::kMaxDigits];
    size_t start = sizeof grouped, sizeIndex = 0, inGroup = 0;
    size_t groupSize = static_cast<unsigned char>(s.Grouping[0]);
    for (size_t i = digits.size(); i-- > 0;) {
        if (groupSize != 0 && inGroup == groupSize) {
            grouped[--start] = s.ThousandSeparator;
            inGroup = 0;
            if (sizeIndex + 1 < s.Grouping.size()) groupSize = static_cast<unsigned char>(s.Grouping[++sizeIndex]);
        }
        grouped[--start] = digits[i];
        ++inGroup;
    }
    out.append(grouped + start, sizeof grouped - start);
}

// The number part: grouped whole digits, then the decimal separator and the fraction digits.
void AppendNumber(std::string& out, std::string_view integerDigits, std::string_view fractionDigits,
                  const platform::TRegionalSettings& s) {
    AppendGrouped(out, integerDigits, s);
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

void AppendShown(std::string& out, const TShownDigits& shown, const platform::TRegionalSettings& s) {
    AppendFormatted(out, shown.Negative(), shown.Whole(), shown.Fraction(), s);
}

}  // namespace

void AppendMoney(std::string& out, Currency value, const platform::TRegionalSettings& s) {
    AppendShown(out, TShownDigits(TCurrencyText(value).Text(), ShownDecimals(s)), s);
}

bool AppendMoneyText(std::string& out, std::string_view text, const platform::TRegionalSettings& s) {
    const std::optional<TDecimalText> number = ScanNumberText(text, '.');
    if (!number) return false;
    const TShownDigits shown(*number, ShownDecimals(s));
    if (!shown.Shown()) return false;
    AppendShown(out, shown, s);
    return true;
}

void AppendCurrencyDecimal(std::string& out, Currency value) {
    const bool negative = value < 0;
    const uint64_t magnitude = negative ? uint64_t(0) - uint64_t(value) : uint64_t(value);
    char text[32];
    char* end = text;
    if (negative) *end++ = '-';
    end = std::to_chars(end, text + sizeof text, magnitude / kCurrencyScale).ptr;
    if (unsigned fraction = unsigned(magnitude % kCurrencyScale); fraction != 0) {
        *end++ = '.';
        for (unsigned unit = 1000; fraction != 0; fraction %= unit, unit /= 10) *end++ = char('0' + fraction / unit);
    }
    out.append(text, end);
}

std::string CurrencyDecimalText(Currency value) {
    std::string out;
    AppendCurrencyDecimal(out, value);
    return out;
}

std::string FixedCurrencyText(Currency value, int decimals, char decimalSeparator) {
    const TShownDigits shown(TCurrencyText(value).Text(), std::clamp(decimals, 0, kMaxDecimals));
    std::string text = shown.Negative() ? "-" : "";
    text += shown.Whole();
    if (!shown.Fraction().empty()) {
        text += decimalSeparator;
        text += shown.Fraction();
    }
    return text;
}

std::optional<Currency> ReadCurrency(std::string_view text, char decimalSeparator) {
    const std::optional<TDecimalText> number = ScanNumberText(text, decimalSeparator);
    if (!number) return std::nullopt;
    const TRoundedDecimal counts(*number, -kCurrencyDecimals);
    if (counts.TooLong() || counts.LeadingPower() >= 15) return std::nullopt;  // 10^15 is beyond the range
    if (counts.IsZero()) return 0;
    uint64_t magnitude = 0;
    for (int64_t power = counts.LeadingPower(); power >= -kCurrencyDecimals; --power)
        magnitude = magnitude * 10 + uint64_t(counts.DigitAt(power) - '0');
    if (magnitude > uint64_t(INT64_MAX) + (counts.Negative() ? 1 : 0)) return std::nullopt;
    return counts.Negative() ? Currency(uint64_t(0) - magnitude) : Currency(magnitude);
}

}  // namespace orvo
