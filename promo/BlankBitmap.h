// A picture that is drawn on rather than loaded: a blank bitmap of a given size with a canvas, which a picture
// control shows when code draws on the control's own canvas.
#pragma once

#include "framework/Canvas.h"
#include "framework/DibSection.h"
#include "framework/Picture.h"

class BlankBitmap final : public fw::Graphic {
public:
    // A white bitmap (an empty one for sizes of 0 or less).
    BlankBitmap(int width, int height);

    int width() const override { return dib_.width(); }
    int height() const override { return dib_.height(); }
    void draw(fw::Canvas& canvas, const fw::Rect& dst) override;
    // Only drawn on; reading one from a stream is refused.
    void loadFromStream(fw::Stream& s) override;

    fw::Canvas& Canvas() { return dib_.canvas(); }
    fw::ConstPixelView Pixels() const { return dib_.pixels(); }
    // Tells the picture that holds it to show the new drawing.
    void Drawn() { changed(); }

private:
    fw::DibSection dib_;
};
