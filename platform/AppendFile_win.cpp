#include <windows.h>

#include "platform/AppendFile.h"

namespace orvo::platform {

TFileStatus TAppendFile::OpenForAppending(const std::string& path, TFileHandle& handle, uint64_t& size) {
    // Shared for reading only: no second writer can open it, and it cannot be deleted, renamed or
    // archived while it is open. With no other writer, writing at the handle's position appends.
    TFileHandle h(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr));
    if (!h) return TFileStatus::LastError(path);
    if (GetFileType(h.Get()) != FILE_TYPE_DISK) return TFileStatus::NotRegularFile(path);
    LARGE_INTEGER end{};
    if (!SetFilePointerEx(h.Get(), LARGE_INTEGER{}, &end, FILE_END)) return TFileStatus::LastError(path);
    handle = std::move(h);
    size = uint64_t(end.QuadPart);
    return {};
}

TFileStatus TAppendFile::WriteSome(HANDLE file, std::string_view bytes, size_t& count, const std::string& path) {
    DWORD n = 0;
    if (!WriteFile(file, bytes.data(), DWORD(bytes.size()), &n, nullptr) || n == 0) return TFileStatus::LastError(path);
    count = n;
    return {};
}

bool TAppendFile::CutAt(HANDLE file, uint64_t size) {
    LARGE_INTEGER at{};
    at.QuadPart = LONGLONG(size);
    return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}

}  // namespace orvo::platform
