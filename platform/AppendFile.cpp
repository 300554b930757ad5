// What both implementations of the append file share: one writer, whole writes.
#include "platform/AppendFile.h"

#include <algorithm>

namespace orvo::platform {

TFileStatus TAppendFile::Open(const std::string& path, uint32_t permissions) {
    Close();
    TFileHandle handle;
    uint64_t size = 0;
    if (TFileStatus opened = OpenForAppending(path, permissions, handle, size, permissions_); !opened) return opened;
    handle_ = std::move(handle);
    path_ = path;
    end_ = size;
    sizeLimit_ = FileSizeLimit();
    return {};
}

TFileStatus TAppendFile::Write(std::string_view bytes) {
    if (end_ + bytes.size() > sizeLimit_) return TFileStatus::TooLarge(path_);
    for (size_t written = 0, count = 0; written < bytes.size(); written += count) {
        if (TFileStatus wrote = WriteSome(handle_.Get(), bytes.substr(written), count, path_); !wrote) {
            // A full disk took part of the bytes: cut them off again.
            if (written > 0) CutAt(handle_.Get(), end_);
            return wrote;
        }
    }
    end_ += bytes.size();
    return {};
}

std::string TAppendFile::LastBytes(size_t count) const {
    std::string bytes(size_t(std::min<uint64_t>(count, end_)), '\0');
    size_t got = 0;
    if (!bytes.empty() && (!ReadSome(handle_.Get(), end_ - bytes.size(), bytes.data(), bytes.size(), got) ||
                           got != bytes.size()))
        return {};
    return bytes;
}

TFileStatus TAppendFile::ReadAt(uint64_t offset, char* buffer, size_t size, size_t& count) const {
    if (!ReadSome(handle_.Get(), offset, buffer, size, count)) return TFileStatus::LastError(path_);
    return {};
}

TFileStatus TAppendFile::Sync() const {
    if (!SyncHandle(handle_.Get())) return TFileStatus::LastError(path_);
    return {};
}

TFileStatus TAppendFile::Truncate() {
    if (!CutAt(handle_.Get(), 0)) return TFileStatus::LastError(path_);
    end_ = 0;
    return {};
}

}  // namespace orvo::platform
