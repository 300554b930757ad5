// One run of the reference host: the suite's database, every host service registered in a
// container, and the module loaded from its file and initialised, as Invoicing.exe and
// BackOffice.exe do. Tills and back-office steps are operations on the session.
#pragma once
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "host/THostContainer.h"
#include "host/TModuleLibrary.h"
#include "host/services/HostServices.h"
#include "host/sqlite/TSqliteDatabase.h"
#include "interfaces/intfPaymentMethod.h"

namespace orvo::host {

struct THostOptions {
    std::filesystem::path modulePath;    // the .ovm to load
    std::filesystem::path databasePath;  // SQLite file of the suite's database
    std::filesystem::path pageFile;      // where the viewer writes report pages
    std::set<std::string> grantedCodes;  // access codes the signed-in user holds
    bool freshDatabase = false;          // start from an empty database
};

// What a failed start-up was about, for the program's exit code: the module's file, or the
// database (opening it, or making the suite's or the module's tables in it).
class EHostStartError : public EOrvoError {
public:
    enum class Kind { Library, Database };
    EHostStartError(Kind kind, std::string message) : EOrvoError(std::move(message), "EHostStartError"), kind(kind) {}
    Kind kind;
};

// One invoice as the till settles it with an extra payment method.
struct TInvoice {
    int32_t number = 0;
    int32_t shift = 1;
    int32_t cashier = 1;
    Currency total = 0;
};

class THostSession {
public:
    using Say = std::function<void(const std::string& line)>;
    // drive shows the module's forms; ask answers the numeric input popup; say prints progress.
    THostSession(THostOptions options, THostFormHost::Drive drive, THostInput::Ask ask, Say say);
    ~THostSession();

    // Opens the database, lends the services, loads the module and calls InitModule.
    void Start();
    // Applies the module's schema scripts and stores its access codes. With Start, it writes
    // nothing to a database that holds them all already, so a report runs on a read-only file.
    void ApplySchemaChanges();
    void AddEmployee(int32_t number, const std::string& first, const std::string& last);
    // Raises a program's main-window event ("Orvo.BackOffice.MainForm.Create", ...).
    void RaiseMainFormCreate(const std::string& eventName);
    // A new payment object of the method, with the amount due set and the change handler attached.
    ComPtr<IPaymentMethod> NewPayment(const std::string& method, Currency due);
    // Saves the invoice paid by payment: the invoice and its payment line, the cash-up rows
    // through the module, then ties the transaction to the invoice.
    void SaveInvoice(const TInvoice& invoice, IPaymentMethod& payment);
    // Overrings a saved invoice: its status becomes 1 and the module's cash-up rows are removed.
    void OverringInvoice(const TInvoice& invoice, IPaymentMethod& payment);
    // Clicks a menu entry of "Lists"; false when the menu has no such entry.
    bool ClickListsEntry(const std::string& caption);
    // FinalModule and unload.
    void Stop();  // the host's own services stay registered until the session is destroyed

    TSqliteDatabase& Database() { return *database_; }
    // Registrations the container holds now, the host's own services included.
    size_t RegistrationCount() const { return container_ ? container_->RegistrationCount() : 0; }
    THostMenuManager& Menus() { return *menus_; }
    THostViewer& Viewer() { return *viewer_; }
    // The module's log file: "<this program> (<computer>) OrvoExtraPayments.ovm.log" beside it.
    std::filesystem::path ModuleLogFile() const;
    // One above the highest invoice number saved so far; nothing when that is the last there is.
    std::optional<int32_t> NextInvoiceNumber();
    // Whether an invoice of that number is saved.
    bool InvoiceSaved(int32_t number);
    // A T-SQL query's rows as an aligned table of text, each line indented.
    std::string QueryTable(const std::string& tsql, const std::string& indent);

private:
    class TCashupBook;

    THostOptions options_;
    THostFormHost::Drive drive_;
    THostInput::Ask ask_;
    Say say_;
    std::shared_ptr<TSqliteDatabase> database_;
    ComPtr<THostContainer> container_;
    ComPtr<THostMenuManager> menus_;
    ComPtr<THostEventManager> events_;
    ComPtr<THostViewer> viewer_;
    std::unique_ptr<TCashupBook> cashup_;
    TModuleLibrary library_;
    bool initialised_ = false;
};

}  // namespace orvo::host
