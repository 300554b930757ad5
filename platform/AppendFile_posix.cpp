#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/AppendFile.h"

namespace orvo::platform {

bool TAppendFile::Open(const std::string& path) {
    Close();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    // A shared advisory lock marks the file as in use; any number of writers may hold one.
    ::flock(fd, LOCK_SH | LOCK_NB);
    handle_ = fd;
    sizeAtOpen_ = uint64_t(st.st_size);
    return true;
}

bool IsOpenForAppending(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

bool TAppendFile::Write(std::string_view bytes) {
    uint64_t written = 0;
    while (!bytes.empty()) {
        const ssize_t n = ::write(handle_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            // A full disk took part of the bytes: cut them off again, so no half line stays
            // behind for the next one to run into.
            struct stat st {};
            if (written > 0 && ::fstat(handle_, &st) == 0 && uint64_t(st.st_size) >= written)
                (void)::ftruncate(handle_, off_t(uint64_t(st.st_size) - written));
            return false;
        }
        bytes.remove_prefix(size_t(n));
        written += uint64_t(n);
    }
    return true;
}

bool TAppendFile::Truncate() { return ::ftruncate(handle_, 0) == 0; }

void TAppendFile::Close() {
    if (handle_ != kInvalid) ::close(handle_);
    handle_ = kInvalid;
}

}  // namespace orvo::platform
