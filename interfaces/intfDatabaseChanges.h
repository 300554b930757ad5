// Generated from contract/Orvo.idl by contract/generate.py: edit those, not this file.
// The schema changes a module hands the host, registered as a named factory.
#pragma once
#include "OrvoTypes.h"

struct IDatabaseChanges : IInterface {
    static constexpr TGUID IID = ParseGuid("{46A625EC-9BF5-42C0-AC4F-9E6719539020}");
    // Appends the module's scripts to scripts (the host's list, lent for the call; one entry per
    // script) and registers its access codes. The first argument is the host's and is ignored.
    virtual HRESULT32 ORVO_STDCALL raw_GetChanges(int32_t version, IStrings* scripts) = 0;

    void GetChanges(int32_t version, IStrings& scripts) { orvo::CallOut().Check(raw_GetChanges(version, &scripts)); }
};
template <>
struct ComImpl<IDatabaseChanges> : IDatabaseChanges {
    virtual void GetChanges(int32_t version, IStrings& scripts) = 0;

    HRESULT32 ORVO_STDCALL raw_GetChanges(int32_t version, IStrings* scripts) final {
        return orvo::ComBody(scripts, [&] { GetChanges(version, *scripts); });
    }
};
