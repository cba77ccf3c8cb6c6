#include "tools/skinart/AppIcon.h"

#include <algorithm>
#include <cmath>

namespace skinart {
namespace {

struct Rgba {
    double r = 0, g = 0, b = 0, a = 0;
};

// Paints a on top of b (both straight alpha).
Rgba over(const Rgba& a, const Rgba& b) {
    const double outA = a.a + b.a * (1 - a.a);
    if (outA <= 0) return {};
    auto ch = [&](double ca, double cb) { return (ca * a.a + cb * b.a * (1 - a.a)) / outA; };
    return {ch(a.r, b.r), ch(a.g, b.g), ch(a.b, b.b), outA};
}

Rgba colour(int r, int g, int b, double t = 1) { return {r / 255.0, g / 255.0, b / 255.0, t}; }

Rgba blend(const Rgba& a, const Rgba& b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

bool inEllipse(double x, double y, double cx, double cy, double rx, double ry) {
    const double dx = (x - cx) / rx, dy = (y - cy) / ry;
    return dx * dx + dy * dy <= 1;
}

// The drum: left edge 0.10, right edge 0.62 of the icon; caps are ellipses a sixth as high as the drum is wide.
constexpr double kLeft = 0.10, kRight = 0.62, kTop = 0.20, kBottom = 0.84, kCapRy = 0.085;
constexpr double kCx = (kLeft + kRight) / 2, kRx = (kRight - kLeft) / 2;

// What one sample point (in 0..1 icon coordinates) shows, with a pixel's width `px` for outlines.
Rgba sample(double x, double y, double px) {
    Rgba out;
    const Rgba outline = colour(22, 60, 120);
    const double o = std::max(px, 0.03);  // outline width
    // The drum body and its bottom cap, outlined.
    const bool body = x >= kLeft && x <= kRight && y >= kTop && y <= kBottom;
    const bool bottomCap = inEllipse(x, y, kCx, kBottom, kRx, kCapRy);
    const bool bodyOuter = (x >= kLeft - o && x <= kRight + o && y >= kTop && y <= kBottom) ||
                           inEllipse(x, y, kCx, kBottom, kRx + o, kCapRy + o) ||
                           inEllipse(x, y, kCx, kTop, kRx + o, kCapRy + o);
    if (bodyOuter) out = outline;
    if (body || bottomCap) {
        // Light from the left: the drum shades from a light to a deep blue across its width.
        const double t = std::clamp((x - kLeft) / (kRight - kLeft), 0.0, 1.0);
        out = blend(colour(120, 180, 240), colour(30, 90, 180), t);
        // Two hoops around the drum.
        for (double hoop : {0.41, 0.62}) {
            const double dy = (y - hoop) / kCapRy, dx = (x - kCx) / kRx;
            const double onArc = std::abs(dy - std::sqrt(std::max(0.0, 1 - dx * dx)));
            if (onArc * kCapRy < o * 0.6) out = outline;
        }
    }
    // The top cap, lighter, with its own rim.
    if (inEllipse(x, y, kCx, kTop, kRx, kCapRy)) out = colour(190, 225, 255);
    if (inEllipse(x, y, kCx, kTop, kRx, kCapRy) && !inEllipse(x, y, kCx, kTop, kRx - o, kCapRy - o * 0.7))
        out = outline;
    // Two orange arrows on the right pressing towards the middle: one from above, one from below.
    const double ax = 0.82, shaft = 0.055, head = 0.15;
    auto arrow = [&](double tipY, double tailY) {
        const bool down = tailY < tipY;
        const double len = std::abs(tipY - tailY);
        const double along = down ? (y - tailY) : (tailY - y);  // 0 at the tail, len at the tip
        if (along < 0 || along > len) return false;
        const double headStart = len - head;
        if (along < headStart) return std::abs(x - ax) <= shaft;
        return std::abs(x - ax) <= head * (len - along) / head * 0.9;
    };
    const bool arrowIn = arrow(0.44, 0.04) || arrow(0.60, 0.98);
    const bool arrowEdge = arrow(0.44 + o, 0.04 - o) || arrow(0.60 - o, 0.98 + o);
    if (arrowEdge && !arrowIn) out = over(colour(150, 70, 0), out);
    if (arrowIn)
        out = over(blend(colour(255, 190, 60), colour(235, 120, 20), std::clamp(std::abs(y - 0.52) * 2.2, 0.0, 1.0)),
                   out);
    return out;
}

void put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

}  // namespace

fw::Bitmap drawAppIcon(int size) {
    fw::Bitmap bmp(size, size);
    constexpr int kSamples = 4;
    const double px = 1.0 / size;
    for (int y = 0; y < size; ++y) {
        fw::Pixel* row = bmp.scanline(y);
        for (int x = 0; x < size; ++x) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const Rgba s = sample((x + (sx + 0.5) / kSamples) * px, (y + (sy + 0.5) / kSamples) * px, px);
                    r += s.r * s.a;
                    g += s.g * s.a;
                    b += s.b * s.a;
                    a += s.a;
                }
            }
            // Average with premultiplied samples, then back to straight alpha.
            const int alpha = static_cast<int>(std::lround(a * 255 / (kSamples * kSamples)));
            auto ch = [&](double c) {
                return a > 0 ? static_cast<int>(std::lround(std::clamp(c / a, 0.0, 1.0) * 255)) : 0;
            };
            row[x] = fw::makePixel(ch(r), ch(g), ch(b), alpha);
        }
    }
    return bmp;
}

