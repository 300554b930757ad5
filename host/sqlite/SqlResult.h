// A statement's result as the script service hands it on: one value as text (QueryValue) or
// every row as JSON (QueryJSON).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvo::host {

struct TSqlValue {
    enum class Kind { Null, Integer, Real, Text } kind = Kind::Null;
    int64_t integer = 0;
    double real = 0;
    std::string text;  // bytes as stored: the ANSI text the module sent
};

struct TSqlResult {
    std::vector<std::string> columns;
    std::vector<std::vector<TSqlValue>> rows;

    // Index of the column named so (in any case, as the suite's database reads names), or -1.
    int ColumnIndex(std::string_view name) const;
};

// The value as text: integers in decimal, reals in the shortest form that reads back the same,
// texts unchanged, NULL as the empty text.
std::string ValueText(const TSqlValue& value);

// [{"column":value,...},...] in row order; numbers as JSON numbers, texts as JSON strings
// (quote, backslash and control characters escaped; other bytes unchanged), NULL as null.
// Raises EDatabaseError for a number JSON cannot hold (infinity).
std::string ResultJSON(const TSqlResult& result);

}  // namespace orvo::host
