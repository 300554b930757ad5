// The C face of the contract (OrvoContract.h) against the C++ one, both generated from
// interfaces/contract/Orvo.idl (which fixes the slots and their order): every shared struct has
// the same size and member offsets, every method the same arguments, every identifier and
// constant the same value, as two compilers lay them out. Compiling is the test.
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

#define SAME_SIZE(type) static_assert(sizeof(c_face::type) == sizeof(::type), #type ": sizes differ")
#define SAME_OFFSET(type, cMember, cppMember)                                                                     \
    static_assert(offsetof(c_face::type, cMember) == offsetof(::type, cppMember), #type "." #cMember ": offsets " \
                                                                                                     "differ")

// clang-format off
SAME_SIZE(TGUID);
SAME_OFFSET(TGUID, D1, D1); SAME_OFFSET(TGUID, D2, D2); SAME_OFFSET(TGUID, D3, D3); SAME_OFFSET(TGUID, D4, D4);

// The text: one pointer, the pointer type of the C++ side.
static_assert(sizeof(c_face::OrvoAnsiString) == sizeof(AnsiString));
static_assert(std::is_same_v<c_face::OrvoAnsiString, ::OrvoAnsiString>);
static_assert(std::is_same_v<c_face::OrvoBool, ::OrvoBool>);
static_assert(std::is_same_v<c_face::Currency, ::Currency>);
static_assert(std::is_same_v<c_face::TDateTime, ::TDateTime>);

SAME_SIZE(TSQLArg);
static_assert(alignof(c_face::TSQLArg) == alignof(::TSQLArg));
SAME_OFFSET(TSQLArg, Kind, Kind); SAME_OFFSET(TSQLArg, Length, Length); SAME_OFFSET(TSQLArg, Value.Integer, Integer);
SAME_OFFSET(TSQLArg, Value.Float, Float); SAME_OFFSET(TSQLArg, Value.Text, Text);
SAME_SIZE(TSQLArgs);
SAME_OFFSET(TSQLArgs, Items, Items);
SAME_OFFSET(TSQLArgs, Count, Count);
static_assert(c_face::ORVO_SQLARG_INTEGER == int32_t(TSQLArgKind::Integer) &&
              c_face::ORVO_SQLARG_TEXT == int32_t(TSQLArgKind::Text) &&
              c_face::ORVO_SQLARG_FLOAT == int32_t(TSQLArgKind::Float));

SAME_SIZE(TFormControlInfo);
SAME_OFFSET(TFormControlInfo, Name, Name); SAME_OFFSET(TFormControlInfo, Parent, Parent);
SAME_OFFSET(TFormControlInfo, Text, Text); SAME_OFFSET(TFormControlInfo, FontFace, FontFace);
SAME_OFFSET(TFormControlInfo, Kind, Kind); SAME_OFFSET(TFormControlInfo, Left, Left);
SAME_OFFSET(TFormControlInfo, Top, Top); SAME_OFFSET(TFormControlInfo, Width, Width);
SAME_OFFSET(TFormControlInfo, Height, Height); SAME_OFFSET(TFormControlInfo, FontHeight, FontHeight);
SAME_OFFSET(TFormControlInfo, TabOrder, TabOrder); SAME_OFFSET(TFormControlInfo, ModalResult, ModalResult);
SAME_OFFSET(TFormControlInfo, Accelerator, Accelerator); SAME_OFFSET(TFormControlInfo, Flags, Flags);
static_assert(c_face::ORVO_CONTROL_GROUPBOX == int32_t(TFormControlKind::GroupBox) &&
              c_face::ORVO_CONTROL_EDIT == int32_t(TFormControlKind::Edit) &&
              c_face::ORVO_CONTROL_BUTTON == int32_t(TFormControlKind::Button) &&
              c_face::ORVO_CONTROL_LABEL == int32_t(TFormControlKind::Label) &&
              c_face::ORVO_CONTROL_DATEPICKER == int32_t(TFormControlKind::DatePicker));
static_assert(c_face::ORVO_CONTROL_READONLY == kControlReadOnly && c_face::ORVO_CONTROL_FOCUSED == kControlFocused &&
              c_face::ORVO_CONTROL_CENTREDTEXT == kControlCentredText &&
              c_face::ORVO_CONTROL_ALIGNEDTOP == kControlAlignedTop);
