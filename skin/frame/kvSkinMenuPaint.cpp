// Drawing of the skinned popups: the popup's background from the skin's window picture (or the plain default
// look), every item from the `menuitem` description (or the default look), and the scroll markers. Everything is
// composed in one image of the popup's size and copied to the window at once.
#include <algorithm>

#include "framework/Canvas.h"
#include "skin/frame/DefaultButtonFace.h"
#include "skin/frame/FrameGeometry.h"
#include "skin/frame/kvSkinMenus.h"
#include "skin/imaging/SkinCompose.h"
#include "skin/imaging/kveffects.h"

namespace {

fw::Pixel systemPixel(int index) { return fw::colorToPixel(GetSysColor(index)); }
fw::Pixel colorPixel(fw::Color c) { return fw::colorToPixel(fw::resolveColor(c)); }

// The glyph of one of the frame's own menu entries, by the entry's name.
bool frameGlyphOf(const std::string& name, DefaultGlyph& glyph) {
    if (name == kItemClose || name == kTrayItemClose) glyph = DefaultGlyph::Close;
    else if (name == kItemMinimize) glyph = DefaultGlyph::Minimize;
    else if (name == kItemMaximize) glyph = DefaultGlyph::Maximize;
    else if (name == kItemRestore || name == kTrayItemRestore) glyph = DefaultGlyph::Restore;
    else if (name == kItemRollUp) glyph = DefaultGlyph::RollUp;
    else if (name == kItemMinToTray) glyph = DefaultGlyph::ToTray;
    else return false;
    return true;
}

void drawLines(fw::Canvas& c, fw::Color color, std::initializer_list<fw::Point> pts) {
    c.setPenColor(color);
    const fw::Point* p = pts.begin();
    c.moveTo(p->x, p->y);
    for (++p; p != pts.end(); ++p) c.lineTo(p->x, p->y);
}

void checkMark(fw::Canvas& c, int x, int y, fw::Color color) {
    for (int i = 0; i < 3; ++i) drawLines(c, color, {{x, y + 5 - i}, {x + 2, y + 7 - i}, {x + 7, y + 2 - i}});
}

void radioDot(fw::Canvas& c, int x, int y, fw::Color color) {
    const COLORREF rgb = fw::resolveColor(color);
    fw::Pen pen(CreatePen(PS_SOLID, 1, rgb));
    fw::Brush brush(CreateSolidBrush(rgb));
    fw::SelectGuard usePen(c.handle(), pen.get()), useBrush(c.handle(), brush.get());
    Ellipse(c.handle(), x, y + 1, x + 6, y + 7);
}

void submenuArrow(fw::Canvas& c, int x, int y, fw::Color color) {
    for (int i = 0; i < 4; ++i) drawLines(c, color, {{x + i, y + i}, {x + i, y + 7 - i}});
}

// The scroll marker's arrow centred on its band: four rows growing away from the point.
void markerArrow(const fw::PixelView& v, const fw::Rect& band, bool up, fw::Pixel color) {
    const int cx = band.left + band.width() / 2, cy = band.top + band.height() / 2;
    for (int i = 0; i <= 3; ++i) {
        const int y = up ? cy - 2 + i : cy + 2 - i;
        fw::fillPixels(v, {cx - i, y, cx + i + 1, y + 1}, color);
    }
}

// A picture part drawn centred in a box, never left of or above it.
void drawCentred(HDC dc, const fw::Bitmap& picture, fw::Rect src, fw::Rect box) {
    if (src.empty()) return;
    const int x = std::max(box.left, box.left + (box.width() - src.width()) / 2);
    const int y = std::max(box.top, box.top + (box.height() - src.height()) / 2);
    fw::drawPixels(dc, x, y, picture.view(), src);
}

// An item's own picture at (x, y); a checked item's picture gets a one-pixel frame in the text colour.
void itemPicture(fw::Canvas& c, const fw::Bitmap& b, int x, int y, bool checked, fw::Color color) {
    if (checked) {
        c.setBrushStyle(fw::BrushStyle::Solid);
        c.setBrushColor(color);
        c.frameRect({x - 1, y - 1, x + b.width() + 1, y + b.height() + 1});
    }
    fw::drawPixels(c.handle(), x, y, b.view());
}

}  // namespace

