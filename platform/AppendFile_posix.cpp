#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/AppendFile.h"

namespace orvo::platform {

TFileStatus TAppendFile::OpenForAppending(const std::string& path, uint32_t permissions, TFileHandle& handle,
                                          uint64_t& size, uint32_t& actualPermissions) {
    // Another program may archive (copy and delete) the file between the open and the lock: a
    // file no longer at path when the lock is ours is let go and path opened again.
    constexpr int kMostReopens = 10;
    for (int reopen = 0;; ++reopen) {
        // Without O_NONBLOCK opening a pipe put under the log's name would wait for a reader;
        // O_NOFOLLOW refuses a link (ELOOP), also one to nowhere, which O_CREAT would create. Read
        // access is for reading the file back.
        TFileHandle fd(::open(path.c_str(), O_RDWR | O_CREAT | O_APPEND | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW,
                              mode_t(permissions)));
        if (!fd) return TFileStatus::LastError(path);
        struct stat st {};
        if (::fstat(fd.Get(), &st) != 0) return TFileStatus::LastError(path);
        if (!S_ISREG(st.st_mode)) return TFileStatus::NotRegularFile(path);
        // One writer per file: the lock belongs to this open, so a second one fails even in this process.
        if (::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) return TFileStatus::LastError(path);
        if (::fstat(fd.Get(), &st) != 0) return TFileStatus::LastError(path);  // the size, now that it is ours
        struct stat atName {};
        const bool stillThere = ::lstat(path.c_str(), &atName) == 0 && atName.st_ino == st.st_ino &&
                                atName.st_dev == st.st_dev;
        if (!stillThere) {
            if (reopen == kMostReopens) return TFileStatus::Refused(path, "Replaced while being opened");
            continue;
        }
        handle = std::move(fd);
        size = uint64_t(st.st_size);
        actualPermissions = uint32_t(st.st_mode & 0777);
        return {};
    }
}

TFileStatus TAppendFile::WriteSome(int fd, std::string_view bytes, size_t& count, const std::string& path) {
    for (;;) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n > 0) {
            count = size_t(n);
            return {};
        }
        if (n == 0) return TFileStatus(ENOSPC, path);
        if (errno != EINTR) return TFileStatus::LastError(path);
    }
}

bool TAppendFile::CutAt(int fd, uint64_t size) { return ::ftruncate(fd, off_t(size)) == 0; }

bool TAppendFile::ReadSome(int fd, uint64_t offset, char* buffer, size_t count, size_t& got) {
    for (got = 0; got < count;) {
        const ssize_t n = ::pread(fd, buffer + got, count - got, off_t(offset + got));
        if (n > 0) {
            got += size_t(n);
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

bool TAppendFile::SyncHandle(int fd) { return ::fsync(fd) == 0; }

}  // namespace orvo::platform
