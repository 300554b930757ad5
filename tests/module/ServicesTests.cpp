// The one way to the host's services: a required one missing raises the assertion error with the
// Part's text and place; an optional one answers empty, with or without a container; each kind
// of look-up is the container's own operation.
#include <gtest/gtest.h>

#include "interfaces/intfAuthentication.h"
#include "interfaces/intfDBScript.h"
#include "interfaces/intfEventManager.h"
#include "interfaces/intfGenericInput.h"
#include "module/Services.h"
#include "tests/support/TestSupport.h"

namespace orvo {
namespace {
using host::GuidToString;
using test::TTestHost;

TEST(RequiredService, MissingRaisesTheAssertionNamingTextUnitAndLine) {
    struct Case {
        const char* what;
        TAssertPlace place;
        const char* message;
    };
    for (const Case& c : {
             Case{"Could not create DBScript",
                  {"implPaymentMethodMrD", 131},
                  "Could not create DBScript (implPaymentMethodMrD, line 131)"},
             Case{"Could not create authentication",
                  {"implExtraPaymentsManagement", 52},
                  "Could not create authentication (implExtraPaymentsManagement, line 52)"},
             Case{"Could not create HTML viewer",
                  {"FExtraPaymentsReports", 7},
                  "Could not create HTML viewer (FExtraPaymentsReports, line 7)"},
         }) {
        try {
            Required(ComPtr<IDBScript>(), c.what, c.place);
            ADD_FAILURE() << "no error for " << c.what;
        } catch (const EAssertionFailed& e) {
            EXPECT_STREQ(e.what(), c.message);
            EXPECT_STREQ(e.ClassName(), "EAssertionFailed");
        }
    }
    TTestHost host;
    const ComPtr<IDBScript> script = TServices(host.container).New<IDBScript>();
    ASSERT_TRUE(script);
    EXPECT_EQ(Required(script, "Could not create DBScript", {"implX", 1}).Get(), script.Get());
}

TEST(HostServices, EachLookUpIsTheContainersOwnAndAMissingServiceAnswersEmpty) {
    TTestHost host;
    host.container->UnregisterFactory(IAuthentication::IID);
    const TServices services(host.container);
    EXPECT_TRUE(services.New<IDBScript>());
    EXPECT_TRUE(services.Named<IGenericInput>("Currency"));
    EXPECT_TRUE(services.Shared<IEventManager>());
    EXPECT_FALSE(services.New<IAuthentication>());
    EXPECT_FALSE(services.Named<IGenericInput>("Percent"));
    EXPECT_FALSE(services.Shared<IDBScript>());  // a factory is no shared instance
    host.container->ClearJournal();
    services.New<IDBScript>();
    services.Named<IGenericInput>("Currency");
    services.Shared<IEventManager>();
    EXPECT_EQ(host.container->Journal(), (std::vector<std::string>{
                                             "Resolve " + GuidToString(IDBScript::IID),
                                             "ResolveNamed " + GuidToString(IGenericInput::IID) + " Currency",
                                             "GetInstance " + GuidToString(IEventManager::IID),
                                         }));
}

TEST(HostServices, FollowTheHeldContainerAndAnswerEmptyWithoutOne) {
    const TServices none(nullptr);
    EXPECT_FALSE(none.New<IDBScript>());
    EXPECT_FALSE(none.Named<IGenericInput>("Currency"));
    EXPECT_FALSE(none.Shared<IEventManager>());
    EXPECT_THROW(Required(none.New<IDBScript>(), "Could not create DBScript", {"implX", 1}), EAssertionFailed);

    TTestHost host;
    EXPECT_FALSE(HostServices().New<IDBScript>());
    HoldContainer(host.container);
    EXPECT_TRUE(HostServices().New<IDBScript>());
    LetGoOfContainer(host.container);
    EXPECT_FALSE(HostServices().New<IDBScript>());
    EXPECT_FALSE(HeldContainer());
}

}  // namespace
}  // namespace orvo
