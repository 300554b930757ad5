// Test rig: real temporary folders, replaceable regional settings and clock, and recording
// doubles of every host service registered in a real container, all writing to one journal
// so a test can assert the order of calls across services.
#pragma once
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/THostContainer.h"
#include "host/services/HostServices.h"
#include "interfaces/intfActCodes.h"
#include "interfaces/intfAuthentication.h"
#include "interfaces/intfDBScript.h"
#include "interfaces/intfEventManager.h"
#include "interfaces/intfGenericInput.h"
#include "interfaces/intfHTMLViewer.h"
#include "interfaces/intfMainMenuManager.h"
#include "platform/Platform.h"

namespace orvo::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    const std::filesystem::path& Path() const { return path_; }
    std::string operator/(std::string_view name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Regional settings or clock in force for the life of the object.
class TScopedRegional {
public:
    explicit TScopedRegional(const platform::TRegionalSettings& settings);
    ~TScopedRegional();

private:
    platform::TRegionalSettings saved_;
};
class TScopedClock {
public:
    explicit TScopedClock(TDateTime fixed);
    ~TScopedClock();
};

// Regional settings with a point and with a comma as decimal separator.
platform::TRegionalSettings PointRegional();
platform::TRegionalSettings CommaRegional();

using TJournal = std::shared_ptr<std::vector<std::string>>;

class TRecordingInput : public TInterfacedObject<IGenericInput> {
public:
    struct Answer {
        bool confirmed;
        std::string text;
    };
    explicit TRecordingInput(TJournal journal) : journal_(std::move(journal)) {}
    void ORVO_STDCALL SetCaption(const AnsiString& caption) override;
    bool ORVO_STDCALL Execute(const AnsiString& initial, AnsiString& entered) override;
    std::deque<Answer> answers;  // taken in order; none left means "cancelled"

private:
    TJournal journal_;
};

class TRecordingViewer : public TInterfacedObject<IHTMLViewer> {
public:
    explicit TRecordingViewer(TJournal journal) : journal_(std::move(journal)) {}
    void ORVO_STDCALL ShowHTML(const AnsiString& page) override;
    std::vector<std::string> pages;

private:
    TJournal journal_;
};

class TRecordingMenuManager : public TInterfacedObject<IMainMenuManager> {
public:
    struct Item {
        std::string parent, caption;
        TMenuClickEvent onClick;
        int32_t position;
    };
    explicit TRecordingMenuManager(TJournal journal) : journal_(std::move(journal)) {}
    void ORVO_STDCALL AddMenuItem(const AnsiString& parent, const AnsiString& caption, TMenuClickEvent onClick,
                                  int32_t position) override;
    std::vector<Item> items;

private:
    TJournal journal_;
};

class TRecordingEventManager : public TInterfacedObject<IEventManager> {
public:
    explicit TRecordingEventManager(TJournal journal) : journal_(std::move(journal)) {}
    void ORVO_STDCALL Subscribe(const AnsiString& eventName, TEventHandler handler) override;
    // Calls every handler subscribed to eventName, in subscription order.
    void Raise(const std::string& eventName);
    std::vector<std::pair<std::string, TEventHandler>> subscriptions;

private:
    TJournal journal_;
};

class TRecordingAuthentication : public TInterfacedObject<IAuthentication> {
public:
    explicit TRecordingAuthentication(TJournal journal) : journal_(std::move(journal)) {}
    bool ORVO_STDCALL CheckAccess(const AnsiString& code, AnsiString& userName, int32_t& userId, int32_t prompt,
                                  int32_t options) override;
    std::set<std::string> granted;

private:
    TJournal journal_;
};

class TRecordingActCodes : public TInterfacedObject<IActCodes> {
public:
    explicit TRecordingActCodes(TJournal journal) : journal_(std::move(journal)) {}
    void ORVO_STDCALL AddActCode(const AnsiString& code, const AnsiString& description, int32_t a, int32_t b) override;
    void ORVO_STDCALL LinkActCode(const AnsiString& code, const AnsiString& linkCode) override;

private:
    TJournal journal_;
};

// Records each statement with its arguments rendered in order ("ExecSQL <pattern> | 1, 'x'");
// answers from queues; fails when failOn matches.
class TRecordingScript : public TInterfacedObject<IDBScript> {
public:
    explicit TRecordingScript(TJournal journal) : journal_(std::move(journal)) {}
    int32_t ORVO_STDCALL ExecSQL(const AnsiString& pattern, const TSQLArgs& args) override;
    AnsiString ORVO_STDCALL QueryValue(const AnsiString& batch, const AnsiString& column) override;
    AnsiString ORVO_STDCALL QueryJSON(const AnsiString& pattern, const TSQLArgs& args) override;

    std::deque<std::string> values;                            // QueryValue answers; "" when none left
    std::deque<std::string> jsons;                             // QueryJSON answers; "[]" when none left
    std::function<bool(const std::string& statement)> failOn;  // throws std::runtime_error when true

private:
    void Check(const std::string& statement);
    TJournal journal_;
};

// The arguments as the journal shows them: integers in decimal, floats with %g, texts as given.
std::string RenderArgs(const TSQLArgs& args);

// A container holding every recording double, each registered the way the host registers it.
// A test drops a service with container->Unregister... to see the module go without it.
struct TTestHost {
    TTestHost();
    ~TTestHost();
    TJournal journal = std::make_shared<std::vector<std::string>>();
    ComPtr<host::THostContainer> container;
    ComPtr<TRecordingInput> input;
    ComPtr<TRecordingViewer> viewer;
    ComPtr<TRecordingMenuManager> menus;
    ComPtr<TRecordingEventManager> events;
    ComPtr<TRecordingAuthentication> authentication;
    ComPtr<TRecordingActCodes> actCodes;
    ComPtr<TRecordingScript> script;
};

// Registers a factory that hands out the same object on every call.
template <class T>
void RegisterShared(IDIContainer& container, const TGUID& iid, const ComPtr<T>& object) {
    auto factory =
        MakeObject<host::TFunctionFactory>([object] { return ComPtr<IInterface>::AddRefOf(object->AsIInterface()); });
    container.RegisterFactory(iid, factory.Get());
}

}  // namespace orvo::test
