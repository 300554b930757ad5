// Generated from contract/Orvo.idl by contract/generate.py: edit those, not this file.
// The key under which the host keeps the module's management object; no operations of its own.
#pragma once
#include "OrvoTypes.h"

struct IExtraPaymentsManagement : IInterface {
    static constexpr TGUID IID = ParseGuid("{18DC7950-A609-4152-ADC8-1C9F410A7DBE}");
};
