#include "storage/implExtraPaymentsTransaction.h"

#include <charconv>

#include "common/clsSQLStatements.h"
#include "module/Log.h"
#include "module/Services.h"
#include "values/FloatClass.h"

namespace orvo {
namespace {

constexpr std::string_view kUnit = "implExtraPaymentsTransaction";

// A script object of the operation's own, released when the operation ends.
ComPtr<IDBScript> ObtainScript(int line) {
    return Required(HostServices().New<IDBScript>(), "Could not create DBScript", {kUnit, line});
}

// A whole decimal integer, or -1 for any other text (an empty one included).
int32_t IdOrMinusOne(std::string_view text) {
    int32_t id = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, id);
    return error == std::errc() && stop == end && !text.empty() ? id : -1;
}

}  // namespace

int32_t TExtraPaymentsTransaction::AddTransaction(const AnsiString& paymentMethod) {
    try {
        const ComPtr<IDBScript> script = ObtainScript(__LINE__);
        return IdOrMinusOne(TSQLCall<TSQL::AddTransaction>(paymentMethod).QueryValue(*script, "ID").view());
    } catch (...) {  // of any type: a host's error need not derive from std::exception
        LogError("[TExtraPaymentsTransaction.AddTransaction] Error : %", LogCaught());
        return -1;
    }
}

void TExtraPaymentsTransaction::UpdateTransaction(int32_t transactionId, const AnsiString& reference, double amount) {
    // No statement can hold an amount that is no number: refused before anything runs.
    if (ClassifyFloat(amount) != TFloatClass::Finite) throw EConvertError(FloatText(amount) + " is not an amount");
    const ComPtr<IDBScript> script = ObtainScript(__LINE__);
    TSQLCall<TSQL::UpdateTransaction>(amount, reference, transactionId).Exec(*script);
}

void TExtraPaymentsTransaction::SetInvoiceNum(int32_t transactionId, int32_t invoiceNum) {
    const ComPtr<IDBScript> script = ObtainScript(__LINE__);
    TSQLCall<TSQL::SetInvoiceNum>(invoiceNum, transactionId).Exec(*script);
}

ComPtr<IInterface> TExtraPaymentsTransactionFactory::CreateObject() { return MakeBaseObject<TExtraPaymentsTransaction>(); }

}  // namespace orvo
