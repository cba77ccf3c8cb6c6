// The platform side of TkvEffectBmp: made from a platform bitmap and drawn back to a device.
#include "skin/imaging/kvBitmap.h"
#include "skin/imaging/kveffects.h"

TkvEffectBmp::TkvEffectBmp(HBITMAP bitmap) {
    if (!readPlatformBitmap(bitmap, image_)) image_.resize(0, 0);
}

void TkvEffectBmp::Draw(HDC dc, int x, int y) const {
    if (image_.empty() || !dc) return;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = image_.width();
    bi.bmiHeader.biHeight = -image_.height();
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, x, y, image_.width(), image_.height(), 0, 0, 0, image_.height(), image_.view().data, &bi,
                      DIB_RGB_COLORS);
}
