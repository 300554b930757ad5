// Shared types of the binary contract: text, money, dates, Booleans, bound methods and the
// host's list of lines (IStrings, in intfStrings.h). What crosses is C layout only (see
// OrvoErrors.h for how errors cross).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "AnsiString.h"
#include "ComPtr.h"
#include "IInterface.h"
#include "OrvoErrors.h"
#include "OrvoGuid.h"
#include "OrvoPlatform.h"

// Money: a signed count of ten-thousandths of the currency unit.
using Currency = int64_t;
inline constexpr Currency kCurrencyScale = 10000;

// Currency units as a double, divided in extended precision as the host expects.
inline double CurrencyToDouble(Currency value) { return double(static_cast<long double>(value) / kCurrencyScale); }

// Date and time: days since 1899-12-30, the fraction being the time of day.
using TDateTime = double;

// A Boolean as it crosses: a 32-bit integer, 0 false, anything else true (Win32's BOOL).
typedef int32_t OrvoBool;

namespace orvo {
// Out-arguments that receive a new reference (the caller releases it), for a raw method whose
// out-pointers ComBody has checked.
inline void PutText(OrvoAnsiString* out, AnsiString text) noexcept { *out = text.Detach(); }
template <class T>
void PutObject(T** out, ComPtr<T> object) noexcept {
    *out = object.Detach();
}

namespace detail {
// How a parameter of a C++ handler crosses: a text as its one pointer, the rest as they are.
template <class T>
struct Crossing {
    using Raw = T;
    static T FromRaw(T value) { return value; }
};
template <>
struct Crossing<const AnsiString&> {
    using Raw = OrvoAnsiString;
    static TBorrowedText FromRaw(OrvoAnsiString value) { return TBorrowedText(value); }
};
template <class T>
decltype(auto) ToRaw(T&& value) noexcept {
    if constexpr (std::is_same_v<std::decay_t<T>, AnsiString>)
        return value.Raw();
    else
        return std::forward<T>(value);
}
}  // namespace detail
}  // namespace orvo

// A bound method: a function taking the object first, and the object. "Set" means the
// function is set; the object part may be empty. The function returns an HRESULT and leaves the
// thread's error object on failure, as every method of the contract does.
template <class Signature>
struct TMethod;

template <class... Args>
struct TMethod<void(Args...)> {
    using Function = HRESULT32(ORVO_STDCALL*)(void* self, Args...);
    Function Code = nullptr;
    void* Data = nullptr;

    bool IsSet() const noexcept { return Code != nullptr; }
    // Calls it; a failure raises EOrvoError with the handler's message.
    template <class... CallArgs>
    void operator()(CallArgs&&... args) const {
        orvo::CallOut().Check(Code(Data, orvo::detail::ToRaw(std::forward<CallArgs>(args))...));
    }
    friend bool operator==(const TMethod& a, const TMethod& b) noexcept { return a.Code == b.Code && a.Data == b.Data; }
};

namespace orvo::detail {
template <auto Member>
struct MethodThunk;
template <class C, class... Params, void (C::*Member)(Params...)>
struct MethodThunk<Member> {
    using Method = TMethod<void(typename Crossing<Params>::Raw...)>;
    static HRESULT32 ORVO_STDCALL Call(void* self, typename Crossing<Params>::Raw... args) {
        return ComBody([&] { (static_cast<C*>(self)->*Member)(Crossing<Params>::FromRaw(args)...); });
    }
};
template <auto Function>
struct FunctionThunk;
template <class D, class... Params, void (*Function)(D*, Params...)>
struct FunctionThunk<Function> {
    using Method = TMethod<void(typename Crossing<Params>::Raw...)>;
    static HRESULT32 ORVO_STDCALL Call(void* data, typename Crossing<Params>::Raw... args) {
        return ComBody([&] { Function(static_cast<D*>(data), Crossing<Params>::FromRaw(args)...); });
    }
};
}  // namespace orvo::detail

// Binds a function taking data first: BindFunction<&OnChange>(session).
template <auto Function, class D>
auto BindFunction(D* data) {
    using Thunk = orvo::detail::FunctionThunk<Function>;
    return typename Thunk::Method{&Thunk::Call, static_cast<void*>(data)};
}

// Binds a member function of a module or host class to an object: BindMethod<&T::OnClick>(this).
// The member takes C++ types (texts as const AnsiString&) and may raise; the bound method
// returns the HRESULT.
template <auto Member, class C>
auto BindMethod(C* object) {
    using Thunk = orvo::detail::MethodThunk<Member>;
    return typename Thunk::Method{&Thunk::Call, static_cast<void*>(object)};
}

ORVO_ASSERT_LAYOUT(TMethod<void()>, 8, 16, 4, 8);

// The list of lines, the one interface the types above need (generated with the others).
#include "intfStrings.h"
