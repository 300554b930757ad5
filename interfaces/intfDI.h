// Generated from contract/Orvo.idl by contract/generate.py: edit those, not this file.
// The host's service container and the factory interface the module registers with it.
#pragma once
#include "OrvoTypes.h"

struct IDIFactory : IInterface {
    static constexpr TGUID IID = ParseGuid("{5C0E8EF1-24C4-4E5E-89D8-CB1B423A164C}");
    // Makes a new object on every call; *obj: a new reference to its base interface.
    virtual HRESULT32 ORVO_STDCALL raw_CreateObject(IInterface** obj) = 0;

    ComPtr<IInterface> CreateObject() {
        ComPtr<IInterface> obj;
        orvo::CallOut().Check(raw_CreateObject(obj.ReleaseAndGetAddressOf()));
        return obj;
    }
};
template <>
struct ComImpl<IDIFactory> : IDIFactory {
    virtual ComPtr<IInterface> CreateObject() = 0;

    HRESULT32 ORVO_STDCALL raw_CreateObject(IInterface** obj) final {
        return orvo::ComBody(obj, [&] { orvo::PutObject(obj, CreateObject()); });
    }
};

struct IDIContainer : IInterface {
    static constexpr TGUID IID = ParseGuid("{D2C0A6A1-5B7E-4C39-9E57-0F7A0C3B1E11}");
    // Keeps a reference to obj and serves it for iid through GetInstance.
    virtual HRESULT32 ORVO_STDCALL raw_RegisterInstance(const TGUID& iid, IInterface* obj) = 0;
    // Keeps a reference to factory; Resolve(iid) calls it.
    virtual HRESULT32 ORVO_STDCALL raw_RegisterFactory(const TGUID& iid, IDIFactory* factory) = 0;
    // Keeps a reference to factory; ResolveNamed(iid, name) calls it. name is borrowed.
    virtual HRESULT32 ORVO_STDCALL raw_RegisterNamedFactory(const TGUID& iid, OrvoAnsiString name,
                                                            IDIFactory* factory) = 0;
    // Drops the instance registered for iid and its reference.
    virtual HRESULT32 ORVO_STDCALL raw_UnregisterInstance(const TGUID& iid) = 0;
    // Drops the factory registered for iid and its reference.
    virtual HRESULT32 ORVO_STDCALL raw_UnregisterFactory(const TGUID& iid) = 0;
    // Drops the factory registered for iid under name and its reference.
    virtual HRESULT32 ORVO_STDCALL raw_UnregisterNamedFactory(const TGUID& iid, OrvoAnsiString name) = 0;
    // *found true with a new reference to the shared object in *obj (as iid); false and null when none.
    virtual HRESULT32 ORVO_STDCALL raw_GetInstance(const TGUID& iid, void** obj, OrvoBool* found) = 0;
    // *found true with a new object from iid's factory in *obj (as iid); false and null when none.
    virtual HRESULT32 ORVO_STDCALL raw_Resolve(const TGUID& iid, void** obj, OrvoBool* found) = 0;
    // As Resolve, with the factory registered under name.
    virtual HRESULT32 ORVO_STDCALL raw_ResolveNamed(const TGUID& iid, OrvoAnsiString name, void** obj,
                                                    OrvoBool* found) = 0;

