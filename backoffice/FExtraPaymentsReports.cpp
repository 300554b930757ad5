#include "backoffice/FExtraPaymentsReports.h"

#include "backoffice/ExtraPaymentsReport.h"
#include "backoffice/ReportRanges.h"
#include "module/Services.h"
#include "platform/DateTime.h"
#include "platform/Platform.h"

namespace orvo {
namespace {

ui::TFormStyle ReportsWindowStyle() {
    ui::TFormStyle style;
    style.Caption = "Extra Payments Report";
    style.ClientWidth = 496;
    style.ClientHeight = 383;
    style.Font = {"MS Sans Serif", 11};
    style.BorderStyle = ui::TBorderStyle::Dialog;
    style.BorderIcons = {.SystemMenu = true, .Minimize = false, .Maximize = false};
    style.Position = ui::TFormPosition::MainFormCenter;
    return style;
}

const ui::TFont kButtonFont{"Tahoma", 21};

}  // namespace

// The layout, one control a line as the layout table reads.
// clang-format off
TfrmExtraPaymentsReports::TfrmExtraPaymentsReports()
    : TForm("TfrmExtraPaymentsReports", ReportsWindowStyle()),
      Label1        (Label("Label1").TopRow(39).CentredText().Caption("Extra Payments Reports").Font({"Tahoma", 32})),
      btnToday      (Button("btnToday")      .At(8,   104, 217, 57).Caption("Todays Transactions").Font(kButtonFont).TabOrder(0).OnClick([this] { btnTodayClick(); })),
      btnThisWeek   (Button("btnThisWeek")   .At(8,   168, 217, 57).Caption("This Week")          .Font(kButtonFont).TabOrder(1).OnClick([this] { btnThisWeekClick(); })),
      btnLastWeek   (Button("btnLastWeek")   .At(8,   232, 217, 57).Caption("Last Week")          .Font(kButtonFont).TabOrder(2).OnClick([this] { btnLastWeekClick(); })),
      btnCustomRange(Button("btnCustomRange").At(8,   304, 217, 57).Caption("Custom Range")       .Font(kButtonFont).TabOrder(3).OnClick([this] { btnCustomRangeClick(); })),
      btnThisMonth  (Button("btnThisMonth")  .At(232, 168, 217, 57).Caption("This Month")         .Font(kButtonFont).TabOrder(4).OnClick([this] { btnThisMonthClick(); })),
      btnLastMonth  (Button("btnLastMonth")  .At(232, 232, 217, 57).Caption("Last Month")         .Font(kButtonFont).TabOrder(5).OnClick([this] { btnLastMonthClick(); })),
      dtpFrom       (DatePicker("dtpFrom")   .At(248, 312, 186, 21).TabOrder(6)),
      dtpTo         (DatePicker("dtpTo")     .At(248, 336, 186, 21).TabOrder(7)) {
    // clang-format on
    FormCreate();
}

void TfrmExtraPaymentsReports::FormCreate() {
    const TDateRange month = ThisMonthRange(platform::Now());
    SetDate(dtpFrom, month.from);
    SetDate(dtpTo, DateOf(month.to));
}

void TfrmExtraPaymentsReports::btnTodayClick() { RunForRule(TodayRange); }

void TfrmExtraPaymentsReports::btnThisWeekClick() { RunForRule(ThisWeekRange); }

void TfrmExtraPaymentsReports::btnLastWeekClick() { RunForRule(LastWeekRange); }

void TfrmExtraPaymentsReports::btnThisMonthClick() { RunForRule(ThisMonthRange); }

void TfrmExtraPaymentsReports::btnLastMonthClick() { RunForRule(LastMonthRange); }

void TfrmExtraPaymentsReports::btnCustomRangeClick() { RunForRange(dtpFrom.Date, dtpTo.Date); }

void TfrmExtraPaymentsReports::RunForRule(TDateRange (*rule)(TDateTime now)) {
    const TDateRange range = rule(platform::Now());  // the clock is read afresh at each press
    RunForRange(range.from, range.to);
}

void TfrmExtraPaymentsReports::RunForRange(TDateTime from, TDateTime to) { RunReport(HostServices(), from, to); }

}  // namespace orvo
