#include "framework/Picture.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "framework/Stream.h"

using namespace fw;

namespace {
// A "format" whose files hold two bytes: width and height.
struct TinyGraphic : Graphic {
    int w = 0, h = 0;
    int width() const override { return w; }
    int height() const override { return h; }
    void draw(Canvas&, const Rect&) override {}
    void loadFromStream(Stream& s) override {
        std::uint8_t b[2];
        s.readBuffer(b, 2);
        w = b[0];
        h = b[1];
        changed();
    }
};

struct RegisteredTiny {
    RegisteredTiny() {
        registerPictureFormat("TINY", "Tiny Image", [] { return std::make_unique<TinyGraphic>(); });
    }
    ~RegisteredTiny() { unregisterPictureFormat("tiny"); }
};
}  // namespace

TEST(Pictures, LoadsThroughTheFormatOfTheExtensionWhateverItsCase) {
    RegisteredTiny reg;
    auto path = std::filesystem::temp_directory_path() / "fw-picture-test.Tiny";
    writeFile(path, {7, 9});
    Picture p;
    int changes = 0;
    p.onChange = [&] { ++changes; };
    p.loadFromFile(path);
    EXPECT_EQ(p.width(), 7);
    EXPECT_EQ(p.height(), 9);
    EXPECT_GE(changes, 1);
    // The graphic's own change notifications reach the picture's listener (animated graphics repaint this way).
    int before = changes;
    MemoryStream again(std::vector<std::uint8_t>{1, 2});
    p.graphic()->loadFromStream(again);
    EXPECT_EQ(changes, before + 1);
    ASSERT_NE(findPictureFormat("tInY"), nullptr);
    EXPECT_EQ(findPictureFormat("tiny")->description, "Tiny Image");
    std::filesystem::remove(path);
}

TEST(Pictures, UnknownExtensionRaisesTheLoaderMessageAndKeepsThePicture) {
    RegisteredTiny reg;
    auto path = std::filesystem::temp_directory_path() / "fw-picture-test.tiny";
    writeFile(path, {3, 4});
    Picture p;
    p.loadFromFile(path);
    try {
        p.loadFromFile("banner.xyz");
        FAIL() << "no error";
    } catch (const PictureError& e) {
        EXPECT_STREQ(e.what(), "Unknown picture file extension (.xyz)");
    }
    EXPECT_EQ(p.width(), 3);
    EXPECT_THROW(p.loadFromFile("noextension"), PictureError);
    // A damaged file of a known format raises the format's error and leaves the picture as it was.
    writeFile(path, {1});
    EXPECT_THROW(p.loadFromFile(path), StreamError);
    EXPECT_EQ(p.width(), 3);
    std::filesystem::remove(path);
}
