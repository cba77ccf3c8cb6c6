// The uncompressed skin package: version, three picture slots, the active pictures and the description text.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "skin/data/kvBmp.h"
#include "skin/data/kvStreams.h"

inline constexpr std::int32_t kSkinPackageVersion = 3;

struct SkinPackage {
    std::int32_t version = kSkinPackageVersion;
    BmpImage picture;  // main picture; an empty image is an empty slot
    BmpImage inactivePicture;
    BmpImage mask;
    std::vector<BmpImage> activePictures;
    std::string text;  // the description, bytes as stored

    // Writes the package (always as version 3): an empty slot is the flag byte 1, a picture the flag 0 and its image.
    void Write(fw::Stream& s) const;
    std::vector<std::uint8_t> ToBytes() const;
};

// Reads a package from the stream's position to its end. A version above 3 is not an error: the result is nullopt
// and nothing else is read. Damaged data throws (StreamError, EInvalidGraphic).
std::optional<SkinPackage> ReadSkinPackage(fw::Stream& s);

// A package as the skin model uses it: the pictures decoded, the description text.
struct DecodedSkinPackage {
    fw::Bitmap picture;
    fw::Bitmap inactivePicture;
    fw::Bitmap mask;
    std::vector<fw::Bitmap> activePictures;
    std::string text;
};
// Reads and decodes a package held in memory, from the stream's position to its end, decoding every picture's
// rows where they lie instead of copying them out first. Results and errors are those of ReadSkinPackage followed
// by BmpImage::Decode.
std::optional<DecodedSkinPackage> DecodeSkinPackage(fw::MemoryStream& s);

// Builds a package from a skin description file and the BMP files named in its [PICTURES] section (relative to
// the file's folder). Returns nullopt, changing nothing, when one of the sections [VERSION], [PICTURES],
// [FORMINFO], [SKINOBJECTS], [SKINCONTROLS] is missing. A missing picture file throws StreamError.
std::optional<SkinPackage> BuildSkinPackage(const std::string& descriptionPath);

// The same from a description's bytes; readPicture gives the bytes of a BMP file named in [PICTURES].
using PictureFileReader = std::function<std::vector<std::uint8_t>(const std::string& name)>;
std::optional<SkinPackage> BuildSkinPackage(std::span<const std::uint8_t> description,
                                            const PictureFileReader& readPicture);

// The framed layout of a compressed skin: version 3, the length of the zlib stream, the stream.
std::vector<std::uint8_t> FrameCompressedSkin(std::span<const std::uint8_t> zlibData);
// Takes the zlib stream out of a framed layout read from the stream's position 0. Returns an empty buffer when
// the framed version is above 3; throws StreamError when the length runs past the data.
std::vector<std::uint8_t> UnframeCompressedSkin(fw::Stream& s);
