// Money as text, written and read one way everywhere: the regional money form of log rows and
// report cells, the exact decimal form of log lines, the fixed form the payment window offers,
// and amounts as the cashier types them. Every form that shows fewer decimals than the value
// has rounds half away from zero on the exact value.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "interfaces/OrvoTypes.h"
#include "platform/Platform.h"

namespace orvo {

// Appends value (ten-thousandths) in the regional money form: symbol and its placement,
// thousands separator and grouping, decimal separator, the currency decimals (0 to 9) and the
// regional form of negative amounts. An amount that rounds to zero has no sign.
void AppendMoney(std::string& out, Currency value, const platform::TRegionalSettings& settings);
// The same for number text with a decimal point, as the server writes money ("1250.5",
// "-0.125", "1e3"), read exactly whatever its length. False, appending nothing, for text that
// is not number text or has too many digits to show (more than 399 with the decimals).
bool AppendMoneyText(std::string& out, std::string_view text, const platform::TRegionalSettings& settings);

inline std::string FormatMoney(Currency value, const platform::TRegionalSettings& settings = platform::Regional()) {
    std::string out;
    AppendMoney(out, value, settings);
    return out;
}

// Appends value as an exact decimal number: every digit it has, no trailing zeros, a point
// ("120.5", "-9", "0.0001").
void AppendCurrencyDecimal(std::string& out, Currency value);
std::string CurrencyDecimalText(Currency value);

// value with exactly decimals (0 to 9) decimals after decimalSeparator, no thousands separator:
// 150 with two is "150.00", -0.004 "0.00".
std::string FixedCurrencyText(Currency value, int decimals, char decimalSeparator);

// An amount typed as number text with decimalSeparator ("150", " 99,999 ", "1.5e2"), rounded to
// the ten-thousandth. Nothing for other text, and for an amount beyond the Currency range.
std::optional<Currency> ReadCurrency(std::string_view text, char decimalSeparator);

}  // namespace orvo
