#include "values/Path.h"

namespace orvo {
namespace {
constexpr std::string_view kSeparators = "/\\";
}  // namespace

std::string_view FileNameOf(std::string_view path) {
    const size_t separator = path.find_last_of(kSeparators);
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

std::string_view FolderOf(std::string_view path) {
    const size_t separator = path.find_last_of(kSeparators);
    return separator == std::string_view::npos ? std::string_view() : path.substr(0, separator + 1);
}

}  // namespace orvo
