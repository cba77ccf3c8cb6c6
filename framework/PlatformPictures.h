// Picture formats read through the platform: bitmaps (bmp), icons (ico) and metafiles (wmf, emf).
#pragma once

#include <windows.h>

#include "framework/Bitmap.h"
#include "framework/Handles.h"
#include "framework/Picture.h"

namespace fw {

// Registers "bmp", "ico", "wmf" and "emf" with the picture loader.
void registerPlatformPictureFormats();

// A device-independent bitmap, kept as pixels.
class BitmapGraphic : public Graphic {
public:
    int width() const override { return bitmap_.width(); }
    int height() const override { return bitmap_.height(); }
    void draw(Canvas& canvas, const Rect& dst) override;
    // A .bmp file: file header, then a packed DIB in any format the platform reads.
    void loadFromStream(Stream& s) override;
    const Bitmap& bitmap() const { return bitmap_; }
    void setBitmap(Bitmap b);

private:
    Bitmap bitmap_;
};

class IconGraphic : public Graphic {
public:
    int width() const override { return width_; }
    int height() const override { return height_; }
    void draw(Canvas& canvas, const Rect& dst) override;
    // A .ico file; the largest image is taken.
    void loadFromStream(Stream& s) override;
    // A copy of one of the platform's standard icons (IDI_WARNING, IDI_ERROR, IDI_INFORMATION, IDI_QUESTION).
    void loadSystemIcon(LPCWSTR id);
    HICON handle() const { return icon_.get(); }

private:
    IconHandle icon_;
    int width_ = 0;
    int height_ = 0;
};

class MetafileGraphic : public Graphic {
public:
    MetafileGraphic() = default;
    ~MetafileGraphic() override;
    MetafileGraphic(const MetafileGraphic&) = delete;
    MetafileGraphic& operator=(const MetafileGraphic&) = delete;
    int width() const override { return width_; }
    int height() const override { return height_; }
    void draw(Canvas& canvas, const Rect& dst) override;
    // An enhanced metafile, or a Windows metafile with or without its placeable header.
    void loadFromStream(Stream& s) override;

private:
    void reset();
    HENHMETAFILE meta_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace fw
