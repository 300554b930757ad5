// One payment or one report with values from the command line.
#include <cstdio>
#include <deque>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <stdexcept>

#include "host/program/Commands.h"
#include "host/program/MoneyText.h"
#include "platform/DateTime.h"
#include "platform/Platform.h"
#include "values/NumberText.h"

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
    if (const auto money = ReadMoneyText(it->second)) {
        value = *money;
        return true;
    }
    out << "--" << name << " is not an amount: \"" << it->second << "\"\n";
    throw std::invalid_argument(name);
}

// What the payment window makes of the amounts typed: the gratuity comes on top of the amount
// due; without one, an amount tendered above the due makes the excess the gratuity and one
// below it is a part payment. Nothing when that leaves the currency's range.
struct TAskedPayment {
    Currency amount, gratuity;
    bool operator==(const TAskedPayment&) const = default;
};
std::optional<TAskedPayment> AskedPayment(Currency due, const std::optional<Currency>& tendered,
                                          const std::optional<Currency>& gratuity) {
    Currency paid = 0, excess = 0;
    if (gratuity) {
        if (__builtin_add_overflow(due, *gratuity, &paid)) return std::nullopt;
        return TAskedPayment{due, *gratuity};
    }
    if (!tendered) return TAskedPayment{due, 0};
    if (*tendered < due) return TAskedPayment{*tendered, 0};
    if (__builtin_sub_overflow(*tendered, due, &excess)) return std::nullopt;
    return TAskedPayment{due, excess};
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

int RunPay(const THostOptions& options, const std::vector<std::string>& args, std::ostream& out) {
    std::map<std::string, std::string> flags;
    if (!ReadFlags(args, flags, out)) return kExitUsage;
    static const std::set<std::string> kMethods = {"Uber", "Mr D", "ABSA", "Nedbank", "Other CC"};
    const std::string method = flags.count("method") ? flags["method"] : "";
    if (!kMethods.count(method)) {
        out << "unknown method \"" << method << "\": one of Uber, \"Mr D\", ABSA, Nedbank, \"Other CC\"\n";
        return kExitUsage;
    }
    Currency due = 0;
    std::optional<Currency> tendered, gratuity;
    try {
        if (!ReadMoneyFlag(flags, "due", due, out)) {
            out << "--due is required\n";
            return kExitUsage;
        }
        for (auto [name, value] : {std::pair{"tendered", &tendered}, std::pair{"gratuity", &gratuity}}) {
            if (Currency money = 0; ReadMoneyFlag(flags, name, money, out)) *value = money;
        }
    } catch (const std::invalid_argument&) {
        return kExitUsage;
    }
    TInvoice invoice{1, 1, 1, due};
    if (flags.count("invoice")) {
        const auto number = TryReadInteger(flags["invoice"]);
        if (!number) {
            out << "--invoice is not an invoice number: \"" << flags["invoice"] << "\"\n";
            return kExitUsage;
        }
        invoice.number = *number;
    }
    // The cashier types amounts as the workstation writes numbers, in its decimal separator.
    std::deque<std::string> keypad;
    const char separator = platform::Regional().DecimalSeparator;
    if (tendered) keypad.push_back(FixedCurrencyText(*tendered, 2, separator));
    if (gratuity) keypad.push_back(FixedCurrencyText(*gratuity, 2, separator));
    auto say = [&out](const std::string& line) { out << line << "\n"; };
    THostSession session(
        options,
        [&](IFormView& form) {
            TypeText(form, "txtReference", flags["reference"]);
            if (tendered) ClickButton(form, "btnAmount");
            if (gratuity) ClickButton(form, "btnGratuity");
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
    const auto asked = AskedPayment(due, tendered, gratuity);
    if (!asked || *asked != TAskedPayment{payment->GetAmount(), payment->GetGratuity()}) {
        out << "the module recorded other amounts than were asked";
        if (asked) out << ": " << MoneyText(asked->amount) << " with gratuity " << MoneyText(asked->gratuity);
        out << "\n";
        return kExitFailed;
    }
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
