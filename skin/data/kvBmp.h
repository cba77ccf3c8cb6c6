// BMP images as the skin package stores them: uncompressed (plain rows, or bit fields for 16 and 32 bits per
// pixel), 1/4/8/16/24/32 bits per pixel. An image is kept as its parts (information header, masks, colour table,
// rows) so that writing it back gives the normalised layout with no gaps, and decoded to fw::Bitmap for drawing.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "framework/Bitmap.h"
#include "skin/data/kvStreams.h"

// A damaged or unsupported picture.
class EInvalidGraphic : public std::runtime_error {
public:
    EInvalidGraphic() : std::runtime_error("Bitmap image is not valid") {}
    explicit EInvalidGraphic(const std::string& what) : std::runtime_error(what) {}
};

struct BmpImage {
    static constexpr int kFileHeaderSize = 14;
    static constexpr int kInfoHeaderSize = 40;

    std::int32_t width = 0;
    std::int32_t height = 0;  // positive: rows bottom-up; negative: top-down
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;  // 0 plain rows, 3 bit fields
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t sizeImage = 0;  // as stored: 0, or the byte size of the rows
    std::uint32_t clrUsed = 0;    // as stored: 0 (the depth's default table), or the colour count
    std::uint32_t clrImportant = 0;
    std::array<std::uint32_t, 3> masks{};  // red, green, blue: only with compression 3
    std::vector<std::uint32_t> colors;     // colour table, 0x00RRGGBB entries as stored (B, G, R, 0)
    std::vector<std::uint8_t> rows;        // pixel rows exactly as stored

    bool Empty() const { return width <= 0 || height == 0; }
    int AbsHeight() const { return height < 0 ? -height : height; }
    // Bytes of one stored row (rounded up to 4).
    std::size_t RowBytes() const;
    // Full length of the normalised image (file header to last row byte).
    std::size_t ImageSize() const;

    // Reads one image at the stream's position; the stream is left right after the pixel rows, found from the
    // header fields. Throws EInvalidGraphic for a wrong signature, plane count, depth or compression, and
    // StreamError when the data runs out.
    static BmpImage Read(fw::Stream& s);
    // The same without the pixel rows: `rows` stays empty, `length` gets their byte count and the stream is left at
    // their start (checked to hold them), for a reader that decodes them where they lie.
    static BmpImage ReadHeader(fw::Stream& s, std::size_t& length);
    // Reads a BMP file's bytes. Unlike the package reader, a file's own pixel offset is honoured when it points
    // past the colour table, and information headers longer than 40 bytes are accepted; the image is normalised.
    static BmpImage FromFile(std::span<const std::uint8_t> bytes);
    // Writes the normalised image: pixel offset 14 + 40 (+12 masks) + 4 × colours, file size = full length.
    void Write(fw::Stream& s) const;
    std::vector<std::uint8_t> ToBytes() const;

    // Decodes to 32-bit pixels (opaque), top row first.
    fw::Bitmap Decode() const;
    // Decodes `length` bytes of rows kept elsewhere, laid out as `rows` would hold them.
    fw::Bitmap DecodeRows(const std::uint8_t* rowData, std::size_t length) const;
    // Encodes a bitmap as a bottom-up 24- or 32-bit image with plain rows.
    static BmpImage Encode(const fw::Bitmap& bmp, int bitCount = 24);
};
