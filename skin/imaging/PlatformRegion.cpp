#include "skin/imaging/PlatformRegion.h"

#include <cstring>
#include <limits>
#include <vector>

fw::Region CreatePlatformRegion(const MaskRegion& r) {
    // RGNDATA is a header followed by the rectangles; the buffer is allocated as RECTs to keep their alignment.
    const std::size_t headerRects = (sizeof(RGNDATAHEADER) + sizeof(RECT) - 1) / sizeof(RECT);
    if (r.rects.size() > (std::numeric_limits<DWORD>::max() / sizeof(RECT)) - headerRects) return {};
    std::vector<RECT> buffer(headerRects + r.rects.size());
    RGNDATAHEADER header{};
    header.dwSize = sizeof(RGNDATAHEADER);
    header.iType = RDH_RECTANGLES;
    header.nCount = static_cast<DWORD>(r.rects.size());
    header.nRgnSize = static_cast<DWORD>(r.rects.size() * sizeof(RECT));
    header.rcBound = {r.bounds.left, r.bounds.top, r.bounds.right, r.bounds.bottom};
    std::memcpy(buffer.data(), &header, sizeof header);
    auto* rects = reinterpret_cast<RECT*>(reinterpret_cast<char*>(buffer.data()) + sizeof(RGNDATAHEADER));
    for (std::size_t i = 0; i < r.rects.size(); ++i) {
        const fw::Rect& q = r.rects[i];
        const RECT rc{q.left, q.top, q.right, q.bottom};
        std::memcpy(rects + i, &rc, sizeof rc);
    }
    const DWORD size = static_cast<DWORD>(sizeof(RGNDATAHEADER) + r.rects.size() * sizeof(RECT));
    return fw::Region(ExtCreateRegion(nullptr, size, reinterpret_cast<const RGNDATA*>(buffer.data())));
}

namespace {
// True when the window's region is already `region` (or it has none and `region` is none).
bool windowHasRegion(HWND window, const fw::Region& region) {
    const fw::Region current(CreateRectRgn(0, 0, 0, 0));
    if (!current) return false;
    const bool has = GetWindowRgn(window, current.get()) != ERROR;
    if (!region) return !has;
    return has && EqualRgn(current.get(), region.get());
}
}  // namespace

void SetWindowRegionCopy(HWND window, const fw::Region& region) {
    // The same region again (every size message recomputes it) only repaints: the platform's own change of the
    // window's shape is slow, so it is done only when the shape changes.
    if (windowHasRegion(window, region)) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN);
        return;
    }
    fw::Region copy;
    if (region) {
        copy.reset(CreateRectRgn(0, 0, 0, 0));
        CombineRgn(copy.get(), region.get(), nullptr, RGN_COPY);
    }
    HRGN given = copy.release();
    if (!SetWindowRgn(window, given, TRUE) && given) DeleteObject(given);
}
