// Money as the host writes it in its own messages and reads it from its command line and
// terminal: a decimal point and two decimals ("120.50", "-9.00").
#pragma once
#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "interfaces/OrvoTypes.h"
#include "values/MoneyText.h"

namespace orvo::host {

inline std::string MoneyText(Currency value) { return FixedCurrencyText(value, 2, '.'); }

// How an amount is written at the command line and the terminal, the form the help gives:
// digits, optionally a point and one or two digits ("120.50", "120", "9.5").
inline constexpr const char* kMoneyTextForm = "digits, optionally a point and one or two digits, as 120.50";

// Money in that form as ten-thousandths; nothing for any other text and beyond the currency's
// range.
inline std::optional<Currency> ReadMoneyText(std::string_view text) {
    const size_t point = std::min(text.find('.'), text.size());
    const std::string_view whole = text.substr(0, point), cents = text.substr(std::min(point + 1, text.size()));
    const auto digits = [](std::string_view part) {
        return part.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (whole.empty() || !digits(whole) || (point < text.size() && (cents.empty() || cents.size() > 2 || !digits(cents))))
        return std::nullopt;
    return ReadCurrency(text, '.');
}

}  // namespace orvo::host
