// What every fuzz target reports: a broken expectation aborts, which libFuzzer records as a
// crash together with the input that caused it.
#pragma once
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace orvo::fuzz {

inline void Require(bool condition, std::string_view what, std::string_view detail = {}) {
    if (condition) return;
    std::fprintf(stderr, "expectation failed: %.*s [%.*s]\n", int(what.size()), what.data(), int(detail.size()),
                 detail.data());
    std::abort();
}

// The value whose bytes the input holds at data (the caller has checked there are enough).
template <class T>
T BytesAs(const uint8_t* data) {
    T value;
    std::memcpy(&value, data, sizeof value);
    return value;
}

}  // namespace orvo::fuzz
