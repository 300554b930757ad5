#include "tests/support/TestFormHost.h"

namespace orvo::test {

TTestFormHost::TTestFormHost(TJournal journal)
    : THostFormHost([this](IFormView& form) { RunScript(form); },
                    [this](const std::string& message) { errors.push_back(message); }, journal),
      journal_(std::move(journal)) {}

TTestFormHost& TTestFormHost::Type(std::string control, std::string text) {
    script_.push_back([this, control, text](IFormView& form) {
        journal_->push_back("Form.Type " + control + " " + text);
        if (!form.SetText(IndexOf(form, control), AnsiString(text))) failures.push_back("Type " + control);
    });
    return *this;
}

TTestFormHost& TTestFormHost::PickDate(std::string control, TDateTime date) {
    script_.push_back([this, control, date](IFormView& form) {
        journal_->push_back("Form.PickDate " + control);
        if (!form.SetDate(IndexOf(form, control), date)) failures.push_back("PickDate " + control);
    });
    return *this;
}

TTestFormHost& TTestFormHost::Click(std::string control) {
    script_.push_back([this, control](IFormView& form) {
        journal_->push_back("Form.Click " + control);
        const size_t errorsBefore = errors.size();
        if (!form.Click(IndexOf(form, control)) && errors.size() == errorsBefore)
            failures.push_back("Click " + control);
    });
    return *this;
}

TTestFormHost& TTestFormHost::Read(std::string control) {
    script_.push_back([this, control](IFormView& form) {
        const int32_t index = IndexOf(form, control);
        if (index >= 0) reads.push_back(form.GetText(index).str());
    });
    return *this;
}

TTestFormHost& TTestFormHost::Inspect(std::function<void(IFormView& form)> look) {
    script_.push_back(std::move(look));
    return *this;
}

void TTestFormHost::RunScript(IFormView& form) {
    ++shows;
    while (!script_.empty() && form.GetModalResult() == mrNone) {
        TStep step = std::move(script_.front());
        script_.pop_front();
        step(form);
    }
}

int32_t TTestFormHost::IndexOf(IFormView& form, const std::string& control) {
    const int32_t index = form.IndexOfControl(AnsiString(control));
    if (index < 0) failures.push_back("no control " + control);
    return index;
}

std::vector<TFormControlInfo> ControlsOf(IFormView& form) {
    std::vector<TFormControlInfo> controls(size_t(form.GetControlCount()));
    for (size_t i = 0; i < controls.size(); ++i) form.GetControl(int32_t(i), controls[i]);
    return controls;
}

}  // namespace orvo::test
