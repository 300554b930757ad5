#include "host/sqlite/SqlResult.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "host/sqlite/SqlError.h"
#include "host/sqlite/SqlTokenizer.h"

namespace orvo::host {
namespace {

// The shortest text that reads back the same value; without an exponent unless that would
// take more than a few leading or trailing zeros.
std::string ShortestReal(double value) {
    char buffer[400];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (error != std::errc() || end - buffer > 24) end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

void AppendJSONString(std::string& out, std::string_view text) {
    out += '"';
    for (char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04x", unsigned(c));
                    out += escape;
                } else {
                    out += c;
                }
        }
    }
    out += '"';
}

void AppendJSONValue(std::string& out, const TSqlValue& value) {
    switch (value.kind) {
        case TSqlValue::Kind::Null:
            out += "null";
            break;
        case TSqlValue::Kind::Integer:
            out += std::to_string(value.integer);
            break;
        case TSqlValue::Kind::Real:
            if (!std::isfinite(value.real)) throw EDatabaseError("A result holds a number JSON cannot write");
            out += ShortestReal(value.real);
            break;
        case TSqlValue::Kind::Text:
            AppendJSONString(out, value.text);
            break;
    }
}

}  // namespace

int TSqlResult::ColumnIndex(std::string_view name) const {
    for (size_t i = 0; i < columns.size(); ++i)
        if (sql::SameWord(columns[i], name)) return int(i);
    return -1;
}

std::string ValueText(const TSqlValue& value) {
    switch (value.kind) {
        case TSqlValue::Kind::Null:
            break;
        case TSqlValue::Kind::Integer:
            return std::to_string(value.integer);
        case TSqlValue::Kind::Real:
            return ShortestReal(value.real);
        case TSqlValue::Kind::Text:
            return value.text;
    }
    return {};
}

std::string ResultJSON(const TSqlResult& result) {
    std::string out = "[";
    for (size_t r = 0; r < result.rows.size(); ++r) {
        out += r ? ",{" : "{";
        for (size_t c = 0; c < result.columns.size(); ++c) {
            if (c) out += ',';
            AppendJSONString(out, result.columns[c]);
            out += ':';
            AppendJSONValue(out, result.rows[r][c]);
        }
        out += '}';
    }
    out += ']';
    return out;
}

}  // namespace orvo::host
