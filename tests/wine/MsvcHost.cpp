// A host in C++ for the MSVC ABI (clang --target=i686-pc-windows-msvc, lld-link), built without
// the MSVC runtime and without the project's C++ headers: the interfaces are declared below from
// the contract as abstract structs of __stdcall virtual methods, as an MSVC host declares them;
// OrvoContract.h (inside namespace c) gives the identifiers, the statement arguments, the control
// description and the text block. The module (g++) calls into this program's vtables and this
// program into the module's, so the two compilers' object layouts, `this` passing and by-value
// struct arguments are proved to meet. It runs the scenario of the sample host, with the same
// checks, printing "FAILED: ..." for each that does not hold; exit code 0 when all held.
//
//   MsvcHost.exe <module folder>
//
// Freestanding: the system's msvcrt.dll, kernel32.dll and oleaut32.dll, declared here; no
// exceptions, no RTTI, no static objects that need constructing at start-up.
#include <stdarg.h>
#include <stddef.h>
#include <stdint.h>

namespace c {
#include "OrvoContract.h"
}

using c::OrvoAnsiString;
using c::OrvoBool;
using c::TGUID;
using HRESULT = int32_t;
using Currency = int64_t;
using TDateTime = double;

// ---- The system's functions this program uses ------------------------------------------------
struct SystemTime {
    uint16_t year, month, dayOfWeek, day, hour, minute, second, milliseconds;
};
struct StartupInfo {
    int newMode;
};
extern "C" {
__declspec(dllimport) void* __stdcall LoadLibraryExA(const char* path, void* file, unsigned long flags);
__declspec(dllimport) void* __stdcall GetProcAddress(void* module, const char* name);
__declspec(dllimport) int __stdcall FreeLibrary(void* module);
__declspec(dllimport) unsigned long __stdcall GetFullPathNameA(const char* path, unsigned long size, char* full,
                                                               char** part);
__declspec(dllimport) unsigned long __stdcall GetLastError(void);
__declspec(dllimport) unsigned long __stdcall GetModuleFileNameA(void* module, char* path, unsigned long size);
__declspec(dllimport) int __stdcall GetComputerNameA(char* name, unsigned long* size);
__declspec(dllimport) void* __stdcall CreateFileA(const char* path, unsigned long access, unsigned long share,
                                                  void* security, unsigned long disposition, unsigned long flags,
                                                  void* model);
__declspec(dllimport) int __stdcall ReadFile(void* file, void* data, unsigned long size, unsigned long* read,
                                             void* overlapped);
__declspec(dllimport) unsigned long __stdcall GetFileSize(void* file, unsigned long* high);
__declspec(dllimport) int __stdcall CloseHandle(void* handle);
__declspec(dllimport) void __stdcall GetLocalTime(SystemTime* time);
__declspec(dllimport) int __stdcall GetLocaleInfoA(unsigned long locale, unsigned long type, char* data, int size);
__declspec(dllimport) int __stdcall GetCurrencyFormatA(unsigned long locale, unsigned long flags, const char* value,
                                                       const void* format, char* text, int size);
__declspec(dllimport) int __stdcall MultiByteToWideChar(unsigned int codePage, unsigned long flags, const char* text,
                                                        int bytes, wchar_t* wide, int chars);
__declspec(dllimport) int __stdcall WideCharToMultiByte(unsigned int codePage, unsigned long flags, const wchar_t* wide,
                                                        int chars, char* text, int bytes, const char* fallback,
                                                        int* used);
__declspec(dllimport) long __stdcall CreateErrorInfo(void** created);
__declspec(dllimport) long __stdcall SetErrorInfo(unsigned long reserved, void* info);
__declspec(dllimport) long __stdcall GetErrorInfo(unsigned long reserved, void** info);
__declspec(dllimport) void __stdcall SysFreeString(wchar_t* text);

__declspec(dllimport) int __cdecl printf(const char* format, ...);
__declspec(dllimport) int __cdecl vprintf(const char* format, va_list args);
__declspec(dllimport) int __cdecl _snprintf(char* out, size_t size, const char* format, ...);
__declspec(dllimport) int __cdecl _vsnprintf(char* out, size_t size, const char* format, va_list args);
__declspec(dllimport) int __cdecl strcmp(const char* a, const char* b);
__declspec(dllimport) int __cdecl strncmp(const char* a, const char* b, size_t n);
__declspec(dllimport) char* __cdecl strstr(const char* text, const char* part);
__declspec(dllimport) char* __cdecl strrchr(const char* text, int c);
__declspec(dllimport) size_t __cdecl strlen(const char* text);
__declspec(dllimport) char* __cdecl strcat(char* out, const char* text);
__declspec(dllimport) char* __cdecl strcpy(char* out, const char* text);
__declspec(dllimport) int __cdecl wcscmp(const wchar_t* a, const wchar_t* b);
__declspec(dllimport) int __cdecl memcmp(const void* a, const void* b, size_t n);
__declspec(dllimport) void* __cdecl memmove(void* out, const void* in, size_t n);
__declspec(dllimport) void __cdecl exit(int code);
__declspec(dllimport) int __cdecl __getmainargs(int* argc, char*** argv, char*** env, int wildcards, StartupInfo* info);
// What the compiler's code expects of a runtime: the floating-point marker, a pure call's end.
int _fltused = 0;
int __cdecl _purecall() {
    printf("FAILED: a pure virtual method was called\n");
    exit(99);
    return 0;
}
}

// ---- The interfaces, declared from the contract ------------------------------------------------
struct IInterface {
    static constexpr const TGUID& IID = c::IID_IInterface;
    virtual HRESULT __stdcall QueryInterface(const TGUID& iid, void** obj) = 0;
    virtual int32_t __stdcall AddRef() = 0;
    virtual int32_t __stdcall Release() = 0;
};
struct IDIFactory;
struct IStrings;
struct IPaymentMethod;
struct IStringConfigList;
struct IFormView;
using c::TFormControlInfo;
using c::TSQLArg;
using c::TSQLArgs;

// Bound methods, passed by value: the function, then its object.
struct TEventHandler {
    HRESULT(__stdcall* Code)(void* data, OrvoAnsiString eventName, void* sender, void* extra);
    void* Data;
};
struct TMenuClickEvent {
    HRESULT(__stdcall* Code)(void* data, void* sender);
    void* Data;
};
struct TPaymentChangeEvent {
    HRESULT(__stdcall* Code)(void* data, IPaymentMethod* paymentMethod);
    void* Data;
};
struct TAddCashupEntryEvent {
    HRESULT(__stdcall* Code)
    (void* data, int32_t invoice, int32_t shift, OrvoAnsiString name, OrvoAnsiString parentName, int32_t a,
     double value, int32_t b, int32_t c);
    void* Data;
};
struct TRemoveCashupEntryEvent {
    HRESULT(__stdcall* Code)(void* data, int32_t invoice, int32_t shift, OrvoAnsiString name);
    void* Data;
};
static_assert(sizeof(TAddCashupEntryEvent) == 8 && sizeof(TSQLArg) == 16 && sizeof(TFormControlInfo) == 56);

