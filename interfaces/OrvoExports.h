// The module's two exported functions, by name, __stdcall and undecorated on 32-bit Windows.
// Each returns ORVO_S_OK, or a failure code with the thread's error object set when an error of
// the container's reached it. A host that declares them as returning nothing is unaffected.
#pragma once
#include "intfDI.h"

// InitModule(container): keeps the container and registers the module's services.
typedef HRESULT32(ORVO_STDCALL* TInitModule)(IDIContainer* container);
// FinalModule(): withdraws the registrations and lets go of the container; safe to repeat.
typedef HRESULT32(ORVO_STDCALL* TFinalModule)();
