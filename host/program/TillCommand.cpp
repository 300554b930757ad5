// The till with a person at the terminal: the module's windows drawn as text, keys for the
// buttons, typed text for the boxes and the keypad.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <istream>
#include <map>
#include <ostream>

#include "host/program/Commands.h"
#include "host/program/MoneyText.h"
#include "host/program/PaymentMethods.h"
#include "host/program/TextTable.h"
#include "platform/DateTime.h"
#include "platform/Platform.h"

namespace orvo::host {
namespace {

std::string ReadLine(std::istream& in) {
    std::string line;
    if (!std::getline(in, line)) throw EOrvoError("the terminal closed");
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

// A caption as shown: the "&" that marks the accelerator letter is not drawn.
std::string WithoutAccelerator(std::string caption) {
    if (const size_t amp = caption.find('&'); amp != std::string::npos) caption.erase(amp, 1);
    return caption;
}

// Each button gets its accelerator letter, else the first free letter of its caption.
std::map<char, int32_t> ButtonKeys(const std::vector<TFormControlInfo>& controls) {
    std::map<char, int32_t> keys;
    for (int32_t i = 0; i < int32_t(controls.size()); ++i) {
        const TFormControlInfo& c = controls[size_t(i)];
        if (c.Kind != int32_t(TFormControlKind::Button)) continue;
        char key = char(std::tolower(c.Accelerator));
        for (char ch : c.Text.view()) {
            if (key && !keys.count(key)) break;
            if (std::isalnum(static_cast<unsigned char>(ch))) key = char(std::tolower(static_cast<unsigned char>(ch)));
        }
        for (char ch = '1'; keys.count(key) || !key; ++ch) key = ch;
        keys[key] = i;
    }
    return keys;
}

void Draw(IFormView& form, const std::vector<TFormControlInfo>& controls, const std::map<char, int32_t>& keys,
          std::ostream& out) {
    out << "\n+== " << form.GetCaption().str() << " ==\n";
    int box = 0;
    for (int32_t i = 0; i < int32_t(controls.size()); ++i) {
        const TFormControlInfo& c = controls[size_t(i)];
        const std::string indent = c.Parent.empty() ? "| " : "|   ";
        switch (TFormControlKind(c.Kind)) {
            case TFormControlKind::GroupBox:
                out << "| " << c.Text.str() << "\n";
                break;
            case TFormControlKind::Label:
                out << "| " << c.Text.str() << "\n";
                break;
            case TFormControlKind::Edit:
                ++box;
                out << indent << "[" << form.GetText(i).str() << "]"
                    << ((c.Flags & kControlReadOnly) ? "" : "  <- e" + std::to_string(box) + " text") << "\n";
                break;
            case TFormControlKind::DatePicker: {
                ++box;
                TDateTime date = 0;
                form.GetDate(i, date);
                out << indent << c.Name.str() << " " << FormatIsoDate(date) << "  <- d" << box << " yyyy-mm-dd\n";
                break;
            }
            case TFormControlKind::Button:
                for (const auto& [key, index] : keys)
                    if (index == i) out << indent << "(" << key << ") " << WithoutAccelerator(c.Text.str()) << "\n";
                break;
        }
    }
    out << "+== a key presses a button; e<N> <text> or d<N> <date> fills a box; q closes\n";
}

// Works one form until it closes; afterKey runs after each key or typed box.
void Operate(IFormView& form, std::istream& in, std::ostream& out, const std::function<void()>& afterKey) {
    std::vector<TFormControlInfo> controls(size_t(form.GetControlCount()));
    for (int32_t i = 0; i < int32_t(controls.size()); ++i) form.GetControl(i, controls[size_t(i)]);
    const std::map<char, int32_t> keys = ButtonKeys(controls);
    while (form.GetModalResult() == mrNone) {
        Draw(form, controls, keys, out);
        out << "> " << std::flush;
        const std::string line = ReadLine(in);
        if (line == "q") return;
        if (line.size() == 1 && keys.count(char(std::tolower(line[0])))) {
            form.Click(keys.at(char(std::tolower(line[0]))));
            afterKey();
            continue;
        }
        if (line.size() > 2 && (line[0] == 'e' || line[0] == 'd')) {
            const size_t space = line.find(' ');
            const int wanted = std::atoi(line.substr(1, space).c_str());
            const std::string value = space == std::string::npos ? "" : line.substr(space + 1);
            int box = 0;
            for (int32_t i = 0; i < int32_t(controls.size()); ++i) {
                const auto kind = TFormControlKind(controls[size_t(i)].Kind);
                if (kind != TFormControlKind::Edit && kind != TFormControlKind::DatePicker) continue;
                if (++box != wanted) continue;
                int y = 0, m = 0, d = 0;
                TDateTime date = 0;
                // Typed in the terminal's character set, kept in the module's code page.
                const std::optional<std::string> text8 = platform::CodePageFromTerminalText(value);
                const bool ok = line[0] == 'e' ? text8 && form.SetText(i, AnsiString(*text8))
                                               : std::sscanf(value.c_str(), "%d-%d-%d", &y, &m, &d) == 3 &&
                                                     TryEncodeDate(y, m, d, date) && form.SetDate(i, date);
                if (!ok) out << "that box does not take \"" << value << "\"\n";
            }
            afterKey();
            continue;
        }
        out << "unknown key \"" << line << "\"\n";
    }
}

}  // namespace

int RunTill(const THostOptions& options, std::istream& in, std::ostream& out) {
    auto say = [&out](const std::string& line) { out << line << "\n"; };
    // The report page's path, said as soon as a key of the reports window has written it.
    int pagesSaid = 0;
    std::function<void()> sayNewPage;
    THostSession session(
        options, [&](IFormView& form) { Operate(form, in, out, sayNewPage); },
        [&](const std::string& caption, const std::string& initial, std::string& entered) {
            out << "keypad: " << caption << "[" << initial << "] (Enter keeps it, x cancels) " << std::flush;
            const std::string line = ReadLine(in);
            if (line == "x") return false;
            entered = line.empty() ? initial : line;
            return true;
        },
        say);
    sayNewPage = [&] {
        if (session.Viewer().PagesShown() == pagesSaid) return;
        pagesSaid = session.Viewer().PagesShown();
        out << "report page written: " << ShellQuoted(options.pageFile) << "\n";
    };
    session.Start();
    session.ApplySchemaChanges();
    session.RaiseMainFormCreate("Orvo.Invoicing.MainForm.Create");
    for (;;) {
        out << "\n(p) pay an invoice  (r) Extra Payments Reports  (q) quit\n> " << std::flush;
        const std::string choice = ReadLine(in);
        if (choice == "q") break;
        if (choice == "r") {
            if (!session.ClickListsEntry("Extra Payments Reports")) out << "no such menu entry\n";
            continue;
        }
        if (choice != "p") continue;
        out << "method (Uber, Mr D, ABSA, Nedbank, Other CC): " << std::flush;
        const std::string method = ReadLine(in);
        if (!IsPaymentMethod(method)) {
            out << "unknown method \"" << method << "\": " << kPaymentMethodList << "\n";
            continue;
        }
        out << "amount due: " << std::flush;
        const std::optional<Currency> due = ReadMoneyText(ReadLine(in));
        if (!due) {
            out << "not an amount: " << kMoneyTextForm << "\n";
            continue;
        }
        try {
            // The invoice's number is taken before the window, so a confirmed payment always has one.
            const std::optional<int32_t> number = session.NextInvoiceNumber();
            if (!number) {
                out << "no invoice number is free above 2147483647\n";
                continue;
            }
            ComPtr<IPaymentMethod> payment = session.NewPayment(method, *due);
            if (!payment->DoPaymentPopup()) {
                out << "not paid\n";
                continue;
            }
            const TInvoice invoice{*number, 1, 1, *due};
            session.SaveInvoice(invoice, *payment);
            out << "invoice " << invoice.number << " saved: " << method << " " << MoneyText(payment->GetAmount())
                << " + gratuity " << MoneyText(payment->GetGratuity()) << "\n";
        } catch (const std::exception& e) {
            out << "error: " << e.what() << "\n";
        }
    }
    out << "module log: " << ShellQuoted(session.ModuleLogFile()) << "\n";
    return kExitOk;
}

}  // namespace orvo::host
