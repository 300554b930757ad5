#include "module/LogRotation.h"

#include <utility>
#include <vector>

#include "module/LogCompress.h"
#include "values/Path.h"

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

// The live file's path without ".log", cut so that the longest name made from it, "<stem>.9.synlz",
// still fits in a file name. The cut falls inside the name: the folder is kept whole.
std::string ChainStem(const std::string& livePath, bool* cut = nullptr) {
    constexpr std::string_view kLive = ".log", kLongestEnding = ".9.synlz";
    std::string stem = livePath;
    if (stem.ends_with(kLive)) stem.resize(stem.size() - kLive.size());
    const size_t nameStart = FolderOf(stem).size();
    const size_t mostStem = platform::kMostFileNameLength - kLongestEnding.size();
    const bool tooLong = stem.size() - nameStart > mostStem;
    if (tooLong) stem.resize(nameStart + mostStem);
    if (cut) *cut = tooLong;
    return stem;
}

// The names a rotation passes through (see RotateIntoChain), none longer than number 9's.
struct TChainNames {
    explicit TChainNames(const std::string& livePath) : stem(ChainStem(livePath)) {}
    std::string Number(int n) const { return stem + "." + std::to_string(n) + ".synlz"; }
    std::string Pending() const { return stem + ".0.tmp"; }
    std::string Committed() const { return Number(0); }
    std::string SetAside() const { return stem + ".9.old"; }
    std::string stem;
};

// States 3 to 5: empties the live file and numbers the copy 1.
platform::TFileStatus Finish(const TChainNames& names, platform::TAppendFile& live) {
    if (auto emptied = live.Truncate(); !emptied) return emptied;
    if (auto numbered = platform::RenameIfFree(names.Committed(), names.Number(1)); !numbered) return numbered;
    // Should it resist deleting, the next rotation stops at it and says so; nothing is lost.
    platform::RemoveFile(names.SetAside());
    return {};
}

// Undoes states 1 and 2: the chain's files move down into the free numbers, oldest last, so the
// chain keeps its order (a gap it had before closes too), and the set-aside number 9 comes back
// behind them. The pending copy goes last: while it stands, the next open undoes again.
void MoveBackDown(const TChainNames& names) {
    int next = 1;  // the lowest number not yet taken back
    for (int n = 1; n <= kRotatedFilesKept; ++n) {
        if (!platform::PathExists(names.Number(n))) continue;
        if (n != next && !platform::RenameIfFree(names.Number(n), names.Number(next))) next = n;
        ++next;
    }
    if (next <= kRotatedFilesKept) platform::RenameIfFree(names.SetAside(), names.Number(next));
    platform::RemoveFile(names.Pending());
}
}  // namespace

std::string RotatedName(const std::string& livePath, int number) { return TChainNames(livePath).Number(number); }

bool RotatedNamesCut(const std::string& livePath) {
    bool cut = false;
    ChainStem(livePath, &cut);
    return cut;
}

TRotation RotateIntoChain(const std::string& livePath, platform::TAppendFile& live) {
    const TChainNames names(livePath);
    // Left by a rotation that could not delete it; it must go before number 9 can take its place.
    if (auto cleared = platform::RemoveFile(names.SetAside()); !cleared) return {cleared};
    {
        platform::TReadFile content;
        if (auto opened = content.Open(livePath, platform::TReadFile::TSharing::WithWriter); !opened) return {opened};
        if (auto copied = WriteGzipCopy(content, names.Pending()); !copied) return {copied};
    }
    platform::TFileStatus status;
    TMoves moves;
    for (int n = kRotatedFilesKept; status && n >= 1; --n) {
        if (!platform::PathExists(names.Number(n))) continue;
        status = moves.Move(names.Number(n), n == kRotatedFilesKept ? names.SetAside() : names.Number(n + 1));
    }
    if (status) status = platform::RenameIfFree(names.Pending(), names.Committed());
    if (!status) {
        moves.UndoAll();
        platform::RemoveFile(names.Pending());
        return {status};
    }
    return {Finish(names, live), true};
}

platform::TFileStatus RecoverRotation(const std::string& livePath, platform::TAppendFile& live) {
    const TChainNames names(livePath);
    if (platform::PathExists(names.Committed())) return Finish(names, live);
    if (platform::PathExists(names.Pending())) {
        MoveBackDown(names);
    } else {
        platform::RemoveFile(names.SetAside());
    }
    return {};
}

}  // namespace orvo
