// The payment details window driven by a scripted form host and input popup, under a point
// and a comma decimal separator.
#include <gtest/gtest.h>

#include <array>
#include <climits>

#include "payments/FExtraPayments.h"
#include "tests/ui/DetailsLayout.h"
#include "tests/ui/UiTestRig.h"
#include "values/CurrencyUnits.h"

namespace orvo::test {
namespace {

class ExtraPaymentsWindow : public ::testing::TestWithParam<bool> {
protected:
    static bool Comma() { return GetParam(); }
    // A number written with a point, in the regional notation of the test.
    static std::string Local(std::string text) {
        for (char& c : text)
            if (c == '.') c = Comma() ? ',' : '.';
        return text;
    }
    static char OtherSeparator() { return Comma() ? '.' : ','; }

    void Answer(const std::string& text) { module.host.answers.push_back({true, Local(text)}); }
    void AnswerRaw(const std::string& text) { module.host.answers.push_back({true, text}); }
    void CancelPrompt() { module.host.answers.push_back({false, ""}); }

    // Amount rands, amount cents, gratuity rands, gratuity cents, as the boxes show them.
    static std::vector<std::string> Boxes(TfrmExtraPayments& window) {
        std::vector<std::string> boxes;
        for (const char* name : {"txtRandsAmount", "txtCentsAmount", "txtRandsGratuity", "txtCentsGratuity"})
            boxes.push_back(window.FindControl(name)->Text);
        return boxes;
    }
    std::vector<std::string> InputCalls() const {
        std::vector<std::string> calls;
        for (const std::string& line : *module.host.journal)
            if (line.rfind("Input.", 0) == 0) calls.push_back(line);
        return calls;
    }
    // Records amount and gratuity while the window is open.
    void Snapshot() {
        formHost->Inspect([this](IFormView&) { snapshots.push_back({window.Amount, window.Gratuity}); });
    }

