#include "gif/GIFImageData.h"

void GIFImageData::Clear() {
    Header = TGIFHeader{};
    Images.clear();
}

void GIFImageData::LoadFromStream(GIFStream& stream) {
    Clear();
    const GIFWarn warn = [this](const char* message) {
        if (OnWarning) OnWarning(this, GIFSeverity::Warning, message);
    };
    GIFReadStream(stream, Header, Images, warn);
}

void GIFImageData::LoadFromMemory(const void* data, std::size_t size) {
    GIFStream stream(static_cast<const std::uint8_t*>(data), size);
    LoadFromStream(stream);
}

const TGIFColorMap& GIFImageData::ActiveColorMap(const TGIFSubImage& frame) const {
    return frame.ColorMap.Empty() ? Header.ColorMap : frame.ColorMap;
}

const TGIFColorMap& GIFImageData::CurrentPalette(const TGIFSubImage& frame) const {
    if (frame.Bitmap) return frame.Bitmap->Palette;
    if (dithering_) return GIFCubePalette();
    if (!frame.ColorMap.Empty()) return frame.ColorMap;
    return CurrentPalette();
}

const TGIFColorMap& GIFImageData::CurrentPalette() const {
    if (dithering_) return GIFCubePalette();
    if (!Header.ColorMap.Empty()) return Header.ColorMap;
    if (determining_ || Images.empty()) throw GIFException(GIFMessages::NoColorTable);
    determining_ = true;
    try {
        const TGIFColorMap& p = CurrentPalette(*Images.front());
        determining_ = false;
        return p;
    } catch (...) {
        determining_ = false;
        throw;
    }
}

const GIFFrameBitmap& GIFImageData::GetBitmap(TGIFSubImage& frame) const {
    if (!frame.Bitmap) {
        auto bitmap = std::make_unique<GIFFrameBitmap>();
        GIFRenderFrame(frame, dithering_ ? GIFCubePalette() : CurrentPalette(frame), dithering_, ActiveColorMap(frame),
                       *bitmap);
        frame.Bitmap = std::move(bitmap);
    }
    return *frame.Bitmap;
}

const TGIFAppExtNSLoop* GIFImageData::LoopExtension() const {
    for (const auto& frame : Images)
        for (const auto& ext : frame->Extensions)
            if (auto* loop = dynamic_cast<const TGIFAppExtNSLoop*>(ext.get())) return loop;
    return nullptr;
}

std::uint32_t GIFImageData::BackgroundColor(std::uint32_t fallback) const {
    if (Header.ColorMap.Empty()) return fallback;
    const int i = Header.BackgroundColorIndex;
    const TGIFRGB c = i < Header.ColorMap.Count() ? Header.ColorMap.Colors[i] : TGIFRGB{};
    return static_cast<std::uint32_t>(c.Red) | (static_cast<std::uint32_t>(c.Green) << 8) |
           (static_cast<std::uint32_t>(c.Blue) << 16);
}
