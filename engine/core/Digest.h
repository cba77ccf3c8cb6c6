#pragma once
// A keyed 128-bit digest of a stream of bytes, for comparing what two files hold when they cannot be read at
// the same time: SipHash-2-4 with its 128-bit output. SipHash is a pseudorandom function of its 128-bit key:
// without the key nobody can make two different streams give the same digest, and for streams not chosen
// with the key in hand two differ in digest but for a chance of about 2^-128. The key is drawn afresh for
// every compaction, so no file, however crafted, can make its copy's content pass for its own.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace jet {

struct DigestKey {
    std::uint64_t k0 = 0, k1 = 0;
};

// A key nobody can know in advance (from the system's random source).
DigestKey randomDigestKey();

struct DigestValue {
    std::uint64_t lo = 0, hi = 0;
    bool operator==(const DigestValue&) const = default;
};

// A digest of a multiset: the sum of its members' keyed digests (each 128 bits, added with carry) and their
// count. Members may come in any order; with a pseudorandom digest per member, two different multisets give
// the same sum but for a chance of about 2^-128 (for members not chosen with the key in hand).
struct MultisetDigest {
    DigestValue sum;
    std::uint64_t count = 0;
    void add(const DigestValue& v) {
        sum.lo += v.lo;
        sum.hi += v.hi + (sum.lo < v.lo);
        ++count;
    }
    bool operator==(const MultisetDigest&) const = default;
};

class Digest {
public:
    explicit Digest(const DigestKey& key)
        : v0_(0x736f6d6570736575ull ^ key.k0),
          v1_(0x646f72616e646f6dull ^ key.k1 ^ 0xee),
          v2_(0x6c7967656e657261ull ^ key.k0),
          v3_(0x7465646279746573ull ^ key.k1) {}

    void add(std::span<const std::uint8_t> bytes) {
        std::size_t i = 0;
        for (; i < bytes.size() && (length_ & 7) != 0; ++i) addByte(bytes[i]);
        // Whole words straight from the bytes, the state in locals (the bytes may alias it): rows are
        // digested by the million.
        std::uint64_t v0 = v0_, v1 = v1_, v2 = v2_, v3 = v3_;
        for (; i + 8 <= bytes.size(); i += 8) {
            std::uint64_t m;
            if constexpr (std::endian::native == std::endian::little) {
                std::memcpy(&m, bytes.data() + i, 8);
            } else {
                m = 0;
                for (int k = 7; k >= 0; --k) m = m << 8 | bytes[i + k];
            }
            v3 ^= m;
            round(v0, v1, v2, v3);
            round(v0, v1, v2, v3);
            v0 ^= m;
            length_ += 8;
        }
        v0_ = v0, v1_ = v1, v2_ = v2, v3_ = v3;
        for (; i < bytes.size(); ++i) addByte(bytes[i]);
    }
    void add32(std::uint32_t v) {
        const std::uint8_t b[4] = {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
        add(b);
    }
    // A length before the bytes, so that no two different sequences of pieces give the same stream.
    void addPiece(std::span<const std::uint8_t> bytes) {
        add32(static_cast<std::uint32_t>(bytes.size()));
        add(bytes);
    }

    DigestValue value() const {
        Digest d = *this;
        std::uint64_t b = d.word_ | std::uint64_t(d.length_) << 56;
        d.v3_ ^= b;
        d.round();
        d.round();
        d.v0_ ^= b;
        d.v2_ ^= 0xee;
        for (int i = 0; i < 4; ++i) d.round();
        DigestValue out;
        out.lo = d.v0_ ^ d.v1_ ^ d.v2_ ^ d.v3_;
        d.v1_ ^= 0xdd;
        for (int i = 0; i < 4; ++i) d.round();
        out.hi = d.v0_ ^ d.v1_ ^ d.v2_ ^ d.v3_;
        return out;
    }

private:
    static std::uint64_t rotl(std::uint64_t x, int b) { return (x << b) | (x >> (64 - b)); }
    static void round(std::uint64_t& v0, std::uint64_t& v1, std::uint64_t& v2, std::uint64_t& v3) {
        v0 += v1;
        v1 = rotl(v1, 13) ^ v0;
        v0 = rotl(v0, 32);
        v2 += v3;
        v3 = rotl(v3, 16) ^ v2;
        v0 += v3;
        v3 = rotl(v3, 21) ^ v0;
        v2 += v1;
        v1 = rotl(v1, 17) ^ v2;
        v2 = rotl(v2, 32);
    }
    void round() { round(v0_, v1_, v2_, v3_); }
    void addByte(std::uint8_t b) {
        word_ |= std::uint64_t(b) << (8 * (length_ & 7));
        if ((++length_ & 7) == 0) compress();
    }
    void compress() {
        v3_ ^= word_;
        round();
        round();
        v0_ ^= word_;
        word_ = 0;
    }

    std::uint64_t v0_, v1_, v2_, v3_;
    std::uint64_t word_ = 0;  // bytes of the word being filled, little-endian
    std::uint64_t length_ = 0;
};

}  // namespace jet
