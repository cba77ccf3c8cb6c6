#include "skin/controls/SkinControlFit.h"

#include "skin/imaging/PixelOps.h"

void TkvSkinFitData::CopyFrom(const TkvDataSkinCustomControl& d) {
    SrcLeftTop = d.LeftTopPoint;
    SrcRightTop = d.RightTopPoint;
    SrcLeftBottom = d.LeftBottomPoint;
    SrcRightBottom = d.RightBottomPoint;
    SrcSkinRect = d.SkinRect;
    SrcClientRect = d.ClientRect;
    StretchLeft = d.LeftStretch;
    StretchTop = d.TopStretch;
    StretchRight = d.RightStretch;
    StretchBottom = d.BottomStretch;
    StretchClient = d.StretchEffect;
    StretchKind = d.StretchType;
    PictureIndex = d.PictureIndex;
    MaskPictureIndex = d.MaskPictureIndex;
    SizingMode = SkinSizingMode(SrcSkinRect, SrcCorners());
}

void TkvSkinFitData::CopyFromOther() {
    SizingMode = 0;
    PictureIndex = -1;
    MaskPictureIndex = -1;
}

void TkvSkinFitData::CalcSkinSize(bool hasDescription, int& width, int& height) {
    if (!hasDescription || SizingMode < 0) return;
    const int dW = width - SrcSkinRect.width();
    const int dH = height - SrcSkinRect.height();
    switch (SizingMode) {
        case 0:
            width = SrcSkinRect.width();
            height = SrcSkinRect.height();
            CurClientRect = SrcClientRect;
            break;
        case 1:
            CurLeftTop = SrcLeftTop;
            CurRightTop = {SrcRightTop.x + dW, SrcRightTop.y};
            CurLeftBottom = {SrcLeftBottom.x, SrcLeftBottom.y + dH};
            CurRightBottom = {SrcRightBottom.x + dW, SrcRightBottom.y + dH};
            CurClientRect = {SrcClientRect.left, SrcClientRect.top, SrcClientRect.right + dW,
                             SrcClientRect.bottom + dH};
            break;
        case 2:
            height = SrcSkinRect.height();
            CurLeftTop = SrcLeftTop;
            CurRightTop = {SrcRightTop.x + dW, SrcRightTop.y};
            CurClientRect = {SrcClientRect.left, SrcClientRect.top, SrcClientRect.right + dW, SrcClientRect.bottom};
            break;
        case 3:
            width = SrcSkinRect.width();
            CurLeftTop = SrcLeftTop;
            CurLeftBottom = {SrcLeftBottom.x, SrcLeftBottom.y + dH};
            CurClientRect = {SrcClientRect.left, SrcClientRect.top, SrcClientRect.right, SrcClientRect.bottom + dH};
            break;
        default: break;
    }
}

SkinCorners TkvSkinFitData::SrcCorners() const {
    return {SrcLeftTop, SrcRightTop, SrcLeftBottom, SrcRightBottom, SrcClientRect};
}

SkinCorners TkvSkinFitData::CurCorners() const {
    return {CurLeftTop, CurRightTop, CurLeftBottom, CurRightBottom, CurClientRect};
}

SkinStretch TkvSkinFitData::Stretch() const {
    SkinStretch s;
    s.left = StretchLeft;
    s.top = StretchTop;
    s.right = StretchRight;
    s.bottom = StretchBottom;
    s.client = StretchClient;
    s.kind = StretchKind;
    return s;
}

namespace {
const fw::Bitmap* pictureAt(const TkvSkinData& data, int index) {
    if (index < 0 || index >= static_cast<int>(data.ActivePictures.size())) return nullptr;
    return &data.ActivePictures[static_cast<std::size_t>(index)];
}
}  // namespace

TkvSkinFitPictures FetchFitData(TkvSkinFitData& f, const TkvSkinData& data, int index) {
    if (auto* d = data.ControlAs<TkvDataSkinCustomControl>(index)) {
        f.CopyFrom(*d);
        return {pictureAt(data, f.PictureIndex), pictureAt(data, f.MaskPictureIndex)};
    }
    f.CopyFromOther();
    return {};
}

void ComposeControlImage(fw::Bitmap& out, fw::ConstPixelView picture, fw::Rect source, const TkvSkinFitData& d,
                         int width, int height, bool forceBackground) {
    switch (d.SizingMode) {
        case 0: {
            fw::Bitmap scratch;
            fw::ConstPixelView seg = CopySegment(picture, source, scratch);
            out.resize(seg.width, seg.height);
            for (int y = 0; y < seg.height; ++y) {
                const fw::Pixel* s = seg.scanline(y);
                std::copy(s, s + seg.width, out.scanline(y));
            }
            break;
        }
        case 1:
            if (!forceBackground)
                ComposeSkinImage(out, picture, source, d.SrcCorners(), d.CurCorners(), width, height, d.Stretch(),
                                 true);
            break;
        case 2:
            out = ComposeWidthOnly(picture, source, d.SrcLeftTop.x, d.SrcSkinRect.width() - d.SrcRightTop.x, width,
                                   d.StretchClient);
            break;
        case 3:
            out = ComposeHeightOnly(picture, source, d.SrcLeftTop.y, d.SrcSkinRect.height() - d.SrcLeftBottom.y, height,
                                    d.StretchClient);
            break;
        default: break;
    }
}

std::optional<MaskRegion> ControlMaskRegion(fw::ConstPixelView mask, const TkvSkinFitData& d, int width, int height) {
    const SkinCorners src = d.SrcCorners();
    switch (d.SizingMode) {
        case 0: return MaskToRegion(mask, 0, 0);
        case 1: return ComposeMaskRegion(mask, src, d.CurCorners(), width, height);
        // One-direction controls: the same four-corner routine. Their descriptions leave the corners of the fixed
        // direction at zero, which would hand the routine an inside-out frame; those corners are taken at the
        // client rect's edge instead, and only the corners on the side that follows the free direction move.
        case 2: {
            SkinCorners s = src;
            s.lb = {src.lt.x, src.client.bottom};
            s.rb = {src.rt.x, src.client.bottom};
            const int dW = width - d.SrcSkinRect.width();
            SkinCorners dst = s;
            dst.rt.x += dW;
            dst.rb.x += dW;
            dst.client = d.CurClientRect;
            return ComposeMaskRegion(mask, s, dst, width, height);
        }
        case 3: {
            SkinCorners s = src;
            s.rt = {src.client.right, src.lt.y};
            s.rb = {src.client.right, src.lb.y};
            const int dH = height - d.SrcSkinRect.height();
            SkinCorners dst = s;
            dst.lb.y += dH;
            dst.rb.y += dH;
            dst.client = d.CurClientRect;
            return ComposeMaskRegion(mask, s, dst, width, height);
        }
        default: return std::nullopt;
    }
}
