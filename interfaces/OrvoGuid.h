// 16-byte interface identifiers in the Windows GUID layout, parsed at compile time.
#pragma once
#include <cstdint>
#include <cstring>

#include "OrvoPlatform.h"

struct TGUID {
    uint32_t D1;
    uint16_t D2;
    uint16_t D3;
    uint8_t D4[8];

    friend bool operator==(const TGUID& a, const TGUID& b) { return std::memcmp(&a, &b, sizeof(TGUID)) == 0; }
};
ORVO_ASSERT_LAYOUT(TGUID, 16, 16, 4, 4);

namespace orvo::detail {
constexpr uint32_t HexDigit(char c) {
    return (c >= '0' && c <= '9')   ? uint32_t(c - '0')
           : (c >= 'a' && c <= 'f') ? uint32_t(c - 'a' + 10)
           : (c >= 'A' && c <= 'F') ? uint32_t(c - 'A' + 10)
                                    : throw "not a hexadecimal digit in a GUID";
}
constexpr uint32_t HexRun(const char* s, int count) {
    uint32_t v = 0;
    for (int i = 0; i < count; ++i) v = v * 16 + HexDigit(s[i]);
    return v;
}
}  // namespace orvo::detail

// Parses "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"; a malformed literal fails to compile.
constexpr TGUID ParseGuid(const char (&s)[39]) {
    using orvo::detail::HexRun;
    if (s[0] != '{' || s[9] != '-' || s[14] != '-' || s[19] != '-' || s[24] != '-' || s[37] != '}')
        throw "malformed GUID literal";
    TGUID g{HexRun(s + 1, 8), uint16_t(HexRun(s + 10, 4)), uint16_t(HexRun(s + 15, 4)), {}};
    g.D4[0] = uint8_t(HexRun(s + 20, 2));
    g.D4[1] = uint8_t(HexRun(s + 22, 2));
    for (int i = 0; i < 6; ++i) g.D4[2 + i] = uint8_t(HexRun(s + 25 + 2 * i, 2));
    return g;
}

// The identifier of interface T, declared by T as `static constexpr TGUID IID`.
template <class T>
inline constexpr const TGUID& IIDOf = T::IID;