    TScopedRegional regional{Comma() ? CommaRegional() : PointRegional()};
    TModuleWithHost module;
    ComPtr<TTestFormHost> formHost = module.AddFormHost();
    TfrmExtraPayments window;
    std::vector<std::pair<Currency, Currency>> snapshots;
};

INSTANTIATE_TEST_SUITE_P(Regional, ExtraPaymentsWindow, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "CommaDecimals" : "PointDecimals"; });

TEST(ExtraPaymentsWindowLayout, HostSeesTheLayoutTableControlByControl) {
    TModuleWithHost module;
    ComPtr<TTestFormHost> formHost = module.AddFormHost();
    std::vector<TFormControlInfo> seen;
    int32_t clientWidth = 0, clientHeight = 0;
    formHost->Inspect([&](IFormView& view) {
        seen = ControlsOf(view);
        clientWidth = view.GetClientWidth();
        clientHeight = view.GetClientHeight();
    });
    TfrmExtraPayments window;
    window.Execute("Uber", 1205000);

    EXPECT_EQ(clientWidth, 441);
    EXPECT_EQ(clientHeight, 217);
    ASSERT_EQ(seen.size(), std::size(kDetailsLayout));
    for (size_t i = 0; i < seen.size(); ++i) {
        const TFormControlInfo& control = seen[i];
        const TLayoutRow& expected = kDetailsLayout[i];
        SCOPED_TRACE(expected.name);
        EXPECT_EQ(control.Name, expected.name);
        EXPECT_EQ(control.Kind, int32_t(expected.kind));
        EXPECT_EQ(control.Parent, expected.parent < 0 ? "" : kDetailsLayout[expected.parent].name);
        EXPECT_EQ((std::array{control.Left, control.Top, control.Width, control.Height}),
                  (std::array{expected.left, expected.top, expected.width, expected.height}));
        EXPECT_EQ(control.Text, expected.text);
        EXPECT_EQ(control.FontFace, expected.fontFace);
        EXPECT_EQ(control.FontHeight, expected.fontHeight);
        EXPECT_EQ((control.Flags & kControlReadOnly) != 0, expected.readOnly);
        EXPECT_EQ((control.Flags & kControlFocused) != 0, i == kDetailsFocusRow);
        EXPECT_EQ(control.ModalResult, expected.modalResult);
    }
    EXPECT_EQ(seen[10].Accelerator, 'O');
    EXPECT_EQ(seen[11].Accelerator, 'C');
    EXPECT_EQ(seen[12].Accelerator, 0);
}

TEST_P(ExtraPaymentsWindow, OpensWithTheTotalSplitIntoRandsAndCentsAndNoGratuity) {
    EXPECT_EQ(window.Style().Caption, "[Payment Method] Details");
    std::vector<std::string> seen;
    formHost->Inspect([&](IFormView& view) {
        seen = Boxes(window);
        seen.push_back(view.GetCaption().str());
    });
    formHost->Click("btnCancelNew");
    EXPECT_FALSE(window.Execute("Uber", 1205000));
    EXPECT_EQ(seen, (std::vector<std::string>{"120", "50", "0", "0", "Uber Details"}));

    TfrmExtraPayments second;
    formHost->Click("btnCancelNew");
    EXPECT_FALSE(second.Execute("Mr D", 120500));
    EXPECT_EQ(Boxes(second), (std::vector<std::string>{"12", "5", "0", "0"}));
    EXPECT_EQ(second.Style().Caption, "Mr D Details");
    EXPECT_TRUE(InputCalls().empty());
}

TEST_P(ExtraPaymentsWindow, AmountAboveTheTotalMakesTheExcessTheGratuity) {
    Answer("150");
    formHost->Click("btnAmount").Click("btnOKNew");
    EXPECT_TRUE(window.Execute("Uber", 1205000));
    EXPECT_EQ(window.Amount, 1500000);
    EXPECT_EQ(window.Gratuity, 295000);
    EXPECT_EQ(window.Total, 1205000);
    EXPECT_EQ(Boxes(window), (std::vector<std::string>{"150", "0", "29", "50"}));
    EXPECT_EQ(InputCalls(),
              (std::vector<std::string>{"Input.SetCaption Enter Uber Total: ", "Input.Execute " + Local("120.50")}));
}

TEST_P(ExtraPaymentsWindow, ExactlyTheTotalLeavesNoGratuity) {
    Answer("120.50");
    formHost->Click("btnAmount").Click("btnOKNew");
    EXPECT_TRUE(window.Execute("ABSA", 1205000));
    EXPECT_EQ(window.Amount, 1205000);
    EXPECT_EQ(window.Gratuity, 0);
}

TEST_P(ExtraPaymentsWindow, PartPaymentThenGratuityAddsTheGratuityToTheTotal) {
    Answer("100");
    Answer("10");
    formHost->Click("btnAmount");
    Snapshot();
    formHost->Click("btnGratuity").Click("btnOKNew");
    EXPECT_TRUE(window.Execute("Nedbank", 1205000));
    EXPECT_EQ(snapshots, (std::vector<std::pair<Currency, Currency>>{{1000000, 0}}));
    EXPECT_EQ(window.Amount, 1305000);
    EXPECT_EQ(window.Gratuity, 100000);
    EXPECT_EQ(Boxes(window), (std::vector<std::string>{"130", "50", "10", "0"}));
    EXPECT_EQ(InputCalls(), (std::vector<std::string>{
                                "Input.SetCaption Enter Nedbank Total: ", "Input.Execute " + Local("120.50"),
                                "Input.SetCaption Enter Nedbank Gratuity: ", "Input.Execute " + Local("0.00")}));
}

TEST_P(ExtraPaymentsWindow, CancelledPromptsGiveUpPartPaymentAndGratuity) {
    Answer("100");
    CancelPrompt();
    Answer("10");
    CancelPrompt();
    formHost->Click("btnAmount");
    Snapshot();
    formHost->Click("btnAmount");  // offered 100.00, cancelled: the part payment is given up
    Snapshot();
    formHost->Click("btnGratuity");
    Snapshot();
    formHost->Click("btnGratuity");  // offered 10.00, cancelled: no gratuity
    Snapshot();
    formHost->Click("btnOKNew");
    EXPECT_TRUE(window.Execute("Other CC", 1205000));
    EXPECT_EQ(snapshots, (std::vector<std::pair<Currency, Currency>>{
                             {1000000, 0}, {1205000, 0}, {1305000, 100000}, {1205000, 0}}));
    const std::vector<std::string> calls = InputCalls();
    ASSERT_EQ(calls.size(), 8u);
    EXPECT_EQ(calls[3], "Input.Execute " + Local("100.00"));
    EXPECT_EQ(calls[7], "Input.Execute " + Local("10.00"));
}

TEST_P(ExtraPaymentsWindow, TextThatIsNoNumberCountsAsZero) {
    const std::string otherSeparator = std::string("150") + OtherSeparator() + "5";
    for (const std::string& text : {std::string("abc"), std::string(""), std::string("-"), std::string("12x"),
                                    std::string("1e"), std::string("inf"), std::string("1e20"), otherSeparator}) {
        SCOPED_TRACE("entered: '" + text + "'");
        TfrmExtraPayments amountWindow;
        AnswerRaw(text);
        formHost->Click("btnAmount").Click("btnOKNew");
        EXPECT_TRUE(amountWindow.Execute("Uber", 1205000));
        EXPECT_EQ(amountWindow.Amount, 0);  // a part payment of 0
        EXPECT_EQ(amountWindow.Gratuity, 0);
        EXPECT_EQ(Boxes(amountWindow), (std::vector<std::string>{"0", "0", "0", "0"}));

        TfrmExtraPayments gratuityWindow;
        Answer("10");
        AnswerRaw(text);
        formHost->Click("btnGratuity").Click("btnGratuity").Click("btnOKNew");
        EXPECT_TRUE(gratuityWindow.Execute("Uber", 1205000));
        EXPECT_EQ(gratuityWindow.Gratuity, 0);
        EXPECT_EQ(gratuityWindow.Amount, 1205000);
    }
}

// Mended in part: amounts were read through a binary double, so "0.00015" (just below 1.5
// ten-thousandths as a double) gave 1.
TEST_P(ExtraPaymentsWindow, EnteredNumbersAreReadInRegionalNotationToTheTenThousandth) {
    const std::pair<std::string, Currency> cases[] = {{" 150.5 ", 1505000}, {"+150", 1500000}, {"1.5e2", 1500000},
                                                      {"12.34567", 123457}, {".5", 5000},      {"0.00015", 2}};
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE("entered: '" + Local(text) + "'");
        TfrmExtraPayments entry;
        Answer(text);
        formHost->Click("btnGratuity").Click("btnOKNew");
        EXPECT_TRUE(entry.Execute("Uber", 0));
        EXPECT_EQ(entry.Gratuity, expected);
    }
}

