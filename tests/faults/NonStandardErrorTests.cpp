// A host whose services raise errors not derived from std::exception (`throw 42`): every
// operation that catches all errors catches these too, says what it caught in the log, and hands
// the host its neutral result.
#include <gtest/gtest.h>

#include <stdexcept>

#include "interfaces/intfExtraPaymentsTransaction.h"
#include "tests/payments/PaymentTestRig.h"

namespace orvo::test {
namespace {

// A script service that fails every call with the error it is given.
class TRaisingScript : public TInterfacedObject<IDBScript> {
public:
    explicit TRaisingScript(std::function<void()> raise) : raise_(std::move(raise)) {}
    int32_t ExecSQL(const AnsiString&, const TSQLArgs&) override {
        raise_();
        return 0;
    }
    AnsiString QueryValue(const AnsiString&, const AnsiString&) override {
        raise_();
        return {};
    }
    AnsiString QueryJSON(const AnsiString&, const TSQLArgs&) override {
        raise_();
        return {};
    }

private:
    std::function<void()> raise_;
};

class NonStandardErrors : public TPaymentTestRig {
protected:
    void ServeScriptRaising(std::function<void()> raise) {
        host.container->UnregisterFactory(IDBScript::IID);
        host.container->RegisterFactory(
            IDBScript::IID, host::SharedFactory(MakeObject<TRaisingScript>(std::move(raise))->AsIInterface()).Get());
    }
};

TEST_F(NonStandardErrors, AreCaughtLoggedAndEndInTheNeutralResult) {
    struct TCase {
        const char* operation;
        std::function<void()> raise;
        std::function<std::string()> run;  // runs the operation; returns what the host received
        std::string result;
        std::vector<std::string> lines;  // the exception-level lines, in order
    };
    auto addTransaction = [this] {
        return std::to_string(ResolveOf<IExtraPaymentsTransaction>(*host.container)->AddTransaction("Uber"));
    };
    auto popup = [this] {
        auto method = NewMethod();
        method->SetAmount(100000);
        const bool paid = method->DoPaymentPopup();
        return std::string(paid ? "paid " : "not paid ") + std::to_string(method->GetAmount());
    };
    auto reportButton = [this] {
        host.authentication->granted = {"AM020"};
        host.events->Raise("Orvo.BackOffice.MainForm.Create");
        forms->Click("btnToday");
        host.menus->Items().back().onClick(nullptr);
        return forms->errors.empty() ? std::string("no error shown") : forms->errors.front();
    };
    const TCase cases[] = {
        {"AddTransaction",
         [] { throw 42; },
         addTransaction,
         "-1",
         {"int (\"\")", "[TExtraPaymentsTransaction.AddTransaction] Error : int"}},
        {"DoPaymentPopup",
         [] { throw 42; },
         popup,
         "not paid 0",
         {"int (\"\")", "[TExtraPaymentsTransaction.AddTransaction] Error : int", "int (\"\")",
          "[TPaymentMethodUber.DoPaymentPopup] Error : int"}},
        {"a reports window button", [] { throw 42; }, reportButton, "int", {"int (\"\")"}},
        {"AddTransaction, an error without a message",
         [] { throw std::runtime_error(""); },
         addTransaction,
         "-1",
         {"std::runtime_error (\"\")", "[TExtraPaymentsTransaction.AddTransaction] Error : std::runtime_error"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.operation);
        ServeScriptRaising(c.raise);
        forms->errors.clear();
        const size_t logBefore = LogText().size();
        std::string received;
        EXPECT_NO_THROW(received = c.run());
        EXPECT_EQ(received, c.result);
        std::vector<std::string> lines;
        const std::string log = LogText().substr(logBefore);
        for (size_t at = log.find(" EXC   "); at != std::string::npos; at = log.find(" EXC   ", at + 1))
            lines.push_back(log.substr(at + 7, log.find("\r\n", at) - at - 7));
        EXPECT_EQ(lines, c.lines) << log;
    }
}

}  // namespace
}  // namespace orvo::test
