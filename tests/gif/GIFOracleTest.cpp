// Every test file is decoded by our reader and by an independent decoder (giflib); where both accept a file,
// every frame's geometry, indexes, delay, disposal and transparency must agree.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gif/GIFImageData.h"
#include "tests/gif/GiflibOracle.h"

namespace {

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> TestFiles() {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(KV_GIF_TESTDATA))
        if (e.path().extension() == ".gif") names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class GIFOracle : public ::testing::TestWithParam<std::string> {};

TEST_P(GIFOracle, FramesAgreeWithIndependentDecoder) {
    const auto bytes = ReadFile(std::filesystem::path(KV_GIF_TESTDATA) / GetParam());
    ASSERT_FALSE(bytes.empty());

    giftest::GiflibMemory mem{&bytes};
    bool theirsOk = false;
    GifFileType* gif = giftest::GiflibSlurp(mem, theirsOk);

    GIFImageData ours;
    bool oursOk = true;
    try {
        ours.LoadFromMemory(bytes.data(), bytes.size());
    } catch (const GIFException& e) {
        oursOk = false;
        RecordProperty("our_error", e.what());
    }

    if (theirsOk && oursOk) {
        EXPECT_EQ(ours.Width(), gif->SWidth);
        EXPECT_EQ(ours.Height(), gif->SHeight);
        if (gif->SColorMap) {
            ASSERT_EQ(ours.Header.ColorMap.Count(), gif->SColorMap->ColorCount);
            for (int i = 0; i < gif->SColorMap->ColorCount; ++i) {
                const GifColorType c = gif->SColorMap->Colors[i];
                EXPECT_EQ(ours.Header.ColorMap.Colors[i], (TGIFRGB{c.Red, c.Green, c.Blue})) << "global entry " << i;
            }
        } else {
            EXPECT_TRUE(ours.Header.ColorMap.Empty());
        }
        // Frames with an image; ours also lists trailing extension-only frames.
        std::vector<TGIFSubImage*> frames;
        for (auto& f : ours.Images)
            if (!f->Data.empty()) frames.push_back(f.get());
        ASSERT_EQ(static_cast<int>(frames.size()), gif->ImageCount);
        for (int i = 0; i < gif->ImageCount; ++i) {
            SCOPED_TRACE("frame " + std::to_string(i));
            const SavedImage& s = gif->SavedImages[i];
            const TGIFSubImage& f = *frames[i];
            EXPECT_EQ(f.Left(), s.ImageDesc.Left);
            EXPECT_EQ(f.Top(), s.ImageDesc.Top);
            ASSERT_EQ(f.Width(), s.ImageDesc.Width);
            ASSERT_EQ(f.Height(), s.ImageDesc.Height);
            EXPECT_EQ(f.Interlaced(), s.ImageDesc.Interlace);
            EXPECT_EQ(f.ColorMap.Count(), s.ImageDesc.ColorMap ? s.ImageDesc.ColorMap->ColorCount : 0);
            const std::size_t n = static_cast<std::size_t>(f.Width()) * f.Height();
            std::size_t mismatches = 0, first = n;
            for (std::size_t p = 0; p < n; ++p) {
                if (f.Data[p] != s.RasterBits[p]) {
                    if (mismatches++ == 0) first = p;
                }
            }
            EXPECT_EQ(mismatches, 0u) << "first differing pixel " << first;

            GraphicsControlBlock gcb;
            if (DGifSavedExtensionToGCB(gif, i, &gcb) == GIF_OK && f.GraphicControlExtension) {
                EXPECT_EQ(f.Delay(), gcb.DelayTime);
                EXPECT_EQ(f.Disposal(), gcb.DisposalMode);
                EXPECT_EQ(f.Transparent ? f.TransparentIndex() : -1, gcb.TransparentColor);
            } else {
                EXPECT_EQ(f.GraphicControlExtension, nullptr);
            }
        }
    } else {
        // The files the other decoder refuses are checked against our tolerance rules in GIFToleranceTest.
        RecordProperty("theirs_ok", theirsOk ? 1 : 0);
        RecordProperty("ours_ok", oursOk ? 1 : 0);
        std::printf("[ info     ] %s: giflib %s, ours %s\n", GetParam().c_str(), theirsOk ? "accepts" : "refuses",
                    oursOk ? "accepts" : "refuses");
    }
    int error = 0;
    if (gif) DGifCloseFile(gif, &error);
}

INSTANTIATE_TEST_SUITE_P(Files, GIFOracle, ::testing::ValuesIn(TestFiles()), [](const auto& info) {
    std::string n = info.param;
    for (char& c : n)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return n;
});

}  // namespace
