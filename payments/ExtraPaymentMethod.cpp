#include "payments/ExtraPaymentMethod.h"

#include <memory>

#include "common/clsSQLStatements.h"
#include "interfaces/intfExtraPaymentsTransaction.h"
#include "module/Log.h"
#include "module/Services.h"
#include "payments/FExtraPayments.h"
#include "values/MoneyText.h"

namespace orvo {
namespace {

// The line support staff know the log-table assertion by, the same in all five units.
constexpr int kLogToDBAssertLine = 131;

}  // namespace

TExtraPaymentMethod::TExtraPaymentMethod(const TPaymentMethodNames& names)
    : names_(names), displayName_(names.displayName), cashupName_(std::string("PAYMENT:") + names.displayName) {
    Clear();
}

void TExtraPaymentMethod::Clear() {
    TPaymentMethodBase::Clear();
    Reference = AnsiString();
    TransactionID = -1;
    InvoiceNum = -1;
    Processed = false;
}

void TExtraPaymentMethod::DoChange() {
    if (OnChange.IsSet()) OnChange(this);
}

int32_t TExtraPaymentMethod::LogToDB(std::string_view entryClass, std::string_view message) {
    const ComPtr<IDBScript> script =
        Required(HostServices().New<IDBScript>(), "Could not create DBScript", {names_.unitName, kLogToDBAssertLine});
    return TSQLCall<TSQL::LogToDB>(entryClass, message).Exec(*script);
}

void TExtraPaymentMethod::LogNewTransaction() {
    const std::string name = names_.displayName;
    LogToDB("INFO", name + ": New Transaction: " + std::to_string(TransactionID));
    LogInfo("[%.DoPaymentPopup] %: New Transaction : %", names_.className, name, TransactionID);
}

bool TExtraPaymentMethod::DoPaymentPopup() {
    if (Processed) return true;
    const std::string name = names_.displayName;
    auto fail = [&](std::string_view message) {
        // Nothing was paid: the host must not see an amount from a popup that failed.
        SetGratuity(0);
        SetAmount(0);
        LogError("[%.DoPaymentPopup] Error : %", names_.className, message);
        return false;
    };
    try {
        const ComPtr<IExtraPaymentsTransaction> transaction = HostServices().New<IExtraPaymentsTransaction>();
        auto records = [&] {
            return Required(transaction, "Could not create transaction", {names_.unitName, __LINE__});
        };
        if (TransactionID == -1) TransactionID = records()->AddTransaction(displayName_);
        LogNewTransaction();
        {
            auto window = std::make_unique<TfrmExtraPayments>();
            if (!window->Execute(displayName_, Amount)) {
                SetGratuity(0);
                SetAmount(0);
                return false;
            }
            // A row refused at the start (the database locked for a moment) is asked for once
            // more, so a confirmed payment is not missing from the reports; refused again, the
            // popup goes on without one as before.
            if (TransactionID == -1) {
                TransactionID = records()->AddTransaction(displayName_);
                if (TransactionID != -1) LogNewTransaction();
            }
            SetAmount(window->Amount - window->Gratuity);
            SetGratuity(window->Gratuity);
            LogToDB("INFO", name + ": " + std::to_string(TransactionID) + " - Amount: " + FormatMoney(Amount));
            LogToDB("INFO", name + ": " + std::to_string(TransactionID) + " - Gratuity: " + FormatMoney(Gratuity));
            Reference = window->Reference;
            LogInfo("[%.DoPaymentPopup] %: Amount: % | Gratuity: % | Reference: %", names_.className, name,
                    Money{Amount}, Money{Gratuity}, Reference);
            records()->UpdateTransaction(TransactionID, Reference, CurrencyToDouble(Amount + Gratuity));
        }
        Processed = true;
        return true;
    } catch (...) {
        return fail(LogCaught());
    }
}

void TExtraPaymentMethod::AddCashupEntry(int32_t shift, int32_t invoice, TAddCashupEntryEvent addEntry) {
    LogInfo("[%.AddCashupEntry] Shift: % Invoice: % Amount: %", names_.className, shift, invoice, Money{Amount});
    if (!addEntry.IsSet()) return;
    if (Amount > 0 || Gratuity > 0)
        addEntry(invoice, shift, AnsiString(cashupName_), AnsiString(), 0, CurrencyToDouble(Amount + Gratuity), 0, 1);
    if (Gratuity > 0)
        addEntry(invoice, shift, AnsiString("GRATUITY"), AnsiString(cashupName_), 0, CurrencyToDouble(Gratuity), 0, 1);
}

void TExtraPaymentMethod::RemoveCashupEntry(int32_t shift, int32_t invoice, TRemoveCashupEntryEvent removeEntry) {
    if (!removeEntry.IsSet()) return;
    if (Amount == 0) return;
    removeEntry(invoice, shift, AnsiString(cashupName_));
    if (Gratuity > 0) {
        const ComPtr<IDBScript> script =
            Required(HostServices().New<IDBScript>(), "Could not create DBScript", {names_.unitName, __LINE__});
        TSQLCall<TSQL::RemoveCashupEntry>(invoice, shift, cashupName_).Exec(*script);
    }
}

void TExtraPaymentMethod::InsertSQL(int32_t invoiceNum) {
    if (!(Amount > 0 || Gratuity > 0)) return;
    if (TransactionID < 0) return;
    InvoiceNum = invoiceNum;
    LogInfo("[%.InsertSQL]  Updating transaction : % -> %", names_.className, TransactionID, InvoiceNum);
    const ComPtr<IExtraPaymentsTransaction> transaction = Required(
        HostServices().New<IExtraPaymentsTransaction>(), "Could not create transaction", {names_.unitName, __LINE__});
    transaction->SetInvoiceNum(TransactionID, InvoiceNum);
}

}  // namespace orvo
