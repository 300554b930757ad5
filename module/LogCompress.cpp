#include "module/LogCompress.h"

#include <zlib.h>

#include <cstring>
#include <memory>

namespace orvo {
namespace {
constexpr size_t kChunk = 128 * 1024;
constexpr int kGzipWindow = 15 + 16;  // deflate's largest window, in the gzip wrapper

// A deflate (or, to read, inflate) stream with the gzip wrapper, ended however the work ends.
class TGzipStream {
public:
    explicit TGzipStream(bool inflating = false) : inflating_(inflating) {
        // The fastest level: a rotation runs on the writing thread and must not stall the till.
        ready_ = (inflating ? inflateInit2(&stream_, kGzipWindow)
                            : deflateInit2(&stream_, 1, Z_DEFLATED, kGzipWindow, 8, Z_DEFAULT_STRATEGY)) == Z_OK;
    }
    ~TGzipStream() {
        if (ready_) inflating_ ? inflateEnd(&stream_) : deflateEnd(&stream_);
    }
    TGzipStream(const TGzipStream&) = delete;
    TGzipStream& operator=(const TGzipStream&) = delete;
    bool Ready() const { return ready_; }
    z_stream& Stream() { return stream_; }

private:
    z_stream stream_{};
    bool inflating_ = false;
    bool ready_ = false;
};

// Reads exactly size bytes, fewer only at the end.
bool ReadFully(const TChunkReader& source, char* buffer, size_t size, size_t& got) {
    for (got = 0; got < size;) {
        size_t n = 0;
        if (!source(buffer + got, size - got, n)) return false;
        if (n == 0) break;
        got += n;
    }
    return true;
}

// The length a gzip file records in its last four bytes (modulo 2^32), or false.
bool RecordedLength(platform::TReadFile& file, uint32_t& length) {
    constexpr size_t kSmallestGzip = 20;
    unsigned char tail[4];
    size_t got = 0;
    if (file.SizeAtOpen() < kSmallestGzip || !file.SeekTo(file.SizeAtOpen() - 4) ||
        !file.Read(reinterpret_cast<char*>(tail), 4, got) || got != 4 || !file.SeekTo(0))
        return false;
    length = uint32_t(tail[0]) | uint32_t(tail[1]) << 8 | uint32_t(tail[2]) << 16 | uint32_t(tail[3]) << 24;
    return true;
}
}  // namespace

TChunkReader ReadFromStart(platform::TReadFile& file) {
    return [&file, rewound = false](char* buffer, size_t size, size_t& count) mutable {
        if (!rewound) {
            if (auto at = file.SeekTo(0); !at) return at;
            rewound = true;
        }
        return file.Read(buffer, size, count);
    };
}

TChunkReader ReadFromStart(const platform::TAppendFile& file) {
    return [&file, offset = uint64_t(0)](char* buffer, size_t size, size_t& count) mutable {
        platform::TFileStatus read = file.ReadAt(offset, buffer, size, count);
        offset += count;
        return read;
    };
}

bool IsGzipCopyOf(const std::string& path, const TChunkReader& source, uint64_t size) {
    platform::TReadFile archive;
    uint32_t recorded = 0;
    if (!archive.Open(path, platform::TReadFile::TSharing::Exclusive) || !RecordedLength(archive, recorded) ||
        recorded != uint32_t(size))
        return false;
    TGzipStream gzip(true);
    if (!gzip.Ready()) return false;
    z_stream& z = gzip.Stream();
    const auto in = std::make_unique<char[]>(kChunk);
    const auto content = std::make_unique<char[]>(kChunk);
    const auto original = std::make_unique<char[]>(kChunk);
    uint64_t compared = 0;
    for (int result = Z_OK; result != Z_STREAM_END;) {
        if (z.avail_in == 0) {
            size_t n = 0;
            if (!archive.Read(in.get(), kChunk, n) || n == 0) return false;  // the stream ends early
            z.next_in = reinterpret_cast<Bytef*>(in.get());
            z.avail_in = uInt(n);
        }
        z.next_out = reinterpret_cast<Bytef*>(content.get());
        z.avail_out = uInt(kChunk);
        result = inflate(&z, Z_NO_FLUSH);  // checks the stream's CRC-32 and length at its end
        if (result != Z_OK && result != Z_STREAM_END) return false;
        const size_t made = kChunk - z.avail_out;
        size_t got = 0;
        if (!ReadFully(source, original.get(), made, got) || got != made ||
            std::memcmp(content.get(), original.get(), made) != 0)
            return false;
        compared += made;
    }
    size_t after = 0;  // nothing may follow the stream, in the archive or in the original
    return compared == size && z.avail_in == 0 && archive.Read(in.get(), 1, after) && after == 0 &&
           ReadFully(source, original.get(), 1, after) && after == 0;
}

platform::TFileStatus WriteGzipCopy(const TChunkReader& source, const std::string& target, uint32_t permissions) {
    if (auto cleared = platform::RemoveFile(target); !cleared) return cleared;
    // Written through the append file: never through a link put at the name meanwhile, and a
    // write that would take the copy past the process's file size limit is refused whole rather
    // than ending the process, so the limit is held to by the copy's real size.
    platform::TAppendFile out;
    if (auto opened = out.Open(target, permissions); !opened) return opened;
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
        if (!(status = source(in.get(), kChunk, n))) break;
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
    // On the disk before it is renamed into place: a power cut must not leave the name on an
    // empty or partial copy once the original has gone.
    if (status) status = out.Sync();
    out.Close();
    if (!status) platform::RemoveFile(target);
    return status;
}

}  // namespace orvo
