/* A sample host in C, the first hour of a host author: load OrvoExtraPayments.ovm, lend it a
 * container of services, take one payment, show one report, unload. Written from
 * interfaces/OrvoContract.h alone (no C++, no runtime shared with the module); every service is
 * the least that works. docs/integrating.md tells the rules this follows.
 *
 *   SampleHost.exe <module folder> */
#define COBJMACROS /* the C forms of COM calls: IErrorInfo_GetDescription(info, ...) */
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "OrvoContract.h"

/* ---- Host objects: the table pointer first, then what the object needs --------------------
 * The services here are static and live as long as the program: AddRef and Release only
 * count, and QueryInterface answers for IInterface and the one interface of the object. */
typedef struct THostObject {
    const void* lpVtbl;
    const TGUID* iid;
    LONG refs;
} THostObject;

static int32_t ORVO_STDCALL ObjQueryInterface(void* This, const TGUID* iid, void** obj) {
    THostObject* self = (THostObject*)This;
    if (!obj) return ORVO_E_POINTER;
    *obj = NULL;
    if (memcmp(iid, &IID_IInterface, sizeof(TGUID)) != 0 && memcmp(iid, self->iid, sizeof(TGUID)) != 0)
        return ORVO_E_NOINTERFACE;
    *obj = self;
    InterlockedIncrement(&self->refs);
    return ORVO_S_OK;
}
static int32_t ORVO_STDCALL ObjAddRef(void* This) { return InterlockedIncrement(&((THostObject*)This)->refs); }
static int32_t ORVO_STDCALL ObjRelease(void* This) { return InterlockedDecrement(&((THostObject*)This)->refs); }
#define HOST_IINTERFACE(I)                                                                                       \
    (int32_t(ORVO_STDCALL*)(I*, const TGUID*, void**)) ObjQueryInterface, (int32_t(ORVO_STDCALL*)(I*))ObjAddRef, \
        (int32_t(ORVO_STDCALL*)(I*))ObjRelease

/* Reports a failed call of the module with the thread's error object: its message and class. */
static int Ok(int32_t result, const char* call) {
    IErrorInfo* info = NULL;
    BSTR message = NULL, source = NULL;
    if (result >= 0) return 1;
    if (GetErrorInfo(0, &info) == S_OK && info) {
        IErrorInfo_GetDescription(info, &message);
        IErrorInfo_GetSource(info, &source);
        IErrorInfo_Release(info);
    }
    printf("%s failed with 0x%08lX: %ls (%ls)\n", call, (unsigned long)result, message ? message : L"",
           source ? source : L"");
    SysFreeString(message);
    SysFreeString(source);
    return 0;
}

/* ---- The container: instances and factories by interface and name -------------------------- */
typedef struct TEntry {
    TGUID iid;
    char name[32];
    IInterface* instance; /* a shared instance (GetInstance), or */
    IDIFactory* factory;  /* a factory (Resolve, ResolveNamed) */
} TEntry;
static TEntry gEntries[32];
static int gCount;

static int32_t Add(const TGUID* iid, OrvoAnsiString name, IInterface* instance, IDIFactory* factory) {
    TEntry* entry = &gEntries[gCount];
    if (gCount == 32) return ORVO_E_OUTOFMEMORY;
    ++gCount;
    entry->iid = *iid;
    lstrcpynA(entry->name, OrvoTextChars(name), sizeof entry->name);
    entry->instance = instance;
    entry->factory = factory;
    /* The container keeps what it is given: one reference of its own. */
    if (instance) instance->lpVtbl->AddRef(instance);
    if (factory) factory->lpVtbl->AddRef(factory);
    return ORVO_S_OK;
}
static TEntry* Find(const TGUID* iid, OrvoAnsiString name, int instance) {
    int i;
    for (i = 0; i < gCount; ++i)
        if (memcmp(&gEntries[i].iid, iid, sizeof(TGUID)) == 0 && strcmp(gEntries[i].name, OrvoTextChars(name)) == 0 &&
            (gEntries[i].instance != NULL) == instance)
            return &gEntries[i];
    return NULL;
}
static int32_t Remove(const TGUID* iid, OrvoAnsiString name, int instance) {
    TEntry* entry = Find(iid, name, instance);
    if (!entry) return ORVO_S_OK;
    if (entry->instance) entry->instance->lpVtbl->Release(entry->instance);
    if (entry->factory) entry->factory->lpVtbl->Release(entry->factory);
    *entry = gEntries[--gCount];
    return ORVO_S_OK;
}
/* What GetInstance, Resolve and ResolveNamed answer: the object as iid, found or not. */
static int32_t Lookup(TEntry* entry, const TGUID* iid, void** obj, OrvoBool* found) {
    IInterface* made = NULL;
    int32_t result = ORVO_S_OK;
    if (!obj || !found) return ORVO_E_POINTER;
    *obj = NULL;
    *found = 0;
    if (!entry) return ORVO_S_OK;
    if (entry->instance) {
        made = entry->instance;
        made->lpVtbl->AddRef(made);
    } else if ((result = entry->factory->lpVtbl->CreateObject(entry->factory, &made)) < 0) {
        return result; /* the factory's error object stays for the caller */
    }
    *found = made->lpVtbl->QueryInterface(made, iid, obj) == ORVO_S_OK;
    made->lpVtbl->Release(made);
    return ORVO_S_OK;
}

