// A payment's values through the whole database path of the reference host: the module's
// transaction service fills its patterns, the host translates them and runs them on SQLite, and
// a query's result comes back as JSON that the module's reader takes apart. Whatever the
// reference, amount and invoice number, the values read back are the ones written, or they are
// refused with a clear error: an amount SQL cannot write (infinity, NaN) by the module, a
// reference longer than its column by the host.
#include <cmath>
#include <memory>
#include <string>

#include "backoffice/JsonRows.h"
#include "common/clsSQLStatements.h"
#include "entry/ModuleLifecycle.h"
#include "fuzz/FuzzCheck.h"
#include "host/THostContainer.h"
#include "host/sqlite/TSqliteScript.h"
#include "interfaces/intfExtraPaymentsTransaction.h"

namespace orvo::fuzz {
namespace {

constexpr size_t kReferenceColumn = 200;  // VARCHAR(200)

// The module loaded into a host whose script service runs on a database in memory.
struct THost {
    std::shared_ptr<host::TSqliteDatabase> database = std::make_shared<host::TSqliteDatabase>(":memory:");
    ComPtr<host::THostContainer> container = MakeObject<host::THostContainer>();
    ComPtr<IExtraPaymentsTransaction> transaction;
    ComPtr<IDBScript> script;

    THost() {
        database->Run(SQLText(TSQL::TransactionTable));
        container->RegisterFactory(IDBScript::IID, MakeObject<host::TSqliteScriptFactory>(database).Get());
        InitModule(container.Get());
        transaction = ResolveOf<IExtraPaymentsTransaction>(*container);
        script = ResolveOf<IDBScript>(*container);
    }
};

const TJsonValue& Member(const TJsonRows& rows, std::string_view name) {
    const TJsonValue* value = rows.Find(0, name);
    Require(value != nullptr, "the row has every column", name);
    return *value;
}

}  // namespace
}  // namespace orvo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvo;
    using namespace orvo::fuzz;
    static THost host;
    if (size < sizeof(int32_t) + sizeof(double)) return 0;
    const auto invoice = BytesAs<int32_t>(data);
    const auto amount = BytesAs<double>(data + sizeof invoice);
    const std::string reference(reinterpret_cast<const char*>(data) + sizeof invoice + sizeof amount,
                                size - sizeof invoice - sizeof amount);

    const int32_t id = host.transaction->AddTransaction("Uber");
    Require(id > 0, "a row is added");
    const bool refusable = !std::isfinite(amount) || reference.size() > kReferenceColumn;
    try {
        host.transaction->UpdateTransaction(id, AnsiString(reference), amount);
        Require(!refusable, "an amount or reference SQL cannot hold is refused", reference);
    } catch (const EOrvoError& e) {  // the module's, or the script service's across the contract
        Require(std::string_view(e.ClassName()) == (std::isfinite(amount) ? "EDatabaseError" : "EConvertError"),
                "the module refuses what is no number, the database the rest", e.ClassName());
        Require(refusable, "values SQL can hold are written", e.what());
    }
    host.transaction->SetInvoiceNum(id, invoice);

    // Read back through a pattern that selects by the reference, so the text is filled in twice.
    const AnsiString json = host.script->QueryJSON(
        "SELECT [ID], [InvoiceNum], [ReferenceNumber], [Amount] FROM [ExtraPaymentTransactions] "
        "WHERE [ID] = %d AND ISNULL( [ReferenceNumber], '' ) = %s",
        SQLArgs(id, QuotedSQL(refusable ? std::string() : reference)));
    const TJsonRows rows = TJsonRows::Parse(json.view());
    Require(rows.RowCount() == 1, "the row is found by its values", json.view());
    Require(JsonNumber(Member(rows, "ID"), "ID") == id, "the ID reads back", json.view());
    Require(JsonNumber(Member(rows, "InvoiceNum"), "InvoiceNum") == invoice, "the invoice reads back", json.view());
    if (refusable) {
        Require(Member(rows, "ReferenceNumber").IsNull() && Member(rows, "Amount").IsNull(),
                "a refused update changes nothing", json.view());
    } else {
        Require(JsonText(Member(rows, "ReferenceNumber")) == reference, "the reference reads back", json.view());
        Require(JsonNumber(Member(rows, "Amount"), "Amount") == amount, "the amount reads back", json.view());
    }
    host.database->Run("DELETE FROM [ExtraPaymentTransactions]");
    host.container->ClearJournal();
    return 0;
}
