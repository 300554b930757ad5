// Query rows as the host prints them for a person: a heading line and one line per row, the
// columns aligned (numbers to the right, texts to the left, NULL blank).
#pragma once
#include <string>

#include "host/sqlite/SqlResult.h"

namespace orvo::host {

// Each line starts with indent and ends in a line feed; columns are two blanks apart.
std::string AlignedTable(const TSqlResult& result, const std::string& indent);

}  // namespace orvo::host