    void RegisterInstance(const TGUID& iid, IInterface* obj) { orvo::CallOut().Check(raw_RegisterInstance(iid, obj)); }
    void RegisterFactory(const TGUID& iid, IDIFactory* factory) {
        orvo::CallOut().Check(raw_RegisterFactory(iid, factory));
    }
    void RegisterNamedFactory(const TGUID& iid, const AnsiString& name, IDIFactory* factory) {
        orvo::CallOut().Check(raw_RegisterNamedFactory(iid, name.Raw(), factory));
    }
    void UnregisterInstance(const TGUID& iid) { orvo::CallOut().Check(raw_UnregisterInstance(iid)); }
    void UnregisterFactory(const TGUID& iid) { orvo::CallOut().Check(raw_UnregisterFactory(iid)); }
    void UnregisterNamedFactory(const TGUID& iid, const AnsiString& name) {
        orvo::CallOut().Check(raw_UnregisterNamedFactory(iid, name.Raw()));
    }
    bool GetInstance(const TGUID& iid, void** obj) {
        OrvoBool found = 0;
        orvo::CallOut().Check(raw_GetInstance(iid, obj, &found));
        return found != 0;
    }
    bool Resolve(const TGUID& iid, void** obj) {
        OrvoBool found = 0;
        orvo::CallOut().Check(raw_Resolve(iid, obj, &found));
        return found != 0;
    }
    bool ResolveNamed(const TGUID& iid, const AnsiString& name, void** obj) {
        OrvoBool found = 0;
        orvo::CallOut().Check(raw_ResolveNamed(iid, name.Raw(), obj, &found));
        return found != 0;
    }
};
template <>
struct ComImpl<IDIContainer> : IDIContainer {
    virtual void RegisterInstance(const TGUID& iid, IInterface* obj) = 0;
    virtual void RegisterFactory(const TGUID& iid, IDIFactory* factory) = 0;
    virtual void RegisterNamedFactory(const TGUID& iid, const AnsiString& name, IDIFactory* factory) = 0;
    virtual void UnregisterInstance(const TGUID& iid) = 0;
    virtual void UnregisterFactory(const TGUID& iid) = 0;
    virtual void UnregisterNamedFactory(const TGUID& iid, const AnsiString& name) = 0;
    virtual bool GetInstance(const TGUID& iid, void** obj) = 0;
    virtual bool Resolve(const TGUID& iid, void** obj) = 0;
    virtual bool ResolveNamed(const TGUID& iid, const AnsiString& name, void** obj) = 0;

    HRESULT32 ORVO_STDCALL raw_RegisterInstance(const TGUID& iid, IInterface* obj) final {
        return orvo::ComBody([&] { RegisterInstance(iid, obj); });
    }
    HRESULT32 ORVO_STDCALL raw_RegisterFactory(const TGUID& iid, IDIFactory* factory) final {
        return orvo::ComBody([&] { RegisterFactory(iid, factory); });
    }
    HRESULT32 ORVO_STDCALL raw_RegisterNamedFactory(const TGUID& iid, OrvoAnsiString name, IDIFactory* factory) final {
        return orvo::ComBody([&] { RegisterNamedFactory(iid, TBorrowedText(name), factory); });
    }
    HRESULT32 ORVO_STDCALL raw_UnregisterInstance(const TGUID& iid) final {
        return orvo::ComBody([&] { UnregisterInstance(iid); });
    }
    HRESULT32 ORVO_STDCALL raw_UnregisterFactory(const TGUID& iid) final {
        return orvo::ComBody([&] { UnregisterFactory(iid); });
    }
    HRESULT32 ORVO_STDCALL raw_UnregisterNamedFactory(const TGUID& iid, OrvoAnsiString name) final {
        return orvo::ComBody([&] { UnregisterNamedFactory(iid, TBorrowedText(name)); });
    }
    HRESULT32 ORVO_STDCALL raw_GetInstance(const TGUID& iid, void** obj, OrvoBool* found) final {
        return orvo::ComBody(obj, found, [&] { *found = GetInstance(iid, obj); });
    }
    HRESULT32 ORVO_STDCALL raw_Resolve(const TGUID& iid, void** obj, OrvoBool* found) final {
        return orvo::ComBody(obj, found, [&] { *found = Resolve(iid, obj); });
    }
    HRESULT32 ORVO_STDCALL raw_ResolveNamed(const TGUID& iid, OrvoAnsiString name, void** obj, OrvoBool* found) final {
        return orvo::ComBody(obj, found, [&] { *found = ResolveNamed(iid, TBorrowedText(name), obj); });
    }
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