TEST_P(ExtraPaymentsWindow, PromptsOfferTheCurrentValueWithTwoDecimals) {
    CancelPrompt();
    formHost->Click("btnAmount").Click("btnCancelNew");
    window.Execute("Uber", 123450);  // 12.3450 offered rounded half up
    TfrmExtraPayments negative;
    CancelPrompt();
    formHost->Click("btnAmount").Click("btnCancelNew");
    negative.Execute("Uber", -55000);
    const std::vector<std::string> calls = InputCalls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[1], "Input.Execute " + Local("12.35"));
    EXPECT_EQ(calls[3], "Input.Execute " + Local("-5.50"));
}

TEST_P(ExtraPaymentsWindow, ClearClosesAsCancelDoesAndDropsTheGratuity) {
    Answer("10");
    formHost->Type("txtReference", "REF-1").Click("btnGratuity").Click("btnClearNew");
    EXPECT_FALSE(window.Execute("Uber", 1205000));
    EXPECT_EQ(window.Gratuity, 0);
    EXPECT_EQ(window.Amount, 1205000);
    EXPECT_EQ(window.Reference, "");  // taken only with OK
    EXPECT_EQ(Boxes(window), (std::vector<std::string>{"120", "50", "0", "0"}));
    EXPECT_EQ(module.host.journal->back(), "Form.Closed 2");
}

TEST_P(ExtraPaymentsWindow, OkTakesTheReferenceAsTypedEvenWhenEmpty) {
    formHost->Click("btnOKNew");
    EXPECT_TRUE(window.Execute("Uber", 1205000));
    EXPECT_EQ(window.Reference, "");
    EXPECT_EQ(window.Amount, 1205000);

    TfrmExtraPayments typed;
    formHost->Type("txtReference", "ORDER 77/b").Click("btnOKNew");
    EXPECT_TRUE(typed.Execute("Uber", 1205000));
    EXPECT_EQ(typed.Reference, "ORDER 77/b");
    EXPECT_TRUE(formHost->failures.empty());
}

// Mended: with no input popup to be had, a prompt counts as not confirmed (the window used to
// call through the empty reference).
TEST_P(ExtraPaymentsWindow, MissingInputPopupCountsAsPromptNotConfirmed) {
    Answer("100");
    formHost->Click("btnAmount");
    formHost->Inspect([this](IFormView&) {
        module.host.container->UnregisterNamedFactory(IGenericInput::IID, AnsiString("Currency"));
    });
    Snapshot();
    formHost->Click("btnAmount");
    Snapshot();
    formHost->Click("btnGratuity");
    Snapshot();
    formHost->Click("btnOKNew");
    EXPECT_TRUE(window.Execute("Uber", 1205000));
    EXPECT_EQ(snapshots, (std::vector<std::pair<Currency, Currency>>{{1000000, 0}, {1205000, 0}, {1205000, 0}}));
    EXPECT_TRUE(formHost->errors.empty());
    size_t lookups = 0;
    for (const std::string& call : module.host.container->Journal())
        lookups += call.rfind("ResolveNamed", 0) == 0 && call.find("Currency") != std::string::npos;
    EXPECT_EQ(lookups, 3u);  // a new popup asked for at every prompt
}

