// How much load a test puts on: the full figure natively, a tenth under the sanitizers (ten
// times slower, and they keep freed memory aside, so resident sizes say nothing there) and under
// Wine (several times slower).
#pragma once

namespace orvo::test {

#ifdef ORVO_LOAD_REDUCED
inline constexpr bool kLoadReduced = true;
#else
inline constexpr bool kLoadReduced = false;
#endif

constexpr int LoadSize(int full) { return kLoadReduced ? full / 10 : full; }

}  // namespace orvo::test
