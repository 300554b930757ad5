#include <windows.h>

#include "AppendFile.h"

namespace orvo::platform {

bool TAppendFile::Open(const std::string& path) {
    Close();
    HANDLE h = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h, &size)) {
        CloseHandle(h);
        return false;
    }
    handle_ = h;
    sizeAtOpen_ = uint64_t(size.QuadPart);
    return true;
}

bool TAppendFile::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!WriteFile(handle_, bytes.data(), DWORD(bytes.size()), &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

void TAppendFile::Close() {
    if (handle_ != kInvalid) CloseHandle(handle_);
    handle_ = kInvalid;
}

}  // namespace orvo::platform
