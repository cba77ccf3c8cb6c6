#include "skin/frame/kvSkinHint.h"

#include "framework/Application.h"
#include "framework/ClassRegistry.h"
#include "framework/DescriptionReader.h"
#include "framework/DibSection.h"
#include "framework/Utf.h"
#include "skin/data/kvResourceStrData.h"
#include "skin/frame/KelvaneForm.h"
#include "skin/imaging/MaskRegion.h"
#include "skin/imaging/PlatformRegion.h"
#include "skin/imaging/SkinCompose.h"

namespace {
const fw::Bitmap* pictureAt(const TkvSkinData& skin, int index) {
    if (index < 0 || index >= static_cast<int>(skin.ActivePictures.size())) return nullptr;
    const fw::Bitmap& b = skin.ActivePictures[static_cast<std::size_t>(index)];
    return b.empty() ? nullptr : &b;
}

SkinCorners cornersOf(const TkvDataSkinHintWindow& d) {
    return {d.LeftTopPoint, d.RightTopPoint, d.LeftBottomPoint, d.RightBottomPoint, d.ClientRect};
}

// The text sits in the skin's client rect with this much room on its left and right.
constexpr int kTextMargin = 2;
}  // namespace

// ---- the window

const TkvDataSkinHintWindow* TkvSkinHintWindow::Skin() const {
    TkvSkinData* skin = owner_.SkinData();
    if (!skin || skin->Empty()) return nullptr;
    const TkvDataSkinHintWindow& d = skin->HintWindow();
    if (!pictureAt(*skin, d.WindowPictureIndex) || d.ClientRect.empty()) return nullptr;
    return &d;
}

fw::Font TkvSkinHintWindow::TextFont() const {
    const TkvDataSkinHintWindow* d = Skin();
    if (!d) return font();
    const TkvResourceStrData* strings = owner_.SkinData()->ResourceStrData();
    const int charset = strings ? strings->CharSet : DEFAULT_CHARSET;
    fw::FontStyle style{d->FontStyle.bold, d->FontStyle.italic, d->FontStyle.underline, d->FontStyle.strikeOut};
    return fw::Font(fw::utf8ToWide(d->FontName), d->FontHeight, style,
                    TkvKelvaneForm::CharsetForText(charset, hintText()), d->FontColor);
}

fw::Size TkvSkinHintWindow::hintSize(const std::wstring& text) {
    const TkvDataSkinHintWindow* d = Skin();
    if (!d) return fw::PlainHintWindow::hintSize(text);
    fw::DibSection probe(1, 1);
    probe.canvas().setFont(TextFont());
    const fw::Size t = probe.canvas().textExtent(text);
    // The picture's border around the client rect stays; the client rect grows to the text, never below the
    // picture's own size.
    const fw::Bitmap& picture = *pictureAt(*owner_.SkinData(), d->WindowPictureIndex);
    const int borderW = picture.width() - d->ClientRect.width(), borderH = picture.height() - d->ClientRect.height();
    return {std::max(picture.width(), t.width + 2 * kTextMargin + borderW),
            std::max(picture.height(), t.height + borderH)};
}

void TkvSkinHintWindow::placed() {
    region_ = {};
    const TkvDataSkinHintWindow* d = Skin();
    const fw::Bitmap* mask = d ? pictureAt(*owner_.SkinData(), d->MaskPictureIndex) : nullptr;
    const fw::Bitmap* picture = d ? pictureAt(*owner_.SkinData(), d->WindowPictureIndex) : nullptr;
    if (mask && picture) {
        const SkinCorners src = cornersOf(*d);
        const SkinCorners dst = ResizeCorners(src, width() - picture->width(), height() - picture->height());
        if (auto r = ComposeMaskRegion(mask->view(), src, dst, width(), height())) region_ = CreatePlatformRegion(*r);
    }
    SetWindowRegionCopy(handle(), region_);
}

void TkvSkinHintWindow::paint(fw::Canvas& canvas) {
    const TkvDataSkinHintWindow* d = Skin();
    if (!d) return fw::PlainHintWindow::paint(canvas);
    const fw::Bitmap& picture = *pictureAt(*owner_.SkinData(), d->WindowPictureIndex);
    const SkinCorners src = cornersOf(*d);
    const SkinCorners dst = ResizeCorners(src, width() - picture.width(), height() - picture.height());
    const SkinStretch stretch{d->LeftStretch,   d->TopStretch,    d->RightStretch,
                              d->BottomStretch, d->StretchEffect, d->StretchType};
    fw::DibSection img(width(), height());
    img.assign(ComposeSkinImage(picture.view(), picture.rect(), src, dst, width(), height(), stretch, true).view());
    fw::Canvas& c = img.canvas();
    c.setFont(TextFont());
    c.setBrushStyle(fw::BrushStyle::Clear);
    fw::Rect t{dst.client.left + kTextMargin, dst.client.top, dst.client.right - kTextMargin, dst.client.bottom};
    c.drawText(hintText(), t, DT_LEFT | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
    img.drawTo(canvas.handle(), 0, 0);
}

// ---- the component

TkvSkinHint::TkvSkinHint(fw::Component* owner)
    : fw::Component(owner), window_(std::make_unique<TkvSkinHintWindow>(*this)) {
    if (fw::Application* app = fw::Application::instance()) app->hints().setWindow(window_.get());
}

TkvSkinHint::~TkvSkinHint() {
    if (fw::Application* app = fw::Application::instance()) app->hints().windowGone(window_.get());
}

void TkvSkinHint::SetSkinData(TkvSkinData* d) { skinData_.Set(d); }

void RegisterSkinHintClass(fw::ClassRegistry& classes) {
    if (classes.find("TkvSkinHint") != nullptr) return;
    classes.add<TkvSkinHint>("TkvSkinHint")
        .property<TkvSkinHint>("SkinData", [](TkvSkinHint& h, const fw::Value& v, fw::DescriptionReader& r) {
            r.reference(v, [&h](fw::Component* t) { h.SetSkinData(dynamic_cast<TkvSkinData*>(t)); });
        });
}
