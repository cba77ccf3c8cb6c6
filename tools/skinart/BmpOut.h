// Turns the generated bitmaps into the BMP images the skin package stores: colour pictures as 24-bit, masks as
// indexed grey pictures of 8, 4 or 1 bits (black inside, white outside). The BMP layout itself is the skin-data
// code's (BmpImage); this only chooses depths and packs indexed rows.
#pragma once

#include <string>
#include <vector>

#include "skin/data/kvBmp.h"

namespace skinart {

// An indexed grey image (bitCount 1, 4 or 8) with the depth's full grey table; each pixel takes the nearest grey.
BmpImage encodeGrey(const fw::Bitmap& bmp, int bitCount);

struct SkinPicture {
    std::string fileName;  // as named in the description's [PICTURES]
    BmpImage image;
};

// Every picture of the program's skin, in package order (main, mask, then the active pictures).
std::vector<SkinPicture> renderSkin();

// Writes each picture as a BMP file into the folder; throws fw::EFOpenError when a file cannot be written.
void writeSkinPictures(const std::vector<SkinPicture>& pictures, const std::string& folder);

}  // namespace skinart
