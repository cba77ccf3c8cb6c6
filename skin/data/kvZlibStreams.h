// zlib stream wrappers and the two helpers that (de)compress a whole stored skin.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>

#include "skin/data/kvStreams.h"

class EZlibError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
class ECompressionError : public EZlibError {
public:
    using EZlibError::EZlibError;
};
class EDecompressionError : public EZlibError {
public:
    using EZlibError::EZlibError;
};

inline constexpr std::size_t kZlibBufferSize = 4096;
// Most bytes one inflation may produce. A stored skin is about 1.2 MB; anything near this limit is a damaged or
// hostile stream, and stopping here keeps such a stream from taking all memory.
inline constexpr std::size_t kMaxInflatedSize = std::size_t(64) << 20;

// Deflates everything written to it into `dest`, through a 4,096-byte buffer. Write-only.
class TCompressionStream {
public:
    TCompressionStream(fw::Stream& dest, int level);
    ~TCompressionStream();
    TCompressionStream(const TCompressionStream&) = delete;
    TCompressionStream& operator=(const TCompressionStream&) = delete;

    void write(const void* src, std::size_t n);
    // Flushes the rest of the stream (the deflate finish) into dest. Further writes are invalid.
    void finish();
    // Reading or seeking a compressing stream is not allowed.
    std::size_t read(void*, std::size_t);
    std::int64_t seek(std::int64_t, fw::SeekOrigin);

private:
    struct State;
    std::unique_ptr<State> s_;
    fw::Stream& dest_;
    bool finished_ = false;
};

// Inflates `source` from its current position, reading it in 4,096-byte blocks. Read-only; seeks go forward only,
// except a seek to 0, which restarts from the position the source had when the wrapper was made.
class TDecompressionStream {
public:
    explicit TDecompressionStream(fw::Stream& source);
    ~TDecompressionStream();
    TDecompressionStream(const TDecompressionStream&) = delete;
    TDecompressionStream& operator=(const TDecompressionStream&) = delete;

    // Reads up to n inflated bytes; fewer at the end of the zlib stream or of the source.
    std::size_t read(void* dst, std::size_t n);
    std::int64_t seek(std::int64_t offset, fw::SeekOrigin origin);
    void write(const void*, std::size_t);
    std::int64_t position() const { return static_cast<std::int64_t>(produced_); }

private:
    struct State;
    std::unique_ptr<State> s_;
    fw::Stream& source_;
    std::size_t sourceStart_;
    std::size_t produced_ = 0;
    bool ended_ = false;
};

// Rewinds source and deflates all of it at level 9 into dest.
void CompressStream(fw::Stream& source, fw::Stream& dest);
// Rewinds source and inflates it, appending the output to dest, until the zlib stream ends or the source is used
// up (a truncated stream yields what was inflated so far).
void DecompressStream(fw::Stream& dest, fw::Stream& source);
