// The compressed copies of the log: gzip content under the ".synlz" names, so zcat opens them.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "platform/AppendFile.h"
#include "platform/FileSystem.h"

namespace orvo {

// Reads the next bytes of a file being copied or compared, from where it stands; count is 0 at
// its end.
using TChunkReader = std::function<platform::TFileStatus(char* buffer, size_t size, size_t& count)>;

// Reads an open file from its first byte through its own handle.
TChunkReader ReadFromStart(platform::TReadFile& file);
TChunkReader ReadFromStart(const platform::TAppendFile& file);

// Writes a gzip copy of what source reads to its end to target, made with permissions (those of
// the original, so the copy is readable by no one who cannot read it), replacing a file (never a
// folder) already there. On success the copy has reached the disk; on failure whatever was
// written is removed again.
platform::TFileStatus WriteGzipCopy(const TChunkReader& source, const std::string& target, uint32_t permissions);

// True when the file at path, a regular file and not a link, holds one complete gzip stream whose
// content is exactly the size bytes source reads: the proof that path is a copy of that file.
// Cheap when it is not: the length the stream records is compared first.
bool IsGzipCopyOf(const std::string& path, const TChunkReader& source, uint64_t size);

}  // namespace orvo
