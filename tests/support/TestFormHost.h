// The host's form host driven by a script: each form shown runs steps against its IFormView
// (type a text, pick a date, click a button, read a control), the way a cashier would, and
// what it did goes to the shared journal beside the form host's own lines.
#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "host/services/HostServices.h"
#include "tests/support/TestSupport.h"

namespace orvo::test {

class TTestFormHost : public host::THostFormHost {
public:
    explicit TTestFormHost(TJournal journal);

    // Script steps, run in order by the next ShowModal until the form has a modal result; the
    // steps left then wait for the next form. An empty script closes the form as its close box does.
    TTestFormHost& Type(std::string control, std::string text);
    TTestFormHost& PickDate(std::string control, TDateTime date);
    TTestFormHost& Click(std::string control);
    // Keeps the control's text in reads.
    TTestFormHost& Read(std::string control);
    // Any look at the open form, e.g. to snapshot its controls.
    TTestFormHost& Inspect(std::function<void(IFormView& form)> look);

    std::vector<std::string> reads;     // texts kept by Read steps
    std::vector<std::string> errors;    // messages given to ReportError
    std::vector<std::string> failures;  // steps the form refused: unknown control, not editable, ...
    int shows = 0;

private:
    using TStep = std::function<void(IFormView& form)>;
    void RunScript(IFormView& form);
    int32_t IndexOf(IFormView& form, const std::string& control);
    TJournal journal_;
    std::deque<TStep> script_;
};

// Every control of an open form, in declaration order.
std::vector<TFormControlInfo> ControlsOf(IFormView& form);

}  // namespace orvo::test
