// Shared types of the binary contract: text, money, dates, bound methods, the object root,
// the line container, and the error classes. Host and module share one C++ runtime, so an
// exception raised on either side can be caught on the other.
#pragma once
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

#include "AnsiString.h"
#include "ComPtr.h"
#include "IInterface.h"
#include "OrvoGuid.h"
#include "OrvoPlatform.h"

// Money: a signed count of ten-thousandths of the currency unit.
using Currency = int64_t;
inline constexpr Currency kCurrencyScale = 10000;

// Currency units as a double, divided in extended precision as the host expects.
inline double CurrencyToDouble(Currency value) { return double(static_cast<long double>(value) / kCurrencyScale); }

// Date and time: days since 1899-12-30, the fraction being the time of day.
using TDateTime = double;

// A bound method: a function taking the object first, and the object. "Set" means the
// function is set; the object part may be empty.
template <class Signature>
struct TMethod;

template <class R, class... Args>
struct TMethod<R(Args...)> {
    using Function = R(ORVO_STDCALL*)(void* self, Args...);
    Function Code = nullptr;
    void* Data = nullptr;

    bool IsSet() const noexcept { return Code != nullptr; }
    R operator()(Args... args) const { return Code(Data, args...); }
    friend bool operator==(const TMethod& a, const TMethod& b) noexcept { return a.Code == b.Code && a.Data == b.Data; }
};

namespace orvo::detail {
template <auto Member>
struct MethodThunk;
template <class C, class R, class... Args, R (C::*Member)(Args...)>
struct MethodThunk<Member> {
    using Method = TMethod<R(Args...)>;
    static R ORVO_STDCALL Call(void* self, Args... args) { return (static_cast<C*>(self)->*Member)(args...); }
};
}  // namespace orvo::detail

// Binds a member function of a module or host class to an object: BindMethod<&T::OnClick>(this).
template <auto Member, class C>
auto BindMethod(C* object) {
    using Thunk = orvo::detail::MethodThunk<Member>;
    return typename Thunk::Method{&Thunk::Call, static_cast<void*>(object)};
}

// Root of objects attached to configuration lines; the list destroys them only in FreeObjects.
class TObject {
public:
    virtual ~TObject() = default;
};

// An ordered list of text lines owned by one side and filled or read by the other.
class TStrings {
public:
    // Number of lines.
    virtual int32_t ORVO_STDCALL Count() const = 0;
    // Line Index (0 first); raises EStringListError when out of range.
    virtual AnsiString ORVO_STDCALL Get(int32_t index) const = 0;
    // Appends a line and returns its index.
    virtual int32_t ORVO_STDCALL Add(const AnsiString& line) = 0;

protected:
    ~TStrings() = default;  // owned by the side that made it
};

// Errors. Each carries the class name that the module log writes beside the message.
class EOrvoError : public std::exception {
public:
    explicit EOrvoError(std::string message, const char* className = "Exception")
        : message_(std::move(message)), className_(className) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const char* ClassName() const noexcept { return className_; }

private:
    std::string message_;
    const char* className_;
};

// A host service that the operation cannot do without was not supplied.
// Reads "text (unit, line N)".
class EAssertionFailed : public EOrvoError {
public:
    EAssertionFailed(std::string_view text, std::string_view unit, int line)
        : EOrvoError(std::string(text) + " (" + std::string(unit) + ", line " + std::to_string(line) + ")",
                     "EAssertionFailed") {}
};

// An index outside a list, or a line that is not there.
class EStringListError : public EOrvoError {
public:
    explicit EStringListError(std::string message) : EOrvoError(std::move(message), "EStringListError") {}
};

// Text that does not read as the value asked for.
class EConvertError : public EOrvoError {
public:
    explicit EConvertError(std::string message) : EOrvoError(std::move(message), "EConvertError") {}
};

ORVO_ASSERT_LAYOUT(TMethod<void()>, 8, 16, 4, 8);
