// The brightness and darkness effects' map of every colour byte through one table, run as 16-bit arithmetic on
// whole vectors of bytes where an integer form gives the table's bytes.
#pragma once

#include <array>
#include <cstdint>

#include "framework/Bitmap.h"

using ChannelTable = std::array<std::uint8_t, 256>;

// Maps red, green and blue of every pixel of img through table; alpha is kept. table must be the rounded values of
// scale·c + offset with 0 ≤ scale ≤ 1 and scale·255 + offset ≤ 255 (computed in floating point: it is the
// definition). The fixed-point form nearest to that line which differs from the table in at most four bytes runs
// with those bytes put right; without one, every byte is looked up.
void MapColourChannels(fw::Bitmap& img, const ChannelTable& table, double scale, double offset);
