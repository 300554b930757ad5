// Money in the regional currency format: symbol and its placement, thousands separator,
// decimal separator, currency decimals and the regional form of negative amounts.
#pragma once
#include <string>

#include "interfaces/OrvoTypes.h"
#include "platform/Platform.h"

namespace orvo {

// Appends value (ten-thousandths) rounded half away from zero to the currency decimals.
void AppendMoney(std::string& out, Currency value, const platform::TRegionalSettings& settings);
// Appends value (currency units) rounded to the currency decimals from its exact binary value.
void AppendMoney(std::string& out, double value, const platform::TRegionalSettings& settings);

inline std::string FormatMoney(Currency value, const platform::TRegionalSettings& settings = platform::Regional()) {
    std::string out;
    AppendMoney(out, value, settings);
    return out;
}

}  // namespace orvo
