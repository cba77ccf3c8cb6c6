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
        // One-direction controls: the mask is widened (heightened) exactly as the image is, so that region and
        // image always agree whatever corner points the one-direction description leaves at zero.
        case 2: {
            const fw::Bitmap m = ComposeWidthOnly(mask, mask.rect(), d.SrcLeftTop.x,
                                                  d.SrcSkinRect.width() - d.SrcRightTop.x, width, false);
            return MaskToRegion(m, 0, 0);
        }
        case 3: {
            const fw::Bitmap m = ComposeHeightOnly(mask, mask.rect(), d.SrcLeftTop.y,
                                                   d.SrcSkinRect.height() - d.SrcLeftBottom.y, height, false);
            return MaskToRegion(m, 0, 0);
        }
        default: return std::nullopt;
    }
}
