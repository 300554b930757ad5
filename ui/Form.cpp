#include "ui/Form.h"

#include <cctype>

#include "platform/DateTime.h"
#include "ui/Presenters.h"
#include "values/FloatClass.h"

namespace orvo::ui {
namespace {

// Within 0001-01-01 to 9999-12-31, the time of day not rounding past either end; date is finite.
bool OnCalendar(TDateTime date) {
    static const TDateTime first = EncodeDate(1, 1, 1), last = EncodeDate(9999, 12, 31);
    if (!(date > first - 1 && date < last + 1)) return false;
    const int64_t day = SplitDateTime(date).Day;
    return day >= first && day <= last;
}

}  // namespace

char TControl::Accelerator() const {
    if (Kind == TFormControlKind::Edit || Kind == TFormControlKind::DatePicker) return 0;
    for (size_t i = 0; i + 1 < Text.size(); ++i) {
        if (Text[i] != '&') continue;
        if (Text[i + 1] == '&') {  // "&&" is a literal ampersand
            ++i;
            continue;
        }
        return char(std::toupper(static_cast<unsigned char>(Text[i + 1])));
    }
    return 0;
}

TControlDeclaration& TControlDeclaration::At(int32_t left, int32_t top, int32_t width, int32_t height) {
    control_.Bounds = {left, top, width, height};
    return *this;
}

TControlDeclaration& TControlDeclaration::TopRow(int32_t height) {
    control_.Bounds = {0, form_.NextTopRow(control_), form_.ParentClientWidth(control_), height};
    control_.AlignedTop = true;
    return *this;
}

TControlDeclaration& TControlDeclaration::Caption(std::string text) {
    control_.Text = std::move(text);
    return *this;
}

TControlDeclaration& TControlDeclaration::Font(TFont font) {
    control_.Font = std::move(font);
    return *this;
}

TControlDeclaration& TControlDeclaration::ReadOnly() {
    control_.ReadOnly = true;
    return *this;
}

TControlDeclaration& TControlDeclaration::CentredText() {
    control_.CentredText = true;
    return *this;
}

TControlDeclaration& TControlDeclaration::MaxLength(int32_t characters) {
    control_.MaxLength = characters;
    return *this;
}

TControlDeclaration& TControlDeclaration::TabOrder(int32_t order) {
    control_.TabOrder = order;
    return *this;
}

TControlDeclaration& TControlDeclaration::ModalResult(int32_t result) {
    control_.ModalResult = result;
    return *this;
}

TControlDeclaration& TControlDeclaration::OnClick(std::function<void()> handler) {
    control_.OnClick = std::move(handler);
    return *this;
}

TControlDeclaration& TControlDeclaration::Focused() {
    form_.focused_ = &control_;
    return *this;
}

TForm::TForm(std::string className, TFormStyle style) : className_(std::move(className)), style_(std::move(style)) {}

TControlDeclaration TForm::GroupBox(std::string name, TControl* parent) {
    return Declare(TFormControlKind::GroupBox, std::move(name), parent);
}
TControlDeclaration TForm::Edit(std::string name, TControl* parent) {
    return Declare(TFormControlKind::Edit, std::move(name), parent);
}
TControlDeclaration TForm::Button(std::string name, TControl* parent) {
    return Declare(TFormControlKind::Button, std::move(name), parent);
}
TControlDeclaration TForm::Label(std::string name, TControl* parent) {
    return Declare(TFormControlKind::Label, std::move(name), parent);
}
TControlDeclaration TForm::DatePicker(std::string name, TControl* parent) {
    return Declare(TFormControlKind::DatePicker, std::move(name), parent);
}

TControlDeclaration TForm::Declare(TFormControlKind kind, std::string name, TControl* parent) {
    if (FindControl(name)) throw EOrvoError(className_ + " declares " + name + " twice");
    if (parent && parent->Kind != TFormControlKind::GroupBox)
        throw EOrvoError(className_ + "." + name + ": only a group box holds other controls");
    int32_t siblings = 0;
    for (const TControl& c : controls_) siblings += c.Parent == parent;
    TControl& control = controls_.emplace_back();
    control.Kind = kind;
    control.Name = std::move(name);
    control.Parent = parent;
    control.Font = style_.Font;
    control.TabOrder = siblings;
    return {*this, control};
}

int32_t TForm::ParentClientWidth(const TControl& control) const {
    return control.Parent ? control.Parent->Bounds.Width : style_.ClientWidth;
}

int32_t TForm::NextTopRow(const TControl& control) const {
    int32_t top = 0;
    for (const TControl& c : controls_)
        if (&c != &control && c.Parent == control.Parent && c.AlignedTop) top += c.Bounds.Height;
    return top;
}

TControl* TForm::FindControl(std::string_view name) {
    for (TControl& c : controls_)
        if (c.Name == name) return &c;
    return nullptr;
}

TControl* TForm::ControlAt(int32_t index) {
    return index >= 0 && size_t(index) < controls_.size() ? &controls_[size_t(index)] : nullptr;
}

void TForm::SetCaption(std::string caption) {
    style_.Caption = std::move(caption);
    if (presenter_) presenter_->CaptionChanged();
}

void TForm::SetText(TControl& control, std::string text) {
    control.Text = std::move(text);
    if (presenter_) presenter_->TextChanged(control);
}

void TForm::SetDate(TControl& control, TDateTime date) {
    control.Date = date;
    if (presenter_) presenter_->DateChanged(control);
}

void TForm::UserEdited(TControl& control, std::string text) { control.Text = std::move(text); }

void TForm::UserPickedDate(TControl& control, TDateTime date) {
    if (ClassifyFloat(date) != TFloatClass::Finite || !OnCalendar(date))
        throw EConvertError(FloatText(date) + " is not a date of the years 1 to 9999");
    control.Date = date;
}

void TForm::Press(TControl& button) {
    if (button.OnClick) button.OnClick();
    if (button.ModalResult != mrNone) modalResult_ = button.ModalResult;
}

int32_t TForm::ShowModal(IFormHost* formHost) {
    if (showing_) throw EOrvoError(className_ + " is shown already");
    showing_ = true;
    modalResult_ = mrNone;
    struct TShowingFlag {
        bool& flag;
        ~TShowingFlag() { flag = false; }
    } showing{showing_};

    if (formHost)
        ShowThroughFormHost(*this, *formHost);
    else
        ShowNative(*this);
    if (modalResult_ == mrNone) modalResult_ = mrCancel;  // closed other than by a button
    return modalResult_;
}

}  // namespace orvo::ui
