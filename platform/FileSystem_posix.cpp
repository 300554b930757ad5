#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/DateTime.h"
#include "platform/FileSystem.h"

namespace orvo::platform {
namespace {
TDateTime LocalDateTime(const timespec& t) {
    tm local{};
    localtime_r(&t.tv_sec, &local);
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           EncodeTime(local.tm_hour, local.tm_min, local.tm_sec < 60 ? local.tm_sec : 59, int(t.tv_nsec / 1000000));
}
}  // namespace

std::vector<TFolderEntry> ListFolder(const std::string& folder) {
    std::vector<TFolderEntry> entries;
    DIR* dir = opendir(folder.c_str());
    if (!dir) return entries;
    const int dirFd = dirfd(dir);
    while (const dirent* e = readdir(dir)) {
        if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
        struct stat st {};
        if (fstatat(dirFd, e->d_name, &st, 0) != 0) continue;  // vanished meanwhile
        entries.push_back({e->d_name, S_ISDIR(st.st_mode), LocalDateTime(st.st_mtim)});
    }
    closedir(dir);
    return entries;
}

bool PathExists(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

bool CreateFolder(const std::string& path) {
    if (mkdir(path.c_str(), 0755) == 0) return true;
    struct stat st {};
    return errno == EEXIST && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool RenameReplacing(const std::string& from, const std::string& to) {
    struct stat st {};
    // rename() would also move a file over an empty folder; a folder is never a file to replace.
    if (stat(to.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return false;
    return rename(from.c_str(), to.c_str()) == 0;
}

bool RenameIfFree(const std::string& from, const std::string& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // A file system without the no-replace flag: check, then rename.
    return !PathExists(to) && rename(from.c_str(), to.c_str()) == 0;
}

bool RemoveFile(const std::string& path) { return unlink(path.c_str()) == 0 || errno == ENOENT; }

}  // namespace orvo::platform
