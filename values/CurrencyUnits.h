// A currency value in whole units of a power of ten, and as the payment window's two boxes
// show it: whole rands and cents.
#pragma once
#include <cstdint>

#include "interfaces/OrvoTypes.h"

namespace orvo {

// A currency value as a whole number of units of 10^exponent, for exponents -8 to 0. Division
// truncates toward zero and adds 1 when the remainder is at least half the divisor (so negative
// values are truncated); exponents -8 to -5 multiply. Raises EOrvoError for another exponent
// or a result beyond 64 bits.
int64_t CurrencyToUnits(int exponent, Currency value);

// What the whole-rands and cents boxes of a money group show for a value.
struct TRandsAndCents {
    int64_t Rands;
    int64_t Cents;
};
TRandsAndCents SplitRandsAndCents(Currency value);

}  // namespace orvo