static int32_t ORVO_STDCALL RegisterInstance(IDIContainer* This, const TGUID* iid, IInterface* obj) {
    (void)This;
    return Add(iid, NULL, obj, NULL);
}
static int32_t ORVO_STDCALL RegisterFactory(IDIContainer* This, const TGUID* iid, IDIFactory* factory) {
    (void)This;
    return Add(iid, NULL, NULL, factory);
}
static int32_t ORVO_STDCALL RegisterNamedFactory(IDIContainer* This, const TGUID* iid, OrvoAnsiString name,
                                                 IDIFactory* factory) {
    (void)This;
    return Add(iid, name, NULL, factory);
}
static int32_t ORVO_STDCALL UnregisterInstance(IDIContainer* This, const TGUID* iid) {
    (void)This;
    return Remove(iid, NULL, 1);
}
static int32_t ORVO_STDCALL UnregisterFactory(IDIContainer* This, const TGUID* iid) {
    (void)This;
    return Remove(iid, NULL, 0);
}
static int32_t ORVO_STDCALL UnregisterNamedFactory(IDIContainer* This, const TGUID* iid, OrvoAnsiString name) {
    (void)This;
    return Remove(iid, name, 0);
}
static int32_t ORVO_STDCALL GetInstance(IDIContainer* This, const TGUID* iid, void** obj, OrvoBool* found) {
    (void)This;
    return Lookup(Find(iid, NULL, 1), iid, obj, found);
}
static int32_t ORVO_STDCALL Resolve(IDIContainer* This, const TGUID* iid, void** obj, OrvoBool* found) {
    (void)This;
    return Lookup(Find(iid, NULL, 0), iid, obj, found);
}
static int32_t ORVO_STDCALL ResolveNamed(IDIContainer* This, const TGUID* iid, OrvoAnsiString name, void** obj,
                                         OrvoBool* found) {
    (void)This;
    return Lookup(Find(iid, name, 0), iid, obj, found);
}
static const IDIContainerVtbl kContainerVtbl = {
    HOST_IINTERFACE(IDIContainer), RegisterInstance, RegisterFactory, RegisterNamedFactory, UnregisterInstance,
    UnregisterFactory,             UnregisterNamedFactory, GetInstance, Resolve, ResolveNamed};
static THostObject gContainer = {&kContainerVtbl, &IID_IDIContainer, 1};

/* A factory that hands out its one static object (the module asks for a new one each time;
 * a real host makes one). */
typedef struct TFactory {
    THostObject base;
    IInterface* product;
} TFactory;
static int32_t ORVO_STDCALL CreateObject(IDIFactory* This, IInterface** obj) {
    if (!obj) return ORVO_E_POINTER;
    *obj = ((TFactory*)This)->product;
    (*obj)->lpVtbl->AddRef(*obj);
    return ORVO_S_OK;
}
static const IDIFactoryVtbl kFactoryVtbl = {HOST_IINTERFACE(IDIFactory), CreateObject};

