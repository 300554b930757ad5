// The shared state of a payment method: setters that notify once on a real change, the reset,
// the configuration list, and the five methods as the container hands them out.
#include <gtest/gtest.h>

#include "interfaces/intfStringConfigList.h"
#include "tests/payments/PaymentTestRig.h"

namespace orvo::test {
namespace {

using PaymentMethodBase = TPaymentTestRig;

TEST_F(PaymentMethodBase, SettersNotifyOnceAfterStoringAndOnlyOnARealChange) {
    auto method = NewMethod();
    method->SetOnChange(recorder.Change());
    method->SetAmount(0);
    method->SetGratuity(0);
    EXPECT_TRUE(recorder.calls.empty());
    method->SetAmount(1205000);
    method->SetAmount(1205000);
    method->SetGratuity(295000);
    EXPECT_EQ(recorder.calls,
              (std::vector<std::string>{"change amount=1205000 gratuity=0", "change amount=1205000 gratuity=295000"}));
    EXPECT_EQ(method->GetOnChange(), recorder.Change());
}

TEST_F(PaymentMethodBase, ClearResetsWithoutNotifyingAndEmptiesTheConfiguration) {
    auto method = NewMethod();
    method->SetAmount(1000);
    method->SetGratuity(500);
    ComPtr<IStringConfigList> config = method->GetConfig();
    config->AddString(AnsiString("Port"), AnsiString("5"));
    method->SetOnChange(recorder.Change());
    method->Clear();
    EXPECT_EQ(method->GetAmount(), 0);
    EXPECT_EQ(method->GetGratuity(), 0);
    EXPECT_EQ(config->GetCount(), 0);
    EXPECT_TRUE(recorder.calls.empty());
}

TEST_F(PaymentMethodBase, ConfigIsOneListForTheObjectsLifeAndDescriptionChangesNothingElse) {
    auto method = NewMethod();
    ComPtr<IStringConfigList> first = method->GetConfig();
    ComPtr<IStringConfigList> second = method->GetConfig();
    EXPECT_EQ(first.Get(), second.Get());
    method->SetDescription(AnsiString("till 2"));
    EXPECT_EQ(method->GetName(), "Uber");
    EXPECT_EQ(method->GetAmount(), 0);
}

TEST_F(PaymentMethodBase, AnUnsetHandlerNotifiesNobody) {
    auto method = NewMethod();
    method->SetOnChange(recorder.Change());
    method->SetOnChange(TPaymentChangeEvent{});
    EXPECT_NO_THROW(method->SetAmount(100));
    EXPECT_TRUE(recorder.calls.empty());
    EXPECT_FALSE(method->GetOnChange().IsSet());
}

TEST_F(PaymentMethodBase, EachRegisteredNameGivesItsOwnMethodAndANewObjectPerRequest) {
    for (const std::string name : {"Uber", "Mr D", "ABSA", "Nedbank", "Other CC"}) {
        auto method = NewMethod(name);
        ASSERT_TRUE(method) << name;
        EXPECT_EQ(method->GetName(), name);
        EXPECT_EQ(method->GetCaption(), name);
        EXPECT_EQ(method->GetPaymentType(), name);
        EXPECT_NE(method.Get(), NewMethod(name).Get());
        method->SetAmount(10000);
        recorder.calls.clear();
        method->AddCashupEntry(1, 2, recorder.Add());
        EXPECT_EQ(recorder.calls, std::vector<std::string>{"add 2 1 PAYMENT:" + name + " [] 0 1.000000 0 1"});
    }
}

}  // namespace
}  // namespace orvo::test
