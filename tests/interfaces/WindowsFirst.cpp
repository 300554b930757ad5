// A host's own <windows.h> first, then the whole contract.
#include <windows.h>

#include "AllInterfaces.h"
#include "tests/interfaces/WindowsIntact.h"
