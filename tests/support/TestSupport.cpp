#include "tests/support/TestSupport.h"

#include <atomic>

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

TTestHost::TTestHost()
    : container(MakeObject<host::THostContainer>(host::NewJournal())),
      input(MakeObject<host::THostInput>(
          [this](const std::string&, const std::string&, std::string& entered) {
              if (answers.empty()) return false;
              const TInputAnswer answer = answers.front();
              answers.pop_front();
              if (answer.confirmed) entered = answer.text;
              return answer.confirmed;
          },
          journal)),
      viewer(MakeObject<host::THostViewer>(std::filesystem::path(), journal)),
      menus(MakeObject<host::THostMenuManager>(journal)),
      events(MakeObject<host::THostEventManager>(journal)),
      authentication(MakeObject<host::THostAuthentication>(std::set<std::string>(), "tester", journal)),
      actCodes(MakeObject<host::THostActCodes>(nullptr, nullptr, journal)),
      script(MakeObject<host::THostScript>(journal)) {
    container->RegisterNamedFactory(IGenericInput::IID, AnsiString("Currency"),
                                    host::SharedFactory(input->AsIInterface()).Get());
    container->RegisterFactory(IHTMLViewer::IID, host::SharedFactory(viewer->AsIInterface()).Get());
    container->RegisterFactory(IAuthentication::IID, host::SharedFactory(authentication->AsIInterface()).Get());
    container->RegisterFactory(IActCodes::IID, host::SharedFactory(actCodes->AsIInterface()).Get());
    container->RegisterFactory(IDBScript::IID, host::SharedFactory(script->AsIInterface()).Get());
    container->RegisterInstance(IMainMenuManager::IID, menus->AsIInterface());
    container->RegisterInstance(IEventManager::IID, events->AsIInterface());
    container->ClearJournal();
}

TTestHost::~TTestHost() { container->Clear(); }

}  // namespace orvo::test
