// A file opened for appending whose every Write is one system call: what returns has been
// handed to the operating system, so a crash of the process loses nothing already written.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace orvo::platform {

class TAppendFile {
public:
    TAppendFile() = default;
    TAppendFile(const TAppendFile&) = delete;
    TAppendFile& operator=(const TAppendFile&) = delete;
    ~TAppendFile() { Close(); }

    // Opens or creates path for appending, sharing it with readers and other writers. While it
    // is open, the file cannot be deleted or archived from under it (see IsOpenForAppending).
    bool Open(const std::string& path);
    bool IsOpen() const { return handle_ != kInvalid; }
    // The file's size when it was opened, read from the file system.
    uint64_t SizeAtOpen() const { return sizeAtOpen_; }
    // Writes all bytes; false when the system refused some of them.
    bool Write(std::string_view bytes);
    // Empties the file; later writes go to its new end.
    bool Truncate();
    void Close();

private:
#if defined(_WIN32)
    using Handle = void*;
    static inline Handle const kInvalid = reinterpret_cast<Handle>(intptr_t(-1));
#else
    using Handle = int;
    static constexpr Handle kInvalid = -1;
#endif
    Handle handle_ = kInvalid;
    uint64_t sizeAtOpen_ = 0;
#if defined(_WIN32)
    std::string path_;  // an append-only handle cannot truncate; a second handle does
#endif
};

// True when a TAppendFile of any process holds path open.
bool IsOpenForAppending(const std::string& path);

}  // namespace orvo::platform
