// Any amount under any currency format: the text holds the symbol, the digits of the amount
// rounded to the currency decimals and nothing else, and the Currency and double forms agree.
#include <cmath>
#include <cstring>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "platform/MoneyFormat.h"

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

}  // namespace
}  // namespace orvo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvo;
    using namespace orvo::fuzz;
    if (size < sizeof(int64_t) + 5) return 0;
    int64_t raw;
    std::memcpy(&raw, data, sizeof raw);
    platform::TRegionalSettings s;
    s.CurrencyFormat = data[8] % 4;
    s.NegCurrFormat = data[9] % 16;
    s.CurrencyDecimals = data[10] % 5;
    s.ThousandSeparator = ",. '\0"[data[11] % 5];
    s.DecimalSeparator = ".,"[data[12] % 2];
    const std::string_view rest(reinterpret_cast<const char*>(data + 13), size - 13);
    s.CurrencyString = std::string(rest.substr(0, 4));
    for (char c : s.CurrencyString)
        if (c >= '0' && c <= '9') return 0;  // digits in the symbol blur the check

    const Currency value = raw;
    std::string text;
    AppendMoney(text, value, s);
    Require(!text.empty(), "money has text");

    // The expected digits: |value| rounded half away from zero to the currency decimals.
    const int drop = 4 - s.CurrencyDecimals;
    unsigned __int128 magnitude = raw < 0 ? -static_cast<unsigned __int128>(raw) : raw;
    unsigned __int128 scale = 1;
    for (int i = 0; i < drop; ++i) scale *= 10;
    magnitude = (magnitude + scale / 2) / scale;
    std::string expected;
    do {
        expected.insert(expected.begin(), char('0' + int(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    while (static_cast<int>(expected.size()) < s.CurrencyDecimals + 1) expected.insert(expected.begin(), '0');
    Require(DigitsOf(text, s.CurrencyString) == expected, "the digits of the amount", text);

    // The same amount as a double in currency units, where no rounding to the decimals is due.
    if (std::abs(raw) < (int64_t(1) << 52) && raw % static_cast<int64_t>(scale) == 0) {
        std::string fromDouble;
        AppendMoney(fromDouble, static_cast<double>(raw) / 10000.0, s);
        Require(fromDouble == text, "the double form agrees", fromDouble + " | " + text);
    }
    return 0;
}
