#include "module/LogArchive.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <vector>

#include "module/LogCompress.h"
#include "module/LogRotation.h"
#include "platform/DateTime.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "values/Path.h"

namespace orvo {
namespace {
constexpr int kMinimumAgeDays = 2;
constexpr int kMostNamesTried = 100;

bool EndsWithLogNoCase(std::string_view name) {
    constexpr std::string_view kSuffix = ".log";
    return name.size() >= kSuffix.size() &&
           std::equal(kSuffix.begin(), kSuffix.end(), name.end() - kSuffix.size(),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

bool IsDue(const platform::TFolderEntry& entry, TDateTime now) {
    // Compared in whole milliseconds, so a file exactly two days old counts as old enough.
    const long long ageMs = std::llround((now - entry.LastChange) * 86400000.0);
    return entry.IsRegularFile && !entry.Name.empty() && entry.Name[0] != '.' && EndsWithLogNoCase(entry.Name) &&
           ageMs >= kMinimumAgeDays * 86400000LL;
}

std::string YearMonth(TDateTime value) {
    const TDateParts parts = DecodeDateTime(value);
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d", parts.Year, parts.Month);
    return text;
}

std::string WithSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += platform::kPathSeparator;
    return folder;
}

// Name n of an archive: "<target>" first, then "<stem> (2).synlz" and so on.
std::string ArchiveName(const std::string& target, int n) {
    constexpr std::string_view kExtension = ".synlz";
    if (n == 1) return target;
    return target.substr(0, target.size() - kExtension.size()) + " (" + std::to_string(n) + ")" +
           std::string(kExtension);
}

bool IsMonthName(std::string_view name) {
    return name.size() == 6 && std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// One pass over the due logs of a folder, filing them under root/<YYYYMM>.
class TArchivePass {
public:
    TArchivePass(std::string hostFolder, std::string root)
        : hostFolder_(std::move(hostFolder)), root_(std::move(root)) {}

    // Makes root and notes its month folders, where an earlier pass may have left a copy.
    platform::TFileStatus Start() {
        if (auto made = platform::CreateFolder(root_); !made) return made;
        std::vector<platform::TFolderEntry> entries;
        if (auto listed = platform::ListFolder(root_, entries); !listed) return listed;
        for (platform::TFolderEntry& entry : entries)
            if (!entry.IsRegularFile && IsMonthName(entry.Name)) months_.push_back(std::move(entry));
        return {};
    }

    platform::TFileStatus Archive(const std::string& source, const platform::TFolderEntry& entry) {
        // Held from the copy to the deletion: a log that a running program still writes to,
        // though idle for days, is refused (its next lines would go to a deleted file), and no
        // program can start writing to it meanwhile.
        platform::TReadFile in;
        if (auto opened = in.Open(source, platform::TReadFile::TSharing::Exclusive); !opened) return opened;
        const auto isCopy = [&in](const std::string& name) {
            return IsGzipCopyOf(name, ReadFromStart(in), in.SizeAtOpen());
        };
        // The file's lines may stand elsewhere already: in its chain's number 1, when a rotation
        // was stopped after its commit, or in an archive, when a pass was stopped before deleting
        // the file. Then only the deletion is left to do. That pass filed it under the month it
        // had fixed, which may be any: each month folder changed since the file was is looked
        // into. The copy went in once the file was two days old, so a folder dated before the
        // file holds none, even by a clock a day off; a log folder of many months costs one listing.
        const std::string month = month_.empty() ? YearMonth(entry.LastChange) : month_;
        std::string copy = RotatedName(source, 1);
        if (!isCopy(copy)) copy.clear();
        for (size_t m = 0; copy.empty() && m < months_.size(); ++m)
            if (months_[m].Name != month && months_[m].LastChange >= entry.LastChange)
                copy = FindArchive(months_[m].Name, entry.Name, isCopy).copy;
        const bool filedHere = copy.empty();  // under month: the first such file fixes the pass's month
        if (filedHere) {
            const std::string folder = WithSeparator(root_) + month;
            if (auto made = platform::CreateFolder(folder); !made) return made;
            const TFound found = FindArchive(month, entry.Name, isCopy);
            copy = found.copy;
            if (copy.empty()) {
                if (found.free.empty())
                    return platform::TFileStatus::Refused(
                        source, "All " + std::to_string(kMostNamesTried) + " names of its archive are taken");
                const std::string pending = WithSeparator(folder) + entry.Name + ".synlz.tmp";
                if (auto copied = WriteGzipCopy(ReadFromStart(in), pending, in.Permissions()); !copied) return copied;
                if (auto placed = platform::RenameIfFree(pending, found.free); !placed) {
                    platform::RemoveFile(pending);
                    return placed;
                }
                copy = found.free;
            }
        }
        if (auto settled = Settle(copy); !settled) return settled;
        // The original must go, or the next pass would find it again (and only delete it then).
        platform::TFileStatus removed = platform::RemoveFile(source);
        if (removed && filedHere) month_ = month;
        return removed;
    }

private:
    struct TFound {
        std::string copy;  // an archive holding the file's content
        std::string free;  // else the first free name
    };
    // Walks the names of name's archives in month, "<name>.synlz", "<name> (2).synlz" and so on,
    // up to the first free one.
    template <class IsCopy>
    TFound FindArchive(const std::string& month, const std::string& name, const IsCopy& isCopy) const {
        const std::string target = WithSeparator(WithSeparator(root_) + month) + name + ".synlz";
        for (int n = 1; n <= kMostNamesTried; ++n) {
            std::string candidate = ArchiveName(target, n);
            if (!platform::PathExists(candidate)) return {{}, std::move(candidate)};
            if (isCopy(candidate)) return {std::move(candidate), {}};
        }
        return {};
    }
    // The copy's name on the disk before the original goes, and once a pass those of the folders
    // above it that archiving makes: a power cut must not take a folder (and the archives in it)
    // that a pass made, or one that was killed before syncing it, after the originals are gone.
    platform::TFileStatus Settle(const std::string& copy) {
        if (auto synced = platform::SyncFolder(std::string(FolderOf(copy))); !synced) return synced;
        if (parentsSynced_ || !copy.starts_with(WithSeparator(root_))) return {};
        for (const std::string& folder : {root_, hostFolder_})
            if (auto synced = platform::SyncFolder(folder); !synced) return synced;
        parentsSynced_ = true;
        return {};
    }

    std::string hostFolder_, root_, month_;
    std::vector<platform::TFolderEntry> months_;
    bool parentsSynced_ = false;
};
}  // namespace

std::vector<platform::TFileStatus> ArchiveOldLogs(const std::string& logFolder, const std::string& hostProgramPath,
                                                  TDateTime now) {
    std::vector<platform::TFileStatus> failures;
    const std::string hostFolder(FolderOf(hostProgramPath));
    if (hostFolder.empty()) return failures;
    std::vector<platform::TFolderEntry> due;
    if (auto listed = platform::ListFolder(logFolder, due); !listed) return {listed};
    std::erase_if(due, [now](const platform::TFolderEntry& e) { return !IsDue(e, now); });
    if (due.empty()) return failures;
    std::sort(due.begin(), due.end(), [](const auto& a, const auto& b) { return a.Name < b.Name; });

    TArchivePass pass(hostFolder, hostFolder + "log");
    if (auto started = pass.Start(); !started) return {started};
    for (const platform::TFolderEntry& entry : due) {
        platform::TFileStatus status = pass.Archive(WithSeparator(logFolder) + entry.Name, entry);
        if (!status && !status.InUse()) failures.push_back(std::move(status));
    }
    return failures;
}

}  // namespace orvo
