// Errors across the contract, as COM carries them: a failing method returns a failure HRESULT
// and leaves the thread's error object behind (description = the message, source = the error's
// class name). On Windows that is the system's error object (oleaut32: CreateErrorInfo,
// SetErrorInfo, GetErrorInfo), which every COM-aware language reads; elsewhere a slot per thread
// that the host program lends the module (orvo_ThreadErrorSlot below).
//
// C++ on either side keeps exceptions: implementations run each method's body through
// orvo::ComBody, which turns any exception into the HRESULT and the error object, and the
// interfaces' inline wrappers make each call as orvo::CallOut().Check(raw call), which clears the
// thread's error object first and raises EOrvoError from a failure.
#pragma once
#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <string_view>
#include <typeinfo>
#include <utility>

#if defined(__GNUC__)
#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#endif

#include "AnsiString.h"
#include "ComPtr.h"
#include "IInterface.h"

#if defined(_WIN32)
// The system's error object, declared exactly as <windows.h> declares it, so that a host's own
// <windows.h>, included before or after, stays as it would be.
struct IErrorInfo;
struct ICreateErrorInfo;
extern "C" {
__declspec(dllimport) long ORVO_STDCALL CreateErrorInfo(ICreateErrorInfo** created);
__declspec(dllimport) long ORVO_STDCALL SetErrorInfo(unsigned long reserved, IErrorInfo* info);
__declspec(dllimport) long ORVO_STDCALL GetErrorInfo(unsigned long reserved, IErrorInfo** info);
__declspec(dllimport) void ORVO_STDCALL SysFreeString(wchar_t* text);
__declspec(dllimport) unsigned int ORVO_STDCALL SysStringLen(wchar_t* text);
__declspec(dllimport) int ORVO_STDCALL MultiByteToWideChar(unsigned int codePage, unsigned long flags,
                                                           const char* text, int bytes, wchar_t* wide, int chars);
__declspec(dllimport) int ORVO_STDCALL WideCharToMultiByte(unsigned int codePage, unsigned long flags,
                                                           const wchar_t* wide, int chars, char* text, int bytes,
                                                           const char* defaultChar, int* usedDefault);
}
#if defined(_MSC_VER)
#pragma comment(lib, "oleaut32")
#endif
#else
// The thread's error slot on Linux: two texts, held by the host program, which exports
// orvo_ThreadErrorSlot (the reference host does). The module imports it weakly and exports
// nothing for it; loaded into a host without one it keeps a slot of its own, and its errors then
// reach such a host as failure codes without their messages.
struct OrvoErrorSlot {
    AnsiString Description;
    AnsiString Source;
};
ORVO_ASSERT_LAYOUT(OrvoErrorSlot, 8, 16, 4, 8);
extern "C" OrvoErrorSlot* orvo_ThreadErrorSlot(void) __attribute__((weak));
#endif

#if defined(_WIN32)
namespace orvo::detail {
// The two system interfaces by their slots (COM layout), for the calls this header makes.
struct ICreateErrorInfoSlots : IInterface {
    static constexpr TGUID IID = ParseGuid("{22F03340-547D-101B-8E65-08002B2BD119}");
    virtual long ORVO_STDCALL SetGUID(const TGUID& guid) = 0;
    virtual long ORVO_STDCALL SetSource(wchar_t* source) = 0;
    virtual long ORVO_STDCALL SetDescription(wchar_t* description) = 0;
};
struct IErrorInfoSlots : IInterface {
    static constexpr TGUID IID = ParseGuid("{1CF2B120-547D-101B-8E65-08002B2BD119}");
    virtual long ORVO_STDCALL GetGUID(TGUID* guid) = 0;
    virtual long ORVO_STDCALL GetSource(wchar_t** source) = 0;
    virtual long ORVO_STDCALL GetDescription(wchar_t** description) = 0;
};
}  // namespace orvo::detail
#endif

namespace orvo {
// The error object that came with a host's failure, carried with the error while it is in flight
// so that, passing back to the host, it is handed back as it was set: the system's object itself
// on Windows, the slot's two texts elsewhere. Empty for the module's own errors.
#if defined(_WIN32)
using TCarriedError = ComPtr<detail::IErrorInfoSlots>;
#else
struct TCarriedError : OrvoErrorSlot {
    explicit operator bool() const noexcept { return !Description.empty() || !Source.empty(); }
};
#endif
}  // namespace orvo

