// The compressed copies of the log: gzip content under the ".synlz" names, so zcat opens them.
#pragma once
#include <string>

#include "platform/FileSystem.h"

namespace orvo {

// Writes a gzip copy of the open file source, from where it stands to its end, to target,
// replacing a file (never a folder) already there. On failure whatever was written is removed
// again; source is only read.
platform::TFileStatus WriteGzipCopy(platform::TReadFile& source, const std::string& target);

}  // namespace orvo
