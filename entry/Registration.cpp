#include "entry/Registration.h"

#include <array>

#include "backoffice/implExtraPaymentsManagement.h"
#include "payments/implPaymentMethodABSA.h"
#include "payments/implPaymentMethodMrD.h"
#include "payments/implPaymentMethodNedbank.h"
#include "payments/implPaymentMethodOtherCC.h"
#include "payments/implPaymentMethodUber.h"
#include "storage/implDatabaseChangesExtraPayments.h"
#include "storage/implExtraPaymentsTransaction.h"

namespace orvo {
namespace {

// The payment methods share one interface identifier; the host tells them apart by name.
template <class Factory, const TPaymentMethodNames& Names>
constexpr TRegistrationRow PaymentMethodRow() {
    return {
        Names.displayName,
        [](IDIContainer& c) {
            c.RegisterNamedFactory(IPaymentMethod::IID, Names.displayName, MakeObject<Factory>().Get());
        },
        [](IDIContainer& c) { c.UnregisterNamedFactory(IPaymentMethod::IID, Names.displayName); },
    };
}

// A factory or instance is created here and handed over; the container's reference is the
// only one kept, so withdrawing the registration frees it.
constexpr std::array kRows{
    TRegistrationRow{
        "transaction records",
        [](IDIContainer& c) {
            c.RegisterFactory(IExtraPaymentsTransaction::IID, MakeObject<TExtraPaymentsTransactionFactory>().Get());
        },
        [](IDIContainer& c) { c.UnregisterFactory(IExtraPaymentsTransaction::IID); },
    },
    TRegistrationRow{
        "database changes",
        [](IDIContainer& c) {
            c.RegisterNamedFactory(IDatabaseChanges::IID, "ExtraPayments",
                                   MakeObject<TDatabaseChangesExtraPaymentsFactory>().Get());
        },
        [](IDIContainer& c) { c.UnregisterNamedFactory(IDatabaseChanges::IID, "ExtraPayments"); },
    },
    TRegistrationRow{
        "management factory",
        [](IDIContainer& c) {
            c.RegisterFactory(IExtraPaymentsManagement::IID, MakeObject<TExtraPaymentsManagementFactory>().Get());
        },
        [](IDIContainer& c) { c.UnregisterFactory(IExtraPaymentsManagement::IID); },
    },
    TRegistrationRow{
        "management object, handed over as its base interface",
        [](IDIContainer& c) {
            c.RegisterInstance(IExtraPaymentsManagement::IID, MakeObject<TExtraPaymentsManagement>()->AsIInterface());
        },
        [](IDIContainer& c) { c.UnregisterInstance(IExtraPaymentsManagement::IID); },
    },
    PaymentMethodRow<TPaymentMethodUberfactory, kUberNames>(),
    PaymentMethodRow<TPaymentMethodMrDfactory, kMrDNames>(),
    PaymentMethodRow<TPaymentMethodABSAfactory, kABSANames>(),
    PaymentMethodRow<TPaymentMethodNedbankfactory, kNedbankNames>(),
    PaymentMethodRow<TPaymentMethodOtherCCfactory, kOtherCCNames>(),
};

// The rows the held container holds from the module, one flag each: a row counts from the
// registration the container took until its withdrawal. A registration refused later (the same
// container called again by a second InitModule) leaves the flag as it was, since the container
// still holds the first one. InitModule and FinalModule are called one at a time.
std::array<bool, kRows.size()> gRegistered{};

}  // namespace

std::span<const TRegistrationRow> RegistrationTable() { return kRows; }

void RegisterAll(IDIContainer& container) {
    for (size_t row = 0; row < kRows.size(); ++row) {
        kRows[row].registerWith(container);
        gRegistered[row] = true;
    }
}

void WithdrawRegistered(IDIContainer& container, void (*onRefusal)(const TRegistrationRow& row)) {
    for (size_t row = kRows.size(); row-- > 0;) {
        if (!gRegistered[row]) continue;
        try {
            kRows[row].withdrawFrom(container);
        } catch (...) {
            if (!onRefusal) throw;
            onRefusal(kRows[row]);  // the container is let go of with this row
        }
        gRegistered[row] = false;
    }
}

}  // namespace orvo