std::vector<std::uint8_t> encodeIcon(const std::vector<fw::Bitmap>& pictures) {
    std::vector<std::vector<std::uint8_t>> images;
    for (const fw::Bitmap& p : pictures) {
        const int w = p.width(), h = p.height();
        const int maskStride = ((w + 31) / 32) * 4;
        std::vector<std::uint8_t> img;
        put32(img, 40);  // BITMAPINFOHEADER: the height counts the colour rows and the mask rows
        put32(img, static_cast<std::uint32_t>(w));
        put32(img, static_cast<std::uint32_t>(2 * h));
        put16(img, 1);
        put16(img, 32);
        put32(img, 0);
        put32(img, static_cast<std::uint32_t>(w * h * 4 + maskStride * h));
        for (int i = 0; i < 4; ++i) put32(img, 0);
        for (int y = h - 1; y >= 0; --y) {  // bottom-up, BGRA
            for (int x = 0; x < w; ++x) {
                const fw::Pixel px = p.view().at(x, y);
                img.push_back(static_cast<std::uint8_t>(fw::pixelB(px)));
                img.push_back(static_cast<std::uint8_t>(fw::pixelG(px)));
                img.push_back(static_cast<std::uint8_t>(fw::pixelR(px)));
                img.push_back(static_cast<std::uint8_t>(fw::pixelA(px)));
            }
        }
        for (int y = h - 1; y >= 0; --y) {  // the mask: set where the picture is fully transparent
            std::vector<std::uint8_t> row(maskStride, 0);
            for (int x = 0; x < w; ++x)
                if (fw::pixelA(p.view().at(x, y)) == 0) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            img.insert(img.end(), row.begin(), row.end());
        }
        images.push_back(std::move(img));
    }
    std::vector<std::uint8_t> out;
    put16(out, 0);
    put16(out, 1);  // an icon
    put16(out, static_cast<unsigned>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int w = pictures[i].width(), h = pictures[i].height();
        out.push_back(static_cast<std::uint8_t>(w >= 256 ? 0 : w));
        out.push_back(static_cast<std::uint8_t>(h >= 256 ? 0 : h));
        out.push_back(0);
        out.push_back(0);
        put16(out, 1);
        put16(out, 32);
        put32(out, static_cast<std::uint32_t>(images[i].size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const auto& img : images) out.insert(out.end(), img.begin(), img.end());
    return out;
}

}  // namespace skinart
