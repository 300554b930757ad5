#include "platform/CodePage.h"

namespace orvo {
namespace {
// Windows-1252 places these characters in 0x80..0x9F; 0 marks the unassigned codes.
constexpr uint16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
}  // namespace

char AnsiFromCodePoint(uint32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return char(cp);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == cp && cp != 0) return char(0x80 + i);
    return '?';
}

uint32_t CodePointFromAnsi(char character) {
    const auto code = static_cast<unsigned char>(character);
    if (code < 0x80 || code >= 0xA0 || kHigh[code - 0x80] == 0) return code;
    return kHigh[code - 0x80];
}

}  // namespace orvo
