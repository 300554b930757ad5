/* Generated from contract/Orvo.idl by contract/generate.py: edit those, not this file.
 *
 * The binary contract in C99, for hosts that are not written in C++ (C, or any language that
 * reads C declarations). It declares what interfaces/ declares for C++, slot for slot:
 *
 *   - every interface is a pointer to a struct whose first member points to its table of
 *     functions (lpVtbl); the table starts with QueryInterface, AddRef and Release (in C++
 *     _AddRef and _Release: C reserves names that begin with "_" and a capital), then the
 *     interface's own methods in the order of the C++ declaration (there named raw_<Method>);
 *   - every function is __stdcall on 32-bit Windows and takes the object first (This);
 *   - every method returns an HRESULT (an int32_t here: negative means failed) and hands its
 *     result back through an out-pointer, the last argument;
 *   - a failing method leaves the thread's error object behind (oleaut32: SetErrorInfo; read it
 *     with GetErrorInfo): description = the message, source = the error's class name. A host's
 *     own methods and bound methods fail the same way.
 *
 * What each method does is told beside it, as in the C++ headers interfaces/intf*.h.
 *
 * The names are the contract's own, so that a host's <windows.h>, included before or after this
 * header, stays as it is (TGUID, not GUID; int32_t, not HRESULT or BOOL). The C++ headers declare
 * the same names: include either this header or those, not both in one scope. */
#ifndef ORVO_CONTRACT_H
#define ORVO_CONTRACT_H

#include <stddef.h>
#include <stdint.h>

#ifndef ORVO_STDCALL
#if defined(_WIN32) && !defined(_WIN64)
#define ORVO_STDCALL __stdcall
#else
#define ORVO_STDCALL
#endif
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Shared types ---------------------------------------------------------------------- */

/* A 16-byte interface identifier in the Windows GUID layout. */
typedef struct TGUID {
    uint32_t D1;
    uint16_t D2;
    uint16_t D3;
    uint8_t D4[8];
} TGUID;

/* The HRESULTs the contract names. Any negative value is a failure. */
enum {
    ORVO_S_OK = 0,
    ORVO_S_FALSE = 1,
    ORVO_E_NOINTERFACE = (int32_t)0x80004002u,
    ORVO_E_POINTER = (int32_t)0x80004003u,
    ORVO_E_FAIL = (int32_t)0x80004005u,
    ORVO_E_OUTOFMEMORY = (int32_t)0x8007000Eu
};
#define ORVO_FAILED(hr) ((int32_t)(hr) < 0)

/* A Boolean as it crosses: 0 false, anything else true (Win32's BOOL). */
typedef int32_t OrvoBool;
/* Money: a signed count of ten-thousandths of the currency unit. */
typedef int64_t Currency;
/* Date and time: days since 1899-12-30, the fraction being the time of day. */
typedef double TDateTime;

/* ---- Text ------------------------------------------------------------------------------ */
/* Reference-counted, immutable 8-bit text in the ANSI code page, one pointer wide. The pointer
 * is to the characters of a block; null is the empty text (a block never holds 0 characters).
 * The block, byte by byte (little-endian, 4-byte aligned):
 *
 *   offset 0   int32  references (changed atomically; 1 for a new block)
 *   offset 4   int32  length in bytes, without the terminator (1 or more)
 *   offset 8   the characters, then one NUL byte       <- a text points here
 *
 * The block comes from HeapAlloc(GetProcessHeap(), 0, 8 + length + 1) and goes back with
 * HeapFree(GetProcessHeap(), 0, block) when the references drop to 0, whichever side that is
 * (malloc and free outside Windows). As an argument a text is borrowed for the call (a callee
 * that keeps it adds a reference); as an out-argument it is a new reference that the caller
 * releases. */
typedef char* OrvoAnsiString;

#if defined(_WIN32)
/* The three kernel32 functions the block needs, declared exactly as <windows.h> declares them:
 * a host's own <windows.h>, included before or after, stays as it would be. */
__declspec(dllimport) void* ORVO_STDCALL GetProcessHeap(void);
#if defined(_WIN64)
__declspec(dllimport) void* ORVO_STDCALL HeapAlloc(void* heap, unsigned long flags, unsigned long long bytes);
#else
__declspec(dllimport) void* ORVO_STDCALL HeapAlloc(void* heap, unsigned long flags, unsigned long bytes);
#endif
__declspec(dllimport) int ORVO_STDCALL HeapFree(void* heap, unsigned long flags, void* block);
#endif

#if defined(_WIN32)
#define ORVO_TEXT_ALLOC(bytes) HeapAlloc(GetProcessHeap(), 0, (bytes))
#define ORVO_TEXT_FREE(block) HeapFree(GetProcessHeap(), 0, (block))
#elif defined(__GNUC__) || defined(__clang__)
/* The C library's malloc and free, without its header (whose C++ declaration differs). */
#define ORVO_TEXT_ALLOC(bytes) __builtin_malloc(bytes)
#define ORVO_TEXT_FREE(block) __builtin_free(block)
#else
void* malloc(size_t bytes);
void free(void* block);
#define ORVO_TEXT_ALLOC(bytes) malloc(bytes)
#define ORVO_TEXT_FREE(block) free(block)
#endif

#if defined(__GNUC__) || defined(__clang__)
#define ORVO_TEXT_REFS_ADD(refs) __atomic_add_fetch((refs), 1, __ATOMIC_RELAXED)
#define ORVO_TEXT_REFS_DROP(refs) __atomic_sub_fetch((refs), 1, __ATOMIC_ACQ_REL)
#elif defined(_MSC_VER)
long _InterlockedIncrement(long volatile* value);
long _InterlockedDecrement(long volatile* value);
#pragma intrinsic(_InterlockedIncrement, _InterlockedDecrement)
#define ORVO_TEXT_REFS_ADD(refs) _InterlockedIncrement((long volatile*)(refs))
#define ORVO_TEXT_REFS_DROP(refs) _InterlockedDecrement((long volatile*)(refs))
#endif

/* A new text holding length bytes of chars (a new reference); null for length 0 or when the
 * heap has no room. */
