#include "module/LogArchive.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <vector>

#include "module/LogCompress.h"
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

// Moves the finished archive to the first free name: "<target>", then "<stem> (2).synlz"...
// and sets placed to the name taken.
platform::TFileStatus PlaceUnderFreeName(const std::string& pending, const std::string& target, std::string& placed) {
    constexpr std::string_view kExtension = ".synlz";
    const std::string stem = target.substr(0, target.size() - kExtension.size());
    platform::TFileStatus status;
    for (int n = 1; n <= kMostNamesTried; ++n) {
        const std::string name = n == 1 ? target : stem + " (" + std::to_string(n) + ")" + std::string(kExtension);
        if ((status = platform::RenameIfFree(pending, name))) {
            placed = name;
            return status;
        }
        if (!platform::PathExists(name)) return status;  // failed for another reason than a taken name
    }
    return status;
}

platform::TFileStatus ArchiveFile(const std::string& source, const std::string& target) {
    // Held from the copy to the deletion: a log that a running program still writes to, though
    // idle for days, is refused (its next lines would go to a deleted file), and no program can
    // start writing to it meanwhile.
    platform::TReadFile in;
    if (auto opened = in.Open(source, platform::TReadFile::TSharing::Exclusive); !opened) return opened;
    const std::string pending = target + ".tmp";
    if (auto copied = WriteGzipCopy(in, pending); !copied) return copied;
    std::string placed;
    if (auto moved = PlaceUnderFreeName(pending, target, placed); !moved) {
        platform::RemoveFile(pending);
        return moved;
    }
    // The original must go, or the next pass would archive it a second time.
    platform::TFileStatus removed = platform::RemoveFile(source);
    if (!removed) platform::RemoveFile(placed);
    return removed;
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
