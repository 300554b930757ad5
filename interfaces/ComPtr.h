// Counted interface references and the one reference-counted object base.
#pragma once
#include <atomic>
#include <cstdint>
#include <new>
#include <tuple>
#include <type_traits>
#include <utility>

#include "IInterface.h"

// Holds one counted reference. The names say whether a raw pointer is adopted (its reference
// taken over) or copied (a reference added). No other code calls _AddRef or _Release.
template <class T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(std::nullptr_t) noexcept {}
    ComPtr(const ComPtr& other) noexcept : ptr_(other.ptr_) { AddRef(); }
    ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    ComPtr(ComPtr<U> other) noexcept : ptr_(other.Detach()) {}
    ~ComPtr() { Reset(); }

    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(ptr_, other.ptr_);
        return *this;
    }

    // Takes over a reference that the caller already owns (a "new reference" result).
    static ComPtr Adopt(T* p) noexcept {
        ComPtr r;
        r.ptr_ = p;
        return r;
    }
    // Adds a reference of its own to an object that someone else holds.
    static ComPtr AddRefOf(T* p) noexcept {
        ComPtr r;
        r.ptr_ = p;
        r.AddRef();
        return r;
    }

    T* Get() const noexcept { return ptr_; }
    T* operator->() const noexcept { return ptr_; }
    T& operator*() const noexcept { return *ptr_; }
    explicit operator bool() const noexcept { return ptr_ != nullptr; }

    // Gives up the reference without releasing it (the caller now owns it).
    T* Detach() noexcept { return std::exchange(ptr_, nullptr); }
    void Reset() noexcept {
        if (T* p = std::exchange(ptr_, nullptr)) p->_Release();
    }
    // For out-parameters that return a new reference: releases what is held first.
    T** ReleaseAndGetAddressOf() noexcept {
        Reset();
        return &ptr_;
    }
    void** ReleaseAndGetVoidAddress() noexcept { return reinterpret_cast<void**>(ReleaseAndGetAddressOf()); }

    // Asks the object for interface U; empty when it does not implement it.
    template <class U>
    ComPtr<U> As() const noexcept {
        ComPtr<U> r;
        if (ptr_) ptr_->QueryInterface(U::IID, r.ReleaseAndGetVoidAddress());
        return r;
    }

    friend bool operator==(const ComPtr& a, const ComPtr& b) noexcept { return a.ptr_ == b.ptr_; }
    friend bool operator==(const ComPtr& a, std::nullptr_t) noexcept { return a.ptr_ == nullptr; }

private:
    void AddRef() noexcept {
        if (ptr_) ptr_->_AddRef();
    }
    T* ptr_ = nullptr;
};

namespace orvo {
// Live objects made from TInterfacedObject in this binary; a test hook for leak checks.
inline std::atomic<int32_t> gLiveObjectCount{0};
}  // namespace orvo

// The C++ face of interface I for its implementations: each interface header specializes it
// with the methods as C++ (plain results, errors raised) and the raw methods that call them
// through orvo::ComBody. An interface without methods of its own needs none.
template <class I>
struct ComImpl : I {};

namespace orvo::detail {
// An object's count of references, changed atomically.
class TReferenceCount {
public:
    explicit TReferenceCount(int32_t initial) noexcept : count_(initial) {}
    int32_t Add() noexcept { return count_.fetch_add(1, std::memory_order_relaxed) + 1; }
    // Drops one reference and frees the owner at zero; the count left.
    template <class Owner>
    int32_t Release(Owner* owner) noexcept {
        const int32_t left = count_.fetch_sub(1, std::memory_order_acq_rel) - 1;
        if (left == 0) delete owner;
        return left;
    }

private:
    std::atomic<int32_t> count_;
};

// A caller in another language may pass a null identifier where C++ sees a reference; its
// address is read through a volatile so that the check is not assumed away.
inline bool IsNullIdentifier(const TGUID& iid) noexcept {
    const TGUID* const volatile address = &iid;
    return address == nullptr;
}

// The ISupportErrorInfo of an object, made when a caller asks for it (COM's error readers do,
// after a failed call), so that objects carry nothing for it: it answers for the interfaces the
// object lists and hands every other question, and the object's identity, to the object.
class TSupportErrorInfo final : public ISupportErrorInfo {
public:
    TSupportErrorInfo(ComPtr<IInterface> object, bool (*lists)(const TGUID& iid) noexcept) noexcept
        : object_(std::move(object)), lists_(lists) {}
    TSupportErrorInfo(const TSupportErrorInfo&) = delete;
    TSupportErrorInfo& operator=(const TSupportErrorInfo&) = delete;

