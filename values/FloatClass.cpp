#include "values/FloatClass.h"

#include <charconv>
#include <cstdint>
#include <cstring>

namespace orvo {

TFloatClass ClassifyFloat(const double& value) {
    constexpr uint64_t kSign = 0x8000000000000000u, kExponent = 0x7FF0000000000000u;
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    if ((bits & kExponent) != kExponent) return TFloatClass::Finite;
    if (bits & ~(kSign | kExponent)) return TFloatClass::NaN;
    return bits & kSign ? TFloatClass::MinusInfinity : TFloatClass::PlusInfinity;
}

std::string FloatText(const double& value) {
    switch (ClassifyFloat(value)) {
        case TFloatClass::NaN: return "nan";
        case TFloatClass::PlusInfinity: return "inf";
        case TFloatClass::MinusInfinity: return "-inf";
        case TFloatClass::Finite: break;
    }
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value);
    return std::string(text, written.ptr);
}

}  // namespace orvo
