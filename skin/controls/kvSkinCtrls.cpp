#include "skin/controls/kvSkinCtrls.h"

#include "skin/imaging/PixelOps.h"
#include "skin/imaging/PlatformRegion.h"

// ---- TkvSkinControl ----------------------------------------------------------------------------------------

TkvSkinControl::TkvSkinControl(fw::Component* owner) : fw::CustomControl(owner) {}

TkvSkinControl::~TkvSkinControl() = default;

void TkvSkinControl::FetchSkinDescription() {
    DescriptionIndex = SkinReady() ? skinData_->GetControlIndex(skinDataName_) : -1;
}

void TkvSkinControl::SetSkinDataName(const std::string& name) { skinDataName_ = name; }

void TkvSkinControl::SetSkinData(TkvSkinData* data) {
    skinData_.Set(data);
    if (!skinData_) return;
    if (!skinData_->Empty() && !skinData_->Designing()) ChangeSkinData();
}

void TkvSkinControl::DrawDefaultImage(fw::DibSection& bitmap) {
    fw::Canvas& c = bitmap.canvas();
    c.setBrushColor(fw::clBtnFace);
    c.fillRect(bitmap.rect());
}

void TkvSkinControl::DrawSkinImage(fw::DibSection&) {}

void TkvSkinControl::ChangeSkinData() {
    FetchSkinDescription();
    repaint();
}

void TkvSkinControl::BeforeChangeSkinData() {
    DescriptionIndex = -1;
    dropKeptImage();
}

void TkvSkinControl::ParentImageChanged() { invalidate(); }

void TkvSkinControl::paint(fw::Canvas& canvas) { PaintControl(canvas); }

fw::DibSection& TkvSkinControl::PaintBuffer() {
    paintBuffer_.resize(width(), height());
    return paintBuffer_;
}

void TkvSkinControl::PaintControl(fw::Canvas& canvas) {
    if (width() <= 0 || height() <= 0) return;
    FetchSkinDescription();
    fw::DibSection& bitmap = PaintBuffer();
    if (DescriptionIndex == -1) DrawDefaultImage(bitmap);
    else DrawSkinImage(bitmap);
    if (!bitmap.empty()) bitmap.drawTo(canvas.handle(), 0, 0);
}

void TkvSkinControl::wndProc(fw::Message& m) {
    switch (m.msg) {
        case WM_ERASEBKGND:  // the paint covers everything; an erase first would only flicker
            // Outside a paint (someone drawing the control's image elsewhere) some controls paint themselves.
            if (PaintsOnErase() && !InPaintMessage && m.wParam) {
                fw::Canvas canvas(reinterpret_cast<HDC>(m.wParam));
                PaintControl(canvas);
            }
            m.result = 1;
            return;
        case WM_PAINT:
            InPaintMessage = true;
            try {
                fw::CustomControl::wndProc(m);
            } catch (...) {
                InPaintMessage = false;
                throw;
            }
            InPaintMessage = false;
            return;
        case SKIN_MSG_PARENT_IMAGE_CHANGED:
            ParentImageChanged();
            m.result = 0;
            return;
        default: fw::CustomControl::wndProc(m);
    }
}

// ---- TkvSkinCustomControl ----------------------------------------------------------------------------------

TkvSkinCustomControl::TkvSkinCustomControl(fw::Component* owner) : TkvSkinControl(owner), defaultFont_(L"Arial", 14) {
    defaultFont_.onChange = [this] {
        dropKeptImage();
        DefaultFontChanged();
        if (DescriptionIndex == -1) invalidate();
    };
}

void TkvSkinCustomControl::SetDefaultWidth(int w) {
    defaultWidth_ = w;
    if (DescriptionIndex == -1 && w > 0) setWidth(w);
}

void TkvSkinCustomControl::SetDefaultHeight(int h) {
    defaultHeight_ = h;
    if (DescriptionIndex == -1 && h > 0) setHeight(h);
}

void TkvSkinCustomControl::SetDefaultFont(const fw::Font& f) { defaultFont_.assign(f); }

void TkvSkinCustomControl::FetchSkinDescription() {
    TkvSkinControl::FetchSkinDescription();
    SkinPicture = nullptr;
    SkinMaskPicture = nullptr;
    if (DescriptionIndex == -1) return;
    const TkvSkinFitPictures p = FetchFitData(*this, *SkinData(), DescriptionIndex);
    SkinPicture = p.picture;
    SkinMaskPicture = p.mask;
}

void TkvSkinCustomControl::DrawDefaultImage(fw::DibSection& bitmap) {
    fw::Canvas& c = bitmap.canvas();
    c.setBrushColor(fw::clBtnFace);
    c.fillRect(clientRect());
}

void TkvSkinCustomControl::DrawSkinImage(fw::DibSection& bitmap) { DrawSkinImageFrom(bitmap, SrcSkinRect); }

void TkvSkinCustomControl::DrawSkinImageFrom(fw::DibSection& bitmap, fw::Rect source) {
    // A description that names no picture (or one of another class) has nothing to draw from: default look.
    if (!SkinPicture) {
        DrawDefaultImage(bitmap);
        return;
    }
    fw::Bitmap image;
    ComposeControlImage(image, SkinPicture->view(), source, *this, bitmap.width(), bitmap.height(),
                        ForceBackgroundPaint);
    if (image.empty()) return;
    if (image.width() != bitmap.width() || image.height() != bitmap.height())
        bitmap.resize(image.width(), image.height());
    bitmap.assign(image.view());
}

