// What both implementations of the append file share: one writer, whole writes.
#include "platform/AppendFile.h"

#include <algorithm>

namespace orvo::platform {

TFileStatus TAppendFile::Open(const std::string& path) {
    Close();
    TFileHandle handle;
    uint64_t size = 0;
    if (TFileStatus opened = OpenForAppending(path, handle, size); !opened) return opened;
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
    if (!bytes.empty() && !ReadAt(handle_.Get(), end_ - bytes.size(), bytes.data(), bytes.size())) return {};
    return bytes;
}

TFileStatus TAppendFile::Truncate() {
    if (!CutAt(handle_.Get(), 0)) return TFileStatus::LastError(path_);
    end_ = 0;
    return {};
}

}  // namespace orvo::platform
