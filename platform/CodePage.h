// The module's 8-bit code page, Windows-1252: the one that every text crossing the host
// interfaces is in. Text that arrives in Unicode (JSON escapes, the locale's strings on POSIX)
// is put into it here.
#pragma once
#include <cstdint>

namespace orvo {

// The code page's character for a Unicode code point, or '?' when it has none.
char AnsiFromCodePoint(uint32_t codePoint);
// The Unicode code point of a code page character; the five codes that Windows-1252 leaves
// unassigned stand for themselves.
uint32_t CodePointFromAnsi(char character);

}  // namespace orvo