void TkvSkinCustomControl::ChangeSkinData() {
    FetchSkinDescription();
    bool sizeChanged = false;
    if (DescriptionIndex == -1) {
        if (defaultWidth_ > 0) setWidth(defaultWidth_);
        if (defaultHeight_ > 0) setHeight(defaultHeight_);
    } else {
        int w = width(), h = height();
        CalcSkinSize(w, h);
        if (w != width() || h != height()) {
            sizeChanged = true;
            setBounds(left(), top(), w, h);  // region and image follow through setControlBounds
        }
    }
    if (!sizeChanged || DescriptionIndex == -1) {
        UpdateControlRegion();
        repaint();
    }
}

void TkvSkinCustomControl::setControlBounds(int x, int y, int w, int h) {
    FetchSkinDescription();
    const bool recompute = (w != width() || h != height()) && DescriptionIndex != -1;
    if (recompute) {
        CalcSkinSize(w, h);
        if (SizingMode == 0) CurClientRect = SrcClientRect;
    }
    TkvSkinControl::setControlBounds(x, y, w, h);
    if (recompute) {
        UpdateControlRegion();
        repaint();
    }
    if (DescriptionIndex != -1 && StretchClient) {
        for (fw::Control* c : controls()) {
            if (fw::WindowedControl* wc = c->asWindowed()) {
                if (wc->handleAllocated()) SendMessageW(wc->handle(), SKIN_MSG_PARENT_IMAGE_CHANGED, 0, 0);
            } else {
                c->perform(SKIN_MSG_PARENT_IMAGE_CHANGED, 0, 0);
            }
        }
    }
}

void TkvSkinCustomControl::ApplyRegion(fw::Region region) {
    // The window takes its own copy; ours is kept for reference and freed when replaced.
    if (handleAllocated()) SetWindowRegionCopy(handle(), region);
    windowRegion_ = std::move(region);
}

void TkvSkinCustomControl::windowCreated() {
    TkvSkinControl::windowCreated();
    if (windowRegion_) {
        fw::Region kept = std::move(windowRegion_);
        ApplyRegion(std::move(kept));
    }
}

void TkvSkinCustomControl::UpdateControlRegion() {
    if (!parent()) return;
    if (!SkinMaskPicture || DescriptionIndex == -1) {
        if (windowRegion_) ApplyRegion(fw::Region());
        return;
    }
    RefreshCurrentPoints();  // the mask region is cut at the current points
    std::optional<MaskRegion> r = ControlMaskRegion(SkinMaskPicture->view(), *this, width(), height());
    ApplyRegion(r ? CreatePlatformRegion(*r) : fw::Region());
}

void TkvSkinCustomControl::PaintControl(fw::Canvas& canvas) {
    if (width() < 1 || height() < 1) return;
    FetchSkinDescription();
    RefreshCurrentPoints();  // the image is composed at the current points
    if (DescriptionIndex == -1 || !ForceBackgroundPaint || SizingMode != 1) {
        TkvSkinControl::PaintControl(canvas);
        return;
    }
    PaintForcedBackground(canvas);
}

void TkvSkinCustomControl::PaintForcedBackground(fw::Canvas& canvas) {
    if (!SkinPicture) {
        TkvSkinControl::PaintControl(canvas);
        return;
    }
    const fw::ConstPixelView pic = SkinPicture->view();
    const int W = width(), H = height();
    BorderBands bands = ComposeBorderBands(pic, SrcSkinRect, SrcCorners(), CurCorners(), W, H, Stretch());

    fw::DibSection top;
    top.assign(bands.top.view());
    if (!top.empty()) DrawSkinImage(top);  // descendants draw caption, glyph and text into the top strip

    const int clW = SrcClientRect.width(), clH = SrcClientRect.height();
    if (PaintClientBackground && clW > 0 && clH > 0 && !CurClientRect.empty()) {
        fw::Bitmap scratch;
        const fw::Rect src = SrcClientRect.offset(SrcSkinRect.left, SrcSkinRect.top);
        fw::DibSection client;
        client.assign(CopySegment(pic, src, scratch));
        const fw::Rect& cr = CurClientRect;
        fw::SavedDC saved(canvas.handle());
        canvas.intersectClip(cr);
        HDC dc = canvas.handle();
        if (!StretchClient) {
            for (int col = 0; col <= cr.width() / clW; ++col)
                for (int row = 0; row <= cr.height() / clH; ++row)
                    BitBlt(dc, cr.left + col * clW, cr.top + row * clH, clW, clH, client.dc(), 0, 0, SRCCOPY);
        } else {
            SetStretchBltMode(dc, COLORONCOLOR);
            switch (StretchKind) {
                case stfull:
                    StretchBlt(dc, cr.left, cr.top, cr.width(), cr.height(), client.dc(), 0, 0, clW, clH, SRCCOPY);
                    break;
                case sthorz:
                    for (int col = 0; col <= cr.width() / clW; ++col)
                        StretchBlt(dc, cr.left + col * clW, cr.top, clW, cr.height(), client.dc(), 0, 0, clW, clH,
                                   SRCCOPY);
                    break;
                case stvert:
                    for (int row = 0; row <= cr.height() / clH; ++row)
                        StretchBlt(dc, cr.left, cr.top + row * clH, cr.width(), clH, client.dc(), 0, 0, clW, clH,
                                   SRCCOPY);
                    break;
            }
        }
    }
    const HDC dc = canvas.handle();
    const int topH = top.height();
    if (!top.empty()) top.drawTo(dc, 0, 0);
    if (!bands.left.empty()) fw::drawPixels(dc, 0, topH, bands.left.view());
    if (!bands.right.empty()) fw::drawPixels(dc, W - bands.right.width(), topH, bands.right.view());
    if (!bands.bottom.empty()) fw::drawPixels(dc, 0, H - bands.bottom.height(), bands.bottom.view());
}
