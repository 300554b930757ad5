// The registration table: what the module registers with the host's container, in order, and
// how each registration is withdrawn. Withdrawal walks the table backwards.
#pragma once
#include <span>

#include "interfaces/intfDI.h"

namespace orvo {

struct TRegistrationRow {
    const char* what;  // for readers of the table
    void (*registerWith)(IDIContainer& container);
    void (*withdrawFrom)(IDIContainer& container);
};

// The rows in registration order.
std::span<const TRegistrationRow> RegistrationTable();

void RegisterAll(IDIContainer& container);
void WithdrawAll(IDIContainer& container);

}  // namespace orvo
