#include "skin/data/kvBmp.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

bool supportedDepth(int bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32; }

// Colour-table entries that follow the header: the used-colours field, or the depth's full table.
std::size_t tableEntries(std::uint32_t clrUsed, int bits) {
    if (clrUsed) return clrUsed;
    return bits <= 8 ? std::size_t(1) << bits : 0;
}

// Shift and width of one bit-field mask, so a channel can be scaled to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
    explicit Channel(std::uint32_t m) : mask(m) {
        if (!m) return;
        while (!((m >> shift) & 1)) ++shift;
        while (bits < 32 - shift && ((m >> (shift + bits)) & 1)) ++bits;
    }
    int Get(std::uint32_t v) const {
        if (!bits) return 0;
        std::uint32_t c = (v & mask) >> shift;
        if (bits >= 8) return static_cast<int>(c >> (bits - 8));
        std::uint32_t max = (1u << bits) - 1;
        return static_cast<int>((c * 255 + max / 2) / max);
    }
};

// The parts of an information header we keep.
struct Header {
    std::uint32_t size;
    std::int32_t width, height;
    std::uint16_t planes, bitCount;
    std::uint32_t compression, sizeImage;
    std::int32_t xppm, yppm;
    std::uint32_t clrUsed, clrImportant;
};

Header parseHeader(const std::uint8_t* h) {
    return {GetLE32(h),
            static_cast<std::int32_t>(GetLE32(h + 4)),
            static_cast<std::int32_t>(GetLE32(h + 8)),
            GetLE16(h + 12),
            GetLE16(h + 14),
            GetLE32(h + 16),
            GetLE32(h + 20),
            static_cast<std::int32_t>(GetLE32(h + 24)),
            static_cast<std::int32_t>(GetLE32(h + 28)),
            GetLE32(h + 32),
            GetLE32(h + 36)};
}

// Checks the header and fills the image's header fields.
void takeHeader(BmpImage& img, const Header& h) {
    if (h.size < BmpImage::kInfoHeaderSize || h.size > 4096) throw EInvalidGraphic();
    if (h.planes != 1) throw EInvalidGraphic();
    if (!supportedDepth(h.bitCount)) throw EInvalidGraphic();
    if (h.compression != 0 && !(h.compression == 3 && (h.bitCount == 16 || h.bitCount == 32))) throw EInvalidGraphic();
    if (h.width < 0 || h.height == std::numeric_limits<std::int32_t>::min()) throw EInvalidGraphic();
    int absH = h.height < 0 ? -h.height : h.height;
    if (h.width > fw::Bitmap::kMaxSide || absH > fw::Bitmap::kMaxSide) throw EInvalidGraphic();
    if (h.width > 0 && absH > 0) {
        try {
            fw::checkBitmapSize(h.width, absH);
        } catch (const fw::BitmapSizeError&) {
            throw EInvalidGraphic();
        }
    }
    // A colour table larger than any depth needs is damage, not data.
    if (h.clrUsed > 65536) throw EInvalidGraphic();
    img.width = h.width;
    img.height = h.height;
    img.bitCount = h.bitCount;
    img.compression = h.compression;
    img.sizeImage = h.sizeImage;
    img.xPelsPerMeter = h.xppm;
    img.yPelsPerMeter = h.yppm;
    img.clrUsed = h.clrUsed;
    img.clrImportant = h.clrImportant;
}

std::size_t rowsLength(const BmpImage& img) {
    std::size_t need = img.RowBytes() * static_cast<std::size_t>(img.AbsHeight());
    if (img.sizeImage == 0) return need;
    if (img.sizeImage < need) throw EInvalidGraphic();
    return img.sizeImage;
}

}  // namespace

std::size_t BmpImage::RowBytes() const { return ((static_cast<std::size_t>(width) * bitCount + 31) / 32) * 4; }

std::size_t BmpImage::ImageSize() const {
    return kFileHeaderSize + kInfoHeaderSize + (compression == 3 ? 12 : 0) + 4 * colors.size() + rows.size();
}

BmpImage BmpImage::Read(fw::Stream& s) {
    std::size_t len = 0;
    BmpImage img = ReadHeader(s, len);
    img.rows.resize(len);
    s.readBuffer(img.rows.data(), len);
    return img;
}