static inline OrvoAnsiString OrvoTextNew(const char* chars, int32_t length) {
    int32_t* block;
    char* text;
    int32_t i;
    if (length <= 0 || length > INT32_MAX - 9) return NULL;
    block = (int32_t*)ORVO_TEXT_ALLOC((size_t)length + 9);
    if (!block) return NULL;
    block[0] = 1;
    block[1] = length;
    text = (char*)(block + 2);
    for (i = 0; i < length; ++i) text[i] = chars[i];
    text[length] = '\0';
    return text;
}
/* A new text from a NUL-terminated string (null for "" or a null pointer). */
static inline OrvoAnsiString OrvoTextOf(const char* chars) {
    int32_t length = 0;
    if (!chars) return NULL;
    while (chars[length]) ++length;
    return OrvoTextNew(chars, length);
}
/* Adds a reference (keeping a borrowed text); returns the text. */
static inline OrvoAnsiString OrvoTextAddRef(OrvoAnsiString text) {
    if (text) ORVO_TEXT_REFS_ADD((int32_t*)text - 2);
    return text;
}
/* Drops a reference; the last one frees the block. */
static inline void OrvoTextRelease(OrvoAnsiString text) {
    if (text && ORVO_TEXT_REFS_DROP((int32_t*)text - 2) == 0) ORVO_TEXT_FREE((int32_t*)text - 2);
}
static inline int32_t OrvoTextLength(OrvoAnsiString text) { return text ? ((const int32_t*)text)[-1] : 0; }
/* The characters, NUL-terminated ("" for the empty text). */
static inline const char* OrvoTextChars(OrvoAnsiString text) { return text ? text : ""; }

#if !defined(_WIN32)
/* Outside Windows the thread's error object is this slot of the host program's, which exports
 * orvo_ThreadErrorSlot(); the two texts are the slot's references. */
typedef struct OrvoErrorSlot {
    OrvoAnsiString Description;
    OrvoAnsiString Source;
} OrvoErrorSlot;
#endif

/* ---- Interfaces, as incomplete types first: the bound methods and tables name them.
 * (Each struct is declared on its own first, so that inside a C++ namespace it is that
 * namespace's own.) */
struct IInterface;
typedef struct IInterface IInterface;
struct IStrings;
typedef struct IStrings IStrings;
struct IDIFactory;
typedef struct IDIFactory IDIFactory;
struct IDIContainer;
typedef struct IDIContainer IDIContainer;
struct IDBScript;
typedef struct IDBScript IDBScript;
struct IActCodes;
typedef struct IActCodes IActCodes;
struct IAuthentication;
typedef struct IAuthentication IAuthentication;
struct IDatabaseChanges;
typedef struct IDatabaseChanges IDatabaseChanges;
struct IEventManager;
typedef struct IEventManager IEventManager;
struct IExtraPaymentsManagement;
typedef struct IExtraPaymentsManagement IExtraPaymentsManagement;
struct IExtraPaymentsTransaction;
typedef struct IExtraPaymentsTransaction IExtraPaymentsTransaction;
struct IFormView;
typedef struct IFormView IFormView;
struct IFormHost;
typedef struct IFormHost IFormHost;
struct IGenericInput;
typedef struct IGenericInput IGenericInput;
struct IHTMLViewer;
typedef struct IHTMLViewer IHTMLViewer;
struct IMainMenuManager;
typedef struct IMainMenuManager IMainMenuManager;
struct IStringConfigList;
typedef struct IStringConfigList IStringConfigList;
struct IPaymentMethod;
typedef struct IPaymentMethod IPaymentMethod;

/* ---- Bound methods, records and constants ------------------------------------------------
 * A bound method is a function taking the object first, and the object; passed by value (8
 * bytes on 32-bit). "Set" means Code is set; Data may be null. The function returns an HRESULT
 * and leaves the thread's error object when it fails, as every method does. */
/* One argument of a statement pattern, filled in order into "%d", "%s" and "%f". */
typedef int32_t TSQLArgKind;
enum {
    ORVO_SQLARG_INTEGER = 0,
    ORVO_SQLARG_TEXT = 1,
    ORVO_SQLARG_FLOAT = 2
};

typedef struct TSQLArg {
    TSQLArgKind Kind;     /* ORVO_SQLARG_... */
    int32_t Length;       /* bytes of Text; 0 for the other kinds */
    union {
        int64_t Integer;
        double Float;
        const char* Text; /* not terminated; valid for the duration of the call */
    } Value;
} TSQLArg;

typedef struct TSQLArgs {
    const TSQLArg* Items;
    int32_t Count;
} TSQLArgs;

/* Event handler: the event's name (borrowed) and two further arguments of the host's. */
typedef struct TEventHandler {
    int32_t(ORVO_STDCALL* Code)(void* data, OrvoAnsiString eventName, void* sender, void* extra);
    void* Data;
} TEventHandler;

/* Kinds of control a form holds. */
typedef int32_t TFormControlKind;
enum {
    ORVO_CONTROL_GROUPBOX = 0,
    ORVO_CONTROL_EDIT = 1,
    ORVO_CONTROL_BUTTON = 2,
    ORVO_CONTROL_LABEL = 3,
    ORVO_CONTROL_DATEPICKER = 4
};

/* Modal results: none yet, OK, Cancel. */
enum {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2
};

/* Bits of TFormControlInfo::Flags. */
enum {
    ORVO_CONTROL_READONLY = 1,    /* an edit box the user cannot type into */
    ORVO_CONTROL_FOCUSED = 2,     /* has the focus when the form opens */
    ORVO_CONTROL_CENTREDTEXT = 4, /* a label whose text is centred */
    ORVO_CONTROL_ALIGNEDTOP = 8   /* stacked at the top, over the parent's full width */
};

/* One control as the host reads it. Bounds are pixels at 96 dpi, relative to the parent's
 * client area; captions keep their "&" accelerator marks. */
typedef struct TFormControlInfo {
    OrvoAnsiString Name;     /* e.g. "btnAmount" */
    OrvoAnsiString Parent;   /* name of the group box holding it; empty when on the form itself */
    OrvoAnsiString Text;     /* caption of a button, group box or label; edit box contents; "" for a date picker */
    OrvoAnsiString FontFace; /* e.g. "Tahoma" */
    int32_t Kind;            /* a TFormControlKind */
    int32_t Left;
    int32_t Top;
    int32_t Width;
    int32_t Height;
    int32_t FontHeight;      /* character height in pixels at 96 dpi */
    int32_t TabOrder;        /* position among the controls of the same parent */
    int32_t ModalResult;     /* result a button closes the form with; mrNone for none */
    int32_t Accelerator;     /* the letter marked with "&" (upper case), 0 for none */
    int32_t Flags;           /* ORVO_CONTROL_... bits */
} TFormControlInfo;

/* Menu click handler: the host passes the menu item as sender; the module reads nothing of it. */
typedef struct TMenuClickEvent {
    int32_t(ORVO_STDCALL* Code)(void* data, void* sender);
    void* Data;
} TMenuClickEvent;

/* The host's change handler: called with the payment method's own reference after a change. */
typedef struct TPaymentChangeEvent {
    int32_t(ORVO_STDCALL* Code)(void* data, IPaymentMethod* paymentMethod);
    void* Data;
} TPaymentChangeEvent;

/* Adds one cash-up row; the texts are borrowed. Note: invoice first, shift second
 * (AddCashupEntry takes the shift first). */
