#include "skin/frame/kvFrameObjects.h"

#include "framework/Application.h"
#include "framework/DibSection.h"
#include "framework/Form.h"
#include "framework/Utf.h"
#include "skin/frame/KelvaneForm.h"
#include "skin/imaging/PixelOps.h"
#include "skin/imaging/SkinCompose.h"
#include "skin/imaging/kveffects.h"
#include "skin/imaging/kvLayerWindow.h"

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
      MorphStyle(d.MorphKind),
      GlowPictureIndex(d.GlowLayerPictureIndex),
      GlowMaskIndex(d.GlowLayerMaskPictureIndex),
      GlowOffsetX(d.GlowLayerOffsetX),
      GlowOffsetY(d.GlowLayerOffsetY),
      GlowAlpha(d.GlowLayerAlphaBlendValue),
      PlacedRect(d.SkinRect) {
    if (!HotPicture) HotRect = {};
    if (HotRect.empty()) MorphOn = false;
}

TkvActiveSkinObject::TkvActiveSkinObject(TkvKelvaneForm& frame) : FrameComponent(frame) {}

bool TkvActiveSkinObject::InObject(int x, int y) const {
    if (!FrameComponent.SkinReady() || !HotMaskPicture) return true;
    if (x < 0 || y < 0 || x >= HotMaskPicture->width() || y >= HotMaskPicture->height()) return false;
    return (HotMaskPicture->at(x, y) & 0x00FFFFFFu) == 0;
}

bool TkvActiveSkinObject::CanBlend() const {
    return MorphOn && FrameComponent.SkinReady() && FrameComponent.SkinData()->EnableSkinEffects;
}

bool TkvActiveSkinObject::NeedsBlendStep() const { return BlendTowardsHot() ? MorphLevel < 1 : MorphLevel > 0; }

bool TkvActiveSkinObject::InTransition() const {
    return CanBlend() && (BlendTowardsHot() ? MorphLevel != 1 : MorphLevel != 0);
}

bool TkvActiveSkinObject::BlendStep() {
    if (!CanBlend() || !NeedsBlendStep()) return false;
    MorphLevel = std::clamp(MorphLevel + (BlendTowardsHot() ? 0.2 : -0.2), 0.0, 1.0);
    // Steps of 0.2 do not add up to exactly 1 in binary: land on the ends.
    if (MorphLevel > 0.999) MorphLevel = 1;
    if (MorphLevel < 0.001) MorphLevel = 0;
    FrameComponent.PaintObjectNow(*this);
    return true;
}

void TkvActiveSkinObject::StartHotTransition() {
    if (CanBlend()) FrameComponent.StartBlendTimer();
    else FrameComponent.PaintObjectNow(*this);
}

TkvActiveSkinObject::~TkvActiveSkinObject() {
    if (fw::Application* app = fw::Application::instance()) app->hints().forget(this);
}

void TkvActiveSkinObject::ShowGlow() {
    const TkvSkinData* skin = FrameComponent.SkinData();
    if (!FrameComponent.SkinReady() || !skin->ShowCaptionButtonGlowFrames || !TkvLayerManager::Available()) return;
    const fw::Bitmap* picture = activePicture(skin, GlowPictureIndex);
    if (!picture || picture->empty()) return;
    const fw::Bitmap* mask = activePicture(skin, GlowMaskIndex);
    const fw::Rect r = FrameComponent.FrameToScreen(PlacedRect);
    FrameComponent.GlowLayer(Command() == cmsysmenu)
        .Show(r.left - GlowOffsetX, r.top - GlowOffsetY, GlowAlpha, picture->view(),
              mask && mask->width() == picture->width() && mask->height() == picture->height() ? mask->view()
                                                                                                : fw::ConstPixelView{});
}

void TkvActiveSkinObject::HideGlow() {
    if (GlowPictureIndex != -1) FrameComponent.HideGlowLayer(Command() == cmsysmenu);
}

