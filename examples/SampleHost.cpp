// A sample host: what a suite program does with OrvoExtraPayments.ovm, written from interfaces/
// alone. It loads the module from a folder of its own, lends it a container of minimal in-memory
// services, takes one payment through the module's payment window (shown through IFormHost, as a
// host without native windows or a test rig does), runs one report, then withdraws the module and
// unloads it, printing each step.
//
//   SampleHost.exe <module folder>
//
// Build it with the module's toolchain (mingw-w64 i686, posix threads) and put the runtime
// libraries of dist/ beside it: host and module must share one C++ runtime (docs/integrating.md).
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "intfActCodes.h"
#include "intfAuthentication.h"
#include "intfDBScript.h"
#include "intfDI.h"
#include "intfEventManager.h"
#include "intfFormHost.h"
#include "intfGenericInput.h"
#include "intfHTMLViewer.h"
#include "intfMainMenuManager.h"
#include "intfPaymentMethod.h"

namespace {

std::string Money(Currency value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", CurrencyToDouble(value));
    return text;
}

// A statement in one short line: blanks and line breaks run together, cut after 50 characters.
std::string Brief(const AnsiString& statement) {
    std::string text;
    for (char c : statement.view()) {
        const bool blank = c == ' ' || c == '\r' || c == '\n' || c == '\t';
        if (blank && (text.empty() || text.back() == ' ')) continue;
        text += blank ? ' ' : c;
    }
    if (!text.empty() && text.back() == ' ') text.pop_back();
    return text.size() > 50 ? text.substr(0, 50) + "..." : text;
}

const char* ResultName(int32_t modalResult) {
    return modalResult == mrOk ? "OK" : modalResult == mrCancel ? "Cancel" : "none (closed by the host)";
}

// The container: a list of registrations, looked up by interface identifier, name and kind.
class TContainer : public TInterfacedObject<IDIContainer> {
public:
    void ORVO_STDCALL RegisterInstance(const TGUID& iid, IInterface* obj) override {
        entries_.push_back({iid, "", ComPtr<IInterface>::AddRefOf(obj), nullptr});
    }
    void ORVO_STDCALL RegisterFactory(const TGUID& iid, IDIFactory* factory) override {
        entries_.push_back({iid, "", nullptr, ComPtr<IDIFactory>::AddRefOf(factory)});
    }
    void ORVO_STDCALL RegisterNamedFactory(const TGUID& iid, const AnsiString& name, IDIFactory* factory) override {
        entries_.push_back({iid, name.str(), nullptr, ComPtr<IDIFactory>::AddRefOf(factory)});
    }
    void ORVO_STDCALL UnregisterInstance(const TGUID& iid) override { Remove(iid, "", true); }
    void ORVO_STDCALL UnregisterFactory(const TGUID& iid) override { Remove(iid, "", false); }
    void ORVO_STDCALL UnregisterNamedFactory(const TGUID& iid, const AnsiString& name) override {
        Remove(iid, name.str(), false);
    }
    bool ORVO_STDCALL GetInstance(const TGUID& iid, void** obj) override {
        *obj = nullptr;
        const TEntry* entry = Find(iid, "", true);
        return entry && entry->instance->QueryInterface(iid, obj) == ORVO_S_OK;
    }
    bool ORVO_STDCALL Resolve(const TGUID& iid, void** obj) override { return Create(Find(iid, "", false), iid, obj); }
    bool ORVO_STDCALL ResolveNamed(const TGUID& iid, const AnsiString& name, void** obj) override {
        return Create(Find(iid, name.str(), false), iid, obj);
    }

