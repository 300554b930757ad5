// What the host prints for a person: query rows as a heading line and one line per row, the
// columns aligned (numbers to the right, texts to the left, NULL blank), and paths as a shell
// takes them.
#pragma once
#include <filesystem>
#include <string>

#include "host/sqlite/SqlResult.h"

namespace orvo::host {

// Each line starts with indent and ends in a line feed; columns are two blanks apart.
std::string AlignedTable(const TSqlResult& result, const std::string& indent);

// A path in single quotes, each quote in it written '\'' : copied into a shell it stays one
// word, blanks and brackets included.
std::string ShellQuoted(const std::filesystem::path& path);

}  // namespace orvo::host
