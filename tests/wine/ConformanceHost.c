/* The conformance host: what a suite program does with OrvoExtraPayments.ovm, in C written from
 * interfaces/OrvoContract.h alone (no C++, no runtime shared with the module), built twice: by
 * mingw-w64's gcc and by clang for the MSVC ABI (lld-link, no SDK: HostSystem.h declares the
 * little of the system it uses). It loads the module from a folder of its own, lends it a
 * container of minimal in-memory services, and runs each step a suite program runs, printing it
 * and checking what comes back (RunSampleHost.cmake checks the printed steps and the module's log):
 *
 *   the registrations (InitModule, and once more, refused); a payment through its own form host;
 *   the cash-up rows, once with its callback failing; the schema scripts into its own list; a
 *   configuration list with an object of its own attached; a report; a failing database service;
 *   an error of the module; FinalModule and unloading.
 *
 *   ConformanceHost.exe <module folder>
 *
 * Exit code 0 when every check held; each failed one prints a line "FAILED: ...". */
#include "OrvoContract.h"
/* After the contract: the system's error-object calls take its IOrvoErrorInfo. */
#include "HostSystem.h"

/* ---- Checks ----------------------------------------------------------------------------- */

static int gFailures;

static void Fail(const char* format, ...) {
    va_list args;
    va_start(args, format);
    printf("FAILED: ");
    vprintf(format, args);
    printf("\n");
    va_end(args);
    ++gFailures;
}
#define CHECK(condition, ...) ((condition) ? (void)0 : Fail(__VA_ARGS__))

static int SameText(OrvoAnsiString text, const char* expected) { return strcmp(OrvoTextChars(text), expected) == 0; }
static int SameGuid(const TGUID* a, const TGUID* b) { return memcmp(a, b, sizeof(TGUID)) == 0; }
/* The references a text block holds (offset -8). */
static int32_t TextRefs(OrvoAnsiString text) { return text ? ((const int32_t*)text)[-2] : 0; }

/* ---- The thread's error object (oleaut32), as a host leaves and reads it ---------------- */

static void SetError(const wchar_t* description, const wchar_t* source) {
    IOrvoCreateErrorInfo* create = NULL;
    IOrvoErrorInfo* info = NULL;
    if (CreateErrorInfo(&create) < 0) return;
    create->lpVtbl->SetDescription(create, (wchar_t*)description);
    create->lpVtbl->SetSource(create, (wchar_t*)source);
    if (create->lpVtbl->QueryInterface(create, &IID_IOrvoErrorInfo, (void**)&info) >= 0) {
        SetErrorInfo(0, info);
        info->lpVtbl->Release(info);
    }
    create->lpVtbl->Release(create);
}

typedef struct TError {
    wchar_t description[512], source[128];
} TError;
static void KeepText(BSTR text, wchar_t* out, size_t size) {
    size_t i;
    for (i = 0; text && text[i] && i + 1 < size; ++i) out[i] = text[i];
    out[i] = 0;
    SysFreeString(text);
}
/* The texts of the error object a failed call left (empty when none), by COM's rule (that of
 * MSVC's _com_issue_errorex): a method of the object's interface iid left one only if the object
 * answers ISupportErrorInfo and ORVO_S_OK for iid. A null object (an exported function) is not asked. */
static void TakeError(void* object, const TGUID* iid, TError* error) {
    IOrvoSupportErrorInfo* support = NULL;
    IOrvoErrorInfo* info = NULL;
    BSTR description = NULL, source = NULL;
    int32_t answer = object ? ORVO_E_NOINTERFACE : ORVO_S_OK;
    if (object &&
        ((IInterface*)object)->lpVtbl->QueryInterface(object, &IID_IOrvoSupportErrorInfo, (void**)&support) >= 0 &&
        support) {
        answer = support->lpVtbl->InterfaceSupportsErrorInfo(support, iid);
        support->lpVtbl->Release(support);
    }
    if (answer == ORVO_S_OK && GetErrorInfo(0, &info) == ORVO_S_OK && info) {
        info->lpVtbl->GetDescription(info, &description);
        info->lpVtbl->GetSource(info, &source);
        info->lpVtbl->Release(info);
    }
    KeepText(description, error->description, sizeof error->description / sizeof(wchar_t));
    KeepText(source, error->source, sizeof error->source / sizeof(wchar_t));
}

/* A call of the module that must succeed. */
static void Ok(int32_t result, const char* call) {
    TError error;
    if (result >= 0) return;
    TakeError(NULL, NULL, &error);
    Fail("%s failed with 0x%08lX: %ls (%ls)", call, (unsigned long)result, error.description, error.source);
}

/* ---- Objects of the host ------------------------------------------------------------------
 * Every object starts with its one interface (the table pointer), then its count. Objects made
 * for the module by a factory live on the heap and free themselves at zero; the long-lived
 * services are static and only counted. */

typedef struct THostObject {
    const void* lpVtbl;
    const TGUID* iid;
    LONG refs;
    int onHeap;
} THostObject;

static LONG gLiveHeapObjects;

static int32_t ORVO_STDCALL ObjQueryInterface(void* This, const TGUID* iid, void** obj) {
    THostObject* self = (THostObject*)This;
    if (!obj) return ORVO_E_POINTER;
    *obj = NULL;
    if (!SameGuid(iid, &IID_IInterface) && !SameGuid(iid, self->iid)) return ORVO_E_NOINTERFACE;
    ++self->refs;
    *obj = self;
    return ORVO_S_OK;
}
static int32_t ORVO_STDCALL ObjAddRef(void* This) { return ++((THostObject*)This)->refs; }
static int32_t ORVO_STDCALL ObjRelease(void* This) {
    THostObject* self = (THostObject*)This;
    const LONG left = --self->refs;
    if (left < 0) Fail("an object of the host was released once too often");
    if (left == 0 && self->onHeap) {
        --gLiveHeapObjects;
        HeapFree(GetProcessHeap(), 0, self);
    }
    return left;
}
#define HOST_IINTERFACE(I)                                                                                       \
    (int32_t(ORVO_STDCALL*)(I*, const TGUID*, void**)) ObjQueryInterface, (int32_t(ORVO_STDCALL*)(I*))ObjAddRef, \
        (int32_t(ORVO_STDCALL*)(I*))ObjRelease

static void* NewHeapObject(size_t size, const void* vtbl, const TGUID* iid) {
    THostObject* self = (THostObject*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size);
    if (!self) return NULL;
    self->lpVtbl = vtbl;
    self->iid = iid;
    self->refs = 1;
    self->onHeap = 1;
    ++gLiveHeapObjects;
    return self;
}

/* A journal of calls, one line each, compared with the lines expected. */
static char gJournal[4096];
static void Note(const char* format, ...) {
    va_list args;
    size_t used = strlen(gJournal);
    va_start(args, format);
    _vsnprintf(gJournal + used, sizeof gJournal - used - 2, format, args);
    va_end(args);
    strcat(gJournal, "\n");
}
static void CheckJournal(const char* what, const char* expected) {
    if (strcmp(gJournal, expected) != 0) Fail("%s:\n%s  expected:\n%s", what, gJournal, expected);
    gJournal[0] = '\0';
}

