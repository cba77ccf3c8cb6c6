#include "skin/data/kvZlibStreams.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace {
const char kCompressError[] = "error";
const char kDecompressError[] = "compression error";
const char kInvalidOperation[] = "Invalid stream operation";
}  // namespace

struct TCompressionStream::State {
    z_stream z{};
    std::uint8_t buffer[kZlibBufferSize];
};

TCompressionStream::TCompressionStream(fw::Stream& dest, int level) : s_(std::make_unique<State>()), dest_(dest) {
    if (deflateInit(&s_->z, level) != Z_OK) throw ECompressionError(kCompressError);
    s_->z.next_out = s_->buffer;
    s_->z.avail_out = kZlibBufferSize;
}

TCompressionStream::~TCompressionStream() { deflateEnd(&s_->z); }

void TCompressionStream::Write(const void* src, std::size_t n) {
    if (finished_) throw ECompressionError(kInvalidOperation);
    auto* p = static_cast<const std::uint8_t*>(src);
    while (n > 0) {
        uInt chunk = static_cast<uInt>(std::min<std::size_t>(n, 1u << 30));
        s_->z.next_in = const_cast<Bytef*>(p);
        s_->z.avail_in = chunk;
        while (s_->z.avail_in > 0) {
            if (deflate(&s_->z, Z_NO_FLUSH) == Z_STREAM_ERROR) throw ECompressionError(kCompressError);
            if (s_->z.avail_out == 0) {
                dest_.writeBuffer(s_->buffer, kZlibBufferSize);
                s_->z.next_out = s_->buffer;
                s_->z.avail_out = kZlibBufferSize;
            }
        }
        p += chunk;
        n -= chunk;
    }
}

void TCompressionStream::Finish() {
    if (finished_) return;
    s_->z.next_in = nullptr;
    s_->z.avail_in = 0;
    for (;;) {
        int rc = deflate(&s_->z, Z_FINISH);
        if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR) throw ECompressionError(kCompressError);
        std::size_t have = kZlibBufferSize - s_->z.avail_out;
        if (have) dest_.writeBuffer(s_->buffer, have);
        s_->z.next_out = s_->buffer;
        s_->z.avail_out = kZlibBufferSize;
        if (rc == Z_STREAM_END) break;
    }
    finished_ = true;
}

std::size_t TCompressionStream::Read(void*, std::size_t) { throw ECompressionError(kInvalidOperation); }
std::int64_t TCompressionStream::Seek(std::int64_t offset, fw::SeekOrigin origin) {
    // Asking for the current position is the one seek a write-only stream answers.
    if (offset == 0 && origin == fw::SeekOrigin::Current) return static_cast<std::int64_t>(s_->z.total_in);
    throw ECompressionError(kInvalidOperation);
}

struct TDecompressionStream::State {
    z_stream z{};
    std::uint8_t buffer[kZlibBufferSize];
};

TDecompressionStream::TDecompressionStream(fw::Stream& source)
    : s_(std::make_unique<State>()), source_(source), sourceStart_(static_cast<std::size_t>(source.position())) {
    if (inflateInit(&s_->z) != Z_OK) throw EDecompressionError(kDecompressError);
}

TDecompressionStream::~TDecompressionStream() { inflateEnd(&s_->z); }

std::size_t TDecompressionStream::Read(void* dst, std::size_t n) {
    if (ended_ || n == 0) return 0;
    s_->z.next_out = static_cast<Bytef*>(dst);
    s_->z.avail_out = static_cast<uInt>(std::min<std::size_t>(n, 1u << 30));
    while (s_->z.avail_out > 0) {
        if (s_->z.avail_in == 0) {
            std::size_t got = source_.read(s_->buffer, kZlibBufferSize);
            if (got == 0) break;  // source used up: a short result, not an error
            s_->z.next_in = s_->buffer;
            s_->z.avail_in = static_cast<uInt>(got);
        }
        int rc = inflate(&s_->z, Z_NO_FLUSH);
        if (rc == Z_STREAM_END) {
            ended_ = true;
            break;
        }
        if (rc == Z_BUF_ERROR) continue;  // needs more input
        if (rc != Z_OK) throw EDecompressionError(kDecompressError);
    }
    std::size_t done = static_cast<std::size_t>(static_cast<Bytef*>(s_->z.next_out) - static_cast<Bytef*>(dst));
    produced_ += done;
    return done;
}

std::int64_t TDecompressionStream::Seek(std::int64_t offset, fw::SeekOrigin origin) {
    if (offset == 0 && origin == fw::SeekOrigin::Begin) {
        if (inflateReset(&s_->z) != Z_OK) throw EDecompressionError(kDecompressError);
        s_->z.avail_in = 0;
        source_.setPosition(static_cast<std::int64_t>(sourceStart_));
        produced_ = 0;
        ended_ = false;
        return 0;
    }
    if (origin == fw::SeekOrigin::Begin && offset >= Position()) {
        offset -= Position();
        origin = fw::SeekOrigin::Current;
    }
    if (offset >= 0 && origin == fw::SeekOrigin::Current) {
        std::uint8_t scratch[kZlibBufferSize];
        std::int64_t left = offset;
        while (left > 0) {
            std::size_t got = Read(scratch, static_cast<std::size_t>(std::min<std::int64_t>(left, sizeof scratch)));
            if (got == 0) break;
            left -= static_cast<std::int64_t>(got);
        }
        return Position();
    }
    throw EDecompressionError(kInvalidOperation);
}

void TDecompressionStream::Write(const void*, std::size_t) { throw EDecompressionError(kInvalidOperation); }

void CompressStream(fw::Stream& source, fw::Stream& dest) {
    source.setPosition(0);
    TCompressionStream z(dest, 9);
    std::uint8_t block[kZlibBufferSize];
    for (;;) {
        std::size_t got = source.read(block, sizeof block);
        if (got == 0) break;
        z.Write(block, got);
    }
    z.Finish();
}

void DecompressStream(fw::Stream& dest, fw::Stream& source) {
    // A stored skin inflates to far more than it packs (drawn pictures pack about 40 to 1). Growing a memory
    // stream a block at a time would move its data again at every doubling, each time into fresh pages.
    if (auto* memory = dynamic_cast<fw::MemoryStream*>(&dest)) {
        const auto packed = static_cast<std::size_t>(std::max<std::int64_t>(source.size(), 0));
        memory->reserve(std::min(kMaxInflatedSize, static_cast<std::size_t>(memory->position()) + packed * 64));
    }
    source.setPosition(0);
    TDecompressionStream z(source);
    std::uint8_t block[kZlibBufferSize];
    std::size_t total = 0;
    for (;;) {
        std::size_t got = z.Read(block, sizeof block);
        if (got == 0) break;
        total += got;
        if (total > kMaxInflatedSize) throw EDecompressionError("compressed skin too large");
        dest.writeBuffer(block, got);
    }
}
