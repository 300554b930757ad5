// Strict reading of a date and time typed in the user's regional short date format.
#pragma once
#include <optional>
#include <string_view>

#include "interfaces/OrvoTypes.h"
#include "platform/Platform.h"

namespace orvo {

// Reads, between optional spaces, a date with an optional time after one or more spaces, or a
// time alone. The date is day, month and year in the order of the short date format (its first
// d, m or y letter: d gives day-month-year, m month-day-year, y year-month-day) joined by the
// date separator; a year written with one or two digits falls in the hundred years that start
// fifty years before currentYear. The time is hours and minutes joined by the time separator,
// optional seconds with up to three digits of their fraction after the decimal separator, and
// an optional "AM" or "PM" (hours 1 to 12). Before 1899-12-30 the time counts away from zero,
// as DecodeDateTime reads it.
std::optional<TDateTime> TryReadDateTime(std::string_view text, const platform::TRegionalSettings& regional,
                                         int currentYear);
// As TryReadDateTime; raises EConvertError "'%s' is not a valid date and time" when it does not read.
TDateTime ReadDateTimeStrict(std::string_view text, const platform::TRegionalSettings& regional, int currentYear);

}  // namespace orvo
