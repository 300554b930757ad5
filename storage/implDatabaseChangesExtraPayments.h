// The module's schema changes and access codes, handed to the host to apply when it decides.
#pragma once
#include <string_view>

#include "interfaces/intfDI.h"
#include "interfaces/intfDatabaseChanges.h"

namespace orvo {

class TDatabaseChangesExtraPayments : public TInterfacedObject<IDatabaseChanges> {
public:
    void GetChanges(int32_t version, IStrings& scripts) override;
};

class TDatabaseChangesExtraPaymentsFactory : public TInterfacedObject<IDIFactory> {
public:
    ComPtr<IInterface> CreateObject() override;
};

// The two scripts, in the order they are handed over. Each creates its table only when no user
// table of that name exists, so applying them again changes nothing.
inline constexpr std::string_view kTransactionTableScript =
    "-- Extra Payments Transaction Table \r\n"
    "IF ( OBJECT_ID( 'ExtraPaymentTransactions', 'U' ) IS NULL ) \r\n"
    "  CREATE TABLE [ExtraPaymentTransactions] ( \r\n"
    "    [ID]                INT          NOT NULL IDENTITY(1,1) PRIMARY KEY, \r\n"
    "    [Timestamp_Created] DATETIME     NOT NULL, \r\n"
    "    [InvoiceNum]        INT          NULL, \r\n"
    "    [PaymentMethod]     VARCHAR(50)  NULL, \r\n"
    "    [ReferenceNumber]   VARCHAR(200) NULL, \r\n"
    "    [Amount]            FLOAT        NULL \r\n"
    "  ); ";
inline constexpr std::string_view kLogTableScript =
    "-- Extra Payments Log Table \r\n"
    "IF ( OBJECT_ID( 'ExtraPaymentLog', 'U' ) IS NULL ) \r\n"
    "  CREATE TABLE [ExtraPaymentLog] ( \r\n"
    "    [ID]        INT           NOT NULL IDENTITY(1,1) PRIMARY KEY, \r\n"
    "    [Timestamp] DATETIME      NOT NULL , \r\n"
    "    [Class]     VARCHAR(10)   NOT NULL , \r\n"
    "    [Message]   VARCHAR(1000) NOT NULL \r\n"
    "  ); ";

}  // namespace orvo
