// What a cashier may type: references with quotes, markup, control characters, at and past the
// column's 200 characters and of 64 KB; amounts with letters, several separators, signs,
// exponents and 20 digits. References reach the database whole as arguments, never as SQL
// text; text that is not an amount counts as nothing.
#include <gtest/gtest.h>

#include "tests/payments/PaymentTestRig.h"

namespace orvo::test {
namespace {

class CashierInput : public TPaymentTestRig {
protected:
    ComPtr<IPaymentMethod> Popup(const std::string& reference, std::vector<TInputAnswer> amounts) {
        host.script->values = {"17"};
        host.answers.assign(amounts.begin(), amounts.end());
        forms->Type("txtReference", reference);
        for (size_t i = 0; i < amounts.size(); ++i) forms->Click("btnAmount");
        forms->Click("btnOKNew");
        auto method = NewMethod();
        method->SetAmount(1205000);
        method->SetOnChange(recorder.Change());
        EXPECT_TRUE(method->DoPaymentPopup());
        return method;
    }
    // The reference as the update statement received it: its second argument, a quoted text.
    std::string UpdatedReference() const {
        const auto updates = JournalOf("Script.ExecSQL UPDATE");
        EXPECT_EQ(updates.size(), 1u);
        if (updates.empty()) return {};
        const std::string& line = updates[0];
        const size_t from = line.find(" | ") + 3;
        const size_t first = line.find(", ", from) + 2;
        const size_t last = line.rfind(", ");
        return line.substr(first, last - first);
    }
};

TEST_F(CashierInput, ReferencesReachTheDatabaseWholeAsArguments) {
    const std::string references[] = {
        "it's \"quoted\"; DROP TABLE [Invoices] --",
        "<script>alert('x')</script>&amp;",
        std::string("tab\there\r\nnew line\x01\x1f\x7f", 22),
        std::string(200, 'A'),
        std::string(201, 'B'),
        std::string(64 * 1024, 'C'),
    };
    for (const std::string& reference : references) {
        SCOPED_TRACE(reference.substr(0, 40));
        host.journal->clear();
        Popup(reference, {});
        EXPECT_EQ(UpdatedReference(), QuotedSQL(reference));
    }
}

TEST_F(CashierInput, AmountsThatAreNotAmountsCountAsNothingAndExponentsAreRead) {
    struct TCase {
        const char* typed;
        Currency amount, gratuity;
    };
    const TCase cases[] = {
        {"12abc", 0, 0},
        {"1.2.3", 0, 0},
        {"1,2,3.4", 0, 0},
        {"0x10", 0, 0},
        {"NaN", 0, 0},
        {"inf", 0, 0},
        {"", 0, 0},
        {" ", 0, 0},
        {"12345678901234567890", 0, 0},
        {"1e3", 1205000, 8795000},
        {"1E-2", 100, 0},
        {" 99.999 ", 999990, 0},
        {"+150", 1205000, 295000},
        {"+-5", 0, 0},
        {"--5", 0, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.typed);
        host.journal->clear();
        auto method = Popup("R", {{true, c.typed}});
        EXPECT_EQ(method->GetAmount(), c.amount);
        EXPECT_EQ(method->GetGratuity(), c.gratuity);
    }
}

}  // namespace
}  // namespace orvo::test
