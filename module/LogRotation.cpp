#include "module/LogRotation.h"

#include <cstdio>
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
// still fits in a file name. The cut falls inside the name: the folder is kept whole. A cut stem
// ends in "~" and a hash of the whole live name, so "X.log", "X-.log" and "X--.log" keep chains
// of their own however long X is.
std::string ChainStem(const std::string& livePath, bool* cut = nullptr) {
    constexpr std::string_view kLive = ".log", kLongestEnding = ".9.synlz";
    constexpr size_t kMarkLength = 17;  // "~" and 16 hexadecimal digits
    std::string stem = livePath;
    if (stem.ends_with(kLive)) stem.resize(stem.size() - kLive.size());
    const size_t nameStart = FolderOf(stem).size();
    const size_t mostStem = platform::kMostFileNameLength - kLongestEnding.size();
    const bool tooLong = stem.size() - nameStart > mostStem;
    if (tooLong) {
        uint64_t hash = 14695981039346656037ull;  // FNV-1a, 64 bits
        for (size_t i = nameStart; i < livePath.size(); ++i)
            hash = (hash ^ static_cast<unsigned char>(livePath[i])) * 1099511628211ull;
        char mark[kMarkLength + 1];
        std::snprintf(mark, sizeof mark, "~%016llx", static_cast<unsigned long long>(hash));
        stem.resize(nameStart + mostStem - kMarkLength);
        stem += mark;
    }
    if (cut) *cut = tooLong;
    return stem;
}

// The names a rotation passes through (see RotateIntoChain), none longer than number 9's.
struct TChainNames {
    explicit TChainNames(const std::string& livePath) : stem(ChainStem(livePath)) {}
    std::string Number(int n) const { return stem + "." + std::to_string(n) + ".synlz"; }
    std::string Pending() const { return stem + ".0.tmp"; }
    std::string SetAside() const { return stem + ".9.old"; }
    std::string Stray(int k) const { return stem + ".stray" + std::to_string(k); }
    std::string stem;
};

// Deletes the old number 9 set aside. What cannot be deleted (a folder, say) is moved out of the
// chain's way to the first free stray name, which setAsideTo tells; otherwise every rotation would
// stop at it.
platform::TFileStatus ClearSetAside(const TChainNames& names, std::string& setAsideTo) {
    platform::TFileStatus removed = platform::RemoveFile(names.SetAside());
    for (int k = 1; !removed && k <= kRotatedFilesKept; ++k) {
        if (platform::RenameIfFree(names.SetAside(), names.Stray(k))) {
            setAsideTo = names.Stray(k);
            return {};
        }
    }
    return removed;
}

// States 3 and 4: once the commit's name is on the disk, empties the live file.
platform::TFileStatus Finish(const TChainNames& names, platform::TAppendFile& live, std::string& setAsideTo) {
    if (auto synced = platform::SyncFolder(std::string(FolderOf(names.stem))); !synced) return synced;
    if (auto emptied = live.Truncate(); !emptied) return emptied;
    // Should it resist, the next rotation stops at it and says so; nothing is lost.
    ClearSetAside(names, setAsideTo);
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
    TRotation rotation;
    // Left by a rotation that could not delete it; it must go before number 9 can take its place.
    if (!(rotation.Status = ClearSetAside(names, rotation.SetAsideTo))) return rotation;
    if (!(rotation.Status = WriteGzipCopy(ReadFromStart(live), names.Pending(), live.Permissions()))) return rotation;
    platform::TFileStatus& status = rotation.Status;
    TMoves moves;
    for (int n = kRotatedFilesKept; status && n >= 1; --n) {
        if (!platform::PathExists(names.Number(n))) continue;
        status = moves.Move(names.Number(n), n == kRotatedFilesKept ? names.SetAside() : names.Number(n + 1));
    }
    if (status) status = platform::RenameIfFree(names.Pending(), names.Number(1));
    if (!status) {
        moves.UndoAll();
        platform::RemoveFile(names.Pending());
        return rotation;
    }
    rotation.Committed = true;
    status = Finish(names, live, rotation.SetAsideTo);
    return rotation;
}

TRotation RecoverRotation(const std::string& livePath, platform::TAppendFile& live) {
    const TChainNames names(livePath);
    TRotation recovery;
    if (platform::PathExists(names.Pending())) {
        MoveBackDown(names);
    } else if (live.Size() > 0 && IsGzipCopyOf(names.Number(1), ReadFromStart(live), live.Size())) {
        recovery.Status = Finish(names, live, recovery.SetAsideTo);
    } else {
        ClearSetAside(names, recovery.SetAsideTo);
    }
    return recovery;
}

}  // namespace orvo
