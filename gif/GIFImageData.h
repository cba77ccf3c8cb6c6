// The content of a GIF picture: logical screen, frames, palettes and the lazily built frame bitmaps.
// Portable; the platform's picture class (TGIFImage) holds one and adds drawing and animation.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gif/GIFModel.h"
#include "gif/GIFReader.h"
#include "gif/GIFRender.h"

class GIFImageData {
public:
    TGIFHeader Header;
    TGIFImageList Images;
    GIFWarningHook OnWarning;  // nothing attaches in the program, so warnings are silent

    // Drops frames, colour tables and bitmaps; the logical screen becomes 0 x 0.
    void Clear();
    // Replaces the content with the stream's. Raises GIFException; the stream is then back where it was and the
    // content keeps the frames read before the error.
    void LoadFromStream(GIFStream& stream);
    void LoadFromMemory(const void* data, std::size_t size);

    int Width() const { return Header.Width; }
    int Height() const { return Header.Height; }
    bool Empty() const { return Images.empty(); }

    // Whether frame bitmaps are dithered to the cube (decided by the drawing settings and the screen).
    bool Dithering() const { return dithering_; }
    void SetDithering(bool on) { dithering_ = on; }

    // The local table if it has entries, otherwise the global table.
    const TGIFColorMap& ActiveColorMap(const TGIFSubImage& frame) const;
    // Palettes, first match wins. Raises "No global or local color table defined" when there is none at all.
    const TGIFColorMap& CurrentPalette(const TGIFSubImage& frame) const;
    const TGIFColorMap& CurrentPalette() const;
    // The frame's bitmap, built on first call and kept.
    const GIFFrameBitmap& GetBitmap(TGIFSubImage& frame) const;

    // The first loop extension of the file, or null.
    const TGIFAppExtNSLoop* LoopExtension() const;
    // The GIF's background colour as 0x00BBGGRR from the global table, or `fallback` without one.
    std::uint32_t BackgroundColor(std::uint32_t fallback) const;

private:
    bool dithering_ = false;
    mutable bool determining_ = false;  // guards the image palette against asking itself
};
