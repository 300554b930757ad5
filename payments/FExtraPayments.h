// The payment details window: the cashier confirms one extra payment with a reference, the
// amount tendered and the gratuity inside it. Amounts are entered through the host's numeric
// input popup; the window keeps Amount = Total + Gratuity, except after a part payment.
#pragma once
#include <string>
#include <string_view>

#include "ui/Form.h"

namespace orvo {

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
