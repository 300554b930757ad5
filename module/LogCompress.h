// The compressed copies of the log: gzip content under the ".synlz" names, so zcat opens them.
#pragma once
#include <string>

namespace orvo {

// Writes a gzip copy of the file source to target, replacing a file already there. On failure
// whatever was written is removed again and false is returned; source is never touched.
bool WriteGzipCopy(const std::string& source, const std::string& target);

}  // namespace orvo