void TkvActiveSkinObject::MouseEnter() {
    Hovered = true;
    Highlighted = true;
    if (!HotRect.empty()) StartHotTransition();
    if (FrameComponent.OnMouseEnterEvent) FrameComponent.OnMouseEnterEvent(ObjectName);
    ShowGlow();
}

void TkvActiveSkinObject::MouseLeave() {
    Hovered = false;
    Highlighted = false;
    StartHotTransition();
    if (FrameComponent.OnMouseLeaveEvent) FrameComponent.OnMouseLeaveEvent(ObjectName);
    HideGlow();
}

void TkvActiveSkinObject::MouseDown(int x, int y, fw::MouseButton button) {
    if (FrameComponent.OnMouseDownEvent) FrameComponent.OnMouseDownEvent(ObjectName, button, x, y);
}

void TkvActiveSkinObject::MouseUp(int x, int y, fw::MouseButton button) {
    if (Hovered && FrameComponent.OnMouseUpEvent) FrameComponent.OnMouseUpEvent(ObjectName, button, x, y);
}

void TkvActiveSkinObject::MouseMove(int x, int y) {
    if (FrameComponent.OnMouseMoveEvent) FrameComponent.OnMouseMoveEvent(ObjectName, x, y, PlacedRect);
}

bool TkvActiveSkinObject::DrawTransition(fw::Canvas& canvas, const fw::Bitmap& normalPic, fw::Rect normal,
                                         const fw::Bitmap& hotPic, fw::Rect hot) const {
    if (!InTransition() || PlacedRect.empty()) return false;
    const int w = PlacedRect.width(), h = PlacedRect.height();
    auto scaled = [&](const fw::Bitmap& pic, fw::Rect r) {
        fw::Bitmap out(w, h);
        const fw::Rect src = r.intersect(pic.rect());
        if (!src.empty()) StretchPixels(SubView(pic.view(), src), out.view(), out.rect());
        return out;
    };
    TkvEffectBmp from(scaled(normalPic, normal).view());
    const TkvEffectBmp to(scaled(hotPic, hot).view());
    from.Morph(MorphStyle, to, MorphLevel);
    fw::drawPixels(canvas.handle(), PlacedRect.left, PlacedRect.top, from.Image().view());
    return true;
}

void TkvActiveSkinObject::DrawPart(fw::Canvas& canvas, const fw::Bitmap& picture, fw::Rect src) const {
    const fw::Rect& p = PlacedRect;
    if (src.empty() || p.empty()) return;
    if (src.width() == p.width() && src.height() == p.height())
        fw::drawPixels(canvas.handle(), p.left, p.top, picture.view(), src);
    else fw::stretchPixels(canvas.handle(), p, picture.view(), src);
}

