// The payment window's amount handling: any total, and any text typed into its amount and
// gratuity prompts, confirmed or cancelled, under a point or a comma decimal separator. After
// every prompt the four boxes show rands and cents as the window's rules split amount and
// gratuity, both follow the rules of the prompt, the text offered reads back as the value to
// the cent, and an amount that would leave the Currency range is reported and changes nothing.
#include <cmath>
#include <deque>
#include <string>

#include "entry/ModuleLifecycle.h"
#include "fuzz/FuzzCheck.h"
#include "host/THostContainer.h"
#include "host/services/HostServices.h"
#include "payments/FExtraPayments.h"
#include "values/MoneyText.h"
#include "values/NumberText.h"

namespace orvo::fuzz {
namespace {

// One prompt of the script: which button, whether the cashier confirms, what is typed.
struct TPrompt {
    bool gratuity;
    bool confirmed;
    std::string typed;
};

// The whole-rands and cents boxes: rands truncated toward zero; the cents of a fraction that
// is not negative rounded half up (0.9950 and more carry into the rands), of a negative one
// truncated.
std::pair<std::string, std::string> BoxesOf(Currency value) {
    int64_t rands = value / 10000, cents = value % 10000;
    cents = cents >= 0 ? (cents + 50) / 100 : cents / 100;
    if (cents == 100) ++rands, cents = 0;
    return {std::to_string(rands), std::to_string(cents)};
}

class TWindowRig {
public:
    TWindowRig() {
        using namespace host;
        container_ = MakeObject<THostContainer>();
        container_->RegisterNamedFactory(
            IGenericInput::IID, "Currency",
            MakeObject<TFunctionFactory>([this] {
                return ComPtr<IInterface>::AddRefOf(
                    MakeObject<THostInput>([this](const std::string&, const std::string& initial,
                                                  std::string& entered) {
                        offered_ = initial;
                        entered = prompt_.typed;
                        return prompt_.confirmed;
                    })->AsIInterface());
            }).Get());
        container_->RegisterInstance(IFormHost::IID,
                                     MakeObject<THostFormHost>([this](IFormView& view) { Drive(view); },
                                                               [this](const std::string&) { reported_ = true; })
                                         ->AsIInterface());
        InitModule(container_.Get());
    }

    void Run(Currency total, char separator, std::deque<TPrompt> prompts) {
        platform::TRegionalSettings regional;
        regional.DecimalSeparator = separator;
        platform::SetRegional(regional);
        prompts_ = std::move(prompts);
        TfrmExtraPayments window;
        window_ = &window;
        Require(window.Execute("Uber", total), "the window closes with OK");
    }

private:
    void Drive(IFormView& view) {
        TfrmExtraPayments& w = *window_;
        for (; !prompts_.empty(); prompts_.pop_front()) {
            prompt_ = prompts_.front();
            const Currency total = w.Total, gratuity = w.Gratuity, amount = w.Amount;
            const Currency offered = prompt_.gratuity ? gratuity : amount;
            const char separator = platform::Regional().DecimalSeparator;
            const Currency entered = ReadCurrency(prompt_.typed, separator).value_or(0);
            if (const auto number = TryReadNumber(prompt_.typed, separator); number && std::fabs(*number) < 9e14)
                Require(std::fabs(*number * 1e4 - double(entered)) <= 0.5 + std::fabs(*number) * 1e-11,
                        "the amount typed is read to the nearest ten-thousandth", prompt_.typed);

            // What the prompt's rules make of it, and whether the result leaves the range.
            Currency expectedGratuity = gratuity, expectedAmount = amount, sum = 0;
            bool overflow = false;
            if (!prompt_.gratuity && !prompt_.confirmed) {
                expectedAmount = total + gratuity;
            } else if (!prompt_.gratuity && total > entered) {
                expectedGratuity = 0, expectedAmount = entered;
            } else if (!prompt_.gratuity) {
                overflow = __builtin_sub_overflow(entered, total, &sum);
                if (!overflow) expectedGratuity = sum, expectedAmount = entered;
            } else if (!prompt_.confirmed) {
                expectedGratuity = 0, expectedAmount = total;
            } else {
                overflow = __builtin_add_overflow(total, entered, &sum);
                if (!overflow) expectedGratuity = entered, expectedAmount = sum;
            }

            reported_ = false;
            offered_.clear();
            const bool clicked = host::ClickButton(view, prompt_.gratuity ? "btnGratuity" : "btnAmount");
            Require(clicked != overflow && reported_ == overflow, "only an amount out of range is reported",
                    prompt_.typed);
            Require(w.Gratuity == expectedGratuity && w.Amount == expectedAmount && w.Total == total,
                    "amount and gratuity follow the prompt's rules", prompt_.typed);
            const auto amountBoxes = BoxesOf(w.Amount), gratuityBoxes = BoxesOf(w.Gratuity);
            Require(host::TextOf(view, "txtRandsAmount") == amountBoxes.first &&
                        host::TextOf(view, "txtCentsAmount") == amountBoxes.second &&
                        host::TextOf(view, "txtRandsGratuity") == gratuityBoxes.first &&
                        host::TextOf(view, "txtCentsGratuity") == gratuityBoxes.second,
                    "the boxes show rands and cents", prompt_.typed);
            const auto offeredBack = ReadCurrency(offered_, separator);
            const __int128 offeredOff = offeredBack ? __int128(*offeredBack) - offered : 100;
            Require(offeredBack && *offeredBack % 100 == 0 && offeredOff >= -50 && offeredOff <= 50,
                    "the text offered is the value to the cent", offered_);
        }
        host::ClickButton(view, "btnOKNew");
    }

    ComPtr<host::THostContainer> container_;
    TfrmExtraPayments* window_ = nullptr;
    std::deque<TPrompt> prompts_;
    TPrompt prompt_;
    std::string offered_;
    bool reported_ = false;
};

}  // namespace
}  // namespace orvo::fuzz

// Eight bytes of total, a byte whose lowest bit picks the comma, then prompts one a line: the
// first character 'g' or 'G' for the gratuity prompt, a capital for a cancelled one, the rest
// typed.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvo;
    using namespace orvo::fuzz;
    if (size < sizeof(int64_t) + 1) return 0;
    static TWindowRig rig;
    const auto total = BytesAs<Currency>(data);
    std::deque<fuzz::TPrompt> prompts;
    std::string_view script(reinterpret_cast<const char*>(data + 9), size - 9);
    while (!script.empty() && prompts.size() < 16) {
        const std::string_view line = script.substr(0, script.find('\n'));
        script.remove_prefix(std::min(script.size(), line.size() + 1));
        const char kind = line.empty() ? 'a' : line[0];
        prompts.push_back({kind == 'g' || kind == 'G', !(kind >= 'A' && kind <= 'Z'),
                           std::string(line.substr(std::min<size_t>(line.size(), 1)))});
    }
    rig.Run(total, data[8] & 1 ? ',' : '.', std::move(prompts));
    return 0;
}
