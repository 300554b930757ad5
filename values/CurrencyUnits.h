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

// What the whole-rands and cents boxes of a money group show for a value: the rands truncated
// toward zero, the cents of the fraction by CurrencyToUnits(-2), so rounded half up when not
// negative and truncated when negative (-12.9950 is -12 and -99). A fraction of 0.9950 or more
// carries into the rands, where the cents box would read 100 (12.9950 is 13 and 0).
struct TRandsAndCents {
    int64_t Rands;
    int64_t Cents;
};
TRandsAndCents SplitRandsAndCents(Currency value);

}  // namespace orvo
