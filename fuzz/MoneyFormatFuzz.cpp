// Any amount under any currency format: the text holds the symbol, the digits of the amount
// rounded half away from zero to the currency decimals (0 to 9) and nothing else, and the
// amount's exact decimal text shows the same. Arbitrary money text either shows or appends
// nothing, and agrees with the Currency read from it wherever that holds its value exactly.
#include <cmath>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "values/Decimal.h"
#include "values/MoneyText.h"
#include "values/NumberText.h"

namespace orvo::fuzz {
namespace {

// The digits of the text in order, without separators, symbol or sign.
std::string DigitsOf(std::string_view text, std::string_view symbol) {
    std::string digits;
    for (size_t i = 0; i < text.size(); ++i) {
        if (!symbol.empty() && text.substr(i, symbol.size()) == symbol) {
            i += symbol.size() - 1;
            continue;
        }
        if (text[i] >= '0' && text[i] <= '9') digits += text[i];
    }
    return digits;
}

// |raw| ten-thousandths rounded half away from zero to decimals, as digits with at least one
// before the decimals, worked out on 128 bits.
std::string ExpectedDigits(int64_t raw, int decimals) {
    unsigned __int128 magnitude = raw < 0 ? -static_cast<unsigned __int128>(raw) : raw;
    unsigned __int128 scale = 1;
    for (int i = decimals; i < 4; ++i) scale *= 10;
    magnitude = (magnitude + scale / 2) / scale;
    for (int i = 4; i < decimals; ++i) magnitude *= 10;
    std::string expected;
    do {
        expected.insert(expected.begin(), char('0' + int(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    while (static_cast<int>(expected.size()) < decimals + 1) expected.insert(expected.begin(), '0');
    return expected;
}

// True when the value of number text has no digit below the ten-thousandth, so that a
// Currency holds it exactly.
bool HeldExactly(std::string_view text) {
    const auto number = ScanNumberText(text, '.');
    if (!number) return false;
    const size_t inFraction = number->fractionDigits.find_last_not_of('0');
    if (inFraction != std::string_view::npos) return number->exponent - 1 - int64_t(inFraction) >= -4;
    const size_t inInteger = number->integerDigits.find_last_not_of('0');
    return inInteger == std::string_view::npos ||
           number->exponent + int64_t(number->integerDigits.size() - 1 - inInteger) >= -4;
}

std::string Shown(std::string_view text, const platform::TRegionalSettings& s) {
    std::string out;
    if (!AppendMoneyText(out, text, s)) Require(out.empty(), "text that does not show appends nothing", text);
    return out;
}

}  // namespace
}  // namespace orvo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvo;
    using namespace orvo::fuzz;
    if (size < sizeof(int64_t) + 6) return 0;
    const auto raw = BytesAs<int64_t>(data);
    platform::TRegionalSettings s;
    s.CurrencyFormat = data[8] % 4;
    s.NegCurrFormat = data[9] % 16;
    s.CurrencyDecimals = data[10] % 10;
    s.ThousandSeparator = ",. '\0"[data[11] % 5];
    s.DecimalSeparator = ".,"[data[12] % 2];
    static const char* const kGroupings[] = {"\3", "\3\2", "", "\1", "\3\x7f"};
    s.Grouping = kGroupings[data[13] % 5];
    const std::string_view rest(reinterpret_cast<const char*>(data + 14), size - 14);
    s.CurrencyString = std::string(rest.substr(0, 4));
    for (char c : s.CurrencyString)
        if (c >= '0' && c <= '9') return 0;  // digits in the symbol blur the check

    std::string text;
    AppendMoney(text, raw, s);
    Require(!text.empty(), "money has text");
    Require(DigitsOf(text, s.CurrencyString) == ExpectedDigits(raw, s.CurrencyDecimals), "the digits of the amount",
            text);
    Require(Shown(CurrencyDecimalText(raw), s) == text, "the exact decimal text shows the same", text);

    // The rest as money text: where the Currency read from it holds its value exactly, both
    // show alike.
    const std::string_view moneyText = rest.substr(std::min<size_t>(rest.size(), 4));
    const std::string shown = Shown(moneyText, s);
    if (TryReadNumber(moneyText, '.')) Require(!shown.empty(), "every number text in the double range shows");
    if (const auto value = ReadCurrency(moneyText, '.'); value && HeldExactly(moneyText))
        Require(shown == FormatMoney(*value, s), "money text shows as the Currency it holds", shown);
    return 0;
}
