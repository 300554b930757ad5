// The transaction record service: writes the rows of ExtraPaymentTransactions for the payment
// methods, each operation on a script object of its own.
#pragma once
#include "interfaces/intfDI.h"
#include "interfaces/intfExtraPaymentsTransaction.h"

namespace orvo {

class TExtraPaymentsTransaction : public TInterfacedObject<IExtraPaymentsTransaction> {
public:
    int32_t AddTransaction(const AnsiString& paymentMethod) override;
    void UpdateTransaction(int32_t transactionId, const AnsiString& reference, double amount) override;
    void SetInvoiceNum(int32_t transactionId, int32_t invoiceNum) override;
};

class TExtraPaymentsTransactionFactory : public TInterfacedObject<IDIFactory> {
public:
    ComPtr<IInterface> CreateObject() override;
};

}  // namespace orvo
