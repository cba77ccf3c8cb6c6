#include "gif/GIFReader.h"

#include <cctype>
#include <cstring>
#include <string>

namespace {

constexpr int kTrailer = 0x3B;         // ';'
constexpr int kExtension = 0x21;       // '!'
constexpr int kImageSeparator = 0x2C;  // ','

std::uint16_t u16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

void readColorMap(GIFStream& s, TGIFColorMap& map, std::uint8_t packed) {
    const int count = 2 << (packed & 7);
    std::uint8_t rgb[256 * 3];
    s.ReadExact(rgb, static_cast<std::size_t>(count) * 3);
    map.Colors.resize(count);
    for (int i = 0; i < count; ++i) map.Colors[i] = {rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2]};
}

// Reads data sub-blocks up to the zero-size terminator, handing each to `take`.
template <class F>
void readSubBlocks(GIFStream& s, F take) {
    std::uint8_t buf[255];
    for (;;) {
        const std::uint8_t size = s.ReadByteExact();
        if (size == 0) return;
        s.ReadExact(buf, size);
        take(buf, size);
    }
}

class Reader {
public:
    Reader(GIFStream& s, TGIFHeader& header, TGIFImageList& frames, const GIFWarn& warn)
        : s_(s), header_(header), frames_(frames), warn_(warn) {}

    void Run() {
        ReadHeader();
        // Frames.
        if (!SkipZeros()) return;
        while (s_.Peek() != kTrailer) {
            const int b = s_.Peek();
            if (b != kExtension && b != kImageSeparator) {
                warn_(GIFMessages::UnknownBlock);
                break;
            }
            CountRecord();
            auto frame = std::make_unique<TGIFSubImage>();
            ReadFrame(*frame);
            frames_.push_back(std::move(frame));
            if (!SkipZeros()) return;
        }
        // Trailer; a missing one is accepted silently.
        const int t = s_.ReadByte();
        if (t >= 0 && t != kTrailer) warn_(GIFMessages::InvalidTrailer);
    }

private:
    // Each frame, extension and kept sub-block counts against kGIFMaxRecords before it is allocated.
    void CountRecord() {
        if (++records_ > kGIFMaxRecords) throw GIFException(GIFMessages::TooManyRecords);
    }

    // Skips zero bytes; false at the end of the stream.
    bool SkipZeros() {
        while (s_.Peek() == 0) s_.Skip(1);
        return !s_.AtEnd();
    }

    static bool IsSignature(const std::uint8_t* sig) {
        return std::toupper(sig[0]) == 'G' && std::toupper(sig[1]) == 'I' && std::toupper(sig[2]) == 'F';
    }

    void ReadHeader() {
        const std::size_t start = s_.Position();
        std::uint8_t sig[6];
        s_.ReadExact(sig, 6);
        if (!IsSignature(sig)) {
            // Some files carry 4 bytes of their own before the header.
            s_.Seek(start);
            s_.Skip(4);
            s_.ReadExact(sig, 6);
            if (!IsSignature(sig)) throw GIFException(GIFMessages::InvalidSignature);
        }
        std::uint8_t lsd[7];
        s_.ReadExact(lsd, 7);
        header_.Width = u16(lsd);
        header_.Height = u16(lsd + 2);
        if (std::int64_t(header_.Width) * header_.Height > kGIFMaxScreenPixels) {
            throw GIFException(GIFMessages::ImageTooLarge);
        }
        header_.Packed = lsd[4];
        header_.BackgroundColorIndex = lsd[5];
        header_.AspectRatio = lsd[6];
        if (header_.Packed & 0x80) {
            readColorMap(s_, header_.ColorMap, header_.Packed);
        } else {
            header_.ColorMap.Clear();
        }
    }

    void ReadFrame(TGIFSubImage& frame) {
        ReadExtensions(frame);
        const int next = s_.Peek();
        if (next == kTrailer || next <= 0) return;  // only extensions, no image

        std::uint8_t id[10];
        s_.ReadExact(id, 10);
        TGIFImageDescriptor& d = frame.Descriptor;
        d.Left = u16(id + 1);
        d.Top = u16(id + 3);
        d.Width = u16(id + 5);
        d.Height = u16(id + 7);
        d.Packed = id[9];
        if (d.Width == 0 || d.Height == 0) {
            d.Width = header_.Width;
            d.Height = header_.Height;
            warn_(GIFMessages::ExceedsScreen);
        }
        if (d.Packed & 0x80) readColorMap(s_, frame.ColorMap, d.Packed);

        const std::int64_t pixels = std::int64_t(d.Width) * d.Height;
        if (pixels > kGIFMaxFramePixels || totalPixels_ + pixels > kGIFMaxTotalPixels) {
            throw GIFException(GIFMessages::ImageTooLarge);
        }
        totalPixels_ += pixels;
        const std::uint8_t fill = frame.Transparent && frame.GraphicControlExtension
                                      ? frame.GraphicControlExtension->TransparentColorIndex
                                      : 0;
        frame.Data.assign(static_cast<std::size_t>(pixels), fill);
        GIFDecodeImageData(s_, frame, warn_);
    }

