// The demo: a till session through the module's own windows, then the back-office report.
#include <deque>
#include <optional>
#include <ostream>

#include "host/program/Commands.h"
#include "host/program/MoneyText.h"
#include "host/program/TextTable.h"

namespace orvo::host {
namespace {

// How the scripted cashier works one payment window.
struct TCashierScript {
    std::string reference;
    std::optional<std::string> tendered;  // typed into the amount prompt
    std::optional<std::string> gratuity;  // typed into the gratuity prompt
    bool confirm = true;
};

struct TDemoSale {
    const char* method;
    TInvoice invoice;
    std::vector<TCashierScript> attempts;  // one popup per attempt
    const char* story;
};

}  // namespace

int RunDemo(const THostOptions& options, std::ostream& out) {
    auto say = [&out](const std::string& line) { out << line << "\n"; };
    std::deque<std::function<void(IFormView&)>> windows;
    std::deque<std::string> keypad;
    THostSession session(
        options,
        [&](IFormView& form) {
            say("  window \"" + form.GetCaption().str() + "\" opens");
            if (windows.empty()) return;  // nothing scripted: closed with the close box
            auto work = std::move(windows.front());
            windows.pop_front();
            work(form);
        },
        [&](const std::string& caption, const std::string& initial, std::string& entered) {
            if (keypad.empty()) return false;
            entered = keypad.front();
            keypad.pop_front();
            say("    keypad \"" + caption + "\" offers " + initial + ", the cashier types " + entered);
            return true;
        },
        say);

    say("Starting the back office and the till with " + ShellQuoted(options.modulePath));
    session.Start();
    session.ApplySchemaChanges();
    session.AddEmployee(1, "Thandi", "Mokoena");
    session.AddEmployee(2, "Sipho", "Dube");
    say("Schema applied; access codes now:");
    out << session.QueryTable("SELECT [Code], [Description], [LinkCode] FROM [ActCodes]", "  ");
    session.RaiseMainFormCreate("Orvo.BackOffice.MainForm.Create");
    for (const auto& item : session.Menus().Items()) say("  menu Lists: " + item.caption);

    const std::vector<TDemoSale> sales = {
        {"Uber", {1001, 1, 1, 1205000}, {{"UBR-48213", "150", std::nullopt, true}}, "tendered above the total"},
        {"Mr D", {1002, 1, 2, 850000}, {{"MRD-20931", std::nullopt, "10", true}}, "with a gratuity"},
        {"ABSA", {1003, 1, 1, 3000000}, {{"ABS-77120", "200", std::nullopt, true}}, "a part payment"},
        {"Nedbank",
         {1004, 1, 2, 552500},
         {{"", std::nullopt, std::nullopt, false}, {"NED-55017", std::nullopt, std::nullopt, true}},
         "cancelled once, then paid"},
        {"Other CC", {1005, 1, 1, 4100000}, {{"OCC-90014", "410", std::nullopt, true}}, "paid exactly, overrung later"},
    };
    ComPtr<IPaymentMethod> overrung;
    for (const TDemoSale& sale : sales) {
        say("Invoice " + std::to_string(sale.invoice.number) + ": " + MoneyText(sale.invoice.total) + " by " +
            sale.method + ", " + sale.story);
        ComPtr<IPaymentMethod> payment = session.NewPayment(sale.method, sale.invoice.total);
        bool paid = false;
        for (const TCashierScript& attempt : sale.attempts) {
            // A cancelled popup zeroed the payment: the till offers the amount due again.
            if (payment->GetAmount() == 0) payment->SetAmount(sale.invoice.total);
            windows.push_back([&attempt, &keypad](IFormView& form) {
                TypeText(form, "txtReference", attempt.reference);
                if (attempt.tendered) {
                    keypad.push_back(*attempt.tendered);
                    ClickButton(form, "btnAmount");
                }
                if (attempt.gratuity) {
                    keypad.push_back(*attempt.gratuity);
                    ClickButton(form, "btnGratuity");
                }
                ClickButton(form, attempt.confirm ? "btnOKNew" : "btnCancelNew");
            });
            paid = payment->DoPaymentPopup();
            say(std::string("  popup ") + (paid ? "confirmed" : "cancelled") + ": amount " +
                MoneyText(payment->GetAmount()) + ", gratuity " + MoneyText(payment->GetGratuity()));
        }
        if (!paid) continue;
        session.SaveInvoice(sale.invoice, *payment);
        say("  invoice saved, cash-up rows added, transaction tied to the invoice");
        if (sale.invoice.number == 1005) overrung = payment;
    }
    if (overrung) {
        session.OverringInvoice({1005, 1, 1, 4100000}, *overrung);
        overrung.Reset();  // the host lets go of its payment objects before the module leaves
        say("Invoice 1005 overrung: status 1, its cash-up rows removed");
    }

    say("Back office: Lists > Extra Payments Reports, This Month");
    windows.push_back([](IFormView& form) { ClickButton(form, "btnThisMonth"); });
    if (!session.ClickListsEntry("Extra Payments Reports")) {
        say("the menu has no Extra Payments Reports entry");
        return kExitFailed;
    }
    session.Stop();

    say("");
    say("Transactions:");
    out << session.QueryTable(
        "SELECT [ID], [PaymentMethod], [ReferenceNumber], [Amount], [InvoiceNum] "
        "FROM [ExtraPaymentTransactions] ORDER BY [ID]",
        "  ");
    say("Cash-up rows:");
    out << session.QueryTable("SELECT [Number], [Name], [ParentName], [Value] FROM [Cashup]", "  ");
    say("Report page:  " + ShellQuoted(options.pageFile) + (session.Viewer().PagesShown() ? "" : " (not written)"));
    say("Database:     " + ShellQuoted(options.databasePath));
    say("Module log:   " + ShellQuoted(session.ModuleLogFile()));
    return session.Viewer().PagesShown() == 1 ? kExitOk : kExitFailed;
}

}  // namespace orvo::host