// ---- items

void TkvSkinMenuItem::Draw(fw::DibSection& popupImage) {
    if (!InView || ItemBounds.empty()) return;
    fw::DibSection img(ItemBounds.width(), ItemBounds.height());
    // Whatever the item leaves undrawn shows the popup below it.
    BitBlt(img.dc(), 0, 0, img.width(), img.height(), popupImage.dc(), ItemBounds.left, ItemBounds.top, SRCCOPY);
    if (Window->WindowSkin && ItemSkin) DrawSkinned(img);
    else DrawDefault(img);
    img.drawTo(popupImage.dc(), ItemBounds.left, ItemBounds.top);
}

void TkvSkinMenuItem::DrawGlyph(fw::DibSection& img, int x, int y, fw::Color color, bool active) {
    DefaultGlyph glyph{};
    if (frameGlyphOf(Item->name, glyph)) {
        DrawDefaultGlyph(img.pixels(), x, y, glyph, colorPixel(color));
        return;
    }
    if (!Item->checked) return;
    const TkvDataSkinMenuItem* d = Window->WindowSkin ? ItemSkin : nullptr;
    if (d && HotPicture) {
        const fw::Rect normal = Item->radioItem ? d->RadioImageRect : d->CheckImageRect;
        fw::Rect src = Item->radioItem ? d->ActiveRadioImageRect : d->ActiveCheckImageRect;
        if (!active || src.empty()) src = normal;
        if (!normal.empty()) {
            // Without an image rectangle the check image goes where the default glyph would.
            const fw::Rect box = d->ImageRect.empty() ? fw::Rect{x, y, x + 8, y + 8} : d->ImageRect;
            drawCentred(img.dc(), *HotPicture, src, box);
            return;
        }
    }
    fw::Canvas& c = img.canvas();
    if (Item->radioItem) radioDot(c, x, y, color);
    else checkMark(c, x, y, color);
}

