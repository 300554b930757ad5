// Money as the host prints it in its own messages: "120.50", "-9.00".
#pragma once
#include <cstdio>
#include <string>

#include "interfaces/OrvoTypes.h"

namespace orvo::host {

inline std::string MoneyText(Currency value) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.2f", CurrencyToDouble(value));
    return buf;
}

// Parses "120.50" or "120" into ten-thousandths; false for anything else.
bool ParseMoney(const std::string& text, Currency& value);

}  // namespace orvo::host
