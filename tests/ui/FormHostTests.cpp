// The form layer through the host-driven presenter: what the host reads, what it may change,
// errors of click handlers, modal results, and the view's life after the form has closed.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <fstream>
#include <iterator>

#include "module/Log.h"
#include "tests/ui/UiTestRig.h"

namespace orvo::test {
namespace {

class FormThroughHost : public ::testing::Test {
protected:
    TModuleWithHost module;
    ComPtr<TTestFormHost> formHost = module.AddFormHost();
    TProbeForm form;
};

TEST_F(FormThroughHost, HostReadsCaptionClientSizeAndEveryControlAsDeclared) {
    std::vector<TFormControlInfo> seen;
    formHost->Inspect([&](IFormView& view) {
        EXPECT_EQ(view.GetCaption(), "Probe");
        EXPECT_EQ(view.GetClientWidth(), 300);
        EXPECT_EQ(view.GetClientHeight(), 200);
        seen = ControlsOf(view);
    });
    form.ShowModal(formHost.Get());

    ASSERT_EQ(seen.size(), 7u);
    const TFormControlInfo& label = seen[0];
    EXPECT_EQ(label.Kind, int32_t(TFormControlKind::Label));
    EXPECT_EQ(label.Text, "Probe &heading");
    EXPECT_EQ(label.Accelerator, 'H');
    EXPECT_EQ(label.FontFace, "Tahoma");
    EXPECT_EQ(label.FontHeight, 20);
    EXPECT_EQ(label.Flags, kControlCentredText | kControlAlignedTop);
    // Top rows stack over the form's full width.
    EXPECT_EQ((std::array{label.Left, label.Top, label.Width, label.Height}), (std::array{0, 0, 300, 30}));
    const TFormControlInfo& group = seen[1];
    EXPECT_EQ((std::array{group.Left, group.Top, group.Width, group.Height}), (std::array{0, 30, 300, 50}));
    EXPECT_EQ(group.Parent, "");

    const TFormControlInfo& shown = seen[3];
    EXPECT_EQ(shown.Name, "txtShown");
    EXPECT_EQ(shown.Parent, "grpName");
    EXPECT_EQ(shown.Kind, int32_t(TFormControlKind::Edit));
    EXPECT_EQ((std::array{shown.Left, shown.Top, shown.Width, shown.Height}), (std::array{136, 18, 60, 22}));
    EXPECT_EQ(shown.FontFace, "MS Sans Serif");  // the form's font where the control names none
    EXPECT_EQ(shown.FontHeight, 11);
    EXPECT_EQ(shown.Flags, kControlReadOnly);
    EXPECT_EQ(shown.TabOrder, 1);  // second within its group box

    EXPECT_EQ(seen[4].Name, "btnFail");
    EXPECT_EQ(seen[4].Accelerator, 'X');  // "&&" is a literal ampersand
    EXPECT_EQ(seen[4].ModalResult, mrOk);
    EXPECT_EQ(seen[4].TabOrder, 3);
    EXPECT_EQ(seen[5].Flags, kControlFocused);
    EXPECT_EQ(seen[6].Kind, int32_t(TFormControlKind::DatePicker));
    EXPECT_EQ(seen[6].TabOrder, 2);
}

TEST_F(FormThroughHost, HostTypesOnlyIntoEditableBoxesAndPicksDatesOnlyInPickers) {
    form.SetText(form.txtShown, "42");
    formHost->Type("txtName", "Thandi").Type("txtShown", "99").Type("btnDone", "x").PickDate("dtpFrom", 45000.25);
    formHost->PickDate("txtName", 1).Read("txtShown").Click("btnDone");
    EXPECT_EQ(form.ShowModal(formHost.Get()), mrOk);

    EXPECT_EQ(form.txtName.Text, "Thandi");
    EXPECT_EQ(form.dtpFrom.Date, 45000.25);
    EXPECT_EQ(formHost->reads, std::vector<std::string>{"42"});
    EXPECT_EQ(formHost->failures, (std::vector<std::string>{"Type txtShown", "Type btnDone", "PickDate txtName"}));
}

TEST_F(FormThroughHost, DatesOffTheCalendarAreRefusedByNameAndLeaveThePickerAsItWas) {
    const std::pair<TDateTime, std::string> refused[] = {
        {std::nan(""), "nan"}, {-INFINITY, "-inf"},
        {1e300, "1e+300"},     {-693594, "-693594"},                       // 31 December of year 0
        {2958466, "2958466"},  {2958465.999999995, "2958465.999999995"}};  // 10000-01-01, and a time rounding into it
    formHost->PickDate("dtpFrom", -693593.5);                              // 0001-01-01 12:00
    for (const auto& [date, text] : refused)
        formHost->Inspect([&](IFormView& view) {
            try {
                view.SetDate(view.IndexOfControl("dtpFrom"), date);
                ADD_FAILURE() << text;
            } catch (const EOrvoError& e) {
                EXPECT_EQ(e.what(), text + " is not a date of the years 1 to 9999");
                EXPECT_STREQ(e.ClassName(), "EConvertError");
            }
        });
    form.ShowModal(formHost.Get());
    EXPECT_EQ(form.dtpFrom.Date, -693593.5);
}

TEST_F(FormThroughHost, FailingClickHandlerIsReportedAndTheFormStaysOpen) {
    formHost->Click("btnFail").Inspect([](IFormView& view) { EXPECT_EQ(view.GetModalResult(), mrNone); });
    formHost->Click("btnDone");
    EXPECT_EQ(form.ShowModal(formHost.Get()), mrOk);
    EXPECT_EQ(formHost->errors, std::vector<std::string>{kJammed});
    EXPECT_TRUE(formHost->failures.empty());
    const std::vector<std::string> expected{"Form.Show Probe", "Form.Click btnFail",
                                            "Form.ReportError " + std::string(kJammed), "Form.Click btnDone",
                                            "Form.Closed 1"};
    EXPECT_EQ(*module.host.journal, expected);
}

TEST_F(FormThroughHost, HostClosingWithoutAResultIsCancel) {
    formHost->Type("txtName", "typed");
    EXPECT_EQ(form.ShowModal(formHost.Get()), mrCancel);
    EXPECT_EQ(form.ModalResult(), mrCancel);
}

TEST_F(FormThroughHost, ViewKeptByTheHostAnswersAsClosedAfterwards) {
    ComPtr<IFormView> kept;
    formHost->Inspect([&](IFormView& view) { kept = ComPtr<IFormView>::AddRefOf(&view); }).Click("btnDone");
    form.ShowModal(formHost.Get());
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->GetControlCount(), 0);
    EXPECT_EQ(kept->GetCaption(), "");
    EXPECT_EQ(kept->IndexOfControl("btnDone"), -1);
    EXPECT_FALSE(kept->Click(5));
    EXPECT_FALSE(kept->SetText(2, "late"));
    EXPECT_EQ(kept->GetModalResult(), mrNone);
    TFormControlInfo info;
    EXPECT_FALSE(kept->GetControl(0, info));
}

TEST_F(FormThroughHost, UnknownIndexesAndShowingTwiceAreRefused) {
    formHost->Inspect([&](IFormView& view) {
        TFormControlInfo info;
        EXPECT_FALSE(view.GetControl(-1, info));
        EXPECT_FALSE(view.GetControl(7, info));
        EXPECT_EQ(view.GetText(99), "");
        TDateTime date = 3;
        EXPECT_FALSE(view.GetDate(0, date));
        EXPECT_EQ(date, 3);
        EXPECT_FALSE(view.Click(view.IndexOfControl("txtName")));
        EXPECT_THROW(form.ShowModal(formHost.Get()), EOrvoError);
    });
    EXPECT_EQ(form.ShowModal(formHost.Get()), mrCancel);
}

TEST(FormDeclarations, DuplicateNamesAndControlsInsideNonGroupBoxesAreRejected) {
    struct TBadForm : ui::TForm {
        explicit TBadForm(bool duplicate) : TForm("TBadForm", {}) {
            ui::TControl& button = Button("btnA");
            if (duplicate)
                Button("btnA");
            else
                Edit("txtInside", &button);
        }
    };
    EXPECT_THROW(TBadForm(true), EOrvoError);
    EXPECT_THROW(TBadForm(false), EOrvoError);
}

#if !defined(_WIN32)
TEST(FormWithoutPresenter, ClosesWithCancelAndWritesOneLogLine) {
    TTempFolder folder;
    platform::TProcessIdentity id;
    id.HostProgramPath = "/suite/Invoicing.exe";
    id.ComputerName = "TILL01";
    id.ModulePath = folder / "OrvoExtraPayments.ovm";
    ModuleLog().Configure(id);
    {
        TModuleWithHost module;  // a container, and no form host handed to the form
        TProbeForm form;
        EXPECT_EQ(form.ShowModal(nullptr), mrCancel);
    }
    const std::string path = ModuleLog().FilePath();
    ModuleLog().Configure(platform::TProcessIdentity{});  // no file: later lines of this program go nowhere
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    const std::string line = "[TProbeForm.ShowModal] No form host and no window system: closed with Cancel\r\n";
    const size_t at = text.find(line);
    ASSERT_NE(at, std::string::npos) << text;
    EXPECT_EQ(text.find("ShowModal", at + line.size()), std::string::npos) << text;
}
#endif

}  // namespace
}  // namespace orvo::test