typedef struct TAddCashupEntryEvent {
    int32_t(ORVO_STDCALL* Code)(void* data, int32_t invoice, int32_t shift, OrvoAnsiString name,
                                OrvoAnsiString parentName, int32_t a, double value, int32_t b, int32_t c);
    void* Data;
} TAddCashupEntryEvent;

/* Removes one cash-up row. */
typedef struct TRemoveCashupEntryEvent {
    int32_t(ORVO_STDCALL* Code)(void* data, int32_t invoice, int32_t shift, OrvoAnsiString name);
    void* Data;
} TRemoveCashupEntryEvent;

/* ---- Interfaces ------------------------------------------------------------------------- */

/* Interface identifiers; constant expressions in C++, so that a C++ unit can check them. */
#if defined(__cplusplus) && __cplusplus >= 201103L
#define ORVO_IID static constexpr TGUID
#else
#define ORVO_IID static const TGUID
#endif

/* The three slots every table starts with. QueryInterface stores a new reference, or null
 * with ORVO_E_NOINTERFACE (ORVO_E_POINTER for a null iid or obj); AddRef and Release return the
 * new count (informational). */
#define ORVO_IINTERFACE_SLOTS(I)                                                   \
    int32_t(ORVO_STDCALL* QueryInterface)(I * This, const TGUID* iid, void** obj); \
    int32_t(ORVO_STDCALL* AddRef)(I * This);                                       \
    int32_t(ORVO_STDCALL* Release)(I * This);

/* The base interface: every table starts with its three slots. {00000000-0000-0000-C000-000000000046} */
ORVO_IID IID_IInterface = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
typedef struct IInterfaceVtbl {
    ORVO_IINTERFACE_SLOTS(IInterface)
} IInterfaceVtbl;
struct IInterface {
    const IInterfaceVtbl* lpVtbl;
};

/* An ordered list of lines that one side owns and the other fills or reads. {6B1D3E52-2F0C-4C8B-A7E4-3A51C2D09F17} */
ORVO_IID IID_IStrings = {0x6B1D3E52, 0x2F0C, 0x4C8B, {0xA7, 0xE4, 0x3A, 0x51, 0xC2, 0xD0, 0x9F, 0x17}};
typedef struct IStringsVtbl {
    ORVO_IINTERFACE_SLOTS(IStrings)
    /* Number of lines. */
    int32_t(ORVO_STDCALL* GetCount)(IStrings* This, int32_t* count);
    /* Line index (0 first), a new text; fails (EStringListError) when out of range. */
    int32_t(ORVO_STDCALL* Get)(IStrings* This, int32_t index, OrvoAnsiString* line);
    /* Appends a copy of line (borrowed); its index. */
    int32_t(ORVO_STDCALL* Add)(IStrings* This, OrvoAnsiString line, int32_t* index);
} IStringsVtbl;
struct IStrings {
    const IStringsVtbl* lpVtbl;
};

/* A factory: a new object on every call. {5C0E8EF1-24C4-4E5E-89D8-CB1B423A164C} */
ORVO_IID IID_IDIFactory = {0x5C0E8EF1, 0x24C4, 0x4E5E, {0x89, 0xD8, 0xCB, 0x1B, 0x42, 0x3A, 0x16, 0x4C}};
typedef struct IDIFactoryVtbl {
    ORVO_IINTERFACE_SLOTS(IDIFactory)
    /* Makes a new object on every call; *obj: a new reference to its base interface. */
    int32_t(ORVO_STDCALL* CreateObject)(IDIFactory* This, IInterface** obj);
} IDIFactoryVtbl;
struct IDIFactory {
    const IDIFactoryVtbl* lpVtbl;
};

/* The host's service container, handed to InitModule. {D2C0A6A1-5B7E-4C39-9E57-0F7A0C3B1E11} */
ORVO_IID IID_IDIContainer = {0xD2C0A6A1, 0x5B7E, 0x4C39, {0x9E, 0x57, 0x0F, 0x7A, 0x0C, 0x3B, 0x1E, 0x11}};
typedef struct IDIContainerVtbl {
    ORVO_IINTERFACE_SLOTS(IDIContainer)
    /* Keeps a reference to obj and serves it for iid through GetInstance. */
    int32_t(ORVO_STDCALL* RegisterInstance)(IDIContainer* This, const TGUID* iid, IInterface* obj);
    /* Keeps a reference to factory; Resolve(iid) calls it. */
    int32_t(ORVO_STDCALL* RegisterFactory)(IDIContainer* This, const TGUID* iid, IDIFactory* factory);
    /* Keeps a reference to factory; ResolveNamed(iid, name) calls it. name is borrowed. */
    int32_t(ORVO_STDCALL* RegisterNamedFactory)(IDIContainer* This, const TGUID* iid, OrvoAnsiString name,
                                                IDIFactory* factory);
    /* Drops the instance registered for iid and its reference. */
    int32_t(ORVO_STDCALL* UnregisterInstance)(IDIContainer* This, const TGUID* iid);
    /* Drops the factory registered for iid and its reference. */
    int32_t(ORVO_STDCALL* UnregisterFactory)(IDIContainer* This, const TGUID* iid);
    /* Drops the factory registered for iid under name and its reference. */
    int32_t(ORVO_STDCALL* UnregisterNamedFactory)(IDIContainer* This, const TGUID* iid, OrvoAnsiString name);
    /* *found true with a new reference to the shared object in *obj (as iid); false and null when none. */
    int32_t(ORVO_STDCALL* GetInstance)(IDIContainer* This, const TGUID* iid, void** obj, OrvoBool* found);
    /* *found true with a new object from iid's factory in *obj (as iid); false and null when none. */
    int32_t(ORVO_STDCALL* Resolve)(IDIContainer* This, const TGUID* iid, void** obj, OrvoBool* found);
    /* As Resolve, with the factory registered under name. */
    int32_t(ORVO_STDCALL* ResolveNamed)(IDIContainer* This, const TGUID* iid, OrvoAnsiString name, void** obj,
                                        OrvoBool* found);
} IDIContainerVtbl;
struct IDIContainer {
    const IDIContainerVtbl* lpVtbl;
};

/* The host's database script service (Resolve); one object per operation. {039CED77-F302-4546-B669-6D45B2E9AE94} */
ORVO_IID IID_IDBScript = {0x039CED77, 0xF302, 0x4546, {0xB6, 0x69, 0x6D, 0x45, 0xB2, 0xE9, 0xAE, 0x94}};
typedef struct IDBScriptVtbl {
    ORVO_IINTERFACE_SLOTS(IDBScript)
    /* Fills the pattern from args and runs it; *result is the host's and never interpreted.
     * Fails when the statement fails. */
    int32_t(ORVO_STDCALL* ExecSQL)(IDBScript* This, OrvoAnsiString pattern, const TSQLArgs* args, int32_t* result);
    /* Runs a complete batch; *value: the named column of the first row of its result as text. */
    int32_t(ORVO_STDCALL* QueryValue)(IDBScript* This, OrvoAnsiString batch, OrvoAnsiString column,
                                      OrvoAnsiString* value);
    /* Fills and runs the pattern; *json: the whole result as a JSON array of row objects. */
    int32_t(ORVO_STDCALL* QueryJSON)(IDBScript* This, OrvoAnsiString pattern, const TSQLArgs* args,
                                     OrvoAnsiString* json);
} IDBScriptVtbl;
struct IDBScript {
    const IDBScriptVtbl* lpVtbl;
};

