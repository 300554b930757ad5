// The reference host's services: the numeric input popup, the HTML viewer, the main menu, the
// event manager, authentication, the access-code list, the form host and a script service that
// needs no database. Each takes its behaviour as a function or as data, so the scripted demo, a
// person at the terminal and the test rigs use the same services; each notes its calls in a
// journal when it is given one.
#pragma once
#include <deque>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "host/THostJournal.h"
#include "interfaces/intfActCodes.h"
#include "interfaces/intfAuthentication.h"
#include "interfaces/intfDBScript.h"
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
    ComPtr<IInterface> CreateObject() override { return make_(); }

private:
    std::function<ComPtr<IInterface>()> make_;
};

// A factory that hands out object itself on every call, for services the host shares.
ComPtr<TFunctionFactory> SharedFactory(IInterface* object);

// The numeric input popup: ask(caption, initial, entered) answers a prompt; true = confirmed.
// Journal: "Input.SetCaption <caption>", "Input.Execute <initial>".
class THostInput : public TInterfacedObject<IGenericInput> {
public:
    using Ask = std::function<bool(const std::string& caption, const std::string& initial, std::string& entered)>;
    explicit THostInput(Ask ask, TJournal journal = nullptr) : ask_(std::move(ask)), journal_(std::move(journal)) {}
    void SetCaption(const AnsiString& caption) override;
    bool Execute(const AnsiString& initial, AnsiString& entered) override;

private:
    Ask ask_;
    TJournal journal_;
    std::string caption_;
};

// Writes each page as pageFile (renamed over it, so a reader never sees half a page), whose base
// address points at the host program's Res folder where the suite's style sheet lives. Without a
// page file the pages are kept in memory instead. Journal: "Viewer.ShowHTML".
class THostViewer : public TInterfacedObject<IHTMLViewer> {
public:
    explicit THostViewer(std::filesystem::path pageFile = {}, TJournal journal = nullptr)
        : pageFile_(std::move(pageFile)), journal_(std::move(journal)) {}
    void ShowHTML(const AnsiString& page) override;
    const std::filesystem::path& PageFile() const { return pageFile_; }
    int PagesShown() const { return pagesShown_; }
    std::vector<std::string> pages;  // every page shown, when there is no page file

private:
    std::filesystem::path pageFile_;
    TJournal journal_;
    int pagesShown_ = 0;
};

// Journal: "Menu.AddMenuItem <parent> <caption> <position>".
class THostMenuManager : public TInterfacedObject<IMainMenuManager> {
public:
    struct Item {
        std::string parent, caption;
        TMenuClickEvent onClick;
        int32_t position;  // as asked: -1 for the end
    };
    explicit THostMenuManager(TJournal journal = nullptr) : journal_(std::move(journal)) {}
    void AddMenuItem(const AnsiString& parent, const AnsiString& caption, TMenuClickEvent onClick,
                                  int32_t position) override;
    const std::vector<Item>& Items() const { return items_; }
    // Clicks the last item with that caption; false when there is none or it has no handler.
    bool Click(const std::string& parent, const std::string& caption);

private:
    TJournal journal_;
    std::vector<Item> items_;
};

// Journal: "Events.Subscribe <event>".
class THostEventManager : public TInterfacedObject<IEventManager> {
public:
    explicit THostEventManager(TJournal journal = nullptr) : journal_(std::move(journal)) {}
    void Subscribe(const AnsiString& eventName, TEventHandler handler) override;
    // Runs every handler subscribed to the event, in order; returns how many ran.
    int Raise(const std::string& eventName);
    size_t SubscriptionCount() const { return subscriptions_.size(); }

private:
    TJournal journal_;
    std::vector<std::pair<std::string, TEventHandler>> subscriptions_;
};

// Grants the codes in granted to userName. Journal: "Auth.CheckAccess <code> <prompt> <options>".
class THostAuthentication : public TInterfacedObject<IAuthentication> {
public:
    explicit THostAuthentication(std::set<std::string> granted, std::string userName = "manager",
                                 TJournal journal = nullptr)
        : granted(std::move(granted)), userName_(std::move(userName)), journal_(std::move(journal)) {}
    bool CheckAccess(const AnsiString& code, AnsiString& userName, int32_t& userId, int32_t prompt,
                                  int32_t options) override;
    std::set<std::string> granted;  // the codes the signed-in user holds

private:
    std::string userName_;
    TJournal journal_;
};

// The access-code list: add(code, description) and link(code, linkCode) keep what the module
// hands over, where the host keeps its codes (either may be empty: nothing is kept). Journal:
// "ActCodes.AddActCode <code> <description> <a> <b>", "ActCodes.LinkActCode <code> <link code>".
class THostActCodes : public TInterfacedObject<IActCodes> {
public:
    using Add = std::function<void(const std::string& code, const std::string& description)>;
    using Link = std::function<void(const std::string& code, const std::string& linkCode)>;
    THostActCodes(Add add, Link link, TJournal journal = nullptr)
        : add_(std::move(add)), link_(std::move(link)), journal_(std::move(journal)) {}
    void AddActCode(const AnsiString& code, const AnsiString& description, int32_t a, int32_t b) override;
    void LinkActCode(const AnsiString& code, const AnsiString& linkCode) override;

private:
    Add add_;
    Link link_;
    TJournal journal_;
};

// Shows the module's forms: drive(view) works the form until it has a modal result; errors of
// click handlers go to report(message). Journal: "Form.Show <caption>", "Form.Closed <result>",
// "Form.ReportError <message>".
class THostFormHost : public TInterfacedObject<IFormHost> {
public:
    using Drive = std::function<void(IFormView& form)>;
    using Report = std::function<void(const std::string& message)>;
    THostFormHost(Drive drive, Report report, TJournal journal = nullptr)
        : drive_(std::move(drive)), report_(std::move(report)), journal_(std::move(journal)) {}
    void ShowModal(IFormView* form) override;
    void ReportError(IFormView* form, const AnsiString& message) override;

private:
    Drive drive_;
    Report report_;
    TJournal journal_;
};

// The script service of a host without a database (the Windows build, the test rigs): accepts
// every statement, answers QueryValue and QueryJSON from queues, and refuses the statements that
// failOn picks. Journal: "Script.ExecSQL <pattern> | <args>", "Script.QueryValue <batch> |
// <column>", "Script.QueryJSON <pattern> | <args>", the arguments as RenderArgs writes them.
class THostScript : public TInterfacedObject<IDBScript> {
public:
    explicit THostScript(TJournal journal = nullptr) : journal_(std::move(journal)) {}
    int32_t ExecSQL(const AnsiString& pattern, const TSQLArgs& args) override;
    AnsiString QueryValue(const AnsiString& batch, const AnsiString& column) override;
    AnsiString QueryJSON(const AnsiString& pattern, const TSQLArgs& args) override;

    std::deque<std::string> values;                            // QueryValue answers; "" when none left
    std::deque<std::string> jsons;                             // QueryJSON answers; "[]" when none left
    std::function<bool(const std::string& statement)> failOn;  // raises std::runtime_error when true

private:
    void Take(const std::string& statement);
    TJournal journal_;
};

// A statement's arguments in order: integers in decimal, floats with %g, texts as given.
std::string RenderArgs(const TSQLArgs& args);

// Presses the button called name on a form; false when there is none or its handler failed.
bool ClickButton(IFormView& form, const std::string& name);
// Types text into the edit box called name.
bool TypeText(IFormView& form, const std::string& name, const std::string& text);
// The text of the control called name ("" when none).
std::string TextOf(IFormView& form, const std::string& name);

}  // namespace orvo::host