struct IDIFactory : IInterface {
    static constexpr const TGUID& IID = c::IID_IDIFactory;
    virtual HRESULT __stdcall CreateObject(IInterface** obj) = 0;
};
struct IDIContainer : IInterface {
    static constexpr const TGUID& IID = c::IID_IDIContainer;
    virtual HRESULT __stdcall RegisterInstance(const TGUID& iid, IInterface* obj) = 0;
    virtual HRESULT __stdcall RegisterFactory(const TGUID& iid, IDIFactory* factory) = 0;
    virtual HRESULT __stdcall RegisterNamedFactory(const TGUID& iid, OrvoAnsiString name, IDIFactory* factory) = 0;
    virtual HRESULT __stdcall UnregisterInstance(const TGUID& iid) = 0;
    virtual HRESULT __stdcall UnregisterFactory(const TGUID& iid) = 0;
    virtual HRESULT __stdcall UnregisterNamedFactory(const TGUID& iid, OrvoAnsiString name) = 0;
    virtual HRESULT __stdcall GetInstance(const TGUID& iid, void** obj, OrvoBool* found) = 0;
    virtual HRESULT __stdcall Resolve(const TGUID& iid, void** obj, OrvoBool* found) = 0;
    virtual HRESULT __stdcall ResolveNamed(const TGUID& iid, OrvoAnsiString name, void** obj, OrvoBool* found) = 0;
};
struct IStrings : IInterface {
    static constexpr const TGUID& IID = c::IID_IStrings;
    virtual HRESULT __stdcall GetCount(int32_t* count) = 0;
    virtual HRESULT __stdcall Get(int32_t index, OrvoAnsiString* line) = 0;
    virtual HRESULT __stdcall Add(OrvoAnsiString line, int32_t* index) = 0;
};
struct IDBScript : IInterface {
    static constexpr const TGUID& IID = c::IID_IDBScript;
    virtual HRESULT __stdcall ExecSQL(OrvoAnsiString pattern, const TSQLArgs* args, int32_t* result) = 0;
    virtual HRESULT __stdcall QueryValue(OrvoAnsiString batch, OrvoAnsiString column, OrvoAnsiString* value) = 0;
    virtual HRESULT __stdcall QueryJSON(OrvoAnsiString pattern, const TSQLArgs* args, OrvoAnsiString* json) = 0;
};
struct IActCodes : IInterface {
    static constexpr const TGUID& IID = c::IID_IActCodes;
    virtual HRESULT __stdcall AddActCode(OrvoAnsiString code, OrvoAnsiString description, int32_t a, int32_t b) = 0;
    virtual HRESULT __stdcall LinkActCode(OrvoAnsiString code, OrvoAnsiString linkCode) = 0;
};
struct IAuthentication : IInterface {
    static constexpr const TGUID& IID = c::IID_IAuthentication;
    virtual HRESULT __stdcall CheckAccess(OrvoAnsiString code, OrvoAnsiString* userName, int32_t* userId,
                                          int32_t prompt, int32_t options, OrvoBool* granted) = 0;
};
struct IDatabaseChanges : IInterface {
    static constexpr const TGUID& IID = c::IID_IDatabaseChanges;
    virtual HRESULT __stdcall GetChanges(int32_t version, IStrings* scripts) = 0;
};
struct IEventManager : IInterface {
    static constexpr const TGUID& IID = c::IID_IEventManager;
    virtual HRESULT __stdcall Subscribe(OrvoAnsiString eventName, TEventHandler handler) = 0;
};
struct IExtraPaymentsTransaction : IInterface {
    static constexpr const TGUID& IID = c::IID_IExtraPaymentsTransaction;
    virtual HRESULT __stdcall AddTransaction(OrvoAnsiString paymentMethod, int32_t* id) = 0;
    virtual HRESULT __stdcall UpdateTransaction(int32_t transactionId, OrvoAnsiString reference, double amount) = 0;
    virtual HRESULT __stdcall SetInvoiceNum(int32_t transactionId, int32_t invoiceNum) = 0;
};
struct IFormView : IInterface {
    static constexpr const TGUID& IID = c::IID_IFormView;
    virtual HRESULT __stdcall GetCaption(OrvoAnsiString* caption) = 0;
    virtual HRESULT __stdcall GetClientWidth(int32_t* width) = 0;
    virtual HRESULT __stdcall GetClientHeight(int32_t* height) = 0;
    virtual HRESULT __stdcall GetControlCount(int32_t* count) = 0;
    virtual HRESULT __stdcall GetControl(int32_t index, TFormControlInfo* info, OrvoBool* found) = 0;
    virtual HRESULT __stdcall IndexOfControl(OrvoAnsiString name, int32_t* index) = 0;
    virtual HRESULT __stdcall GetText(int32_t index, OrvoAnsiString* text) = 0;
    virtual HRESULT __stdcall SetText(int32_t index, OrvoAnsiString text, OrvoBool* done) = 0;
    virtual HRESULT __stdcall GetDate(int32_t index, TDateTime* date, OrvoBool* done) = 0;
    virtual HRESULT __stdcall SetDate(int32_t index, TDateTime date, OrvoBool* done) = 0;
    virtual HRESULT __stdcall Click(int32_t index, OrvoBool* done) = 0;
    virtual HRESULT __stdcall GetModalResult(int32_t* result) = 0;
};
struct IFormHost : IInterface {
    static constexpr const TGUID& IID = c::IID_IFormHost;
    virtual HRESULT __stdcall ShowModal(IFormView* form) = 0;
    virtual HRESULT __stdcall ReportError(IFormView* form, OrvoAnsiString message) = 0;
};
struct IGenericInput : IInterface {
    static constexpr const TGUID& IID = c::IID_IGenericInput;
    virtual HRESULT __stdcall SetCaption(OrvoAnsiString caption) = 0;
    virtual HRESULT __stdcall Execute(OrvoAnsiString initial, OrvoAnsiString* entered, OrvoBool* confirmed) = 0;
};
struct IHTMLViewer : IInterface {
    static constexpr const TGUID& IID = c::IID_IHTMLViewer;
    virtual HRESULT __stdcall ShowHTML(OrvoAnsiString page) = 0;
};
struct IMainMenuManager : IInterface {
    static constexpr const TGUID& IID = c::IID_IMainMenuManager;
    virtual HRESULT __stdcall AddMenuItem(OrvoAnsiString parent, OrvoAnsiString caption, TMenuClickEvent onClick,
                                          int32_t position) = 0;
};
struct IStringConfigList : IInterface {
    static constexpr const TGUID& IID = c::IID_IStringConfigList;
    virtual HRESULT __stdcall GetFirst(OrvoAnsiString* text) = 0;
    virtual HRESULT __stdcall GetLast(OrvoAnsiString* text) = 0;
    virtual HRESULT __stdcall GetBoolean(OrvoAnsiString name, OrvoBool* result) = 0;
    virtual HRESULT __stdcall GetDateTime(OrvoAnsiString name, double* value) = 0;
    virtual HRESULT __stdcall GetFloat(OrvoAnsiString name, double* value) = 0;
    virtual HRESULT __stdcall GetInteger(OrvoAnsiString name, int32_t* result) = 0;
    virtual HRESULT __stdcall GetObject(OrvoAnsiString text, IInterface** object) = 0;
    virtual HRESULT __stdcall GetString(OrvoAnsiString name, OrvoAnsiString* text) = 0;
    virtual HRESULT __stdcall GetFloatAt(int32_t index, double* value) = 0;
    virtual HRESULT __stdcall GetValueAt(int32_t index, OrvoAnsiString* text) = 0;
    virtual HRESULT __stdcall GetIntegerAt(int32_t index, int32_t* result) = 0;
    virtual HRESULT __stdcall GetObjectAt(int32_t index, IInterface** object) = 0;
    virtual HRESULT __stdcall GetValueOrLineAt(int32_t index, OrvoAnsiString* text) = 0;
    virtual HRESULT __stdcall GetLineAsBoolean(int32_t index, OrvoBool* result) = 0;
    virtual HRESULT __stdcall GetLineAsDateTime(int32_t index, double* value) = 0;
    virtual HRESULT __stdcall GetLineAsFloat(int32_t index, double* value) = 0;
    virtual HRESULT __stdcall GetLineAsInteger(int32_t index, int32_t* result) = 0;
    virtual HRESULT __stdcall GetLine(int32_t index, OrvoAnsiString* text) = 0;
    virtual HRESULT __stdcall SetBoolean(OrvoAnsiString name, OrvoBool value) = 0;
    virtual HRESULT __stdcall SetDateTime(OrvoAnsiString name, double value) = 0;
    virtual HRESULT __stdcall SetFloat(OrvoAnsiString name, double value) = 0;
    virtual HRESULT __stdcall SetInteger(OrvoAnsiString name, int32_t value) = 0;
    virtual HRESULT __stdcall SetString(OrvoAnsiString name, OrvoAnsiString value) = 0;
    virtual HRESULT __stdcall SetObject(OrvoAnsiString text, IInterface* object) = 0;
    virtual HRESULT __stdcall SetFloatAt(int32_t index, double value) = 0;
    virtual HRESULT __stdcall SetValueAt(int32_t index, OrvoAnsiString value) = 0;
    virtual HRESULT __stdcall SetObjectAt(int32_t index, IInterface* object) = 0;
    virtual HRESULT __stdcall SetIntegerAt(int32_t index, int32_t value) = 0;
    virtual HRESULT __stdcall SetLineAsBoolean(int32_t index, OrvoBool value) = 0;
    virtual HRESULT __stdcall SetLineAsDateTime(int32_t index, double value) = 0;
    virtual HRESULT __stdcall SetLineAsFloat(int32_t index, double value) = 0;
    virtual HRESULT __stdcall SetLineAsInteger(int32_t index, int32_t value) = 0;
    virtual HRESULT __stdcall SetLine(int32_t index, OrvoAnsiString value) = 0;
    virtual HRESULT __stdcall GetValueFromIndex(int32_t index, OrvoAnsiString* text) = 0;
    virtual HRESULT __stdcall SetValueFromIndex(int32_t index, OrvoAnsiString value) = 0;
    virtual HRESULT __stdcall GetNameAt(int32_t index, OrvoAnsiString* text) = 0;
    virtual HRESULT __stdcall GetCommaText(OrvoAnsiString* text) = 0;
    virtual HRESULT __stdcall GetDelimitedText(OrvoAnsiString* text) = 0;
    virtual HRESULT __stdcall GetText(OrvoAnsiString* text) = 0;
    virtual HRESULT __stdcall GetCount(int32_t* result) = 0;
    virtual HRESULT __stdcall AddString(OrvoAnsiString name, OrvoAnsiString value, int32_t* result) = 0;
    virtual HRESULT __stdcall AddInteger(OrvoAnsiString name, int32_t value, int32_t* result) = 0;
    virtual HRESULT __stdcall AddFloat(OrvoAnsiString name, double value, int32_t* result) = 0;
    virtual HRESULT __stdcall AddDateTime(OrvoAnsiString name, double value, int32_t* result) = 0;
    virtual HRESULT __stdcall AddBoolean(OrvoAnsiString name, OrvoBool value, int32_t* result) = 0;
    virtual HRESULT __stdcall AddObject(OrvoAnsiString text, IInterface* object, int32_t* result) = 0;
    virtual HRESULT __stdcall WithString(OrvoAnsiString name, OrvoAnsiString value, IStringConfigList** list) = 0;
    virtual HRESULT __stdcall WithInteger(OrvoAnsiString name, int32_t value, IStringConfigList** list) = 0;
    virtual HRESULT __stdcall WithFloat(OrvoAnsiString name, double value, IStringConfigList** list) = 0;
    virtual HRESULT __stdcall WithDateTime(OrvoAnsiString name, double value, IStringConfigList** list) = 0;
    virtual HRESULT __stdcall WithBoolean(OrvoAnsiString name, OrvoBool value, IStringConfigList** list) = 0;
    virtual HRESULT __stdcall WithObject(OrvoAnsiString text, IInterface* object, IStringConfigList** list) = 0;
    virtual HRESULT __stdcall AddLine(OrvoAnsiString text, int32_t* result) = 0;
    virtual HRESULT __stdcall WithLine(OrvoAnsiString text, IStringConfigList** list) = 0;
    virtual HRESULT __stdcall Join(OrvoAnsiString separator, OrvoAnsiString* text) = 0;
    virtual HRESULT __stdcall FindName(OrvoAnsiString name, int32_t* index, OrvoBool* result) = 0;
    virtual HRESULT __stdcall IsPairAt(int32_t index, OrvoBool* result) = 0;
    virtual HRESULT __stdcall Contains(OrvoAnsiString text, OrvoBool* result) = 0;
    virtual HRESULT __stdcall GetStrings(IStrings** strings) = 0;
    virtual HRESULT __stdcall HasName(OrvoAnsiString name, OrvoBool* result) = 0;
    virtual HRESULT __stdcall Clear() = 0;
    virtual HRESULT __stdcall FreeObjects() = 0;
    virtual HRESULT __stdcall Remove(OrvoAnsiString text) = 0;
};
struct IPaymentMethod : IInterface {
    static constexpr const TGUID& IID = c::IID_IPaymentMethod;
    virtual HRESULT __stdcall SetAmount(Currency value) = 0;
    virtual HRESULT __stdcall SetOnChange(TPaymentChangeEvent handler) = 0;
    virtual HRESULT __stdcall SetGratuity(Currency value) = 0;
    virtual HRESULT __stdcall GetAmount(Currency* value) = 0;
    virtual HRESULT __stdcall GetOnChange(TPaymentChangeEvent* handler) = 0;
    virtual HRESULT __stdcall GetGratuity(Currency* value) = 0;
    virtual HRESULT __stdcall GetConfig(IStringConfigList** config) = 0;
    virtual HRESULT __stdcall SetDescription(OrvoAnsiString value) = 0;
    virtual HRESULT __stdcall GetName(OrvoAnsiString* name) = 0;
    virtual HRESULT __stdcall GetCaption(OrvoAnsiString* caption) = 0;
    virtual HRESULT __stdcall GetPaymentType(OrvoAnsiString* paymentType) = 0;
    virtual HRESULT __stdcall DoPaymentPopup(OrvoBool* paid) = 0;
    virtual HRESULT __stdcall Clear() = 0;
    virtual HRESULT __stdcall AddCashupEntry(int32_t shift, int32_t invoice, TAddCashupEntryEvent addEntry) = 0;
    virtual HRESULT __stdcall RemoveCashupEntry(int32_t shift, int32_t invoice,
                                                TRemoveCashupEntryEvent removeEntry) = 0;
    virtual HRESULT __stdcall InsertSQL(int32_t invoiceNum) = 0;
    virtual HRESULT __stdcall HostHookA(void* a, void* b) = 0;
    virtual HRESULT __stdcall HostHookB(void* a, void* b) = 0;
    virtual HRESULT __stdcall HostHookC(void* a, void* b) = 0;
};

