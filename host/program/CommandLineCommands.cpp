// One payment or one report with values from the command line.
#include <climits>
#include <deque>
#include <map>
#include <optional>
#include <ostream>
#include <set>

#include "host/program/Commands.h"
#include "host/program/MoneyText.h"
#include "host/program/PaymentMethods.h"
#include "host/program/TextTable.h"
#include "platform/DateTime.h"
#include "platform/Platform.h"

namespace orvo::host {
namespace {

// "--name value" pairs among the names the command takes; false, having said what is wrong,
// for anything else.
bool ReadFlags(const std::vector<std::string>& args, const std::set<std::string>& names,
               std::map<std::string, std::string>& flags, std::ostream& err) {
    for (size_t i = 0; i < args.size(); i += 2) {
        if (args[i].rfind("--", 0) != 0 || !names.count(args[i].substr(2))) {
            err << (args[i].rfind("--", 0) == 0 ? "unknown option " : "unexpected argument ") << args[i] << "\n";
            return false;
        }
        if (i + 1 >= args.size()) {
            err << args[i] << " needs a value\n";
            return false;
        }
        if (!flags.emplace(args[i].substr(2), args[i + 1]).second) {
            err << args[i] << " is given twice\n";
            return false;
        }
    }
    return true;
}

// An amount the keypad can type, above minimum, in the form the help gives. Text that reads
// as a number otherwise is read as one only to say what is wrong with it.
std::optional<Currency> ReadAmountFlag(const std::map<std::string, std::string>& flags, const std::string& name,
                                       Currency minimum, std::ostream& err) {
    const std::string& text = flags.at(name);
    if (const auto money = ReadMoneyText(text); money && *money >= minimum) return money;
    const auto number = text.find(' ') == std::string::npos ? ReadCurrency(text, '.') : std::nullopt;
    if (number && *number < minimum)
        err << "--" << name << " must be " << (minimum > 0 ? "above 0" : "0 or more") << ": \"" << text << "\"\n";
    else if (number && *number % 100 != 0)
        err << "--" << name << " has parts of a cent, which the keypad cannot type: \"" << text << "\"\n";
    else
        err << "--" << name << " is not an amount: \"" << text << "\" (" << kMoneyTextForm << ")\n";
    return std::nullopt;
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

// An invoice number as the suite numbers them: plain decimal digits, 1 to 2147483647.
std::optional<int32_t> ReadInvoiceNumber(const std::string& text) {
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const long long number = std::stoll(text);
    if (number < 1 || number > INT32_MAX) return std::nullopt;
    return int32_t(number);
}

// A date written yyyy-mm-dd, on the calendar.
std::optional<TDateTime> ReadDate(const std::string& text) {
    TDateTime date = 0;
    bool digits = text.size() == 10;
    for (size_t i = 0; digits && i < text.size(); ++i)
        digits = i == 4 || i == 7 ? text[i] == '-' : text[i] >= '0' && text[i] <= '9';
    if (digits &&
        TryEncodeDate(std::stoi(text.substr(0, 4)), std::stoi(text.substr(5, 2)), std::stoi(text.substr(8, 2)), date))
        return date;
    return std::nullopt;
}

const std::map<std::string, std::string> kRangeButtons = {
    {"today", "btnToday"},          {"this-week", "btnThisWeek"},   {"last-week", "btnLastWeek"},
    {"this-month", "btnThisMonth"}, {"last-month", "btnLastMonth"},
};

}  // namespace

int RunPay(const THostOptions& options, const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::map<std::string, std::string> flags;
    if (!ReadFlags(args, {"method", "due", "tendered", "gratuity", "reference", "invoice"}, flags, err))
        return kExitUsage;
    if (!flags.count("method")) {
        err << "--method is required: " << kPaymentMethodList << "\n";
        return kExitUsage;
    }
    const std::string method = flags["method"];
    if (!IsPaymentMethod(method)) {
        err << "unknown method \"" << method << "\": " << kPaymentMethodList << "\n";
        return kExitUsage;
    }
    if (!flags.count("due")) {
        err << "--due is required\n";
        return kExitUsage;
    }
    if (flags.count("tendered") && flags.count("gratuity")) {
        err << "--tendered and --gratuity exclude each other: a tendered amount above the due is the gratuity\n";
        return kExitUsage;
    }
    const std::optional<Currency> due = ReadAmountFlag(flags, "due", 1, err);
    if (!due) return kExitUsage;
    std::optional<Currency> tendered, gratuity;
    if (flags.count("tendered") && !(tendered = ReadAmountFlag(flags, "tendered", 1, err))) return kExitUsage;
    if (flags.count("gratuity") && !(gratuity = ReadAmountFlag(flags, "gratuity", 0, err))) return kExitUsage;
    const auto asked = AskedPayment(*due, tendered, gratuity);
    if (!asked) {
        err << "the amount with its gratuity is beyond the currency's range\n";
        return kExitUsage;
    }
    // The module keeps the reference in its 8-bit code page: measured there, and refused when it
    // does not fit.
    const std::optional<std::string> reference = platform::CodePageFromTerminalText(flags["reference"]);
    if (!reference) {
        err << "--reference holds a character that the module's code page, Windows-1252, does not have: \""
            << flags["reference"] << "\"\n";
        return kExitUsage;
    }
    if (reference->size() > kReferenceLength) {
        err << "--reference has " << reference->size() << " characters; a transaction keeps at most "
            << kReferenceLength << "\n";
        return kExitUsage;
    }
    std::optional<int32_t> invoiceNumber;
    if (flags.count("invoice") && !(invoiceNumber = ReadInvoiceNumber(flags["invoice"]))) {
        err << "--invoice is no invoice number (1 to 2147483647, decimal digits): \"" << flags["invoice"] << "\"\n";
        return kExitUsage;
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
            TypeText(form, "txtReference", *reference);
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
    // As the till does: the next free number, unless one is asked for; a saved one is no use.
    if (!invoiceNumber && !(invoiceNumber = session.NextInvoiceNumber())) {
        err << "no invoice number is free above 2147483647; give a free one with --invoice\n";
        return kExitUsage;
    }
    const TInvoice invoice{*invoiceNumber, 1, 1, *due};
    if (session.InvoiceSaved(invoice.number)) {
        err << "invoice " << invoice.number << " is already saved\n";
        return kExitUsage;
    }
    ComPtr<IPaymentMethod> payment = session.NewPayment(method, *due);
    if (!payment->DoPaymentPopup()) {
        err << "the module did not confirm the payment; its log says why: " << ShellQuoted(session.ModuleLogFile())
            << "\n";
        return kExitFailed;
    }
    // Checked before the invoice is saved: a mismatch leaves no invoice or cash-up rows behind.
    if (*asked != TAskedPayment{payment->GetAmount(), payment->GetGratuity()}) {
        err << "the module recorded " << MoneyText(payment->GetAmount()) << " with gratuity "
            << MoneyText(payment->GetGratuity()) << " where " << MoneyText(asked->amount) << " with gratuity "
            << MoneyText(asked->gratuity) << " was asked; invoice " << invoice.number << " is not saved\n";
        return kExitFailed;
    }
    session.SaveInvoice(invoice, *payment);
    out << method << " paid " << MoneyText(payment->GetAmount()) << " with gratuity "
        << MoneyText(payment->GetGratuity()) << " on invoice " << invoice.number << "\n";
    return kExitOk;
}

int RunReportCommand(const THostOptions& options, const std::vector<std::string>& args, std::ostream& out,
                     std::ostream& err) {
    std::map<std::string, std::string> flags;
    if (!ReadFlags(args, {"range", "from", "to"}, flags, err)) return kExitUsage;
    std::function<void(IFormView&)> work;
    if (flags.count("range")) {
        if (flags.count("from") || flags.count("to")) {
            err << "--range and --from/--to exclude each other\n";
            return kExitUsage;
        }
        const auto button = kRangeButtons.find(flags["range"]);
        if (button == kRangeButtons.end()) {
            err << "unknown range \"" << flags["range"] << "\": today, this-week, last-week, this-month, last-month\n";
            return kExitUsage;
        }
        work = [name = button->second](IFormView& form) { ClickButton(form, name); };
    } else {
        std::optional<TDateTime> dates[2];
        const char* names[2] = {"from", "to"};
        if (flags.empty()) {
            err << "give --range NAME, or --from yyyy-mm-dd --to yyyy-mm-dd\n";
            return kExitUsage;
        }
        for (int i = 0; i < 2; ++i) {
            if (!flags.count(names[i])) {
                err << "--" << names[i] << " is required with --" << names[1 - i] << "\n";
                return kExitUsage;
            }
            if (!(dates[i] = ReadDate(flags[names[i]]))) {
                err << "--" << names[i] << " is no date of the calendar written yyyy-mm-dd: \"" << flags[names[i]]
                    << "\"\n";
                return kExitUsage;
            }
        }
        work = [from = *dates[0], to = *dates[1]](IFormView& form) {
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
            err << line << "\n";
            failed = true;
        });
    session.Start();
    session.ApplySchemaChanges();
    session.RaiseMainFormCreate("Orvo.BackOffice.MainForm.Create");
    session.ClickListsEntry("Extra Payments Reports");
    if (failed || session.Viewer().PagesShown() == 0) {
        err << "no report was shown\n";
        return kExitFailed;
    }
    out << "report written to " << ShellQuoted(options.pageFile) << "\n";
    return kExitOk;
}

}  // namespace orvo::host
