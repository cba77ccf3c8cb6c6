#include "skin/data/kvZlibStreams.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace fw;

namespace {
std::vector<std::uint8_t> sample(std::size_t n) {
    std::vector<std::uint8_t> v(n);
    std::uint32_t s = 12345;
    for (auto& b : v) {
        s = s * 1103515245u + 12345u;
        b = static_cast<std::uint8_t>((s >> 16) % 23);  // compressible but not trivial
    }
    return v;
}
std::vector<std::uint8_t> deflated(const std::vector<std::uint8_t>& data) {
    MemoryStream src(data), dst;
    CompressStream(src, dst);
    return dst.release();
}
}  // namespace

TEST(ZlibStreams, RoundTripAtLevelNineFromAnyPosition) {
    auto data = sample(100000);
    MemoryStream src(data), packed;
    src.setPosition(src.size());  // CompressStream rewinds
    CompressStream(src, packed);
    ASSERT_GE(packed.size(), 2u);
    EXPECT_EQ(packed.data()[0], 0x78);
    EXPECT_EQ(packed.data()[1], 0xDA);
    EXPECT_LT(packed.size(), data.size());

    MemoryStream out;
    out.write("ab", 2);  // output is appended after what the destination holds
    packed.setPosition(packed.size());
    DecompressStream(out, packed);
    ASSERT_EQ(out.size(), data.size() + 2);
    EXPECT_EQ(std::memcmp(out.data().data() + 2, data.data(), data.size()), 0);
}

TEST(ZlibStreams, DamagedStreamRaisesDecompressionError) {
    auto packed = deflated(sample(20000));
    for (std::size_t i = 2; i < 40; ++i) packed[i] ^= 0x5A;
    MemoryStream src(packed), out;
    try {
        DecompressStream(out, src);
        FAIL() << "no error";
    } catch (const EDecompressionError& e) {
        EXPECT_STREQ(e.what(), "compression error");
        EXPECT_NE(dynamic_cast<const EZlibError*>(&e), nullptr);
    }
}

TEST(ZlibStreams, TruncatedStreamYieldsWhatWasInflated) {
    auto data = sample(50000);
    auto packed = deflated(data);
    packed.resize(packed.size() / 2);
    MemoryStream src(packed), out;
    EXPECT_NO_THROW(DecompressStream(out, src));
    EXPECT_GT(out.size(), 0u);
    EXPECT_LT(out.size(), data.size());
    EXPECT_EQ(std::memcmp(out.data().data(), data.data(), out.size()), 0);
}

TEST(ZlibStreams, BytesAfterTheStreamAreIgnored) {
    auto data = sample(3000);
    auto packed = deflated(data);
    packed.insert(packed.end(), {1, 2, 3, 4});
    MemoryStream src(packed), out;
    DecompressStream(out, src);
    EXPECT_EQ(out.data(), data);
}

TEST(ZlibStreams, WrappersRefuseOperationsTheyDoNotOffer) {
    MemoryStream sink;
    TCompressionStream c(sink, 9);
    std::uint8_t b[4];
    try {
        c.Read(b, 4);
        FAIL();
    } catch (const ECompressionError& e) {
        EXPECT_STREQ(e.what(), "Invalid stream operation");
    }
    EXPECT_THROW(c.Seek(10, SeekOrigin::Begin), ECompressionError);

    MemoryStream src(deflated(sample(10000)));
    TDecompressionStream d(src);
    try {
        d.Write(b, 4);
        FAIL();
    } catch (const EDecompressionError& e) {
        EXPECT_STREQ(e.what(), "Invalid stream operation");
    }
    d.Read(b, 4);
    EXPECT_THROW(d.Seek(-1, SeekOrigin::Current), EDecompressionError);
    EXPECT_THROW(d.Seek(0, SeekOrigin::End), EDecompressionError);
    EXPECT_THROW(d.Seek(2, SeekOrigin::Begin), EDecompressionError);  // backwards, but not to the start
}

TEST(ZlibStreams, DecompressionSeeksForwardAndRestartsAtZero) {
    auto data = sample(10000);
    MemoryStream src(deflated(data));
    TDecompressionStream d(src);
    EXPECT_EQ(d.Seek(5000, SeekOrigin::Current), 5000);
    std::uint8_t b[8];
    ASSERT_EQ(d.Read(b, 8), 8u);
    EXPECT_EQ(std::memcmp(b, data.data() + 5000, 8), 0);
    EXPECT_EQ(d.Seek(0, SeekOrigin::Begin), 0);
    ASSERT_EQ(d.Read(b, 8), 8u);
    EXPECT_EQ(std::memcmp(b, data.data(), 8), 0);
    EXPECT_EQ(d.Seek(100, SeekOrigin::Begin), 100);  // forward from 8
    ASSERT_EQ(d.Read(b, 8), 8u);
    EXPECT_EQ(std::memcmp(b, data.data() + 100, 8), 0);
}

TEST(ZlibStreams, InflationStopsAtTheSizeLimit) {
    std::vector<std::uint8_t> zeros(kMaxInflatedSize + 4096, 0);
    auto packed = deflated(zeros);
    zeros = {};
    MemoryStream src(packed), out;
    EXPECT_THROW(DecompressStream(out, src), EDecompressionError);
    EXPECT_LE(out.size(), kMaxInflatedSize);
}
