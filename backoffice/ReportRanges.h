// The date ranges behind the reports window's buttons. Weeks run Monday to Sunday; a range
// ends at 23:59:59.999 of its last day.
#pragma once
#include "interfaces/OrvoTypes.h"

namespace orvo {

struct TDateRange {
    TDateTime from;
    TDateTime to;
};

TDateRange TodayRange(TDateTime now);      // today at midnight, both ends
TDateRange ThisWeekRange(TDateTime now);   // the week that contains now
TDateRange LastWeekRange(TDateTime now);   // the week before it
TDateRange ThisMonthRange(TDateTime now);  // the current month
TDateRange LastMonthRange(TDateTime now);  // the month before the current one

}  // namespace orvo