// ---- Checks ----------------------------------------------------------------------------------
namespace {

int gFailures;

void Fail(const char* format, ...) {
    va_list args;
    va_start(args, format);
    printf("FAILED: ");
    vprintf(format, args);
    printf("\n");
    va_end(args);
    ++gFailures;
}
#define CHECK(condition, ...)                \
    do {                                     \
        if (!(condition)) Fail(__VA_ARGS__); \
    } while (0)

const char* Chars(OrvoAnsiString text) { return c::OrvoTextChars(text); }
bool SameText(OrvoAnsiString text, const char* expected) { return strcmp(Chars(text), expected) == 0; }
bool SameGuid(const TGUID& a, const TGUID& b) { return memcmp(&a, &b, sizeof(TGUID)) == 0; }
int32_t TextRefs(OrvoAnsiString text) { return text ? reinterpret_cast<const int32_t*>(text)[-2] : 0; }
void Copy(char* out, const char* text, size_t size) {
    size_t n = 0;
    for (; text[n] && n + 1 < size; ++n) out[n] = text[n];
    out[n] = '\0';
}

// ---- The thread's error object, through oleaut32's interfaces --------------------------------
struct ICreateErrorInfo : IInterface {
    virtual long __stdcall SetGUID(const TGUID& guid) = 0;
    virtual long __stdcall SetSource(wchar_t* source) = 0;
    virtual long __stdcall SetDescription(wchar_t* description) = 0;
};
struct IErrorInfo : IInterface {
    virtual long __stdcall GetGUID(TGUID* guid) = 0;
    virtual long __stdcall GetSource(wchar_t** source) = 0;
    virtual long __stdcall GetDescription(wchar_t** description) = 0;
};
struct ISupportErrorInfo : IInterface {
    virtual HRESULT __stdcall InterfaceSupportsErrorInfo(const TGUID& iid) = 0;
};

void SetErrorWide(const wchar_t* description, const wchar_t* source) {
    void* created = nullptr;
    void* info = nullptr;
    if (CreateErrorInfo(&created) < 0 || !created) return;
    auto* create = static_cast<ICreateErrorInfo*>(created);
    create->SetDescription(const_cast<wchar_t*>(description));
    create->SetSource(const_cast<wchar_t*>(source));
    if (create->QueryInterface(c::IID_IOrvoErrorInfo, &info) >= 0) {
        SetErrorInfo(0, info);
        static_cast<IErrorInfo*>(info)->Release();
    }
    create->Release();
}
void SetError(const char* description, const char* source) {
    wchar_t wideDescription[256], wideSource[256];
    MultiByteToWideChar(0, 0, description, -1, wideDescription, 256);
    MultiByteToWideChar(0, 0, source, -1, wideSource, 256);
    SetErrorWide(wideDescription, wideSource);
}
// Takes the error object a failed call left, by COM's rule (_com_issue_errorex's): a method of
// object's interface I left one only if the object answers ISupportErrorInfo and S_OK for I. A
// null object (an exported function, a bound method) is not asked.
template <class I>
IErrorInfo* TakeErrorInfo(I* object) {
    void* support = nullptr;
    void* taken = nullptr;
    if (object) {
        if (object->QueryInterface(c::IID_IOrvoSupportErrorInfo, &support) < 0 || !support) return nullptr;
        const HRESULT answer = static_cast<ISupportErrorInfo*>(support)->InterfaceSupportsErrorInfo(I::IID);
        static_cast<ISupportErrorInfo*>(support)->Release();
        if (answer != c::ORVO_S_OK) return nullptr;
    }
    return GetErrorInfo(0, &taken) == 0 ? static_cast<IErrorInfo*>(taken) : nullptr;
}
void AnsiOf(wchar_t* text, char* out, int size) {
    out[0] = '\0';
    if (text) WideCharToMultiByte(0, 0, text, -1, out, size, nullptr, nullptr);
    SysFreeString(text);
}
template <class I>
bool TakeError(I* object, char* description, char* source, int size) {
    wchar_t* text = nullptr;
    description[0] = source[0] = '\0';
    IErrorInfo* info = TakeErrorInfo(object);
    if (!info) return false;
    if (info->GetDescription(&text) >= 0) AnsiOf(text, description, size);
    text = nullptr;
    if (info->GetSource(&text) >= 0) AnsiOf(text, source, size);
    info->Release();
    return true;
}
template <class I>
bool Ok(I* object, HRESULT result, const char* call) {
    char description[512], source[128];
    if (result >= 0) return true;
    TakeError(object, description, source, sizeof description);
    Fail("%s failed with 0x%08lX: %s (%s)", call, static_cast<unsigned long>(result), description, source);
    return false;
}
bool Ok(HRESULT result, const char* call) { return Ok(static_cast<IInterface*>(nullptr), result, call); }
// Takes the error object of object's failed call and tells whether it holds exactly these texts.
template <class I>
bool TakeSameError(I* object, const wchar_t* description, const wchar_t* source) {
    IErrorInfo* info = TakeErrorInfo(object);
    if (!info) return false;
    wchar_t *text = nullptr, *from = nullptr;
    info->GetDescription(&text);
    info->GetSource(&from);
    const bool same = text && from && wcscmp(text, description) == 0 && wcscmp(from, source) == 0;
    SysFreeString(text);
    SysFreeString(from);
    info->Release();
    return same;
}

// A text of this program's own, released when the holder ends.
struct Text {
    OrvoAnsiString chars;
    explicit Text(const char* text) : chars(c::OrvoTextOf(text)) {}
    ~Text() { c::OrvoTextRelease(chars); }
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;
};

// ---- Objects of the host: one interface each, counted; heap ones free themselves ------------
long gLiveHeapObjects;

template <class I>
struct THostObject : I {
    long refs = 1;
    bool onHeap = false;

    HRESULT __stdcall QueryInterface(const TGUID& iid, void** obj) override {
        if (!obj) return c::ORVO_E_POINTER;
        *obj = nullptr;
        if (!SameGuid(iid, IInterface::IID) && !SameGuid(iid, I::IID)) return c::ORVO_E_NOINTERFACE;
        AddRef();
        *obj = static_cast<I*>(this);
        return c::ORVO_S_OK;
    }
    int32_t __stdcall AddRef() override { return __atomic_add_fetch(&refs, 1, __ATOMIC_RELAXED); }
    int32_t __stdcall Release() override {
        const long left = __atomic_sub_fetch(&refs, 1, __ATOMIC_ACQ_REL);
        if (left < 0) Fail("an object of the host was released once too often");
        if (left == 0 && onHeap) {
            --gLiveHeapObjects;
            c::HeapFree(c::GetProcessHeap(), 0, this);  // nothing to destroy: no member needs it
        }
        return left;
    }
};
}  // namespace

void* operator new(size_t, void* place) noexcept { return place; }

