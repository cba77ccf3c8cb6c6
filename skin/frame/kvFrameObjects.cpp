#include "skin/frame/kvFrameObjects.h"

#include "framework/Form.h"
#include "framework/Utf.h"
#include "skin/frame/KelvaneForm.h"
#include "skin/imaging/SkinCompose.h"
#include "skin/imaging/kveffects.h"

namespace {
const fw::Bitmap* activePicture(const TkvSkinData* s, int index) {
    if (!s || index < 0 || index >= static_cast<int>(s->ActivePictures.size())) return nullptr;
    return &s->ActivePictures[static_cast<std::size_t>(index)];
}
}  // namespace

TkvActiveSkinObject::TkvActiveSkinObject(TkvKelvaneForm& frame, const TkvDataSkinObject& d)
    : FrameComponent(frame),
      ObjectName(d.IDName),
      ObjectHint(d.Hint),
      NormalRect(d.SkinRect),
      HotRect(d.ActiveSkinRect),
      InactiveRect(d.InactiveSkinRect),
      NormalInHotPicture(d.SkinRectInAPicture),
      HotPicture(activePicture(frame.SkinData(), d.ActivePictureIndex)),
      HotMaskPicture(activePicture(frame.SkinData(), d.ActiveMaskPictureIndex)),
      MorphOn(d.Morphing),
      PlacedRect(d.SkinRect) {
    if (!HotPicture) HotRect = {};
    if (HotRect.empty()) MorphOn = false;
}

void TkvActiveSkinObject::DrawPart(fw::Canvas& canvas, const fw::Bitmap& picture, fw::Rect src) const {
    const fw::Rect& p = PlacedRect;
    if (src.empty() || p.empty()) return;
    if (src.width() == p.width() && src.height() == p.height())
        fw::drawPixels(canvas.handle(), p.left, p.top, picture.view(), src);
    else
        fw::stretchPixels(canvas.handle(), p, picture.view(), src);
}

void TkvActiveSkinObject::DrawObject(fw::Canvas& canvas, bool immediate) {
    const TkvSkinData* skin = FrameComponent.SkinData();
    if (!FrameComponent.SkinReady()) return;
    if (!Usable || FrameComponent.IsFrameActive() || InactiveRect.empty()) {
        if (!Highlighted || HotRect.empty()) {
            if (!immediate && !NormalInHotPicture) return;
            if (NormalInHotPicture) {
                if (HotPicture) DrawPart(canvas, *HotPicture, NormalRect);
            } else {
                DrawPart(canvas, skin->FramePicture, NormalRect);
            }
        } else if (HotPicture) {
            DrawPart(canvas, *HotPicture, HotRect);
        }
    } else if (HotPicture) {
        DrawPart(canvas, *HotPicture, InactiveRect);
    }
}

TkvSkinCaptionObject::TkvSkinCaptionObject(TkvKelvaneForm& frame, const TkvDataSkinCaption& d)
    : TkvActiveSkinObject(frame, d), Description(d) {}

