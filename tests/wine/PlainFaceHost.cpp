// The plain C++ face proven by a run: a host in C++14 written from interfaces/OrvoContract.hpp
// alone and built by clang for the MSVC ABI (lld-link; no SDK, no standard library, no
// exceptions, no RTTI), so that MSVC's C++ vtables and its passing of `this` meet the module's on
// both sides: the module calls the host's container through its table, the host calls the
// module's objects through theirs. The container lends nothing (the module skips the optional
// services); the host checks the registrations, configures the "Mr D" payment method, reads an
// error object by COM's rule and unloads with every reference given back. One line per step;
// RunSampleHost.cmake checks them, and each check that does not hold prints "FAILED: ...".
//
//   PlainFaceHost.exe <module folder>
#include "OrvoContract.hpp"
// After the contract: the system's error-object calls take its IOrvoErrorInfo.
#include "HostSystem.h"

const int32_t kOk = orvo_c::ORVO_S_OK, kFail = orvo_c::ORVO_E_FAIL, kNullPointer = orvo_c::ORVO_E_POINTER,
              kNoInterface = orvo_c::ORVO_E_NOINTERFACE;
static int gFailures;
static void Check(bool held, const char* what) {
    if (held) return;
    printf("FAILED: %s\n", what);
    ++gFailures;
}
static bool Same(const TGUID& a, const TGUID& b) { return memcmp(&a, &b, sizeof a) == 0; }
static bool SameText(OrvoAnsiString text, const char* expected) {
    return OrvoTextLength(text) == (int32_t)strlen(expected) && strcmp(OrvoTextChars(text), expected) == 0;
}

// The host's container: keeps what the module registers, in order, with a reference to each
// object and to each name; serves nothing.
class TContainer final : public IDIContainer {
public:
    struct TEntry {
        TGUID iid;
        bool named;
        OrvoAnsiString name;  // a reference of the container's (null: empty)
        IInterface* object;
    };
    TEntry entries[16];
    int count = 0;
    LONG refs = 1;  // the host's own; the container lives as long as the program

    int32_t ORVO_STDCALL QueryInterface(const TGUID& iid, void** obj) override {
        if (!obj) return kNullPointer;
        *obj = Same(iid, IInterface::IID) || Same(iid, IDIContainer::IID) ? this : nullptr;
        if (!*obj) return kNoInterface;
        AddRef();
        return kOk;
    }
    int32_t ORVO_STDCALL AddRef() override { return ++refs; }
    int32_t ORVO_STDCALL Release() override { return --refs; }

    int32_t ORVO_STDCALL RegisterInstance(const TGUID& iid, IInterface* obj) override {
        return Add(iid, false, nullptr, obj);
    }
    int32_t ORVO_STDCALL RegisterFactory(const TGUID& iid, IDIFactory* factory) override {
        return Add(iid, false, nullptr, factory);
    }
    int32_t ORVO_STDCALL RegisterNamedFactory(const TGUID& iid, OrvoAnsiString name, IDIFactory* factory) override {
        return Add(iid, true, name, factory);
    }
    int32_t ORVO_STDCALL UnregisterInstance(const TGUID& iid) override { return Remove(iid, nullptr); }
    int32_t ORVO_STDCALL UnregisterFactory(const TGUID& iid) override { return Remove(iid, nullptr); }
    int32_t ORVO_STDCALL UnregisterNamedFactory(const TGUID& iid, OrvoAnsiString name) override {
        return Remove(iid, OrvoTextChars(name));
    }
    int32_t ORVO_STDCALL GetInstance(const TGUID&, void** obj, OrvoBool* found) override { return None(obj, found); }
    int32_t ORVO_STDCALL Resolve(const TGUID&, void** obj, OrvoBool* found) override { return None(obj, found); }
    int32_t ORVO_STDCALL ResolveNamed(const TGUID&, OrvoAnsiString, void** obj, OrvoBool* found) override {
        return None(obj, found);
    }

private:
    int32_t Add(const TGUID& iid, bool named, OrvoAnsiString name, IInterface* object) {
        if (!object || count == 16) return kFail;
        object->AddRef();
        entries[count++] = {iid, named, OrvoTextAddRef(name), object};
        return kOk;
    }
    // The last entry of iid with that name (null: unnamed), dropped with its references.
    int32_t Remove(const TGUID& iid, const char* name) {
        for (int i = count; i-- > 0;) {
            TEntry& entry = entries[i];
            if (!Same(entry.iid, iid) || entry.named != !!name || (name && strcmp(OrvoTextChars(entry.name), name)))
                continue;
            entry.object->Release();
            OrvoTextRelease(entry.name);
            memmove(&entry, &entry + 1, (count - i - 1) * sizeof entry);
            --count;
            return kOk;
        }
        return kFail;
    }
    static int32_t None(void** obj, OrvoBool* found) {
        if (!obj || !found) return kNullPointer;
        *obj = nullptr;
        *found = 0;
        return kOk;
    }
};
static TContainer gContainer;

