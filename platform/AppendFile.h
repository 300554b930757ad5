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
    TFileStatus Open(const std::string& path);
    bool IsOpen() const noexcept { return bool(handle_); }
    // The file's size: read from the file system when it was opened, then counted.
    uint64_t Size() const noexcept { return end_; }
    // Writes all bytes or none: a write the disk or the file size limit cannot take whole is
    // taken back, so no half line stays behind for the next one to run into. The limit is the
    // one in force when the file was opened: it is read once, not at every line.
    TFileStatus Write(std::string_view bytes);
    // Empties the file; later writes go to its new end.
    TFileStatus Truncate();
    // The file's last count bytes, or all of it when it is shorter ("" when they cannot be read).
    std::string LastBytes(size_t count) const;
    void Close() noexcept { handle_.Reset(); }

private:
    // Each implementation: opens path for its one writer and reads its size.
    static TFileStatus OpenForAppending(const std::string& path, TFileHandle& handle, uint64_t& size);
    // Writes the first count bytes (at least one) of bytes.
    static TFileStatus WriteSome(TFileHandle::Handle handle, std::string_view bytes, size_t& count,
                                 const std::string& path);
    // Moves the end of the file to size; later writes go to the new end.
    static bool CutAt(TFileHandle::Handle handle, uint64_t size);
    // Reads count bytes at offset; later writes still go to the end.
    static bool ReadAt(TFileHandle::Handle handle, uint64_t offset, char* buffer, size_t count);

    TFileHandle handle_;
    std::string path_;
    uint64_t end_ = 0;  // the file's size: no one else writes to it
    uint64_t sizeLimit_ = UINT64_MAX;
};

}  // namespace orvo::platform
