#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/resource.h>
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

std::string SystemErrorText(int code) {
    char buffer[256];
    return strerror_r(code, buffer, sizeof buffer);  // the GNU form: returns the text
}

TFileStatus TFileStatus::LastError(std::string path) { return TFileStatus(errno != 0 ? errno : EIO, std::move(path)); }

TFileStatus ListFolder(const std::string& folder, std::vector<TFolderEntry>& entries) {
    entries.clear();
    const TFolderStream dir(opendir(folder.c_str()));
    if (!dir) return TFileStatus::LastError(folder);
    const int dirFd = dirfd(dir.Get());
    while (const dirent* e = readdir(dir.Get())) {
        if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
        struct stat st {};
        if (fstatat(dirFd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;  // vanished meanwhile
        entries.push_back({e->d_name, S_ISREG(st.st_mode), LocalDateTime(st.st_mtim)});
    }
    return {};
}

bool PathExists(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

TFileStatus CreateFolder(const std::string& path) {
    if (mkdir(path.c_str(), 0755) == 0) return {};
    const TFileStatus failed = TFileStatus::LastError(path);
    struct stat st {};
    if (failed.Code() == EEXIST && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return {};
    return failed;
}

TFileStatus RenameReplacing(const std::string& from, const std::string& to) {
    struct stat st {};
    // rename() would also move a folder over an empty folder; a folder is never a file to replace.
    if (stat(to.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return TFileStatus(EISDIR, to);
    if (rename(from.c_str(), to.c_str()) != 0) return TFileStatus::LastError(from);
    return {};
}

TFileStatus RenameIfFree(const std::string& from, const std::string& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return {};
    if (errno != EINVAL && errno != ENOSYS) return TFileStatus::LastError(from);
    // A file system without the no-replace flag: check, then rename.
    if (PathExists(to)) return TFileStatus(EEXIST, to);
    if (rename(from.c_str(), to.c_str()) != 0) return TFileStatus::LastError(from);
    return {};
}

TFileStatus RemoveFile(const std::string& path) {
    if (unlink(path.c_str()) == 0 || errno == ENOENT) return {};
    return TFileStatus::LastError(path);
}

TFileStatus SyncFolder(const std::string& folder) {
    const TFileHandle fd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd || ::fsync(fd.Get()) != 0) return TFileStatus::LastError(folder);
    return {};
}

uint64_t FileSizeLimit() {
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return UINT64_MAX;
    return limit.rlim_cur;
}

TFileStatus TReadFile::Open(const std::string& path, TSharing sharing) {
    Close();
    // Without O_NONBLOCK opening a pipe waits for a writer, for ever at the process's exit.
    const int noLink = sharing == TSharing::Exclusive ? O_NOFOLLOW : 0;
    TFileHandle fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | noLink));
    if (!fd) return TFileStatus::LastError(path);
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) return TFileStatus::LastError(path);
    if (!S_ISREG(st.st_mode)) return TFileStatus::NotRegularFile(path);
    if (sharing == TSharing::Exclusive && ::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0)
        return TFileStatus::LastError(path);
    handle_ = std::move(fd);
    path_ = path;
    sizeAtOpen_ = uint64_t(st.st_size);
    permissions_ = uint32_t(st.st_mode & 0777);
    return {};
}

TFileStatus TReadFile::SeekTo(uint64_t offset) {
    if (::lseek(handle_.Get(), off_t(offset), SEEK_SET) < 0) return TFileStatus::LastError(path_);
    return {};
}

TFileStatus TReadFile::Read(char* buffer, size_t size, size_t& count) {
    for (;;) {
        const ssize_t n = ::read(handle_.Get(), buffer, size);
        if (n >= 0) {
            count = size_t(n);
            return {};
        }
        if (errno != EINTR) return TFileStatus::LastError(path_);
    }
}

}  // namespace orvo::platform
