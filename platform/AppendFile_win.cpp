#include <windows.h>

#include "platform/AppendFile.h"

namespace orvo::platform {

// Refuses a handle that is not to a regular file (a folder, link, device or pipe); sets size.
TFileStatus RegularFileSize(HANDLE file, const std::string& path, uint64_t& size);  // FileSystem_win.cpp

TFileStatus TAppendFile::OpenForAppending(const std::string& path, uint32_t, TFileHandle& handle, uint64_t& size,
                                          uint32_t& actualPermissions) {
    // Shared for reading only: no second writer can open it, and it cannot be deleted, renamed or
    // archived while it is open. With no other writer, writing at the handle's position appends.
    // A link (any reparse point) is opened as itself, not followed, and then refused by its
    // attributes. Read access is for reading the file back. Opening and taking it are one step
    // here, and a file being deleted cannot be opened, so it is always the file at path. Its
    // permissions are the folder's, inherited.
    TFileHandle h(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!h) return TFileStatus::LastError(path);
    if (TFileStatus regular = RegularFileSize(h.Get(), path, size); !regular) return regular;
    LARGE_INTEGER end{};
    if (!SetFilePointerEx(h.Get(), LARGE_INTEGER{}, &end, FILE_END)) return TFileStatus::LastError(path);
    handle = std::move(h);
    size = uint64_t(end.QuadPart);
    actualPermissions = kDefaultPermissions;
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

bool TAppendFile::ReadSome(HANDLE file, uint64_t offset, char* buffer, size_t count, size_t& got) {
    // A read at an offset moves the handle's position to where it ends: back to the file's end,
    // where the writes go.
    OVERLAPPED at{};
    at.Offset = DWORD(offset);
    at.OffsetHigh = DWORD(offset >> 32);
    DWORD n = 0;
    const bool read = ReadFile(file, buffer, DWORD(count), &n, &at) || GetLastError() == ERROR_HANDLE_EOF;
    got = read ? n : 0;
    return SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_END) && read;
}

bool TAppendFile::SyncHandle(HANDLE file) { return FlushFileBuffers(file); }

}  // namespace orvo::platform
