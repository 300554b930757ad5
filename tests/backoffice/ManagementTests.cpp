// The management object: menu entries per event, the access check, the reports window, and
// handlers the host keeps after the object is gone.
#include <gtest/gtest.h>

#include "tests/backoffice/BackOfficeTestRig.h"

#include "interfaces/intfExtraPaymentsManagement.h"

namespace orvo::test {
namespace {

constexpr const char* kBackOffice = "Orvo.BackOffice.MainForm.Create";
constexpr const char* kInvoicing = "Orvo.Invoicing.MainForm.Create";

class Management : public TBackOfficeTestRig {
protected:
    std::vector<std::string> Captions() const {
        std::vector<std::string> out;
        for (const auto& item : host.menus->Items()) out.push_back(item.parent + "/" + item.caption);
        return out;
    }
    void ClickEntry() {
        const auto& entry = host.menus->Items().back();
        ASSERT_EQ(entry.caption, "Extra Payments Reports");
        entry.onClick(nullptr);
    }
};

TEST_F(Management, EachEventAddsASeparatorAndTheEntryToLists) {
    host.events->Raise(kBackOffice);
    host.events->Raise(kInvoicing);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Lists/-", "Lists/Extra Payments Reports", "Lists/-",
                                                    "Lists/Extra Payments Reports"}));
    EXPECT_FALSE(host.menus->Items()[0].onClick.IsSet());
    EXPECT_TRUE(host.menus->Items()[1].onClick.IsSet());
    EXPECT_EQ(host.menus->Items()[1].position, -1);
    host.events->Raise("Orvo.Other.Event");
    EXPECT_EQ(host.menus->Items().size(), 4u);
}

TEST_F(Management, AnObjectFromTheFactorySubscribesAgain) {
    ComPtr<IExtraPaymentsManagement> another = ResolveOf<IExtraPaymentsManagement>(*host.container);
    ASSERT_TRUE(another);
    host.events->Raise(kBackOffice);
    EXPECT_EQ(host.menus->Items().size(), 4u);
}

TEST_F(Management, NoMenuManagerMeansNoEntriesAndNoError) {
    host.container->UnregisterInstance(IMainMenuManager::IID);
    EXPECT_NO_THROW(host.events->Raise(kBackOffice));
    EXPECT_TRUE(host.menus->Items().empty());
}

TEST_F(Management, NoEventManagerAtConstructionMeansNoSubscription) {
    FinalModule();
    host.container->UnregisterInstance(IEventManager::IID);
    const size_t before = host.events->SubscriptionCount();
    InitModule(host.container.Get());
    EXPECT_EQ(host.events->SubscriptionCount(), before);
}

TEST_F(Management, AUserWithoutTheCodeSeesNothing) {
    host.events->Raise(kBackOffice);
    ClickEntry();
    EXPECT_EQ(forms->shows, 0);
    EXPECT_NE(std::find(host.journal->begin(), host.journal->end(), "Auth.CheckAccess AM020 1 0"), host.journal->end());
}

TEST_F(Management, AGrantedUserGetsTheReportsWindowOncePerClick) {
    host.authentication->granted = {"AM020"};
    host.events->Raise(kBackOffice);
    forms->Read("Label1");
    ClickEntry();
    ClickEntry();
    EXPECT_EQ(forms->shows, 2);
    EXPECT_EQ(forms->reads, std::vector<std::string>{"Extra Payments Reports"});
}

TEST_F(Management, NoAuthenticationServiceIsAnAssertionForTheHost) {
    host.events->Raise(kBackOffice);
    host.container->UnregisterFactory(IAuthentication::IID);
    try {
        ClickEntry();
        FAIL() << "no error";
    } catch (const EOrvoError& e) {
        EXPECT_STREQ(e.ClassName(), "EAssertionFailed");
        EXPECT_EQ(std::string(e.what()).rfind("Could not create authentication (implExtraPaymentsManagement, line ", 0),
                  0u);
    }
    EXPECT_EQ(forms->shows, 0);
}

TEST_F(Management, EventsAndClicksAfterFinalModuleDoNothing) {
    host.authentication->granted = {"AM020"};
    host.events->Raise(kBackOffice);
    const TMenuClickEvent entry = host.menus->Items().back().onClick;
    FinalModule();  // the management object is released; the host keeps its handlers
    host.events->Raise(kBackOffice);
    entry(nullptr);
    EXPECT_EQ(host.menus->Items().size(), 2u);
    EXPECT_EQ(forms->shows, 0);
}

}  // namespace
}  // namespace orvo::test
