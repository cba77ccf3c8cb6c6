// The brightness and darkness effects' map of every colour byte through one table, run as integer arithmetic on
// whole vectors of bytes where an integer form gives the table's bytes.
#pragma once

#include <array>
#include <cstdint>

#include "framework/Bitmap.h"
#include "skin/imaging/ColumnMix.h"

using ChannelTable = std::array<std::uint8_t, 256>;

// The definition of both effects: every byte c becomes round(scale·c + offset) (ties to even, clamped), computed in
// floating point. Brightness k has scale 1 − k and offset 255·k, darkness k scale 1 − k and offset 0.
constexpr ChannelTable LinearChannelTable(double scale, double offset) {
    ChannelTable t{};
    for (int c = 0; c < 256; ++c) t[c] = static_cast<std::uint8_t>(RoundClampByte(scale * c + offset));
    return t;
}

// The levels the inactive frames use, each through a form proved at compile time to give its table's bytes.
constexpr double kHalfwayBrightness = 0.5, kInactiveDarkness = 0.3;
void BrightenHalfway(fw::Bitmap& img);
void DarkenInactive(fw::Bitmap& img);

// Maps red, green and blue of every pixel of img through table; alpha is kept. table must be
// LinearChannelTable(scale, offset) with 0 ≤ scale ≤ 1 and scale·255 + offset ≤ 255. The fixed-point form nearest
// to that line which differs from the table in at most four bytes runs with those bytes put right; without one,
// every byte is looked up.
void MapColourChannels(fw::Bitmap& img, const ChannelTable& table, double scale, double offset);
