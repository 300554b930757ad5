// The whole contract first, then a host's own <windows.h>.
#include "AllInterfaces.h"

#include <windows.h>

#include "tests/interfaces/WindowsIntact.h"
