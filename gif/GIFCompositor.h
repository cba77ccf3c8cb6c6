// Drawing GIF frames into 32-bit pixels: one frame into a rectangle, and the painter's disposal procedure with
// its work bitmaps. Portable: on Windows the views are the memory of DIB sections.
#pragma once

#include <cstdint>
#include <optional>

#include "framework/Bitmap.h"
#include "gif/GIFImageData.h"
#include "gif/GIFTiming.h"

// Where a frame lands in `rect`: its place on the logical screen scaled into the rectangle, each edge rounded to
// the nearest integer.
fw::Rect GIFScaledFrameRect(const TGIFSubImage& frame, int screenWidth, int screenHeight, fw::Rect rect);

// Draws one frame into `rect` of `dst`: scaled, or with `tile` repeated at the image's size from the rectangle's
// top-left corner. With `transparent`, masked pixels leave dst unchanged. Raises the palette errors of the image.
void GIFDrawFrame(GIFImageData& image, TGIFSubImage& frame, fw::PixelView dst, fw::Rect rect, bool tile,
                  bool transparent);

// Draws the whole picture's first frame, as a single-frame or non-animated draw does.
void GIFDrawFirstFrame(GIFImageData& image, fw::PixelView dst, fw::Rect rect, std::uint16_t drawOptions);

// The painter's frame painting onto a target area, with the backup buffer, frame buffer and background copy the
// frames' disposal methods need.
class GIFCompositor {
public:
    // Looks at the disposal methods of all frames and copies what it needs from `target` within `rect`.
    // background is the painter's background colour (0x00BBGGRR).
    GIFCompositor(GIFImageData& image, std::uint16_t drawOptions, fw::Color background, fw::ConstPixelView target,
                  fw::Rect rect);

    // Paints frame `index` with disposal D onto target within the rectangle given at construction; P is the
    // previous frame's disposal.
    void PaintFrame(int index, int disposal, int previousDisposal, fw::PixelView target);

    bool HasWorkBitmaps() const { return backup_.has_value(); }
    bool HasBackgroundCopy() const { return backgroundCopy_.has_value(); }

private:
    void DrawInto(TGIFSubImage& frame, fw::PixelView dst, fw::Rect rect);
    void ClearArea(fw::Rect area);
    void ClearFrameArea(const TGIFSubImage& frame);
    void CopyToTarget(const fw::Bitmap& from, fw::PixelView target);

    GIFImageData& image_;
    const std::uint16_t options_;
    const fw::Pixel background_;
    const fw::Rect rect_;
    std::optional<fw::Bitmap> backup_;
    std::optional<fw::Bitmap> frameBuffer_;
    std::optional<fw::Bitmap> backgroundCopy_;
};
