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

platform::TFileStatus ArchiveFile(const std::string& source, const std::string& target) {
    // Held from the copy to the deletion: a log that a running program still writes to, though
    // idle for days, is refused (its next lines would go to a deleted file), and no program can
    // start writing to it meanwhile.
    platform::TReadFile in;
    if (auto opened = in.Open(source, platform::TReadFile::TSharing::Exclusive); !opened) return opened;
    const auto isCopy = [&in](const std::string& name) {
        return IsGzipCopyOf(name, ReadFromStart(in), in.SizeAtOpen());
    };
    // The file's lines may stand elsewhere already: in its chain's number 1, when a rotation was
    // stopped after its commit, or in an archive, when an archiving was stopped before deleting
    // the file. Then only the deletion is left to do; otherwise the copy takes the first free name.
    bool archived = isCopy(RotatedName(source, 1));
    std::string free;
    for (int n = 1; !archived && free.empty() && n <= kMostNamesTried; ++n) {
        const std::string name = ArchiveName(target, n);
        if (!platform::PathExists(name)) {
            free = name;
        } else {
            archived = isCopy(name);
        }
    }
    if (!archived) {
        if (free.empty())
            return platform::TFileStatus::Refused(source, "All " + std::to_string(kMostNamesTried) +
                                                              " names of its archive are taken");
        const std::string pending = target + ".tmp";
        if (auto copied = WriteGzipCopy(ReadFromStart(in), pending, in.Permissions()); !copied) return copied;
        platform::TFileStatus placed = platform::RenameIfFree(pending, free);
        // The archive's name on the disk before the original goes.
        if (placed) placed = platform::SyncFolder(std::string(FolderOf(target)));
        if (!placed) {
            platform::RemoveFile(pending);
            return placed;
        }
    }
    // The original must go, or the next pass would find it again (and only delete it then).
    return platform::RemoveFile(source);
}
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

    const std::string root = hostFolder + "log";
    if (auto made = platform::CreateFolder(root); !made) return {made};
    std::string month;  // fixed by the first file archived
    for (const platform::TFolderEntry& entry : due) {
        const std::string candidateMonth = month.empty() ? YearMonth(entry.LastChange) : month;
        const std::string folder = WithSeparator(root) + candidateMonth;
        platform::TFileStatus status = platform::CreateFolder(folder);
        if (status)
            status = ArchiveFile(WithSeparator(logFolder) + entry.Name, WithSeparator(folder) + entry.Name + ".synlz");
        if (status) {
            month = candidateMonth;
        } else if (!status.InUse()) {
            failures.push_back(std::move(status));
        }
    }
    return failures;
}

}  // namespace orvo
