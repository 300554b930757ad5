#include "module/LogArchive.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <vector>

#include "module/LogCompress.h"
#include "platform/AppendFile.h"
#include "platform/DateTime.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"

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
    return !entry.IsFolder && !entry.Name.empty() && entry.Name[0] != '.' && EndsWithLogNoCase(entry.Name) &&
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

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Moves the finished archive to the first free name: "<target>", then "<stem> (2).synlz"...
// Returns the name taken, or "" when none was.
std::string PlaceUnderFreeName(const std::string& pending, const std::string& target) {
    constexpr std::string_view kExtension = ".synlz";
    const std::string stem = target.substr(0, target.size() - kExtension.size());
    for (int n = 1; n <= kMostNamesTried; ++n) {
        const std::string name = n == 1 ? target : stem + " (" + std::to_string(n) + ")" + std::string(kExtension);
        if (platform::RenameIfFree(pending, name)) return name;
        if (!platform::PathExists(name)) return {};  // failed for another reason than a taken name
    }
    return {};
}

bool ArchiveFile(const std::string& source, const std::string& target) {
    // A log that a running program still writes to, though idle for days, is left to it: its
    // next lines would go to a deleted file.
    if (platform::IsOpenForAppending(source)) return false;
    const std::string pending = target + ".tmp";
    if (!WriteGzipCopy(source, pending)) return false;
    const std::string placed = PlaceUnderFreeName(pending, target);
    if (placed.empty()) {
        platform::RemoveFile(pending);
        return false;
    }
    // The original must go, or the next pass would archive it a second time.
    if (platform::RemoveFile(source)) return true;
    platform::RemoveFile(placed);
    return false;
}
}  // namespace

void ArchiveOldLogs(const std::string& logFolder, const std::string& hostProgramPath, TDateTime now) {
    const std::string hostFolder = FolderOf(hostProgramPath);
    if (hostFolder.empty()) return;
    std::vector<platform::TFolderEntry> due = platform::ListFolder(logFolder);
    std::erase_if(due, [now](const platform::TFolderEntry& e) { return !IsDue(e, now); });
    if (due.empty()) return;
    std::sort(due.begin(), due.end(), [](const auto& a, const auto& b) { return a.Name < b.Name; });

    const std::string root = hostFolder + "log";
    if (!platform::CreateFolder(root)) return;
    std::string month;  // fixed by the first file archived
    for (const platform::TFolderEntry& entry : due) {
        const std::string candidateMonth = month.empty() ? YearMonth(entry.LastChange) : month;
        const std::string folder = WithSeparator(root) + candidateMonth;
        if (!platform::CreateFolder(folder)) continue;
        if (ArchiveFile(WithSeparator(logFolder) + entry.Name, WithSeparator(folder) + entry.Name + ".synlz"))
            month = candidateMonth;
    }
}

}  // namespace orvo