/* The host's access-code list (Resolve). {7336DF82-6458-4675-A561-03F09D1B3B6E} */
ORVO_IID IID_IActCodes = {0x7336DF82, 0x6458, 0x4675, {0xA5, 0x61, 0x03, 0xF0, 0x9D, 0x1B, 0x3B, 0x6E}};
typedef struct IActCodesVtbl {
    ORVO_IINTERFACE_SLOTS(IActCodes)
    /* Registers code with its description; the two values are the host's (the module passes 1, 1). */
    int32_t(ORVO_STDCALL* AddActCode)(IActCodes* This, OrvoAnsiString code, OrvoAnsiString description, int32_t a,
                                      int32_t b);
    /* Links code under linkCode in the host's access tree. */
    int32_t(ORVO_STDCALL* LinkActCode)(IActCodes* This, OrvoAnsiString code, OrvoAnsiString linkCode);
} IActCodesVtbl;
struct IActCodes {
    const IActCodesVtbl* lpVtbl;
};

/* The host's access check (Resolve). {9C707C66-FD71-4E82-AF41-2F51767A7D87} */
ORVO_IID IID_IAuthentication = {0x9C707C66, 0xFD71, 0x4E82, {0xAF, 0x41, 0x2F, 0x51, 0x76, 0x7A, 0x7D, 0x87}};
typedef struct IAuthenticationVtbl {
    ORVO_IINTERFACE_SLOTS(IAuthentication)
    /* *granted true when the current user may proceed with code. The out values (a new text the
     * caller releases, an integer) and the two trailing arguments are the host's; the module
     * passes 1 and 0 and reads neither out value. */
    int32_t(ORVO_STDCALL* CheckAccess)(IAuthentication* This, OrvoAnsiString code, OrvoAnsiString* userName,
                                       int32_t* userId, int32_t prompt, int32_t options, OrvoBool* granted);
} IAuthenticationVtbl;
struct IAuthentication {
    const IAuthenticationVtbl* lpVtbl;
};

/* The module's schema scripts and access codes (ResolveNamed "ExtraPayments"). {46A625EC-9BF5-42C0-AC4F-9E6719539020} */
ORVO_IID IID_IDatabaseChanges = {0x46A625EC, 0x9BF5, 0x42C0, {0xAC, 0x4F, 0x9E, 0x67, 0x19, 0x53, 0x90, 0x20}};
typedef struct IDatabaseChangesVtbl {
    ORVO_IINTERFACE_SLOTS(IDatabaseChanges)
    /* Appends the module's scripts to scripts (the host's list, lent for the call; one entry per
     * script) and registers its access codes. The first argument is the host's and is ignored. */
    int32_t(ORVO_STDCALL* GetChanges)(IDatabaseChanges* This, int32_t version, IStrings* scripts);
} IDatabaseChangesVtbl;
struct IDatabaseChanges {
    const IDatabaseChangesVtbl* lpVtbl;
};

/* The host's event manager (GetInstance). {809967B8-EF11-4305-903C-F7C01676EA2D} */
ORVO_IID IID_IEventManager = {0x809967B8, 0xEF11, 0x4305, {0x90, 0x3C, 0xF7, 0xC0, 0x16, 0x76, 0xEA, 0x2D}};
typedef struct IEventManagerVtbl {
    ORVO_IINTERFACE_SLOTS(IEventManager)
    /* The handler runs at every raise of eventName; the host keeps it and offers no unsubscribe. */
    int32_t(ORVO_STDCALL* Subscribe)(IEventManager* This, OrvoAnsiString eventName, TEventHandler handler);
} IEventManagerVtbl;
struct IEventManager {
    const IEventManagerVtbl* lpVtbl;
};

/* The key of the module's management object; no methods of its own. {18DC7950-A609-4152-ADC8-1C9F410A7DBE} */
ORVO_IID IID_IExtraPaymentsManagement = {0x18DC7950, 0xA609, 0x4152, {0xAD, 0xC8, 0x1C, 0x9F, 0x41, 0x0A, 0x7D, 0xBE}};
typedef struct IExtraPaymentsManagementVtbl {
    ORVO_IINTERFACE_SLOTS(IExtraPaymentsManagement)
} IExtraPaymentsManagementVtbl;
struct IExtraPaymentsManagement {
    const IExtraPaymentsManagementVtbl* lpVtbl;
};

/* The module's transaction record service (Resolve). {9E80389D-D9AA-43D2-9CEB-3B2AA5CA2EC0} */
ORVO_IID IID_IExtraPaymentsTransaction = {0x9E80389D, 0xD9AA, 0x43D2, {0x9C, 0xEB, 0x3B, 0x2A, 0xA5, 0xCA, 0x2E, 0xC0}};
typedef struct IExtraPaymentsTransactionVtbl {
    ORVO_IINTERFACE_SLOTS(IExtraPaymentsTransaction)
    /* Inserts a row for the method; *id: its new ID, or -1 on any failure (never fails itself). */
    int32_t(ORVO_STDCALL* AddTransaction)(IExtraPaymentsTransaction* This, OrvoAnsiString paymentMethod, int32_t* id);
    /* Sets the row's amount (rands, gratuity included) and reference; an amount that is no
     * number (NaN, infinite) is refused before any statement; errors reach the caller. */
    int32_t(ORVO_STDCALL* UpdateTransaction)(IExtraPaymentsTransaction* This, int32_t transactionId,
                                             OrvoAnsiString reference, double amount);
    /* Ties the row to the invoice; errors reach the caller. */
    int32_t(ORVO_STDCALL* SetInvoiceNum)(IExtraPaymentsTransaction* This, int32_t transactionId, int32_t invoiceNum);
} IExtraPaymentsTransactionVtbl;
struct IExtraPaymentsTransaction {
    const IExtraPaymentsTransactionVtbl* lpVtbl;
};