void TkvActiveSkinObject::DrawObject(fw::Canvas& canvas, bool immediate) {
    const TkvSkinData* skin = FrameComponent.SkinData();
    if (!FrameComponent.SkinReady()) return;
    if (!Usable || FrameComponent.IsFrameActive() || InactiveRect.empty()) {
        const fw::Bitmap& normalPic = NormalInHotPicture && HotPicture ? *HotPicture : skin->FramePicture;
        if (HotPicture && DrawTransition(canvas, normalPic, NormalRect, *HotPicture, HotRect)) return;
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

void TkvSkinCaptionObject::MouseEnter() {
    Hovered = true;
    if (FrameComponent.OnMouseEnterEvent) FrameComponent.OnMouseEnterEvent(ObjectName);
}

void TkvSkinCaptionObject::MouseLeave() {
    Hovered = false;
    if (FrameComponent.OnMouseLeaveEvent) FrameComponent.OnMouseLeaveEvent(ObjectName);
}

void TkvSkinCaptionObject::DrawObject(fw::Canvas& canvas, bool immediate) {
    if (!FrameComponent.SkinReady()) return;
    const TkvDataSkinCaption& d = Description;
    const TkvSkinData& skin = *FrameComponent.SkinData();
    const fw::Rect slice = Animates()
                               ? CaptionAnimationSlice(d.AnimateSkinRect, d.SkinRect, d.FrameCount, AnimationFrame)
                               : fw::Rect{};
    const fw::Bitmap& normalPic = NormalInHotPicture && HotPicture ? *HotPicture : skin.FramePicture;
    if (!slice.empty()) {
        DrawPart(canvas, HotPicture ? *HotPicture : skin.FramePicture, slice);
    } else if (HotPicture && !HotRect.empty() && DrawTransition(canvas, normalPic, NormalRect, *HotPicture, HotRect)) {
        // Between its normal and its active image.
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
    fw::Font font(fw::utf8ToWide(d.FontName), d.FontHeight, style,
                  TkvKelvaneForm::CharsetForText(FrameComponent.CaptionCharset(), text),
                  Active ? d.ActiveFontColor : d.FontColor);
    canvas.setFont(font);
    canvas.setBrushStyle(fw::BrushStyle::Clear);
    const std::wstring shown = EllipsizeCaption(text, t.width(),
                                                [&](const std::wstring& s) { return canvas.textWidth(s); });
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
    // The skin's text effects: a mirrored copy below the text, or a glow around it.
    const bool vistaGlow = d.VistaGlowEffect && (Active || d.VistaGlowInactiveEffect);
    const bool glow = d.GlowEffect && (Active || d.GlowInactiveEffect);
    if (d.ReflectionEffect) {
        DrawReflection(canvas, shown, at, size, Active ? d.ReflactionActiveColor : d.ReflactionColor,
                       d.ReflectionOffset);
    } else if (vistaGlow || glow) {
        // The glow colour spread round the text: a soft two-pixel halo, or `glowsize` pixels moved by `glowoffset`.
        const int radius = glow ? std::max(1, d.GlowSize) : 2;
        const int shift = glow ? d.GlowOffset : 0;
        canvas.font().setColor(Active ? d.GlowActiveColor : d.GlowColor);
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx)
                if ((dx || dy) && dx * dx + dy * dy <= radius * radius)
                    canvas.textOut(at.x + dx + shift, at.y + dy + shift, shown);
    }
    canvas.font().setColor(Active ? d.ActiveFontColor : d.FontColor);
    canvas.textOut(at.x, at.y, shown);
}

void TkvSkinCaptionObject::DrawReflection(fw::Canvas& canvas, const std::wstring& text, fw::Point at, fw::Size size,
                                          fw::Color colour, int offset) const {
    if (size.width <= 0 || size.height <= 0) return;
    constexpr fw::Color kKey = 0xFF00FF;  // a colour no caption text is drawn in
    fw::DibSection drawn(size.width, size.height);
    fw::fillPixels(drawn.pixels(), {0, 0, size.width, size.height}, fw::colorToPixel(kKey));
    drawn.canvas().setFont(canvas.font());
    drawn.canvas().font().setColor(colour);
    drawn.canvas().setBrushStyle(fw::BrushStyle::Clear);
    drawn.canvas().textOut(0, 0, text);
    fw::Bitmap mirrored(size.width, size.height);
    const fw::ConstPixelView src = drawn.pixels();
    for (int y = 0; y < size.height; ++y)
        fw::copyPixels(src, {0, size.height - 1 - y, size.width, size.height - y}, mirrored.view(), 0, y);
    // Onto what is already there below the text.
    const int top = at.y + size.height + offset;
    fw::DibSection below(size.width, size.height);
    BitBlt(below.dc(), 0, 0, size.width, size.height, canvas.handle(), at.x, top, SRCCOPY);
    TransparentCopy(mirrored.view(), below.pixels(), 0, 0, kKey);
    below.drawTo(canvas.handle(), at.x, top);
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
