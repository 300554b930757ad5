// Money as the host writes it in its own messages and reads it from its command line and
// terminal: a decimal point and two decimals ("120.50", "-9.00").
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "interfaces/OrvoTypes.h"
#include "values/MoneyText.h"

namespace orvo::host {

inline std::string MoneyText(Currency value) { return FixedCurrencyText(value, 2, '.'); }

// "120.50", "120" or "1.2e2" as ten-thousandths; nothing for anything else.
inline std::optional<Currency> ReadMoneyText(std::string_view text) { return ReadCurrency(text, '.'); }

}  // namespace orvo::host
