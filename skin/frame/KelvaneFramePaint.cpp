// Painting of the frame component: the skinned frame from the skin's pictures, the plain default frame without
// skin, and the client background.
#include "framework/DibSection.h"
#include "skin/frame/FrameBackground.h"
#include "skin/frame/KelvaneForm.h"
#include "skin/imaging/PixelOps.h"
#include "skin/imaging/SkinCompose.h"
#include "skin/imaging/kveffects.h"

namespace {
void fillSys(HDC dc, const fw::Rect& r, int sysColor) {
    RECT rc = fw::toRECT(r);
    FillRect(dc, &rc, GetSysColorBrush(sysColor));
}

// A one-pixel border: top and left in `tl`, bottom and right in `br`.
void border(HDC dc, const fw::Rect& r, int tl, int br) {
    fillSys(dc, {r.left, r.top, r.right, r.top + 1}, tl);
    fillSys(dc, {r.left, r.top, r.left + 1, r.bottom}, tl);
    fillSys(dc, {r.left, r.bottom - 1, r.right, r.bottom}, br);
    fillSys(dc, {r.right - 1, r.top, r.right, r.bottom}, br);
}
}  // namespace

void TkvKelvaneForm::PaintFrameTo(HDC dc) {
    if (!dc) return;
    if (skinReady_) PaintSkinnedFrame(dc);
    else if (!skinChanging_) PaintDefaultFrame(dc);
}

void TkvKelvaneForm::PaintSkinnedFrame(HDC dc) {
    if (CurrentWidth == 0) CurrentWidth = host_->width();
    if (CurrentHeight == 0) CurrentHeight = host_->height();
    if (CurrentWidth < FrameMinWidth() || CurrentHeight < FrameMinHeight()) return;
    RecomputeGeometry();
    LayoutObjects();
    const TkvSkinData& s = *skinData_;
    const bool active = IsFrameActive();
    const fw::Bitmap& picture = (active || s.InactiveFramePicture.empty()) ? s.FramePicture : s.InactiveFramePicture;
    const TkvStretchedGeometry& g = geometry_;
    const SkinCorners src{s.LeftTopPoint, s.RightTopPoint, s.LeftBottomPoint, s.RightBottomPoint, s.ClientRect};
    const SkinCorners dst{g.StretchedLeftTop, g.StretchedRightTop, g.StretchedLeftBottom, g.StretchedRightBottom,
                          g.StretchedClientRect};
    SkinStretch stretch;
    stretch.left = s.LeftStretch;
    stretch.right = s.RightStretch;
    stretch.top = s.TopStretch;
    stretch.bottom = s.BottomStretch;
    BorderBands bands = ComposeBorderBands(picture.view(), picture.rect(), src, dst, CurrentWidth, CurrentHeight,
                                           stretch);

    fw::DibSection& top = frameTop_;  // kept between paints: making sections costs more than filling them
    fw::DibSection& bottom = frameBottom_;
    top.assign(bands.top.view());
    bottom.assign(bands.bottom.view());
    const fw::Rect& cr = g.StretchedClientRect;
    for (auto& o : objects_) {
        if (!o->Shown) continue;
        if (o->PlacedRect.bottom > cr.top) {
            if (bottom.empty()) continue;
            const fw::Rect keep = o->PlacedRect;
            o->PlacedRect = keep.offset(0, -cr.bottom);
            o->DrawObject(bottom.canvas(), false);
            o->PlacedRect = keep;
        } else if (!top.empty()) {
            o->DrawObject(top.canvas(), false);
        }
    }

    fw::SavedDC saved(dc);
    if (!cr.empty()) ExcludeClipRect(dc, cr.left, cr.top, cr.right, cr.bottom);
    const int topH = bands.top.height();
    const int bottomY = CurrentHeight - bands.bottom.height();
    const int rightX = CurrentWidth - bands.right.width();
    if (active || !s.AutoRenderingInActiveImage) {
        if (!top.empty()) top.drawTo(dc, 0, 0);
        if (!bands.left.empty()) fw::drawPixels(dc, 0, topH, bands.left.view());
        if (!bands.right.empty()) fw::drawPixels(dc, rightX, topH, bands.right.view());
        if (!bottom.empty()) bottom.drawTo(dc, 0, bottomY);
        return;
    }
    const TkvInactiveEffect effect = s.InactiveEffect;
    auto drawDarkened = [&](fw::ConstPixelView v, int x, int y) {
        if (v.empty()) return;
        TkvEffectBmp e(v);
        e.ApplyInactiveEffect(effect);
        fw::drawPixels(dc, x, y, e.Image().view());
    };
    drawDarkened(top.pixels(), 0, 0);
    drawDarkened(bands.left.view(), 0, topH);
    drawDarkened(bands.right.view(), rightX, topH);
    drawDarkened(bottom.pixels(), 0, bottomY);
}