/* A module's form while IFormHost::ShowModal shows it; controls by index. {D46EAD9B-516B-4088-8AEE-8D3D07F5F764} */
ORVO_IID IID_IFormView = {0xD46EAD9B, 0x516B, 0x4088, {0x8A, 0xEE, 0x8D, 0x3D, 0x07, 0xF5, 0xF7, 0x64}};
typedef struct IFormViewVtbl {
    ORVO_IINTERFACE_SLOTS(IFormView)
    /* The title bar text; a new text. */
    int32_t(ORVO_STDCALL* GetCaption)(IFormView* This, OrvoAnsiString* caption);
    /* Client area in pixels at 96 dpi; 0 when closed. */
    int32_t(ORVO_STDCALL* GetClientWidth)(IFormView* This, int32_t* width);
    int32_t(ORVO_STDCALL* GetClientHeight)(IFormView* This, int32_t* height);
    /* Number of controls; 0 when closed. */
    int32_t(ORVO_STDCALL* GetControlCount)(IFormView* This, int32_t* count);
    /* Fills info for the control: the texts it held (the caller's, or null) are released and
     * replaced by new ones; *found false for an unknown index. */
    int32_t(ORVO_STDCALL* GetControl)(IFormView* This, int32_t index, TFormControlInfo* info, OrvoBool* found);
    /* Index of the control with that name (exact case); -1 when there is none. */
    int32_t(ORVO_STDCALL* IndexOfControl)(IFormView* This, OrvoAnsiString name, int32_t* index);
    /* Current text of the control (edit contents or caption); empty for an unknown index. */
    int32_t(ORVO_STDCALL* GetText)(IFormView* This, int32_t index, OrvoAnsiString* text);
    /* Types text into an editable edit box, replacing its contents; *done false for any other control. */
    int32_t(ORVO_STDCALL* SetText)(IFormView* This, int32_t index, OrvoAnsiString text, OrvoBool* done);
    /* Date-time held by a date picker; *done false (date untouched) for any other control. */
    int32_t(ORVO_STDCALL* GetDate)(IFormView* This, int32_t index, TDateTime* date, OrvoBool* done);
    /* Picks a date-time in a date picker; *done false for any other control. A date that is no
     * number or outside the years 1 to 9999 fails (EConvertError) and the picker keeps its date. */
    int32_t(ORVO_STDCALL* SetDate)(IFormView* This, int32_t index, TDateTime date, OrvoBool* done);
    /* Presses a button: runs its click handler, then sets the form's modal result to the
     * button's. A handler's error goes to IFormHost::ReportError, leaves the form open and
     * gives *done false; false too for anything that is not a button. */
    int32_t(ORVO_STDCALL* Click)(IFormView* This, int32_t index, OrvoBool* done);
    /* The result the form is closing with; mrNone while it stays open. */
    int32_t(ORVO_STDCALL* GetModalResult)(IFormView* This, int32_t* result);
} IFormViewVtbl;
struct IFormView {
    const IFormViewVtbl* lpVtbl;
};

/* The host's presenter of the module's forms (RegisterInstance). {CBA2E9E3-868B-4142-B951-BF8504F222B6} */
ORVO_IID IID_IFormHost = {0xCBA2E9E3, 0x868B, 0x4142, {0xB9, 0x51, 0xBF, 0x85, 0x04, 0xF2, 0x22, 0xB6}};
typedef struct IFormHostVtbl {
    ORVO_IINTERFACE_SLOTS(IFormHost)
    /* Shows the form and returns once its modal result is set, or when the host closes it
     * otherwise (taken as Cancel, like the title bar's close box). The view is lent for the call. */
    int32_t(ORVO_STDCALL* ShowModal)(IFormHost* This, IFormView* form);
    /* An error raised by a click handler while the form is shown; the form stays open. */
    int32_t(ORVO_STDCALL* ReportError)(IFormHost* This, IFormView* form, OrvoAnsiString message);
} IFormHostVtbl;
struct IFormHost {
    const IFormHostVtbl* lpVtbl;
};

/* The host's numeric input popup (ResolveNamed "Currency"). {EF1590EE-58D9-4F52-9D52-EDA0D3C8889A} */
ORVO_IID IID_IGenericInput = {0xEF1590EE, 0x58D9, 0x4F52, {0x9D, 0x52, 0xED, 0xA0, 0xD3, 0xC8, 0x88, 0x9A}};
typedef struct IGenericInputVtbl {
    ORVO_IINTERFACE_SLOTS(IGenericInput)
    /* Sets the prompt shown above the keypad. */
    int32_t(ORVO_STDCALL* SetCaption)(IGenericInput* This, OrvoAnsiString caption);
    /* Shows the popup with initial text; *confirmed true with the typed text, a new text, in
     * *entered (which the caller passes empty); false leaves *entered empty. */
    int32_t(ORVO_STDCALL* Execute)(IGenericInput* This, OrvoAnsiString initial, OrvoAnsiString* entered,
                                   OrvoBool* confirmed);
} IGenericInputVtbl;
struct IGenericInput {
    const IGenericInputVtbl* lpVtbl;
};

/* The host's HTML viewer (Resolve). {81D81A77-941E-4514-8CA5-05169CDC91BB} */
ORVO_IID IID_IHTMLViewer = {0x81D81A77, 0x941E, 0x4514, {0x8C, 0xA5, 0x05, 0x16, 0x9C, 0xDC, 0x91, 0xBB}};
typedef struct IHTMLViewerVtbl {
    ORVO_IINTERFACE_SLOTS(IHTMLViewer)
    /* Shows the page (borrowed); the viewer keeps its own reference or copy while it shows it. */
    int32_t(ORVO_STDCALL* ShowHTML)(IHTMLViewer* This, OrvoAnsiString page);
} IHTMLViewerVtbl;
struct IHTMLViewer {
    const IHTMLViewerVtbl* lpVtbl;
};

/* The host's main menu (GetInstance). {18EFA31B-CB57-4086-9B08-DFB4F40E69CE} */
ORVO_IID IID_IMainMenuManager = {0x18EFA31B, 0xCB57, 0x4086, {0x9B, 0x08, 0xDF, 0xB4, 0xF4, 0x0E, 0x69, 0xCE}};
typedef struct IMainMenuManagerVtbl {
    ORVO_IINTERFACE_SLOTS(IMainMenuManager)
    /* Appends an item to the menu named parent at position (-1: at the end). Caption "-" with
     * no handler is a separator. The host keeps the handler as long as the item exists. */
    int32_t(ORVO_STDCALL* AddMenuItem)(IMainMenuManager* This, OrvoAnsiString parent, OrvoAnsiString caption,
                                       TMenuClickEvent onClick, int32_t position);
} IMainMenuManagerVtbl;
struct IMainMenuManager {
    const IMainMenuManagerVtbl* lpVtbl;
};

