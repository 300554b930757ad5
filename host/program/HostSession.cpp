#include "host/program/HostSession.h"

#include <unistd.h>

#include <climits>

#include "host/THostStrings.h"
#include "host/program/MoneyText.h"
#include "host/program/TextTable.h"
#include "host/sqlite/SqlError.h"
#include "host/sqlite/TSqliteScript.h"
#include "interfaces/intfActCodes.h"
#include "interfaces/intfDatabaseChanges.h"
#include "values/NumberText.h"

namespace orvo::host {
namespace {

std::string Quoted(std::string_view text) { return QuotedSQL(text); }

// The cash-up callback hands its value as a double: written with the 15 digits a double holds.
std::string Number(double value) { return FixedNumberText(value, 15, '.'); }

void OnPaymentChange(THostSession::Say* say, IPaymentMethod* payment) {
    (*say)("    " + payment->GetName().str() + " now reads amount " +
                                                         MoneyText(payment->GetAmount()) + ", gratuity " +
                                                         MoneyText(payment->GetGratuity()));
}

// The access-code list, kept in the suite's database. A code already listed as given is left
// as it stands, so that a start on a database that holds everything writes nothing.
ComPtr<THostActCodes> ActCodesIn(std::shared_ptr<TSqliteDatabase> database) {
    database->Run(
        "IF ( OBJECT_ID( 'ActCodes', 'U' ) IS NULL ) CREATE TABLE [ActCodes] ( [Code] VARCHAR(10) NOT NULL, "
        "[Description] VARCHAR(100) NULL, [LinkCode] VARCHAR(10) NULL )");
    const auto listed = [database](const std::string& code, const std::string& column, const std::string& value) {
        return database->Run("SELECT COUNT(*) AS [N] FROM [ActCodes] WHERE [Code] = " + Quoted(code) + " AND [" +
                             column + "] = " + Quoted(value))
                   .lastResult->rows.at(0).at(0).integer == 1;
    };
    return MakeObject<THostActCodes>(
        [database, listed](const std::string& code, const std::string& description) {
            if (listed(code, "Description", description)) return;
            database->Run("DELETE FROM [ActCodes] WHERE [Code] = " + Quoted(code) +
                          "; INSERT INTO [ActCodes] ( [Code], [Description] ) VALUES ( " + Quoted(code) + ", " +
                          Quoted(description) + " )");
        },
        [database, listed](const std::string& code, const std::string& linkCode) {
            if (listed(code, "LinkCode", linkCode)) return;
            database->Run("UPDATE [ActCodes] SET [LinkCode] = " + Quoted(linkCode) + " WHERE [Code] = " + Quoted(code));
        });
}

}  // namespace

// The cash-up callbacks the host hands a payment method: rows of the Cashup table.
class THostSession::TCashupBook {
public:
    explicit TCashupBook(std::shared_ptr<TSqliteDatabase> database) : database_(std::move(database)) {}
    void AddEntry(int32_t invoice, int32_t shift, const AnsiString& name, const AnsiString& parent, int32_t,
                  double value, int32_t, int32_t) {
        database_->Run("INSERT INTO [Cashup] ( [Number], [ShiftNum], [Name], [ParentName], [Value] ) VALUES ( " +
                       std::to_string(invoice) + ", " + std::to_string(shift) + ", " + Quoted(name.view()) + ", " +
                       Quoted(parent.view()) + ", " + Number(value) + " )");
    }
    void RemoveEntry(int32_t invoice, int32_t shift, const AnsiString& name) {
        database_->Run("DELETE FROM [Cashup] WHERE [Number] = " + std::to_string(invoice) +
                       " AND [ShiftNum] = " + std::to_string(shift) + " AND [Name] = " + Quoted(name.view()));
    }
    TAddCashupEntryEvent Add() { return BindMethod<&TCashupBook::AddEntry>(this); }
    TRemoveCashupEntryEvent Remove() { return BindMethod<&TCashupBook::RemoveEntry>(this); }

private:
    std::shared_ptr<TSqliteDatabase> database_;
};

THostSession::THostSession(THostOptions options, THostFormHost::Drive drive, THostInput::Ask ask, Say say)
    : options_(std::move(options)), drive_(std::move(drive)), ask_(std::move(ask)), say_(std::move(say)) {}

THostSession::~THostSession() {
    Stop();
    if (container_) container_->Clear();
}

void THostSession::Start() {
    if (options_.freshDatabase) std::filesystem::remove(options_.databasePath);
    try {
        database_ = std::make_shared<TSqliteDatabase>(options_.databasePath.string());
    } catch (const std::exception& e) {
        throw EHostStartError(EHostStartError::Kind::Database, e.what());  // it names the file
    }
    ComPtr<THostActCodes> actCodes;
    try {
        database_->CreateSuiteTables();
        actCodes = ActCodesIn(database_);
    } catch (const std::exception& e) {
        throw EHostStartError(EHostStartError::Kind::Database,
                              "cannot make the suite's tables in " + options_.databasePath.string() + ": " + e.what());
    }
    cashup_ = std::make_unique<TCashupBook>(database_);
    container_ = MakeObject<THostContainer>();
    menus_ = MakeObject<THostMenuManager>();
    events_ = MakeObject<THostEventManager>();
    viewer_ = MakeObject<THostViewer>(options_.pageFile);

    THostContainer& c = *container_;
    c.RegisterFactory(IDBScript::IID, MakeObject<TSqliteScriptFactory>(database_).Get());
    c.RegisterNamedFactory(IGenericInput::IID, "Currency",
                           MakeObject<TFunctionFactory>([ask = ask_] {
                               return ComPtr<IInterface>::AddRefOf(MakeObject<THostInput>(ask)->AsIInterface());
                           }).Get());
    c.RegisterFactory(IHTMLViewer::IID, SharedFactory(viewer_->AsIInterface()).Get());
    c.RegisterFactory(IAuthentication::IID,
                      SharedFactory(MakeObject<THostAuthentication>(options_.grantedCodes)->AsIInterface()).Get());
    c.RegisterFactory(IActCodes::IID, SharedFactory(actCodes->AsIInterface()).Get());
    c.RegisterInstance(IMainMenuManager::IID, menus_->AsIInterface());
    c.RegisterInstance(IEventManager::IID, events_->AsIInterface());
    c.RegisterInstance(IFormHost::IID, MakeObject<THostFormHost>(drive_, [this](const std::string& message) {
                                           say_("    the window reports: " + message);
                                       })->AsIInterface());

    if (!library_.Load(options_.modulePath.string()))
        throw EHostStartError(EHostStartError::Kind::Library, library_.Error());
    library_.InitModule(container_.Get());
    initialised_ = true;
}

void THostSession::ApplySchemaChanges() {
    THostStrings scripts;
    ComPtr<IDatabaseChanges> changes = ResolveNamedOf<IDatabaseChanges>(*container_, "ExtraPayments");
    if (!changes) throw EOrvoError("the module registered no database changes");
    // What the module asks of the database here is all the database's to refuse (a read-only
    // file lacking the module's tables, say).
    try {
        changes->GetChanges(0, scripts);
        for (const AnsiString& script : scripts.Lines()) database_->Run(script.view());
    } catch (const std::exception& e) {
        throw EHostStartError(EHostStartError::Kind::Database,
                              "cannot make the module's tables in " + options_.databasePath.string() + ": " + e.what());
    }
}

void THostSession::AddEmployee(int32_t number, const std::string& first, const std::string& last) {
    database_->Run("INSERT INTO [EMPLOYEE] ( [EMPNUM], [FIRSTNAME], [LASTNAME] ) VALUES ( " + std::to_string(number) +
                   ", " + Quoted(first) + ", " + Quoted(last) + " )");
}

void THostSession::RaiseMainFormCreate(const std::string& eventName) { events_->Raise(eventName); }

ComPtr<IPaymentMethod> THostSession::NewPayment(const std::string& method, Currency due) {
    ComPtr<IPaymentMethod> payment = ResolveNamedOf<IPaymentMethod>(*container_, AnsiString(method));
    if (!payment) throw EOrvoError("no payment method is registered as \"" + method + "\"");
    payment->SetAmount(due);
    payment->SetOnChange(BindFunction<&OnPaymentChange>(&say_));
    return payment;
}

void THostSession::SaveInvoice(const TInvoice& invoice, IPaymentMethod& payment) {
    const std::string number = std::to_string(invoice.number);
    database_->Run("INSERT INTO [INVOICES] ( [INVOICENUM], [STATUS], [AFTERDISC], [CASHIER] ) VALUES ( " + number +
                   ", 0, " + CurrencyDecimalText(invoice.total) + ", " + std::to_string(invoice.cashier) + " )");
    database_->Run("INSERT INTO [InvoicesPayment] ( [InvoiceNum], [PaymentType], [Amount], [Gratuity] ) VALUES ( " +
                   number + ", " + Quoted(payment.GetPaymentType().view()) + ", " +
                   CurrencyDecimalText(payment.GetAmount()) + ", " + CurrencyDecimalText(payment.GetGratuity()) + " )");
    payment.AddCashupEntry(invoice.shift, invoice.number, cashup_->Add());
    payment.InsertSQL(invoice.number);
}

void THostSession::OverringInvoice(const TInvoice& invoice, IPaymentMethod& payment) {
    database_->Run("UPDATE [INVOICES] SET [STATUS] = 1 WHERE [INVOICENUM] = " + std::to_string(invoice.number));
    payment.RemoveCashupEntry(invoice.shift, invoice.number, cashup_->Remove());
}

bool THostSession::ClickListsEntry(const std::string& caption) { return menus_->Click("Lists", caption); }

void THostSession::Stop() {
    if (initialised_) library_.FinalModule();
    initialised_ = false;
    library_.Unload();
}

std::filesystem::path THostSession::ModuleLogFile() const {
    std::string computer = "?";
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) == 0) computer = name;
    const auto program = std::filesystem::read_symlink("/proc/self/exe").stem().string();
    return options_.modulePath.parent_path() /
           (program + " (" + computer + ") " + options_.modulePath.filename().string() + ".log");
}

std::optional<int32_t> THostSession::NextInvoiceNumber() {
    const TBatchResult result = database_->Run("SELECT MAX([INVOICENUM]) AS [Highest] FROM [INVOICES]");
    const TSqlValue& highest = result.lastResult->rows.at(0).at(0);
    if (highest.kind != TSqlValue::Kind::Integer) return 1;
    if (highest.integer >= INT32_MAX) return std::nullopt;
    return int32_t(highest.integer + 1);
}

bool THostSession::InvoiceSaved(int32_t number) {
    const TBatchResult result =
        database_->Run("SELECT COUNT(*) AS [Saved] FROM [INVOICES] WHERE [INVOICENUM] = " + std::to_string(number));
    return result.lastResult->rows.at(0).at(0).integer != 0;
}

std::string THostSession::QueryTable(const std::string& tsql, const std::string& indent) {
    const TBatchResult result = database_->Run(tsql);
    return result.lastResult ? AlignedTable(*result.lastResult, indent) : std::string();
}

}  // namespace orvo::host
