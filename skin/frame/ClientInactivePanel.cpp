#include "skin/frame/ClientInactivePanel.h"

#include "framework/Canvas.h"
#include "framework/DibSection.h"
#include "framework/Handles.h"
#include "skin/imaging/kvBitmap.h"

void ClientInactivePanel::Capture(HWND form, int width, int height, TkvClientInActiveEffectType type) {
    image_ = fw::Bitmap();
    if (width <= 0 || height <= 0) return;
    fw::DibSection shot(width, height);
    {
        fw::WindowDC dc(form);
        BitBlt(shot.dc(), 0, 0, width, height, dc.get(), 0, 0, SRCCOPY);
    }
    const fw::ConstPixelView src = shot.pixels();
    image_ = fw::Bitmap(width, height);
    if (type == kvieBlur) {
        TkvBitmap blurred;
        blurred.Assign(src);
        blurred.StackBlur(3);
        fw::copyPixels(blurred.Pixels(), {0, 0, width, height}, image_.view(), 0, 0);
        return;
    }
    // Half way to white: the client area seen through a milky pane.
    for (int y = 0; y < height; ++y) {
        const fw::Pixel* in = src.scanline(y);
        fw::Pixel* out = image_.scanline(y);
        for (int x = 0; x < width; ++x) {
            const fw::Pixel p = in[x];
            out[x] = fw::makePixel((fw::pixelR(p) + 255) / 2, (fw::pixelG(p) + 255) / 2, (fw::pixelB(p) + 255) / 2);
        }
    }
}

void ClientInactivePanel::paintWindow(HDC dc, const fw::Rect&) {
    if (!image_.empty()) fw::drawPixels(dc, 0, 0, image_.view());
}
