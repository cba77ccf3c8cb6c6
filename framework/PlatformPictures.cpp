#include "framework/PlatformPictures.h"

#include <cstring>

#include "framework/Canvas.h"
#include "framework/DibSection.h"
#include "framework/Stream.h"

namespace fw {

namespace {
// Little-endian reads from a byte buffer whose bounds the caller checked.
std::uint32_t u32(const std::uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24); }
std::uint16_t u16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::int32_t s32(const std::uint8_t* p) { return static_cast<std::int32_t>(u32(p)); }

[[noreturn]] void invalid(const char* what) { throw PictureError(std::string("Invalid ") + what); }

}  // namespace

void registerPlatformPictureFormats() {
    registerPictureFormat("bmp", "Bitmaps", [] { return std::make_unique<BitmapGraphic>(); });
    registerPictureFormat("ico", "Icons", [] { return std::make_unique<IconGraphic>(); });
    registerPictureFormat("emf", "Enhanced Metafiles", [] { return std::make_unique<MetafileGraphic>(); });
    registerPictureFormat("wmf", "Metafiles", [] { return std::make_unique<MetafileGraphic>(); });
}

// ---- bitmaps

void BitmapGraphic::setBitmap(Bitmap b) {
    bitmap_ = std::move(b);
    changed();
}

void BitmapGraphic::draw(Canvas& canvas, const Rect& dst) {
    if (!bitmap_.empty()) stretchPixels(canvas.handle(), dst, bitmap_.view(), bitmap_.rect());
}

void BitmapGraphic::loadFromStream(Stream& s) {
    std::vector<std::uint8_t> data = s.readAll();
    const std::size_t n = data.size();
    if (n < 14 + 12 || data[0] != 'B' || data[1] != 'M') invalid("bitmap");
    const std::uint8_t* info = data.data() + 14;
    const std::uint32_t headerSize = u32(info);
    const std::uint32_t bitsOffset = u32(data.data() + 10);
    int width = 0, height = 0, bitCount = 0;
    std::uint32_t compression = BI_RGB, sizeImage = 0;
    if (headerSize == 12) {  // core header
        width = u16(info + 4);
        height = u16(info + 6);
        bitCount = u16(info + 10);
    } else if (headerSize >= 40 && headerSize <= n - 14) {
        width = s32(info + 4);
        height = s32(info + 8);
        bitCount = u16(info + 14);
        compression = u32(info + 16);
        sizeImage = u32(info + 20);
    } else {
        invalid("bitmap header");
    }
    if (width <= 0 || height == 0 || height == INT32_MIN) invalid("bitmap size");
    const int rows = height < 0 ? -height : height;
    checkBitmapSize(width, rows);
    if (bitsOffset < 14 + headerSize || bitsOffset > n) invalid("bitmap data offset");
    // The platform reads the pixel data without knowing our buffer: make sure all of it is there.
    const std::uint64_t available = n - bitsOffset;
    std::uint64_t needed;
    if (compression == BI_RGB || compression == BI_BITFIELDS) {
        if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
            invalid("bitmap depth");
        needed = ((static_cast<std::uint64_t>(width) * bitCount + 31) / 32) * 4 * rows;
    } else if (compression == BI_RLE8 || compression == BI_RLE4) {
        needed = sizeImage;
        if (needed == 0) invalid("compressed bitmap size");
    } else {
        invalid("bitmap compression");
    }
    if (needed > available) invalid("bitmap: data cut short");

    DibSection target(width, rows);
    int got = SetDIBitsToDevice(target.dc(), 0, 0, width, rows, 0, 0, 0, rows, data.data() + bitsOffset,
                                reinterpret_cast<const BITMAPINFO*>(info), DIB_RGB_COLORS);
    if (got == 0) invalid("bitmap");
    Bitmap b(width, rows);
    ConstPixelView px = target.pixels();
    for (int y = 0; y < rows; ++y) {
        const Pixel* in = px.scanline(y);
        Pixel* out = b.scanline(y);
        for (int x = 0; x < width; ++x) out[x] = in[x] | 0xFF000000u;  // the platform leaves alpha undefined
    }
    setBitmap(std::move(b));
}

// ---- icons

void IconGraphic::draw(Canvas& canvas, const Rect& dst) {
    if (icon_)
        DrawIconEx(canvas.handle(), dst.left, dst.top, icon_.get(), dst.width(), dst.height(), 0, nullptr, DI_NORMAL);
}

