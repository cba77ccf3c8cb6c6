// The in-memory model of a GIF file: logical screen, colour tables, extensions and frames of colour indexes.
// Portable (no platform calls): the reader fills it, the renderer and the painter read it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// The reader's error: ends a load; the picture container passes it on to its caller.
class GIFException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Texts of the reader's errors and warnings.
namespace GIFMessages {
inline constexpr const char* InvalidSignature = "Invalid GIF signature";
inline constexpr const char* PrematureEnd = "Premature end of data";
inline constexpr const char* UnknownExtension = "Unknown extension type";
inline constexpr const char* InvalidIntroducer = "Invalid extension introducer";
// Cannot arise here: extensions are made from their label, and every decoder table entry's prefix is an earlier
// entry. Kept so that the whole set of the format's messages is in one place.
inline constexpr const char* ExtensionMismatch = "Internal error: Extension Instance does not match Extension Label";
inline constexpr const char* CircularTable = "Circular decoder table entry";
inline constexpr const char* AppExtBlockSize = "Unsupported Application Extension block size";
inline constexpr const char* InvalidData = "Invalid GIF data";
inline constexpr const char* NoColorTable = "No global or local color table defined";
inline constexpr const char* UnknownBlock = "Unknown GIF block type";
inline constexpr const char* InvalidTrailer = "Invalid Image trailer";
inline constexpr const char* ExceedsScreen = "Image exceeds Logical Screen size";
inline constexpr const char* BitBufferUnderrun = "Decoder bit buffer under-run";
// Our own additions for input that cannot be decoded safely.
inline constexpr const char* ImageTooLarge = "Image too large";
inline constexpr const char* TooManyRecords = "Too many GIF records";
inline constexpr const char* InvalidCodeSize = "Invalid LZW code size";
}  // namespace GIFMessages

enum class GIFSeverity { Info, Warning, Error };
// Warning hook: sender, severity, message. Warnings are recoverable; loading goes on or stops early.
using GIFWarningHook = std::function<void(const void* sender, GIFSeverity, const std::string&)>;

struct TGIFRGB {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;
    friend bool operator==(const TGIFRGB&, const TGIFRGB&) = default;
};

struct TGIFColorMap {
    std::vector<TGIFRGB> Colors;
    int Count() const { return static_cast<int>(Colors.size()); }
    bool Empty() const { return Colors.empty(); }
    void Clear() { Colors.clear(); }
    friend bool operator==(const TGIFColorMap&, const TGIFColorMap&) = default;
};

// The 216-colour cube used for dithering: entry 36r + 6g + b is (51r, 51g, 51b).
const TGIFColorMap& GIFCubePalette();

struct TGIFHeader {
    std::uint16_t Width = 0;
    std::uint16_t Height = 0;
    std::uint8_t Packed = 0;
    std::uint8_t BackgroundColorIndex = 0;
    std::uint8_t AspectRatio = 0;
    TGIFColorMap ColorMap;  // the global colour table
};

namespace GIFLabel {
inline constexpr std::uint8_t PlainText = 0x01;
inline constexpr std::uint8_t GraphicControl = 0xF9;
inline constexpr std::uint8_t Comment = 0xFE;
inline constexpr std::uint8_t Application = 0xFF;
}  // namespace GIFLabel

// Disposal methods of a graphic control extension.
namespace GIFDisposal {
inline constexpr int None = 0;        // unspecified
inline constexpr int NoDispose = 1;   // leave the frame in place
inline constexpr int Background = 2;  // restore the frame's area to the background
inline constexpr int Previous = 3;    // restore what was there before the frame
}  // namespace GIFDisposal

class TGIFExtension {
public:
    virtual ~TGIFExtension() = default;
    virtual std::uint8_t Label() const = 0;
};

class TGIFGraphicControlExtension : public TGIFExtension {
public:
    std::uint8_t Label() const override { return GIFLabel::GraphicControl; }
    int Disposal() const { return (Packed >> 2) & 7; }
    bool UserInput() const { return (Packed & 2) != 0; }
    bool Transparent() const { return (Packed & 1) != 0; }

    std::uint8_t BlockSize = 0;
    std::uint8_t Packed = 0;
    std::uint16_t Delay = 0;  // hundredths of a second
    std::uint8_t TransparentColorIndex = 0;
    std::uint8_t Terminator = 0;
};

class TGIFTextExtension : public TGIFExtension {
public:
    std::uint8_t Label() const override { return GIFLabel::PlainText; }
    std::array<std::uint8_t, 13> Header{};  // block size and the 12 bytes of text grid and colours
    std::vector<std::string> Text;          // one line per sub-block
};

class TGIFCommentExtension : public TGIFExtension {
public:
    std::uint8_t Label() const override { return GIFLabel::Comment; }
    std::vector<std::string> Text;  // one line per sub-block
};

class TGIFApplicationExtension : public TGIFExtension {
public:
    std::uint8_t Label() const override { return GIFLabel::Application; }
    std::string Identifier;  // 8 bytes of name and 3 of authentication code
};

// The loop extension ("NETSCAPE2.0", "ANIMEXTS1.0").
class TGIFAppExtNSLoop : public TGIFApplicationExtension {
public:
    std::uint16_t Loops = 0;
    std::uint32_t BufferSize = 0;
};

struct TGIFBlock {
    std::uint8_t Size = 0;
    std::vector<std::uint8_t> Data;
};

class TGIFUnknownAppExtension : public TGIFApplicationExtension {
public:
    std::vector<TGIFBlock> Blocks;
};

struct TGIFImageDescriptor {
    std::uint16_t Left = 0;
    std::uint16_t Top = 0;
    std::uint16_t Width = 0;
    std::uint16_t Height = 0;
    std::uint8_t Packed = 0;
};

struct GIFFrameBitmap;

// One frame: its descriptor, colour table, preceding extensions and colour indexes (one byte per pixel).
class TGIFSubImage {
public:
    TGIFSubImage();
    ~TGIFSubImage();
    TGIFSubImage(const TGIFSubImage&) = delete;
    TGIFSubImage& operator=(const TGIFSubImage&) = delete;

    int Left() const { return Descriptor.Left; }
    int Top() const { return Descriptor.Top; }
    int Width() const { return Descriptor.Width; }
    int Height() const { return Descriptor.Height; }
    bool Interlaced() const { return (Descriptor.Packed & 0x40) != 0; }
    bool Empty() const { return Data.empty() || Width() == 0 || Height() == 0; }
    int TransparentIndex() const {
        return GraphicControlExtension ? GraphicControlExtension->TransparentColorIndex : -1;
    }
    // The frame's delay in hundredths of a second, 0 when it has none.
    int Delay() const { return GraphicControlExtension ? GraphicControlExtension->Delay : 0; }
    int Disposal() const { return GraphicControlExtension ? GraphicControlExtension->Disposal() : GIFDisposal::None; }

    TGIFImageDescriptor Descriptor;
    TGIFColorMap ColorMap;  // the local colour table
    std::vector<std::unique_ptr<TGIFExtension>> Extensions;
    TGIFGraphicControlExtension* GraphicControlExtension = nullptr;  // one of Extensions
    bool Transparent = false;
    std::vector<std::uint8_t> Data;  // Width x Height indexes, rows top to bottom

    // Rendered on first use (GIFRender.h) and kept until the image is cleared.
    std::unique_ptr<GIFFrameBitmap> Bitmap;
};

using TGIFImageList = std::vector<std::unique_ptr<TGIFSubImage>>;
