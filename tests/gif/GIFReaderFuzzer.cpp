// Feeds arbitrary bytes to the reader and renders every frame both ways: nothing may crash, hang or leak.
#include <cstddef>
#include <cstdint>

#include "gif/GIFImageData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    GIFImageData image;
    try {
        image.LoadFromMemory(data, size);
    } catch (const GIFException&) {
        // Frames read before the error stay and must still render.
    }
    for (bool dither : {false, true}) {
        image.SetDithering(dither);
        for (auto& frame : image.Images) {
            frame->Bitmap.reset();
            try {
                const GIFFrameBitmap& bmp = image.GetBitmap(*frame);
                volatile unsigned sum = 0;
                for (int y = 0; y < bmp.Height && bmp.Pixels; ++y) sum = sum + bmp.Row(y)[bmp.Width - 1];
                if (bmp.HasMask()) sum = sum + bmp.Masked(bmp.Width - 1, bmp.Height - 1);
            } catch (const GIFException&) {
            }
        }
    }
    return 0;
}