/* A payment method's configuration list (IPaymentMethod::GetConfig). {F6E10E87-DF36-40E3-BB1E-F10BAD1B413F} */
ORVO_IID IID_IStringConfigList = {0xF6E10E87, 0xDF36, 0x40E3, {0xBB, 0x1E, 0xF1, 0x0B, 0xAD, 0x1B, 0x41, 0x3F}};
typedef struct IStringConfigListVtbl {
    ORVO_IINTERFACE_SLOTS(IStringConfigList)
    /* The first line; empty when the list is empty. */
    int32_t(ORVO_STDCALL* GetFirst)(IStringConfigList* This, OrvoAnsiString* text);
    /* The last line; empty when the list is empty. */
    int32_t(ORVO_STDCALL* GetLast)(IStringConfigList* This, OrvoAnsiString* text);
    /* The named value read leniently as a Boolean; false when missing or unreadable. */
    int32_t(ORVO_STDCALL* GetBoolean)(IStringConfigList* This, OrvoAnsiString name, OrvoBool* result);
    /* As GetFloat. */
    int32_t(ORVO_STDCALL* GetDateTime)(IStringConfigList* This, OrvoAnsiString name, double* value);
    /* The named value read leniently as a number; 0 when missing or unreadable. */
    int32_t(ORVO_STDCALL* GetFloat)(IStringConfigList* This, OrvoAnsiString name, double* value);
    /* The named value read leniently as a 32-bit integer; 0 when missing or unreadable. */
    int32_t(ORVO_STDCALL* GetInteger)(IStringConfigList* This, OrvoAnsiString name, int32_t* result);
    /* The object attached to the first line equal to text (null when none); fails
     * with the index error with -1 when no line is equal. */
    int32_t(ORVO_STDCALL* GetObject)(IStringConfigList* This, OrvoAnsiString text, IInterface** object);
    /* The named line after the name and "=", cut at the length of name; empty when missing. */
    int32_t(ORVO_STDCALL* GetString)(IStringConfigList* This, OrvoAnsiString name, OrvoAnsiString* text);
    /* GetValueFromIndex(index) read leniently as a number; index past the end fails. */
    int32_t(ORVO_STDCALL* GetFloatAt)(IStringConfigList* This, int32_t index, double* value);
    /* As GetValueFromIndex. */
    int32_t(ORVO_STDCALL* GetValueAt)(IStringConfigList* This, int32_t index, OrvoAnsiString* text);
    /* GetValueFromIndex(index) read leniently as an integer; index past the end fails. */
    int32_t(ORVO_STDCALL* GetIntegerAt)(IStringConfigList* This, int32_t index, int32_t* result);
    /* The object attached to line index (null when none); out of range fails. */
    int32_t(ORVO_STDCALL* GetObjectAt)(IStringConfigList* This, int32_t index, IInterface** object);
    /* Empty for a negative index; else the line after its first "=", or the whole line
     * without one; past the end fails. */
    int32_t(ORVO_STDCALL* GetValueOrLineAt)(IStringConfigList* This, int32_t index, OrvoAnsiString* text);
    /* The whole line read strictly as a Boolean; fails with EConvertError when it is not one. */
    int32_t(ORVO_STDCALL* GetLineAsBoolean)(IStringConfigList* This, int32_t index, OrvoBool* result);
    /* The whole line read strictly as a date and time in the short date format; fails with EConvertError. */
    int32_t(ORVO_STDCALL* GetLineAsDateTime)(IStringConfigList* This, int32_t index, double* value);
    /* The whole line read strictly as a number; fails with EConvertError when it is not one. */
    int32_t(ORVO_STDCALL* GetLineAsFloat)(IStringConfigList* This, int32_t index, double* value);
    /* The whole line read strictly as an integer; fails with EConvertError when it is not one. */
    int32_t(ORVO_STDCALL* GetLineAsInteger)(IStringConfigList* This, int32_t index, int32_t* result);
    /* Line index; out of range fails. */
    int32_t(ORVO_STDCALL* GetLine)(IStringConfigList* This, int32_t index, OrvoAnsiString* text);
    /* SetString(name, "True" or "False"). */
    int32_t(ORVO_STDCALL* SetBoolean)(IStringConfigList* This, OrvoAnsiString name, OrvoBool value);
    /* As SetFloat. */
    int32_t(ORVO_STDCALL* SetDateTime)(IStringConfigList* This, OrvoAnsiString name, double value);
    /* SetString(name, value with 18 significant digits). */
    int32_t(ORVO_STDCALL* SetFloat)(IStringConfigList* This, OrvoAnsiString name, double value);
    /* SetString(name, value in decimal). */
    int32_t(ORVO_STDCALL* SetInteger)(IStringConfigList* This, OrvoAnsiString name, int32_t value);
    /* Replaces or appends the line name=value; an empty value deletes the named line. */
    int32_t(ORVO_STDCALL* SetString)(IStringConfigList* This, OrvoAnsiString name, OrvoAnsiString value);
    /* Attaches object to the first line equal to text; fails with -1 when none. */
    int32_t(ORVO_STDCALL* SetObject)(IStringConfigList* This, OrvoAnsiString text, IInterface* object);
    /* SetValueFromIndex(index, value with 18 significant digits). */
    int32_t(ORVO_STDCALL* SetFloatAt)(IStringConfigList* This, int32_t index, double value);
    /* Line index becomes its name, "=" and value (even empty); out of range (negative too) fails. */
    int32_t(ORVO_STDCALL* SetValueAt)(IStringConfigList* This, int32_t index, OrvoAnsiString value);
    /* Attaches object to line index; out of range fails. */
    int32_t(ORVO_STDCALL* SetObjectAt)(IStringConfigList* This, int32_t index, IInterface* object);
    /* SetValueFromIndex(index, value in decimal). */
    int32_t(ORVO_STDCALL* SetIntegerAt)(IStringConfigList* This, int32_t index, int32_t value);
    /* Does nothing. */
    int32_t(ORVO_STDCALL* SetLineAsBoolean)(IStringConfigList* This, int32_t index, OrvoBool value);
    /* Does nothing. */
    int32_t(ORVO_STDCALL* SetLineAsDateTime)(IStringConfigList* This, int32_t index, double value);
    /* Does nothing. */
    int32_t(ORVO_STDCALL* SetLineAsFloat)(IStringConfigList* This, int32_t index, double value);
    /* Does nothing. */
    int32_t(ORVO_STDCALL* SetLineAsInteger)(IStringConfigList* This, int32_t index, int32_t value);
    /* Does nothing. */
    int32_t(ORVO_STDCALL* SetLine)(IStringConfigList* This, int32_t index, OrvoAnsiString value);
    /* Empty for a negative index or a line without "="; else the text after the first "=";
     * past the end fails. */
    int32_t(ORVO_STDCALL* GetValueFromIndex)(IStringConfigList* This, int32_t index, OrvoAnsiString* text);
    /* Sets the value of line index (a negative index appends); an empty value deletes line
     * index (nothing for a negative one); past the end fails. */
    int32_t(ORVO_STDCALL* SetValueFromIndex)(IStringConfigList* This, int32_t index, OrvoAnsiString value);
    /* The text before the first "=" of line index (empty without one); out of range fails. */
    int32_t(ORVO_STDCALL* GetNameAt)(IStringConfigList* This, int32_t index, OrvoAnsiString* text);
    /* The lines joined with ",", quoted where needed. */
    int32_t(ORVO_STDCALL* GetCommaText)(IStringConfigList* This, OrvoAnsiString* text);
    /* The lines joined with ";", quoted where needed. */
    int32_t(ORVO_STDCALL* GetDelimitedText)(IStringConfigList* This, OrvoAnsiString* text);
    /* Every line followed by carriage return and line feed. */
    int32_t(ORVO_STDCALL* GetText)(IStringConfigList* This, OrvoAnsiString* text);
    /* Number of lines. */
    int32_t(ORVO_STDCALL* GetCount)(IStringConfigList* This, int32_t* result);
    /* Appends name=value (even when present or empty); returns the new line's index. */
    int32_t(ORVO_STDCALL* AddString)(IStringConfigList* This, OrvoAnsiString name, OrvoAnsiString value,
                                     int32_t* result);
    /* AddString(name, value in decimal). */
    int32_t(ORVO_STDCALL* AddInteger)(IStringConfigList* This, OrvoAnsiString name, int32_t value, int32_t* result);
    /* AddString(name, value with 10 significant digits). */
    int32_t(ORVO_STDCALL* AddFloat)(IStringConfigList* This, OrvoAnsiString name, double value, int32_t* result);
    /* As AddFloat. */
    int32_t(ORVO_STDCALL* AddDateTime)(IStringConfigList* This, OrvoAnsiString name, double value, int32_t* result);
    /* AddString(name, "True" or "False"). */
    int32_t(ORVO_STDCALL* AddBoolean)(IStringConfigList* This, OrvoAnsiString name, OrvoBool value, int32_t* result);
    /* Appends the line text with object attached; returns its index. */
    int32_t(ORVO_STDCALL* AddObject)(IStringConfigList* This, OrvoAnsiString text, IInterface* object, int32_t* result);
    /* AddString; returns a new reference to this list for chaining. */
    int32_t(ORVO_STDCALL* WithString)(IStringConfigList* This, OrvoAnsiString name, OrvoAnsiString value,
                                      IStringConfigList** list);
    /* AddInteger; returns a new reference to this list. */
    int32_t(ORVO_STDCALL* WithInteger)(IStringConfigList* This, OrvoAnsiString name, int32_t value,
                                       IStringConfigList** list);
    /* AddFloat; returns a new reference to this list. */
    int32_t(ORVO_STDCALL* WithFloat)(IStringConfigList* This, OrvoAnsiString name, double value,
                                     IStringConfigList** list);
    /* AddDateTime; returns a new reference to this list. */
    int32_t(ORVO_STDCALL* WithDateTime)(IStringConfigList* This, OrvoAnsiString name, double value,
                                        IStringConfigList** list);
    /* AddBoolean; returns a new reference to this list. */
    int32_t(ORVO_STDCALL* WithBoolean)(IStringConfigList* This, OrvoAnsiString name, OrvoBool value,
                                       IStringConfigList** list);
    /* AddObject; returns a new reference to this list. */
    int32_t(ORVO_STDCALL* WithObject)(IStringConfigList* This, OrvoAnsiString text, IInterface* object,
                                      IStringConfigList** list);
    /* Appends text as a line; returns its index. */
    int32_t(ORVO_STDCALL* AddLine)(IStringConfigList* This, OrvoAnsiString text, int32_t* result);
    /* Appends text as a line; returns a new reference to this list. */
    int32_t(ORVO_STDCALL* WithLine)(IStringConfigList* This, OrvoAnsiString text, IStringConfigList** list);
    /* The lines with separator between neighbours; empty for an empty list. */
    int32_t(ORVO_STDCALL* Join)(IStringConfigList* This, OrvoAnsiString separator, OrvoAnsiString* text);
    /* True with the named line's index in index; false with -1. */
    int32_t(ORVO_STDCALL* FindName)(IStringConfigList* This, OrvoAnsiString name, int32_t* index, OrvoBool* result);
    /* False for a negative index; else whether line index holds "="; past the end fails. */
    int32_t(ORVO_STDCALL* IsPairAt)(IStringConfigList* This, int32_t index, OrvoBool* result);
    /* True when some line equals text. */
    int32_t(ORVO_STDCALL* Contains)(IStringConfigList* This, OrvoAnsiString text, OrvoBool* result);
    /* The list's own line container (not a copy). */
    int32_t(ORVO_STDCALL* GetStrings)(IStringConfigList* This, IStrings** strings);
    /* True when name lookup finds name. */
    int32_t(ORVO_STDCALL* HasName)(IStringConfigList* This, OrvoAnsiString name, OrvoBool* result);
    /* Removes every line, releasing the attached objects. */
    int32_t(ORVO_STDCALL* Clear)(IStringConfigList* This);
    /* Releases each attached object, first line to last, and detaches it; the lines stay. */
    int32_t(ORVO_STDCALL* FreeObjects)(IStringConfigList* This);
    /* Deletes the line found by name lookup, else the first line equal to text; nothing when neither. */
    int32_t(ORVO_STDCALL* Remove)(IStringConfigList* This, OrvoAnsiString text);
} IStringConfigListVtbl;
struct IStringConfigList {
    const IStringConfigListVtbl* lpVtbl;
};

