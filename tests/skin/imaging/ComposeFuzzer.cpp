// Skin geometry comes from skin files: any corner points, client rect, skin rect and target size must compose
// without reading or writing outside the pictures.
#include <cstddef>
#include <cstdint>

#include "skin/imaging/MaskRegion.h"
#include "skin/imaging/SkinCompose.h"
#include "skin/imaging/kveffects.h"

namespace {

class Reader {
public:
    Reader(const std::uint8_t* d, std::size_t n) : d_(d), n_(n) {}
    // A small signed value around the picture's size range (−8 … 55).
    int coord() { return n_ ? int(d_[take()]) % 64 - 8 : 0; }
    int byte() { return n_ ? d_[take()] : 0; }

private:
    std::size_t take() {
        --n_;
        return pos_++;
    }
    const std::uint8_t* d_;
    std::size_t n_;
    std::size_t pos_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Reader in(data, size);
    const int pw = in.byte() % 48, ph = in.byte() % 48;
    fw::Bitmap pic(pw, ph);
    for (int y = 0; y < ph; ++y)
        for (int x = 0; x < pw; ++x) pic.at(x, y) = ((x * 7 + y * 13) % 3 == 0) ? 0xFF000000u : 0xFFFFFFFFu;
    const fw::Rect skin{in.coord(), in.coord(), in.coord(), in.coord()};
    SkinCorners s;
    s.lt = {in.coord(), in.coord()};
    s.rt = {in.coord(), in.coord()};
    s.lb = {in.coord(), in.coord()};
    s.rb = {in.coord(), in.coord()};
    s.client = {in.coord(), in.coord(), in.coord(), in.coord()};
    const int w = in.coord() + 8, h = in.coord() + 8;
    const int flags = in.byte();
    const SkinStretch st{bool(flags & 1), bool(flags & 2),  bool(flags & 4),
                         bool(flags & 8), bool(flags & 16), TkvStretchType((flags >> 5) % 3)};
    const SkinCorners d = ResizeCorners(s, w - skin.width(), h - skin.height());

    ComposeSkinImage(pic, skin, s, d, w, h, st, true);
    ComposeBorderBands(pic, skin, s, d, w, h, st);
    ComposeWidthOnly(pic, skin, s.lt.x, skin.width() - s.rt.x, w, st.client, WidthPieces(flags % 3));
    ComposeHeightOnly(pic, skin, s.lt.y, skin.height() - s.lb.y, h, st.client);
    const SkinCorners md = ResizeCorners(s, w - pw, h - ph);
    ComposeMaskRegion(pic, s, md, w, h);

    TkvEffectBmp a(pic), b(pic);
    a.ApplySplitBlur(in.byte() % 50);
    a.Morph(TkvMorphKind(in.byte() % 7), b, in.byte() / 255.0);
    return 0;
}