BmpImage BmpImage::ReadHeader(fw::Stream& s, std::size_t& length) {
    std::uint8_t fh[kFileHeaderSize];
    s.readBuffer(fh, sizeof fh);
    if (fh[0] != 0x42 || fh[1] != 0x4D) throw EInvalidGraphic();
    std::uint8_t ih[kInfoHeaderSize];
    s.readBuffer(ih, sizeof ih);
    Header h = parseHeader(ih);
    BmpImage img;
    takeHeader(img, h);
    // Longer headers carry the bit-field masks inside; a 40-byte header has them right after it.
    std::size_t extra = h.size - kInfoHeaderSize;
    if (extra > Remaining(s)) throw ReadError();
    std::vector<std::uint8_t> tail(extra);
    s.readBuffer(tail.data(), extra);
    if (img.compression == 3) {
        std::uint8_t m[12];
        if (extra >= 12) std::memcpy(m, tail.data(), 12);
        else s.readBuffer(m, 12);
        for (int i = 0; i < 3; ++i) img.masks[i] = GetLE32(m + 4 * i);
    }
    std::size_t entries = tableEntries(img.clrUsed, img.bitCount);
    if (entries * 4 > Remaining(s)) throw ReadError();
    img.colors.resize(entries);
    for (auto& c : img.colors) {
        std::uint8_t e[4];
        s.readBuffer(e, 4);
        c = GetLE32(e);
    }
    length = rowsLength(img);
    if (length > Remaining(s)) throw ReadError();
    return img;
}

BmpImage BmpImage::FromFile(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kFileHeaderSize + kInfoHeaderSize) throw EInvalidGraphic();
    if (bytes[0] != 0x42 || bytes[1] != 0x4D) throw EInvalidGraphic();
    std::uint32_t offBits = GetLE32(bytes.data() + 10);
    Header h = parseHeader(bytes.data() + kFileHeaderSize);
    BmpImage img;
    takeHeader(img, h);
    // The masks of a long header are read from the header itself: the whole header must be in the file.
    if (h.size > bytes.size() - kFileHeaderSize) throw ReadError();
    fw::MemoryStream s(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    s.setPosition(kFileHeaderSize + h.size);
    if (img.compression == 3) {
        if (h.size >= kInfoHeaderSize + 12) {
            for (int i = 0; i < 3; ++i)
                img.masks[i] = GetLE32(bytes.data() + kFileHeaderSize + kInfoHeaderSize + 4 * i);
        } else {
            for (int i = 0; i < 3; ++i) img.masks[i] = static_cast<std::uint32_t>(ReadInt32(s));
        }
    }
    std::size_t entries = tableEntries(img.clrUsed, img.bitCount);
    if (entries * 4 > Remaining(s)) throw ReadError();
    img.colors.resize(entries);
    for (auto& c : img.colors) c = static_cast<std::uint32_t>(ReadInt32(s));
    if (offBits > s.position() && offBits < bytes.size()) s.setPosition(offBits);
    std::size_t len = rowsLength(img);
    // Files written by other tools often leave the size field 0 or round it; take just the rows we need when the
    // file is shorter than its declared size.
    if (len > Remaining(s) && img.sizeImage != 0 && img.RowBytes() * img.AbsHeight() <= Remaining(s)) {
        img.sizeImage = 0;
        len = rowsLength(img);
    }
    if (len > Remaining(s)) throw ReadError();
    img.rows.resize(len);
    s.readBuffer(img.rows.data(), len);
    return img;
}

void BmpImage::Write(fw::Stream& s) const {
    std::size_t headerBytes = kFileHeaderSize + kInfoHeaderSize + (compression == 3 ? 12 : 0) + 4 * colors.size();
    std::uint8_t fh[kFileHeaderSize + kInfoHeaderSize] = {};
    fh[0] = 0x42;
    fh[1] = 0x4D;
    PutLE32(fh + 2, static_cast<std::uint32_t>(ImageSize()));
    PutLE32(fh + 10, static_cast<std::uint32_t>(headerBytes));
    std::uint8_t* h = fh + kFileHeaderSize;
    PutLE32(h, kInfoHeaderSize);
    PutLE32(h + 4, static_cast<std::uint32_t>(width));
    PutLE32(h + 8, static_cast<std::uint32_t>(height));
    PutLE16(h + 12, 1);
    PutLE16(h + 14, bitCount);
    PutLE32(h + 16, compression);
    PutLE32(h + 20, sizeImage);
    PutLE32(h + 24, static_cast<std::uint32_t>(xPelsPerMeter));
    PutLE32(h + 28, static_cast<std::uint32_t>(yPelsPerMeter));
    PutLE32(h + 32, clrUsed);
    PutLE32(h + 36, clrImportant);
    s.write(fh, sizeof fh);
    if (compression == 3)
        for (std::uint32_t m : masks) WriteInt32(s, static_cast<std::int32_t>(m));
    for (std::uint32_t c : colors) WriteInt32(s, static_cast<std::int32_t>(c));
    s.write(rows.data(), rows.size());
}