/* A payment method (ResolveNamed with its display name). {B99696A6-EA20-4DD7-8E91-13B5762D314D} */
ORVO_IID IID_IPaymentMethod = {0xB99696A6, 0xEA20, 0x4DD7, {0x8E, 0x91, 0x13, 0xB5, 0x76, 0x2D, 0x31, 0x4D}};
typedef struct IPaymentMethodVtbl {
    ORVO_IINTERFACE_SLOTS(IPaymentMethod)
    /* Sets the amount to settle (gratuity excluded); notifies once when it changes. */
    int32_t(ORVO_STDCALL* SetAmount)(IPaymentMethod* This, Currency value);
    /* Stores the change handler; an unset handler notifies nobody. */
    int32_t(ORVO_STDCALL* SetOnChange)(IPaymentMethod* This, TPaymentChangeEvent handler);
    /* Sets the gratuity; notifies once when it changes. */
    int32_t(ORVO_STDCALL* SetGratuity)(IPaymentMethod* This, Currency value);
    int32_t(ORVO_STDCALL* GetAmount)(IPaymentMethod* This, Currency* value);
    int32_t(ORVO_STDCALL* GetOnChange)(IPaymentMethod* This, TPaymentChangeEvent* handler);
    int32_t(ORVO_STDCALL* GetGratuity)(IPaymentMethod* This, Currency* value);
    /* A new reference to the method's own configuration list (the same list on every call). */
    int32_t(ORVO_STDCALL* GetConfig)(IPaymentMethod* This, IStringConfigList** config);
    int32_t(ORVO_STDCALL* SetDescription)(IPaymentMethod* This, OrvoAnsiString value);
    /* The display name, e.g. "Uber", a new text; the three return the same text. */
    int32_t(ORVO_STDCALL* GetName)(IPaymentMethod* This, OrvoAnsiString* name);
    int32_t(ORVO_STDCALL* GetCaption)(IPaymentMethod* This, OrvoAnsiString* caption);
    int32_t(ORVO_STDCALL* GetPaymentType)(IPaymentMethod* This, OrvoAnsiString* paymentType);
    /* Opens the payment details window; *paid true when the payment is confirmed and recorded. */
    int32_t(ORVO_STDCALL* DoPaymentPopup)(IPaymentMethod* This, OrvoBool* paid);
    /* Returns the object to its starting state without notifying. */
    int32_t(ORVO_STDCALL* Clear)(IPaymentMethod* This);
    /* Adds the cash-up rows through addEntry; errors reach the host. */
    int32_t(ORVO_STDCALL* AddCashupEntry)(IPaymentMethod* This, int32_t shift, int32_t invoice,
                                          TAddCashupEntryEvent addEntry);
    /* Removes the cash-up rows through removeEntry and the database; errors reach the host. */
    int32_t(ORVO_STDCALL* RemoveCashupEntry)(IPaymentMethod* This, int32_t shift, int32_t invoice,
                                             TRemoveCashupEntryEvent removeEntry);
    /* Ties the payment's transaction row to the saved invoice; errors reach the host. */
    int32_t(ORVO_STDCALL* InsertSQL)(IPaymentMethod* This, int32_t invoiceNum);
    /* Hooks of the host's declaration; they do nothing here. */
    int32_t(ORVO_STDCALL* HostHookA)(IPaymentMethod* This, void* a, void* b);
    int32_t(ORVO_STDCALL* HostHookB)(IPaymentMethod* This, void* a, void* b);
    int32_t(ORVO_STDCALL* HostHookC)(IPaymentMethod* This, void* a, void* b);
} IPaymentMethodVtbl;
struct IPaymentMethod {
    const IPaymentMethodVtbl* lpVtbl;
};

