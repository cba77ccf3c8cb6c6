#include "gif/GIFCompositor.h"

#include <algorithm>
#include <array>

namespace {

int scaleEdge(int origin, int value, int extent, int screen) {
    // origin + value * extent / screen, rounded to the nearest integer.
    const std::int64_t num = std::int64_t(value) * extent;
    const std::int64_t q = num >= 0 ? (2 * num + screen) / (2 * std::int64_t(screen))
                                    : -((-2 * num + screen) / (2 * std::int64_t(screen)));
    // Frames far outside a small logical screen scale to huge offsets; keep them well inside int.
    constexpr std::int64_t kLimit = std::int64_t(1) << 30;
    return static_cast<int>(std::clamp<std::int64_t>(origin + q, -kLimit, kLimit));
}

// Palette indexes to opaque pixels; indexes beyond the palette show black.
std::array<fw::Pixel, 256> pixelTable(const TGIFColorMap& palette) {
    std::array<fw::Pixel, 256> lut;
    lut.fill(fw::makePixel(0, 0, 0));
    for (int i = 0; i < palette.Count() && i < 256; ++i) {
        const TGIFRGB c = palette.Colors[i];
        lut[i] = fw::makePixel(c.Red, c.Green, c.Blue);
    }
    return lut;
}

// Nearest-neighbour stretch of the bitmap into `place`, clipped to `clip`.
void stretchBitmap(const GIFFrameBitmap& bmp, const std::array<fw::Pixel, 256>& lut, bool masked, fw::PixelView dst,
                   fw::Rect place, fw::Rect clip) {
    const fw::Rect d = place.intersect(clip).intersect(dst.rect());
    if (d.empty() || place.empty() || !bmp.Pixels) return;
    const std::int64_t pw = place.width(), ph = place.height();
    for (int y = d.top; y < d.bottom; ++y) {
        const int sy = static_cast<int>((y - place.top) * std::int64_t(bmp.Height) / ph);
        const std::uint8_t* src = bmp.Row(sy);
        fw::Pixel* out = dst.scanline(y);
        for (int x = d.left; x < d.right; ++x) {
            const int sx = static_cast<int>((x - place.left) * std::int64_t(bmp.Width) / pw);
            if (masked && bmp.Masked(sx, sy)) continue;
            out[x] = lut[src[sx]];
        }
    }
}

}  // namespace

fw::Rect GIFScaledFrameRect(const TGIFSubImage& frame, int screenWidth, int screenHeight, fw::Rect rect) {
    if (screenWidth <= 0 || screenHeight <= 0) return {};
    const int w = rect.width(), h = rect.height();
    return {scaleEdge(rect.left, frame.Left(), w, screenWidth), scaleEdge(rect.top, frame.Top(), h, screenHeight),
            scaleEdge(rect.left, frame.Left() + frame.Width(), w, screenWidth),
            scaleEdge(rect.top, frame.Top() + frame.Height(), h, screenHeight)};
}

void GIFDrawFrame(GIFImageData& image, TGIFSubImage& frame, fw::PixelView dst, fw::Rect rect, bool tile,
                  bool transparent) {
    const GIFFrameBitmap& bmp = image.GetBitmap(frame);
    if (!bmp.Pixels || rect.empty()) return;
    const auto lut = pixelTable(bmp.Palette);
    const bool masked = transparent && frame.Transparent && bmp.HasMask();
    const int sw = image.Width(), sh = image.Height();
    if (!tile) {
        stretchBitmap(bmp, lut, masked, dst, GIFScaledFrameRect(frame, sw, sh, rect), rect);
        return;
    }
    if (sw <= 0 || sh <= 0) return;
    const fw::Rect visible = rect.intersect(dst.rect());
    for (int ty = rect.top; ty < visible.bottom; ty += sh) {
        if (ty + sh <= visible.top) continue;
        for (int tx = rect.left; tx < visible.right; tx += sw) {
            if (tx + sw <= visible.left) continue;
            const fw::Rect place = fw::Rect::fromSize(tx + frame.Left(), ty + frame.Top(), frame.Width(),
                                                      frame.Height());
            stretchBitmap(bmp, lut, masked, dst, place, rect);
        }
    }
}

