#include "module/LogCompress.h"

#include <zlib.h>

#include <cstdio>
#include <memory>

#include "platform/FileSystem.h"

namespace orvo {

bool WriteGzipCopy(const std::string& source, const std::string& target) {
    constexpr size_t kChunk = 128 * 1024;
    std::unique_ptr<FILE, int (*)(FILE*)> in(std::fopen(source.c_str(), "rb"), &std::fclose);
    if (!in) return false;
    // The fastest level: a rotation runs on the writing thread and must not stall the till.
    gzFile out = gzopen(target.c_str(), "wb1");
    if (!out) return false;
    gzbuffer(out, kChunk);
    auto chunk = std::make_unique<char[]>(kChunk);
    bool written = true;
    while (written) {
        const size_t n = std::fread(chunk.get(), 1, kChunk, in.get());
        if (n == 0) {
            written = !std::ferror(in.get());
            break;
        }
        written = gzwrite(out, chunk.get(), unsigned(n)) == int(n);
    }
    written = gzclose(out) == Z_OK && written;
    if (!written) platform::RemoveFile(target);
    return written;
}

}  // namespace orvo
