#include "common/clsSQLStatements.h"

#include <algorithm>
#include <vector>

namespace orvo {
namespace {

constexpr size_t kStatementCount = std::size(kSQLStatements);

// Each line filled out with blanks to the width of the longest.
std::string Padded(std::string_view text) {
    std::vector<std::string_view> lines;
    for (size_t from = 0, at = 0; at != std::string_view::npos; from = at + 2)
        lines.push_back(text.substr(from, (at = text.find("\r\n", from)) - from));
    size_t width = 0;
    for (std::string_view line : lines) width = std::max(width, line.size());
    std::string out;
    for (std::string_view line : lines)
        out.append(out.empty() ? "" : "\r\n").append(line).append(width - line.size(), ' ');
    return out;
}

}  // namespace

const std::string& SQLText(TSQL id) {
    static const std::array<std::string, kStatementCount> texts = [] {
        std::array<std::string, kStatementCount> out;
        for (size_t i = 0; i < kStatementCount; ++i)
            out[i] = kSQLStatements[i].padded ? Padded(kSQLStatements[i].text) : std::string(kSQLStatements[i].text);
        return out;
    }();
    return texts[size_t(id)];
}

std::string sql_detail::Prepared(TSQLKind kind, std::string_view text) {
    std::string quoted = QuotedSQL(text);
    return kind == TSQLKind::Quoted ? quoted : quoted.substr(1, quoted.size() - 2);
}

}  // namespace orvo