// Every error the contract carries. ClassName is what the module's log writes beside the message;
// Code the failure code it crosses with (an error that came across keeps the code it came with,
// and the error object it came with).
class EOrvoError : public std::exception {
public:
    explicit EOrvoError(std::string message, std::string className = "Exception", HRESULT32 code = ORVO_E_FAIL,
                        orvo::TCarriedError carried = {})
        : message_(std::move(message)), className_(std::move(className)), code_(code), carried_(std::move(carried)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const char* ClassName() const noexcept { return className_.c_str(); }
    HRESULT32 Code() const noexcept { return code_; }
    const orvo::TCarriedError& Carried() const noexcept { return carried_; }

private:
    std::string message_;
    std::string className_;
    HRESULT32 code_;
    orvo::TCarriedError carried_;
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

namespace orvo {
namespace detail {
#if defined(_WIN32)
// Text in the ANSI code page and back, as the system's error object holds UTF-16.
inline std::wstring WideOf(std::string_view text) {
    std::wstring wide(text.size(), L'\0');
    const int chars = text.empty() ? 0
                                   : MultiByteToWideChar(0, 0, text.data(), int(text.size()), wide.data(),
                                                         int(wide.size()));
    wide.resize(size_t(chars > 0 ? chars : 0));
    return wide;
}
inline std::string AnsiOfSystemText(wchar_t* text) {
    const int chars = text ? int(SysStringLen(text)) : 0;
    std::string out;
    if (chars > 0) {
        const int bytes = WideCharToMultiByte(0, 0, text, chars, nullptr, 0, nullptr, nullptr);
        out.resize(size_t(bytes > 0 ? bytes : 0));
        if (bytes > 0) WideCharToMultiByte(0, 0, text, chars, out.data(), bytes, nullptr, nullptr);
    }
    if (text) SysFreeString(text);
    return out;
}
#else
inline OrvoErrorSlot& ThreadErrorSlot() noexcept {
    if (orvo_ThreadErrorSlot) return *orvo_ThreadErrorSlot();
    static thread_local OrvoErrorSlot own;
    return own;
}
#endif

inline std::string TypeName(const std::type_info& type) {
#if defined(__GNUC__)
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                     std::free);
    if (status == 0 && demangled) return demangled.get();
#endif
    return type.name();
}
}  // namespace detail

// The class name of an error: its own for the contract's errors, else the C++ type's.
inline std::string ErrorClassName(const std::exception& error) {
    if (const auto* own = dynamic_cast<const EOrvoError*>(&error)) return own->ClassName();
    return detail::TypeName(typeid(error));
}

// Within a handler: the class name of the error being handled, of whatever type it is.
inline std::string CurrentErrorClassName() {
    try {
        throw;
    } catch (const std::exception& error) {
        return ErrorClassName(error);
    } catch (...) {
#if defined(__GNUC__)
        if (const std::type_info* type = abi::__cxa_current_exception_type()) return detail::TypeName(*type);
#endif
        return "unknown error";
    }
}

// Within a handler: the message of the error being handled; empty for one not derived from
// std::exception.
inline std::string CurrentErrorMessage() {
    try {
        throw;
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return {};
    }
}

// Leaves the thread's error object for the caller of a failing method.
inline void SetErrorInfo(std::string_view description, std::string_view source) noexcept {
    try {
#if defined(_WIN32)
        ICreateErrorInfo* created = nullptr;
        if (::CreateErrorInfo(&created) < 0 || !created) return;
        auto* create = reinterpret_cast<detail::ICreateErrorInfoSlots*>(created);
        std::wstring wideSource = detail::WideOf(source), wideDescription = detail::WideOf(description);
        create->SetSource(wideSource.data());
        create->SetDescription(wideDescription.data());
        void* info = nullptr;
        if (create->QueryInterface(detail::IErrorInfoSlots::IID, &info) >= 0 && info) {
            ::SetErrorInfo(0, static_cast<IErrorInfo*>(info));
            static_cast<detail::IErrorInfoSlots*>(info)->_Release();
        }
        create->_Release();
#else
        OrvoErrorSlot& slot = detail::ThreadErrorSlot();
        slot.Description = AnsiString(description);
        slot.Source = AnsiString(source);
#endif
    } catch (...) {  // no memory for the texts: the failure code alone goes back
    }
}

// Clears the thread's error object, so that after the next call only what that call set counts.
inline void ClearErrorInfo() noexcept {
#if defined(_WIN32)
    ::SetErrorInfo(0, nullptr);
#else
    OrvoErrorSlot& slot = detail::ThreadErrorSlot();
    if (!slot.Description.empty() || !slot.Source.empty()) slot = OrvoErrorSlot();
#endif
}

// Takes the thread's error object (it is gone afterwards); empty when there is none.
inline TCarriedError TakeErrorInfo() noexcept {
    TCarriedError taken;
#if defined(_WIN32)
    ::GetErrorInfo(0, reinterpret_cast<IErrorInfo**>(taken.ReleaseAndGetAddressOf()));
#else
    OrvoErrorSlot& slot = detail::ThreadErrorSlot();
    std::swap(static_cast<OrvoErrorSlot&>(taken), slot);
#endif
    return taken;
}

// Hands an error object that came from the host back to the thread, as it was.
inline void PutBackErrorInfo(const TCarriedError& carried) noexcept {
#if defined(_WIN32)
    ::SetErrorInfo(0, reinterpret_cast<IErrorInfo*>(carried.Get()));
#else
    detail::ThreadErrorSlot() = carried;
#endif
}

// Runs the body of an implemented method: ORVO_S_OK when it returns, else the failure code with
// the error object set from whatever it raised, standard or not; a host's error passing back is
// handed back as the very error object the host set.
template <class Body>
HRESULT32 ComBody(Body&& body) noexcept {
    try {
        body();
        return ORVO_S_OK;
    } catch (const EOrvoError& error) {
        if (error.Carried())
            PutBackErrorInfo(error.Carried());
        else
            SetErrorInfo(error.what(), error.ClassName());
        return OrvoFailed(error.Code()) ? error.Code() : ORVO_E_FAIL;
    } catch (const std::bad_alloc& error) {
        // Nothing here may allocate: its class name is a literal, not the demangled type's text.
        SetErrorInfo(error.what(), "std::bad_alloc");
        return ORVO_E_OUTOFMEMORY;
    } catch (...) {
        try {
            SetErrorInfo(CurrentErrorMessage(), CurrentErrorClassName());
        } catch (...) {
        }
        return ORVO_E_FAIL;
    }
}

// The same for a method with out-pointers, named before the body: a null one is refused before
// the body runs, so the call has no effect and hands out nothing.
template <class Out, class... Rest>
HRESULT32 ComBody(Out* out, Rest&&... rest) noexcept {
    if (!out) {
        SetErrorInfo("A result pointer is null", "EArgumentNil");
        return ORVO_E_FAIL;
    }
    return ComBody(std::forward<Rest>(rest)...);
}

// Raises EOrvoError for a failed call, from the error object the call left, which goes with it.
[[noreturn]] inline void RaiseFailure(HRESULT32 result) {
    TCarriedError carried = TakeErrorInfo();
    if (carried) {
#if defined(_WIN32)
        wchar_t* text = nullptr;
        std::string description = carried->GetDescription(&text) >= 0 ? detail::AnsiOfSystemText(text) : std::string();
        text = nullptr;
        std::string source = carried->GetSource(&text) >= 0 ? detail::AnsiOfSystemText(text) : std::string();
#else
        std::string description = carried.Description.str(), source = carried.Source.str();
#endif
        throw EOrvoError(std::move(description), std::move(source), result, std::move(carried));
    }
    char text[64];
    std::snprintf(text, sizeof text, "The call failed with code 0x%08X", unsigned(result));
    throw EOrvoError(text, "EOleSysError", result);
}

// A call out through a raw method, written CallOut().Check(raw_Method(...)): the thread's error
// object is cleared before the call (the object is made before the arguments are evaluated), so
// only an error object that this call set is taken for its failure, which Check raises as
// EOrvoError.
struct TCallOut {
    void Check(HRESULT32 result) const {
        if (OrvoFailed(result)) RaiseFailure(result);
    }
};
inline TCallOut CallOut() noexcept {
    ClearErrorInfo();
    return {};
}
}  // namespace orvo