    HRESULT32 ORVO_STDCALL QueryInterface(const TGUID& iid, void** obj) override {
        if (!obj || IsNullIdentifier(iid) || !(iid == ISupportErrorInfo::IID)) return object_->QueryInterface(iid, obj);
        _AddRef();
        *obj = static_cast<ISupportErrorInfo*>(this);
        return ORVO_S_OK;
    }
    int32_t ORVO_STDCALL _AddRef() override { return refs_.Add(); }
    int32_t ORVO_STDCALL _Release() override { return refs_.Release(this); }
    HRESULT32 ORVO_STDCALL InterfaceSupportsErrorInfo(const TGUID& iid) override {
        if (IsNullIdentifier(iid)) return ORVO_E_POINTER;
        return lists_(iid) ? ORVO_S_OK : ORVO_S_FALSE;
    }

private:
    ComPtr<IInterface> object_;
    bool (*lists_)(const TGUID& iid) noexcept;
    TReferenceCount refs_{1};
};
}  // namespace orvo::detail

// The reference-counted base of every object that implements interfaces. List the
// interfaces once, as template arguments; QueryInterface answers for exactly those, for
// IInterface (through the first) and for ISupportErrorInfo, which names the listed ones. The
// object frees itself when the count returns to zero.
template <class... Interfaces>
class TInterfacedObject : public ComImpl<Interfaces>... {
    static_assert(sizeof...(Interfaces) > 0, "an object implements at least one interface");
    using First = std::tuple_element_t<0, std::tuple<Interfaces...>>;

public:
    TInterfacedObject() noexcept { orvo::gLiveObjectCount.fetch_add(1, std::memory_order_relaxed); }
    TInterfacedObject(const TInterfacedObject&) = delete;
    TInterfacedObject& operator=(const TInterfacedObject&) = delete;
    virtual ~TInterfacedObject() { orvo::gLiveObjectCount.fetch_sub(1, std::memory_order_relaxed); }

    HRESULT32 ORVO_STDCALL QueryInterface(const TGUID& iid, void** obj) override {
        if (!obj) return ORVO_E_POINTER;
        *obj = nullptr;
        if (orvo::detail::IsNullIdentifier(iid)) return ORVO_E_POINTER;
        if (iid == IInterface::IID) {
            *obj = static_cast<IInterface*>(static_cast<First*>(this));
        } else if (iid == orvo::ISupportErrorInfo::IID) {
            auto* support = new (std::nothrow)
                orvo::detail::TSupportErrorInfo(ComPtr<IInterface>::AddRefOf(AsIInterface()), &Lists);
            if (!support) return ORVO_E_OUTOFMEMORY;
            *obj = static_cast<orvo::ISupportErrorInfo*>(support);
            return ORVO_S_OK;
        } else {
            ((iid == Interfaces::IID && !*obj
                  ? void(*obj = static_cast<Interfaces*>(static_cast<ComImpl<Interfaces>*>(this)))
                  : void()),
             ...);
        }
        if (!*obj) return ORVO_E_NOINTERFACE;
        _AddRef();
        return ORVO_S_OK;
    }
    int32_t ORVO_STDCALL _AddRef() override { return refs_.Add(); }
    int32_t ORVO_STDCALL _Release() override { return refs_.Release(this); }

    // The object's base interface, for handing it over without a cast at each site.
    IInterface* AsIInterface() noexcept { return static_cast<IInterface*>(static_cast<First*>(this)); }

private:
    // Whether iid is one of the listed interfaces (IInterface itself is none of the object's own).
    static bool Lists(const TGUID& iid) noexcept { return ((iid == Interfaces::IID) || ...); }

    orvo::detail::TReferenceCount refs_{0};
};

// Makes a new object and returns the only reference to it.
template <class T, class... Args>
ComPtr<T> MakeObject(Args&&... args) {
    return ComPtr<T>::AddRefOf(new T(std::forward<Args>(args)...));
}

// Makes a new object and returns the only reference to it as its base interface, the form in
// which a factory hands it out.
template <class T, class... Args>
ComPtr<IInterface> MakeBaseObject(Args&&... args) {
    return ComPtr<IInterface>::Adopt(MakeObject<T>(std::forward<Args>(args)...).Detach()->AsIInterface());
}
