// The reference host's user-facing services: the numeric input popup, the HTML viewer, the
// main menu, the event manager, authentication and the form host. Each takes its behaviour
// as a function, so the scripted demo and a person at the terminal use the same services.
#pragma once
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "interfaces/intfAuthentication.h"
#include "interfaces/intfDI.h"
#include "interfaces/intfEventManager.h"
#include "interfaces/intfFormHost.h"
#include "interfaces/intfGenericInput.h"
#include "interfaces/intfHTMLViewer.h"
#include "interfaces/intfMainMenuManager.h"

namespace orvo::host {

// A factory whose objects come from a function: a new one per call, or the same one shared.
class TFunctionFactory : public TInterfacedObject<IDIFactory> {
public:
    explicit TFunctionFactory(std::function<ComPtr<IInterface>()> make) : make_(std::move(make)) {}
    IInterface* ORVO_STDCALL CreateObject() override { return make_().Detach(); }

private:
    std::function<ComPtr<IInterface>()> make_;
};

// The numeric input popup: ask(caption, initial, entered) answers a prompt; true = confirmed.
class THostInput : public TInterfacedObject<IGenericInput> {
public:
    using Ask = std::function<bool(const std::string& caption, const std::string& initial, std::string& entered)>;
    explicit THostInput(Ask ask) : ask_(std::move(ask)) {}
    void ORVO_STDCALL SetCaption(const AnsiString& caption) override { caption_ = caption.str(); }
    bool ORVO_STDCALL Execute(const AnsiString& initial, AnsiString& entered) override;

private:
    Ask ask_;
    std::string caption_;
};

// Writes each page as report.html in its folder; the page's base address points at the host
// program's Res folder, where the suite's style sheet lives.
class THostViewer : public TInterfacedObject<IHTMLViewer> {
public:
    explicit THostViewer(std::filesystem::path pageFile) : pageFile_(std::move(pageFile)) {}
    void ORVO_STDCALL ShowHTML(const AnsiString& page) override;
    const std::filesystem::path& PageFile() const { return pageFile_; }
    int PagesShown() const { return pagesShown_; }

private:
    std::filesystem::path pageFile_;
    int pagesShown_ = 0;
};

class THostMenuManager : public TInterfacedObject<IMainMenuManager> {
public:
    struct Item {
        std::string parent, caption;
        TMenuClickEvent onClick;
    };
    void ORVO_STDCALL AddMenuItem(const AnsiString& parent, const AnsiString& caption, TMenuClickEvent onClick,
                                  int32_t position) override;
    const std::vector<Item>& Items() const { return items_; }
    // Clicks the last item with that caption; false when there is none or it has no handler.
    bool Click(const std::string& parent, const std::string& caption);

private:
    std::vector<Item> items_;
};

class THostEventManager : public TInterfacedObject<IEventManager> {
public:
    void ORVO_STDCALL Subscribe(const AnsiString& eventName, TEventHandler handler) override;
    // Runs every handler subscribed to the event, in order; returns how many ran.
    int Raise(const std::string& eventName);

private:
    std::vector<std::pair<std::string, TEventHandler>> subscriptions_;
};

class THostAuthentication : public TInterfacedObject<IAuthentication> {
public:
    explicit THostAuthentication(std::set<std::string> granted, std::string userName = "manager")
        : granted_(std::move(granted)), userName_(std::move(userName)) {}
    bool ORVO_STDCALL CheckAccess(const AnsiString& code, AnsiString& userName, int32_t& userId, int32_t prompt,
                                  int32_t options) override;

private:
    std::set<std::string> granted_;
    std::string userName_;
};

// Shows the module's forms: drive(view) works the form until it has a modal result; errors of
// click handlers go to report(message).
class THostFormHost : public TInterfacedObject<IFormHost> {
public:
    using Drive = std::function<void(IFormView& form)>;
    using Report = std::function<void(const std::string& message)>;
    THostFormHost(Drive drive, Report report) : drive_(std::move(drive)), report_(std::move(report)) {}
    void ORVO_STDCALL ShowModal(IFormView* form) override { drive_(*form); }
    void ORVO_STDCALL ReportError(IFormView*, const AnsiString& message) override { report_(message.str()); }

private:
    Drive drive_;
    Report report_;
};

// Presses the button called name on a form; false when there is none or its handler failed.
bool ClickButton(IFormView& form, const std::string& name);
// Types text into the edit box called name.
bool TypeText(IFormView& form, const std::string& name, const std::string& text);
// The text of the control called name ("" when none).
std::string TextOf(IFormView& form, const std::string& name);

}  // namespace orvo::host
