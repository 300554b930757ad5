#include <windows.h>

#include "platform/AppendFile.h"

namespace orvo::platform {

bool TAppendFile::Open(const std::string& path) {
    Close();
    // Not shared for deleting: the file cannot be deleted, renamed or archived while it is open.
    HANDLE h = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h, &size)) {
        CloseHandle(h);
        return false;
    }
    handle_ = h;
    path_ = path;
    sizeAtOpen_ = uint64_t(size.QuadPart);
    return true;
}

bool TAppendFile::Write(std::string_view bytes) {
    uint64_t total = 0;
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!WriteFile(handle_, bytes.data(), DWORD(bytes.size()), &written, nullptr) || written == 0) {
            // A full disk took part of the bytes: cut them off again, so no half line stays
            // behind for the next one to run into.
            LARGE_INTEGER size{};
            if (total > 0 && GetFileSizeEx(handle_, &size) && uint64_t(size.QuadPart) >= total) {
                HANDLE h =
                    CreateFileA(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
                if (h != INVALID_HANDLE_VALUE) {
                    LARGE_INTEGER end{};
                    end.QuadPart = LONGLONG(uint64_t(size.QuadPart) - total);
                    if (SetFilePointerEx(h, end, nullptr, FILE_BEGIN)) SetEndOfFile(h);
                    CloseHandle(h);
                }
            }
            return false;
        }
        bytes.remove_prefix(written);
        total += written;
    }
    return true;
}

bool TAppendFile::Truncate() {
    HANDLE h = CreateFileA(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const bool truncated = SetEndOfFile(h) != 0;  // a new handle stands at offset 0
    CloseHandle(h);
    return truncated;
}

bool IsOpenForAppending(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        CloseHandle(h);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}

void TAppendFile::Close() {
    if (handle_ != kInvalid) CloseHandle(handle_);
    handle_ = kInvalid;
}

}  // namespace orvo::platform
