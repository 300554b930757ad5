#include "Registration.h"

#include <array>

#include "implDatabaseChangesExtraPayments.h"
#include "implExtraPaymentsTransaction.h"

namespace orvo {
namespace {

// A factory or instance is created here and handed over; the container's reference is the
// only one kept, so withdrawing the registration frees it.
// Rows are added as the services they register exist.
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
};

}  // namespace

std::span<const TRegistrationRow> RegistrationTable() {
    return kRows;
}

void RegisterAll(IDIContainer& container) {
    for (const TRegistrationRow& row : RegistrationTable()) row.registerWith(container);
}

void WithdrawAll(IDIContainer& container) {
    const auto rows = RegistrationTable();
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) row->withdrawFrom(container);
}

}  // namespace orvo