    size_t Count() const { return entries_.size(); }

private:
    struct TEntry {
        TGUID iid;
        std::string name;
        ComPtr<IInterface> instance;  // set for an instance, empty for a factory
        ComPtr<IDIFactory> factory;
    };
    const TEntry* Find(const TGUID& iid, const std::string& name, bool instance) const {
        for (const TEntry& entry : entries_)
            if (entry.iid == iid && entry.name == name && bool(entry.instance) == instance) return &entry;
        return nullptr;
    }
    void Remove(const TGUID& iid, const std::string& name, bool instance) {
        for (auto it = entries_.begin(); it != entries_.end(); ++it)
            if (it->iid == iid && it->name == name && bool(it->instance) == instance) {
                entries_.erase(it);
                return;
            }
    }
    static bool Create(const TEntry* entry, const TGUID& iid, void** obj) {
        *obj = nullptr;
        if (!entry) return false;
        const ComPtr<IInterface> object = ComPtr<IInterface>::Adopt(entry->factory->CreateObject());
        return object && object->QueryInterface(iid, obj) == ORVO_S_OK;
    }
    std::vector<TEntry> entries_;
};

// A factory that makes a new T on every call, for the services the module obtains with Resolve.
template <class T>
class TFactoryOf : public TInterfacedObject<IDIFactory> {
public:
    IInterface* ORVO_STDCALL CreateObject() override { return MakeObject<T>().Detach()->AsIInterface(); }
};

// The database: a real host runs each statement on the suite's database. This one prints it,
// answers the new transaction row's ID and gives every report query an empty result.
class TScript : public TInterfacedObject<IDBScript> {
public:
    int32_t ORVO_STDCALL ExecSQL(const AnsiString& pattern, const TSQLArgs& args) override {
        std::printf("    database runs \"%s\" with %d arguments\n", Brief(pattern).c_str(), int(args.Count));
        return 1;
    }
    AnsiString ORVO_STDCALL QueryValue(const AnsiString& batch, const AnsiString& column) override {
        std::printf("    database runs \"%s\" and answers %s = 1\n", Brief(batch).c_str(), column.c_str());
        return "1";
    }
    AnsiString ORVO_STDCALL QueryJSON(const AnsiString& pattern, const TSQLArgs&) override {
        std::printf("    database runs \"%s\" and answers no rows\n", Brief(pattern).c_str());
        return "[]";  // rows as a JSON array of objects, e.g. [{"PaymentType":"Uber",...}]
    }
};

// The numeric keypad: the cashier types 10.00 at every prompt.
class TCurrencyInput : public TInterfacedObject<IGenericInput> {
public:
    void ORVO_STDCALL SetCaption(const AnsiString& caption) override { caption_ = caption.str(); }
    bool ORVO_STDCALL Execute(const AnsiString&, AnsiString& entered) override {
        std::printf("    keypad \"%s\": the cashier types 10.00\n", caption_.c_str());
        entered = "10.00";
        return true;
    }

private:
    std::string caption_;
};

class TViewer : public TInterfacedObject<IHTMLViewer> {
public:
    void ORVO_STDCALL ShowHTML(const AnsiString& page) override {
        std::printf("    viewer shows a page of %u bytes\n", unsigned(page.size()));
    }
};

class TAuthentication : public TInterfacedObject<IAuthentication> {
public:
    bool ORVO_STDCALL CheckAccess(const AnsiString& code, AnsiString&, int32_t&, int32_t, int32_t) override {
        std::printf("    access code %s granted\n", code.c_str());
        return true;
    }
};

class TActCodes : public TInterfacedObject<IActCodes> {
public:
    void ORVO_STDCALL AddActCode(const AnsiString& code, const AnsiString&, int32_t, int32_t) override {
        std::printf("    access code %s added\n", code.c_str());
    }
    void ORVO_STDCALL LinkActCode(const AnsiString&, const AnsiString&) override {}
};

class TMenus : public TInterfacedObject<IMainMenuManager> {
public:
    void ORVO_STDCALL AddMenuItem(const AnsiString& parent, const AnsiString& caption, TMenuClickEvent onClick,
                                  int32_t) override {
        std::printf("    menu \"%s\" gets \"%s\"\n", parent.c_str(), caption.c_str());
        items_.push_back({caption.str(), onClick});
    }
    bool Click(const std::string& caption) {
        for (const auto& [itemCaption, onClick] : items_) {
            if (itemCaption != caption || !onClick.IsSet()) continue;
            onClick(nullptr);
            return true;
        }
        return false;
    }

private:
    std::vector<std::pair<std::string, TMenuClickEvent>> items_;
};

class TEvents : public TInterfacedObject<IEventManager> {
public:
    void ORVO_STDCALL Subscribe(const AnsiString& eventName, TEventHandler handler) override {
        handlers_.push_back({eventName.str(), handler});
    }
    void Raise(const std::string& eventName) {
        for (const auto& [name, handler] : handlers_)
            if (name == eventName) handler(AnsiString(eventName), nullptr, nullptr);
    }

private:
    std::vector<std::pair<std::string, TEventHandler>> handlers_;
};

// Shows the module's windows by driving their controls: a host with windows of its own draws
// them from the same description and lets the cashier press the buttons.
class TFormHost : public TInterfacedObject<IFormHost> {
public:
    std::function<void(IFormView&)> drive;  // what the "cashier" does in the next window