TEST_P(ExtraPaymentsWindow, AmountBeyondTheCurrencyRangeIsReportedAndChangesNothing) {
    const Currency nearMax = INT64_MAX - 5000;
    Answer("1");
    formHost->Click("btnGratuity");
    Snapshot();
    formHost->Click("btnCancelNew");
    EXPECT_FALSE(window.Execute("Uber", nearMax));
    EXPECT_EQ(formHost->errors, std::vector<std::string>{"Amount out of range"});
    EXPECT_EQ(snapshots, (std::vector<std::pair<Currency, Currency>>{{nearMax, 0}}));
    EXPECT_EQ(window.Amount, nearMax);
}

// Mended: a fraction within half a cent of the next whole rand used to show cents "100" beside
// the truncated rands; the carry is for fractions that are not negative, which alone round up.
TEST(RandsAndCents, FractionsFromNinetyNinePointFiveCentsCarryIntoTheRands) {
    const std::pair<Currency, std::pair<int64_t, int64_t>> cases[] = {{1205000, {120, 50}},
                                                                      {120500, {12, 5}},
                                                                      {123450, {12, 35}},
                                                                      {-124560, {-12, -45}},
                                                                      {129949, {12, 99}},
                                                                      {129950, {13, 0}},
                                                                      {129999, {13, 0}},
                                                                      {-129949, {-12, -99}},
                                                                      {-129950, {-12, -99}},
                                                                      {-129999, {-12, -99}},
                                                                      {9950, {1, 0}},
                                                                      {-5000, {0, -50}},
                                                                      {0, {0, 0}},
                                                                      {INT64_MAX, {922337203685477, 58}},
                                                                      {INT64_MIN, {-922337203685477, -58}}};
    for (const auto& [value, expected] : cases) {
        const TRandsAndCents split = SplitRandsAndCents(value);
        EXPECT_EQ(std::make_pair(split.Rands, split.Cents), expected) << value;
    }
}

TEST_P(ExtraPaymentsWindow, BoxesCarryAFractionFromNinetyNinePointFiveCents) {
    formHost->Click("btnCancelNew");
    window.Execute("Uber", 129950);
    EXPECT_EQ(Boxes(window), (std::vector<std::string>{"13", "0", "0", "0"}));
    // Mended: a negative fraction is truncated toward zero as the window's rules say; it never
    // reaches -100 cents, so nothing is carried.
    TfrmExtraPayments negative;
    formHost->Click("btnCancelNew");
    negative.Execute("Uber", -129950);
    EXPECT_EQ(Boxes(negative), (std::vector<std::string>{"-12", "-99", "0", "0"}));
}

TEST(CurrencyToUnits, WholeExponentTable) {
    struct TCase {
        int exponent;
        Currency value;
        int64_t units;
    };
    const TCase cases[] = {
        {-8, 12, 120000}, {-7, 12, 12000},  {-6, -12, -1200}, {-5, 12, 120},  {-4, -12345, -12345},
        {-3, 14, 1},      {-3, 15, 2},      {-3, -15, -1},    {-2, 1249, 12}, {-2, 1250, 13},
        {-2, -1250, -12}, {-2, -1299, -12}, {-1, 1499, 1},    {-1, 1500, 2},  {-1, -1999, -1},
        {0, 4999, 0},     {0, 5000, 1},     {0, 125000, 13},  {0, -9999, 0},  {-2, INT64_MAX, INT64_MAX / 100},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(CurrencyToUnits(c.exponent, c.value), c.units) << c.exponent << " " << c.value;
    EXPECT_THROW(CurrencyToUnits(1, 5), EOrvoError);
    EXPECT_THROW(CurrencyToUnits(-9, 5), EOrvoError);
    EXPECT_THROW(CurrencyToUnits(-8, INT64_MAX / 1000), EOrvoError);
    EXPECT_THROW(CurrencyToUnits(-5, INT64_MIN), EOrvoError);
}

}  // namespace
}  // namespace orvo::test
