#include "module/LogCompress.h"

#include <zlib.h>

#include <memory>

#include "platform/UniqueHandle.h"

namespace orvo {
namespace {
using TGzFile = platform::TUniqueHandle<platform::TNullHandlePolicy<gzFile, &gzclose>>;

// What a failed gz call on path reports: the system's error when it was one, else zlib's.
platform::TFileStatus GzFailure(gzFile file, const std::string& path) {
    int code = Z_OK;
    const char* text = gzerror(file, &code);
    if (code == Z_ERRNO) return platform::TFileStatus::LastError(path);
    return platform::TFileStatus::Refused(path, text);
}

// The most gzip can make of size bytes: stored blocks add a few bytes per 16 KB, the wrapper 18.
uint64_t MostCompressedSize(uint64_t size) { return size + size / 1000 + 64; }
}  // namespace

platform::TFileStatus WriteGzipCopy(platform::TReadFile& source, const std::string& target) {
    constexpr size_t kChunk = 128 * 1024;
    // Checked before writing: a write past the file size limit would end the process.
    if (MostCompressedSize(source.SizeAtOpen()) > platform::FileSizeLimit())
        return platform::TFileStatus::TooLarge(target);
    if (auto cleared = platform::RemoveFile(target); !cleared) return cleared;
    // "x": created here, never written through a link someone put at the name meanwhile. The
    // fastest level: a rotation runs on the writing thread and must not stall the till.
    TGzFile out(gzopen(target.c_str(), "wb1x"));
    if (!out) return platform::TFileStatus::LastError(target);
    gzbuffer(out.Get(), kChunk);
    auto chunk = std::make_unique<char[]>(kChunk);
    platform::TFileStatus status;
    for (size_t n = 0; (status = source.Read(chunk.get(), kChunk, n)) && n > 0;) {
        if (gzwrite(out.Get(), chunk.get(), unsigned(n)) != int(n)) {
            status = GzFailure(out.Get(), target);
            break;
        }
    }
    // Closing writes the last block: only then is the copy whole.
    if (const int closed = gzclose(out.Release()); status && closed != Z_OK)
        status = closed == Z_ERRNO ? platform::TFileStatus::LastError(target)
                                   : platform::TFileStatus::Refused(target, "Compression failed");
    if (!status) platform::RemoveFile(target);
    return status;
}

}  // namespace orvo