    void ORVO_STDCALL ShowModal(IFormView* form) override {
        std::printf("    window \"%s\" opens with %d controls\n", form->GetCaption().c_str(),
                    int(form->GetControlCount()));
        if (drive) drive(*form);
        std::printf("    window closes with result %s\n", ResultName(form->GetModalResult()));
    }
    void ORVO_STDCALL ReportError(IFormView*, const AnsiString& message) override {
        std::printf("    window reports: %s\n", message.c_str());
    }
};

void ORVO_STDCALL OnPaymentChange(void*, IPaymentMethod* payment) {
    std::printf("    payment now reads amount %s, gratuity %s\n", Money(payment->GetAmount()).c_str(),
                Money(payment->GetGratuity()).c_str());
}

void ORVO_STDCALL OnAddCashupEntry(void*, int32_t invoice, int32_t shift, const AnsiString& name,
                                   const AnsiString& parentName, int32_t, double value, int32_t, int32_t) {
    std::printf("    cash-up row for invoice %d, shift %d: \"%s\" under \"%s\", %.2f\n", int(invoice), int(shift),
                name.c_str(), parentName.c_str(), value);
}

void RunPayment(IDIContainer& container, TFormHost& forms) {
    std::printf("payment: Uber, 85.00 due\n");
    const ComPtr<IPaymentMethod> payment = ResolveNamedOf<IPaymentMethod>(container, "Uber");
    if (!payment) throw EOrvoError("no payment method is registered as \"Uber\"");
    payment->SetAmount(85 * kCurrencyScale);
    payment->SetOnChange(TPaymentChangeEvent{&OnPaymentChange, nullptr});
    forms.drive = [](IFormView& form) {
        form.SetText(form.IndexOfControl("txtReference"), "UBER-1234");
        form.Click(form.IndexOfControl("btnGratuity"));
        std::printf("    amount box shows %s rands %s cents\n",
                    form.GetText(form.IndexOfControl("txtRandsAmount")).c_str(),
                    form.GetText(form.IndexOfControl("txtCentsAmount")).c_str());
        form.Click(form.IndexOfControl("btnOKNew"));
    };
    const bool confirmed = payment->DoPaymentPopup();
    std::printf("  DoPaymentPopup returned %s: amount %s, gratuity %s\n", confirmed ? "true" : "false",
                Money(payment->GetAmount()).c_str(), Money(payment->GetGratuity()).c_str());
    // The host saves its invoice (number 7, shift 1), then hands the module its part.
    payment->AddCashupEntry(1, 7, TAddCashupEntryEvent{&OnAddCashupEntry, nullptr});
    payment->InsertSQL(7);
}

void RunReport(TEvents& events, TMenus& menus, TFormHost& forms) {
    std::printf("report: the back office's main window opens\n");
    events.Raise("Orvo.BackOffice.MainForm.Create");
    forms.drive = [](IFormView& form) { form.Click(form.IndexOfControl("btnThisMonth")); };
    if (!menus.Click("Extra Payments Reports")) throw EOrvoError("the module added no \"Extra Payments Reports\"");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: SampleHost <module folder>\n");
        return 2;
    }
    const std::string path = std::string(argv[1]) + "\\OrvoExtraPayments.ovm";
    // The module's folder is searched first for the libraries it imports; one that the program
    // has loaded already (its C++ runtime) is used as it is.
    const HMODULE library = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!library) {
        std::fprintf(stderr, "cannot load %s (Windows error %lu)\n", path.c_str(), GetLastError());
        return 3;
    }
    using TInitModule = void(ORVO_STDCALL*)(IDIContainer*);
    using TFinalModule = void(ORVO_STDCALL*)();
    const auto initModule =
        reinterpret_cast<TInitModule>(reinterpret_cast<void*>(GetProcAddress(library, "InitModule")));
    const auto finalModule =
        reinterpret_cast<TFinalModule>(reinterpret_cast<void*>(GetProcAddress(library, "FinalModule")));
    if (!initModule || !finalModule) {
        std::fprintf(stderr, "%s is no module\n", path.c_str());
        FreeLibrary(library);
        return 3;
    }
    std::printf("loaded %s\n", path.c_str());

    int result = 0;
    {
        const ComPtr<TContainer> container = MakeObject<TContainer>();
        const ComPtr<TMenus> menus = MakeObject<TMenus>();
        const ComPtr<TEvents> events = MakeObject<TEvents>();
        const ComPtr<TFormHost> forms = MakeObject<TFormHost>();
        container->RegisterFactory(IDBScript::IID, MakeObject<TFactoryOf<TScript>>().Get());
        container->RegisterNamedFactory(IGenericInput::IID, "Currency", MakeObject<TFactoryOf<TCurrencyInput>>().Get());
        container->RegisterFactory(IHTMLViewer::IID, MakeObject<TFactoryOf<TViewer>>().Get());
        container->RegisterFactory(IAuthentication::IID, MakeObject<TFactoryOf<TAuthentication>>().Get());
        container->RegisterFactory(IActCodes::IID, MakeObject<TFactoryOf<TActCodes>>().Get());
        container->RegisterInstance(IMainMenuManager::IID, menus->AsIInterface());
        container->RegisterInstance(IEventManager::IID, events->AsIInterface());
        container->RegisterInstance(IFormHost::IID, forms->AsIInterface());
        const size_t hostServices = container->Count();
        std::printf("the host registers %u services\n", unsigned(hostServices));

        initModule(container.Get());
        std::printf("InitModule: the module registers %u services\n", unsigned(container->Count() - hostServices));
        try {
            RunPayment(*container, *forms);
            RunReport(*events, *menus, *forms);
        } catch (const std::exception& e) {  // one C++ runtime: the module's errors arrive as they were raised
            std::printf("failed: %s\n", e.what());
            result = 1;
        }
        finalModule();
        std::printf("FinalModule: %u registrations left, the host's own\n", unsigned(container->Count()));
    }
    // The menu and event handlers the module handed over point into it: they go before it does.
    FreeLibrary(library);
    std::printf("unloaded\n");
    return result;
}
