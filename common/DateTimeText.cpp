#include "common/DateTimeText.h"

#include "platform/DateTime.h"

namespace orvo {
namespace {

// Reads the text from left to right; each Scan consumes only on success.
class TScanner {
public:
    explicit TScanner(std::string_view text) : text_(text) {}

    bool AtEnd() const { return pos_ == text_.size(); }
    size_t Position() const { return pos_; }
    void Rewind(size_t pos) { pos_ = pos; }

    // Skips spaces; true when there was at least one.
    bool SkipSpaces() {
        const size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
        return pos_ > start;
    }
    bool ScanChar(char c) {
        if (pos_ == text_.size() || text_[pos_] != c) return false;
        ++pos_;
        return true;
    }
    // One to maxDigits decimal digits; digitCount tells how many were written.
    bool ScanNumber(size_t maxDigits, int& value, size_t* digitCount = nullptr) {
        size_t end = pos_;
        int v = 0;
        while (end < text_.size() && end - pos_ < maxDigits && text_[end] >= '0' && text_[end] <= '9')
            v = v * 10 + (text_[end++] - '0');
        if (end == pos_ || (end < text_.size() && text_[end] >= '0' && text_[end] <= '9')) return false;
        if (digitCount) *digitCount = end - pos_;
        pos_ = end;
        value = v;
        return true;
    }
    // A word in any letter case ("AM", "pm").
    bool ScanWord(std::string_view word) {
        if (text_.size() - pos_ < word.size()) return false;
        for (size_t i = 0; i < word.size(); ++i) {
            const char c = text_[pos_ + i];
            if ((c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c) != word[i]) return false;
        }
        pos_ += word.size();
        return true;
    }

private:
    std::string_view text_;
    size_t pos_ = 0;
};

enum class TDateOrder { DayMonthYear, MonthDayYear, YearMonthDay };

TDateOrder DateOrderOf(std::string_view shortDateFormat) {
    for (char c : shortDateFormat) {
        if (c == 'd' || c == 'D') return TDateOrder::DayMonthYear;
        if (c == 'm' || c == 'M') return TDateOrder::MonthDayYear;
        if (c == 'y' || c == 'Y') return TDateOrder::YearMonthDay;
    }
    return TDateOrder::MonthDayYear;
}

int FullYear(int year, size_t digitCount, int currentYear) {
    if (digitCount > 2) return year;
    const int windowStart = currentYear - 50;
    year += windowStart / 100 * 100;
    return year < windowStart ? year + 100 : year;
}

bool ScanDate(TScanner& s, const platform::TRegionalSettings& regional, int currentYear, TDateTime& date) {
    const TDateOrder order = DateOrderOf(regional.ShortDateFormat);
    int parts[3] = {};
    const size_t yearIndex = order == TDateOrder::YearMonthDay ? 0 : 2;
    size_t yearDigits = 0;
    for (size_t i = 0; i < 3; ++i) {
        if (i > 0 && !s.ScanChar(regional.DateSeparator)) return false;
        size_t digits = 0;
        if (!s.ScanNumber(i == yearIndex ? 4 : 2, parts[i], &digits)) return false;
        if (i == yearIndex) yearDigits = digits;
    }
    const int year = FullYear(parts[yearIndex], yearDigits, currentYear);
    switch (order) {
        case TDateOrder::DayMonthYear:
            return TryEncodeDate(year, parts[1], parts[0], date);
        case TDateOrder::MonthDayYear:
            return TryEncodeDate(year, parts[0], parts[1], date);
        case TDateOrder::YearMonthDay:
            return TryEncodeDate(year, parts[1], parts[2], date);
    }
    return false;
}

bool ScanTime(TScanner& s, const platform::TRegionalSettings& regional, TDateTime& time) {
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    if (!s.ScanNumber(2, hour) || !s.ScanChar(regional.TimeSeparator) || !s.ScanNumber(2, minute)) return false;
    if (s.ScanChar(regional.TimeSeparator)) {
        if (!s.ScanNumber(2, second)) return false;
        // Digits after the separator are a fraction of the second: ",5" is 500 milliseconds.
        size_t digits = 0;
        if (s.ScanChar(regional.DecimalSeparator)) {
            if (!s.ScanNumber(3, millisecond, &digits)) return false;
            for (; digits < 3; ++digits) millisecond *= 10;
        }
    }
    const size_t beforeSuffix = s.Position();
    s.SkipSpaces();
    const bool am = s.ScanWord("AM");
    const bool pm = !am && s.ScanWord("PM");
    if (am || pm) {
        if (hour < 1 || hour > 12) return false;
        hour = hour % 12 + (pm ? 12 : 0);
    } else {
        s.Rewind(beforeSuffix);
    }
    return TryEncodeTime(hour, minute, second, millisecond, time);
}

}  // namespace

std::optional<TDateTime> TryReadDateTime(std::string_view text, const platform::TRegionalSettings& regional,
                                         int currentYear) {
    TScanner s(text);
    s.SkipSpaces();
    const size_t start = s.Position();
    TDateTime date = 0, time = 0;
    if (ScanDate(s, regional, currentYear, date)) {
        const bool spaced = s.SkipSpaces();
        if (!s.AtEnd() && !(spaced && ScanTime(s, regional, time))) return std::nullopt;
    } else {
        s.Rewind(start);
        if (!ScanTime(s, regional, time)) return std::nullopt;
    }
    s.SkipSpaces();
    if (!s.AtEnd()) return std::nullopt;
    return date < 0 ? date - time : date + time;
}

TDateTime ReadDateTimeStrict(std::string_view text, const platform::TRegionalSettings& regional, int currentYear) {
    if (const auto value = TryReadDateTime(text, regional, currentYear)) return *value;
    throw EConvertError("'" + std::string(text) + "' is not a valid date and time");
}

}  // namespace orvo
