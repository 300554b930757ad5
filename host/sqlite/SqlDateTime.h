// Dates and times as the reference host's database holds them: a DATETIME is stored as
// "yyyy-mm-dd hh:nn:ss.zzz" text and a DATE as "yyyy-mm-dd", so that both sort and compare as
// their texts.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace orvo::host {

// A local date and time with milliseconds, as GETDATE() gives it.
struct TDbDateTime {
    int Year = 1900, Month = 1, Day = 1, Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

// "yyyy-mm-dd hh:nn:ss.zzz", the form DATETIME values are stored in.
std::string FormatDbDateTime(const TDbDateTime& time);
// "yyyy-mm-dd", the form DATE values are stored in.
std::string FormatDbDate(const TDbDateTime& time);

// Reads "yyyy-mm-dd", optionally followed by a blank or "T" and "hh:nn", ":ss" and "." with one
// to three digits of the second; nothing when the text is not such a date of the calendar.
std::optional<TDbDateTime> ParseDbDateTime(std::string_view text);
// Reads exactly "yyyy-mm-dd", a date of the calendar.
std::optional<TDbDateTime> ParseDbDate(std::string_view text);

}  // namespace orvo::host
