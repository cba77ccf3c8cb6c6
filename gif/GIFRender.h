// A frame's displayable form: 8-bit colour indexes with their palette and a one-bit transparency mask.
#pragma once

#include <cstdint>
#include <vector>

#include "gif/GIFModel.h"

struct GIFFrameBitmap {
    int Width = 0;
    int Height = 0;
    TGIFColorMap Palette;
    const std::uint8_t* Pixels = nullptr;  // Height rows of Width indexes into Palette; null for an empty frame
    std::vector<std::uint8_t> Dithered;    // owns the indexes when the frame was dithered
    // One bit per pixel, most significant bit first, rows padded to 16 bits; a set bit is a transparent pixel.
    std::vector<std::uint8_t> Mask;
    int MaskStride = 0;  // bytes per mask row

    bool HasMask() const { return !Mask.empty(); }
    bool Masked(int x, int y) const {
        return (Mask[static_cast<std::size_t>(y) * MaskStride + (x >> 3)] & (0x80 >> (x & 7))) != 0;
    }
    const std::uint8_t* Row(int y) const { return Pixels + static_cast<std::size_t>(y) * Width; }
};

// Builds the frame's bitmap. Undithered, the rows are the frame's indexes unchanged with `palette`; dithered, each
// pixel's colour from `active` (the frame's active colour table) is mapped to the 216-colour cube with
// serpentine Floyd-Steinberg error diffusion, and the palette is the cube.
void GIFRenderFrame(const TGIFSubImage& frame, const TGIFColorMap& palette, bool dither, const TGIFColorMap& active,
                    GIFFrameBitmap& out);

// Maps 8-bit indexes to the cube with serpentine Floyd-Steinberg; exposed for tests.
void GIFDitherToCube(const std::uint8_t* src, int width, int height, const TGIFColorMap& colors, std::uint8_t* dst);