static_assert(c_face::mrNone == ::mrNone && c_face::mrOk == ::mrOk && c_face::mrCancel == ::mrCancel);

// Bound methods: the function, then the object.
#define SAME_METHOD(type)    \
    SAME_SIZE(type);         \
    SAME_OFFSET(type, Code, Code); \
    SAME_OFFSET(type, Data, Data)
SAME_METHOD(TEventHandler);
SAME_METHOD(TMenuClickEvent);
SAME_METHOD(TPaymentChangeEvent);
SAME_METHOD(TAddCashupEntryEvent);
SAME_METHOD(TRemoveCashupEntryEvent);

#if !defined(_WIN32)
SAME_SIZE(OrvoErrorSlot);
SAME_OFFSET(OrvoErrorSlot, Description, Description);
SAME_OFFSET(OrvoErrorSlot, Source, Source);
#endif

static_assert(c_face::ORVO_S_OK == ::ORVO_S_OK && c_face::ORVO_S_FALSE == ::ORVO_S_FALSE &&
              c_face::ORVO_E_NOINTERFACE == ::ORVO_E_NOINTERFACE &&
              c_face::ORVO_E_POINTER == ::ORVO_E_POINTER && c_face::ORVO_E_FAIL == ::ORVO_E_FAIL &&
              c_face::ORVO_E_OUTOFMEMORY == ::ORVO_E_OUTOFMEMORY);

constexpr bool SameGuid(const c_face::TGUID& c, const ::TGUID& cpp) {
    if (c.D1 != cpp.D1 || c.D2 != cpp.D2 || c.D3 != cpp.D3) return false;
    for (int i = 0; i < 8; ++i)
        if (c.D4[i] != cpp.D4[i]) return false;
    return true;
}