void IconGraphic::loadFromStream(Stream& s) {
    std::vector<std::uint8_t> data = s.readAll();
    const std::size_t n = data.size();
    if (n < 6 || u16(data.data()) != 0 || u16(data.data() + 2) != 1) invalid("icon");
    const unsigned count = u16(data.data() + 4);
    if (count == 0 || 6 + 16ull * count > n) invalid("icon directory");
    // Largest image: an entry's 0 means 256.
    unsigned best = 0;
    int bestArea = -1;
    for (unsigned i = 0; i < count; ++i) {
        const std::uint8_t* e = data.data() + 6 + 16 * i;
        int w = e[0] ? e[0] : 256, h = e[1] ? e[1] : 256;
        if (w * h > bestArea) {
            bestArea = w * h;
            best = i;
        }
    }
    const std::uint8_t* e = data.data() + 6 + 16 * best;
    const std::uint32_t size = u32(e + 8), offset = u32(e + 12);
    if (size < 40 || offset > n || size > n - offset) invalid("icon image");
    int w = e[0] ? e[0] : 256, h = e[1] ? e[1] : 256;
    HICON icon = CreateIconFromResourceEx(data.data() + offset, size, TRUE, 0x00030000, w, h, LR_DEFAULTCOLOR);
    if (!icon) invalid("icon image");
    icon_ = IconHandle(icon);
    width_ = w;
    height_ = h;
    changed();
}

void IconGraphic::loadSystemIcon(LPCWSTR id) {
    // Shared icons must not be destroyed: keep our own copy.
    HICON copy = CopyIcon(LoadIconW(nullptr, id));
    if (!copy) invalid("icon");
    icon_ = IconHandle(copy);
    width_ = GetSystemMetrics(SM_CXICON);
    height_ = GetSystemMetrics(SM_CYICON);
    changed();
}

// ---- metafiles

MetafileGraphic::~MetafileGraphic() { reset(); }

void MetafileGraphic::reset() {
    if (meta_) {
        DeleteEnhMetaFile(meta_);
        --gdiLiveCounter();
        meta_ = nullptr;
    }
    width_ = height_ = 0;
}

void MetafileGraphic::draw(Canvas& canvas, const Rect& dst) {
    if (!meta_) return;
    RECT r = toRECT(dst);
    PlayEnhMetaFile(canvas.handle(), meta_, &r);
}

void MetafileGraphic::loadFromStream(Stream& s) {
    std::vector<std::uint8_t> data = s.readAll();
    const std::size_t n = data.size();
    HENHMETAFILE meta = nullptr;
    int w = 0, h = 0;
    if (n >= 88 && u32(data.data()) == EMR_HEADER && u32(data.data() + 40) == ENHMETA_SIGNATURE) {
        meta = SetEnhMetaFileBits(static_cast<UINT>(n), data.data());
        if (meta) {
            ENHMETAHEADER hdr{};
            GetEnhMetaFileHeader(meta, sizeof hdr, &hdr);
            w = hdr.rclBounds.right - hdr.rclBounds.left + 1;
            h = hdr.rclBounds.bottom - hdr.rclBounds.top + 1;
        }
    } else {
        std::size_t start = 0;
        METAFILEPICT pict{MM_ANISOTROPIC, 0, 0, nullptr};
        if (n >= 22 && u32(data.data()) == 0x9AC6CDD7u) {  // placeable header: bounds in units per inch
            int left = static_cast<std::int16_t>(u16(data.data() + 6)),
                top = static_cast<std::int16_t>(u16(data.data() + 8));
            int right = static_cast<std::int16_t>(u16(data.data() + 10)),
                bottom = static_cast<std::int16_t>(u16(data.data() + 12));
            int inch = u16(data.data() + 14);
            if (inch == 0) invalid("metafile");
            w = (right - left) * 96 / inch;
            h = (bottom - top) * 96 / inch;
            pict.xExt = (right - left) * 2540 / inch;  // 0.01 mm
            pict.yExt = (bottom - top) * 2540 / inch;
            start = 22;
        }
        if (n - start < 18) invalid("metafile");
        meta = SetWinMetaFileBits(static_cast<UINT>(n - start), data.data() + start, nullptr, &pict);
        if (meta && (w <= 0 || h <= 0)) {
            ENHMETAHEADER hdr{};
            GetEnhMetaFileHeader(meta, sizeof hdr, &hdr);
            w = hdr.rclBounds.right - hdr.rclBounds.left + 1;
            h = hdr.rclBounds.bottom - hdr.rclBounds.top + 1;
        }
    }
    if (!meta) invalid("metafile");
    reset();
    meta_ = meta;
    ++gdiLiveCounter();
    width_ = w;
    height_ = h;
    changed();
}

}  // namespace fw
