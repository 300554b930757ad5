#include "payments/FExtraPayments.h"

#include "interfaces/intfGenericInput.h"
#include "module/Services.h"
#include "platform/Platform.h"
#include "values/CurrencyUnits.h"
#include "values/MoneyText.h"

namespace orvo {
namespace {

const ui::TFont kArial13{"Arial", 13};
const ui::TFont kSansSerif21{"MS Sans Serif", 21};
const ui::TFont kTahoma21{"Tahoma", 21};
// What the transaction record's reference column holds (VARCHAR(200)): the box takes no more, so
// a typed reference is never one the database refuses.
constexpr int32_t kReferenceLength = 200;

// Forms are sized by their client area, where the layout places the controls. The layout's
// window is 449 by 251: inside its 4-pixel sizing frame and a 26-pixel title bar that is 441 by 217.
ui::TFormStyle DetailsWindowStyle() {
    return {.Caption = "[Payment Method] Details",
            .ClientWidth = 441,
            .ClientHeight = 217,
            .Font = {"MS Sans Serif", 11},
            .BorderStyle = ui::TBorderStyle::Sizeable,
            .BorderIcons = {},
            .Position = ui::TFormPosition::MainFormCenter};
}

// Sums and differences of amounts that the cashier can push past the currency's range.
Currency CheckedSum(Currency a, Currency b) {
    Currency sum;
    if (__builtin_add_overflow(a, b, &sum)) throw EOrvoError("Amount out of range", "EIntOverflow");
    return sum;
}
Currency CheckedDifference(Currency a, Currency b) {
    Currency difference;
    if (__builtin_sub_overflow(a, b, &difference)) throw EOrvoError("Amount out of range", "EIntOverflow");
    return difference;
}

// The popup's initial text: fixed notation with two decimals in the regional decimal
// separator, no thousands separator: 150 is "150.00".
std::string TwoDecimals(Currency value) { return FixedCurrencyText(value, 2, platform::Regional().DecimalSeparator); }

}  // namespace

// One control a line, as the layout table has them: name and parent, left, top, width and
// height, caption, font, behaviour.
// clang-format off
TfrmExtraPayments::TfrmExtraPayments()
    : TForm("TfrmExtraPayments", DetailsWindowStyle()),
      grpReference    (GroupBox("grpReference")               .TopRow(45)          .Caption("Reference")),
      txtReference    (Edit("txtReference", &grpReference)    .At(8, 17, 393, 24)  .Font(kArial13)
                                                              .MaxLength(kReferenceLength)),
      grpGratuity     (GroupBox("grpGratuity")                .TopRow(45)          .Caption("Gratuity")),
      txtRandsGratuity(Edit("txtRandsGratuity", &grpGratuity) .At(8, 17, 93, 24)   .Font(kArial13).ReadOnly()),
      txtCentsGratuity(Edit("txtCentsGratuity", &grpGratuity) .At(105, 17, 37, 24) .Font(kArial13).ReadOnly()),
      btnGratuity     (Button("btnGratuity", &grpGratuity)    .At(148, 12, 40, 30) .Caption("...").Font(kSansSerif21)
                                                              .OnClick([this] { btnGratuityClick(); })),
      GroupBox2       (GroupBox("GroupBox2")                  .TopRow(45)          .Caption("Amount")),
      txtRandsAmount  (Edit("txtRandsAmount", &GroupBox2)     .At(8, 17, 93, 24)   .Font(kArial13).ReadOnly()),
      txtCentsAmount  (Edit("txtCentsAmount", &GroupBox2)     .At(105, 17, 37, 24) .Font(kArial13).ReadOnly()),
      btnAmount       (Button("btnAmount", &GroupBox2)        .At(148, 12, 40, 30) .Caption("...").Font(kSansSerif21)
                                                              .OnClick([this] { btnAmountClick(); })),
      btnOKNew        (Button("btnOKNew")                     .At(80, 160, 89, 48) .Caption("&OK").Font(kTahoma21)
                                                              .ModalResult(mrOk).Focused()),
      btnCancelNew    (Button("btnCancelNew")                 .At(176, 160, 89, 48).Caption("&Cancel").Font(kTahoma21)
                                                              .ModalResult(mrCancel)),
      btnClearNew     (Button("btnClearNew")                  .At(272, 160, 89, 48).Caption("Clear").Font(kTahoma21)
                                                              .OnClick([this] { btnClearClick(); })
                                                              .ModalResult(mrCancel)) {}
// clang-format on

bool TfrmExtraPayments::Execute(std::string_view paymentName, Currency total) {
    PaymentName = paymentName;
    SetCaption(PaymentName + " Details");
    SetGratuity(0);
    SetTotal(total);
    if (ShowModal(HostServices().Shared<IFormHost>().Get()) == mrOk) {
        Reference = txtReference.Text;
        return true;
    }
    SetGratuity(0);
    return false;
}

void TfrmExtraPayments::SetTotal(Currency value) {
    const Currency amount = CheckedSum(value, Gratuity);
    Total = value;
    SetAmount(amount);
}

void TfrmExtraPayments::SetGratuity(Currency value) {
    const Currency amount = CheckedSum(Total, value);
    Gratuity = value;
    ShowMoney(txtRandsGratuity, txtCentsGratuity, Gratuity);
    SetAmount(amount);
}

void TfrmExtraPayments::SetAmount(Currency value) {
    Amount = value;
    ShowMoney(txtRandsAmount, txtCentsAmount, Amount);
}

void TfrmExtraPayments::ShowMoney(ui::TControl& randsBox, ui::TControl& centsBox, Currency value) {
    const TRandsAndCents split = SplitRandsAndCents(value);
    SetText(randsBox, std::to_string(split.Rands));
    SetText(centsBox, std::to_string(split.Cents));
}

// Asks the host's numeric input popup, a new one for each prompt, offering initial. False when
// the cashier did not confirm, or when the host has no popup to offer.
bool TfrmExtraPayments::PromptAmount(const std::string& caption, Currency initial, Currency& entered) const {
    const ComPtr<IGenericInput> input = HostServices().Named<IGenericInput>(AnsiString("Currency"));
    if (!input) return false;
    input->SetCaption(AnsiString(caption));
    AnsiString text;
    if (!input->Execute(AnsiString(TwoDecimals(initial)), text)) return false;
    // Text that is not an amount, or one beyond the currency's range, counts as 0.
    entered = ReadCurrency(text.view(), platform::Regional().DecimalSeparator).value_or(0);
    return true;
}

// Less than the total is a part payment without gratuity; anything above it is gratuity.
void TfrmExtraPayments::btnAmountClick() {
    Currency entered = 0;
    if (!PromptAmount("Enter " + PaymentName + " Total: ", Amount, entered)) {
        SetAmount(CheckedSum(Total, Gratuity));  // an earlier part payment is given up
    } else if (Total > entered) {
        SetGratuity(0);
        SetAmount(entered);
    } else {
        SetGratuity(CheckedDifference(entered, Total));
    }
}

// The gratuity always comes on top of the total, never of a part payment.
void TfrmExtraPayments::btnGratuityClick() {
    Currency entered = 0;
    SetGratuity(PromptAmount("Enter " + PaymentName + " Gratuity: ", Gratuity, entered) ? entered : 0);
}

void TfrmExtraPayments::btnClearClick() {
    SetGratuity(0);
    SetAmount(Total);
}

}  // namespace orvo
