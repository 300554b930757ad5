// The host's service container and the factory interface the module registers with it.
#pragma once
#include "OrvoTypes.h"

struct IDIFactory : IInterface {
    static constexpr TGUID IID = ParseGuid("{5C0E8EF1-24C4-4E5E-89D8-CB1B423A164C}");
    // Makes a new object on every call; returns a new reference to its base interface.
    virtual IInterface* ORVO_STDCALL CreateObject() = 0;
};

struct IDIContainer : IInterface {
    static constexpr TGUID IID = ParseGuid("{D2C0A6A1-5B7E-4C39-9E57-0F7A0C3B1E11}");
    // Keeps a reference to obj and serves it for iid through GetInstance.
    virtual void ORVO_STDCALL RegisterInstance(const TGUID& iid, IInterface* obj) = 0;
    // Keeps a reference to factory; Resolve(iid) calls it.
    virtual void ORVO_STDCALL RegisterFactory(const TGUID& iid, IDIFactory* factory) = 0;
    // Keeps a reference to factory; ResolveNamed(iid, name) calls it.
    virtual void ORVO_STDCALL RegisterNamedFactory(const TGUID& iid, const AnsiString& name, IDIFactory* factory) = 0;
    // Drops the instance registered for iid and its reference.
    virtual void ORVO_STDCALL UnregisterInstance(const TGUID& iid) = 0;
    // Drops the factory registered for iid and its reference.
    virtual void ORVO_STDCALL UnregisterFactory(const TGUID& iid) = 0;
    // Drops the factory registered for iid under name and its reference.
    virtual void ORVO_STDCALL UnregisterNamedFactory(const TGUID& iid, const AnsiString& name) = 0;
    // True with a new reference to the shared object in *obj (as iid); false and null when none.
    virtual bool ORVO_STDCALL GetInstance(const TGUID& iid, void** obj) = 0;
    // True with a new object from iid's factory in *obj (as iid); false and null when none.
    virtual bool ORVO_STDCALL Resolve(const TGUID& iid, void** obj) = 0;
    // As Resolve, with the factory registered under name.
    virtual bool ORVO_STDCALL ResolveNamed(const TGUID& iid, const AnsiString& name, void** obj) = 0;
};

// Typed forms of the three lookups; an empty reference when the container has none.
template <class T>
ComPtr<T> GetInstanceOf(IDIContainer& container) {
    ComPtr<T> r;
    container.GetInstance(T::IID, r.ReleaseAndGetVoidAddress());
    return r;
}
template <class T>
ComPtr<T> ResolveOf(IDIContainer& container) {
    ComPtr<T> r;
    container.Resolve(T::IID, r.ReleaseAndGetVoidAddress());
    return r;
}
template <class T>
ComPtr<T> ResolveNamedOf(IDIContainer& container, const AnsiString& name) {
    ComPtr<T> r;
    container.ResolveNamed(T::IID, name, r.ReleaseAndGetVoidAddress());
    return r;
}
