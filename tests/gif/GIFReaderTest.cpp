// The reader's tolerance rules, errors and limits, on built streams and on files the other decoder refuses.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "gif/GIFImageData.h"
#include "gif/GIFReader.h"
#include "tests/gif/GIFTestBuilder.h"

using giftest::Builder;
using giftest::Bytes;

namespace {

struct Loaded {
    GIFImageData image;
    std::vector<std::string> warnings;
    std::string error;  // empty when the load succeeded
};

std::unique_ptr<Loaded> Load(const Bytes& bytes) {
    auto r = std::make_unique<Loaded>();
    r->image.OnWarning = [w = &r->warnings](const void*, GIFSeverity, const std::string& m) { w->push_back(m); };
    try {
        r->image.LoadFromMemory(bytes.data(), bytes.size());
    } catch (const GIFException& e) {
        r->error = e.what();
    }
    return r;
}

bool Warned(const Loaded& l, const char* message) {
    return std::find(l.warnings.begin(), l.warnings.end(), message) != l.warnings.end();
}

Bytes FileBytes(const char* name) {
    std::ifstream in(std::filesystem::path(KV_GIF_TESTDATA) / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Bytes TwoFrames() {
    return Builder()
        .Header(4, 2)
        .Image(0, 0, 4, 2, {0, 1, 2, 3, 3, 2, 1, 0}, 1)
        .Gce(1, 5)
        .Image(1, 0, 2, 2, {1, 1, 2, 2}, 1)
        .bytes();
}

TEST(GIFReader, ReadsFramesDescriptorsAndTables) {
    Bytes b = TwoFrames();
    b.push_back(0x3B);
    auto l = Load(b);
    ASSERT_EQ(l->error, "");
    EXPECT_TRUE(l->warnings.empty());
    EXPECT_EQ(l->image.Width(), 4);
    EXPECT_EQ(l->image.Height(), 2);
    EXPECT_EQ(l->image.Header.ColorMap.Count(), 4);
    ASSERT_EQ(l->image.Images.size(), 2u);
    EXPECT_EQ(l->image.Images[0]->Data, (Bytes{0, 1, 2, 3, 3, 2, 1, 0}));
    const TGIFSubImage& f = *l->image.Images[1];
    EXPECT_EQ(f.Left(), 1);
    EXPECT_EQ(f.Width(), 2);
    EXPECT_EQ(f.Data, (Bytes{1, 1, 2, 2}));
    EXPECT_EQ(f.Delay(), 5);
    EXPECT_EQ(f.Disposal(), GIFDisposal::NoDispose);
    EXPECT_EQ(f.ColorMap.Count(), 4);
}

TEST(GIFReader, SignatureMayFollowFourJunkBytesOnly) {
    Bytes b = {'J', 'U', 'N', 'K'};
    const Bytes gif = TwoFrames();
    b.insert(b.end(), gif.begin(), gif.end());
    auto four = Load(b);
    EXPECT_EQ(four->error, "");
    EXPECT_EQ(four->image.Images.size(), 2u);

    b.insert(b.begin(), 'X');
    EXPECT_EQ(Load(b)->error, "Invalid GIF signature");
    // Lower-case signatures are accepted; the version is not checked.
    Bytes lower = TwoFrames();
    lower[0] = 'g';
    lower[4] = '0';
    EXPECT_EQ(Load(lower)->error, "");
    EXPECT_EQ(Load(Bytes{'G', 'I', 'F'})->error, "Premature end of data");
}

TEST(GIFReader, MissingTrailerAndTrailingGarbageKeepFrames) {
    auto none = Load(TwoFrames());
    EXPECT_EQ(none->error, "");
    EXPECT_EQ(none->image.Images.size(), 2u);
    EXPECT_TRUE(none->warnings.empty());

    Bytes garbage = TwoFrames();
    garbage.insert(garbage.end(), {'x', 'y', 'z'});
    auto g = Load(garbage);
    EXPECT_EQ(g->error, "");
    EXPECT_EQ(g->image.Images.size(), 2u);
    EXPECT_TRUE(Warned(*g, "Unknown GIF block type"));
    EXPECT_TRUE(Warned(*g, "Invalid Image trailer"));

    // Zero bytes between blocks are skipped.
    Bytes zeros = Builder().Header(2, 1).Byte(0).Byte(0).Image(0, 0, 2, 1, {1, 2}).Byte(0).Trailer().bytes();
    auto z = Load(zeros);
    EXPECT_EQ(z->error, "");
    EXPECT_EQ(z->image.Images.size(), 1u);
}

TEST(GIFReader, TruncatedDataFillsWithTransparentIndexOrZero) {
    // 4 x 4 frame whose data stops after 6 of 16 pixels: no end code, no terminator, end of file.
    const Bytes codes = giftest::EncodeLiterals({1, 2, 3, 1, 2, 3}, 2, 0, false);
    for (int transparent : {-1, 3}) {
        SCOPED_TRACE(transparent);
        Builder b;
        b.Header(4, 4);
        if (transparent >= 0) b.Gce(0, 0, transparent);
        b.Descriptor(0, 0, 4, 4).Byte(2).Byte(static_cast<int>(codes.size())).Append(codes);
        auto l = Load(b.bytes());
        ASSERT_EQ(l->error, "");
        ASSERT_EQ(l->image.Images.size(), 1u);
        const Bytes& d = l->image.Images[0]->Data;
        EXPECT_EQ(Bytes(d.begin(), d.begin() + 6), (Bytes{1, 2, 3, 1, 2, 3}));
        const std::uint8_t fill = transparent >= 0 ? 3 : 0;
        EXPECT_EQ(Bytes(d.begin() + 6, d.end()), Bytes(10, fill));
        EXPECT_TRUE(Warned(*l, "Premature end of data"));
    }
}

TEST(GIFReader, SubBlockRunningPastEndUsesTheBytesThatExist) {
    const Bytes codes = giftest::EncodeLiterals({1, 2, 3, 1}, 2, 0, false);
    Bytes b = Builder().Header(2, 2).Descriptor(0, 0, 2, 2).Byte(2).Byte(200).Append(codes).bytes();
    auto l = Load(b);
    ASSERT_EQ(l->error, "");
    EXPECT_EQ(l->image.Images[0]->Data, (Bytes{1, 2, 3, 1}));
    EXPECT_TRUE(Warned(*l, "Premature end of data"));
}

TEST(GIFReader, DataEndingBeforeThePixelsWarnsUnderrunAndNextFrameStillReads) {
    // clear and one literal fill exactly one byte, so no bits at all remain after the terminator.
    const Bytes codes = {0x18};
    Bytes b = Builder()
                  .Header(2, 2)
                  .Descriptor(0, 0, 2, 2)
                  .Byte(3)
                  .Append(giftest::SubBlocks(codes))
                  .Image(0, 0, 1, 1, {3})
                  .Trailer()
                  .bytes();
    auto l = Load(b);
    ASSERT_EQ(l->error, "");
    ASSERT_EQ(l->image.Images.size(), 2u);
    EXPECT_EQ(l->image.Images[0]->Data, (Bytes{1, 0, 0, 0}));
    EXPECT_EQ(l->image.Images[1]->Data, (Bytes{3}));
    EXPECT_TRUE(Warned(*l, "Decoder bit buffer under-run"));
}

TEST(GIFReader, CodesLeftAfterTheLastPixelDoNotLoseLaterFrames) {
    // Five surplus codes spill into a second sub-block; the reader must skip to the terminator.
    Bytes pixels = giftest::Ramp(250, 4);
    Bytes b = Builder().Header(250, 1).Descriptor(0, 0, 250, 1).Byte(2).bytes();
    b = Builder().Append(b).Append(giftest::SubBlocks(giftest::EncodeLiterals(pixels, 2, 200))).bytes();
    b = Builder().Append(b).Image(0, 0, 1, 1, {2}).Trailer().bytes();
    auto l = Load(b);
    ASSERT_EQ(l->error, "");
    ASSERT_EQ(l->image.Images.size(), 2u);
    EXPECT_EQ(l->image.Images[0]->Data, pixels);
    EXPECT_EQ(l->image.Images[1]->Data, (Bytes{2}));
    EXPECT_TRUE(l->warnings.empty());
}

TEST(GIFReader, ZeroSizedFrameTakesTheLogicalScreenSize) {
    Bytes b = Builder().Header(3, 2).Image(0, 0, 0, 5, giftest::Repeat(1, 6)).Trailer().bytes();
    auto l = Load(b);
    ASSERT_EQ(l->error, "");
    const TGIFSubImage& f = *l->image.Images[0];
    EXPECT_EQ(f.Width(), 3);
    EXPECT_EQ(f.Height(), 2);
    EXPECT_EQ(f.Data, giftest::Repeat(1, 6));
    EXPECT_TRUE(Warned(*l, "Image exceeds Logical Screen size"));

    // With a logical screen of width 0 the frame stays empty, but the file loads.
    auto z = Load(FileBytes("zero_width.gif"));
    EXPECT_EQ(z->error, "");
    ASSERT_EQ(z->image.Images.size(), 1u);
    EXPECT_TRUE(z->image.Images[0]->Empty());
    EXPECT_TRUE(Warned(*z, "Image exceeds Logical Screen size"));
}

TEST(GIFReader, InterlacedRowsFollowTheFourPasses) {
    // Row r holds value r; the stream lists rows in pass order 0,8 | 4 | 2,6 | 1,3,5,7 for 9 rows.
    const int order[] = {0, 8, 4, 2, 6, 1, 3, 5, 7};
    Bytes stream;
    for (int r : order) stream.insert(stream.end(), 2, static_cast<std::uint8_t>(r));
    Bytes b = Builder().Header(2, 9, 3).Descriptor(0, 0, 2, 9, -1, true).Byte(4).bytes();
    b = Builder().Append(b).Append(giftest::SubBlocks(giftest::EncodeLiterals(stream, 4))).Trailer().bytes();
    auto l = Load(b);
    ASSERT_EQ(l->error, "");
    Bytes expected;
    for (int r = 0; r < 9; ++r) expected.insert(expected.end(), 2, static_cast<std::uint8_t>(r));
    EXPECT_EQ(l->image.Images[0]->Data, expected);
}

TEST(GIFReader, CodesBeyondTheTableRepeatThePreviousString) {
    // clear, literal 1, code 9 (not yet defined: next free is 6) = "1 1", literal 2, end.
    giftest::BitWriter w;
    w.Put(4, 3);
    w.Put(1, 3);
    w.Put(7, 3);  // beyond the next free entry 6
    w.Put(2, 3);
    w.Put(5, 4);
    Bytes b = Builder().Header(4, 1).Descriptor(0, 0, 4, 1).Byte(2).Append(giftest::SubBlocks(w.Finish())).bytes();
    auto l = Load(b);
    ASSERT_EQ(l->error, "");
    EXPECT_EQ(l->image.Images[0]->Data, (Bytes{1, 1, 1, 2}));
}

TEST(GIFReader, ConsecutiveClearCodesAreSkippedAndTheTableIsRebuilt) {
    giftest::BitWriter w;
    w.Put(4, 3);
    w.Put(4, 3);
    w.Put(2, 3);
    w.Put(3, 3);
    w.Put(6, 3);  // "2 3" just defined
    w.Put(4, 4);  // clear after the code size grew
    w.Put(1, 3);
    w.Put(5, 3);
    Bytes b = Builder().Header(5, 1).Descriptor(0, 0, 5, 1).Byte(2).Append(giftest::SubBlocks(w.Finish())).bytes();
    auto l = Load(b);
    ASSERT_EQ(l->error, "");
    EXPECT_EQ(l->image.Images[0]->Data, (Bytes{2, 3, 2, 3, 1}));
}

TEST(GIFReader, UnusableCodeSizeKeepsTheFillAndReadsOn) {
    for (int size : {9, 12, 143}) {
        SCOPED_TRACE(size);
        Bytes b = Builder().Header(2, 1).Descriptor(0, 0, 2, 1).Byte(size).Append({2, 0xFF, 0xFF, 0}).bytes();
        b = Builder().Append(b).Image(0, 0, 1, 1, {1}).Trailer().bytes();
        auto l = Load(b);
        ASSERT_EQ(l->error, "");
        ASSERT_EQ(l->image.Images.size(), 2u);
        EXPECT_EQ(l->image.Images[0]->Data, (Bytes{0, 0}));
        EXPECT_EQ(l->image.Images[1]->Data, (Bytes{1}));
        EXPECT_TRUE(Warned(*l, "Invalid LZW code size"));
    }
}

TEST(GIFReader, ExtensionsAreReadAndKept) {
    Bytes b = Builder()
                  .Header(1, 1)
                  .Comment("hello")
                  .Loop(3)
                  .Gce(2, 7, 1)
                  .Image(0, 0, 1, 1, {1})
                  .Comment("after")
                  .Trailer()
                  .bytes();
    auto l = Load(b);
    ASSERT_EQ(l->error, "");
    ASSERT_EQ(l->image.Images.size(), 2u);  // the trailing comment forms an empty frame
    const TGIFSubImage& f = *l->image.Images[0];
    ASSERT_EQ(f.Extensions.size(), 3u);
    auto* c = dynamic_cast<TGIFCommentExtension*>(f.Extensions[0].get());
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->Text, std::vector<std::string>{"hello"});
    EXPECT_TRUE(f.Transparent);
    EXPECT_EQ(f.TransparentIndex(), 1);
    EXPECT_EQ(f.Disposal(), GIFDisposal::Background);
    EXPECT_EQ(f.Data, (Bytes{1}));  // decoded over the fill value 1 as well
    EXPECT_TRUE(l->image.Images[1]->Empty());
    EXPECT_EQ(l->image.Images[1]->Extensions.size(), 1u);
}

TEST(GIFReader, LoopCountsAreReadAsWritten) {
    for (int n : {0, 1, 3}) {
        auto l = Load(Builder().Header(1, 1).Loop(n).Image(0, 0, 1, 1, {0}).Trailer().bytes());
        ASSERT_EQ(l->error, "");
        ASSERT_NE(l->image.LoopExtension(), nullptr);
        EXPECT_EQ(l->image.LoopExtension()->Loops, n);
    }
    auto none = Load(TwoFrames());
    EXPECT_EQ(none->image.LoopExtension(), nullptr);
}

TEST(GIFReader, ApplicationExtensionRules) {
    auto app = [](std::initializer_list<std::uint8_t> body) {
        return Builder().Header(1, 1).Byte(0x21).Byte(0xFF).Append(body).Image(0, 0, 1, 1, {1}).Trailer().bytes();
    };
    // Block size 10: an unknown extension whose 11th byte is the first sub-block size.
    auto ten = Load(app({10, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 2, 7, 8, 0}));
    ASSERT_EQ(ten->error, "");
    auto* u = dynamic_cast<TGIFUnknownAppExtension*>(ten->image.Images[0]->Extensions[0].get());
    ASSERT_NE(u, nullptr);
    ASSERT_EQ(u->Blocks.size(), 1u);
    EXPECT_EQ(u->Blocks[0].Data, (Bytes{7, 8}));
    EXPECT_EQ(ten->image.Images[0]->Data, (Bytes{1}));

    EXPECT_EQ(Load(app({5, 1, 2, 3, 4, 5, 0}))->error, "Unsupported Application Extension block size");
    // Larger blocks have their extra bytes skipped.
    auto big = Load(app({12, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 'x', 3, 1, 5, 0, 0}));
    ASSERT_EQ(big->error, "");
    ASSERT_NE(big->image.LoopExtension(), nullptr);
    EXPECT_EQ(big->image.LoopExtension()->Loops, 5);
    // A loop sub-block too short for its count, and a buffer-size sub-block.
    EXPECT_EQ(Load(app({11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 2, 1, 5, 0}))->error,
              "Invalid GIF data");
    auto buf = Load(app({11, 'A', 'N', 'I', 'M', 'E', 'X', 'T', 'S', '1', '.', '0', 5, 2, 1, 2, 3, 4, 0}));
    ASSERT_EQ(buf->error, "");
    EXPECT_EQ(buf->image.LoopExtension()->BufferSize, 0x04030201u);
}

TEST(GIFReader, UnknownExtensionFailsAndKeepsEarlierFramesAndStreamPosition) {
    Bytes b = Builder().Header(1, 1).Image(0, 0, 1, 1, {1}).Byte(0x21).Byte(0xF0).Byte(0).Trailer().bytes();
    GIFImageData image;
    GIFStream s(b.data(), b.size());
    s.Skip(0);
    try {
        image.LoadFromStream(s);
        FAIL() << "no error";
    } catch (const GIFException& e) {
        EXPECT_STREQ(e.what(), "Unknown extension type");
    }
    EXPECT_EQ(s.Position(), 0u);
    EXPECT_EQ(image.Images.size(), 1u);
}

TEST(GIFReader, ShortFixedReadsFail) {
    const Bytes full = TwoFrames();
    // Cut inside the logical screen descriptor, the global table and the image descriptor.
    for (std::size_t cut : {std::size_t(9), std::size_t(15), std::size_t(30)}) {
        EXPECT_EQ(Load(Bytes(full.begin(), full.begin() + cut))->error, "Premature end of data") << cut;
    }
    // A short graphic control extension is only a warning.
    Bytes gce = Builder().Header(1, 1).Append({0x21, 0xF9, 4, 1}).bytes();
    auto l = Load(gce);
    EXPECT_EQ(l->error, "");
    EXPECT_TRUE(Warned(*l, "Premature end of data"));
}

TEST(GIFReader, FramesAboveTheLimitsAreRefused) {
    auto bomb = Load(FileBytes("decompression_bomb.gif"));
    EXPECT_EQ(bomb->error, "Image too large");
    // A logical screen that drawing could not afford, whatever its frames.
    EXPECT_EQ(Load(Builder().Header(4096, 2048).Descriptor(0, 0, 1, 1).Byte(2).Append({0}).bytes())->error,
              "Image too large");
    // A 4096 x 4096 frame is allowed once, but four of them exceed the total.
    Builder one;
    one.Header(2048, 2048)
        .Descriptor(0, 0, 4096, 4096)
        .Byte(2)
        .Append(giftest::SubBlocks(giftest::EncodeLiterals({1}, 2)));
    auto l = Load(one.bytes());
    ASSERT_EQ(l->error, "");
    EXPECT_EQ(l->image.Images[0]->Data.size(), 4096u * 4096u);
    Builder many;
    many.Header(2048, 2048);
    for (int i = 0; i < 5; ++i) many.Descriptor(0, 0, 4096, 4096).Byte(2).Append({0});
    auto m = Load(many.bytes());
    EXPECT_EQ(m->error, "Image too large");
    EXPECT_EQ(m->image.Images.size(), 4u);
}

TEST(GIFReader, RecordCountsAboveTheLimitAreRefused) {
    // Crafted files of the smallest records: frames of 1 x 1, empty comments, one-byte comment lines. Each holds
    // kGIFMaxRecords records with one frame around them, and loads; one record more fails the load.
    const auto frames = [](std::int64_t n) {
        Builder b;
        b.Header(1, 1);
        for (std::int64_t i = 0; i < n; ++i) b.Descriptor(0, 0, 1, 1).Byte(2).Append({0});
        return b.bytes();
    };
    const auto comments = [](std::int64_t n) {
        Builder b;
        b.Header(1, 1);
        for (std::int64_t i = 0; i < n; ++i) b.Append({0x21, 0xFE, 0});
        return b.Descriptor(0, 0, 1, 1).Byte(2).Append({0}).bytes();
    };
    const auto lines = [](std::int64_t n) {
        Builder b;
        b.Header(1, 1).Append({0x21, 0xFE});
        for (std::int64_t i = 0; i < n; ++i) b.Append({1, 'x'});
        return b.Byte(0).Descriptor(0, 0, 1, 1).Byte(2).Append({0}).bytes();
    };
    auto atLimit = Load(frames(kGIFMaxRecords));
    ASSERT_EQ(atLimit->error, "");
    EXPECT_EQ(atLimit->image.Images.size(), std::size_t(kGIFMaxRecords));
    EXPECT_EQ(Load(frames(kGIFMaxRecords + 1))->error, "Too many GIF records");
    EXPECT_EQ(Load(comments(kGIFMaxRecords - 1))->error, "");
    EXPECT_EQ(Load(comments(kGIFMaxRecords))->error, "Too many GIF records");
    EXPECT_EQ(Load(lines(kGIFMaxRecords - 2))->error, "");  // the frame and its comment are records too
    EXPECT_EQ(Load(lines(kGIFMaxRecords - 1))->error, "Too many GIF records");
}

TEST(GIFReader, CommentWithoutSubBlocksLoads) {
    auto l = Load(FileBytes("hopper_zero_comment_subblocks.gif"));
    ASSERT_EQ(l->error, "");
    ASSERT_FALSE(l->image.Images.empty());
    EXPECT_EQ(l->image.Images[0]->Width(), 128);
    EXPECT_EQ(l->image.Images[0]->Data.size(), 128u * 128u);
}

}  // namespace
