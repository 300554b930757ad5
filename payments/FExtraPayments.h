// The payment details window: the cashier confirms one extra payment with a reference, the
// amount tendered and the gratuity inside it. Amounts are entered through the host's numeric
// input popup; the window keeps Amount = Total + Gratuity, except after a part payment.
#pragma once
#include <string>
#include <string_view>

#include "ui/Form.h"

namespace orvo {

// A currency value as a whole number of units of 10^exponent, for exponents -8 to 0. Division
// truncates toward zero and adds 1 when the remainder is at least half the divisor (so negative
// values are truncated); exponents -8 to -5 multiply. Raises EOrvoError for another exponent
// or a result beyond 64 bits.
int64_t CurrencyToUnits(int exponent, Currency value);

// What the whole-rands and cents boxes of a money group show for a value.
struct TRandsAndCents {
    int64_t Rands;
    int64_t Cents;
};
TRandsAndCents SplitRandsAndCents(Currency value);

class TfrmExtraPayments : public ui::TForm {
public:
    TfrmExtraPayments();

    // Shows the window for the payment method's display name and the amount due; true when
    // the cashier closed it with OK, and then Amount, Gratuity and Reference hold the results.
    bool Execute(std::string_view paymentName, Currency total);

    void SetTotal(Currency value);
    void SetGratuity(Currency value);
    void SetAmount(Currency value);

    // Click handlers of the "..." and Clear buttons.
    void btnAmountClick();
    void btnGratuityClick();
    void btnClearClick();

    // Zero or empty until Execute; read them after it returns true. The Set operations above
    // keep them and the boxes in step.
    std::string PaymentName;
    Currency Total = 0;
    Currency Gratuity = 0;
    Currency Amount = 0;    // tendered, gratuity included
    std::string Reference;  // taken from the reference box when the window closes with OK

private:
    bool PromptAmount(const std::string& caption, Currency initial, Currency& entered) const;
    void ShowMoney(ui::TControl& randsBox, ui::TControl& centsBox, Currency value);

    ui::TControl& grpReference;
    ui::TControl& txtReference;
    ui::TControl& grpGratuity;
    ui::TControl& txtRandsGratuity;
    ui::TControl& txtCentsGratuity;
    ui::TControl& btnGratuity;
    ui::TControl& GroupBox2;
    ui::TControl& txtRandsAmount;
    ui::TControl& txtCentsAmount;
    ui::TControl& btnAmount;
    ui::TControl& btnOKNew;
    ui::TControl& btnCancelNew;
    ui::TControl& btnClearNew;
};

}  // namespace orvo
