#include "storage/implExtraPaymentsTransaction.h"

#include <charconv>
#include <string>

#include "interfaces/intfDBScript.h"
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

// The batch with the method's name between the pattern's quotes. A quote inside the name is
// doubled, so a name can never end the text early and run as SQL of its own.
std::string AddTransactionBatch(std::string_view paymentMethod) {
    const std::string quoted = QuotedSQL(paymentMethod);
    const std::string_view inner = std::string_view(quoted).substr(1, quoted.size() - 2);
    std::string batch(kAddTransactionBatch);
    batch.replace(batch.find("%s"), 2, inner);
    return batch;
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
        return IdOrMinusOne(script->QueryValue(AnsiString(AddTransactionBatch(paymentMethod.view())), "ID").view());
    } catch (...) {  // of any type: a host's error need not derive from std::exception
        LogError("[TExtraPaymentsTransaction.AddTransaction] Error : %", LogCaught());
        return -1;
    }
}

void TExtraPaymentsTransaction::UpdateTransaction(int32_t transactionId, const AnsiString& reference, double amount) {
    // No statement can hold an amount that is no number: refused before anything runs.
    if (ClassifyFloat(amount) != TFloatClass::Finite) throw EConvertError(FloatText(amount) + " is not an amount");
    const ComPtr<IDBScript> script = ObtainScript(__LINE__);
    script->ExecSQL(AnsiString(kUpdateTransactionSQL), SQLArgs(amount, QuotedSQL(reference.view()), transactionId));
}

void TExtraPaymentsTransaction::SetInvoiceNum(int32_t transactionId, int32_t invoiceNum) {
    const ComPtr<IDBScript> script = ObtainScript(__LINE__);
    script->ExecSQL(AnsiString(kSetInvoiceNumSQL), SQLArgs(invoiceNum, transactionId));
}

ComPtr<IInterface> TExtraPaymentsTransactionFactory::CreateObject() { return MakeBaseObject<TExtraPaymentsTransaction>(); }

}  // namespace orvo
