#include "module/LogRotation.h"

#include "module/LogCompress.h"
#include "platform/FileSystem.h"

namespace orvo {

std::string RotatedName(const std::string& livePath, int number) {
    constexpr std::string_view kLive = ".log";
    std::string name = livePath;
    if (name.ends_with(kLive)) name.resize(name.size() - kLive.size());
    return name + "." + std::to_string(number) + ".synlz";
}

bool RotateIntoChain(const std::string& livePath) {
    // Compressed under a name of its own first, so a failure leaves the chain as it was.
    const std::string first = RotatedName(livePath, 1);
    const std::string pending = first + ".tmp";
    if (!WriteGzipCopy(livePath, pending)) return false;
    bool shifted = platform::RemoveFile(RotatedName(livePath, kRotatedFilesKept));
    for (int n = kRotatedFilesKept - 1; shifted && n >= 1; --n) {
        const std::string older = RotatedName(livePath, n);
        if (platform::PathExists(older)) shifted = platform::RenameReplacing(older, RotatedName(livePath, n + 1));
    }
    if (shifted && platform::RenameReplacing(pending, first)) return true;
    platform::RemoveFile(pending);
    return false;
}

}  // namespace orvo
