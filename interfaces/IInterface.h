// The base interface: COM layout, three slots, every other interface derives from it.
#pragma once
#include <cstdint>

#include "OrvoGuid.h"
#include "OrvoShared.h"

struct IInterface {
    static constexpr TGUID IID = ParseGuid("{00000000-0000-0000-C000-000000000046}");
    // On success stores a new reference to the requested interface in *obj and returns ORVO_S_OK;
    // otherwise stores null and returns ORVO_E_NOINTERFACE (ORVO_E_POINTER for a null iid or obj).
    virtual HRESULT32 ORVO_STDCALL QueryInterface(const TGUID& iid, void** obj) = 0;
    // Adds one reference; returns the new count (informational only).
    virtual int32_t ORVO_STDCALL _AddRef() = 0;
    // Drops one reference; the object frees itself at zero. Returns the new count.
    virtual int32_t ORVO_STDCALL _Release() = 0;

protected:
    ~IInterface() = default;  // never deleted through an interface: Release frees
};

namespace orvo {
// COM's ISupportErrorInfo, asked before reading the thread's error object after a failed call:
// does the object leave one for the interface it was called through? Every object of the module
// answers it. (In a namespace: <windows.h> declares the global name.)
struct ISupportErrorInfo : IInterface {
    static constexpr TGUID IID = ParseGuid("{DF0B3D60-548F-101B-8E65-08002B2BD119}");
    // ORVO_S_OK when a failing method of interface iid leaves an error object; ORVO_S_FALSE otherwise.
    virtual HRESULT32 ORVO_STDCALL InterfaceSupportsErrorInfo(const TGUID& iid) = 0;

protected:
    ~ISupportErrorInfo() = default;
};
}  // namespace orvo
