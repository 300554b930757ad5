// The host's container as the module holds it between InitModule and FinalModule.
#pragma once
#include "interfaces/intfDI.h"

namespace orvo {

// The container handed to InitModule; empty before it and after FinalModule.
ComPtr<IDIContainer> HeldContainer();

// Holds container from now on and returns the one held before; the caller lets go of that one
// outside the hold's lock, since releasing it may run the host's code.
ComPtr<IDIContainer> HoldContainer(ComPtr<IDIContainer> container);

// Empties the hold if it still holds container, and returns what it let go of (empty otherwise).
ComPtr<IDIContainer> LetGoOfContainer(const ComPtr<IDIContainer>& container);

}  // namespace orvo
