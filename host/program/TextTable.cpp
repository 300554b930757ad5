#include "host/program/TextTable.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace orvo::host {

std::string AlignedTable(const TSqlResult& result, const std::string& indent) {
    std::vector<size_t> widths;
    for (const std::string& column : result.columns) widths.push_back(column.size());
    for (const auto& row : result.rows)
        for (size_t c = 0; c < row.size() && c < widths.size(); ++c)
            widths[c] = std::max(widths[c], ValueText(row[c]).size());
    auto line = [&](auto&& cell) {
        std::string text = indent;
        for (size_t c = 0; c < widths.size(); ++c) {
            const auto [value, right] = cell(c);
            const std::string padding(widths[c] - value.size(), ' ');
            text += right ? padding + value : value + padding;
            if (c + 1 < widths.size()) text += "  ";
        }
        text.erase(text.find_last_not_of(' ') + 1);
        return text + "\n";
    };
    std::string table = line([&](size_t c) { return std::pair{result.columns[c], false}; });
    for (const auto& row : result.rows)
        table += line([&](size_t c) {
            const bool number = row[c].kind == TSqlValue::Kind::Integer || row[c].kind == TSqlValue::Kind::Real;
            return std::pair{ValueText(row[c]), number};
        });
    return table;
}

std::string ShellQuoted(const std::filesystem::path& path) {
    std::string quoted = "'";
    for (const char c : path.string()) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace orvo::host
