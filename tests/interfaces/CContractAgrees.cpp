// The C face of the contract (OrvoContract.h) against the C++ one: every record with the size,
// alignment and field offsets the declaration gives (ContractLayout.inc, generated from
// interfaces/contract/Orvo.idl), every value, identifier and table the same, every slot taking
// the same arguments; CContractLayout.c checks the C face with the C compiler. Compiling is the
// test. What the declaration does not hold (the shared types, COM's error interfaces, the
// exports) is checked here by hand.
#include <stddef.h>
#include <stdint.h>

#include "interfaces/OrvoErrors.h"
#include "interfaces/OrvoExports.h"
#include "interfaces/intfActCodes.h"
#include "interfaces/intfAuthentication.h"
#include "interfaces/intfDBScript.h"
#include "interfaces/intfDI.h"
#include "interfaces/intfDatabaseChanges.h"
#include "interfaces/intfEventManager.h"
#include "interfaces/intfExtraPaymentsManagement.h"
#include "interfaces/intfExtraPaymentsTransaction.h"
#include "interfaces/intfFormHost.h"
#include "interfaces/intfGenericInput.h"
#include "interfaces/intfHTMLViewer.h"
#include "interfaces/intfMainMenuManager.h"
#include "interfaces/intfPaymentMethod.h"
#include "interfaces/intfStringConfigList.h"

namespace c_face {
#include "interfaces/OrvoContract.h"
}

