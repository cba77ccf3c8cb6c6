// Composition of skin images: a small skin rectangle of a picture becomes an image of any size. Corner pieces
// keep their size; the edge middles and the client area grow by stretching or by repeating.
#pragma once

#include "framework/Bitmap.h"
#include "skin/data/kvSkinKeywords.h"

// Corner points and client rect of a skin rectangle, all relative to its top-left corner:
// `lefttoppoint`, `righttoppoint`, `leftbottompoint`, `rightbottompoint` and `clientrect`.
struct SkinCorners {
    fw::Point lt, rt, lb, rb;
    fw::Rect client;
    friend bool operator==(const SkinCorners&, const SkinCorners&) = default;
};

// The corner geometry of a target that is dx wider and dy higher than the skin rect: LT stays, RT moves right,
// LB moves down, RB moves both ways, and the client rect's right and bottom move with them.
SkinCorners ResizeCorners(const SkinCorners& c, int dx, int dy);

// `SizingMode` of a skinned control from its skin rect and corner points: −1 no skin image (empty skin rect),
// 1 any size (RB set), 2 width only (RT set), 3 height only (LB set), 0 fixed at the skin rect's size.
int SkinSizingMode(fw::Rect skinRect, const SkinCorners& c);

// The edge flags `leftstretch`, `topstretch`, `rightstretch`, `bottomstretch`, the middle flag `stretcheffect`
// (client) and `stretchtype`. A false flag means that part is repeated.
struct SkinStretch {
    bool left = false;
    bool top = false;
    bool right = false;
    bool bottom = false;
    bool client = false;
    TkvStretchType kind = stfull;
};

// The plain form used by consumers that have only a skin rect and a client rect: corner points on the client
// rect's corners, every edge and the client area stretched.
SkinCorners PlainCorners(fw::Rect client);
SkinStretch PlainStretch();

// Full composition of skinRect (a rectangle of picture) to a width x height image. src are the skin's own corner
// values, dst the new ones (normally ResizeCorners(src, width - skin width, height - skin height)). The client
// area is drawn only when drawClient is set. An empty picture, or RB sharing its x or y with LT, gives an image of
// the right size with nothing drawn (all pixels 0).
void ComposeSkinImage(fw::Bitmap& out, fw::ConstPixelView picture, fw::Rect skinRect, const SkinCorners& src,
                      const SkinCorners& dst, int width, int height, const SkinStretch& stretch, bool drawClient);
fw::Bitmap ComposeSkinImage(fw::ConstPixelView picture, fw::Rect skinRect, const SkinCorners& src,
                            const SkinCorners& dst, int width, int height, const SkinStretch& stretch, bool drawClient);

// Which fixed pieces a width-only composition keeps: both (controls), only the left one with the middle running
// to the right edge (list views), or none with the middle across the whole width (tool bars).
enum class WidthPieces { Both, LeftOnly, None };

// Width-only composition: a width x (srcRect height) image; the leftWidth columns on the left and rightWidth
// columns on the right of srcRect are fixed, the rest is stretched or repeated in between.
fw::Bitmap ComposeWidthOnly(fw::ConstPixelView picture, fw::Rect srcRect, int leftWidth, int rightWidth, int width,
                            bool stretch, WidthPieces pieces = WidthPieces::Both);

// Height-only composition: a (srcRect width) x height image; topHeight rows above and bottomHeight rows below fixed.
fw::Bitmap ComposeHeightOnly(fw::ConstPixelView picture, fw::Rect srcRect, int topHeight, int bottomHeight, int height,
                             bool stretch);

// The four border bands of a full composition as separate images: top (width x new client top), bottom
// (width x (height - new client bottom)), left and right (as high as the rows between top and bottom). The top
// and bottom middles repeat from the new LT.x and LB.x, the left and right middles from the band's first row.
// A band whose thickness or length is 0 or less, or whose middle has no length, is left empty (0 x 0).
struct BorderBands {
    fw::Bitmap top, bottom, left, right;
};
BorderBands ComposeBorderBands(fw::ConstPixelView picture, fw::Rect skinRect, const SkinCorners& src,
                               const SkinCorners& dst, int width, int height, const SkinStretch& stretch);

// Internal form of the band composition shared with the mask regions: masks keep a band whose middle has no
// length (its fixed pieces still shape the window) and start from a given fill.
BorderBands ComposeBands(fw::ConstPixelView picture, fw::Rect skinRect, const SkinCorners& src, const SkinCorners& dst,
                         int width, int height, const SkinStretch& stretch, bool dropBandsWithoutMiddle,
                         fw::Pixel fill);
