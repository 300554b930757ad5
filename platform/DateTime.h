// Calendar arithmetic on TDateTime (days since 1899-12-30, the fraction being the time of day).
#pragma once
#include <cstdint>
#include <string>

#include "interfaces/OrvoTypes.h"

namespace orvo {

struct TDateParts {
    int Year = 1899, Month = 12, Day = 30;
    int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// Raises EConvertError for a date outside 1..9999 or a day not in the month.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& result);
// The parts of a value, the time rounded to the nearest millisecond.
TDateParts DecodeDateTime(TDateTime value);
// The whole days of a value and its time of day in milliseconds, rounded as DecodeDateTime
// rounds them: values with the same day and second decode to the same parts up to the millisecond.
struct TDayTime {
    int64_t Day = 0;
    int64_t Millisecond = 0;  // 0 to 86,399,999
};
TDayTime SplitDateTime(TDateTime value);
// Midnight of the value's day.
TDateTime DateOf(TDateTime value);
// ISO 8601 day of the week: Monday 1 to Sunday 7.
int DayOfTheWeek(TDateTime value);
// "yyyy-mm-dd" of the value's day.
std::string FormatIsoDate(TDateTime value);

}  // namespace orvo
