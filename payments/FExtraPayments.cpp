#include "payments/FExtraPayments.h"

#include <charconv>
#include <cmath>

#include "interfaces/intfGenericInput.h"
#include "module/Services.h"
#include "platform/Platform.h"

namespace orvo {
namespace {

const ui::TFont kArial13{"Arial", 13};
const ui::TFont kSansSerif21{"MS Sans Serif", 21};
const ui::TFont kTahoma21{"Tahoma", 21};

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

// The popup's initial text: fixed notation with two decimals (rounded half away from zero) in
// the regional decimal separator, no thousands separator: 150 is "150.00".
std::string TwoDecimals(Currency value) {
    int64_t cents = value / 100;
    const int64_t rest = value % 100;
    if (rest >= 50) ++cents;
    if (rest <= -50) --cents;
    const uint64_t magnitude = cents < 0 ? 0 - uint64_t(cents) : uint64_t(cents);
    const uint64_t fraction = magnitude % 100;
    std::string text = cents < 0 ? "-" : "";
    text += std::to_string(magnitude / 100);
    text += platform::Regional().DecimalSeparator;
    text += char('0' + fraction / 10);
    text += char('0' + fraction % 10);
    return text;
}

// Text typed in the popup as an amount: a decimal number with the regional decimal separator
// (optional sign and exponent, blanks around it allowed), rounded to the nearest ten-thousandth.
// Text that is not such a number, or a number beyond the currency's range, counts as 0.
Currency ParseAmount(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return 0;
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() == '+' || text.front() == '-') return 0;  // one sign at most
    std::string number(text);
    const char separator = platform::Regional().DecimalSeparator;
    if (separator != '.') {
        if (number.find('.') != std::string::npos) return 0;
        for (char& c : number)
            if (c == separator) c = '.';
    }
    double value = 0;
    const char* end = number.data() + number.size();
    const auto [stop, error] = std::from_chars(number.data(), end, value);
    if (error != std::errc{} || stop != end || !std::isfinite(value)) return 0;
    const double counts = std::round(value * double(kCurrencyScale));
    if (!(std::fabs(counts) < 9.2e18)) return 0;
    return negative ? -Currency(counts) : Currency(counts);
}

}  // namespace

int64_t CurrencyToUnits(int exponent, Currency value) {
    if (exponent >= -3 && exponent <= 0) {
        static constexpr int64_t kDivisors[] = {10, 100, 1000, 10000};  // exponents -3 to 0
        const int64_t divisor = kDivisors[exponent + 3];
        const int64_t units = value / divisor;
        return value % divisor >= divisor / 2 ? units + 1 : units;  // a negative remainder never gets there
    }
    if (exponent == -4) return value;
    if (exponent >= -8 && exponent <= -5) {
        static constexpr int64_t kFactors[] = {10000, 1000, 100, 10};  // exponents -8 to -5
        int64_t units;
        if (__builtin_mul_overflow(value, kFactors[exponent + 8], &units))
            throw EOrvoError("CurrencyToUnits: " + std::to_string(value) + " does not fit in units of 10^" +
                                 std::to_string(exponent),
                             "EIntOverflow");
        return units;
    }
    throw EOrvoError("CurrencyToUnits: exponent " + std::to_string(exponent) + " is outside -8 to 0");
}

TRandsAndCents SplitRandsAndCents(Currency value) {
    TRandsAndCents split{value / kCurrencyScale, 0};
    const Currency fraction = value - split.Rands * kCurrencyScale;
    split.Cents = CurrencyToUnits(-2, fraction);
    // Cents are rounded half up when not negative and truncated toward zero when negative
    // (-12.9950 is -12 and -99). Only a fraction of 0.9950 or more would make the cents box read
    // 100: the rand is carried instead (12.9950 is 13 and 0).
    if (split.Cents == 100) {
        ++split.Rands;
        split.Cents = 0;
    }
    return split;
}

// One control a line, as the layout table has them: name and parent, left, top, width and
// height, caption, font, behaviour.
// clang-format off
TfrmExtraPayments::TfrmExtraPayments()
    : TForm("TfrmExtraPayments", DetailsWindowStyle()),
      grpReference    (GroupBox("grpReference")               .TopRow(45)          .Caption("Reference")),
      txtReference    (Edit("txtReference", &grpReference)    .At(8, 17, 393, 24)  .Font(kArial13)),
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
    entered = ParseAmount(text.view());
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
