#include "tests/support/TestSupport.h"

#include <atomic>
#include <cstdio>

namespace orvo::test {

TTempFolder::TTempFolder() {
    static std::atomic<int> counter{0};
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
        path_ = base / ("orvo-test-" + std::to_string(platform::ReadProcessIdentity().ProcessId) + "-" +
                        std::to_string(counter++));
        if (std::filesystem::create_directory(path_)) break;
    }
}

TTempFolder::~TTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

TScopedRegional::TScopedRegional(const platform::TRegionalSettings& settings) : saved_(platform::Regional()) {
    platform::SetRegional(settings);
}
TScopedRegional::~TScopedRegional() { platform::SetRegional(saved_); }

TScopedClock::TScopedClock(TDateTime fixed) {
    platform::SetClock([fixed] { return fixed; });
}
TScopedClock::~TScopedClock() { platform::SetClock({}); }

platform::TRegionalSettings PointRegional() {
    platform::TRegionalSettings s;
    s.DecimalSeparator = '.';
    s.ThousandSeparator = ',';
    s.CurrencyString = "R";
    s.CurrencyFormat = 0;
    s.NegCurrFormat = 1;
    s.CurrencyDecimals = 2;
    s.ShortDateFormat = "yyyy/mm/dd";
    s.DateSeparator = '/';
    return s;
}

platform::TRegionalSettings CommaRegional() {
    platform::TRegionalSettings s;
    s.DecimalSeparator = ',';
    s.ThousandSeparator = '.';
    s.CurrencyString = "EUR";
    s.CurrencyFormat = 3;
    s.NegCurrFormat = 8;
    s.CurrencyDecimals = 2;
    s.ShortDateFormat = "dd.mm.yyyy";
    s.DateSeparator = '.';
    return s;
}

void TRecordingInput::SetCaption(const AnsiString& caption) {
    journal_->push_back("Input.SetCaption " + caption.str());
}

bool TRecordingInput::Execute(const AnsiString& initial, AnsiString& entered) {
    journal_->push_back("Input.Execute " + initial.str());
    if (answers.empty()) return false;
    Answer a = answers.front();
    answers.pop_front();
    if (a.confirmed) entered = AnsiString(a.text);
    return a.confirmed;
}

void TRecordingViewer::ShowHTML(const AnsiString& page) {
    journal_->push_back("Viewer.ShowHTML");
    pages.push_back(page.str());
}

void TRecordingMenuManager::AddMenuItem(const AnsiString& parent, const AnsiString& caption, TMenuClickEvent onClick,
                                        int32_t position) {
    journal_->push_back("Menu.AddMenuItem " + parent.str() + " " + caption.str() + " " + std::to_string(position));
    items.push_back({parent.str(), caption.str(), onClick, position});
}

void TRecordingEventManager::Subscribe(const AnsiString& eventName, TEventHandler handler) {
    journal_->push_back("Events.Subscribe " + eventName.str());
    subscriptions.emplace_back(eventName.str(), handler);
}

void TRecordingEventManager::Raise(const std::string& eventName) {
    const AnsiString name(eventName);
    for (const auto subscriptionsNow = subscriptions; const auto& [event, handler] : subscriptionsNow)
        if (event == eventName && handler.IsSet()) handler(name, nullptr, nullptr);
}

bool TRecordingAuthentication::CheckAccess(const AnsiString& code, AnsiString& userName, int32_t& userId,
                                           int32_t prompt, int32_t options) {
    journal_->push_back("Auth.CheckAccess " + code.str() + " " + std::to_string(prompt) + " " +
                        std::to_string(options));
    userName = AnsiString("tester");
    userId = 1;
    return granted.count(code.str()) > 0;
}

void TRecordingActCodes::AddActCode(const AnsiString& code, const AnsiString& description, int32_t a, int32_t b) {
    journal_->push_back("ActCodes.AddActCode " + code.str() + " " + description.str() + " " + std::to_string(a) + " " +
                        std::to_string(b));
}

void TRecordingActCodes::LinkActCode(const AnsiString& code, const AnsiString& linkCode) {
    journal_->push_back("ActCodes.LinkActCode " + code.str() + " " + linkCode.str());
}

std::string RenderArgs(const TSQLArgs& args) {
    std::string out;
    for (int32_t i = 0; i < args.Count; ++i) {
        if (i) out += ", ";
        const TSQLArg& a = args.Items[i];
        switch (a.Kind) {
            case TSQLArgKind::Integer:
                out += std::to_string(a.Integer);
                break;
            case TSQLArgKind::Text:
                out.append(a.Text, size_t(a.Length));
                break;
            case TSQLArgKind::Float: {
                char buf[32];
                std::snprintf(buf, sizeof buf, "%g", a.Float);
                out += buf;
                break;
            }
        }
    }
    return out;
}

void TRecordingScript::Check(const std::string& statement) {
    journal_->push_back(statement);
    if (failOn && failOn(statement)) throw std::runtime_error("database refused the statement");
}

int32_t TRecordingScript::ExecSQL(const AnsiString& pattern, const TSQLArgs& args) {
    Check("Script.ExecSQL " + pattern.str() + " | " + RenderArgs(args));
    return 1;
}

AnsiString TRecordingScript::QueryValue(const AnsiString& batch, const AnsiString& column) {
    Check("Script.QueryValue " + batch.str() + " | " + column.str());
    if (values.empty()) return {};
    AnsiString v(values.front());
    values.pop_front();
    return v;
}

AnsiString TRecordingScript::QueryJSON(const AnsiString& pattern, const TSQLArgs& args) {
    Check("Script.QueryJSON " + pattern.str() + " | " + RenderArgs(args));
    if (jsons.empty()) return AnsiString("[]");
    AnsiString v(jsons.front());
    jsons.pop_front();
    return v;
}

TTestHost::TTestHost()
    : container(MakeObject<host::THostContainer>()),
      input(MakeObject<TRecordingInput>(journal)),
      viewer(MakeObject<TRecordingViewer>(journal)),
      menus(MakeObject<TRecordingMenuManager>(journal)),
      events(MakeObject<TRecordingEventManager>(journal)),
      authentication(MakeObject<TRecordingAuthentication>(journal)),
      actCodes(MakeObject<TRecordingActCodes>(journal)),
      script(MakeObject<TRecordingScript>(journal)) {
    auto inputFactory =
        MakeObject<host::TFunctionFactory>([this] { return ComPtr<IInterface>::AddRefOf(input->AsIInterface()); });
    container->RegisterNamedFactory(IGenericInput::IID, AnsiString("Currency"), inputFactory.Get());
    RegisterShared(*container, IHTMLViewer::IID, viewer);
    RegisterShared(*container, IAuthentication::IID, authentication);
    RegisterShared(*container, IActCodes::IID, actCodes);
    RegisterShared(*container, IDBScript::IID, script);
    container->RegisterInstance(IMainMenuManager::IID, menus->AsIInterface());
    container->RegisterInstance(IEventManager::IID, events->AsIInterface());
    container->ClearJournal();
}

TTestHost::~TTestHost() { container->Clear(); }

}  // namespace orvo::test
