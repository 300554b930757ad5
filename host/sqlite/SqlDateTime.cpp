#include "host/sqlite/SqlDateTime.h"

#include <cstdio>

namespace orvo::host {
namespace {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Reads exactly count digits at text[at] into value and moves at past them.
bool Digits(std::string_view text, size_t& at, size_t count, int& value) {
    if (at + count > text.size()) return false;
    value = 0;
    for (size_t end = at + count; at < end; ++at) {
        if (text[at] < '0' || text[at] > '9') return false;
        value = value * 10 + (text[at] - '0');
    }
    return true;
}

bool Separator(std::string_view text, size_t& at, char separator) {
    if (at >= text.size() || text[at] != separator) return false;
    ++at;
    return true;
}

bool IsValid(const TDbDateTime& t) {
    return t.Year >= 1 && t.Month >= 1 && t.Month <= 12 && t.Day >= 1 && t.Day <= DaysInMonth(t.Year, t.Month) &&
           t.Hour < 24 && t.Minute < 60 && t.Second < 60;
}

}  // namespace

std::string FormatDbDateTime(const TDbDateTime& t) {
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", t.Year, t.Month, t.Day, t.Hour, t.Minute,
                  t.Second, t.Millisecond);
    return text;
}

std::string FormatDbDate(const TDbDateTime& t) {
    char text[24];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", t.Year, t.Month, t.Day);
    return text;
}

std::optional<TDbDateTime> ParseDbDateTime(std::string_view text) {
    TDbDateTime t;
    size_t at = 0;
    if (!Digits(text, at, 4, t.Year) || !Separator(text, at, '-') || !Digits(text, at, 2, t.Month) ||
        !Separator(text, at, '-') || !Digits(text, at, 2, t.Day))
        return std::nullopt;
    if (at < text.size()) {
        if (!Separator(text, at, ' ') && !Separator(text, at, 'T')) return std::nullopt;
        if (!Digits(text, at, 2, t.Hour) || !Separator(text, at, ':') || !Digits(text, at, 2, t.Minute))
            return std::nullopt;
        const bool seconds = Separator(text, at, ':');
        if (seconds && !Digits(text, at, 2, t.Second)) return std::nullopt;
        if (seconds && Separator(text, at, '.')) {
            // ".5" is half a second: the digits are tenths, hundredths and thousandths.
            const size_t first = at;
            int scale = 100, digit = 0;
            while (at < text.size() && at - first < 3 && Digits(text, at, 1, digit)) {
                t.Millisecond += digit * scale;
                scale /= 10;
            }
            if (at == first) return std::nullopt;
        }
        if (at != text.size()) return std::nullopt;
    }
    if (!IsValid(t)) return std::nullopt;
    return t;
}

std::optional<TDbDateTime> ParseDbDate(std::string_view text) {
    if (text.size() != 10) return std::nullopt;
    return ParseDbDateTime(text);
}

}  // namespace orvo::host
