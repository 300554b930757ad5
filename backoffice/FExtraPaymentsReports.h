// The reports window: six buttons, each a range of days, and two date pickers for a range of
// the user's own. Each press runs the report for its range; the window stays open.
#pragma once
#include "backoffice/ReportRanges.h"
#include "ui/Form.h"

namespace orvo {

class TfrmExtraPaymentsReports : public ui::TForm {
public:
    TfrmExtraPaymentsReports();

    // The pickers start at the first and last day of the current month.
    void FormCreate();
    void btnTodayClick();
    void btnThisWeekClick();
    void btnLastWeekClick();
    void btnThisMonthClick();
    void btnLastMonthClick();
    void btnCustomRangeClick();
    // Queries the days from..to and shows the page in the host's viewer; errors reach the
    // click handler, which the presenter reports while the window stays open.
    void RunForRange(TDateTime from, TDateTime to);

    ui::TControl& Label1;
    ui::TControl& btnToday;
    ui::TControl& btnThisWeek;
    ui::TControl& btnLastWeek;
    ui::TControl& btnCustomRange;
    ui::TControl& btnThisMonth;
    ui::TControl& btnLastMonth;
    ui::TControl& dtpFrom;
    ui::TControl& dtpTo;

private:
    void RunForRule(TDateRange (*rule)(TDateTime now));
};

}  // namespace orvo
