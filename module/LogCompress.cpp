#include "module/LogCompress.h"

#include <zlib.h>

#include <memory>

#include "platform/AppendFile.h"

namespace orvo {
namespace {
// A deflate stream with the gzip wrapper, ended however the copy ends.
class TGzipStream {
public:
    TGzipStream() {
        // The fastest level: a rotation runs on the writing thread and must not stall the till.
        constexpr int kGzipWindow = 15 + 16;
        ready_ = deflateInit2(&stream_, 1, Z_DEFLATED, kGzipWindow, 8, Z_DEFAULT_STRATEGY) == Z_OK;
    }
    ~TGzipStream() {
        if (ready_) deflateEnd(&stream_);
    }
    TGzipStream(const TGzipStream&) = delete;
    TGzipStream& operator=(const TGzipStream&) = delete;
    bool Ready() const { return ready_; }
    z_stream& Stream() { return stream_; }

private:
    z_stream stream_{};
    bool ready_ = false;
};
}  // namespace

platform::TFileStatus WriteGzipCopy(platform::TReadFile& source, const std::string& target) {
    constexpr size_t kChunk = 128 * 1024;
    if (auto cleared = platform::RemoveFile(target); !cleared) return cleared;
    // Written through the append file: never through a link put at the name meanwhile, and a
    // write that would take the copy past the process's file size limit is refused whole rather
    // than ending the process, so the limit is held to by the copy's real size.
    platform::TAppendFile out;
    if (auto opened = out.Open(target); !opened) return opened;
    TGzipStream gzip;
    if (!gzip.Ready()) {
        out.Close();
        platform::RemoveFile(target);
        return platform::TFileStatus::Refused(target, "Compression failed");
    }
    z_stream& z = gzip.Stream();
    const auto in = std::make_unique<char[]>(kChunk);
    const auto compressed = std::make_unique<char[]>(kChunk);
    platform::TFileStatus status;
    for (int flush = Z_NO_FLUSH; status && flush != Z_FINISH;) {
        size_t n = 0;
        if (!(status = source.Read(in.get(), kChunk, n))) break;
        flush = n == 0 ? Z_FINISH : Z_NO_FLUSH;
        z.next_in = reinterpret_cast<Bytef*>(in.get());
        z.avail_in = uInt(n);
        do {  // until deflate takes the whole chunk (and, at the end, writes its last block)
            z.next_out = reinterpret_cast<Bytef*>(compressed.get());
            z.avail_out = uInt(kChunk);
            if (deflate(&z, flush) == Z_STREAM_ERROR) {
                status = platform::TFileStatus::Refused(target, "Compression failed");
                break;
            }
            status = out.Write(std::string_view(compressed.get(), kChunk - z.avail_out));
        } while (status && z.avail_out == 0);
    }
    out.Close();
    if (!status) platform::RemoveFile(target);
    return status;
}

}  // namespace orvo
