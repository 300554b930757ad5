#include "storage/implDatabaseChangesExtraPayments.h"

#include "common/clsSQLStatements.h"
#include "interfaces/intfActCodes.h"
#include "module/Services.h"

namespace orvo {

// Nothing is caught: an error of the access-code service reaches the host after both scripts
// were appended.
void TDatabaseChangesExtraPayments::GetChanges(int32_t /*version*/, IStrings& scripts) {
    scripts.Add(AnsiString(SQLText(TSQL::TransactionTable)));
    scripts.Add(AnsiString(SQLText(TSQL::LogTable)));

    const ComPtr<IActCodes> actCodes = HostServices().New<IActCodes>();
    if (!actCodes) return;
    actCodes->AddActCode("AM019", "To Change Extra Payment Settings", 1, 1);
    actCodes->AddActCode("AM020", "To View Extra Payment Transactions", 1, 1);
    actCodes->LinkActCode("AM019", "FRCH");
    actCodes->LinkActCode("AM020", "FRCH");
}

ComPtr<IInterface> TDatabaseChangesExtraPaymentsFactory::CreateObject() {
    return MakeBaseObject<TDatabaseChangesExtraPayments>();
}

}  // namespace orvo
