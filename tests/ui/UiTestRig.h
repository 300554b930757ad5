// Shared by the form tests: the module running against the test host's services, and a small
// form with one control of each kind and a button whose click handler fails.
#pragma once
#include "entry/ModuleLifecycle.h"
#include "tests/support/TestFormHost.h"
#include "tests/support/TestSupport.h"
#include "ui/Form.h"

namespace orvo::test {

// InitModule with the recording services, journals cleared after it; FinalModule at the end.
struct TModuleWithHost {
    TModuleWithHost() {
        FinalModule();
        InitModule(host.container.Get());
        host.journal->clear();
        host.container->ClearJournal();
    }
    ~TModuleWithHost() { FinalModule(); }
    ComPtr<TTestFormHost> AddFormHost() {
        auto formHost = MakeObject<TTestFormHost>(host.journal);
        host.container->RegisterInstance(IFormHost::IID, formHost->AsIInterface());
        return formHost;
    }
    TTestHost host;
};

inline constexpr char kJammed[] = "The till drawer is jammed";

class TProbeForm : public ui::TForm {
public:
    TProbeForm()
        : TForm("TProbeForm", {.Caption = "Probe",
                               .ClientWidth = 300,
                               .ClientHeight = 200,
                               .Font = {"MS Sans Serif", 11},
                               .BorderStyle = ui::TBorderStyle::Dialog,
                               .BorderIcons = {.SystemMenu = true, .Minimize = false, .Maximize = false},
                               .Position = ui::TFormPosition::MainFormCenter}),
          Label1(Label("Label1").TopRow(30).Caption("Probe &heading").Font({"Tahoma", 20}).CentredText()),
          grpName(GroupBox("grpName").TopRow(50).Caption("Name")),
          txtName(Edit("txtName", &grpName).At(8, 18, 120, 22)),
          txtShown(Edit("txtShown", &grpName).At(136, 18, 60, 22).ReadOnly()),
          btnFail(
              Button("btnFail").At(8, 130, 90, 30).Caption("Save && E&xit").ModalResult(mrOk).TabOrder(3).OnClick([] {
                  throw EOrvoError(kJammed);
              })),
          btnDone(Button("btnDone").At(110, 130, 90, 30).Caption("&Done").ModalResult(mrOk).TabOrder(4).Focused()),
          dtpFrom(DatePicker("dtpFrom").At(8, 90, 120, 21).TabOrder(2)) {}

    ui::TControl& Label1;
    ui::TControl& grpName;
    ui::TControl& txtName;
    ui::TControl& txtShown;
    ui::TControl& btnFail;
    ui::TControl& btnDone;
    ui::TControl& dtpFrom;  // declared last, before the buttons in tab order
};

}  // namespace orvo::test