namespace {
template <class T>
IInterface* NewHeapObject() {
    void* block = c::HeapAlloc(c::GetProcessHeap(), 0, sizeof(T));
    if (!block) return nullptr;
    T* object = new (block) T();
    object->onHeap = true;
    ++gLiveHeapObjects;
    return object;
}

// A journal of calls, one line each, compared with the lines expected.
char gJournal[4096];
void Note(const char* format, ...) {
    va_list args;
    size_t used = strlen(gJournal);
    va_start(args, format);
    _vsnprintf(gJournal + used, sizeof gJournal - used - 2, format, args);
    va_end(args);
    strcat(gJournal, "\n");
}
void CheckJournal(const char* what, const char* expected) {
    if (strcmp(gJournal, expected) != 0) Fail("%s:\n%s  expected:\n%s", what, gJournal, expected);
    gJournal[0] = '\0';
}

const char* IidName(const TGUID& iid) {
    struct Known {
        const TGUID* iid;
        const char* name;
    };
    const Known known[] = {{&c::IID_IExtraPaymentsTransaction, "IExtraPaymentsTransaction"},
                           {&c::IID_IDatabaseChanges, "IDatabaseChanges"},
                           {&c::IID_IExtraPaymentsManagement, "IExtraPaymentsManagement"},
                           {&c::IID_IPaymentMethod, "IPaymentMethod"},
                           {&c::IID_IDBScript, "IDBScript"},
                           {&c::IID_IGenericInput, "IGenericInput"},
                           {&c::IID_IHTMLViewer, "IHTMLViewer"},
                           {&c::IID_IAuthentication, "IAuthentication"},
                           {&c::IID_IActCodes, "IActCodes"},
                           {&c::IID_IMainMenuManager, "IMainMenuManager"},
                           {&c::IID_IEventManager, "IEventManager"},
                           {&c::IID_IFormHost, "IFormHost"}};
    for (const Known& k : known)
        if (SameGuid(iid, *k.iid)) return k.name;
    return "an unknown interface";
}

// ---- The container ---------------------------------------------------------------------------
struct TEntry {
    TGUID iid;
    char name[64];
    IInterface* instance;  // an instance, or
    IDIFactory* factory;   // a factory
};

struct TContainer : THostObject<IDIContainer> {
    static constexpr int kMax = 32;
    TEntry entries[kMax] = {};
    int count = 0;
    bool journal = false;  // notes the module's registrations

    HRESULT Add(const TGUID& iid, OrvoAnsiString name, IInterface* instance, IDIFactory* factory) {
        if (count == kMax) return c::ORVO_E_OUTOFMEMORY;
        TEntry& entry = entries[count++];
        entry.iid = iid;
        Copy(entry.name, Chars(name), sizeof entry.name);
        entry.instance = instance;
        entry.factory = factory;
        if (instance) instance->AddRef();
        if (factory) factory->AddRef();
        if (journal)
            Note("%s %s%s%s%s",
                 instance ? "RegisterInstance"
                 : name   ? "RegisterNamedFactory"
                          : "RegisterFactory",
                 IidName(iid), name ? " \"" : "", name ? name : "", name ? "\"" : "");
        return c::ORVO_S_OK;
    }
    TEntry* Find(const TGUID& iid, const char* name, bool instance) {
        for (int i = 0; i < count; ++i)
            if (SameGuid(entries[i].iid, iid) && strcmp(entries[i].name, name) == 0 &&
                (entries[i].instance != nullptr) == instance)
                return &entries[i];
        return nullptr;
    }
    HRESULT Remove(const TGUID& iid, OrvoAnsiString name, bool instance) {
        TEntry* entry = Find(iid, Chars(name), instance);
        if (journal)
            Note("%s %s%s%s%s",
                 instance ? "UnregisterInstance"
                 : name   ? "UnregisterNamedFactory"
                          : "UnregisterFactory",
                 IidName(iid), name ? " \"" : "", name ? name : "", name ? "\"" : "");
        if (!entry) return c::ORVO_S_OK;
        if (entry->instance) entry->instance->Release();
        if (entry->factory) entry->factory->Release();
        memmove(entry, entry + 1, static_cast<size_t>(entries + count - (entry + 1)) * sizeof *entry);
        --count;
        return c::ORVO_S_OK;
    }
    static HRESULT Create(TEntry* entry, const TGUID& iid, void** obj, OrvoBool* found) {
        if (!obj || !found) return c::ORVO_E_POINTER;
        *obj = nullptr;
        *found = 0;
        if (!entry) return c::ORVO_S_OK;
        IInterface* made = nullptr;
        const HRESULT result = entry->factory->CreateObject(&made);
        if (result < 0) return result;  // the factory's error object stays for the caller
        if (made) {
            *found = made->QueryInterface(iid, obj) == c::ORVO_S_OK;
            made->Release();
        }
        return c::ORVO_S_OK;
    }

