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
    const TFloatClass kind = ClassifyFloat(value);
    if (kind == TFloatClass::NaN) return "nan";
    if (kind != TFloatClass::Finite) return kind == TFloatClass::PlusInfinity ? "inf" : "-inf";
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value);
    return std::string(text, written.ptr);
}

}  // namespace orvo
