#include "gif/GIFDecoder.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kMaxCodes = 4096;  // 12-bit codes
constexpr int kMaxCodeBits = 12;
// Larger minimum code sizes name literal values that do not fit a one-byte colour index.
constexpr int kMaxMinimumCodeSize = 8;

class LZWDecoder {
public:
    LZWDecoder(GIFStream& s, int minimumCodeSize, const GIFWarn& warn)
        : s_(s), warn_(warn), minSize_(minimumCodeSize), clear_(1 << minimumCodeSize), end_(clear_ + 1) {
        for (int i = 0; i < clear_; ++i) {
            prefix_[i] = 0;
            suffix_[i] = static_cast<std::uint8_t>(i);
            first_[i] = static_cast<std::uint8_t>(i);
            length_[i] = 1;
        }
        Reset();
    }

    // Fills up to n pixels; returns how many were filled (fewer when the data ends).
    std::size_t Read(std::uint8_t* out, std::size_t n) {
        std::size_t filled = 0;
        if (pendingLen_ > 0) {
            const std::size_t take = std::min<std::size_t>(pendingLen_, n);
            std::copy_n(stack_.data() + pendingPos_, take, out);
            pendingPos_ += static_cast<int>(take);
            pendingLen_ -= static_cast<int>(take);
            filled = take;
        }
        while (filled < n && !finished_) {
            const int code = NextString();
            if (code < 0) {
                finished_ = true;
                break;
            }
            const int len = length_[code];
            const std::size_t room = n - filled;
            if (static_cast<std::size_t>(len) <= room) {
                WriteString(code, out + filled, len);
                filled += len;
            } else {
                // The string runs past this row: keep the rest for the next call.
                WriteString(code, stack_.data(), len);
                std::copy_n(stack_.data(), room, out + filled);
                pendingPos_ = static_cast<int>(room);
                pendingLen_ = len - static_cast<int>(room);
                filled = n;
            }
        }
        return filled;
    }

    // Skips what is left of the data sub-blocks up to and including the zero-size terminator, so that the next
    // block is read from its start.
    void Finish() {
        if (terminated_ || streamEnded_) return;
        s_.Skip(blockLeft_);
        blockLeft_ = 0;
        for (;;) {
            const int size = s_.ReadByte();
            if (size < 0) {
                warn_(GIFMessages::PrematureEnd);
                return;
            }
            if (size == 0) return;
            if (static_cast<std::size_t>(size) > s_.Remaining()) {
                s_.Skip(size);
                warn_(GIFMessages::PrematureEnd);
                return;
            }
            s_.Skip(size);
        }
    }

private:
    void Reset() {
        free_ = end_ + 1;
        codeSize_ = minSize_ + 1;
        prev_ = -1;
    }

    void WriteString(int code, std::uint8_t* dst, int len) {
        // Every entry's prefix is an earlier entry, so the chain is exactly len long.
        for (int i = len - 1; i >= 0; --i) {
            dst[i] = suffix_[code];
            code = prefix_[code];
        }
    }

    void AddEntry(int prefix, std::uint8_t ch) {
        prefix_[free_] = static_cast<std::uint16_t>(prefix);
        suffix_[free_] = ch;
        first_[free_] = first_[prefix];
        length_[free_] = static_cast<std::uint16_t>(length_[prefix] + 1);
        ++free_;
        if (free_ >= (1 << codeSize_) && codeSize_ < kMaxCodeBits) ++codeSize_;
    }

    // The code of the next string to output, -1 when the data has ended.
    int NextString() {
        for (;;) {
            const int code = ReadCode();
            if (code < 0) return -1;
            if (code == clear_) {
                Reset();
                continue;
            }
            if (code == end_) return -1;
            if (prev_ < 0) {
                // The first code after a clear is a literal; anything else is garbage that ends decoding.
                if (code > end_ || code >= free_) return -1;
                prev_ = code;
                return code;
            }
            int out;
            if (code < free_) {
                out = code;
                if (free_ < kMaxCodes) AddEntry(prev_, first_[code]);
            } else {
                // A code not yet in the table: the previous string plus its own first character. free_ < 4096
                // here because every 12-bit code is below a full table.
                AddEntry(prev_, first_[prev_]);
                out = free_ - 1;
            }
            prev_ = out;
            return out;
        }
    }