void TkvKelvaneForm::PaintDefaultFrame(HDC dc) {
    if (CurrentWidth == 0) CurrentWidth = host_->width();
    if (CurrentHeight == 0) CurrentHeight = host_->height();
    const int W = CurrentWidth, H = CurrentHeight;
    const int capH = DefaultCaptionHeight();
    if (objects_.empty()) BuildDefaultObjects();
    DefaultCaptionRect = DefaultCaptionRectFor(W, capH);
    LayoutDefaultCaption();
    const fw::Rect dcr = DefaultCaptionRect;
    if (W - 6 <= 0 || capH <= 0) return;

    fw::DibSection caption(W - 6, capH);
    HDC cdc = caption.dc();
    fillSys(cdc, caption.rect(), COLOR_BTNFACE);
    if (capH - 4 > 1) {
        const int x0 = (dcr.left - 3) + 2, x1 = dcr.right - 6;
        for (int y = 2, k = 0; y <= capH - 4; ++y, ++k)
            if (x1 > x0) fillSys(cdc, {x0, y, x1, y + 1}, (k % 2 == 0) ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
    }
    {
        fw::Canvas& c = caption.canvas();
        fw::Font font = IsFrameActive() ? DefCaptionFont : DefInActiveCaptionFont;
        if (skinData_ && skinData_->ResourceStrData()) font.setCharset(skinData_->ResourceStrData()->CharSet);
        font.setCharset(CharsetForText(font.charset(), host_->caption()));
        c.setFont(font);
        const int L = dcr.left - 3;
        const int A = dcr.right - dcr.left + 3;
        if (OnCaptionPaint) {
            OnCaptionPaint(c, {L, 0, dcr.right - 3, capH}, IsFrameActive());
        } else if (const std::wstring text = host_->caption(); !text.empty()) {
            const std::wstring shown = EllipsizeCaption(text, A, [&](const std::wstring& t) { return c.textWidth(t); });
            const fw::Size size = c.textExtent(shown);
            const int x = L + A / 2 - (size.width + 5) / 2;
            const int y = capH / 2 - size.height / 2;
            fillSys(cdc, fw::Rect::fromSize(x, y, size.width, size.height).inflate(2, 2), COLOR_BTNFACE);
            c.setBrushStyle(fw::BrushStyle::Clear);
            c.textOut(x, y, shown);
        }
    }

    for (auto& o : objects_) {
        if (!o->Shown) continue;
        const fw::Rect keep = o->PlacedRect;
        o->PlacedRect = keep.offset(-3, -3);
        o->DrawObject(caption.canvas(), false);
        o->PlacedRect = keep;
    }

    fw::SavedDC saved(dc);
    ExcludeClipRect(dc, 3, capH + 3, W - 3, H - 3);
    caption.drawTo(dc, 3, 3);
    border(dc, {0, 0, W, H}, COLOR_3DLIGHT, COLOR_3DDKSHADOW);
    border(dc, {1, 1, W - 1, H - 1}, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    border(dc, {2, 2, W - 2, H - 2}, COLOR_BTNFACE, COLOR_BTNFACE);
}

const fw::Bitmap& TkvKelvaneForm::KeptClientBackground(int clientW, int clientH) {
    ClientBackground& kept = clientBackground_;
    if (kept.image.empty() || kept.clientW != clientW || kept.clientH != clientH || kept.windowW != CurrentWidth ||
        kept.windowH != CurrentHeight) {
        kept.image = ComposeClientBackground(*skinData_, clientW, clientH, CurrentWidth, CurrentHeight);
        kept.clientW = clientW;
        kept.clientH = clientH;
        kept.windowW = CurrentWidth;
        kept.windowH = CurrentHeight;
    }
    return kept.image;
}

void TkvKelvaneForm::PaintClientBackground(HDC dc) {
    if (!dc) return;
    const fw::Rect client = host_->clientRect();
    if (skinReady_ && LogoBitMap.empty()) {
        // The usual case: the kept picture straight to the context, no copy.
        const fw::Bitmap& kept = KeptClientBackground(client.width(), client.height());
        if (!kept.empty()) {
            fw::drawPixels(dc, 0, 0, kept.view());
            return;
        }
    }
    fw::Bitmap bg;
    if (skinReady_) {
        bg = KeptClientBackground(client.width(), client.height());
        if (bg.empty() && (client.width() == 0 || client.height() == 0)) return;
    }
    if (bg.empty()) {
        if (client.empty()) return;
        bg = fw::Bitmap(client.width(), client.height(), fw::colorToPixel(GetSysColor(COLOR_BTNFACE)));
    }
    if (!LogoBitMap.empty()) {
        // A transparent logo leaves out the colour of its bottom-left pixel.
        if (LogoBitMapTransparent)
            TransparentCopy(LogoBitMap.view(), bg.view(), 0, 0,
                            fw::pixelToColor(LogoBitMap.at(0, LogoBitMap.height() - 1)));
        else fw::copyPixels(LogoBitMap.view(), LogoBitMap.rect(), bg.view(), 0, 0);
    }
    fw::drawPixels(dc, 0, 0, bg.view());
}

bool TkvKelvaneForm::OnPaint(fw::Message& m) {
    HWND h = host_->handle();
    inPaint_ = true;
    fw::PaintDC dc(h);
    inPaint_ = false;
    const fw::Rect area = fw::fromRECT(dc.paintRect());
    const fw::Rect client = host_->clientRect();
    if (!client.empty()) {
        // Background and windowless children into one bitmap, copied in one piece.
        fw::DibSection& buffer = clientBuffer_;
        buffer.resize(client.width(), client.height());
        PaintClientBackground(buffer.dc());
        host_->paintControls(buffer.dc(), area);
        buffer.drawTo(dc.get(), 0, 0);
    }
    m.result = 0;
    return true;
}
