// A bounds-checked read cursor over the bytes of a GIF file held in memory.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "gif/GIFModel.h"

class GIFStream {
public:
    GIFStream(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t Position() const { return pos_; }
    std::size_t Size() const { return size_; }
    std::size_t Remaining() const { return size_ - pos_; }
    bool AtEnd() const { return pos_ >= size_; }
    void Seek(std::size_t pos) { pos_ = std::min(pos, size_); }
    void Skip(std::size_t n) { pos_ += std::min(n, Remaining()); }
    // Moves back by n bytes (never before the start).
    void Back(std::size_t n) { pos_ -= std::min(n, pos_); }
    const std::uint8_t* Current() const { return data_ + pos_; }

    // The next byte without consuming it, -1 at the end.
    int Peek(std::size_t ahead = 0) const { return ahead < Remaining() ? data_[pos_ + ahead] : -1; }
    // The next byte, -1 at the end.
    int ReadByte() { return pos_ < size_ ? data_[pos_++] : -1; }
    // Reads up to n bytes; returns how many were read.
    std::size_t Read(void* dst, std::size_t n) {
        n = std::min(n, Remaining());
        if (n) std::memcpy(dst, data_ + pos_, n);
        pos_ += n;
        return n;
    }
    // Reads exactly n bytes or raises "Premature end of data".
    void ReadExact(void* dst, std::size_t n) {
        if (n > Remaining()) {
            pos_ = size_;
            throw GIFException(GIFMessages::PrematureEnd);
        }
        Read(dst, n);
    }
    std::uint8_t ReadByteExact() {
        std::uint8_t b = 0;
        ReadExact(&b, 1);
        return b;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};
