// Where the parts of a scroll bar lie and how its thumb maps to a position, without a window: the two arrow
// buttons, the track between them, the thumb's length from the page and its place from the position, what a point
// hits and the position a dragged thumb stands for. Positions follow the platform's scroll bars: they run from Min
// to Max − Page + 1 (Max when Page is 0). Portable, so that the arithmetic is tested natively.
#pragma once

#include "framework/Geometry.h"

struct TkvScrollParams {
    int Min = 0;
    int Max = 100;
    int Page = 0;
    int Position = 0;

    // The highest position a user can reach.
    int MaxPosition() const;
    // The whole range fits in one page (or is empty): nothing to scroll.
    bool Fits() const;
    // The position brought into Min..MaxPosition().
    int Clamp(int position) const;
};

enum class TkvScrollPart { None, UpButton, DownButton, PageUp, PageDown, Thumb };

struct TkvScrollLayout {
    bool Vertical = false;
    fw::Rect UpButton, DownButton, Track, Thumb;  // Thumb empty: no thumb (nothing to scroll or no room)

    // The part under a point of the control.
    TkvScrollPart PartAt(fw::Point p) const;
};

// The layout of a bar of size (width, height) with arrow buttons `buttonSize` long along it (shortened to half the
// bar each when the bar is too short) and the track between them. The thumb is as long as the page is of the
// range (the button size when Page is 0), at least `thumbMinSize`, and there is none when the range fits, the
// bar is disabled or the track is shorter than the thumb's minimum.
TkvScrollLayout LayoutScrollBar(bool vertical, int width, int height, int buttonSize, int thumbMinSize,
                                const TkvScrollParams& p, bool enabled);

// The position whose thumb starts at `thumbStart` (a coordinate along the bar, as the thumb's left or top), rounded
// to the nearest and clamped.
int ScrollPositionAt(const TkvScrollLayout& l, const TkvScrollParams& p, int thumbStart);