// Each table starts with the three IInterface slots.
#define INTERFACE(I)                                                                \
    static_assert(SameGuid(c_face::IID_##I, ::I::IID), #I ": identifiers differ"); \
    static_assert(offsetof(c_face::I##Vtbl, Release) == 2 * kPointer);             \
    static_assert(sizeof(c_face::I) == kPointer)
INTERFACE(IInterface);
INTERFACE(IDIFactory);
INTERFACE(IDIContainer);
INTERFACE(IStrings);
INTERFACE(IDBScript);
INTERFACE(IActCodes);
INTERFACE(IAuthentication);
INTERFACE(IDatabaseChanges);
INTERFACE(IEventManager);
INTERFACE(IExtraPaymentsManagement);
INTERFACE(IExtraPaymentsTransaction);
INTERFACE(IFormView);
INTERFACE(IFormHost);
INTERFACE(IGenericInput);
INTERFACE(IHTMLViewer);
INTERFACE(IMainMenuManager);
INTERFACE(IStringConfigList);
INTERFACE(IPaymentMethod);

// COM's error interfaces, which the C face names as its own.
static_assert(SameGuid(c_face::IID_IOrvoSupportErrorInfo, orvo::ISupportErrorInfo::IID));
static_assert(sizeof(c_face::IOrvoSupportErrorInfoVtbl) == 4 * kPointer);
#if defined(_WIN32)
static_assert(SameGuid(c_face::IID_IOrvoErrorInfo, orvo::detail::IErrorInfoSlots::IID));
static_assert(SameGuid(c_face::IID_IOrvoCreateErrorInfo, orvo::detail::ICreateErrorInfoSlots::IID));
static_assert(sizeof(c_face::IOrvoErrorInfoVtbl) == 8 * kPointer && sizeof(c_face::IOrvoCreateErrorInfoVtbl) == 8 * kPointer);
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
#define COUNTERPART(type_)                                                                                 \
    template <> struct Cpp<c_face::type_> { using type = ::type_; };                                       \
    template <> struct Cpp<c_face::type_*> { using type = ::type_*; };                                     \
    template <> struct Cpp<const c_face::type_*> { using type = const ::type_*; };                         \
    template <> struct Cpp<c_face::type_**> { using type = ::type_**; }
COUNTERPART(IInterface);
COUNTERPART(IDIFactory);
COUNTERPART(IStrings);
COUNTERPART(IStringConfigList);
COUNTERPART(IFormView);
COUNTERPART(IPaymentMethod);
COUNTERPART(TSQLArgs);
COUNTERPART(TFormControlInfo);
COUNTERPART(TEventHandler);
COUNTERPART(TMenuClickEvent);
COUNTERPART(TPaymentChangeEvent);
COUNTERPART(TAddCashupEntryEvent);
COUNTERPART(TRemoveCashupEntryEvent);

template <class... A>
struct Args {};
template <class T, class... A>
Args<typename Cpp<A>::type...> SlotArgs(int32_t(ORVO_STDCALL*)(T*, A...));
template <class C, class... A>
Args<A...> MethodArgs(HRESULT32 (ORVO_STDCALL C::*)(A...));
template <class... A>
Args<typename Cpp<A>::type...> FunctionArgs(int32_t(ORVO_STDCALL*)(A...));

#define AGREES(I, method)                                                                                  \
    static_assert(std::is_same_v<decltype(SlotArgs(c_face::I##Vtbl{}.method)), decltype(MethodArgs(&::I::raw_##method))>, \
                  #I "::" #method ": arguments differ")
AGREES(IDIFactory, CreateObject);
static_assert(std::is_same_v<decltype(SlotArgs(c_face::IOrvoSupportErrorInfoVtbl{}.InterfaceSupportsErrorInfo)),
                             decltype(MethodArgs(&orvo::ISupportErrorInfo::InterfaceSupportsErrorInfo))>);
AGREES(IDIContainer, RegisterInstance); AGREES(IDIContainer, RegisterFactory);
AGREES(IDIContainer, RegisterNamedFactory); AGREES(IDIContainer, UnregisterInstance);
AGREES(IDIContainer, UnregisterFactory); AGREES(IDIContainer, UnregisterNamedFactory);
AGREES(IDIContainer, GetInstance); AGREES(IDIContainer, Resolve); AGREES(IDIContainer, ResolveNamed);
AGREES(IStrings, GetCount); AGREES(IStrings, Get); AGREES(IStrings, Add);
AGREES(IDBScript, ExecSQL); AGREES(IDBScript, QueryValue); AGREES(IDBScript, QueryJSON);
AGREES(IActCodes, AddActCode); AGREES(IActCodes, LinkActCode);
AGREES(IAuthentication, CheckAccess);
AGREES(IDatabaseChanges, GetChanges);
AGREES(IEventManager, Subscribe);
AGREES(IExtraPaymentsTransaction, AddTransaction); AGREES(IExtraPaymentsTransaction, UpdateTransaction);
AGREES(IExtraPaymentsTransaction, SetInvoiceNum);
AGREES(IFormView, GetCaption); AGREES(IFormView, GetClientWidth); AGREES(IFormView, GetClientHeight);
AGREES(IFormView, GetControlCount); AGREES(IFormView, GetControl); AGREES(IFormView, IndexOfControl);
AGREES(IFormView, GetText); AGREES(IFormView, SetText); AGREES(IFormView, GetDate); AGREES(IFormView, SetDate);
AGREES(IFormView, Click); AGREES(IFormView, GetModalResult);
AGREES(IFormHost, ShowModal); AGREES(IFormHost, ReportError);
AGREES(IGenericInput, SetCaption); AGREES(IGenericInput, Execute);
AGREES(IHTMLViewer, ShowHTML);
AGREES(IMainMenuManager, AddMenuItem);
AGREES(IStringConfigList, GetFirst); AGREES(IStringConfigList, GetLast); AGREES(IStringConfigList, GetBoolean);
AGREES(IStringConfigList, GetDateTime); AGREES(IStringConfigList, GetFloat); AGREES(IStringConfigList, GetInteger);
AGREES(IStringConfigList, GetObject); AGREES(IStringConfigList, GetString); AGREES(IStringConfigList, GetFloatAt);
AGREES(IStringConfigList, GetValueAt); AGREES(IStringConfigList, GetIntegerAt);
AGREES(IStringConfigList, GetObjectAt); AGREES(IStringConfigList, GetValueOrLineAt);
AGREES(IStringConfigList, GetLineAsBoolean); AGREES(IStringConfigList, GetLineAsDateTime);
AGREES(IStringConfigList, GetLineAsFloat); AGREES(IStringConfigList, GetLineAsInteger);
AGREES(IStringConfigList, GetLine); AGREES(IStringConfigList, SetBoolean); AGREES(IStringConfigList, SetDateTime);
AGREES(IStringConfigList, SetFloat); AGREES(IStringConfigList, SetInteger); AGREES(IStringConfigList, SetString);
AGREES(IStringConfigList, SetObject); AGREES(IStringConfigList, SetFloatAt); AGREES(IStringConfigList, SetValueAt);
AGREES(IStringConfigList, SetObjectAt); AGREES(IStringConfigList, SetIntegerAt);
AGREES(IStringConfigList, SetLineAsBoolean); AGREES(IStringConfigList, SetLineAsDateTime);
AGREES(IStringConfigList, SetLineAsFloat); AGREES(IStringConfigList, SetLineAsInteger);
AGREES(IStringConfigList, SetLine); AGREES(IStringConfigList, GetValueFromIndex);
AGREES(IStringConfigList, SetValueFromIndex); AGREES(IStringConfigList, GetNameAt);
AGREES(IStringConfigList, GetCommaText); AGREES(IStringConfigList, GetDelimitedText);
AGREES(IStringConfigList, GetText); AGREES(IStringConfigList, GetCount); AGREES(IStringConfigList, AddString);
AGREES(IStringConfigList, AddInteger); AGREES(IStringConfigList, AddFloat); AGREES(IStringConfigList, AddDateTime);
AGREES(IStringConfigList, AddBoolean); AGREES(IStringConfigList, AddObject); AGREES(IStringConfigList, WithString);
AGREES(IStringConfigList, WithInteger); AGREES(IStringConfigList, WithFloat);
AGREES(IStringConfigList, WithDateTime); AGREES(IStringConfigList, WithBoolean);
AGREES(IStringConfigList, WithObject); AGREES(IStringConfigList, AddLine); AGREES(IStringConfigList, WithLine);
AGREES(IStringConfigList, Join); AGREES(IStringConfigList, FindName); AGREES(IStringConfigList, IsPairAt);
AGREES(IStringConfigList, Contains); AGREES(IStringConfigList, GetStrings); AGREES(IStringConfigList, HasName);
AGREES(IStringConfigList, Clear); AGREES(IStringConfigList, FreeObjects); AGREES(IStringConfigList, Remove);
AGREES(IPaymentMethod, SetAmount); AGREES(IPaymentMethod, SetOnChange); AGREES(IPaymentMethod, SetGratuity);
AGREES(IPaymentMethod, GetAmount); AGREES(IPaymentMethod, GetOnChange); AGREES(IPaymentMethod, GetGratuity);
AGREES(IPaymentMethod, GetConfig); AGREES(IPaymentMethod, SetDescription); AGREES(IPaymentMethod, GetName);
AGREES(IPaymentMethod, GetCaption); AGREES(IPaymentMethod, GetPaymentType); AGREES(IPaymentMethod, DoPaymentPopup);
AGREES(IPaymentMethod, Clear); AGREES(IPaymentMethod, AddCashupEntry); AGREES(IPaymentMethod, RemoveCashupEntry);
AGREES(IPaymentMethod, InsertSQL); AGREES(IPaymentMethod, HostHookA); AGREES(IPaymentMethod, HostHookB);
AGREES(IPaymentMethod, HostHookC);

// clang-format on

#define SAME_FUNCTION(type)                                                                                      \
    static_assert(                                                                                               \
        std::is_same_v<decltype(FunctionArgs(c_face::type{}.Code)), decltype(FunctionArgs(::type::Function{}))>, \
        #type ": the function's arguments differ")
SAME_FUNCTION(TEventHandler);
SAME_FUNCTION(TMenuClickEvent);
SAME_FUNCTION(TPaymentChangeEvent);
SAME_FUNCTION(TAddCashupEntryEvent);
SAME_FUNCTION(TRemoveCashupEntryEvent);

static_assert(std::is_same_v<decltype(c_face::TInitModule{}(nullptr)), int32_t> &&
              std::is_same_v<decltype(c_face::TFinalModule{}()), HRESULT32>);
}  // namespace
