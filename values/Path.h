// Paths as text: the folder and the file name of a path written with either platform's
// separators ("/" or "\"), as the module's own path and the host program's arrive.
#pragma once
#include <string_view>

namespace orvo {

// The part after the last separator; the whole path when it has none.
std::string_view FileNameOf(std::string_view path);
// The part up to and including the last separator; empty when the path has none.
std::string_view FolderOf(std::string_view path);

}  // namespace orvo
