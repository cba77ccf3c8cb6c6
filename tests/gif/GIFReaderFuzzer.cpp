// Feeds arbitrary bytes to the reader, renders every frame both ways and composes them the way the painter
// does: nothing may crash, hang or leak.
#include <cstddef>
#include <cstdint>

#include "gif/GIFCompositor.h"
#include "gif/GIFImageData.h"

namespace {
// Rendering cost grows with the frame, its logic does not: larger frames only slow the search down.
constexpr std::size_t kMaxRenderedPixels = 1 << 18;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    GIFImageData image;
    try {
        image.LoadFromMemory(data, size);
    } catch (const GIFException&) {
        // Frames read before the error stay and must still render.
    }
    for (const auto& frame : image.Images)
        if (frame->Data.size() > kMaxRenderedPixels) return 0;
    for (bool dither : {false, true}) {
        image.SetDithering(dither);
        for (auto& frame : image.Images) {
            frame->Bitmap.reset();
            try {
                const GIFFrameBitmap& bmp = image.GetBitmap(*frame);
                volatile unsigned sum = 0;
                for (int y = 0; y < bmp.Height && bmp.Pixels; ++y) sum = sum + bmp.Row(y)[bmp.Width - 1];
                if (bmp.HasMask()) sum = sum + bmp.Masked(bmp.Width - 1, bmp.Height - 1);
            } catch (const GIFException&) {}
        }
    }
    // Compose every frame with its disposal onto a small target, tiled and stretched.
    fw::Bitmap target(48, 40, fw::makePixel(1, 2, 3));
    for (std::uint16_t options : {GIFDrawOption::Default, std::uint16_t(GIFDrawOption::Default | GIFDrawOption::Tile |
                                                                        GIFDrawOption::ClearOnLoop)}) {
        try {
            GIFCompositor compositor(image, options, 0x123456, target, {3, 2, 45, 37});
            int previous = GIFDisposal::NoDispose;
            for (std::size_t i = 0; i < image.Images.size(); ++i) {
                if (image.Images[i]->Empty()) continue;
                const int disposal = image.Images[i]->Disposal();
                compositor.PaintFrame(static_cast<int>(i), disposal, previous, target);
                previous = disposal;
            }
        } catch (const GIFException&) {}
    }
    return 0;
}
