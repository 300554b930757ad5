#include "module/LogRotation.h"

#include <utility>
#include <vector>

#include "module/LogCompress.h"

namespace orvo {
namespace {
// The renames made so far, so that they can be undone.
class TMoves {
public:
    platform::TFileStatus Move(const std::string& from, const std::string& to) {
        platform::TFileStatus moved = platform::RenameIfFree(from, to);
        if (moved) done_.emplace_back(from, to);
        return moved;
    }
    void UndoAll() {
        for (auto move = done_.rbegin(); move != done_.rend(); ++move)
            platform::RenameIfFree(move->second, move->first);
        done_.clear();
    }

private:
    std::vector<std::pair<std::string, std::string>> done_;
};
}  // namespace

std::string RotatedName(const std::string& livePath, int number) {
    constexpr std::string_view kLive = ".log";
    std::string name = livePath;
    if (name.ends_with(kLive)) name.resize(name.size() - kLive.size());
    return name + "." + std::to_string(number) + ".synlz";
}

platform::TFileStatus RotateIntoChain(const std::string& livePath) {
    const std::string first = RotatedName(livePath, 1);
    const std::string pending = first + ".tmp";
    const std::string setAside = RotatedName(livePath, kRotatedFilesKept) + ".old";
    {
        platform::TReadFile live;
        if (auto opened = live.Open(livePath, platform::TReadFile::TSharing::WithWriter); !opened) return opened;
        if (auto copied = WriteGzipCopy(live, pending); !copied) return copied;
    }
    // Left by a rotation that could not delete it; it must go before number 9 can take its place.
    platform::TFileStatus status = platform::RemoveFile(setAside);
    TMoves moves;
    for (int n = kRotatedFilesKept; status && n >= 1; --n) {
        const std::string older = RotatedName(livePath, n);
        if (!platform::PathExists(older)) continue;
        status = moves.Move(older, n == kRotatedFilesKept ? setAside : RotatedName(livePath, n + 1));
    }
    if (status) status = moves.Move(pending, first);
    if (!status) {
        moves.UndoAll();
        platform::RemoveFile(pending);
        return status;
    }
    // Should it resist deleting, the next rotation stops at it and says so; nothing is lost.
    platform::RemoveFile(setAside);
    return {};
}

}  // namespace orvo