void GIFDrawFirstFrame(GIFImageData& image, fw::PixelView dst, fw::Rect rect, std::uint16_t drawOptions) {
    if (image.Empty()) return;
    GIFDrawFrame(image, *image.Images.front(), dst, rect, (drawOptions & GIFDrawOption::Tile) != 0,
                 (drawOptions & GIFDrawOption::DrawTransparent) != 0);
}

GIFCompositor::GIFCompositor(GIFImageData& image, std::uint16_t drawOptions, fw::Color background,
                             fw::ConstPixelView target, fw::Rect rect)
    : image_(image), options_(drawOptions), background_(fw::colorToPixel(background)), rect_(rect) {
    bool toBackground = (options_ & GIFDrawOption::ClearOnLoop) != 0;
    bool toPrevious = false;
    for (const auto& f : image_.Images) {
        if (!f->GraphicControlExtension) continue;
        toBackground |= f->Disposal() == GIFDisposal::Background;
        toPrevious |= f->Disposal() == GIFDisposal::Previous;
    }
    auto copyOfTarget = [&] {
        fw::Bitmap b(rect_.width(), rect_.height(), background_);
        fw::copyPixels(target, rect_, b, 0, 0);
        return b;
    };
    if (toBackground && (options_ & GIFDrawOption::DrawTransparent)) backgroundCopy_ = copyOfTarget();
    if (toBackground || toPrevious) {
        backup_ = copyOfTarget();
        frameBuffer_.emplace(rect_.width(), rect_.height(), background_);
    }
}

void GIFCompositor::DrawInto(TGIFSubImage& frame, fw::PixelView dst, fw::Rect rect) {
    GIFDrawFrame(image_, frame, dst, rect, (options_ & GIFDrawOption::Tile) != 0,
                 (options_ & GIFDrawOption::DrawTransparent) != 0);
}

void GIFCompositor::CopyToTarget(const fw::Bitmap& from, fw::PixelView target) {
    fw::copyPixels(from, from.rect(), target, rect_.left, rect_.top);
}

void GIFCompositor::ClearArea(fw::Rect area) {
    if (backgroundCopy_ && (options_ & GIFDrawOption::DrawTransparent)) {
        const fw::Rect a = area.intersect(backup_->rect());
        fw::copyPixels(*backgroundCopy_, a, *backup_, a.left, a.top);
    } else {
        fw::fillPixels(*backup_, area, background_);
    }
}

void GIFCompositor::ClearFrameArea(const TGIFSubImage& frame) {
    const fw::Rect local = fw::Rect::fromSize(0, 0, rect_.width(), rect_.height());
    if (!(options_ & GIFDrawOption::Tile)) {
        ClearArea(GIFScaledFrameRect(frame, image_.Width(), image_.Height(), local));
        return;
    }
    const int sw = image_.Width(), sh = image_.Height();
    if (sw <= 0 || sh <= 0) return;
    for (int ty = 0; ty < local.bottom; ty += sh)
        for (int tx = 0; tx < local.right; tx += sw)
            ClearArea(fw::Rect::fromSize(tx + frame.Left(), ty + frame.Top(), frame.Width(), frame.Height()));
}

void GIFCompositor::PaintFrame(int index, int disposal, int previousDisposal, fw::PixelView target) {
    TGIFSubImage& frame = *image_.Images.at(index);
    if (!backup_) {
        DrawInto(frame, target, rect_);
        return;
    }
    const fw::Rect local = fw::Rect::fromSize(0, 0, rect_.width(), rect_.height());
    if ((options_ & GIFDrawOption::ClearOnLoop) && index == 0) ClearArea(local);
    if (disposal < GIFDisposal::Background || disposal == GIFDisposal::Background) {
        DrawInto(frame, *backup_, local);
        CopyToTarget(*backup_, target);
        if (disposal == GIFDisposal::Background) ClearFrameArea(frame);
    } else if (disposal == GIFDisposal::Previous) {
        if (previousDisposal < GIFDisposal::Background) {
            // The backup keeps the state before this frame.
            DrawInto(frame, target, rect_);
        } else if (previousDisposal <= GIFDisposal::Previous) {
            fw::copyPixels(*backup_, local, *frameBuffer_, 0, 0);
            DrawInto(frame, *frameBuffer_, local);
            CopyToTarget(*frameBuffer_, target);
        }
    }
}
