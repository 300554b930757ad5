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

// The held container holds the first gRegistered rows: registration and withdrawal both stop
// at a refusal. InitModule and FinalModule are called one at a time.
size_t gRegistered = 0;

}  // namespace

std::span<const TRegistrationRow> RegistrationTable() { return kRows; }

void RegisterAll(IDIContainer& container) {
    for (gRegistered = 0; gRegistered < kRows.size(); ++gRegistered) kRows[gRegistered].registerWith(container);
}

void WithdrawRegistered(IDIContainer& container, void (*onRefusal)(const TRegistrationRow& row)) {
    for (; gRegistered > 0; --gRegistered) {
        try {
            kRows[gRegistered - 1].withdrawFrom(container);
        } catch (...) {
            if (!onRefusal) throw;
            onRefusal(kRows[gRegistered - 1]);  // the container is let go of with this row
        }
    }
}

}  // namespace orvo
