// A file opened for appending whose every Write is one system call: what returns has been
// handed to the operating system, so a crash of the process loses nothing already written.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/UniqueHandle.h"

namespace orvo::platform {

class TAppendFile {
public:
    // Opens or creates path for appending. A file has one writer: while it is open no other
    // TAppendFile, of this process or another, can open it, and it cannot be deleted, renamed or
    // archived from under it (Windows: not shared for writing or deleting; elsewhere: an
    // exclusive flock). Readers can open it all the time. Only a regular file is opened, never
    // through a link put at its name (its target would be written to and then emptied): a link,
    // folder, device or pipe is refused.
    // A file made by the open takes permissions (POSIX mode bits, less the umask; Windows: the
    // folder's), so a copy is never readable by more users than its original. After the lock is
    // taken the file is checked to be still the one at path (POSIX: inode and device), so an open
    // never ends up writing to a file deleted or replaced meanwhile; it is opened again then.
    TFileStatus Open(const std::string& path, uint32_t permissions = kDefaultPermissions);
    static constexpr uint32_t kDefaultPermissions = 0644;
    bool IsOpen() const noexcept { return bool(handle_); }
    // The file's size: read from the file system when it was opened, then counted.
    uint64_t Size() const noexcept { return end_; }
    // Writes all bytes or none: a write the disk or the file size limit cannot take whole is
    // taken back, so no half line stays behind for the next one to run into. The limit is the
    // one in force when the file was opened: it is read once, not at every line.
    TFileStatus Write(std::string_view bytes);
    // Empties the file; later writes go to its new end.
    TFileStatus Truncate();
    // Reads up to size bytes at offset through the writer's own handle (never by name); count is 0
    // at the end. Later writes still go to the end.
    TFileStatus ReadAt(uint64_t offset, char* buffer, size_t size, size_t& count) const;
    // The permissions of the file (POSIX mode bits; Windows: kDefaultPermissions).
    uint32_t Permissions() const noexcept { return permissions_; }
    // Hands what was written to the disk (fsync, FlushFileBuffers), for a power cut to keep it.
    TFileStatus Sync() const;
    // The file's last count bytes, or all of it when it is shorter ("" when they cannot be read).
    std::string LastBytes(size_t count) const;
    void Close() noexcept { handle_.Reset(); }

private:
    // Each implementation: opens path for its one writer and reads its size.
    static TFileStatus OpenForAppending(const std::string& path, uint32_t permissions, TFileHandle& handle,
                                        uint64_t& size, uint32_t& actualPermissions);
    // Writes the first count bytes (at least one) of bytes.
    static TFileStatus WriteSome(TFileHandle::Handle handle, std::string_view bytes, size_t& count,
                                 const std::string& path);
    // Moves the end of the file to size; later writes go to the new end.
    static bool CutAt(TFileHandle::Handle handle, uint64_t size);
    // Reads up to count bytes at offset into buffer, fewer only at the end; later writes still go
    // to the end.
    static bool ReadSome(TFileHandle::Handle handle, uint64_t offset, char* buffer, size_t count, size_t& got);
    static bool SyncHandle(TFileHandle::Handle handle);

    TFileHandle handle_;
    std::string path_;
    uint64_t end_ = 0;  // the file's size: no one else writes to it
    uint64_t sizeLimit_ = UINT64_MAX;
    uint32_t permissions_ = kDefaultPermissions;
};

}  // namespace orvo::platform