/* ---- COM's error interfaces, under names of the contract's own (<windows.h> has the others) ----
 * Every object the module hands out answers IOrvoSupportErrorInfo (COM's ISupportErrorInfo):
 * InterfaceSupportsErrorInfo gives ORVO_S_OK for each interface of the object, whose failing
 * methods leave the thread's error object, and ORVO_S_FALSE for any other. Read an error the COM
 * way: ask the object for it, ask it about the interface called, then take the error object.
 * {DF0B3D60-548F-101B-8E65-08002B2BD119} */
struct IOrvoSupportErrorInfo;
typedef struct IOrvoSupportErrorInfo IOrvoSupportErrorInfo;
ORVO_IID IID_IOrvoSupportErrorInfo = {0xDF0B3D60, 0x548F, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};
typedef struct IOrvoSupportErrorInfoVtbl {
    ORVO_IINTERFACE_SLOTS(IOrvoSupportErrorInfo)
    int32_t(ORVO_STDCALL* InterfaceSupportsErrorInfo)(IOrvoSupportErrorInfo* This, const TGUID* iid);
} IOrvoSupportErrorInfoVtbl;
struct IOrvoSupportErrorInfo {
    const IOrvoSupportErrorInfoVtbl* lpVtbl;
};

#if defined(_WIN32)
/* The thread's error object on Windows, oleaut32's: CreateErrorInfo(ICreateErrorInfo**) makes
 * one, SetErrorInfo(0, IErrorInfo*) leaves it on the thread (null clears it) and
 * GetErrorInfo(0, IErrorInfo**) takes it (S_FALSE and null when there is none). Texts are
 * BSTRs (UTF-16; SysFreeString frees what a getter returns). These are COM's IErrorInfo and
 * ICreateErrorInfo, slot for slot, for a host without the SDK's headers.
 * IErrorInfo {1CF2B120-547D-101B-8E65-08002B2BD119}, ICreateErrorInfo {22F03340-547D-101B-8E65-08002B2BD119} */
struct IOrvoErrorInfo;
typedef struct IOrvoErrorInfo IOrvoErrorInfo;
ORVO_IID IID_IOrvoErrorInfo = {0x1CF2B120, 0x547D, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};
typedef struct IOrvoErrorInfoVtbl {
    ORVO_IINTERFACE_SLOTS(IOrvoErrorInfo)
    int32_t(ORVO_STDCALL* GetGUID)(IOrvoErrorInfo* This, TGUID* guid);
    int32_t(ORVO_STDCALL* GetSource)(IOrvoErrorInfo* This, wchar_t** source);           /* the class name */
    int32_t(ORVO_STDCALL* GetDescription)(IOrvoErrorInfo* This, wchar_t** description); /* the message */
    int32_t(ORVO_STDCALL* GetHelpFile)(IOrvoErrorInfo* This, wchar_t** helpFile);
    int32_t(ORVO_STDCALL* GetHelpContext)(IOrvoErrorInfo* This, uint32_t* helpContext);
} IOrvoErrorInfoVtbl;
struct IOrvoErrorInfo {
    const IOrvoErrorInfoVtbl* lpVtbl;
};
struct IOrvoCreateErrorInfo;
typedef struct IOrvoCreateErrorInfo IOrvoCreateErrorInfo;
ORVO_IID IID_IOrvoCreateErrorInfo = {0x22F03340, 0x547D, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};
typedef struct IOrvoCreateErrorInfoVtbl {
    ORVO_IINTERFACE_SLOTS(IOrvoCreateErrorInfo)
    int32_t(ORVO_STDCALL* SetGUID)(IOrvoCreateErrorInfo* This, const TGUID* guid);
    int32_t(ORVO_STDCALL* SetSource)(IOrvoCreateErrorInfo* This, wchar_t* source);
    int32_t(ORVO_STDCALL* SetDescription)(IOrvoCreateErrorInfo* This, wchar_t* description);
    int32_t(ORVO_STDCALL* SetHelpFile)(IOrvoCreateErrorInfo* This, wchar_t* helpFile);
    int32_t(ORVO_STDCALL* SetHelpContext)(IOrvoCreateErrorInfo* This, uint32_t helpContext);
} IOrvoCreateErrorInfoVtbl;
struct IOrvoCreateErrorInfo {
    const IOrvoCreateErrorInfoVtbl* lpVtbl;
};
#endif

/* ---- The module's exports: InitModule and FinalModule, __stdcall, undecorated ---------- */
/* Keeps the container and registers the module's services. */
typedef int32_t(ORVO_STDCALL* TInitModule)(IDIContainer* container);
/* Withdraws the registrations and lets go of the container; safe to repeat. */
typedef int32_t(ORVO_STDCALL* TFinalModule)(void);

#ifdef __cplusplus
}
#endif

#endif /* ORVO_CONTRACT_H */