    HRESULT __stdcall RegisterInstance(const TGUID& iid, IInterface* obj) override {
        return Add(iid, nullptr, obj, nullptr);
    }
    HRESULT __stdcall RegisterFactory(const TGUID& iid, IDIFactory* factory) override {
        return Add(iid, nullptr, nullptr, factory);
    }
    HRESULT __stdcall RegisterNamedFactory(const TGUID& iid, OrvoAnsiString name, IDIFactory* factory) override {
        return Add(iid, name, nullptr, factory);
    }
    HRESULT __stdcall UnregisterInstance(const TGUID& iid) override { return Remove(iid, nullptr, true); }
    HRESULT __stdcall UnregisterFactory(const TGUID& iid) override { return Remove(iid, nullptr, false); }
    HRESULT __stdcall UnregisterNamedFactory(const TGUID& iid, OrvoAnsiString name) override {
        return Remove(iid, name, false);
    }
    HRESULT __stdcall GetInstance(const TGUID& iid, void** obj, OrvoBool* found) override {
        if (!obj || !found) return c::ORVO_E_POINTER;
        TEntry* entry = Find(iid, "", true);
        *obj = nullptr;
        *found = entry && entry->instance->QueryInterface(iid, obj) == c::ORVO_S_OK;
        return c::ORVO_S_OK;
    }
    HRESULT __stdcall Resolve(const TGUID& iid, void** obj, OrvoBool* found) override {
        return Create(Find(iid, "", false), iid, obj, found);
    }
    HRESULT __stdcall ResolveNamed(const TGUID& iid, OrvoAnsiString name, void** obj, OrvoBool* found) override {
        return Create(Find(iid, Chars(name), false), iid, obj, found);
    }
};

// ---- Factories of the services the module resolves: a new object each time -------------------
using TMake = IInterface* (*)();
struct TFactory : THostObject<IDIFactory> {
    TMake make = nullptr;
    HRESULT __stdcall CreateObject(IInterface** obj) override {
        if (!obj) return c::ORVO_E_POINTER;
        *obj = make();
        return *obj ? c::ORVO_S_OK : c::ORVO_E_OUTOFMEMORY;
    }
};

// ---- The database: prints each statement, answers fixed rows ----------------------------------
const char kInsertFailure[] = "Timeout expired. The server did not answer within 30 seconds";
int gFailInsert;         // the next transaction INSERT fails: 1 with an error object, 2 without
OrvoAnsiString gNewId;   // "17", held here too: its references are counted
char gStatements[4096];  // the arguments of each ExecSQL, one line each
char gReportArgs[256];   // the arguments of the report's queries
OrvoAnsiString gTotalsJson, gDetailsJson;

// A statement in one short line: blanks run together, cut after 50 characters.
const char* Brief(OrvoAnsiString statement) {
    static char text[64];
    const char* at = Chars(statement);
    size_t n = 0;
    for (; *at && n < 50; ++at) {
        const bool blank = *at == ' ' || *at == '\r' || *at == '\n' || *at == '\t';
        if (blank && (n == 0 || text[n - 1] == ' ')) continue;
        text[n++] = blank ? ' ' : *at;
    }
    strcpy(text + n, *at ? "..." : "");
    return text;
}
void AppendArgs(char* out, size_t size, const TSQLArgs* args) {
    for (int32_t i = 0; args && i < args->Count; ++i) {
        const TSQLArg& arg = args->Items[i];
        const size_t used = strlen(out);
        const char* separator = i ? ", " : "";
        if (arg.Kind == c::ORVO_SQLARG_INTEGER)
            _snprintf(out + used, size - used - 1, "%s%ld", separator, static_cast<long>(arg.Value.Integer));
        else if (arg.Kind == c::ORVO_SQLARG_FLOAT)
            _snprintf(out + used, size - used - 1, "%s%.2f", separator, arg.Value.Float);
        else
            _snprintf(out + used, size - used - 1, "%s%.*s", separator, static_cast<int>(arg.Length), arg.Value.Text);
    }
}

struct TScript : THostObject<IDBScript> {
    HRESULT __stdcall ExecSQL(OrvoAnsiString pattern, const TSQLArgs* args, int32_t* result) override {
        if (!result) return c::ORVO_E_POINTER;
        printf("    database runs \"%s\" with %d arguments\n", Brief(pattern),
               args ? static_cast<int>(args->Count) : 0);
        AppendArgs(gStatements, sizeof gStatements, args);
        strcat(gStatements, "\n");
        *result = 1;
        return c::ORVO_S_OK;
    }
    HRESULT __stdcall QueryValue(OrvoAnsiString batch, OrvoAnsiString column, OrvoAnsiString* value) override {
        if (!value) return c::ORVO_E_POINTER;
        *value = nullptr;
        if (gFailInsert && strstr(Chars(batch), "INSERT INTO [ExtraPaymentTransactions]")) {
            printf("    database fails \"%s\": %s\n", Brief(batch), gFailInsert == 1 ? kInsertFailure : "no error object");
            if (gFailInsert == 1) SetError(kInsertFailure, "EHostDatabaseError");
            gFailInsert = 0;
            return static_cast<HRESULT>(0x80040E31u);  // the provider's "timeout expired"
        }
        CHECK(SameText(column, "ID"), "QueryValue asked for column \"%s\", not \"ID\"", Chars(column));
        printf("    database runs \"%s\" and answers %s = %s\n", Brief(batch), Chars(column), gNewId);
        *value = c::OrvoTextAddRef(gNewId);
        return c::ORVO_S_OK;
    }
    HRESULT __stdcall QueryJSON(OrvoAnsiString pattern, const TSQLArgs* args, OrvoAnsiString* json) override {
        if (!json) return c::ORVO_E_POINTER;
        const bool totals = strstr(Chars(pattern), "GROUP BY") != nullptr;
        AppendArgs(gReportArgs, sizeof gReportArgs, args);
        strcat(gReportArgs, "\n");
        printf("    database runs \"%s\" and answers one row\n", Brief(pattern));
        *json = c::OrvoTextAddRef(totals ? gTotalsJson : gDetailsJson);
        return c::ORVO_S_OK;
    }
};

// ---- The numeric keypad: the cashier types 10.00 ------------------------------------------------
OrvoAnsiString gTyped;  // what the cashier types, held here too
char gDecimal[8];       // the user's decimal separator

struct TInput : THostObject<IGenericInput> {
    char caption[128] = {};
    HRESULT __stdcall SetCaption(OrvoAnsiString text) override {
        Copy(caption, Chars(text), sizeof caption);
        return c::ORVO_S_OK;
    }
    HRESULT __stdcall Execute(OrvoAnsiString initial, OrvoAnsiString* entered, OrvoBool* confirmed) override {
        if (!entered || !confirmed) return c::ORVO_E_POINTER;
        char offered[16];
        printf("    keypad \"%s\" offers \"%s\": the cashier types %s\n", caption, Chars(initial), gTyped);
        CHECK(strcmp(caption, "Enter Uber Gratuity: ") == 0, "the keypad's prompt reads \"%s\"", caption);
        _snprintf(offered, sizeof offered, "0%s00", gDecimal);
        CHECK(SameText(initial, offered), "the keypad offers \"%s\", not \"%s\"", Chars(initial), offered);
        *entered = c::OrvoTextAddRef(gTyped);
        *confirmed = 1;
        return c::ORVO_S_OK;
    }
};

// ---- The HTML viewer keeps a reference to the page it shows -------------------------------------
OrvoAnsiString gPage;
struct TViewer : THostObject<IHTMLViewer> {
    HRESULT __stdcall ShowHTML(OrvoAnsiString page) override {
        c::OrvoTextRelease(gPage);
        gPage = c::OrvoTextAddRef(page);
        printf("    viewer shows a page of %d bytes\n", static_cast<int>(c::OrvoTextLength(page)));
        return c::ORVO_S_OK;
    }
};

// ---- Access: every code granted; the user's name is a text of the host's ------------------------
OrvoAnsiString gUserName;
struct TAuthentication : THostObject<IAuthentication> {
    HRESULT __stdcall CheckAccess(OrvoAnsiString code, OrvoAnsiString* userName, int32_t* userId, int32_t prompt,
                                  int32_t options, OrvoBool* granted) override {
        if (!userName || !userId || !granted) return c::ORVO_E_POINTER;
        printf("    access code %s granted\n", Chars(code));
        Note("CheckAccess %s %d %d", Chars(code), static_cast<int>(prompt), static_cast<int>(options));
        *userName = c::OrvoTextAddRef(gUserName);
        *userId = 1;
        *granted = 1;
        return c::ORVO_S_OK;
    }
};
struct TActCodes : THostObject<IActCodes> {
    HRESULT __stdcall AddActCode(OrvoAnsiString code, OrvoAnsiString description, int32_t a, int32_t b) override {
        printf("    access code %s added\n", Chars(code));
        Note("AddActCode %s \"%s\" %d %d", Chars(code), Chars(description), static_cast<int>(a), static_cast<int>(b));
        return c::ORVO_S_OK;
    }
    HRESULT __stdcall LinkActCode(OrvoAnsiString code, OrvoAnsiString linkCode) override {
        Note("LinkActCode %s %s", Chars(code), Chars(linkCode));
        return c::ORVO_S_OK;
    }
};

// ---- Menu and events: the handlers the module hands over, kept and called -----------------------
struct TMenuItem {
    char parent[32], caption[64];
    TMenuClickEvent onClick;
};
struct TMenus : THostObject<IMainMenuManager> {
    TMenuItem items[8] = {};
    int count = 0;
    HRESULT __stdcall AddMenuItem(OrvoAnsiString parent, OrvoAnsiString caption, TMenuClickEvent onClick,
                                  int32_t position) override {
        if (count == 8) return c::ORVO_E_OUTOFMEMORY;
        TMenuItem& item = items[count++];
        Copy(item.parent, Chars(parent), sizeof item.parent);
        Copy(item.caption, Chars(caption), sizeof item.caption);
        item.onClick = onClick;
        printf("    menu \"%s\" gets \"%s\"\n", item.parent, item.caption);
        Note("AddMenuItem \"%s\" \"%s\" %s %d", item.parent, item.caption, onClick.Code ? "handler" : "none",
             static_cast<int>(position));
        return c::ORVO_S_OK;
    }
};
struct TSubscription {
    char name[64];
    TEventHandler handler;
};
struct TEvents : THostObject<IEventManager> {
    TSubscription items[8] = {};
    int count = 0;
    HRESULT __stdcall Subscribe(OrvoAnsiString eventName, TEventHandler handler) override {
        if (count == 8) return c::ORVO_E_OUTOFMEMORY;
        Copy(items[count].name, Chars(eventName), sizeof items[0].name);
        items[count++].handler = handler;
        return c::ORVO_S_OK;
    }
};

// ---- The form host: drives the module's windows through IFormView -----------------------------
using TDrive = void (*)(IFormView* form);
TDrive gDrive;  // what the "cashier" does in the next window
int gReportedErrors;

int32_t IndexOf(IFormView* form, const char* name) {
    Text text(name);
    int32_t index = -1;
    Ok(form, form->IndexOfControl(text.chars, &index), "IFormView::IndexOfControl");
    CHECK(index >= 0, "the window has no control \"%s\"", name);
    return index;
}
bool Click(IFormView* form, const char* name) {
    OrvoBool done = 0;
    Ok(form, form->Click(IndexOf(form, name), &done), "IFormView::Click");
    CHECK(done, "pressing %s did nothing", name);
    return done != 0;
}
void TextOf(IFormView* form, const char* name, char* out, size_t size) {
    OrvoAnsiString text = nullptr;
    Ok(form, form->GetText(IndexOf(form, name), &text), "IFormView::GetText");
    Copy(out, Chars(text), size);
    c::OrvoTextRelease(text);
}
void CheckControl(IFormView* form, const char* name, const TFormControlInfo& expected) {
    TFormControlInfo info = {};
    OrvoBool found = 0;
    Ok(form, form->GetControl(IndexOf(form, name), &info, &found), "IFormView::GetControl");
    CHECK(found && SameText(info.Name, name), "GetControl(%s) found %d, named \"%s\"", name, static_cast<int>(found),
          Chars(info.Name));
    CHECK(SameText(info.Text, expected.Text) && SameText(info.FontFace, expected.FontFace) &&
              info.Kind == expected.Kind && info.Left == expected.Left && info.Top == expected.Top &&
              info.Width == expected.Width && info.Height == expected.Height &&
              info.FontHeight == expected.FontHeight && info.ModalResult == expected.ModalResult,
          "%s reads \"%s\" in %s %d, kind %d at %d,%d %dx%d, result %d", name, Chars(info.Text), Chars(info.FontFace),
          static_cast<int>(info.FontHeight), static_cast<int>(info.Kind), static_cast<int>(info.Left),
          static_cast<int>(info.Top), static_cast<int>(info.Width), static_cast<int>(info.Height),
          static_cast<int>(info.ModalResult));
    c::OrvoTextRelease(info.Name);
    c::OrvoTextRelease(info.Parent);
    c::OrvoTextRelease(info.Text);
    c::OrvoTextRelease(info.FontFace);
}

struct TFormHost : THostObject<IFormHost> {
    HRESULT __stdcall ShowModal(IFormView* form) override {
        OrvoAnsiString caption = nullptr;
        int32_t controls = 0, result = -1;
        Ok(form, form->GetCaption(&caption), "IFormView::GetCaption");
        Ok(form, form->GetControlCount(&controls), "IFormView::GetControlCount");
        printf("    window \"%s\" opens with %d controls\n", Chars(caption), static_cast<int>(controls));
        c::OrvoTextRelease(caption);
        if (gDrive) gDrive(form);
        Ok(form, form->GetModalResult(&result), "IFormView::GetModalResult");
        printf("    window closes with result %s\n", result == c::mrOk       ? "OK"
                                                     : result == c::mrCancel ? "Cancel"
                                                                             : "none (closed by the host)");
        return c::ORVO_S_OK;
    }
    HRESULT __stdcall ReportError(IFormView*, OrvoAnsiString message) override {
        printf("    window reports: %s\n", Chars(message));
        ++gReportedErrors;
        return c::ORVO_S_OK;
    }
};

// ---- The host's list of lines (the script list of GetChanges) ----------------------------------
struct TStrings : THostObject<IStrings> {
    OrvoAnsiString lines[16] = {};  // references of the list's own
    int32_t count = 0;
    HRESULT __stdcall GetCount(int32_t* result) override {
        if (!result) return c::ORVO_E_POINTER;
        *result = count;
        return c::ORVO_S_OK;
    }
    HRESULT __stdcall Get(int32_t index, OrvoAnsiString* line) override {
        if (!line) return c::ORVO_E_POINTER;
        *line = nullptr;
        if (index < 0 || index >= count) {
            char message[64];
            _snprintf(message, sizeof message, "List index out of bounds (%d)", static_cast<int>(index));
            SetError(message, "EStringListError");
            return c::ORVO_E_FAIL;
        }
        *line = c::OrvoTextAddRef(lines[index]);
        return c::ORVO_S_OK;
    }
    HRESULT __stdcall Add(OrvoAnsiString line, int32_t* index) override {
        if (!index) return c::ORVO_E_POINTER;
        if (count == 16) return c::ORVO_E_OUTOFMEMORY;
        lines[count] = c::OrvoTextAddRef(line);  // the block is the process heap's: keeping it is enough
        *index = count++;
        return c::ORVO_S_OK;
    }
};

// An object of the host's own, attached to a configuration line; its AddRef and Release calls
// are counted, whoever makes them.
struct TTipJar : THostObject<IInterface> {
    long addRefs = 0, releases = 0;
    int32_t __stdcall AddRef() override {
        ++addRefs;
        return THostObject::AddRef();
    }
    int32_t __stdcall Release() override {
        ++releases;
        return THostObject::Release();
    }
};

// The long-lived services, made once by main.
struct THost {
    TContainer container;
    TMenus menus;
    TEvents events;
    TFormHost forms;
    TStrings scripts;
    TTipJar tipJar;
};
// Made before the program starts (constinit: no constructor runs), too large for the stack.
constinit THost gHostStorage;
THost* gHost;

// ---- Bound methods the host hands the module -----------------------------------------------------
int gChanges;
HRESULT __stdcall OnPaymentChange(void*, IPaymentMethod* payment) {
    Currency amount = -1, gratuity = -1;
    ++gChanges;
    Ok(payment, payment->GetAmount(&amount), "GetAmount");
    Ok(payment, payment->GetGratuity(&gratuity), "GetGratuity");
    printf("    payment now reads amount %.2f, gratuity %.2f\n", static_cast<double>(amount) / 10000,
           static_cast<double>(gratuity) / 10000);
    CHECK(amount == 850000 && gratuity == 100000, "the change handler read amount %.4f, gratuity %.4f",
          static_cast<double>(amount) / 10000, static_cast<double>(gratuity) / 10000);
    return c::ORVO_S_OK;
}

const char kCashupFailure[] = "The cash-up of shift 1 is closed";
const char kCashupFailureClass[] = "ECashupClosed";
const wchar_t kTipFailure[] = L"Tip refused \u03A9 \u4E2D", kTipFailureClass[] = L"ETip\u03A9";
int gFailCashup;  // 1: fails with kCashupFailure; 2: with kTipFailure, texts no code page holds
HRESULT __stdcall OnAddCashupEntry(void*, int32_t invoice, int32_t shift, OrvoAnsiString name,
                                   OrvoAnsiString parentName, int32_t a, double value, int32_t b, int32_t c) {
    if (gFailCashup) {
        printf("    cash-up row refused: %s\n", gFailCashup == 1 ? kCashupFailure : "a tip");
        if (gFailCashup == 1) SetError(kCashupFailure, kCashupFailureClass);
        if (gFailCashup == 2) SetErrorWide(kTipFailure, kTipFailureClass);
        return static_cast<HRESULT>(0x80040201u);
    }
    printf("    cash-up row for invoice %d, shift %d: \"%s\" under \"%s\", %.2f\n", static_cast<int>(invoice),
           static_cast<int>(shift), Chars(name), Chars(parentName), value);
    Note("AddEntry %d %d \"%s\" \"%s\" %d %.4f %d %d", static_cast<int>(invoice), static_cast<int>(shift), Chars(name),
         Chars(parentName), static_cast<int>(a), value, static_cast<int>(b), static_cast<int>(c));
    return c::ORVO_S_OK;
}
HRESULT __stdcall OnRemoveCashupEntry(void*, int32_t invoice, int32_t shift, OrvoAnsiString name) {
    printf("    cash-up row removed for invoice %d, shift %d: \"%s\"\n", static_cast<int>(invoice),
           static_cast<int>(shift), Chars(name));
    Note("RemoveEntry %d %d \"%s\"", static_cast<int>(invoice), static_cast<int>(shift), Chars(name));
    return c::ORVO_S_OK;
}

// ---- The steps -------------------------------------------------------------------------------
template <class I>
I* ResolveNamedOf(const char* name) {
    Text text(name);
    void* obj = nullptr;
    OrvoBool found = 0;
    Ok(gHost->container.ResolveNamed(I::IID, text.chars, &obj, &found), "ResolveNamed");
    CHECK(found && obj, "the container has no %s \"%s\"", IidName(I::IID), name);
    return found ? static_cast<I*>(obj) : nullptr;
}

void DrivePayment(IFormView* form) {
    const TFormControlInfo ok = {nullptr,
                                 nullptr,
                                 const_cast<char*>("&OK"),
                                 const_cast<char*>("Tahoma"),
                                 c::ORVO_CONTROL_BUTTON,
                                 80,
                                 160,
                                 89,
                                 48,
                                 21,
                                 0,
                                 c::mrOk,
                                 0,
                                 0};
    CheckControl(form, "btnOKNew", ok);
    Text reference("UBER-1234");
    OrvoBool done = 0;
    Ok(form, form->SetText(IndexOf(form, "txtReference"), reference.chars, &done), "IFormView::SetText");
    CHECK(done, "the reference could not be typed");
    Click(form, "btnGratuity");
    char rands[16], cents[16];
    TextOf(form, "txtRandsAmount", rands, sizeof rands);
    TextOf(form, "txtCentsAmount", cents, sizeof cents);
    printf("    amount box shows %s rands %s cents\n", rands, cents);
    Click(form, "btnOKNew");
}

IPaymentMethod* RunPayment() {
    printf("payment: Uber, 85.00 due, 10.00 gratuity typed\n");
    IPaymentMethod* payment = ResolveNamedOf<IPaymentMethod>("Uber");
    if (!payment) return nullptr;
    OrvoBool paid = 0;
    Currency amount = 0, gratuity = 0;
    Ok(payment, payment->SetAmount(850000), "SetAmount");
    Ok(payment, payment->SetOnChange(TPaymentChangeEvent{OnPaymentChange, nullptr}), "SetOnChange");
    gDrive = DrivePayment;
    Ok(payment, payment->DoPaymentPopup(&paid), "DoPaymentPopup");
    gDrive = nullptr;
    Ok(payment, payment->GetAmount(&amount), "GetAmount");
    Ok(payment, payment->GetGratuity(&gratuity), "GetGratuity");
    printf("  DoPaymentPopup returned %s: amount %.2f, gratuity %.2f\n", paid ? "true" : "false",
           static_cast<double>(amount) / 10000, static_cast<double>(gratuity) / 10000);
    // The window's amount is 85 + 10 = 95; the payment keeps 85 plus 10: the amount is unchanged,
    // so one notification (the gratuity's).
    CHECK(paid && amount == 850000 && gratuity == 100000 && gChanges == 1,
          "the payment: paid %d, amount %.4f, gratuity %.4f, %d notifications", static_cast<int>(paid),
          static_cast<double>(amount) / 10000, static_cast<double>(gratuity) / 10000, gChanges);
    CHECK(gReportedErrors == 0, "the window reported %d errors", gReportedErrors);
    // The host saves invoice 7 of shift 1, then ties the payment to it.
    Ok(payment, payment->InsertSQL(7), "InsertSQL");
    return payment;
}

// The database received: the New Transaction log row, the Amount and Gratuity rows (their money
// text is regional, so only their beginnings are compared), the row's amount and reference, the
// invoice number.
void CheckPaymentStatements() {
    const char* const expected[] = {"'INFO', 'Uber: New Transaction: 17'\n", "'INFO', 'Uber: 17 - Amount: ",
                                    "'INFO', 'Uber: 17 - Gratuity: ", "95.00, 'UBER-1234', 17\n", "7, 17\n"};
    const char* at = gStatements;
    for (const char* line : expected) {
        const char* found = strstr(at, line);
        if (!found || (found != at && found[-1] != '\n')) {
            Fail("the database did not receive, in order, %s; it received:\n%s", line, gStatements);
            return;
        }
        at = found + strlen(line);
    }
}

void RunCashup(IPaymentMethod* payment) {
    const TAddCashupEntryEvent addEntry = {OnAddCashupEntry, nullptr};
    printf("cash-up: invoice 7, shift 1\n");
    Ok(payment, payment->AddCashupEntry(1, 7, addEntry), "AddCashupEntry");
    CheckJournal("the cash-up rows",
                 "AddEntry 7 1 \"PAYMENT:Uber\" \"\" 0 95.0000 0 1\n"
                 "AddEntry 7 1 \"GRATUITY\" \"PAYMENT:Uber\" 0 10.0000 0 1\n");
    printf("cash-up again, the host's callback failing\n");
    gFailCashup = 1;
    SetErrorInfo(0, nullptr);
    const HRESULT result = payment->AddCashupEntry(1, 7, addEntry);
    gFailCashup = 0;
    char description[512], source[128];
    TakeError(payment, description, source, sizeof description);
    printf("  AddCashupEntry failed with 0x%08lX: %s (%s)\n", static_cast<unsigned long>(result), description, source);
    CHECK(result == static_cast<HRESULT>(0x80040201u) && strcmp(description, kCashupFailure) == 0 && strcmp(source, kCashupFailureClass) == 0,
          "the callback's error came back as 0x%08lX \"%s\" (%s)", static_cast<unsigned long>(result), description,
          source);
    // The host's own error object comes back as it was set, whatever its characters.
    gFailCashup = 2;
    const HRESULT tip = payment->AddCashupEntry(1, 7, addEntry);
    gFailCashup = 0;
    CHECK(tip == static_cast<HRESULT>(0x80040201u) && TakeSameError(payment, kTipFailure, kTipFailureClass),
          "the callback's \"Tip refused\" did not come back as it was set");
}

void RunGetChanges() {
    IDatabaseChanges* changes = ResolveNamedOf<IDatabaseChanges>("ExtraPayments");
    printf("schema: GetChanges into the host's list\n");
    if (!changes) return;
    TStrings& scripts = gHost->scripts;
    Ok(changes, changes->GetChanges(0, &scripts), "GetChanges");
    changes->Release();
    printf("  %d scripts\n", static_cast<int>(scripts.count));
    CHECK(scripts.count == 2 && strncmp(Chars(scripts.lines[0]), "-- Extra Payments Transaction Table", 35) == 0 &&
              strncmp(Chars(scripts.lines[1]), "-- Extra Payments Log Table", 27) == 0,
          "the scripts are not the two tables' in order");
    CheckJournal("the access codes",
                 "AddActCode AM019 \"To Change Extra Payment Settings\" 1 1\n"
                 "AddActCode AM020 \"To View Extra Payment Transactions\" 1 1\n"
                 "LinkActCode AM019 FRCH\n"
                 "LinkActCode AM020 FRCH\n");
}

void RunConfigList() {
    IPaymentMethod* payment = ResolveNamedOf<IPaymentMethod>("Mr D");
    printf("configuration list of \"Mr D\" with an object of the host's\n");
    if (!payment) return;
    TTipJar& jar = gHost->tipJar;
    IStringConfigList *config = nullptr, *again = nullptr;
    Ok(payment, payment->GetConfig(&config), "GetConfig");
    Ok(payment, payment->GetConfig(&again), "GetConfig");
    CHECK(config && config == again, "GetConfig gave two lists");
    if (again) again->Release();
    if (!config) return;
    Text line("Tip jar");
    int32_t index = -1, count = 0;
    IInterface* attached = nullptr;
    OrvoAnsiString value = nullptr;
    Ok(config, config->AddObject(line.chars, &jar, &index), "AddObject");
    Ok(config, config->GetObjectAt(0, &attached), "GetObjectAt");
    CHECK(index == 0 && attached == &jar, "AddObject gave index %d, GetObjectAt another object",
          static_cast<int>(index));
    if (attached) attached->Release();
    Ok(config, config->GetLine(0, &value), "GetLine");
    Ok(config, config->GetCount(&count), "GetCount");
    printf("  line 0 \"%s\" of %d, the object held %ld times\n", Chars(value), static_cast<int>(count), jar.refs - 1);
    CHECK(count == 1 && SameText(value, "Tip jar") && jar.refs == 2,
          "the list holds %d lines, the object %ld references", static_cast<int>(count), jar.refs);
    c::OrvoTextRelease(value);
    Ok(config, config->FreeObjects(), "FreeObjects");
    // AddObject and GetObjectAt added one each; the host's release and FreeObjects' took them back.
    printf("  after FreeObjects the object is held %ld times (%ld AddRef, %ld Release)\n", jar.refs - 1, jar.addRefs,
           jar.releases);
    CHECK(jar.refs == 1 && jar.addRefs == 2 && jar.releases == 2,
          "after FreeObjects the object holds %ld references, not 1", jar.refs);
    // Attached again, it goes with the list, when the payment object ends.
    Ok(config, config->SetObjectAt(0, &jar), "SetObjectAt");
    CHECK(jar.refs == 2, "SetObjectAt: the object holds %ld references, not 2", jar.refs);
    config->Release();
    payment->Release();
    printf("  after the payment object is released the object is held %ld times (%ld AddRef, %ld Release)\n",
           jar.refs - 1, jar.addRefs, jar.releases);
    CHECK(jar.refs == 1 && jar.addRefs == 3 && jar.releases == 3,
          "after the list's end the object holds %ld references, not 1", jar.refs);
}

void DriveReports(IFormView* form) {
    const TFormControlInfo today = {nullptr,
                                    nullptr,
                                    const_cast<char*>("Todays Transactions"),
                                    const_cast<char*>("Tahoma"),
                                    c::ORVO_CONTROL_BUTTON,
                                    8,
                                    104,
                                    217,
                                    57,
                                    21,
                                    0,
                                    c::mrNone,
                                    0,
                                    0};
    int32_t width = 0, height = 0;
    Ok(form, form->GetClientWidth(&width), "GetClientWidth");
    Ok(form, form->GetClientHeight(&height), "GetClientHeight");
    CHECK(width == 496 && height == 383, "the reports window is %dx%d, not 496x383", static_cast<int>(width),
          static_cast<int>(height));
    CheckControl(form, "btnToday", today);
    Click(form, "btnToday");
}

// The page: today's range, the host's rows in their cells, money in the regional format.
void CheckPage() {
    char today[16], expected[512], money[64], folder[260];
    const char* page = Chars(gPage);
    SystemTime now;
    GetLocalTime(&now);
    _snprintf(today, sizeof today, "%04d-%02d-%02d", now.year, now.month, now.day);
    _snprintf(expected, sizeof expected, "'%s', '%s'\n'%s', '%s'\n", today, today, today, today);
    CHECK(strcmp(gReportArgs, expected) == 0, "the report's queries got the arguments\n%s", gReportArgs);
    GetModuleFileNameA(nullptr, folder, sizeof folder);
    if (char* slash = strrchr(folder, '\\')) slash[1] = '\0';
    _snprintf(expected, sizeof expected, "<base href=\"file://%sRes\\\">", folder);
    CHECK(strstr(page, expected) != nullptr, "the page has no %s", expected);
    const char* const cells[] = {"  <td>Uber</td>", "<h3>Payment Type: Uber</h3>",
                                 "<td style=\"white-space:nowrap\">UBER-1234</td>",
                                 "<td style=\"white-space:nowrap\">Thandi Mokoena</td>"};
    for (const char* cell : cells) CHECK(strstr(page, cell) != nullptr, "the page has no %s", cell);
    _snprintf(expected, sizeof expected, "<h2>Extra Payment Report: %s </h2>", today);
    CHECK(strstr(page, expected) != nullptr, "the page has no %s", expected);
    GetCurrencyFormatA(0x0400 /* the user's default locale */, 0, "95.00", nullptr, money, sizeof money);
    _snprintf(expected, sizeof expected, "<td style=\"text-align:right\">%s</td>", money);
    CHECK(strstr(page, expected) != nullptr, "the page has no %s", expected);
}

void RunReport() {
    printf("report: the back office's main window opens\n");
    Text name("Orvo.BackOffice.MainForm.Create");
    TEvents& events = gHost->events;
    for (int i = 0; i < events.count; ++i)
        if (strcmp(events.items[i].name, name.chars) == 0)
            Ok(events.items[i].handler.Code(events.items[i].handler.Data, name.chars, nullptr, nullptr),
               "the event handler");
    gDrive = DriveReports;
    bool clicked = false;
    TMenus& menus = gHost->menus;
    for (int i = 0; i < menus.count; ++i)
        if (strcmp(menus.items[i].caption, "Extra Payments Reports") == 0 && menus.items[i].onClick.Code) {
            clicked = true;
            Ok(menus.items[i].onClick.Code(menus.items[i].onClick.Data, nullptr), "the menu handler");
        }
    gDrive = nullptr;
    CHECK(clicked, "the module added no \"Extra Payments Reports\"");
    CheckJournal("the menu and the access check",
                 "AddMenuItem \"Lists\" \"-\" none -1\n"
                 "AddMenuItem \"Lists\" \"Extra Payments Reports\" handler -1\n"
                 "CheckAccess AM020 1 0\n");
    CHECK(gPage != nullptr, "the viewer received no page");
    if (gPage) CheckPage();
    CHECK(TextRefs(gUserName) == 1, "the user's name is held %d times after the check",
          static_cast<int>(TextRefs(gUserName)));
}

// The log file beside the module: "<program> (<computer>) OrvoExtraPayments.ovm.log".
char gLog[1 << 20];
void CheckLogLine(const char* folder, const char* expectedLine) {
    char program[260], computer[64], path[600];
    unsigned long size = sizeof computer, got = 0;
    GetModuleFileNameA(nullptr, program, sizeof program);
    char* name = strrchr(program, '\\') ? strrchr(program, '\\') + 1 : program;
    if (char* dot = strrchr(name, '.')) *dot = '\0';
    GetComputerNameA(computer, &size);
    _snprintf(path, sizeof path, "%s\\%s (%s) OrvoExtraPayments.ovm.log", folder, name, computer);
    void* file = CreateFileA(path, 0x80000000 /* GENERIC_READ */, 7 /* share reading, writing, deleting */, nullptr,
                             3 /* OPEN_EXISTING */, 0, nullptr);
    if (file == reinterpret_cast<void*>(-1)) {
        Fail("no log file %s", path);
        return;
    }
    // The end of the file: the line was written last.
    size = GetFileSize(file, nullptr);
    ReadFile(file, gLog, size < sizeof gLog - 1 ? size : sizeof gLog - 1, &got, nullptr);
    CloseHandle(file);
    gLog[got] = '\0';
    char* last = nullptr;
    for (char* at = strstr(gLog, expectedLine); at; at = strstr(at + 1, expectedLine)) last = at;
    if (!last) {
        Fail("the log has no line \"%s\"", expectedLine);
        return;
    }
    if (char* end = strstr(last, "\r\n")) *end = '\0';
    printf("  the log reads: %s\n", last);
    CHECK(strcmp(last, expectedLine) == 0, "the log line reads \"%s\", not \"%s\"", last, expectedLine);
}

void RunFailingDatabase(const char* folder) {
    printf("the host's database fails on the transaction INSERT\n");
    void* obj = nullptr;
    OrvoBool found = 0;
    Ok(gHost->container.Resolve(IExtraPaymentsTransaction::IID, &obj, &found), "Resolve");
    CHECK(found && obj, "the container has no IExtraPaymentsTransaction");
    if (auto* transaction = static_cast<IExtraPaymentsTransaction*>(obj)) {
        Text method("Uber");
        int32_t id = 0;
        gFailInsert = 1;
        Ok(transaction, transaction->AddTransaction(method.chars, &id), "AddTransaction");
        printf("  AddTransaction answered %d\n", static_cast<int>(id));
        CHECK(id == -1 && !gFailInsert, "AddTransaction answered %d", static_cast<int>(id));
        char line[256];
        _snprintf(line, sizeof line, "[TExtraPaymentsTransaction.AddTransaction] Error : %s", kInsertFailure);
        CheckLogLine(folder, line);
        // Failing without an error object, an older unread one on the thread: told by its code.
        SetError("List index out of bounds (99)", "EStringListError");
        gFailInsert = 2;
        Ok(transaction, transaction->AddTransaction(method.chars, &id), "AddTransaction");
        CheckLogLine(folder, "[TExtraPaymentsTransaction.AddTransaction] Error : The call failed with code 0x80040E31");
        // A null out-pointer is refused before the INSERT runs.
        gFailInsert = 1;
        CHECK(transaction->AddTransaction(method.chars, nullptr) == c::ORVO_E_FAIL && gFailInsert == 1,
              "AddTransaction with a null out-pointer ran its INSERT");
        gFailInsert = 0;
        transaction->Release();
    }
}

void RunModuleError(IPaymentMethod* payment) {
    printf("the module's error: RemoveCashupEntry with no database service\n");
    gHost->container.UnregisterFactory(IDBScript::IID);
    SetErrorInfo(0, nullptr);
    const HRESULT result = payment->RemoveCashupEntry(1, 7, TRemoveCashupEntryEvent{OnRemoveCashupEntry, nullptr});
    char description[512], source[128];
    TakeError(payment, description, source, sizeof description);
    printf("  RemoveCashupEntry failed with 0x%08lX: %s (%s)\n", static_cast<unsigned long>(result), description,
           source);
    CHECK(result < 0 && strcmp(description, "Could not create DBScript (implPaymentMethodUber, line 125)") == 0 &&
              strcmp(source, "EAssertionFailed") == 0,
          "the module's error arrived as 0x%08lX \"%s\" (%s)", static_cast<unsigned long>(result), description, source);
    CheckJournal("the removed rows", "RemoveEntry 7 1 \"PAYMENT:Uber\"\n");
}

template <class T>
void RegisterHostFactory(const TGUID& iid, const char* name) {
    auto* factory = static_cast<TFactory*>(NewHeapObject<TFactory>());
    factory->make = [] { return NewHeapObject<T>(); };
    Text text(name);
    gHost->container.Add(iid, text.chars, nullptr, factory);
    factory->Release();  // the container's reference keeps it
}

using TInitModule = HRESULT(__stdcall*)(IDIContainer* container);
using TFinalModule = HRESULT(__stdcall*)();

int Run(int argc, char** argv) {
    if (argc != 2) {
        printf("usage: MsvcHost <module folder>\n");
        return 2;
    }
    char folder[260], path[300];
    if (!GetFullPathNameA(argv[1], sizeof folder, folder, nullptr)) return 2;
    _snprintf(path, sizeof path, "%s\\OrvoExtraPayments.ovm", folder);
    // The module's folder is searched first for what it imports.
    void* library = LoadLibraryExA(path, nullptr, 8 /* LOAD_WITH_ALTERED_SEARCH_PATH */);
    if (!library) {
        printf("cannot load %s (Windows error %lu)\n", path, GetLastError());
        return 3;
    }
    const auto initModule = reinterpret_cast<TInitModule>(GetProcAddress(library, "InitModule"));
    const auto finalModule = reinterpret_cast<TFinalModule>(GetProcAddress(library, "FinalModule"));
    if (!initModule || !finalModule) {
        printf("%s is no module\n", path);
        FreeLibrary(library);
        return 3;
    }
    printf("loaded %s\n", path);
    GetLocaleInfoA(0x0400, 0x0E /* LOCALE_SDECIMAL */, gDecimal, sizeof gDecimal);
    char typed[16];
    _snprintf(typed, sizeof typed, "10%s00", gDecimal);
    gTyped = c::OrvoTextOf(typed);
    gNewId = c::OrvoTextOf("17");
    gUserName = c::OrvoTextOf("Manager");
    gTotalsJson = c::OrvoTextOf(
        "[{\"PaymentType\":\"Uber\",\"TotalTransactions\":1,\"Completed\":1,\"TotalAmount\":\"95.00\","
        "\"TotalGratuity\":\"10.00\",\"OverrungInvoices\":0,\"OverrungTotal\":\"0.00\"}]");
    gDetailsJson = c::OrvoTextOf(
        "[{\"TransactionDate\":\"2026/12/07\",\"PaymentType\":\"Uber\",\"TransactionTime\":"
        "\"19:50:00:000\",\"InvoiceNum\":7,\"Reference\":\"UBER-1234\",\"InvoiceAmount\":\"95.00\","
        "\"Amount\":\"85.00\",\"Gratuity\":\"10.00\",\"InvoiceStatus\":\"\",\"TransactionID\":17,"
        "\"CashierName\":\"Thandi Mokoena\"}]");

    THost& host = gHostStorage;
    gHost = &host;
    TContainer& container = host.container;
    RegisterHostFactory<TScript>(IDBScript::IID, nullptr);
    RegisterHostFactory<TInput>(IGenericInput::IID, "Currency");
    RegisterHostFactory<TViewer>(IHTMLViewer::IID, nullptr);
    RegisterHostFactory<TAuthentication>(IAuthentication::IID, nullptr);
    RegisterHostFactory<TActCodes>(IActCodes::IID, nullptr);
    container.Add(IMainMenuManager::IID, nullptr, &host.menus, nullptr);
    container.Add(IEventManager::IID, nullptr, &host.events, nullptr);
    container.Add(IFormHost::IID, nullptr, &host.forms, nullptr);
    const int hostServices = container.count;
    printf("the host registers %d services\n", hostServices);

    container.journal = true;
    Ok(initModule(&container), "InitModule");
    printf("InitModule: the module registers %d services\n", container.count - hostServices);
    CheckJournal("the registrations",
                 "RegisterFactory IExtraPaymentsTransaction\n"
                 "RegisterNamedFactory IDatabaseChanges \"ExtraPayments\"\n"
                 "RegisterFactory IExtraPaymentsManagement\n"
                 "RegisterInstance IExtraPaymentsManagement\n"
                 "RegisterNamedFactory IPaymentMethod \"Uber\"\n"
                 "RegisterNamedFactory IPaymentMethod \"Mr D\"\n"
                 "RegisterNamedFactory IPaymentMethod \"ABSA\"\n"
                 "RegisterNamedFactory IPaymentMethod \"Nedbank\"\n"
                 "RegisterNamedFactory IPaymentMethod \"Other CC\"\n");
    container.journal = false;
    CHECK(host.events.count == 2, "the module subscribed to %d events, not 2", host.events.count);

    IPaymentMethod* payment = RunPayment();
    if (payment) {
        CheckPaymentStatements();
        RunCashup(payment);
    }
    RunGetChanges();
    RunConfigList();
    RunReport();
    RunFailingDatabase(folder);
    if (payment) {
        RunModuleError(payment);
        payment->Release();
    }
    CHECK(TextRefs(gTyped) == 1 && TextRefs(gNewId) == 1 && TextRefs(gTotalsJson) == 1 && TextRefs(gDetailsJson) == 1,
          "texts of the host are still held by the module: %d %d %d %d", static_cast<int>(TextRefs(gTyped)),
          static_cast<int>(TextRefs(gNewId)), static_cast<int>(TextRefs(gTotalsJson)),
          static_cast<int>(TextRefs(gDetailsJson)));

    container.journal = true;
    Ok(finalModule(), "FinalModule");
    CheckJournal("the withdrawals",
                 "UnregisterNamedFactory IPaymentMethod \"Other CC\"\n"
                 "UnregisterNamedFactory IPaymentMethod \"Nedbank\"\n"
                 "UnregisterNamedFactory IPaymentMethod \"ABSA\"\n"
                 "UnregisterNamedFactory IPaymentMethod \"Mr D\"\n"
                 "UnregisterNamedFactory IPaymentMethod \"Uber\"\n"
                 "UnregisterInstance IExtraPaymentsManagement\n"
                 "UnregisterFactory IExtraPaymentsManagement\n"
                 "UnregisterNamedFactory IDatabaseChanges \"ExtraPayments\"\n"
                 "UnregisterFactory IExtraPaymentsTransaction\n");
    Ok(finalModule(), "FinalModule again");
    CheckJournal("a second FinalModule", "");
    container.journal = false;
    // The database factory went in the last step: the host's own services less one are left.
    printf("FinalModule: %d registrations left, the host's own\n", container.count);
    CHECK(container.count == hostServices - 1, "%d registrations left", container.count);
    CHECK(container.refs == 1 && host.menus.refs == 2 && host.events.refs == 2 && host.forms.refs == 2,
          "references left on the host's services: container %ld, menus %ld, events %ld, forms %ld", container.refs,
          host.menus.refs, host.events.refs, host.forms.refs);

    // The menu and event handlers point into the module: they go before it does.
    host.menus.count = host.events.count = 0;
    while (container.count > 0) {
        TEntry& last = container.entries[container.count - 1];
        Text name(last.name);
        container.Remove(last.iid, name.chars, last.instance != nullptr);
    }
    CHECK(gLiveHeapObjects == 0, "%ld objects of the host are still held", gLiveHeapObjects);
    FreeLibrary(library);
    printf("unloaded\n");

    // Texts the module made live on in the process heap; the host frees them now.
    for (int32_t i = 0; i < host.scripts.count; ++i) c::OrvoTextRelease(host.scripts.lines[i]);
    const OrvoAnsiString texts[] = {gPage, gTyped, gNewId, gUserName, gTotalsJson, gDetailsJson};
    for (OrvoAnsiString text : texts) c::OrvoTextRelease(text);
    printf(gFailures ? "%d checks failed\n" : "every check held\n", gFailures);
    return gFailures ? 1 : 0;
}
}  // namespace

// The program's entry: no C runtime start-up, the arguments from msvcrt.dll.
extern "C" void __cdecl HostStart() {
    int argc = 0;
    char** argv = nullptr;
    char** environment = nullptr;
    StartupInfo info = {0};
    __getmainargs(&argc, &argv, &environment, 0, &info);
    exit(Run(argc, argv));
}
