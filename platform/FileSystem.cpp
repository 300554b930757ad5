// What both file-system implementations share: the error a file operation reports.
#include "platform/FileSystem.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <cerrno>
#endif

namespace orvo::platform {
namespace {
#if defined(_WIN32)
constexpr int kRefused = ERROR_GEN_FAILURE;
constexpr int kTooLarge = ERROR_FILE_TOO_LARGE;
#else
constexpr int kRefused = EIO;
constexpr int kTooLarge = EFBIG;  // what the write itself would report with SIGXFSZ ignored
#endif
}  // namespace

std::string SystemErrorText(int code);  // each implementation supplies the system's text

TFileStatus::TFileStatus(int code, std::string path)
    : code_(code), path_(std::move(path)), message_(SystemErrorText(code) + " (error " + std::to_string(code) + ")") {}

TFileStatus TFileStatus::Refused(std::string path, std::string message) {
    TFileStatus status;
    status.code_ = kRefused;
    status.path_ = std::move(path);
    status.message_ = std::move(message);
    return status;
}

TFileStatus TFileStatus::TooLarge(std::string path) { return TFileStatus(kTooLarge, std::move(path)); }

bool TFileStatus::PastSizeLimit() const noexcept { return code_ == kTooLarge; }

bool TFileStatus::InUse() const noexcept {
#if defined(_WIN32)
    return code_ == ERROR_SHARING_VIOLATION || code_ == ERROR_LOCK_VIOLATION;
#else
    return code_ == EWOULDBLOCK;  // another open of the file holds its flock
#endif
}

}  // namespace orvo::platform
