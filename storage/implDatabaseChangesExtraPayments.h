// The module's schema changes and access codes, handed to the host to apply when it decides.
#pragma once
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

}  // namespace orvo
