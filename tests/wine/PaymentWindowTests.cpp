// The five payment methods as the till drives them: the host asks a method for its popup, the
// real details window opens, and a second thread plays the cashier with window messages.
#include <windows.h>

#include "interfaces/intfPaymentMethod.h"
#include "tests/support/Win32Windows.h"
#include "tests/wine/InstalledModule.h"

namespace orvo::test {
namespace {

// The "..." button of the group box with that caption.
HWND PopupButton(HWND form, const char* group) {
    return ChildWithText(ChildWithText(form, "Button", group), "Button", "...");
}

// The four read-only boxes: gratuity rands and cents, then amount rands and cents.
std::vector<std::string> MoneyBoxes(HWND form) {
    std::vector<std::string> boxes;
    for (const TChildWindow& child : ChildWindows(form))
        if (IsClass(child, "Edit") && (child.style & ES_READONLY)) boxes.push_back(child.text);
    return boxes;
}

struct TPaymentRoad {
    const char* method;
    Currency due;
    std::vector<const char*> popups;  // group boxes whose "..." the cashier presses, in turn
    std::deque<TInputAnswer> answers;
    std::vector<std::string> boxesBeforeOk;
    Currency amount, gratuity;
    std::string amountText, gratuityText;  // as the [ExtraPaymentLog] rows show them, after the currency symbol
};

// The workstation's currency symbol, which the module puts before money in its log rows.
std::string CurrencySymbol() {
    char symbol[16] = "";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SCURRENCY, symbol, sizeof symbol);
    return symbol;
}

class PaymentWindow : public InstalledModule {
protected:
    ComPtr<IPaymentMethod> Method(const char* name) { return ResolveNamedOf<IPaymentMethod>(*host.container, name); }
};

TEST_F(PaymentWindow, EachMethodRecordsWhatTheCashierConfirmed) {
    const std::vector<TPaymentRoad> roads{
        {"Uber", 1205000, {"Amount"}, {{true, "150"}}, {"29", "50", "150", "0"}, 1205000, 295000, "120.50", "29.50"},
        {"Mr D", 950000, {"Amount"}, {{true, "95"}}, {"0", "0", "95", "0"}, 950000, 0, "95.00", "0.00"},
        {"ABSA", 2000000, {"Amount"}, {{true, "150"}}, {"0", "0", "150", "0"}, 1500000, 0, "150.00", "0.00"},
        {"Nedbank",
         552500,
         {"Amount", "Gratuity"},
         {{false, ""}, {true, "5"}},
         {"5", "0", "60", "25"},
         552500,
         50000,
         "55.25",
         "5.00"},
        {"Other CC", 4100000, {"Amount"}, {{true, "500"}}, {"90", "0", "500", "0"}, 4100000, 900000, "410.00", "90.00"},
    };
    const std::string symbol = CurrencySymbol();
    int32_t id = 0;
    for (const TPaymentRoad& road : roads) {
        SCOPED_TRACE(road.method);
        const std::string number = std::to_string(++id);
        const std::string reference = std::string("REF ") + road.method;
        host.answers = road.answers;
        ComPtr<IPaymentMethod> method = Method(road.method);
        ASSERT_TRUE(method);
        method->SetAmount(road.due);
        const std::string caption = std::string(road.method) + " Details";
        std::vector<std::string> boxes;
        bool closed = false;
        TCashier cashier(
            [&](HWND form) {
                HWND referenceBox = ChildWindows(form)[1].handle;
                for (char c : reference) SendMessageA(referenceBox, WM_CHAR, WPARAM(c), 1);
                for (const char* group : road.popups) SendMessageA(PopupButton(form, group), BM_CLICK, 0, 0);
                boxes = MoneyBoxes(form);
                if (road.method == std::string("Uber"))
                    SaveScreenshot(form, std::filesystem::path(ORVO_SCREENSHOT_DIR) / "payment-window.bmp");
                SendMessageA(ChildWithText(form, "Button", "&OK"), BM_CLICK, 0, 0);
                closed = WaitUntilGone(form);
                if (!closed) PostMessageA(form, WM_CLOSE, 0, 0);
            },
            caption.c_str());
        EXPECT_TRUE(method->DoPaymentPopup());
        cashier.Join();
        ASSERT_TRUE(cashier.found);
        EXPECT_TRUE(closed);
        EXPECT_EQ(boxes, road.boxesBeforeOk);
        EXPECT_EQ(method->GetAmount(), road.amount);
        EXPECT_EQ(method->GetGratuity(), road.gratuity);
        EXPECT_TRUE(host.answers.empty());
        const std::optional<TTransactionRow> row = script->Transaction(id);
        ASSERT_TRUE(row);
        EXPECT_EQ(row->paymentMethod, road.method);
        EXPECT_EQ(row->reference, reference);
        EXPECT_DOUBLE_EQ(row->amount, CurrencyToDouble(road.amount + road.gratuity));
        const std::vector<std::string> messages = script->LogMessages();
        ASSERT_GE(messages.size(), 3u);
        EXPECT_EQ(
            std::vector<std::string>(messages.end() - 3, messages.end()),
            (std::vector<std::string>{road.method + (": New Transaction: " + number),
                                      road.method + (": " + number + " - Amount: " + symbol + road.amountText),
                                      road.method + (": " + number + " - Gratuity: " + symbol + road.gratuityText)}));
    }
    EXPECT_EQ(script->Transactions().size(), roads.size());
    EXPECT_NE(ReadFile(LogFile()).find("[TPaymentMethodUber.DoPaymentPopup] Uber: Amount: 120.5 | Gratuity: 29.5 | "
                                       "Reference: REF Uber"),
              std::string::npos);
}

// Cancel and Clear both leave the transaction row as it was added, with no amount recorded.
TEST_F(PaymentWindow, CancelAndClearRecordNothingAndLeaveNoAmount) {
    for (const char* button : {"&Cancel", "Clear"}) {
        SCOPED_TRACE(button);
        host.answers = {{true, "150.00"}};
        ComPtr<IPaymentMethod> method = Method("Mr D");
        method->SetAmount(950000);
        bool closed = false;
        TCashier cashier(
            [&](HWND form) {
                HWND referenceBox = ChildWindows(form)[1].handle;
                for (char c : std::string("VOID")) SendMessageA(referenceBox, WM_CHAR, WPARAM(c), 1);
                SendMessageA(PopupButton(form, "Amount"), BM_CLICK, 0, 0);
                SendMessageA(ChildWithText(form, "Button", button), BM_CLICK, 0, 0);
                closed = WaitUntilGone(form);
                if (!closed) PostMessageA(form, WM_CLOSE, 0, 0);
            },
            "Mr D Details");
        EXPECT_FALSE(method->DoPaymentPopup());
        cashier.Join();
        ASSERT_TRUE(cashier.found);
        EXPECT_TRUE(closed);
        EXPECT_EQ(method->GetAmount(), 0);
        EXPECT_EQ(method->GetGratuity(), 0);
    }
    const std::vector<TTransactionRow> rows = script->Transactions();
    ASSERT_EQ(rows.size(), 2u);
    for (const TTransactionRow& row : rows) {
        EXPECT_EQ(row.reference, "");
        EXPECT_EQ(row.amount, 0);
    }
    EXPECT_EQ(script->LogMessages(),
              (std::vector<std::string>{"Mr D: New Transaction: 1", "Mr D: New Transaction: 2"}));
}

}  // namespace
}  // namespace orvo::test