namespace {
constexpr size_t kPointer = sizeof(void*);
constexpr size_t OnTarget(size_t n32, size_t n64) { return kPointer == 4 ? n32 : n64; }

#define SAME_SIZE(type) static_assert(sizeof(c_face::type) == sizeof(::type), #type ": sizes differ")
#define SAME_OFFSET(type, cMember, cppMember) \
    static_assert(offsetof(c_face::type, cMember) == offsetof(::type, cppMember), #type "." #cMember ": offsets differ")

SAME_SIZE(TGUID);
SAME_OFFSET(TGUID, D1, D1);
SAME_OFFSET(TGUID, D2, D2);
SAME_OFFSET(TGUID, D3, D3);
SAME_OFFSET(TGUID, D4, D4);

// The text: one pointer, the pointer type of the C++ side.
static_assert(sizeof(c_face::OrvoAnsiString) == sizeof(AnsiString));
static_assert(std::is_same_v<c_face::OrvoAnsiString, ::OrvoAnsiString>);
static_assert(std::is_same_v<c_face::OrvoBool, ::OrvoBool>);
static_assert(std::is_same_v<c_face::Currency, ::Currency>);
static_assert(std::is_same_v<c_face::TDateTime, ::TDateTime>);

#if !defined(_WIN32)
SAME_SIZE(OrvoErrorSlot);
SAME_OFFSET(OrvoErrorSlot, Description, Description);
SAME_OFFSET(OrvoErrorSlot, Source, Source);
#endif

constexpr bool SameGuid(const c_face::TGUID& c, const ::TGUID& cpp) {
    if (c.D1 != cpp.D1 || c.D2 != cpp.D2 || c.D3 != cpp.D3) return false;
    for (int i = 0; i < 8; ++i)
        if (c.D4[i] != cpp.D4[i]) return false;
    return true;
}

// COM's error interfaces, which the C face names as its own.
static_assert(SameGuid(c_face::IID_IOrvoSupportErrorInfo, orvo::ISupportErrorInfo::IID));
static_assert(sizeof(c_face::IOrvoSupportErrorInfoVtbl) == 4 * kPointer);
#if defined(_WIN32)
static_assert(SameGuid(c_face::IID_IOrvoErrorInfo, orvo::detail::IErrorInfoSlots::IID));
static_assert(SameGuid(c_face::IID_IOrvoCreateErrorInfo, orvo::detail::ICreateErrorInfoSlots::IID));
static_assert(sizeof(c_face::IOrvoErrorInfoVtbl) == 8 * kPointer &&
              sizeof(c_face::IOrvoCreateErrorInfoVtbl) == 8 * kPointer);
#endif

// Each slot takes what the C++ method takes, the C face's types read as their C++ counterparts;
// the bound methods' functions likewise.
template <class T>
struct Cpp {
    using type = T;
};
template <>
struct Cpp<const c_face::TGUID*> {
    using type = const ::TGUID&;
};
template <class... A>
struct Args {};
template <class T, class... A>
Args<typename Cpp<A>::type...> SlotArgs(int32_t(ORVO_STDCALL*)(T*, A...));
template <class C, class... A>
Args<A...> MethodArgs(HRESULT32 (ORVO_STDCALL C::*)(A...));
template <class... A>
Args<typename Cpp<A>::type...> FunctionArgs(int32_t(ORVO_STDCALL*)(A...));
static_assert(std::is_same_v<decltype(SlotArgs(c_face::IOrvoSupportErrorInfoVtbl{}.InterfaceSupportsErrorInfo)),
                             decltype(MethodArgs(&orvo::ISupportErrorInfo::InterfaceSupportsErrorInfo))>);
static_assert(std::is_same_v<decltype(c_face::TInitModule{}(nullptr)), int32_t> &&
              std::is_same_v<decltype(c_face::TFinalModule{}()), HRESULT32>);

// What the declaration says, one line each in ContractLayout.inc.
#define COUNTERPART(T)                                                     \
    template <> struct Cpp<c_face::T*> { using type = ::T*; };             \
    template <> struct Cpp<const c_face::T*> { using type = const ::T*; }; \
    template <> struct Cpp<c_face::T**> { using type = ::T**; };           \
    template <> struct Cpp<c_face::T> { using type = ::T; };
#define ORVO_RECORD(R, size32, size64, align32, align64)                                                  \
    static_assert(sizeof(c_face::R) == OnTarget(size32, size64) && sizeof(::R) == OnTarget(size32, size64) && \
                  alignof(c_face::R) == OnTarget(align32, align64) && alignof(::R) == alignof(c_face::R),    \
                  #R ": size or alignment");                                                              \
    COUNTERPART(R)
#define ORVO_FIELD(R, cPath, cppName, offset32, offset64)                    \
    static_assert(offsetof(c_face::R, cPath) == OnTarget(offset32, offset64) && \
                  offsetof(::R, cppName) == OnTarget(offset32, offset64), #R "." #cppName ": offset");
#define ORVO_VALUE(cName, cppValue, value) \
    static_assert(c_face::cName == (value) && (cppValue) == (value), #cName ": value");
#define ORVO_BOUND(M)                                                                               \
    static_assert(sizeof(c_face::M) == 2 * kPointer && sizeof(::M) == 2 * kPointer &&               \
                  offsetof(c_face::M, Data) == kPointer && offsetof(::M, Data) == kPointer, #M ": layout"); \
    COUNTERPART(M)
#define ORVO_INTERFACE(I, slots)                                                                        \
    static_assert(SameGuid(c_face::IID_##I, ::I::IID), #I ": identifiers differ");                      \
    static_assert(sizeof(c_face::I##Vtbl) == (slots) * kPointer && sizeof(c_face::I) == kPointer &&     \
                      offsetof(c_face::I##Vtbl, Release) == 2 * kPointer, #I ": table");              \
    COUNTERPART(I)
#define ORVO_FUNCTION(M)                                                                                      \
    static_assert(                                                                                            \
        std::is_same_v<decltype(FunctionArgs(c_face::M{}.Code)), decltype(FunctionArgs(::M::Function{}))>, \
        #M ": the function's arguments differ");
#define ORVO_SLOT(I, method, slot)                                                                   \
    static_assert(offsetof(c_face::I##Vtbl, method) == (slot) * kPointer, #I "::" #method ": slot"); \
    static_assert(std::is_same_v<decltype(SlotArgs(c_face::I##Vtbl{}.method)),                      \
                                 decltype(MethodArgs(&::I::raw_##method))>,                         \
                  #I "::" #method ": arguments differ");
#include "ContractLayout.inc"
}  // namespace
