// The cash-up rows a payment adds and removes through the host's callbacks.
#include <gtest/gtest.h>

#include "common/clsSQLStatements.h"
#include "tests/payments/PaymentTestRig.h"

namespace orvo::test {
namespace {

class Cashup : public TPaymentTestRig {
protected:
    ComPtr<IPaymentMethod> Paid(Currency amount, Currency gratuity) {
        auto method = NewMethod();
        method->SetAmount(amount);
        method->SetGratuity(gratuity);
        return method;
    }
};

TEST_F(Cashup, PaymentRowCarriesTheWholeAmountAndTheGratuityRowItsParent) {
    Paid(1000000, 100000)->AddCashupEntry(3, 42, recorder.Add());
    EXPECT_EQ(recorder.calls, (std::vector<std::string>{"add 42 3 PAYMENT:Uber [] 0 110.000000 0 1",
                                                        "add 42 3 GRATUITY [PAYMENT:Uber] 0 10.000000 0 1"}));
    EXPECT_NE(LogText().find("info  [TPaymentMethodUber.AddCashupEntry] Shift: 3 Invoice: 42 Amount: 100\r\n"),
              std::string::npos);
}

TEST_F(Cashup, NothingToAddForZeroOrNegativeAmountsOrWithoutACallback) {
    Paid(0, 0)->AddCashupEntry(3, 42, recorder.Add());
    Paid(-500000, 0)->AddCashupEntry(3, 42, recorder.Add());
    Paid(1000000, 0)->AddCashupEntry(3, 42, TAddCashupEntryEvent{});
    EXPECT_TRUE(recorder.calls.empty());
    EXPECT_NE(LogText().find("Shift: 3 Invoice: 42 Amount: -50\r\n"), std::string::npos);
    // A gratuity alone still adds both rows.
    Paid(0, 50000)->AddCashupEntry(1, 2, recorder.Add());
    EXPECT_EQ(recorder.calls.size(), 2u);
}

TEST_F(Cashup, RemoveTakesThePaymentRowAndDeletesByTheCashupName) {
    Paid(1000000, 100000)->RemoveCashupEntry(3, 42, recorder.Remove());
    EXPECT_EQ(recorder.calls, std::vector<std::string>{"remove 42 3 PAYMENT:Uber"});
    EXPECT_EQ(
        JournalOf("Script.ExecSQL"),
        std::vector<std::string>{"Script.ExecSQL " + SQLText(TSQL::RemoveCashupEntry) + " | 42, 3, PAYMENT:Uber"});
}

TEST_F(Cashup, RemoveSkipsZeroAmountsButNotNegativeOnes) {
    Paid(0, 100000)->RemoveCashupEntry(3, 42, recorder.Remove());
    EXPECT_TRUE(recorder.calls.empty());
    Paid(-500000, 0)->RemoveCashupEntry(3, 42, recorder.Remove());
    EXPECT_EQ(recorder.calls, std::vector<std::string>{"remove 42 3 PAYMENT:Uber"});
    EXPECT_TRUE(JournalOf("Script.ExecSQL").empty());
    Paid(1000000, 0)->RemoveCashupEntry(3, 42, TRemoveCashupEntryEvent{});
    EXPECT_EQ(recorder.calls.size(), 1u);
}

TEST_F(Cashup, ErrorsOfTheCallbacksAndTheDatabaseReachTheHost) {
    host.script->failOn = [](const std::string&) { return true; };
    EXPECT_EQ(RaisedError([&] { Paid(1000000, 100000)->RemoveCashupEntry(3, 42, recorder.Remove()); }),
              "std::runtime_error: database refused the statement");
    host.container->UnregisterFactory(IDBScript::IID);
    EXPECT_EQ(RaisedError([&] { Paid(1000000, 100000)->RemoveCashupEntry(3, 42, recorder.Remove()); }),
              "EAssertionFailed: Could not create DBScript (implPaymentMethodUber, line 111)");
}

}  // namespace
}  // namespace orvo::test
