// File-system operations of the log's rotation and archiving. Each is one or two system calls,
// starts no thread and loads nothing, so it may run inside the library's unload notification.
// Each reports what the system said when it failed, so the log can write why.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "interfaces/OrvoTypes.h"
#include "platform/UniqueHandle.h"

namespace orvo::platform {

// The longest name of one file (one part of a path) that the file systems take, in bytes.
inline constexpr size_t kMostFileNameLength = 255;

// The outcome of an operation on a file: success, or the system's error code (errno;
// GetLastError on Windows), its text and the file it concerned.
class TFileStatus {
public:
    TFileStatus() = default;  // success
    TFileStatus(int code, std::string path);
    // The error of the call on path that has just failed on this thread.
    static TFileStatus LastError(std::string path);
    // A failure that no system call reported, described in its own words.
    static TFileStatus Refused(std::string path, std::string message);
    // A file refused because it is a folder, a link, a device or a pipe.
    static TFileStatus NotRegularFile(std::string path) { return Refused(std::move(path), "Not a regular file"); }
    // A write refused whole because it would take the file past the process's file size limit.
    static TFileStatus TooLarge(std::string path);

    explicit operator bool() const noexcept { return code_ == 0; }
    int Code() const noexcept { return code_; }
    const std::string& Path() const noexcept { return path_; }
    // The system's text for the code and the code itself: "Permission denied (error 13)".
    const std::string& Message() const noexcept { return message_; }
    // The file is held by a writer (a TAppendFile of this or another process).
    bool InUse() const noexcept;
    // A write was refused because it would take the file past the process's file size limit.
    bool PastSizeLimit() const noexcept;

private:
    int code_ = 0;
    std::string path_;
    std::string message_;
};

struct TFolderEntry {
    std::string Name;
    // A file of its own, not a folder, link, device or pipe (a link is not followed).
    bool IsRegularFile = false;
    TDateTime LastChange = 0;  // local time; of the link itself for a link
};

// The entries of a folder, without "." and "..", in no particular order.
TFileStatus ListFolder(const std::string& folder, std::vector<TFolderEntry>& entries);

// True when path names an existing file or folder.
bool PathExists(const std::string& path);

// Creates a folder; succeeds when a folder stands at path afterwards (made now or before).
TFileStatus CreateFolder(const std::string& path);

// Renames a file, replacing a file (never a folder) already at to.
TFileStatus RenameReplacing(const std::string& from, const std::string& to);

// Renames a file only when nothing stands at to yet.
TFileStatus RenameIfFree(const std::string& from, const std::string& to);

// Deletes a file; succeeds when it is gone (also when it was not there).
TFileStatus RemoveFile(const std::string& path);

// Hands the folder's entries (names made, renamed, deleted) to the disk, so a rename survives a
// power cut (POSIX: fsync of the folder; "" is the current folder). Windows writes a rename
// through on its own: nothing to do.
TFileStatus SyncFolder(const std::string& folder);

// The size no file of the process may pass (RLIMIT_FSIZE, "ulimit -f"; the largest value when
// there is none). A write past it would raise SIGXFSZ, which ends the process unless the host
// says otherwise, and the host's signal handling is not the module's to change: such a write is
// refused whole instead, with TooLarge().
uint64_t FileSizeLimit();

// A regular file opened for reading. Opening never waits, so a pipe put under a log's name is
// refused, not waited on.
class TReadFile {
public:
    enum class TSharing {
        // The file may be open for writing meanwhile (the log reading its own live file).
        WithWriter,
        // For taking the file away: a link is not followed, the open is refused with InUse()
        // while a TAppendFile holds the file, and while it is open no TAppendFile can open it
        // and it can be deleted.
        Exclusive,
    };
    TFileStatus Open(const std::string& path, TSharing sharing);
    // Reads up to size bytes into buffer; count is 0 at the end of the file.
    TFileStatus Read(char* buffer, size_t size, size_t& count);
    // Moves to offset bytes from the start; the next Read reads from there.
    TFileStatus SeekTo(uint64_t offset);
    // The size when it was opened.
    uint64_t SizeAtOpen() const noexcept { return sizeAtOpen_; }
    // The file's permissions (POSIX mode bits; Windows: those of a new file).
    uint32_t Permissions() const noexcept { return permissions_; }
    void Close() noexcept { handle_.Reset(); }

private:
    TFileHandle handle_;
    std::string path_;
    uint64_t sizeAtOpen_ = 0;
    uint32_t permissions_ = 0644;
};

}  // namespace orvo::platform