    int ReadCode() {
        while (bitCount_ < codeSize_) {
            const int b = NextByte();
            if (b < 0) return -1;
            bits_ |= static_cast<std::uint32_t>(b) << bitCount_;
            bitCount_ += 8;
        }
        const int code = static_cast<int>(bits_ & ((1u << codeSize_) - 1));
        bits_ >>= codeSize_;
        bitCount_ -= codeSize_;
        return code;
    }

    int NextByte() {
        while (blockLeft_ == 0) {
            if (terminated_ || streamEnded_) {
                if (terminated_ && bitCount_ == 0 && !underrunWarned_) {
                    underrunWarned_ = true;
                    warn_(GIFMessages::BitBufferUnderrun);
                }
                return -1;
            }
            const int size = s_.ReadByte();
            if (size < 0) {
                streamEnded_ = true;
                warn_(GIFMessages::PrematureEnd);
                return -1;
            }
            if (size == 0) {
                terminated_ = true;
                continue;
            }
            blockLeft_ = static_cast<std::size_t>(size);
            if (blockLeft_ > s_.Remaining()) {
                // Only the bytes that exist are used.
                blockLeft_ = s_.Remaining();
                streamEnded_ = true;
                warn_(GIFMessages::PrematureEnd);
            }
        }
        --blockLeft_;
        return s_.ReadByte();
    }

    GIFStream& s_;
    const GIFWarn& warn_;
    const int minSize_;
    const int clear_;
    const int end_;
    int free_ = 0;
    int codeSize_ = 0;
    int prev_ = -1;

    std::uint32_t bits_ = 0;
    int bitCount_ = 0;
    std::size_t blockLeft_ = 0;
    bool terminated_ = false;   // the zero-size terminator was read
    bool streamEnded_ = false;  // the file ended inside the data
    bool underrunWarned_ = false;
    bool finished_ = false;

    std::array<std::uint16_t, kMaxCodes> prefix_;
    std::array<std::uint8_t, kMaxCodes> suffix_;
    std::array<std::uint8_t, kMaxCodes> first_;
    std::array<std::uint16_t, kMaxCodes> length_;
    std::array<std::uint8_t, kMaxCodes> stack_;
    int pendingPos_ = 0;
    int pendingLen_ = 0;
};

// Skips data sub-blocks up to and including the terminator.
void skipSubBlocks(GIFStream& s, const GIFWarn& warn) {
    for (;;) {
        const int size = s.ReadByte();
        if (size < 0 || static_cast<std::size_t>(size) > s.Remaining()) {
            s.Seek(s.Size());
            warn(GIFMessages::PrematureEnd);
            return;
        }
        if (size == 0) return;
        s.Skip(size);
    }
}

}  // namespace

void GIFDecodeImageData(GIFStream& stream, TGIFSubImage& frame, const GIFWarn& warn) {
    const int minSize = stream.ReadByte();
    if (minSize < 0) {
        warn(GIFMessages::PrematureEnd);
        return;
    }
    if (minSize > kMaxMinimumCodeSize) {
        warn(GIFMessages::InvalidCodeSize);
        skipSubBlocks(stream, warn);
        return;
    }
    LZWDecoder decoder(stream, minSize, warn);
    const std::size_t width = frame.Width();
    const std::size_t height = frame.Height();
    std::uint8_t* pixels = frame.Data.data();
    if (frame.Data.size() == width * height && width > 0 && height > 0) {
        if (!frame.Interlaced()) {
            decoder.Read(pixels, width * height);
        } else {
            // The four passes: every 8th row from 0, every 8th from 4, every 4th from 2, every 2nd from 1.
            static constexpr int kStart[4] = {0, 4, 2, 1};
            static constexpr int kStep[4] = {8, 8, 4, 2};
            bool more = true;
            for (int pass = 0; pass < 4 && more; ++pass) {
                for (std::size_t y = kStart[pass]; y < height && more; y += kStep[pass]) {
                    more = decoder.Read(pixels + y * width, width) == width;
                }
            }
        }
    }
    decoder.Finish();
}
