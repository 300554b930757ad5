// The registration table: what the module registers with the host's container, in order, and
// how each registration is withdrawn. Withdrawal walks the table backwards and withdraws exactly
// what is registered: a registration refused, or withdrawn already, is not withdrawn again.
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

// Registers every row in order, up to a refusal; each row counts as registered once the container
// took it, and a refusal leaves a row registered before as it was.
void RegisterAll(IDIContainer& container);
// Withdraws what is registered, last first. A refused withdrawal stays registered: without
// onRefusal the refusal is raised and a later call resumes with that row; with it, onRefusal runs
// inside the handler of the refusal, the row is forgotten (the caller lets go of the container)
// and the walk goes on.
void WithdrawRegistered(IDIContainer& container, void (*onRefusal)(const TRegistrationRow& row) = nullptr);

}  // namespace orvo
