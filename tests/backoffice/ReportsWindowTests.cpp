// The reports window through the form host: layout, the pickers, each button's range, and an
// error that leaves the window open.
#include <gtest/gtest.h>

#include "tests/backoffice/BackOfficeTestRig.h"

#include "backoffice/FExtraPaymentsReports.h"
#include "platform/DateTime.h"

namespace orvo::test {
namespace {

class ReportsWindow : public TBackOfficeTestRig {
protected:
    // The two dates of each query the window sent.
    std::vector<std::string> Ranges() const {
        std::vector<std::string> out;
        for (const auto& line : *host.journal)
            if (line.rfind("Script.QueryJSON  SELECT", 0) == 0) out.push_back(line.substr(line.rfind('|') + 2));
        return out;
    }

    TScopedClock clock{EncodeDate(2026, 12, 13) + EncodeTime(15, 0, 0, 0)};  // a Sunday
};

TEST_F(ReportsWindow, LayoutAsTheWindowIsDeclared) {
    std::vector<TFormControlInfo> controls;
    forms->Inspect([&](IFormView& form) {
        controls = ControlsOf(form);
        EXPECT_EQ(form.GetCaption(), "Extra Payments Report");
        EXPECT_EQ(form.GetClientWidth(), 496);
        EXPECT_EQ(form.GetClientHeight(), 383);
    });
    TfrmExtraPaymentsReports window;
    window.ShowModal(forms.Get());
    ASSERT_EQ(controls.size(), 9u);
    auto row = [](const TFormControlInfo& c) {
        return c.Name.str() + " " + c.Text.str() + " " + std::to_string(c.Left) + "," + std::to_string(c.Top) + "," +
               std::to_string(c.Width) + "," + std::to_string(c.Height) + " " + c.FontFace.str() + " " +
               std::to_string(c.FontHeight) + " tab " + std::to_string(c.TabOrder);
    };
    EXPECT_EQ(row(controls[0]), "Label1 Extra Payments Reports 0,0,496,39 Tahoma 32 tab 0");
    EXPECT_EQ(row(controls[1]), "btnToday Todays Transactions 8,104,217,57 Tahoma 21 tab 0");
    EXPECT_EQ(row(controls[4]), "btnCustomRange Custom Range 8,304,217,57 Tahoma 21 tab 3");
    EXPECT_EQ(row(controls[6]), "btnLastMonth Last Month 232,232,217,57 Tahoma 21 tab 5");
    EXPECT_EQ(row(controls[8]), "dtpTo  248,336,186,21 MS Sans Serif 11 tab 7");
    EXPECT_TRUE(controls[0].Flags & kControlCentredText);
}

TEST_F(ReportsWindow, PickersStartAtTheCurrentMonth) {
    TfrmExtraPaymentsReports window;
    EXPECT_EQ(window.dtpFrom.Date, EncodeDate(2026, 12, 1));
    EXPECT_EQ(window.dtpTo.Date, EncodeDate(2026, 12, 31));
    TScopedClock february(EncodeDate(2024, 2, 10));
    TfrmExtraPaymentsReports leap;
    EXPECT_EQ(leap.dtpTo.Date, EncodeDate(2024, 2, 29));
}

TEST_F(ReportsWindow, EachButtonRunsTheReportForItsRangeAndTheWindowStaysOpen) {
    forms->Click("btnToday")
        .Click("btnThisWeek")
        .Click("btnLastWeek")
        .Click("btnThisMonth")
        .Click("btnLastMonth")
        .PickDate("dtpFrom", EncodeDate(2026, 12, 20))
        .PickDate("dtpTo", EncodeDate(2026, 12, 2))
        .Click("btnCustomRange");
    TfrmExtraPaymentsReports window;
    window.ShowModal(forms.Get());
    EXPECT_EQ(Ranges(), (std::vector<std::string>{"'2026-12-13', '2026-12-13'", "'2026-12-07', '2026-12-13'",
                                                  "'2026-11-30', '2026-12-06'", "'2026-12-01', '2026-12-31'",
                                                  "'2026-11-01', '2026-11-30'", "'2026-12-20', '2026-12-02'"}));
    EXPECT_EQ(host.viewer->pages.size(), 6u);
    EXPECT_NE(host.viewer->pages[0].find("<h2>Extra Payment Report: 2026-12-13 </h2>"), std::string::npos);
}

TEST_F(ReportsWindow, AFailedReportIsReportedAndTheWindowStaysUsable) {
    host.script->failOn = [](const std::string& s) { return s.find("GROUP BY") != std::string::npos; };
    forms->Click("btnThisMonth").Inspect([&](IFormView&) { host.script->failOn = nullptr; }).Click("btnToday");
    TfrmExtraPaymentsReports window;
    window.ShowModal(forms.Get());
    EXPECT_EQ(forms->errors, std::vector<std::string>{"database refused the statement"});
    EXPECT_EQ(host.viewer->pages.size(), 1u);
    EXPECT_NE(host.viewer->pages[0].find("2026-12-13 </h2>"), std::string::npos);
}

}  // namespace
}  // namespace orvo::test
