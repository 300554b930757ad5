// The host-driven presenter: the form lent to the host's IFormHost as an IFormView.
#include "module/Log.h"
#include "ui/Presenters.h"

namespace orvo::ui {
namespace {

class TFormView final : public TInterfacedObject<IFormView> {
public:
    TFormView(TForm& form, IFormHost& host) : form_(&form), host_(ComPtr<IFormHost>::AddRefOf(&host)) {}

    // After this the view answers as a closed form, whoever still holds it.
    void CloseView() {
        form_ = nullptr;
        host_.Reset();
    }

    AnsiString GetCaption() override { return form_ ? AnsiString(form_->Style().Caption) : AnsiString(); }
    int32_t GetClientWidth() override { return form_ ? form_->Style().ClientWidth : 0; }
    int32_t GetClientHeight() override { return form_ ? form_->Style().ClientHeight : 0; }
    int32_t GetControlCount() override { return form_ ? int32_t(form_->Controls().size()) : 0; }

    bool GetControl(int32_t index, TFormControlInfo& info) override {
        const TControl* c = ControlAt(index);
        if (!c) return false;
        info.Name = AnsiString(c->Name);
        info.Parent = c->Parent ? AnsiString(c->Parent->Name) : AnsiString();
        info.Text = AnsiString(c->Text);
        info.FontFace = AnsiString(c->Font.Face);
        info.Kind = int32_t(c->Kind);
        info.Left = c->Bounds.Left;
        info.Top = c->Bounds.Top;
        info.Width = c->Bounds.Width;
        info.Height = c->Bounds.Height;
        info.FontHeight = c->Font.Height;
        info.TabOrder = c->TabOrder;
        info.ModalResult = c->ModalResult;
        info.Accelerator = c->Accelerator();
        info.Flags = (c->ReadOnly ? kControlReadOnly : 0) | (form_->FocusedControl() == c ? kControlFocused : 0) |
                     (c->CentredText ? kControlCentredText : 0) | (c->AlignedTop ? kControlAlignedTop : 0);
        return true;
    }

    int32_t IndexOfControl(const AnsiString& name) override {
        if (!form_) return -1;
        for (int32_t i = 0; const TControl& c : form_->Controls()) {
            if (c.Name == name.view()) return i;
            ++i;
        }
        return -1;
    }

    AnsiString GetText(int32_t index) override {
        const TControl* c = ControlAt(index);
        return c ? AnsiString(c->Text) : AnsiString();
    }

    bool SetText(int32_t index, const AnsiString& text) override {
        TControl* c = ControlAt(index);
        if (!c || c->Kind != TFormControlKind::Edit || c->ReadOnly) return false;
        form_->UserEdited(*c, text.str());
        return true;
    }

    bool GetDate(int32_t index, TDateTime& date) override {
        const TControl* c = ControlAt(index);
        if (!c || c->Kind != TFormControlKind::DatePicker) return false;
        date = c->Date;
        return true;
    }

    bool SetDate(int32_t index, TDateTime date) override {
        TControl* c = ControlAt(index);
        if (!c || c->Kind != TFormControlKind::DatePicker) return false;
        form_->UserPickedDate(*c, date);
        return true;
    }

    bool Click(int32_t index) override {
        TControl* c = ControlAt(index);
        if (!c || c->Kind != TFormControlKind::Button) return false;
        try {
            form_->Press(*c);
            return true;
        } catch (...) {
            host_->ReportError(this, AnsiString(LogCaught()));
            return false;
        }
    }

    int32_t GetModalResult() override { return form_ ? form_->ModalResult() : mrNone; }

private:
    TControl* ControlAt(int32_t index) const { return form_ ? form_->ControlAt(index) : nullptr; }

    TForm* form_;
    ComPtr<IFormHost> host_;
};

}  // namespace

void ShowThroughFormHost(TForm& form, IFormHost& host) {
    const ComPtr<TFormView> view = MakeObject<TFormView>(form, host);
    struct TCloseView {
        TFormView& view;
        ~TCloseView() { view.CloseView(); }
    } closeAfterwards{*view};
    host.ShowModal(view.Get());
}

}  // namespace orvo::ui