void TkvSkinMenuItem::DrawSkinned(fw::DibSection& img) {
    const TkvDataSkinMenuItem& d = *ItemSkin;
    const int w = img.width(), h = img.height();
    if (Separator()) {
        if (HotPicture && !d.DividerRect.empty()) {
            const fw::Bitmap b = ComposeWidthOnly(HotPicture->view(), d.DividerRect, d.DividerLeftOffset,
                                                  d.DividerRightOffset, w, d.DividerStretchEffect);
            fw::drawPixels(img.dc(), 0, 0, b.view());
        }
        return;
    }
    const bool active = Active();
    if (HotPicture) {
        auto widened = [&](fw::Rect src, bool stretch) {
            return ComposeWidthOnly(HotPicture->view(), src, d.ItemLeftOffset, d.ItemRightOffset, w, stretch);
        };
        fw::Bitmap normal;
        const fw::Bitmap& buffer = Window->BackgroundBuffer;
        if (d.InactiveTransparent && !buffer.empty()) {
            normal = fw::Bitmap(w, h);
            fw::copyPixels(buffer.view(), ItemBounds, normal.view(), 0, 0);
        } else {
            normal = widened(d.SkinRect, d.InactiveStretchEffect);
        }
        const bool morph = d.Morphing && Window->MenuSkin && Window->MenuSkin->EnableSkinEffects;
        const fw::Rect frame = CaptionAnimationSlice(d.AnimateSkinRect, d.SkinRect, d.FrameCount, AnimFrame);
        if (Animates() && !frame.empty()) {
            // During the frame animation the middle is stretched when the item stretches at all.
            const fw::Bitmap f = widened(frame, d.StretchEffect || d.InactiveStretchEffect);
            fw::drawPixels(img.dc(), 0, 0, f.view());
        } else if (morph && BlendLevel > 0 && BlendLevel < 1) {
            TkvEffectBmp from(normal.view());
            const fw::Bitmap activeImage = widened(d.ActiveSkinRect, d.StretchEffect);
            from.Morph(d.MorphKind, TkvEffectBmp(activeImage.view()), BlendLevel);
            fw::drawPixels(img.dc(), 0, 0, from.Image().view());
        } else if (active) {
            const fw::Bitmap a = widened(d.ActiveSkinRect, d.StretchEffect);
            fw::drawPixels(img.dc(), 0, 0, a.view());
        } else {
            fw::drawPixels(img.dc(), 0, 0, normal.view());
        }
    }

    const fw::Color textColor = active ? d.ActiveFontColor : Enabled() ? d.FontColor : d.UnEnabledFontColor;
    fw::Rect tr = d.TextRect;
    tr.right = w + d.TextRect.right - d.SkinRect.width();
    const int g = d.ImageRect.empty() ? 16 : 0;
    fw::Canvas& c = img.canvas();
    fw::Font font(Window->ItemFont);
    font.setColor(textColor);
    c.setFont(font);
    c.setBrushStyle(fw::BrushStyle::Clear);

    const std::wstring& caption = Item->caption;
    if (!Enabled() && caption.size() >= 2 && caption.front() == L'-' && caption.back() == L'-') {
        // A header: the caption without its dashes, centred on the item.
        fw::Rect r{0, 0, w, h};
        c.drawText(caption.substr(1, caption.size() - 2), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        return;
    }
    fw::Rect textBox{tr.left + g, tr.top, tr.right - 16, tr.bottom};
    c.drawText(caption, textBox, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (!Item->shortcut.empty()) {
        fw::Rect r{tr.left, tr.top, tr.right - 16, tr.bottom};
        c.drawText(Item->shortcut, r, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (HasChildren()) {
        const fw::Rect src = active && !d.ActiveArrowImageRect.empty() ? d.ActiveArrowImageRect : d.ArrowImageRect;
        if (d.ArrowImageRect.empty() || !HotPicture)
            submenuArrow(c, tr.right - 7, tr.top + tr.height() / 2 - 4, textColor);
        else drawCentred(img.dc(), *HotPicture, src, {tr.right - src.width() - 5, tr.top, tr.right, tr.bottom});
    }
    if (!Item->bitmap.empty()) {
        const fw::Bitmap& b = Item->bitmap;
        const fw::Rect box = d.ImageRect.empty() ? fw::Rect{tr.left + 2, tr.top, tr.left + 2 + b.width(), tr.bottom}
                                                 : d.ImageRect;
        itemPicture(c, b, box.left + (box.width() - b.width()) / 2, box.top + (box.height() - b.height()) / 2,
                    Item->checked, textColor);
        return;
    }
    int gx = tr.left + 2, gy = tr.top + tr.height() / 2 - 4;
    if (!d.ImageRect.empty()) {
        gx = d.ImageRect.left + d.ImageRect.width() / 2 - 4;
        gy = d.ImageRect.top + d.ImageRect.height() / 2 - 4;
    }
    DrawGlyph(img, gx, gy, textColor, active);
}

void TkvSkinMenuItem::DrawDefault(fw::DibSection& img) {
    const int w = img.width(), h = img.height();
    const int mid = 2 + (h - 4) / 2;
    const int column = Window->MenuGlyphWidth;
    fw::PixelView v = img.pixels();
    const bool active = Active() && !Separator();
    fw::Color textColor = fw::clWindowText;
    if (active) {
        fw::fillPixels(v, {0, 0, w, h}, fw::makePixel(0, 0, 128));
        fw::fillPixels(v, {1, 1, w - 1, h - 1}, fw::makePixel(182, 189, 210));
    } else {
        fw::fillPixels(v, {0, 0, column, h}, systemPixel(COLOR_BTNFACE));
        fw::fillPixels(v, {column, 0, w, h}, systemPixel(COLOR_WINDOW));
        if (!Enabled()) textColor = fw::clBtnShadow;
    }
    if (Separator()) {
        fw::fillPixels(v, {column, h / 2, w, h / 2 + 1}, systemPixel(COLOR_BTNSHADOW));
        return;
    }
    fw::Canvas& c = img.canvas();
    const std::wstring& caption = Item->caption;
    if (!Enabled() && caption.size() >= 2 && caption.front() == L'-' && caption.back() == L'-') {
        fw::fillPixels(img.pixels(), {0, 0, w, h}, systemPixel(COLOR_BTNSHADOW));
        fw::Font font(Window->ItemFont);
        font.setColor(fw::clBtnHighlight);
        c.setFont(font);
        c.setBrushStyle(fw::BrushStyle::Clear);
        fw::Rect r{2, 2, w - 2, h - 2};
        c.drawText(caption.substr(1, caption.size() - 2), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        return;
    }
    fw::Font font(Window->ItemFont);
    font.setColor(textColor);
    c.setFont(font);
    c.setBrushStyle(fw::BrushStyle::Clear);
    const int th = c.textHeight(L"Wg");
    fw::Rect textBox{2 + column, mid - th / 2, w - 2 - 19, mid - th / 2 + th};
    c.drawText(caption, textBox, DT_LEFT | DT_SINGLELINE);
    if (!Item->shortcut.empty()) {
        fw::Rect r{2 + column, mid - th / 2, w - 2 - 19, mid - th / 2 + th};
        c.drawText(Item->shortcut, r, DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (HasChildren()) submenuArrow(c, w - 2 - 7, mid - 4, textColor);
    if (!Item->bitmap.empty()) {
        itemPicture(c, Item->bitmap, 4, mid - Item->bitmap.height() / 2, Item->checked, textColor);
        return;
    }
    DefaultGlyph glyph{};
    if (frameGlyphOf(Item->name, glyph)) DrawGlyph(img, 4, mid - 4, textColor, active);
    else if (Item->checked) DrawGlyph(img, 5, mid - 4, textColor, active);
}

// ---- the popup

void TkvSkinPopupWindow::ComposeBackground(fw::DibSection& img, bool fillItems) {
    const int w = width(), h = height();
    if (WindowSkin && PopupPicture) {
        const SkinCorners src{WindowSkin->LeftTopPoint, WindowSkin->RightTopPoint, WindowSkin->LeftBottomPoint,
                              WindowSkin->RightBottomPoint, WindowSkin->ItemsRect};
        const SkinStretch stretch{WindowSkin->LeftStretch,   WindowSkin->TopStretch,    WindowSkin->RightStretch,
                                  WindowSkin->BottomStretch, WindowSkin->StretchEffect, WindowSkin->StretchType};
        const fw::Bitmap b = ComposeSkinImage(PopupPicture->view(), PopupPicture->rect(), src, Points, w, h, stretch,
                                              fillItems);
        img.assign(b.view());
        return;
    }
    fw::PixelView v = img.pixels();
    const int column = MenuGlyphWidth + 2;
    fw::fillPixels(v, {0, 0, column, h}, systemPixel(COLOR_BTNFACE));
    fw::fillPixels(v, {column, 0, w, h}, systemPixel(COLOR_WINDOW));
    const fw::Pixel shadow = systemPixel(COLOR_BTNSHADOW), window = systemPixel(COLOR_WINDOW);
    fw::fillPixels(v, {0, 0, w, 1}, shadow);
    fw::fillPixels(v, {0, h - 1, w, h}, shadow);
    fw::fillPixels(v, {0, 0, 1, h}, shadow);
    fw::fillPixels(v, {w - 1, 0, w, h}, shadow);
    fw::fillPixels(v, {1, 1, w - 1, 2}, window);
    fw::fillPixels(v, {1, h - 2, w - 1, h - 1}, window);
    fw::fillPixels(v, {1, 1, 2, h - 1}, window);
    fw::fillPixels(v, {w - 2, 1, w - 1, h - 1}, window);
}

void TkvSkinPopupWindow::DrawScrollMarkers(fw::DibSection& img) {
    const int w = width(), h = height();
    fw::Rect upper{3, 3, w - 3, 13}, lower{3, h - 10, w - 3, h - 3};
    fw::Pixel normal = systemPixel(COLOR_BTNSHADOW), hot = systemPixel(COLOR_BTNTEXT);
    fw::Bitmap itemBackground;
    if (WindowSkin) {
        upper = {ItemsArea.left, ItemsArea.top, ItemsArea.right, ItemsArea.top + kScrollMarkerHeight};
        lower = {ItemsArea.left, ItemsArea.bottom - kScrollMarkerHeight, ItemsArea.right, ItemsArea.bottom};
        normal = colorPixel(WindowSkin->ScrollMarkerColor);
        hot = colorPixel(WindowSkin->ScrollMarkerActiveColor);
        if (ItemSkin) {
            const int index = ItemSkin->ActivePictureIndex;
            if (MenuSkin && index >= 0 && index < static_cast<int>(MenuSkin->ActivePictures.size()))
                itemBackground = ComposeWidthOnly(MenuSkin->ActivePictures[static_cast<std::size_t>(index)].view(),
                                                  ItemSkin->SkinRect, ItemSkin->ItemLeftOffset,
                                                  ItemSkin->ItemRightOffset, ItemsArea.width(), false);
        }
        // The bands and the strip below the last visible item take the item background.
        auto fillBand = [&](fw::Rect band) {
            if (band.empty()) return;
            if (ItemSkin && ItemSkin->InactiveTransparent && !BackgroundBuffer.empty()) {
                fw::drawPixels(img.dc(), band.left, band.top, BackgroundBuffer.view(), band);
            } else if (!itemBackground.empty()) {
                for (int y = band.top; y < band.bottom; y += itemBackground.height())
                    fw::drawPixels(img.dc(), band.left, y, itemBackground.view(),
                                   {0, 0, band.width(), std::min(itemBackground.height(), band.bottom - y)});
            }
        };
        fillBand(upper);
        fillBand(lower);
        int lastBottom = upper.bottom;
        for (const auto& it : Items)
            if (it->InView) lastBottom = std::max(lastBottom, it->ItemBounds.bottom);
        fillBand({ItemsArea.left, lastBottom, ItemsArea.right, lower.top});
    }
    fw::PixelView v = img.pixels();
    markerArrow(v, upper, true, ScrollDirection == 1 ? hot : normal);
    markerArrow(v, lower, false, ScrollDirection == 2 ? hot : normal);
}

void TkvSkinPopupWindow::paintWindow(HDC dc, const fw::Rect&) {
    const int w = width(), h = height();
    if (w <= 0 || h <= 0) return;
    fw::DibSection img(w, h);
    ComposeBackground(img, Scrolling);
    if (ItemSkin && ItemSkin->InactiveTransparent && WindowSkin && BackgroundBuffer.empty()) {
        fw::DibSection full(w, h);
        ComposeBackground(full, true);
        const fw::ConstPixelView p = full.pixels();
        BackgroundBuffer = fw::Bitmap(w, h);
        fw::copyPixels(p, p.rect(), BackgroundBuffer.view(), 0, 0);
    }
    for (const auto& it : Items) it->Draw(img);
    if (Scrolling) DrawScrollMarkers(img);
    img.drawTo(dc, 0, 0);
}