/* The interfaces the module registers. */
static const char* IidName(const TGUID* iid) {
#define KNOWN(I) \
    { &IID_##I, #I }
    static const struct {
        const TGUID* iid;
        const char* name;
    } known[] = {KNOWN(IExtraPaymentsTransaction), KNOWN(IDatabaseChanges), KNOWN(IExtraPaymentsManagement),
                 KNOWN(IPaymentMethod)};
    size_t i;
    for (i = 0; i < sizeof known / sizeof known[0]; ++i)
        if (SameGuid(iid, known[i].iid)) return known[i].name;
    return "an unknown interface";
}

/* ---- The container ------------------------------------------------------------------------ */

#define MAX_ENTRIES 32
static const int32_t kRegisteredAlready = (int32_t)0x800700B7u; /* ERROR_ALREADY_EXISTS */
typedef struct TEntry {
    TGUID iid;
    char name[64];
    IInterface* instance; /* an instance, or */
    IDIFactory* factory;  /* a factory */
} TEntry;
typedef struct TContainer {
    THostObject base;
    TEntry entries[MAX_ENTRIES];
    int count;
    int journal; /* notes the module's registrations */
} TContainer;
/* Notes "<verb>Instance|Factory|NamedFactory <interface>[ "<name>"]" while the journal is on. */
static void NoteEntry(TContainer* self, const char* verb, const TGUID* iid, OrvoAnsiString name, int instance) {
    if (self->journal)
        Note(name ? "%s%s %s \"%s\"" : "%s%s %s", verb,
             instance ? "Instance"
             : name   ? "NamedFactory"
                      : "Factory",
             IidName(iid), name);
}
static TEntry* Find(TContainer* self, const TGUID* iid, const char* name, int instance) {
    int i;
    for (i = 0; i < self->count; ++i) {
        TEntry* entry = &self->entries[i];
        if (SameGuid(&entry->iid, iid) && strcmp(entry->name, name) == 0 && (entry->instance != NULL) == instance)
            return entry;
    }
    return NULL;
}
/* A container may refuse to register what it holds already; this one does. */
static int32_t Add(TContainer* self, const TGUID* iid, OrvoAnsiString name, IInterface* instance, IDIFactory* factory) {
    TEntry* entry;
    if (Find(self, iid, OrvoTextChars(name), instance != NULL)) {
        SetError(L"Registered already", L"EHostContainer");
        return kRegisteredAlready;
    }
    if (self->count == MAX_ENTRIES) return ORVO_E_OUTOFMEMORY;
    entry = &self->entries[self->count++];
    entry->iid = *iid;
    lstrcpynA(entry->name, OrvoTextChars(name), sizeof entry->name);
    entry->instance = instance;
    entry->factory = factory;
    if (instance) instance->lpVtbl->AddRef(instance);
    if (factory) factory->lpVtbl->AddRef(factory);
    NoteEntry(self, "Register", iid, name, instance != NULL);
    return ORVO_S_OK;
}
static int32_t Remove(TContainer* self, const TGUID* iid, OrvoAnsiString name, int instance) {
    TEntry* entry = Find(self, iid, OrvoTextChars(name), instance);
    NoteEntry(self, "Unregister", iid, name, instance);
    if (!entry) return ORVO_S_OK;
    if (entry->instance) entry->instance->lpVtbl->Release(entry->instance);
    if (entry->factory) entry->factory->lpVtbl->Release(entry->factory);
    memmove(entry, entry + 1, (size_t)(self->entries + self->count - (entry + 1)) * sizeof *entry);
    --self->count;
    return ORVO_S_OK;
}
/* What GetInstance, Resolve and ResolveNamed answer: the entry's object as iid, found or not. */
static int32_t Lookup(TEntry* entry, const TGUID* iid, void** obj, OrvoBool* found) {
    IInterface* made;
    int32_t result;
    if (!obj || !found) return ORVO_E_POINTER;
    *obj = NULL;
    *found = 0;
    if (!entry) return ORVO_S_OK;
    if ((made = entry->instance) != NULL)
        made->lpVtbl->AddRef(made);
    else if ((result = entry->factory->lpVtbl->CreateObject(entry->factory, &made)) < 0)
        return result; /* the factory's error object stays for the caller */
    if (made) {
        *found = made->lpVtbl->QueryInterface(made, iid, obj) == ORVO_S_OK;
        made->lpVtbl->Release(made);
    }
    return ORVO_S_OK;
}

static int32_t ORVO_STDCALL RegisterInstance(IDIContainer* This, const TGUID* iid, IInterface* obj) {
    return Add((TContainer*)This, iid, NULL, obj, NULL);
}
static int32_t ORVO_STDCALL RegisterFactory(IDIContainer* This, const TGUID* iid, IDIFactory* factory) {
    return Add((TContainer*)This, iid, NULL, NULL, factory);
}
static int32_t ORVO_STDCALL RegisterNamedFactory(IDIContainer* This, const TGUID* iid, OrvoAnsiString name,
                                                 IDIFactory* factory) {
    return Add((TContainer*)This, iid, name, NULL, factory);
}
static int32_t ORVO_STDCALL UnregisterInstance(IDIContainer* This, const TGUID* iid) {
    return Remove((TContainer*)This, iid, NULL, 1);
}
static int32_t ORVO_STDCALL UnregisterFactory(IDIContainer* This, const TGUID* iid) {
    return Remove((TContainer*)This, iid, NULL, 0);
}
static int32_t ORVO_STDCALL UnregisterNamedFactory(IDIContainer* This, const TGUID* iid, OrvoAnsiString name) {
    return Remove((TContainer*)This, iid, name, 0);
}
static int32_t ORVO_STDCALL GetInstance(IDIContainer* This, const TGUID* iid, void** obj, OrvoBool* found) {
    return Lookup(Find((TContainer*)This, iid, "", 1), iid, obj, found);
}
static int32_t ORVO_STDCALL Resolve(IDIContainer* This, const TGUID* iid, void** obj, OrvoBool* found) {
    return Lookup(Find((TContainer*)This, iid, "", 0), iid, obj, found);
}
static int32_t ORVO_STDCALL ResolveNamed(IDIContainer* This, const TGUID* iid, OrvoAnsiString name, void** obj,
                                         OrvoBool* found) {
    return Lookup(Find((TContainer*)This, iid, OrvoTextChars(name), 0), iid, obj, found);
}
static const IDIContainerVtbl kContainerVtbl = {HOST_IINTERFACE(IDIContainer),
                                                RegisterInstance,
                                                RegisterFactory,
                                                RegisterNamedFactory,
                                                UnregisterInstance,
                                                UnregisterFactory,
                                                UnregisterNamedFactory,
                                                GetInstance,
                                                Resolve,
                                                ResolveNamed};
static TContainer gContainer = {.base = {&kContainerVtbl, &IID_IDIContainer, 1, 0}};

/* ---- Factories of the services the module resolves: a new heap object each time ----------- */

typedef struct TFactory {
    THostObject base;
    const void* vtbl; /* of the objects made: size bytes, answering iid */
    size_t size;
    const TGUID* iid;
} TFactory;
static int32_t ORVO_STDCALL CreateObject(IDIFactory* This, IInterface** obj) {
    const TFactory* self = (const TFactory*)This;
    if (!obj) return ORVO_E_POINTER;
    *obj = (IInterface*)NewHeapObject(self->size, self->vtbl, self->iid);
    return *obj ? ORVO_S_OK : ORVO_E_OUTOFMEMORY;
}
static const IDIFactoryVtbl kFactoryVtbl = {HOST_IINTERFACE(IDIFactory), CreateObject};

static void RegisterHostFactory(const TGUID* iid, const char* name, const void* vtbl, size_t size) {
    TFactory* factory = (TFactory*)NewHeapObject(sizeof(TFactory), &kFactoryVtbl, &IID_IDIFactory);
    OrvoAnsiString text = OrvoTextOf(name);
    factory->vtbl = vtbl;
    factory->size = size;
    factory->iid = iid;
    Add(&gContainer, iid, text, NULL, (IDIFactory*)factory);
    OrvoTextRelease(text);
    ObjRelease(factory); /* the container's reference keeps it */
}

/* ---- The database: prints each statement, answers fixed rows ------------------------------ */

static const wchar_t kInsertFailure[] = L"Timeout expired. The server did not answer within 30 seconds";
static int gFailInsert;        /* the next transaction INSERT fails: 1 with an error object, 2 without */
static OrvoAnsiString gNewId;  /* "17", held here too: its references are counted */
static char gStatements[4096]; /* the arguments of each ExecSQL, one line each */
static char gReportArgs[256];  /* the arguments of the report's queries */
static OrvoAnsiString gTotalsJson, gDetailsJson;

/* A statement in one short line: blanks run together, cut after 50 characters. */
static const char* Brief(OrvoAnsiString statement) {
    static char text[64];
    const char* c = OrvoTextChars(statement);
    size_t n = 0;
    for (; *c && n < 50; ++c) {
        const int blank = *c == ' ' || *c == '\r' || *c == '\n' || *c == '\t';
        if (blank && (n == 0 || text[n - 1] == ' ')) continue;
        text[n++] = blank ? ' ' : *c;
    }
    strcpy(text + n, *c ? "..." : "");
    return text;
}
static void AppendArgs(char* out, size_t size, const TSQLArgs* args) {
    int32_t i;
    for (i = 0; args && i < args->Count; ++i) {
        const TSQLArg* arg = &args->Items[i];
        size_t used = strlen(out);
        const char* separator = i ? ", " : "";
        if (arg->Kind == ORVO_SQLARG_INTEGER)
            _snprintf(out + used, size - used - 1, "%s%ld", separator, (long)arg->Value.Integer);
        else if (arg->Kind == ORVO_SQLARG_FLOAT)
            _snprintf(out + used, size - used - 1, "%s%.2f", separator, arg->Value.Float);
        else
            _snprintf(out + used, size - used - 1, "%s%.*s", separator, (int)arg->Length, arg->Value.Text);
    }
}

static int32_t ORVO_STDCALL ExecSQL(IDBScript* This, OrvoAnsiString pattern, const TSQLArgs* args, int32_t* result) {
    (void)This;
    if (!result) return ORVO_E_POINTER;
    printf("    database runs \"%s\" with %d arguments\n", Brief(pattern), args ? (int)args->Count : 0);
    AppendArgs(gStatements, sizeof gStatements, args);
    strcat(gStatements, "\n");
    *result = 1;
    return ORVO_S_OK;
}
static int32_t ORVO_STDCALL QueryValue(IDBScript* This, OrvoAnsiString batch, OrvoAnsiString column,
                                       OrvoAnsiString* value) {
    (void)This;
    if (!value) return ORVO_E_POINTER;
    *value = NULL;
    if (gFailInsert && strstr(OrvoTextChars(batch), "INSERT INTO [ExtraPaymentTransactions]")) {
        printf("    database fails \"%s\": %ls\n", Brief(batch),
               gFailInsert == 1 ? kInsertFailure : L"no error object");
        if (gFailInsert == 1) SetError(kInsertFailure, L"EHostDatabaseError");
        gFailInsert = 0;
        return (int32_t)0x80040E31u; /* the provider's "timeout expired" */
    }
    CHECK(SameText(column, "ID"), "QueryValue asked for column \"%s\", not \"ID\"", OrvoTextChars(column));
    printf("    database runs \"%s\" and answers %s = %s\n", Brief(batch), OrvoTextChars(column), gNewId);
    *value = OrvoTextAddRef(gNewId);
    return ORVO_S_OK;
}
static int32_t ORVO_STDCALL QueryJSON(IDBScript* This, OrvoAnsiString pattern, const TSQLArgs* args,
                                      OrvoAnsiString* json) {
    const int totals = strstr(OrvoTextChars(pattern), "[TotalTransactions]") != NULL;
    (void)This;
    if (!json) return ORVO_E_POINTER;
    AppendArgs(gReportArgs, sizeof gReportArgs, args);
    strcat(gReportArgs, "\n");
    printf("    database runs \"%s\" and answers one row\n", Brief(pattern));
    *json = OrvoTextAddRef(totals ? gTotalsJson : gDetailsJson);
    return ORVO_S_OK;
}
static const IDBScriptVtbl kScriptVtbl = {HOST_IINTERFACE(IDBScript), ExecSQL, QueryValue, QueryJSON};

/* ---- The numeric keypad: the cashier types 10.00 -------------------------------------------- */

typedef struct TInput {
    THostObject base;
    char caption[128];
} TInput;
static OrvoAnsiString gTyped; /* what the cashier types, held here too */
static char gDecimal[8];      /* the user's decimal separator */

static int32_t ORVO_STDCALL SetCaption(IGenericInput* This, OrvoAnsiString caption) {
    lstrcpynA(((TInput*)This)->caption, OrvoTextChars(caption), sizeof((TInput*)This)->caption);
    return ORVO_S_OK;
}
static int32_t ORVO_STDCALL Execute(IGenericInput* This, OrvoAnsiString initial, OrvoAnsiString* entered,
                                    OrvoBool* confirmed) {
    char offered[16];
    if (!entered || !confirmed) return ORVO_E_POINTER;
    printf("    keypad \"%s\" offers \"%s\": the cashier types %s\n", ((TInput*)This)->caption, OrvoTextChars(initial),
           gTyped);
    CHECK(strcmp(((TInput*)This)->caption, "Enter Uber Gratuity: ") == 0, "the keypad's prompt reads \"%s\"",
          ((TInput*)This)->caption);
    _snprintf(offered, sizeof offered, "0%s00", gDecimal);
    CHECK(SameText(initial, offered), "the keypad offers \"%s\", not \"%s\"", OrvoTextChars(initial), offered);
    *entered = OrvoTextAddRef(gTyped);
    *confirmed = 1;
    return ORVO_S_OK;
}
static const IGenericInputVtbl kInputVtbl = {HOST_IINTERFACE(IGenericInput), SetCaption, Execute};

/* ---- The HTML viewer keeps a reference to the page it shows --------------------------------- */

static OrvoAnsiString gPage;
static int32_t ORVO_STDCALL ShowHTML(IHTMLViewer* This, OrvoAnsiString page) {
    (void)This;
    OrvoTextRelease(gPage);
    gPage = OrvoTextAddRef(page);
    printf("    viewer shows a page of %d bytes\n", (int)OrvoTextLength(page));
    return ORVO_S_OK;
}
static const IHTMLViewerVtbl kViewerVtbl = {HOST_IINTERFACE(IHTMLViewer), ShowHTML};

/* ---- Access: every code granted; the user's name is a text of the host's -------------------- */

static OrvoAnsiString gUserName;
static int32_t ORVO_STDCALL CheckAccess(IAuthentication* This, OrvoAnsiString code, OrvoAnsiString* userName,
                                        int32_t* userId, int32_t prompt, int32_t options, OrvoBool* granted) {
    (void)This;
    if (!userName || !userId || !granted) return ORVO_E_POINTER;
    printf("    access code %s granted\n", OrvoTextChars(code));
    Note("CheckAccess %s %d %d", OrvoTextChars(code), (int)prompt, (int)options);
    *userName = OrvoTextAddRef(gUserName);
    *userId = 1;
    *granted = 1;
    return ORVO_S_OK;
}
static const IAuthenticationVtbl kAuthenticationVtbl = {HOST_IINTERFACE(IAuthentication), CheckAccess};

static int32_t ORVO_STDCALL AddActCode(IActCodes* This, OrvoAnsiString code, OrvoAnsiString description, int32_t a,
                                       int32_t b) {
    (void)This;
    printf("    access code %s added\n", OrvoTextChars(code));
    Note("AddActCode %s \"%s\" %d %d", OrvoTextChars(code), OrvoTextChars(description), (int)a, (int)b);
    return ORVO_S_OK;
}
static int32_t ORVO_STDCALL LinkActCode(IActCodes* This, OrvoAnsiString code, OrvoAnsiString linkCode) {
    (void)This;
    Note("LinkActCode %s %s", OrvoTextChars(code), OrvoTextChars(linkCode));
    return ORVO_S_OK;
}
static const IActCodesVtbl kActCodesVtbl = {HOST_IINTERFACE(IActCodes), AddActCode, LinkActCode};

/* ---- Menu and events: the handlers the module hands over, kept and called ------------------- */

typedef struct TMenuItem {
    char parent[32], caption[64];
    TMenuClickEvent onClick;
} TMenuItem;
typedef struct TMenus {
    THostObject base;
    TMenuItem items[8];
    int count;
} TMenus;
static int32_t ORVO_STDCALL AddMenuItem(IMainMenuManager* This, OrvoAnsiString parent, OrvoAnsiString caption,
                                        TMenuClickEvent onClick, int32_t position) {
    TMenus* self = (TMenus*)This;
    TMenuItem* item;
    if (self->count == 8) return ORVO_E_OUTOFMEMORY;
    item = &self->items[self->count++];
    lstrcpynA(item->parent, OrvoTextChars(parent), sizeof item->parent);
    lstrcpynA(item->caption, OrvoTextChars(caption), sizeof item->caption);
    item->onClick = onClick;
    printf("    menu \"%s\" gets \"%s\"\n", item->parent, item->caption);
    Note("AddMenuItem \"%s\" \"%s\" %s %d", item->parent, item->caption, onClick.Code ? "handler" : "none",
         (int)position);
    return ORVO_S_OK;
}
static const IMainMenuManagerVtbl kMenusVtbl = {HOST_IINTERFACE(IMainMenuManager), AddMenuItem};
static TMenus gMenus = {.base = {&kMenusVtbl, &IID_IMainMenuManager, 1, 0}};

typedef struct TSubscription {
    char name[64];
    TEventHandler handler;
} TSubscription;
typedef struct TEvents {
    THostObject base;
    TSubscription items[8];
    int count;
} TEvents;
static int32_t ORVO_STDCALL Subscribe(IEventManager* This, OrvoAnsiString eventName, TEventHandler handler) {
    TEvents* self = (TEvents*)This;
    if (self->count == 8) return ORVO_E_OUTOFMEMORY;
    lstrcpynA(self->items[self->count].name, OrvoTextChars(eventName), sizeof self->items[0].name);
    self->items[self->count++].handler = handler;
    return ORVO_S_OK;
}
static const IEventManagerVtbl kEventsVtbl = {HOST_IINTERFACE(IEventManager), Subscribe};
static TEvents gEvents = {.base = {&kEventsVtbl, &IID_IEventManager, 1, 0}};

/* ---- The form host: drives the module's windows through IFormView -------------------------- */

typedef void (*TDrive)(IFormView* form);
static TDrive gDrive; /* what the "cashier" does in the next window */
static int gReportedErrors;

static int32_t IndexOf(IFormView* form, const char* name) {
    OrvoAnsiString text = OrvoTextOf(name);
    int32_t index = -1;
    Ok(form->lpVtbl->IndexOfControl(form, text, &index), "IFormView::IndexOfControl");
    OrvoTextRelease(text);
    CHECK(index >= 0, "the window has no control \"%s\"", name);
    return index;
}
static void Click(IFormView* form, const char* name) {
    OrvoBool done = 0;
    Ok(form->lpVtbl->Click(form, IndexOf(form, name), &done), "IFormView::Click");
    CHECK(done, "pressing %s did nothing", name);
}
/* The control's current text into out. */
static void TextOf(IFormView* form, const char* name, char* out, int size) {
    OrvoAnsiString text = NULL;
    Ok(form->lpVtbl->GetText(form, IndexOf(form, name), &text), "IFormView::GetText");
    lstrcpynA(out, OrvoTextChars(text), size);
    OrvoTextRelease(text);
}
/* Reads a control's description and checks what its layout fixes. */
static void CheckControl(IFormView* form, const char* name, const TFormControlInfo* expected) {
    TFormControlInfo info;
    OrvoBool found = 0;
    memset(&info, 0, sizeof info);
    Ok(form->lpVtbl->GetControl(form, IndexOf(form, name), &info, &found), "IFormView::GetControl");
    CHECK(found && SameText(info.Name, name), "GetControl(%s) found %d, named \"%s\"", name, (int)found,
          OrvoTextChars(info.Name));
    CHECK(SameText(info.Text, expected->Text) && SameText(info.FontFace, expected->FontFace) &&
              info.Kind == expected->Kind && info.Left == expected->Left && info.Top == expected->Top &&
              info.Width == expected->Width && info.Height == expected->Height &&
              info.FontHeight == expected->FontHeight && info.ModalResult == expected->ModalResult,
          "%s reads \"%s\" in %s %d, kind %d at %d,%d %dx%d, result %d", name, OrvoTextChars(info.Text),
          OrvoTextChars(info.FontFace), (int)info.FontHeight, (int)info.Kind, (int)info.Left, (int)info.Top,
          (int)info.Width, (int)info.Height, (int)info.ModalResult);
    OrvoTextRelease(info.Name);
    OrvoTextRelease(info.Parent);
    OrvoTextRelease(info.Text);
    OrvoTextRelease(info.FontFace);
}

static int32_t ORVO_STDCALL ShowModal(IFormHost* This, IFormView* form) {
    OrvoAnsiString caption = NULL;
    int32_t controls = 0, result = -1;
    (void)This;
    Ok(form->lpVtbl->GetCaption(form, &caption), "IFormView::GetCaption");
    Ok(form->lpVtbl->GetControlCount(form, &controls), "IFormView::GetControlCount");
    printf("    window \"%s\" opens with %d controls\n", OrvoTextChars(caption), (int)controls);
    OrvoTextRelease(caption);
    if (gDrive) gDrive(form);
    Ok(form->lpVtbl->GetModalResult(form, &result), "IFormView::GetModalResult");
    printf("    window closes with result %s\n", result == mrOk       ? "OK"
                                                 : result == mrCancel ? "Cancel"
                                                                      : "none (closed by the host)");
    return ORVO_S_OK;
}
static int32_t ORVO_STDCALL ReportError(IFormHost* This, IFormView* form, OrvoAnsiString message) {
    (void)This;
    (void)form;
    printf("    window reports: %s\n", OrvoTextChars(message));
    ++gReportedErrors;
    return ORVO_S_OK;
}
static const IFormHostVtbl kFormHostVtbl = {HOST_IINTERFACE(IFormHost), ShowModal, ReportError};
static THostObject gFormHost = {&kFormHostVtbl, &IID_IFormHost, 1, 0};

/* ---- The host's list of lines (the script list of GetChanges) -------------------------------- */

typedef struct TStrings {
    THostObject base;
    OrvoAnsiString lines[16]; /* references of the list's own */
    int32_t count;
} TStrings;
static int32_t ORVO_STDCALL StringsGetCount(IStrings* This, int32_t* count) {
    if (!count) return ORVO_E_POINTER;
    *count = ((TStrings*)This)->count;
    return ORVO_S_OK;
}
static int32_t ORVO_STDCALL StringsGet(IStrings* This, int32_t index, OrvoAnsiString* line) {
    TStrings* self = (TStrings*)This;
    wchar_t message[64];
    if (!line) return ORVO_E_POINTER;
    *line = NULL;
    if (index < 0 || index >= self->count) {
        _snwprintf(message, 64, L"List index out of bounds (%d)", (int)index);
        SetError(message, L"EStringListError");
        return ORVO_E_FAIL;
    }
    *line = OrvoTextAddRef(self->lines[index]);
    return ORVO_S_OK;
}
static int32_t ORVO_STDCALL StringsAdd(IStrings* This, OrvoAnsiString line, int32_t* index) {
    TStrings* self = (TStrings*)This;
    if (!index) return ORVO_E_POINTER;
    if (self->count == 16) return ORVO_E_OUTOFMEMORY;
    self->lines[self->count] = OrvoTextAddRef(line); /* the block is the process heap's: keeping it is enough */
    *index = self->count++;
    return ORVO_S_OK;
}
static const IStringsVtbl kStringsVtbl = {HOST_IINTERFACE(IStrings), StringsGetCount, StringsGet, StringsAdd};
static TStrings gScripts = {{&kStringsVtbl, &IID_IStrings, 1, 0}, {0}, 0};

/* ---- An object of the host's own, attached to a configuration line ------------------------- */

static long gJarAddRefs, gJarReleases; /* the calls, whoever makes them */
static int32_t ORVO_STDCALL JarAddRef(IInterface* This) {
    ++gJarAddRefs;
    return ObjAddRef(This);
}
static int32_t ORVO_STDCALL JarRelease(IInterface* This) {
    ++gJarReleases;
    return ObjRelease(This);
}
static const IInterfaceVtbl kJarVtbl = {(int32_t(ORVO_STDCALL*)(IInterface*, const TGUID*, void**))ObjQueryInterface,
                                        JarAddRef, JarRelease};
static THostObject gTipJar = {&kJarVtbl, &IID_IInterface, 1, 0};

/* ---- Bound methods the host hands the module --------------------------------------------- */

static int gChanges;
static int32_t ORVO_STDCALL OnPaymentChange(void* data, IPaymentMethod* payment) {
    Currency amount = -1, gratuity = -1;
    (void)data;
    ++gChanges;
    Ok(payment->lpVtbl->GetAmount(payment, &amount), "GetAmount");
    Ok(payment->lpVtbl->GetGratuity(payment, &gratuity), "GetGratuity");
    printf("    payment now reads amount %.2f, gratuity %.2f\n", (double)amount / 10000, (double)gratuity / 10000);
    CHECK(amount == 850000 && gratuity == 100000, "the change handler read amount %.4f, gratuity %.4f",
          (double)amount / 10000, (double)gratuity / 10000);
    return ORVO_S_OK;
}

/* The callback's refusals: its error object's texts, the second's held by no code page. */
static const wchar_t* const kRefusals[][2] = {{L"The cash-up of shift 1 is closed", L"ECashupClosed"},
                                              {L"Tip refused \u03A9 \u4E2D", L"ETip\u03A9"}};
static const wchar_t* const* gRefusal; /* the callback fails with this error while set */
static int32_t ORVO_STDCALL OnAddCashupEntry(void* data, int32_t invoice, int32_t shift, OrvoAnsiString name,
                                             OrvoAnsiString parentName, int32_t a, double value, int32_t b, int32_t c) {
    (void)data;
    if (gRefusal) {
        printf("    cash-up row refused: %ls\n", gRefusal == kRefusals[0] ? gRefusal[0] : L"a tip");
        SetError(gRefusal[0], gRefusal[1]);
        return (int32_t)0x80040201u;
    }
    printf("    cash-up row for invoice %d, shift %d: \"%s\" under \"%s\", %.2f\n", (int)invoice, (int)shift,
           OrvoTextChars(name), OrvoTextChars(parentName), value);
    Note("AddEntry %d %d \"%s\" \"%s\" %d %.4f %d %d", (int)invoice, (int)shift, OrvoTextChars(name),
         OrvoTextChars(parentName), (int)a, value, (int)b, (int)c);
    return ORVO_S_OK;
}
static int32_t ORVO_STDCALL OnRemoveCashupEntry(void* data, int32_t invoice, int32_t shift, OrvoAnsiString name) {
    (void)data;
    printf("    cash-up row removed for invoice %d, shift %d: \"%s\"\n", (int)invoice, (int)shift, OrvoTextChars(name));
    Note("RemoveEntry %d %d \"%s\"", (int)invoice, (int)shift, OrvoTextChars(name));
    return ORVO_S_OK;
}

/* ---- The steps ------------------------------------------------------------------------------ */

static void* ResolveNamedOf(const TGUID* iid, const char* name) {
    OrvoAnsiString text = OrvoTextOf(name);
    void* obj = NULL;
    OrvoBool found = 0;
    Ok(ResolveNamed((IDIContainer*)&gContainer, iid, text, &obj, &found), "ResolveNamed");
    OrvoTextRelease(text);
    CHECK(found && obj, "the container has no %s \"%s\"", IidName(iid), name);
    return found ? obj : NULL;
}

static void DrivePayment(IFormView* form) {
    static const TFormControlInfo ok = {NULL, NULL, "&OK", "Tahoma", ORVO_CONTROL_BUTTON, 80, 160, 89, 48, 21,
                                        0,    mrOk, 0,     0};
    OrvoAnsiString reference = OrvoTextOf("UBER-1234");
    OrvoBool done = 0;
    char rands[16], cents[16];
    CheckControl(form, "btnOKNew", &ok);
    Ok(form->lpVtbl->SetText(form, IndexOf(form, "txtReference"), reference, &done), "IFormView::SetText");
    OrvoTextRelease(reference);
    CHECK(done, "the reference could not be typed");
    Click(form, "btnGratuity");
    TextOf(form, "txtRandsAmount", rands, sizeof rands);
    TextOf(form, "txtCentsAmount", cents, sizeof cents);
    printf("    amount box shows %s rands %s cents\n", rands, cents);
    Click(form, "btnOKNew");
}

static IPaymentMethod* RunPayment(void) {
    IPaymentMethod* payment;
    TPaymentChangeEvent onChange = {OnPaymentChange, NULL};
    OrvoBool paid = 0;
    Currency amount = 0, gratuity = 0;
    printf("payment: Uber, 85.00 due, 10.00 gratuity typed\n");
    payment = (IPaymentMethod*)ResolveNamedOf(&IID_IPaymentMethod, "Uber");
    if (!payment) return NULL;
    Ok(payment->lpVtbl->SetAmount(payment, 850000), "SetAmount");
    Ok(payment->lpVtbl->SetOnChange(payment, onChange), "SetOnChange");
    gDrive = DrivePayment;
    Ok(payment->lpVtbl->DoPaymentPopup(payment, &paid), "DoPaymentPopup");
    gDrive = NULL;
    Ok(payment->lpVtbl->GetAmount(payment, &amount), "GetAmount");
    Ok(payment->lpVtbl->GetGratuity(payment, &gratuity), "GetGratuity");
    printf("  DoPaymentPopup returned %s: amount %.2f, gratuity %.2f\n", paid ? "true" : "false",
           (double)amount / 10000, (double)gratuity / 10000);
    /* The window's amount is 85 + 10 = 95; the payment keeps 85 plus 10: the amount is unchanged, so
     * one notification (the gratuity's). The row gets 95 and the reference; the log table three rows. */
    CHECK(paid && amount == 850000 && gratuity == 100000 && gChanges == 1,
          "the payment: paid %d, amount %.4f, gratuity %.4f, %d notifications", (int)paid, (double)amount / 10000,
          (double)gratuity / 10000, gChanges);
    CHECK(gReportedErrors == 0, "the window reported %d errors", gReportedErrors);
    /* The host saves invoice 7 of shift 1, then ties the payment to it. */
    Ok(payment->lpVtbl->InsertSQL(payment, 7), "InsertSQL");
    return payment;
}

/* The database received: the New Transaction log row, the Amount and Gratuity rows (their money
 * text is regional, so only their beginnings are compared), the row's amount and reference, the
 * invoice number. */
static void CheckPaymentStatements(void) {
    static const char* const expected[] = {"'INFO', 'Uber: New Transaction: 17'\n", "'INFO', 'Uber: 17 - Amount: ",
                                           "'INFO', 'Uber: 17 - Gratuity: ", "95.00, 'UBER-1234', 17\n", "7, 17\n"};
    const char* at = gStatements;
    size_t i;
    for (i = 0; i < sizeof expected / sizeof expected[0]; ++i) {
        const char* found = strstr(at, expected[i]);
        if (!found || (found != at && found[-1] != '\n')) {
            Fail("the database did not receive, in order, %s; it received:\n%s", expected[i], gStatements);
            return;
        }
        at = found + strlen(expected[i]);
    }
}

static void RunCashup(IPaymentMethod* payment) {
    TAddCashupEntryEvent addEntry = {OnAddCashupEntry, NULL};
    TError error;
    int32_t result;
    size_t i;
    printf("cash-up: invoice 7, shift 1\n");
    Ok(payment->lpVtbl->AddCashupEntry(payment, 1, 7, addEntry), "AddCashupEntry");
    CheckJournal("the cash-up rows",
                 "AddEntry 7 1 \"PAYMENT:Uber\" \"\" 0 95.0000 0 1\n"
                 "AddEntry 7 1 \"GRATUITY\" \"PAYMENT:Uber\" 0 10.0000 0 1\n");
    printf("cash-up again, the host's callback failing\n");
    /* The host's own error object comes back as it was set, whatever its characters. */
    for (i = 0; i < sizeof kRefusals / sizeof kRefusals[0]; ++i) {
        SetErrorInfo(0, NULL);
        gRefusal = kRefusals[i];
        result = payment->lpVtbl->AddCashupEntry(payment, 1, 7, addEntry);
        gRefusal = NULL;
        TakeError(payment, &IID_IPaymentMethod, &error);
        if (i == 0)
            printf("  AddCashupEntry failed with 0x%08lX: %ls (%ls)\n", (unsigned long)result, error.description,
                   error.source);
        CHECK(result == (int32_t)0x80040201u && wcscmp(error.description, kRefusals[i][0]) == 0 &&
                  wcscmp(error.source, kRefusals[i][1]) == 0,
              "refusal %d: the callback's error came back as 0x%08lX", (int)i + 1, (unsigned long)result);
    }
}

static void RunGetChanges(void) {
    IDatabaseChanges* changes = (IDatabaseChanges*)ResolveNamedOf(&IID_IDatabaseChanges, "ExtraPayments");
    printf("schema: GetChanges into the host's list\n");
    if (!changes) return;
    Ok(changes->lpVtbl->GetChanges(changes, 0, (IStrings*)&gScripts), "GetChanges");
    changes->lpVtbl->Release(changes);
    printf("  %d scripts\n", (int)gScripts.count);
    CHECK(gScripts.count == 2 &&
              strncmp(OrvoTextChars(gScripts.lines[0]), "-- Extra Payments Transaction Table", 35) == 0 &&
              strncmp(OrvoTextChars(gScripts.lines[1]), "-- Extra Payments Log Table", 27) == 0,
          "the scripts are not the two tables' in order");
    CheckJournal("the access codes",
                 "AddActCode AM019 \"To Change Extra Payment Settings\" 1 1\n"
                 "AddActCode AM020 \"To View Extra Payment Transactions\" 1 1\n"
                 "LinkActCode AM019 FRCH\n"
                 "LinkActCode AM020 FRCH\n");
}

static void RunConfigList(void) {
    IPaymentMethod* payment = (IPaymentMethod*)ResolveNamedOf(&IID_IPaymentMethod, "Mr D");
    IStringConfigList *config = NULL, *again = NULL;
    IInterface* attached = NULL;
    OrvoAnsiString line = OrvoTextOf("Tip jar"), value = NULL;
    int32_t index = -1, count = 0;
    printf("configuration list of \"Mr D\" with an object of the host's\n");
    if (!payment) return;
    Ok(payment->lpVtbl->GetConfig(payment, &config), "GetConfig");
    Ok(payment->lpVtbl->GetConfig(payment, &again), "GetConfig");
    CHECK(config && config == again, "GetConfig gave two lists");
    if (again) again->lpVtbl->Release(again);
    if (!config) return;
    Ok(config->lpVtbl->AddObject(config, line, (IInterface*)&gTipJar, &index), "AddObject");
    Ok(config->lpVtbl->GetObjectAt(config, 0, &attached), "GetObjectAt");
    CHECK(index == 0 && attached == (IInterface*)&gTipJar, "AddObject gave index %d, GetObjectAt another object",
          (int)index);
    if (attached) attached->lpVtbl->Release(attached);
    Ok(config->lpVtbl->GetLine(config, 0, &value), "GetLine");
    Ok(config->lpVtbl->GetCount(config, &count), "GetCount");
    printf("  line 0 \"%s\" of %d, the object held %ld times\n", OrvoTextChars(value), (int)count, gTipJar.refs - 1);
    CHECK(count == 1 && SameText(value, "Tip jar") && gTipJar.refs == 2,
          "the list holds %d lines, the object %ld references", (int)count, gTipJar.refs);
    OrvoTextRelease(value);
    Ok(config->lpVtbl->FreeObjects(config), "FreeObjects");
    /* AddObject and GetObjectAt added one each; the host's release and FreeObjects' took them back. */
    printf("  after FreeObjects the object is held %ld times (%ld AddRef, %ld Release)\n", gTipJar.refs - 1,
           gJarAddRefs, gJarReleases);
    CHECK(gTipJar.refs == 1 && gJarAddRefs == 2 && gJarReleases == 2,
          "after FreeObjects the object holds %ld references, not 1", gTipJar.refs);
    /* Attached again, it goes with the list, when the payment object ends. */
    Ok(config->lpVtbl->SetObjectAt(config, 0, (IInterface*)&gTipJar), "SetObjectAt");
    CHECK(gTipJar.refs == 2, "SetObjectAt: the object holds %ld references, not 2", gTipJar.refs);
    config->lpVtbl->Release(config);
    payment->lpVtbl->Release(payment);
    printf("  after the payment object is released the object is held %ld times (%ld AddRef, %ld Release)\n",
           gTipJar.refs - 1, gJarAddRefs, gJarReleases);
    CHECK(gTipJar.refs == 1 && gJarAddRefs == 3 && gJarReleases == 3,
          "after the list's end the object holds %ld references, not 1", gTipJar.refs);
    OrvoTextRelease(line);
}

static void DriveReports(IFormView* form) {
    static const TFormControlInfo today = {
        NULL, NULL, "Todays Transactions", "Tahoma", ORVO_CONTROL_BUTTON, 8, 104, 217, 57, 21, 0, mrNone, 0, 0};
    int32_t width = 0, height = 0;
    Ok(form->lpVtbl->GetClientWidth(form, &width), "GetClientWidth");
    Ok(form->lpVtbl->GetClientHeight(form, &height), "GetClientHeight");
    CHECK(width == 496 && height == 383, "the reports window is %dx%d, not 496x383", (int)width, (int)height);
    CheckControl(form, "btnToday", &today);
    Click(form, "btnToday");
}

/* The page: today's range, the host's rows in their cells, money in the regional format. */
static void CheckPage(void) {
    char today[16], args[128], made[3][512], money[64], folder[MAX_PATH];
    const char* cells[] = {"  <td>Uber</td>",
                           "<h3>Payment Type: Uber</h3>",
                           "<td style=\"white-space:nowrap\">UBER-1234</td>",
                           "<td style=\"white-space:nowrap\">Thandi Mokoena</td>",
                           made[0],
                           made[1],
                           made[2]};
    const char* page = OrvoTextChars(gPage);
    SYSTEMTIME now;
    char* slash;
    size_t i;
    GetLocalTime(&now);
    _snprintf(today, sizeof today, "%04d-%02d-%02d", now.wYear, now.wMonth, now.wDay);
    _snprintf(args, sizeof args, "'%s', '%s'\n'%s', '%s'\n", today, today, today, today);
    CHECK(strcmp(gReportArgs, args) == 0, "the report's queries got the arguments\n%s", gReportArgs);
    GetModuleFileNameA(NULL, folder, sizeof folder);
    if ((slash = strrchr(folder, '\\')) != NULL) slash[1] = '\0';
    GetCurrencyFormatA(LOCALE_USER_DEFAULT, 0, "95.00", NULL, money, sizeof money);
    _snprintf(made[0], sizeof made[0], "<base href=\"file://%sRes\\\">", folder);
    _snprintf(made[1], sizeof made[1], "<h2>Extra Payment Report: %s </h2>", today);
    _snprintf(made[2], sizeof made[2], "<td style=\"text-align:right\">%s</td>", money);
    for (i = 0; i < sizeof cells / sizeof cells[0]; ++i)
        CHECK(strstr(page, cells[i]) != NULL, "the page has no %s", cells[i]);
}

static void RunReport(void) {
    OrvoAnsiString name = OrvoTextOf("Orvo.BackOffice.MainForm.Create");
    int i;
    printf("report: the back office's main window opens\n");
    for (i = 0; i < gEvents.count; ++i)
        if (strcmp(gEvents.items[i].name, OrvoTextChars(name)) == 0)
            Ok(gEvents.items[i].handler.Code(gEvents.items[i].handler.Data, name, NULL, NULL), "the event handler");
    OrvoTextRelease(name);
    gDrive = DriveReports;
    for (i = 0; i < gMenus.count; ++i)
        if (strcmp(gMenus.items[i].caption, "Extra Payments Reports") == 0 && gMenus.items[i].onClick.Code)
            Ok(gMenus.items[i].onClick.Code(gMenus.items[i].onClick.Data, NULL), "the menu handler");
    gDrive = NULL;
    /* The journal proves the item kept, with its handler: the loop above clicked it. */
    CheckJournal("the menu and the access check",
                 "AddMenuItem \"Lists\" \"-\" none -1\n"
                 "AddMenuItem \"Lists\" \"Extra Payments Reports\" handler -1\n"
                 "CheckAccess AM020 1 0\n");
    CHECK(gPage != NULL, "the viewer received no page");
    if (gPage) CheckPage();
    CHECK(TextRefs(gUserName) == 1, "the user's name is held %d times after the check", (int)TextRefs(gUserName));
}

static void RunFailingDatabase(void) {
    IExtraPaymentsTransaction* transaction = NULL;
    OrvoAnsiString method = OrvoTextOf("Uber");
    OrvoBool found = 0;
    int32_t id = 0;
    printf("the host's database fails on the transaction INSERT\n");
    Ok(Resolve((IDIContainer*)&gContainer, &IID_IExtraPaymentsTransaction, (void**)&transaction, &found), "Resolve");
    CHECK(found && transaction, "the container has no IExtraPaymentsTransaction");
    if (transaction) {
        gFailInsert = 1;
        Ok(transaction->lpVtbl->AddTransaction(transaction, method, &id), "AddTransaction");
        printf("  AddTransaction answered %d\n", (int)id);
        CHECK(id == -1 && gFailInsert == 0, "AddTransaction answered %d", (int)id);
        /* Failing without an error object, an older unread one on the thread: told by its code. */
        SetError(L"List index out of bounds (99)", L"EStringListError");
        gFailInsert = 2;
        Ok(transaction->lpVtbl->AddTransaction(transaction, method, &id), "AddTransaction");
        /* A null out-pointer is refused before the INSERT runs. */
        gFailInsert = 1;
        CHECK(transaction->lpVtbl->AddTransaction(transaction, method, NULL) == ORVO_E_FAIL && gFailInsert == 1,
              "AddTransaction with a null out-pointer ran its INSERT");
        gFailInsert = 0;
        transaction->lpVtbl->Release(transaction);
    }
    OrvoTextRelease(method);
}

static void RunModuleError(IPaymentMethod* payment) {
    TRemoveCashupEntryEvent removeEntry = {OnRemoveCashupEntry, NULL};
    IOrvoSupportErrorInfo* support = NULL;
    void* none = &support;
    TError error;
    int32_t result;
    printf("the module's error: RemoveCashupEntry with no database service\n");
    UnregisterFactory((IDIContainer*)&gContainer, &IID_IDBScript);
    SetErrorInfo(0, NULL);
    result = payment->lpVtbl->RemoveCashupEntry(payment, 1, 7, removeEntry);
    TakeError(payment, &IID_IPaymentMethod, &error);
    printf("  RemoveCashupEntry failed with 0x%08lX: %ls (%ls)\n", (unsigned long)result, error.description,
           error.source);
    CHECK(result < 0 &&
              wcsncmp(error.description, L"Could not create DBScript (implPaymentMethodUber, line ", 55) == 0 &&
              wcscmp(error.source, L"EAssertionFailed") == 0,
          "the module's error arrived as 0x%08lX", (unsigned long)result);
    CheckJournal("the removed rows", "RemoveEntry 7 1 \"PAYMENT:Uber\"\n");
    /* COM's rule finds that error: the object answers ISupportErrorInfo for its own interfaces. */
    Ok(payment->lpVtbl->QueryInterface(payment, &IID_IOrvoSupportErrorInfo, (void**)&support), "QueryInterface");
    CHECK(support && support->lpVtbl->InterfaceSupportsErrorInfo(support, &IID_IPaymentMethod) == ORVO_S_OK &&
              support->lpVtbl->InterfaceSupportsErrorInfo(support, &IID_IDIContainer) == ORVO_S_FALSE,
          "the payment object does not tell which interfaces leave an error object");
    if (support) support->lpVtbl->Release(support);
    CHECK(payment->lpVtbl->QueryInterface(payment, NULL, &none) == ORVO_E_POINTER && !none,
          "QueryInterface without an identifier was not refused");
}

int main(int argc, char** argv) {
    /* What the module registers, in order. */
    static const char* const kRegistered[] = {
        "Factory IExtraPaymentsTransaction",       "NamedFactory IDatabaseChanges \"ExtraPayments\"",
        "Factory IExtraPaymentsManagement",        "Instance IExtraPaymentsManagement",
        "NamedFactory IPaymentMethod \"Uber\"",    "NamedFactory IPaymentMethod \"Mr D\"",
        "NamedFactory IPaymentMethod \"ABSA\"",    "NamedFactory IPaymentMethod \"Nedbank\"",
        "NamedFactory IPaymentMethod \"Other CC\""};
    const int registrations = (int)(sizeof kRegistered / sizeof kRegistered[0]);
    static char expected[1024];
    char folder[MAX_PATH], path[MAX_PATH + 32];
    void* library;
    TInitModule initModule;
    TFinalModule finalModule;
    OrvoAnsiString* const hostTexts[] = {&gTyped, &gNewId, &gUserName, &gTotalsJson, &gDetailsJson};
    IPaymentMethod* payment;
    static TError error; /* off the stack: this host has no stack probe (__chkstk) for large frames */
    int32_t result;
    int hostServices, i;
    char typed[16];
    if (argc != 2 || !GetFullPathNameA(argv[1], sizeof folder, folder, NULL)) {
        printf("usage: ConformanceHost <module folder>\n");
        return 2;
    }
    _snprintf(path, sizeof path, "%s\\OrvoExtraPayments.ovm", folder);
    /* The module's folder is searched first for what it imports. */
    library = LoadLibraryExA(path, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
    initModule = library ? (TInitModule)(void*)GetProcAddress(library, "InitModule") : NULL;
    finalModule = library ? (TFinalModule)(void*)GetProcAddress(library, "FinalModule") : NULL;
    if (!initModule || !finalModule) {
        printf("cannot load %s as a module (Windows error %lu)\n", path, GetLastError());
        return 3;
    }
    printf("loaded %s\n", path);
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, gDecimal, sizeof gDecimal);
    _snprintf(typed, sizeof typed, "10%s00", gDecimal);
    gTyped = OrvoTextOf(typed);
    gNewId = OrvoTextOf("17");
    gUserName = OrvoTextOf("Manager");
    gTotalsJson = OrvoTextOf(
        "[{\"PaymentType\":\"Uber\",\"TotalTransactions\":1,\"Completed\":1,\"TotalAmount\":\"95.00\","
        "\"TotalGratuity\":\"10.00\",\"OverrungInvoices\":0,\"OverrungTotal\":\"0.00\"}]");
    gDetailsJson = OrvoTextOf(
        "[{\"TransactionDate\":\"2026/12/07\",\"PaymentType\":\"Uber\",\"TransactionTime\":"
        "\"19:50:00:000\",\"InvoiceNum\":7,\"Reference\":\"UBER-1234\",\"InvoiceAmount\":\"95.00\","
        "\"Amount\":\"85.00\",\"Gratuity\":\"10.00\",\"InvoiceStatus\":\"\",\"TransactionID\":17,"
        "\"CashierName\":\"Thandi Mokoena\"}]");

    RegisterHostFactory(&IID_IDBScript, NULL, &kScriptVtbl, sizeof(THostObject));
    RegisterHostFactory(&IID_IGenericInput, "Currency", &kInputVtbl, sizeof(TInput));
    RegisterHostFactory(&IID_IHTMLViewer, NULL, &kViewerVtbl, sizeof(THostObject));
    RegisterHostFactory(&IID_IAuthentication, NULL, &kAuthenticationVtbl, sizeof(THostObject));
    RegisterHostFactory(&IID_IActCodes, NULL, &kActCodesVtbl, sizeof(THostObject));
    Add(&gContainer, &IID_IMainMenuManager, NULL, (IInterface*)&gMenus, NULL);
    Add(&gContainer, &IID_IEventManager, NULL, (IInterface*)&gEvents, NULL);
    Add(&gContainer, &IID_IFormHost, NULL, (IInterface*)&gFormHost, NULL);
    hostServices = gContainer.count;
    printf("the host registers %d services\n", hostServices);

    gContainer.journal = 1;
    Ok(initModule((IDIContainer*)&gContainer), "InitModule");
    printf("InitModule: the module registers %d services\n", gContainer.count - hostServices);
    for (i = 0, expected[0] = '\0'; i < registrations; ++i)
        strcat(strcat(strcat(expected, "Register"), kRegistered[i]), "\n");
    CheckJournal("the registrations", expected);
    /* Once more (the guide says once): the container's refusal comes back, nothing is added, and
     * the one FinalModule below still withdraws all nine. */
    result = initModule((IDIContainer*)&gContainer);
    TakeError(NULL, NULL, &error);
    printf("a second InitModule failed with 0x%08lX: %ls (%ls)\n", (unsigned long)result, error.description,
           error.source);
    CheckJournal("the second InitModule", "");
    gContainer.journal = 0;
    CHECK(gEvents.count == 2, "the module subscribed to %d events, not 2", gEvents.count);

    payment = RunPayment();
    if (payment) {
        CheckPaymentStatements();
        RunCashup(payment);
    }
    RunGetChanges();
    RunConfigList();
    RunReport();
    RunFailingDatabase();
    if (payment) {
        RunModuleError(payment);
        payment->lpVtbl->Release(payment);
    }
    for (i = 0; i < (int)(sizeof hostTexts / sizeof hostTexts[0]); ++i)
        CHECK(TextRefs(*hostTexts[i]) == 1, "text %d of the host is held %d times", i, (int)TextRefs(*hostTexts[i]));

    gContainer.journal = 1;
    Ok(finalModule(), "FinalModule");
    /* Withdrawn in the reverse order. */
    for (i = registrations, expected[0] = '\0'; i-- > 0;)
        strcat(strcat(strcat(expected, "Unregister"), kRegistered[i]), "\n");
    CheckJournal("the withdrawals", expected);
    Ok(finalModule(), "FinalModule again");
    CheckJournal("a second FinalModule", "");
    gContainer.journal = 0;
    /* The database factory went in the last step: the host's own services less one are left. */
    printf("FinalModule: %d registrations left, the host's own\n", gContainer.count);
    CHECK(gContainer.count == hostServices - 1, "%d registrations left", gContainer.count);
    CHECK(gContainer.base.refs == 1 && gMenus.base.refs == 2 && gEvents.base.refs == 2 && gFormHost.refs == 2,
          "references left on the host's services: container %ld, menus %ld, events %ld, forms %ld",
          gContainer.base.refs, gMenus.base.refs, gEvents.base.refs, gFormHost.refs);

    /* The menu and event handlers point into the module: they go before it does. */
    gMenus.count = gEvents.count = 0;
    while (gContainer.count > 0) {
        TEntry* last = &gContainer.entries[gContainer.count - 1];
        OrvoAnsiString name = OrvoTextOf(last->name);
        Remove(&gContainer, &last->iid, name, last->instance != NULL);
        OrvoTextRelease(name);
    }
    CHECK(gLiveHeapObjects == 0, "%ld objects of the host are still held", gLiveHeapObjects);
    FreeLibrary(library);
    printf("unloaded\n");

    /* Texts the module made live on in the process heap; the host frees them now. */
    for (i = 0; i < gScripts.count; ++i) OrvoTextRelease(gScripts.lines[i]);
    for (i = 0; i < (int)(sizeof hostTexts / sizeof hostTexts[0]); ++i) OrvoTextRelease(*hostTexts[i]);
    OrvoTextRelease(gPage);
    printf(gFailures ? "%d checks failed\n" : "every check held\n", gFailures);
    return gFailures ? 1 : 0;
}
