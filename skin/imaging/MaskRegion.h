// Window regions from black-and-white mask pictures: black is inside, every other colour outside. A region is
// kept as a list of rectangles in scan order, which the platform side turns into a region in one call.
#pragma once

#include <optional>
#include <vector>

#include "framework/Bitmap.h"
#include "skin/imaging/SkinCompose.h"

struct MaskRegion {
    fw::Rect bounds;              // the box the rectangles lie in
    std::vector<fw::Rect> rects;  // one-row runs in scan order (for a window, band by band with its client rect)
};

// One rectangle per run of black pixels of each row, moved by (ox, oy). The colour is read without its alpha.
// The list grows as far as the mask needs (no fixed run limit).
MaskRegion MaskToRegion(fw::ConstPixelView mask, int ox, int oy);
// The same, appending to an existing list (used to unite several masks without copying).
void AppendMaskRuns(fw::ConstPixelView mask, int ox, int oy, std::vector<fw::Rect>& rects);

// The region of a width x height window from its mask picture (whole picture as the skin rect): the four border
// bands of the mask composed to the new size by repeating, turned into runs, together with the new client rect.
// No region (the window stays rectangular) when the new right-top point lies left of the new left-top point, the
// new left-bottom point above it, or the new client rect is empty.
std::optional<MaskRegion> ComposeMaskRegion(fw::ConstPixelView mask, const SkinCorners& src, const SkinCorners& dst,
                                            int width, int height);
