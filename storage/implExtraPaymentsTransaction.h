// The transaction record service: writes the rows of ExtraPaymentTransactions for the payment
// methods, each operation on a script object of its own.
#pragma once
#include <string_view>

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

// The statements, as the database receives them.
inline constexpr std::string_view kAddTransactionBatch =
    "INSERT INTO [ExtraPaymentTransactions] ( [Timestamp_Created], [PaymentMethod] ) VALUES ( GETDATE(), '%s' ); "
    "SELECT CAST( SCOPE_IDENTITY() AS INT ) AS [ID]";
inline constexpr std::string_view kUpdateTransactionSQL =
    "UPDATE [ExtraPaymentTransactions] \r\n"
    "   SET [Amount] = %f, \r\n"
    "       [ReferenceNumber] = %s \r\n"
    " WHERE [ID] = %d ";
inline constexpr std::string_view kSetInvoiceNumSQL =
    "UPDATE [ExtraPaymentTransactions] \r\n"
    "   SET [InvoiceNum] = %d \r\n"
    " WHERE [ID] = %d ";

}  // namespace orvo
