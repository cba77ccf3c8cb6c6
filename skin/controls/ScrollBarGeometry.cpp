#include "skin/controls/ScrollBarGeometry.h"

#include <algorithm>
#include <cstdint>

namespace {
// Coordinates along the bar.
int start(const fw::Rect& r, bool vertical) { return vertical ? r.top : r.left; }
int length(const fw::Rect& r, bool vertical) { return vertical ? r.height() : r.width(); }
fw::Rect span(const fw::Rect& across, bool vertical, int from, int to) {
    return vertical ? fw::Rect{across.left, from, across.right, to} : fw::Rect{from, across.top, to, across.bottom};
}
}  // namespace

int TkvScrollParams::MaxPosition() const {
    const int m = Page > 0 ? Max - Page + 1 : Max;
    return std::max(m, Min);
}

bool TkvScrollParams::Fits() const { return Max <= Min || (Page > 0 && Page > Max - Min); }

int TkvScrollParams::Clamp(int position) const { return std::clamp(position, Min, MaxPosition()); }

TkvScrollPart TkvScrollLayout::PartAt(fw::Point p) const {
    if (UpButton.contains(p)) return TkvScrollPart::UpButton;
    if (DownButton.contains(p)) return TkvScrollPart::DownButton;
    if (!Track.contains(p)) return TkvScrollPart::None;
    if (Thumb.empty()) return TkvScrollPart::None;
    if (Thumb.contains(p)) return TkvScrollPart::Thumb;
    const int along = Vertical ? p.y : p.x;
    return along < start(Thumb, Vertical) ? TkvScrollPart::PageUp : TkvScrollPart::PageDown;
}

TkvScrollLayout LayoutScrollBar(bool vertical, int width, int height, int buttonSize, int thumbMinSize,
                                const TkvScrollParams& p, bool enabled) {
    TkvScrollLayout l;
    l.Vertical = vertical;
    const fw::Rect all{0, 0, std::max(width, 0), std::max(height, 0)};
    const int len = length(all, vertical);
    const int button = std::clamp(buttonSize, 0, len / 2);
    l.UpButton = span(all, vertical, 0, button);
    l.DownButton = span(all, vertical, len - button, len);
    l.Track = span(all, vertical, button, len - button);
    const int trackLen = len - 2 * button;
    if (!enabled || p.Fits() || trackLen <= 0) return l;

    const std::int64_t range = static_cast<std::int64_t>(p.Max) - p.Min + 1;
    int thumbLen = p.Page > 0 ? static_cast<int>(trackLen * static_cast<std::int64_t>(p.Page) / range) : button;
    thumbLen = std::max(thumbLen, std::max(thumbMinSize, 1));
    if (thumbLen > trackLen) return l;  // no room for a thumb of its least length
    const int travel = trackLen - thumbLen;
    const int steps = p.MaxPosition() - p.Min;
    const int offset = steps > 0 ? static_cast<int>(static_cast<std::int64_t>(travel) * (p.Clamp(p.Position) - p.Min) /
                                                    steps)
                                 : 0;
    l.Thumb = span(all, vertical, button + offset, button + offset + thumbLen);
    return l;
}

int ScrollPositionAt(const TkvScrollLayout& l, const TkvScrollParams& p, int thumbStart) {
    if (l.Thumb.empty()) return p.Clamp(p.Position);
    const int travel = length(l.Track, l.Vertical) - length(l.Thumb, l.Vertical);
    const int steps = p.MaxPosition() - p.Min;
    if (travel <= 0 || steps <= 0) return p.Min;
    const std::int64_t moved = std::clamp(thumbStart - start(l.Track, l.Vertical), 0, travel);
    return p.Clamp(p.Min + static_cast<int>((moved * steps + travel / 2) / travel));
}
