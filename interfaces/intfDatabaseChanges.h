// The schema changes a module hands the host, registered as a named factory.
#pragma once
#include "OrvoTypes.h"

struct IDatabaseChanges : IInterface {
    static constexpr TGUID IID = ParseGuid("{46A625EC-9BF5-42C0-AC4F-9E6719539020}");
    // Appends the module's scripts to scripts (the host's list; one entry per script) and
    // registers its access codes. The first argument is the host's and is ignored.
    virtual void ORVO_STDCALL GetChanges(int32_t version, TStrings& scripts) = 0;
};