/* ---- The database: prints each statement; the new transaction's ID is 1 -------------------- */
static int32_t ORVO_STDCALL ExecSQL(IDBScript* This, OrvoAnsiString pattern, const TSQLArgs* args, int32_t* result) {
    const char* statement = OrvoTextChars(pattern);
    (void)This;
    if (!result) return ORVO_E_POINTER;
    printf("  database runs %.*s... (%d arguments)\n", (int)strcspn(statement, " \r\n"), statement,
           args ? (int)args->Count : 0);
    *result = 1;
    return ORVO_S_OK;
}
static int32_t ORVO_STDCALL QueryValue(IDBScript* This, OrvoAnsiString batch, OrvoAnsiString column,
                                       OrvoAnsiString* value) {
    (void)This;
    (void)batch;
    (void)column;
    if (!value) return ORVO_E_POINTER;
    *value = OrvoTextOf("1"); /* a new text: the module releases it */
    return ORVO_S_OK;
}
static int32_t ORVO_STDCALL QueryJSON(IDBScript* This, OrvoAnsiString pattern, const TSQLArgs* args,
                                      OrvoAnsiString* json) {
    (void)This;
    (void)pattern;
    (void)args;
    if (!json) return ORVO_E_POINTER;
    *json = OrvoTextOf("[]"); /* no rows */
    return ORVO_S_OK;
}
static const IDBScriptVtbl kScriptVtbl = {HOST_IINTERFACE(IDBScript), ExecSQL, QueryValue, QueryJSON};
static THostObject gScript = {&kScriptVtbl, &IID_IDBScript, 1};
static TFactory gScripts = {{&kFactoryVtbl, &IID_IDIFactory, 1}, (IInterface*)&gScript};

/* ---- Windows: the module's forms, driven through IFormView as a cashier would -------------- */
static int32_t IndexOf(IFormView* form, const char* name) {
    OrvoAnsiString text = OrvoTextOf(name);
    int32_t index = -1;
    form->lpVtbl->IndexOfControl(form, text, &index);
    OrvoTextRelease(text);
    return index;
}
static int32_t ORVO_STDCALL ShowModal(IFormHost* This, IFormView* form) {
    OrvoAnsiString caption = NULL, reference = OrvoTextOf("UBER-1234");
    OrvoBool done = 0;
    (void)This;
    form->lpVtbl->GetCaption(form, &caption);
    printf("  window \"%s\"\n", OrvoTextChars(caption));
    if (strcmp(OrvoTextChars(caption), "Uber Details") == 0) {
        form->lpVtbl->SetText(form, IndexOf(form, "txtReference"), reference, &done);
        form->lpVtbl->Click(form, IndexOf(form, "btnOKNew"), &done);
    } else {
        form->lpVtbl->Click(form, IndexOf(form, "btnToday"), &done);
    }
    OrvoTextRelease(caption);
    OrvoTextRelease(reference);
    return ORVO_S_OK;
}
static int32_t ORVO_STDCALL ReportError(IFormHost* This, IFormView* form, OrvoAnsiString message) {
    (void)This;
    (void)form;
    printf("  window reports: %s\n", OrvoTextChars(message));
    return ORVO_S_OK;
}
static const IFormHostVtbl kFormHostVtbl = {HOST_IINTERFACE(IFormHost), ShowModal, ReportError};
static THostObject gFormHost = {&kFormHostVtbl, &IID_IFormHost, 1};

/* ---- The report's road: an event, a menu item, an access check, a page ----------------------- */
static TEventHandler gOnMainForm; /* bound methods the module hands over, kept */
static TMenuClickEvent gOnReports;
static int32_t ORVO_STDCALL Subscribe(IEventManager* This, OrvoAnsiString eventName, TEventHandler handler) {
    (void)This;
    if (strcmp(OrvoTextChars(eventName), "Orvo.BackOffice.MainForm.Create") == 0) gOnMainForm = handler;
    return ORVO_S_OK;
}
static const IEventManagerVtbl kEventsVtbl = {HOST_IINTERFACE(IEventManager), Subscribe};
static THostObject gEvents = {&kEventsVtbl, &IID_IEventManager, 1};

static int32_t ORVO_STDCALL AddMenuItem(IMainMenuManager* This, OrvoAnsiString parent, OrvoAnsiString caption,
                                        TMenuClickEvent onClick, int32_t position) {
    (void)This;
    (void)position;
    printf("  menu \"%s\" gets \"%s\"\n", OrvoTextChars(parent), OrvoTextChars(caption));
    if (onClick.Code) gOnReports = onClick;
    return ORVO_S_OK;
}
static const IMainMenuManagerVtbl kMenusVtbl = {HOST_IINTERFACE(IMainMenuManager), AddMenuItem};
static THostObject gMenus = {&kMenusVtbl, &IID_IMainMenuManager, 1};

static int32_t ORVO_STDCALL CheckAccess(IAuthentication* This, OrvoAnsiString code, OrvoAnsiString* userName,
                                        int32_t* userId, int32_t prompt, int32_t options, OrvoBool* granted) {
    (void)This;
    (void)prompt;
    (void)options;
    if (!userName || !userId || !granted) return ORVO_E_POINTER;
    printf("  access code %s granted\n", OrvoTextChars(code));
    *userName = OrvoTextOf("Manager");
    *userId = 1;
    *granted = 1;
    return ORVO_S_OK;
}
static const IAuthenticationVtbl kAuthenticationVtbl = {HOST_IINTERFACE(IAuthentication), CheckAccess};
static THostObject gAuthentication = {&kAuthenticationVtbl, &IID_IAuthentication, 1};
static TFactory gAuthentications = {{&kFactoryVtbl, &IID_IDIFactory, 1}, (IInterface*)&gAuthentication};

