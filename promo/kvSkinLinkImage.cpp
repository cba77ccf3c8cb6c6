#include "promo/kvSkinLinkImage.h"

#include <windows.h>
#include <shellapi.h>

#include "framework/Application.h"
#include "framework/ClassRegistry.h"
#include "promo/BannerRules.h"
#include "promo/BlankBitmap.h"

TkvSkinLinkImage::TkvSkinLinkImage(fw::Component* owner) : fw::Image(owner), opener_(ShellOpenLink) {
    setCursor(fw::crHandPoint);
}

void TkvSkinLinkImage::click() {
    fw::Image::click();
    // Links come from a downloaded file: only web addresses are handed to the shell, never a path or a program.
    if (!url_.empty() && IsWebAddress(url_) && opener_) opener_(url_);
}

BlankBitmap* TkvSkinLinkImage::DrawingBitmap() { return dynamic_cast<BlankBitmap*>(picture().graphic()); }

fw::Canvas& TkvSkinLinkImage::Canvas() {
    if (!DrawingBitmap()) picture().setGraphic(std::make_unique<BlankBitmap>(width(), height()));
    return DrawingBitmap()->Canvas();
}

void TkvSkinLinkImage::Drawn() {
    if (BlankBitmap* b = DrawingBitmap()) b->Drawn();
}

void ShellOpenLink(const std::wstring& link) {
    fw::useOle();  // the shell may hand the address to an OLE server
    ShellExecuteW(nullptr, L"open", link.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void RegisterLinkImageClass(fw::ClassRegistry& registry) {
    registry.add<TkvSkinLinkImage>("TkvSkinLinkImage", "Image")
        .property<TkvSkinLinkImage>("URL", [](TkvSkinLinkImage& img, const fw::Value& v, fw::DescriptionReader&) {
            img.SetURL(v.toWide());
        });
}
