#include "values/CurrencyUnits.h"

#include <string>

namespace orvo {

int64_t CurrencyToUnits(int exponent, Currency value) {
    if (exponent >= -3 && exponent <= 0) {
        static constexpr int64_t kDivisors[] = {10, 100, 1000, 10000};  // exponents -3 to 0
        const int64_t divisor = kDivisors[exponent + 3];
        const int64_t units = value / divisor;
        return value % divisor >= divisor / 2 ? units + 1 : units;  // a negative remainder never gets there
    }
    if (exponent == -4) return value;
    if (exponent >= -8 && exponent <= -5) {
        static constexpr int64_t kFactors[] = {10000, 1000, 100, 10};  // exponents -8 to -5
        int64_t units;
        if (__builtin_mul_overflow(value, kFactors[exponent + 8], &units))
            throw EOrvoError("CurrencyToUnits: " + std::to_string(value) + " does not fit in units of 10^" +
                                 std::to_string(exponent),
                             "EIntOverflow");
        return units;
    }
    throw EOrvoError("CurrencyToUnits: exponent " + std::to_string(exponent) + " is outside -8 to 0");
}

TRandsAndCents SplitRandsAndCents(Currency value) {
    TRandsAndCents split{value / kCurrencyScale, 0};
    const Currency fraction = value - split.Rands * kCurrencyScale;
    split.Cents = CurrencyToUnits(-2, fraction);
    if (split.Cents == 100) {  // only a fraction of 0.9950 or more gets there
        ++split.Rands;
        split.Cents = 0;
    }
    return split;
}

}  // namespace orvo
