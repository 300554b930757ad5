#include <windows.h>

#include "platform/DateTime.h"
#include "platform/FileSystem.h"

namespace orvo::platform {
namespace {
TDateTime LocalDateTime(const FILETIME& utc) {
    SYSTEMTIME universal{}, local{};
    if (!FileTimeToSystemTime(&utc, &universal) || !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local))
        return 0;
    return EncodeDate(local.wYear, local.wMonth, local.wDay) +
           EncodeTime(local.wHour, local.wMinute, local.wSecond, local.wMilliseconds);
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A link (symbolic link or junction) and a device are not files of their own.
constexpr DWORD kNotRegular = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
}  // namespace

std::string SystemErrorText(int code) {
    char buffer[512];
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, DWORD(code), 0,
                             buffer, sizeof buffer, nullptr);
    // The system's texts end in ".\r\n"; the log line adds its own end.
    while (n > 0 && (buffer[n - 1] == '\n' || buffer[n - 1] == '\r' || buffer[n - 1] == ' ' || buffer[n - 1] == '.'))
        --n;
    return n > 0 ? std::string(buffer, n) : "Windows error";
}

TFileStatus RegularFileSize(HANDLE file, const std::string& path, uint64_t& size) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file, &info)) return TFileStatus::LastError(path);
    if (GetFileType(file) != FILE_TYPE_DISK || (info.dwFileAttributes & kNotRegular) != 0)
        return TFileStatus::NotRegularFile(path);
    size = (uint64_t(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    return {};
}

TFileStatus TFileStatus::LastError(std::string path) {
    const DWORD code = GetLastError();
    return TFileStatus(code != 0 ? int(code) : ERROR_GEN_FAILURE, std::move(path));
}

TFileStatus ListFolder(const std::string& folder, std::vector<TFolderEntry>& entries) {
    entries.clear();
    std::string pattern = folder;
    if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAA found{};
    const TFindHandle find(FindFirstFileA(pattern.c_str(), &found));
    if (!find) return TFileStatus::LastError(folder);
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        entries.push_back({name, (found.dwFileAttributes & kNotRegular) == 0, LocalDateTime(found.ftLastWriteTime)});
    } while (FindNextFileA(find.Get(), &found));
    return {};
}

bool PathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TFileStatus CreateFolder(const std::string& path) {
    if (CreateDirectoryA(path.c_str(), nullptr)) return {};
    const TFileStatus failed = TFileStatus::LastError(path);
    return IsFolder(path) ? TFileStatus() : failed;
}

TFileStatus RenameReplacing(const std::string& from, const std::string& to) {
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return {};
    return TFileStatus::LastError(from);
}

TFileStatus RenameIfFree(const std::string& from, const std::string& to) {
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) return {};
    return TFileStatus::LastError(from);
}

TFileStatus RemoveFile(const std::string& path) {
    if (DeleteFileA(path.c_str())) return {};
    const TFileStatus failed = TFileStatus::LastError(path);
    return failed.Code() == ERROR_FILE_NOT_FOUND || failed.Code() == ERROR_PATH_NOT_FOUND ? TFileStatus() : failed;
}

TFileStatus SyncFolder(const std::string&) { return {}; }

// Windows has no per-process file size limit.
uint64_t FileSizeLimit() { return UINT64_MAX; }

TFileStatus TReadFile::Open(const std::string& path, TSharing sharing) {
    Close();
    // Exclusive: not shared for writing, so it fails while a writer holds the file and no writer
    // can open it meanwhile; shared for deleting, so it can be deleted before it is closed.
    const bool exclusive = sharing == TSharing::Exclusive;
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_DELETE | (exclusive ? 0 : FILE_SHARE_WRITE);
    const DWORD noLink = exclusive ? FILE_FLAG_OPEN_REPARSE_POINT : 0;
    TFileHandle h(CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | noLink,
                              nullptr));
    if (!h) return TFileStatus::LastError(path);
    uint64_t size = 0;
    if (TFileStatus regular = RegularFileSize(h.Get(), path, size); !regular) return regular;
    handle_ = std::move(h);
    path_ = path;
    sizeAtOpen_ = size;
    return {};
}

TFileStatus TReadFile::SeekTo(uint64_t offset) {
    LARGE_INTEGER at{};
    at.QuadPart = LONGLONG(offset);
    if (!SetFilePointerEx(handle_.Get(), at, nullptr, FILE_BEGIN)) return TFileStatus::LastError(path_);
    return {};
}

TFileStatus TReadFile::Read(char* buffer, size_t size, size_t& count) {
    DWORD n = 0;
    if (!ReadFile(handle_.Get(), buffer, DWORD(size), &n, nullptr)) return TFileStatus::LastError(path_);
    count = n;
    return {};
}

}  // namespace orvo::platform