static int32_t ORVO_STDCALL ShowHTML(IHTMLViewer* This, OrvoAnsiString page) {
    (void)This;
    printf("  viewer shows a page of %d bytes\n", (int)OrvoTextLength(page)); /* lent: copy it to keep it */
    return ORVO_S_OK;
}
static const IHTMLViewerVtbl kViewerVtbl = {HOST_IINTERFACE(IHTMLViewer), ShowHTML};
static THostObject gViewer = {&kViewerVtbl, &IID_IHTMLViewer, 1};
static TFactory gViewers = {{&kFactoryVtbl, &IID_IDIFactory, 1}, (IInterface*)&gViewer};

/* ---- The steps ---------------------------------------------------------------------------- */
static void TakePayment(void) {
    OrvoAnsiString name = OrvoTextOf("Uber");
    IPaymentMethod* payment = NULL;
    OrvoBool found = 0, paid = 0;
    printf("payment: Uber, 85.00\n");
    Ok(ResolveNamed((IDIContainer*)&gContainer, &IID_IPaymentMethod, name, (void**)&payment, &found), "ResolveNamed");
    OrvoTextRelease(name);
    if (!found) return;
    if (Ok(payment->lpVtbl->SetAmount(payment, 850000), "SetAmount") && /* Currency: ten-thousandths */
        Ok(payment->lpVtbl->DoPaymentPopup(payment, &paid), "DoPaymentPopup") && paid)
        Ok(payment->lpVtbl->InsertSQL(payment, 7), "InsertSQL"); /* the invoice the host saved */
    printf("  paid: %s\n", paid ? "yes" : "no");
    payment->lpVtbl->Release(payment);
}

static void ShowReport(void) {
    OrvoAnsiString event = OrvoTextOf("Orvo.BackOffice.MainForm.Create");
    printf("report: the back office opens, the menu item is clicked\n");
    if (gOnMainForm.Code) Ok(gOnMainForm.Code(gOnMainForm.Data, event, NULL, NULL), "the event handler");
    OrvoTextRelease(event);
    if (gOnReports.Code) Ok(gOnReports.Code(gOnReports.Data, NULL), "the menu handler");
}

int main(int argc, char** argv) {
    char path[MAX_PATH];
    HMODULE library;
    TInitModule initModule;
    TFinalModule finalModule;
    if (argc != 2 || !GetFullPathNameA(argv[1], sizeof path - 24, path, NULL)) {
        printf("usage: SampleHost <module folder>\n");
        return 2;
    }
    strcat(path, "\\OrvoExtraPayments.ovm");
    library = LoadLibraryExA(path, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
    initModule = library ? (TInitModule)(void*)GetProcAddress(library, "InitModule") : NULL;
    finalModule = library ? (TFinalModule)(void*)GetProcAddress(library, "FinalModule") : NULL;
    if (!initModule || !finalModule) {
        printf("cannot load %s (Windows error %lu)\n", path, GetLastError());
        return 3;
    }
    printf("loaded %s\n", path);

    Add(&IID_IDBScript, NULL, NULL, (IDIFactory*)&gScripts);
    Add(&IID_IAuthentication, NULL, NULL, (IDIFactory*)&gAuthentications);
    Add(&IID_IHTMLViewer, NULL, NULL, (IDIFactory*)&gViewers);
    Add(&IID_IFormHost, NULL, (IInterface*)&gFormHost, NULL);
    Add(&IID_IEventManager, NULL, (IInterface*)&gEvents, NULL);
    Add(&IID_IMainMenuManager, NULL, (IInterface*)&gMenus, NULL);
    if (!Ok(initModule((IDIContainer*)&gContainer), "InitModule")) return 1;
    printf("InitModule: %d registrations in the container\n", gCount);

    TakePayment();
    ShowReport();

    Ok(finalModule(), "FinalModule");
    /* The handlers point into the module: forget them before it goes. */
    memset(&gOnMainForm, 0, sizeof gOnMainForm);
    memset(&gOnReports, 0, sizeof gOnReports);
    FreeLibrary(library);
    printf("unloaded, %d registrations left\n", gCount);
    return 0;
}