void TkvSkinCaptionObject::DrawObject(fw::Canvas& canvas, bool immediate) {
    if (!FrameComponent.SkinReady()) return;
    const TkvDataSkinCaption& d = Description;
    const TkvSkinData& skin = *FrameComponent.SkinData();
    const fw::Rect slice = Animates() ? CaptionAnimationSlice(d.AnimateSkinRect, d.SkinRect, d.FrameCount,
                                                              AnimationFrame)
                                      : fw::Rect{};
    if (!slice.empty()) {
        DrawPart(canvas, HotPicture ? *HotPicture : skin.FramePicture, slice);
    } else if (Active && !HotRect.empty() && HotPicture) {
        DrawPart(canvas, *HotPicture, HotRect);
    } else if (!Active && skin.AutoRenderingInActiveImage && immediate) {
        // The normal image through the skin's inactive effect (in a frame paint the whole piece goes through the
        // effect afterwards, so it is applied here only when the caption is painted alone).
        const fw::Bitmap& pic = NormalInHotPicture && HotPicture ? *HotPicture : skin.FramePicture;
        const fw::Rect src = NormalRect.intersect(pic.rect());
        if (!src.empty() && !PlacedRect.empty()) {
            fw::Bitmap part(src.width(), src.height());
            for (int y = 0; y < src.height(); ++y)
                for (int x = 0; x < src.width(); ++x) part.at(x, y) = pic.at(src.left + x, src.top + y);
            TkvEffectBmp e(part.view());
            e.ApplyInactiveEffect(skin.InactiveEffect);
            fw::stretchPixels(canvas.handle(), PlacedRect, e.Image().view(), e.Image().rect());
        }
    } else if (immediate) {
        TkvActiveSkinObject::DrawObject(canvas, immediate);
    }

    const fw::Rect& p = PlacedRect;
    if (FrameComponent.OnCaptionPaint) {
        FrameComponent.OnCaptionPaint(canvas, p, Active);
        return;
    }
    const std::wstring text = FrameComponent.HostForm().caption();
    const fw::Rect t = CaptionTextRect(d, p.width());
    if (text.empty() || d.TextRect.empty()) return;

    fw::FontStyle style;
    style.bold = d.FontStyle.bold;
    style.italic = d.FontStyle.italic;
    style.underline = d.FontStyle.underline;
    style.strikeOut = d.FontStyle.strikeOut;
    fw::Font font(fw::utf8ToWide(d.FontName), d.FontHeight, style, TkvKelvaneForm::CharsetForText(FrameComponent.CaptionCharset(), text),
                  Active ? d.ActiveFontColor : d.FontColor);
    canvas.setFont(font);
    canvas.setBrushStyle(fw::BrushStyle::Clear);
    const std::wstring shown =
        EllipsizeCaption(text, t.width(), [&](const std::wstring& s) { return canvas.textWidth(s); });
    const fw::Size size = canvas.textExtent(shown);
    fw::Point at = CaptionTextOrigin(t, d.Alignment, size.width, size.height);
    at.x += p.left;
    at.y += p.top;
    if (!d.FrameRect.empty() && HotPicture) DrawTextFrame(canvas, at, size.width);
    if (d.Light) {
        canvas.font().setColor(Active ? d.ActiveLightColor : d.LightColor);
        canvas.textOut(at.x - 1, at.y - 1, shown);
    }
    if (d.Shadow) {
        canvas.font().setColor(Active ? d.ActiveShadowColor : d.ShadowColor);
        canvas.textOut(at.x + 1, at.y + 1, shown);
    }
    canvas.font().setColor(Active ? d.ActiveFontColor : d.FontColor);
    canvas.textOut(at.x, at.y, shown);
}

void TkvSkinCaptionObject::DrawTextFrame(fw::Canvas& canvas, fw::Point text, int textWidth) const {
    const TkvDataSkinCaption& d = Description;
    const fw::Rect src = (Active && !d.ActiveFrameRect.empty()) ? d.ActiveFrameRect : d.FrameRect;
    const int width = d.FullFrame ? PlacedRect.width() - 2 * FrameComponent.Geometry().ButtonsOffset
                                  : d.FrameRect.width() + textWidth - d.FrameTextRect.width();
    if (width <= 0) return;
    const fw::Bitmap frame = ComposeWidthOnly(HotPicture->view(), src, d.FrameLeftOffset, d.FrameRightOffset, width,
                                              false);
    const int x = d.FullFrame ? PlacedRect.left + FrameComponent.Geometry().ButtonsOffset
                              : text.x - d.FrameTextRect.left;
    fw::drawPixels(canvas.handle(), x, text.y - d.FrameTextRect.top, frame.view());
}

bool TkvSkinCaptionObject::Animates() const {
    const TkvSkinData* skin = FrameComponent.SkinData();
    return FrameComponent.SkinReady() && skin->EnableSkinEffects && !Description.AnimateSkinRect.empty() &&
           Description.FrameCount > 0;
}

void TkvSkinCaptionObject::StartAnimation() {
    AnimationFrame = Active ? 1 : (Description.InactiveAnimation ? Description.FrameCount : 0);
    AnimationCounter = 25;
}

bool TkvSkinCaptionObject::AnimationTick() {
    if (AnimationCounter < Description.AnimateInterval) {
        AnimationCounter += 25;
        return true;
    }
    AnimationCounter = 25;
    bool stepped = false;
    if (Active && AnimationFrame <= Description.FrameCount) {
        ++AnimationFrame;
        stepped = true;
    } else if (!Active && AnimationFrame > 0) {
        --AnimationFrame;
        stepped = true;
    }
    if (stepped) FrameComponent.PaintObjectNow(*this);
    return stepped;
}