// The error object of object's failed call through interface iid, by COM's rule: read only when
// the object answers IOrvoSupportErrorInfo with ORVO_S_OK for iid; printed as "fails with <code>:
// <description> (<source>)", nothing when there is none.
static void PrintError(IInterface* object, const TGUID& iid, int32_t result) {
    IOrvoSupportErrorInfo* support = nullptr;
    IOrvoErrorInfo* info = nullptr;
    BSTR description = nullptr, source = nullptr;
    if (object->QueryInterface(IOrvoSupportErrorInfo::IID, (void**)&support) != kOk || !support) return;
    const int32_t answer = support->InterfaceSupportsErrorInfo(iid);
    support->Release();
    if (answer != kOk || GetErrorInfo(0, &info) != kOk || !info) return;
    info->GetDescription(&description);
    info->GetSource(&source);
    printf("fails with 0x%08lX: %ls (%ls)\n", (unsigned long)result, description, source);
    SysFreeString(description);
    SysFreeString(source);
    info->Release();
}

int main(int argc, char** argv) {
    static const char* const kMethods[] = {"Uber", "Mr D", "ABSA", "Nedbank", "Other CC"};
    char folder[MAX_PATH], path[MAX_PATH + 32];
    if (argc != 2 || !GetFullPathNameA(argv[1], sizeof folder, folder, nullptr)) return 2;
    _snprintf(path, sizeof path, "%s\\OrvoExtraPayments.ovm", folder);
    void* library = LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    auto init = library ? (TInitModule)GetProcAddress(library, "InitModule") : nullptr;
    auto final = library ? (TFinalModule)GetProcAddress(library, "FinalModule") : nullptr;
    if (!init || !final) return printf("cannot load %s as a module: error %lu\n", path, GetLastError()), 3;

    Check(init(&gContainer) == kOk, "InitModule succeeds");
    printf("InitModule: the module registers %d services and holds the container %ld time(s)\n", gContainer.count,
           (long)gContainer.refs - 1);
    IDIFactory* mrD = nullptr;
    for (int i = 0, named = 0; i < gContainer.count; ++i) {
        const TContainer::TEntry& entry = gContainer.entries[i];
        if (!Same(entry.iid, IPaymentMethod::IID)) continue;
        Check(named < 5 && SameText(entry.name, kMethods[named]), "the payment methods come in order");
        printf("payment method %d: \"%s\"\n", ++named, OrvoTextChars(entry.name));
        if (SameText(entry.name, "Mr D")) mrD = static_cast<IDIFactory*>(entry.object);
    }

    // Through the factory, one object of the payment method and its configuration list.
    IInterface* object = nullptr;
    IPaymentMethod* payment = nullptr;
    IStringConfigList* config = nullptr;
    OrvoAnsiString name = nullptr, key = OrvoTextOf("Key"), value = OrvoTextOf("Value"), read = nullptr;
    if (!mrD || mrD->CreateObject(&object) != kOk || !object ||
        object->QueryInterface(IPaymentMethod::IID, (void**)&payment) != kOk || !payment)
        return printf("FAILED: the \"Mr D\" factory makes no payment method\n"), 1;
    Check(payment->GetName(&name) == kOk, "GetName succeeds");
    printf("GetName: \"%s\", %d characters\n", OrvoTextChars(name), (int)OrvoTextLength(name));
    if (payment->GetConfig(&config) != kOk || !config) return printf("FAILED: GetConfig gives no list\n"), 1;
    Check(config->SetString(key, value) == kOk && config->GetString(key, &read) == kOk && SameText(read, "Value"),
          "SetString, then GetString gives \"Value\"");
    printf("config: Key reads \"%s\"\n", OrvoTextChars(read));
    const int32_t failed = payment->GetName(nullptr);
    printf("GetName into a null pointer ");
    PrintError(payment, IPaymentMethod::IID, failed);
    OrvoAnsiString texts[] = {name, key, value, read};
    for (OrvoAnsiString text : texts) OrvoTextRelease(text);
    config->Release();
    payment->Release();
    object->Release();

    Check(final() == kOk, "FinalModule succeeds");
    printf("FinalModule: %d registrations left, the container held %ld time(s)\n", gContainer.count,
           (long)gContainer.refs - 1);
    Check(FreeLibrary(library) != 0, "FreeLibrary succeeds");
    printf("unloaded\n");
    if (gFailures == 0) printf("every check held\n");
    return gFailures ? 1 : 0;
}