    void ReadExtensions(TGIFSubImage& frame) {
        for (;;) {
            const int b = s_.Peek();
            if (b == kImageSeparator || b == kTrailer) return;
            if (b != kExtension) {
                warn_(GIFMessages::InvalidIntroducer);
                return;
            }
            const int label = s_.Peek(1);
            if (label < 0) throw GIFException(GIFMessages::PrematureEnd);
            CountRecord();
            std::unique_ptr<TGIFExtension> ext;
            switch (label) {
                case GIFLabel::GraphicControl: ext = ReadGraphicControl(frame); break;
                case GIFLabel::Comment: ext = ReadComment(); break;
                case GIFLabel::PlainText: ext = ReadText(); break;
                case GIFLabel::Application: ext = ReadApplication(); break;
                default: throw GIFException(GIFMessages::UnknownExtension);
            }
            frame.Extensions.push_back(std::move(ext));
        }
    }

    std::unique_ptr<TGIFExtension> ReadGraphicControl(TGIFSubImage& frame) {
        s_.Skip(2);
        auto gce = std::make_unique<TGIFGraphicControlExtension>();
        std::uint8_t body[6] = {};
        if (s_.Read(body, 6) < 6) warn_(GIFMessages::PrematureEnd);
        gce->BlockSize = body[0];
        gce->Packed = body[1];
        gce->Delay = u16(body + 2);
        gce->TransparentColorIndex = body[4];
        gce->Terminator = body[5];
        if (gce->Transparent()) frame.Transparent = true;
        frame.GraphicControlExtension = gce.get();
        return gce;
    }

    std::unique_ptr<TGIFExtension> ReadComment() {
        s_.Skip(2);
        auto c = std::make_unique<TGIFCommentExtension>();
        readSubBlocks(s_, [&](const std::uint8_t* p, std::size_t n) {
            CountRecord();
            c->Text.emplace_back(p, p + n);
        });
        return c;
    }

    std::unique_ptr<TGIFExtension> ReadText() {
        s_.Skip(2);
        auto t = std::make_unique<TGIFTextExtension>();
        s_.ReadExact(t->Header.data(), t->Header.size());
        readSubBlocks(s_, [&](const std::uint8_t* p, std::size_t n) {
            CountRecord();
            t->Text.emplace_back(p, p + n);
        });
        return t;
    }

    std::unique_ptr<TGIFExtension> ReadApplication() {
        s_.Skip(2);
        const std::uint8_t size = s_.ReadByteExact();
        char ident[11];
        if (size == 10) {
            // Taken as an unknown application extension; its 11th identifier byte is the first sub-block size.
            s_.ReadExact(ident, 11);
            s_.Back(1);
            auto u = std::make_unique<TGIFUnknownAppExtension>();
            u->Identifier.assign(ident, 10);
            ReadUnknownBlocks(*u);
            return u;
        }
        if (size < 11) throw GIFException(GIFMessages::AppExtBlockSize);
        s_.ReadExact(ident, 11);
        if (size > 11) {
            if (static_cast<std::size_t>(size - 11) > s_.Remaining()) throw GIFException(GIFMessages::PrematureEnd);
            s_.Skip(size - 11);
        }
        const std::string id(ident, 11);
        if (id == "NETSCAPE2.0" || id == "ANIMEXTS1.0") {
            auto loop = std::make_unique<TGIFAppExtNSLoop>();
            loop->Identifier = id;
            readSubBlocks(s_, [&](const std::uint8_t* p, std::size_t n) {
                switch (p[0] & 7) {
                    case 1:
                        if (n < 3) throw GIFException(GIFMessages::InvalidData);
                        loop->Loops = u16(p + 1);
                        break;
                    case 2:
                        if (n < 5) throw GIFException(GIFMessages::InvalidData);
                        loop->BufferSize = static_cast<std::uint32_t>(p[1]) | (static_cast<std::uint32_t>(p[2]) << 8) |
                                           (static_cast<std::uint32_t>(p[3]) << 16) |
                                           (static_cast<std::uint32_t>(p[4]) << 24);
                        break;
                    default: break;
                }
            });
            return loop;
        }
        auto u = std::make_unique<TGIFUnknownAppExtension>();
        u->Identifier = id;
        ReadUnknownBlocks(*u);
        return u;
    }

    void ReadUnknownBlocks(TGIFUnknownAppExtension& u) {
        readSubBlocks(s_, [&](const std::uint8_t* p, std::size_t n) {
            CountRecord();
            u.Blocks.push_back({static_cast<std::uint8_t>(n), std::vector<std::uint8_t>(p, p + n)});
        });
    }

    GIFStream& s_;
    TGIFHeader& header_;
    TGIFImageList& frames_;
    const GIFWarn& warn_;
    std::int64_t totalPixels_ = 0;
    std::int64_t records_ = 0;
};

}  // namespace

void GIFReadStream(GIFStream& stream, TGIFHeader& header, TGIFImageList& frames, const GIFWarn& warn) {
    header = TGIFHeader{};
    frames.clear();
    const std::size_t start = stream.Position();
    try {
        Reader(stream, header, frames, warn).Run();
    } catch (...) {
        stream.Seek(start);
        throw;
    }
}
