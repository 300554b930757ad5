// What every fuzz target reports: a broken expectation aborts, which libFuzzer records as a
// crash together with the input that caused it.
#pragma once
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace orvo::fuzz {

inline void Require(bool condition, std::string_view what, std::string_view detail = {}) {
    if (condition) return;
    std::fprintf(stderr, "expectation failed: %.*s [%.*s]\n", int(what.size()), what.data(), int(detail.size()),
                 detail.data());
    std::abort();
}

}  // namespace orvo::fuzz
