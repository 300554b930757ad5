#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/AppendFile.h"

namespace orvo::platform {

TFileStatus TAppendFile::OpenForAppending(const std::string& path, TFileHandle& handle, uint64_t& size) {
    // Without O_NONBLOCK opening a pipe put under the log's name would wait for a reader;
    // O_NOFOLLOW refuses a link (ELOOP), also one to nowhere, which O_CREAT would create. Read
    // access is for LastBytes.
    TFileHandle fd(::open(path.c_str(), O_RDWR | O_CREAT | O_APPEND | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW, 0644));
    if (!fd) return TFileStatus::LastError(path);
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) return TFileStatus::LastError(path);
    if (!S_ISREG(st.st_mode)) return TFileStatus::NotRegularFile(path);
    // One writer per file: the lock belongs to this open, so a second one fails even in this process.
    if (::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) return TFileStatus::LastError(path);
    if (::fstat(fd.Get(), &st) != 0) return TFileStatus::LastError(path);  // the size, now that it is ours
    handle = std::move(fd);
    size = uint64_t(st.st_size);
    return {};
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

bool TAppendFile::ReadAt(int fd, uint64_t offset, char* buffer, size_t count) {
    for (size_t done = 0; done < count;) {
        const ssize_t n = ::pread(fd, buffer + done, count - done, off_t(offset + done));
        if (n > 0) {
            done += size_t(n);
        } else if (n == 0 || errno != EINTR) {
            return false;
        }
    }
    return true;
}

}  // namespace orvo::platform
