// One payment or one report with values from the command line.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <ostream>
#include <set>
#include <stdexcept>

#include "host/program/Commands.h"
#include "host/program/MoneyText.h"
#include "platform/DateTime.h"

namespace orvo::host {
namespace {

// "--name value" pairs; false for a malformed list.
bool ReadFlags(const std::vector<std::string>& args, std::map<std::string, std::string>& flags, std::ostream& out) {
    for (size_t i = 0; i < args.size(); i += 2) {
        if (args[i].rfind("--", 0) != 0 || i + 1 >= args.size()) {
            out << "expected --name value pairs, got \"" << args[i] << "\"\n";
            return false;
        }
        flags[args[i].substr(2)] = args[i + 1];
    }
    return true;
}

bool ReadMoneyFlag(const std::map<std::string, std::string>& flags, const std::string& name, Currency& value,
                   std::ostream& out) {
    const auto it = flags.find(name);
    if (it == flags.end()) return false;
    if (ParseMoney(it->second, value)) return true;
    out << "--" << name << " is not an amount: \"" << it->second << "\"\n";
    throw std::invalid_argument(name);
}

bool ReadDate(const std::string& text, TDateTime& date) {
    int y = 0, m = 0, d = 0;
    char tail = 0;
    return std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &y, &m, &d, &tail) == 3 && TryEncodeDate(y, m, d, date);
}

const std::map<std::string, std::string> kRangeButtons = {
    {"today", "btnToday"},          {"this-week", "btnThisWeek"},   {"last-week", "btnLastWeek"},
    {"this-month", "btnThisMonth"}, {"last-month", "btnLastMonth"},
};

}  // namespace

bool ParseMoney(const std::string& text, Currency& value) {
    double number = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%lf%c", &number, &tail) != 1 || !(number > -1e14 && number < 1e14)) return false;
    value = Currency(std::llround(number * kCurrencyScale));
    return true;
}

int RunPay(const THostOptions& options, const std::vector<std::string>& args, std::ostream& out) {
    std::map<std::string, std::string> flags;
    if (!ReadFlags(args, flags, out)) return kExitUsage;
    static const std::set<std::string> kMethods = {"Uber", "Mr D", "ABSA", "Nedbank", "Other CC"};
    const std::string method = flags.count("method") ? flags["method"] : "";
    if (!kMethods.count(method)) {
        out << "unknown method \"" << method << "\": one of Uber, \"Mr D\", ABSA, Nedbank, \"Other CC\"\n";
        return kExitUsage;
    }
    Currency due = 0, tendered = 0, gratuity = 0;
    bool hasTendered = false, hasGratuity = false;
    try {
        if (!ReadMoneyFlag(flags, "due", due, out)) {
            out << "--due is required\n";
            return kExitUsage;
        }
        hasTendered = ReadMoneyFlag(flags, "tendered", tendered, out);
        hasGratuity = ReadMoneyFlag(flags, "gratuity", gratuity, out);
    } catch (const std::invalid_argument&) {
        return kExitUsage;
    }
    TInvoice invoice{flags.count("invoice") ? std::atoi(flags["invoice"].c_str()) : 1, 1, 1, due};
    std::deque<std::string> keypad;
    if (hasTendered) keypad.push_back(MoneyText(tendered));
    if (hasGratuity) keypad.push_back(MoneyText(gratuity));
    auto say = [&out](const std::string& line) { out << line << "\n"; };
    THostSession session(
        options,
        [&](IFormView& form) {
            TypeText(form, "txtReference", flags["reference"]);
            if (hasTendered) ClickButton(form, "btnAmount");
            if (hasGratuity) ClickButton(form, "btnGratuity");
            ClickButton(form, "btnOKNew");
        },
        [&](const std::string&, const std::string&, std::string& entered) {
            if (keypad.empty()) return false;
            entered = keypad.front();
            keypad.pop_front();
            return true;
        },
        say);
    session.Start();
    session.ApplySchemaChanges();
    ComPtr<IPaymentMethod> payment = session.NewPayment(method, due);
    if (!payment->DoPaymentPopup()) {
        out << "the payment was not confirmed; see " << session.ModuleLogFile().string() << "\n";
        return kExitFailed;
    }
    session.SaveInvoice(invoice, *payment);
    out << method << " paid " << MoneyText(payment->GetAmount()) << " with gratuity "
        << MoneyText(payment->GetGratuity()) << " on invoice " << invoice.number << "\n";
    return kExitOk;
}

int RunReportCommand(const THostOptions& options, const std::vector<std::string>& args, std::ostream& out) {
    std::map<std::string, std::string> flags;
    if (!ReadFlags(args, flags, out)) return kExitUsage;
    std::function<void(IFormView&)> work;
    if (flags.count("range")) {
        const auto button = kRangeButtons.find(flags["range"]);
        if (button == kRangeButtons.end()) {
            out << "unknown range \"" << flags["range"] << "\": today, this-week, last-week, this-month, last-month\n";
            return kExitUsage;
        }
        work = [name = button->second](IFormView& form) { ClickButton(form, name); };
    } else {
        TDateTime from = 0, to = 0;
        if (!ReadDate(flags["from"], from) || !ReadDate(flags["to"], to)) {
            out << "give --range NAME, or --from yyyy-mm-dd --to yyyy-mm-dd\n";
            return kExitUsage;
        }
        work = [from, to](IFormView& form) {
            form.SetDate(form.IndexOfControl("dtpFrom"), from);
            form.SetDate(form.IndexOfControl("dtpTo"), to);
            ClickButton(form, "btnCustomRange");
        };
    }
    bool failed = false;
    THostSession session(
        options, [&](IFormView& form) { work(form); },
        [](const std::string&, const std::string&, std::string&) { return false; },
        [&](const std::string& line) {
            out << line << "\n";
            failed = true;
        });
    session.Start();
    session.ApplySchemaChanges();
    session.RaiseMainFormCreate("Orvo.BackOffice.MainForm.Create");
    session.ClickListsEntry("Extra Payments Reports");
    if (failed || session.Viewer().PagesShown() == 0) {
        out << "no report was shown\n";
        return kExitFailed;
    }
    out << "report written to " << options.pageFile.string() << "\n";
    return kExitOk;
}

}  // namespace orvo::host
