// Builds GIF byte streams for tests, including deliberately damaged ones.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "gif/GIFImageData.h"

namespace giftest {

using Bytes = std::vector<std::uint8_t>;

// LSB-first code packing as the format requires.
class BitWriter {
public:
    void Put(int code, int bits) {
        acc_ |= static_cast<std::uint32_t>(code) << n_;
        n_ += bits;
        while (n_ >= 8) {
            out_.push_back(static_cast<std::uint8_t>(acc_));
            acc_ >>= 8;
            n_ -= 8;
        }
    }
    Bytes Finish() {
        if (n_ > 0) out_.push_back(static_cast<std::uint8_t>(acc_));
        n_ = 0;
        acc_ = 0;
        return out_;
    }

private:
    Bytes out_;
    std::uint32_t acc_ = 0;
    int n_ = 0;
};

// Encodes pixels as literal codes only, tracking the decoder's table growth so every code has the right width.
// extraCodes are literals written after the pixels and before the end code.
inline Bytes EncodeLiterals(const Bytes& pixels, int minSize, int extraCodes = 0, bool endCode = true) {
    BitWriter w;
    const int clear = 1 << minSize;
    int free = clear + 2, size = minSize + 1;
    bool first = true;
    w.Put(clear, size);
    auto literal = [&](int v) {
        if (free >= 4094) {
            w.Put(clear, size);
            free = clear + 2;
            size = minSize + 1;
            first = true;
        }
        w.Put(v, size);
        if (!first) {
            ++free;
            if (free >= (1 << size) && size < 12) ++size;
        }
        first = false;
    };
    for (auto p : pixels) literal(p);
    for (int i = 0; i < extraCodes; ++i) literal(0);
    if (endCode) w.Put(clear + 1, size);
    return w.Finish();
}

// Frames a code stream into data sub-blocks with a terminator.
inline Bytes SubBlocks(const Bytes& data, bool terminator = true) {
    Bytes out;
    for (std::size_t i = 0; i < data.size(); i += 255) {
        const std::size_t n = std::min<std::size_t>(255, data.size() - i);
        out.push_back(static_cast<std::uint8_t>(n));
        out.insert(out.end(), data.begin() + i, data.begin() + i + n);
    }
    if (terminator) out.push_back(0);
    return out;
}

class Builder {
public:
    // A header with a global table of 2 << bits entries (grey ramp), or none when bits < 0.
    Builder& Header(int w, int h, int gctBits = 1, int background = 0) {
        Raw("GIF89a");
        U16(w);
        U16(h);
        b_.push_back(gctBits >= 0 ? static_cast<std::uint8_t>(0x80 | gctBits) : 0);
        b_.push_back(static_cast<std::uint8_t>(background));
        b_.push_back(0);
        if (gctBits >= 0) Table(gctBits);
        return *this;
    }
    Builder& Table(int bits) {
        const int n = 2 << bits;
        for (int i = 0; i < n; ++i) {
            const auto v = static_cast<std::uint8_t>(i * 255 / (n - 1));
            b_.insert(b_.end(), {v, v, v});
        }
        return *this;
    }
    Builder& Gce(int disposal, int delay, int transparent = -1) {
        b_.insert(b_.end(), {0x21, 0xF9, 4});
        b_.push_back(static_cast<std::uint8_t>((disposal << 2) | (transparent >= 0 ? 1 : 0)));
        U16(delay);
        b_.push_back(static_cast<std::uint8_t>(transparent >= 0 ? transparent : 0));
        b_.push_back(0);
        return *this;
    }
    Builder& Loop(int count) {
        b_.insert(b_.end(), {0x21, 0xFF, 11});
        Raw("NETSCAPE2.0");
        b_.insert(b_.end(), {3, 1});
        U16(count);
        b_.push_back(0);
        return *this;
    }
    Builder& Comment(const std::string& text) {
        b_.insert(b_.end(), {0x21, 0xFE});
        Raw(std::string(1, static_cast<char>(text.size())) + text);
        b_.push_back(0);
        return *this;
    }
    Builder& Descriptor(int l, int t, int w, int h, int lctBits = -1, bool interlaced = false) {
        b_.push_back(0x2C);
        U16(l);
        U16(t);
        U16(w);
        U16(h);
        b_.push_back(static_cast<std::uint8_t>((lctBits >= 0 ? 0x80 | lctBits : 0) | (interlaced ? 0x40 : 0)));
        if (lctBits >= 0) Table(lctBits);
        return *this;
    }
    // A complete frame with literal-coded pixels (minimum code size 2 unless given).
    Builder& Image(int l, int t, int w, int h, const Bytes& pixels, int lctBits = -1, int minSize = 2) {
        Descriptor(l, t, w, h, lctBits);
        b_.push_back(static_cast<std::uint8_t>(minSize));
        Append(SubBlocks(EncodeLiterals(pixels, minSize)));
        return *this;
    }
    Builder& Trailer() {
        b_.push_back(0x3B);
        return *this;
    }
    Builder& Raw(const std::string& s) {
        b_.insert(b_.end(), s.begin(), s.end());
        return *this;
    }
    Builder& Append(const Bytes& bytes) {
        b_.insert(b_.end(), bytes.begin(), bytes.end());
        return *this;
    }
    Builder& U16(int v) {
        b_.push_back(static_cast<std::uint8_t>(v & 0xFF));
        b_.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
        return *this;
    }
    Builder& Byte(int v) {
        b_.push_back(static_cast<std::uint8_t>(v));
        return *this;
    }
    const Bytes& bytes() const { return b_; }

private:
    Bytes b_;
};

inline Bytes Repeat(std::uint8_t v, std::size_t n) { return Bytes(n, v); }
inline Bytes Ramp(std::size_t n, int modulo) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(i % modulo);
    return b;
}

// Loads a stream that must be readable.
inline GIFImageData LoadImage(const Bytes& b) {
    GIFImageData image;
    image.LoadFromMemory(b.data(), b.size());
    return image;
}

}  // namespace giftest