std::vector<std::uint8_t> BmpImage::ToBytes() const {
    fw::MemoryStream s;
    Write(s);
    return s.release();
}

fw::Bitmap BmpImage::Decode() const { return DecodeRows(rows.data(), rows.size()); }

fw::Bitmap BmpImage::DecodeRows(const std::uint8_t* rowData, std::size_t length) const {
    if (Empty()) return {};
    int h = AbsHeight();
    std::size_t stride = RowBytes();
    if (length < stride * static_cast<std::size_t>(h)) throw EInvalidGraphic();
    // Every row below writes each of its pixels, so the bitmap is not cleared first.
    fw::Bitmap out;
    out.resizeForOverwrite(width, h);
    Channel r(0x00FF0000), g(0x0000FF00), b(0x000000FF);
    if (compression == 3) {
        r = Channel(masks[0]);
        g = Channel(masks[1]);
        b = Channel(masks[2]);
    } else if (bitCount == 16) {
        r = Channel(0x7C00);
        g = Channel(0x03E0);
        b = Channel(0x001F);
    }
    // Palette entries as opaque pixels; an index past the table reads black.
    std::vector<fw::Pixel> palette;
    if (bitCount <= 8) {
        palette.assign(std::size_t(1) << bitCount, fw::makePixel(0, 0, 0));
        for (std::size_t i = 0; i < palette.size() && i < colors.size(); ++i) palette[i] = colors[i] | 0xFF000000u;
    }
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* src = rowData + stride * static_cast<std::size_t>(height > 0 ? h - 1 - y : y);
        fw::Pixel* dst = out.scanline(y);
        switch (bitCount) {
            case 1:
                for (int x = 0; x < width; ++x) dst[x] = palette[(src[x >> 3] >> (7 - (x & 7))) & 1];
                break;
            case 4:
                for (int x = 0; x < width; ++x) dst[x] = palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF];
                break;
            case 8:
                for (int x = 0; x < width; ++x) dst[x] = palette[src[x]];
                break;
            case 16:
                for (int x = 0; x < width; ++x) {
                    std::uint32_t v = GetLE16(src + 2 * x);
                    dst[x] = fw::makePixel(r.Get(v), g.Get(v), b.Get(v));
                }
                break;
            case 24:
                for (int x = 0; x < width; ++x) dst[x] = fw::makePixel(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
                break;
            case 32:
                if (compression == 3) {
                    for (int x = 0; x < width; ++x) {
                        std::uint32_t v = GetLE32(src + 4 * x);
                        dst[x] = fw::makePixel(r.Get(v), g.Get(v), b.Get(v));
                    }
                } else {
                    for (int x = 0; x < width; ++x) dst[x] = fw::makePixel(src[4 * x + 2], src[4 * x + 1], src[4 * x]);
                }
                break;
            default: std::fill_n(dst, width, fw::Pixel{0}); break;  // a depth the readers refuse: left clear
        }
    }
    return out;
}

BmpImage BmpImage::Encode(const fw::Bitmap& bmp, int bitCount) {
    if (bitCount != 24 && bitCount != 32) throw EInvalidGraphic("only 24 and 32 bits per pixel can be encoded");
    BmpImage img;
    img.width = bmp.width();
    img.height = bmp.height();
    img.bitCount = static_cast<std::uint16_t>(bitCount);
    if (bmp.empty()) return img;
    std::size_t stride = img.RowBytes();
    img.rows.assign(stride * static_cast<std::size_t>(bmp.height()), 0);
    int bpp = bitCount / 8;
    for (int y = 0; y < bmp.height(); ++y) {
        std::uint8_t* dst = img.rows.data() + stride * static_cast<std::size_t>(bmp.height() - 1 - y);
        const fw::Pixel* src = bmp.scanline(y);
        for (int x = 0; x < bmp.width(); ++x) {
            dst[bpp * x] = static_cast<std::uint8_t>(fw::pixelB(src[x]));
            dst[bpp * x + 1] = static_cast<std::uint8_t>(fw::pixelG(src[x]));
            dst[bpp * x + 2] = static_cast<std::uint8_t>(fw::pixelR(src[x]));
        }
    }
    return img;
}
