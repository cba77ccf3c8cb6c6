// The panel that covers an inactive form's client area with a dimmed or blurred picture of it, so that the active
// window stands out (the frame's ClientInActiveEffect).
#pragma once

#include "framework/Bitmap.h"
#include "framework/WindowedControl.h"

enum TkvClientInActiveEffectType { kvieSemiTransparent, kvieBlur };

class ClientInactivePanel : public fw::CustomControl {
public:
    using fw::CustomControl::CustomControl;
    // Takes a picture of `form`'s client area as it is now and the effect over it.
    void Capture(HWND form, int width, int height, TkvClientInActiveEffectType type);
    const fw::Bitmap& Image() const { return image_; }

protected:
    void paintWindow(HDC dc, const fw::Rect& area) override;

private:
    fw::Bitmap image_;
};
