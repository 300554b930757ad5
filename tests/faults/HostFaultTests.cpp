// A host that lacks services or calls in the wrong order: every service missing in turn,
// InitModule twice, FinalModule without InitModule, events and menu clicks after FinalModule.
// The module names what is missing in a clear error and goes on; nothing else reaches the host.
#include <gtest/gtest.h>

#include "backoffice/ExtraPaymentsReport.h"
#include "entry/ModuleLifecycle.h"
#include "interfaces/intfExtraPaymentsManagement.h"
#include "interfaces/intfPaymentMethod.h"
#include "platform/DateTime.h"
#include "tests/support/TestFormHost.h"
#include "tests/support/TestSupport.h"

namespace orvo::test {
namespace {

constexpr const char* kBackOffice = "Orvo.BackOffice.MainForm.Create";

// Drops one of the host's services from the container.
struct TService {
    const char* name;
    void (*drop)(TTestHost& host);
};
const TService kServices[] = {
    {"input", [](TTestHost& h) { h.container->UnregisterNamedFactory(IGenericInput::IID, AnsiString("Currency")); }},
    {"viewer", [](TTestHost& h) { h.container->UnregisterFactory(IHTMLViewer::IID); }},
    {"authentication", [](TTestHost& h) { h.container->UnregisterFactory(IAuthentication::IID); }},
    {"act codes", [](TTestHost& h) { h.container->UnregisterFactory(IActCodes::IID); }},
    {"script", [](TTestHost& h) { h.container->UnregisterFactory(IDBScript::IID); }},
    {"menus", [](TTestHost& h) { h.container->UnregisterInstance(IMainMenuManager::IID); }},
    {"events", [](TTestHost& h) { h.container->UnregisterInstance(IEventManager::IID); }},
#if !defined(_WIN32)  // on Windows the module then shows its own window, which waits for a cashier
    {"form host", [](TTestHost& h) { h.container->UnregisterInstance(IFormHost::IID); }},
#endif
};

class HostFaults : public ::testing::Test {
protected:
    void SetUp() override {
        FinalModule();
        host.container->RegisterInstance(IFormHost::IID, forms->AsIInterface());
    }
    void TearDown() override { FinalModule(); }

    // What a till and a back office do with the module: a payment, the reports entry, a report.
    // Returns the clear errors the host received ("Could not create ..."); anything else escapes.
    static std::vector<std::string> UseEverything(TTestHost& h, TTestFormHost& f) {
        std::vector<std::string> errors;
        auto clearErrorOrNothing = [&errors](auto action) {
            try {
                action();
            } catch (const EOrvoError& e) {
                errors.push_back(e.what());
            }
        };
        h.script->values = {"17"};
        h.answers = {{true, "150"}};
        f.Click("btnAmount").Click("btnOKNew");
        if (auto method = ResolveNamedOf<IPaymentMethod>(*h.container, AnsiString("Uber"))) {
            method->SetAmount(100000);
            method->DoPaymentPopup();
            method->InsertSQL(5);
        }
        h.events->Raise(kBackOffice);
        for (const auto& item : h.menus->Items())
            if (item.onClick.IsSet()) clearErrorOrNothing([&] { item.onClick(nullptr); });
        clearErrorOrNothing(
            [&] { RunReport(TServices(h.container), EncodeDate(2026, 12, 1), EncodeDate(2026, 12, 2)); });
        return errors;
    }

    TTestHost host;
    ComPtr<TTestFormHost> forms = MakeObject<TTestFormHost>(host.journal);
};

TEST_F(HostFaults, EveryServiceMissingInTurnLeavesTheRestWorking) {
    for (const TService& service : kServices) {
        SCOPED_TRACE(service.name);
        TTestHost lacking;
        auto lackingForms = MakeObject<TTestFormHost>(lacking.journal);
        lacking.container->RegisterInstance(IFormHost::IID, lackingForms->AsIInterface());
        service.drop(lacking);
        FinalModule();
        EXPECT_NO_THROW(InitModule(lacking.container.Get()));
        EXPECT_TRUE(ResolveNamedOf<IPaymentMethod>(*lacking.container, AnsiString("Uber")));
        std::vector<std::string> errors;
        EXPECT_NO_THROW(errors = UseEverything(lacking, *lackingForms));
        for (const std::string& error : errors) EXPECT_EQ(error.rfind("Could not create ", 0), 0u) << error;
        FinalModule();
    }
}

TEST_F(HostFaults, InitTwiceFinalWithoutInitAndCallsAfterFinalDoNoHarm) {
    EXPECT_NO_THROW(FinalModule());
    InitModule(host.container.Get());
    InitModule(host.container.Get());
    EXPECT_TRUE(ResolveNamedOf<IPaymentMethod>(*host.container, AnsiString("Uber")));
    host.events->Raise(kBackOffice);
    ASSERT_FALSE(host.menus->Items().empty());
    auto method = ResolveNamedOf<IPaymentMethod>(*host.container, AnsiString("Uber"));
    ASSERT_TRUE(method);

    FinalModule();
    EXPECT_NO_THROW(FinalModule());
    // The host may still hold handlers and objects it obtained before.
    EXPECT_NO_THROW(host.events->Raise(kBackOffice));
    for (const auto& item : host.menus->Items())
        if (item.onClick.IsSet()) {
            EXPECT_NO_THROW(item.onClick(nullptr));
        }
    method->SetAmount(100000);
    EXPECT_FALSE(method->DoPaymentPopup());
    EXPECT_NO_THROW(method->InsertSQL(5));
    EXPECT_FALSE(ResolveNamedOf<IPaymentMethod>(*host.container, AnsiString("Uber")));
}

}  // namespace
}  // namespace orvo::test
