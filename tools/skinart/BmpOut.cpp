#include "tools/skinart/BmpOut.h"

#include <stdexcept>

#include "tools/skinart/Pictures.h"

namespace skinart {

BmpImage encodeGrey(const fw::Bitmap& bmp, int bitCount) {
    if (bitCount != 1 && bitCount != 4 && bitCount != 8) throw std::invalid_argument("grey images are 1, 4 or 8 bits");
    BmpImage img;
    img.width = bmp.width();
    img.height = bmp.height();
    img.bitCount = static_cast<std::uint16_t>(bitCount);
    const int levels = 1 << bitCount;
    for (int i = 0; i < levels; ++i) {
        const std::uint32_t g = static_cast<std::uint32_t>((i * 255) / (levels - 1));
        img.colors.push_back((g << 16) | (g << 8) | g);
    }
    if (bmp.empty()) return img;
    const std::size_t stride = img.rowBytes();
    img.rows.assign(stride * static_cast<std::size_t>(bmp.height()), 0);
    const int perByte = 8 / bitCount;
    for (int y = 0; y < bmp.height(); ++y) {
        std::uint8_t* dst = img.rows.data() + stride * static_cast<std::size_t>(bmp.height() - 1 - y);  // bottom-up
        for (int x = 0; x < bmp.width(); ++x) {
            const fw::Pixel p = bmp.at(x, y);
            const int grey = (fw::pixelR(p) * 77 + fw::pixelG(p) * 150 + fw::pixelB(p) * 29) >> 8;
            const int index = (grey * (levels - 1) + 127) / 255;
            const int shift = bitCount * (perByte - 1 - x % perByte);  // leftmost pixel in the high bits
            dst[x / perByte] |= static_cast<std::uint8_t>(index << shift);
        }
    }
    return img;
}

std::vector<SkinPicture> renderSkin() {
    std::vector<SkinPicture> out;
    out.push_back({"main.bmp", BmpImage::encode(mainPicture(), 24)});
    out.push_back({"mask.bmp", encodeGrey(mainMask(), 8)});
    out.push_back({"active.bmp", BmpImage::encode(captionButtons(), 24)});
    out.push_back({"hintwindow.bmp", BmpImage::encode(hintPicture(), 24)});
    out.push_back({"pw.bmp", BmpImage::encode(popupPicture(), 24)});
    out.push_back({"menuitems.bmp", BmpImage::encode(menuItems(), 24)});
    out.push_back({"controls.bmp", BmpImage::encode(controlsPicture(), 24)});
    out.push_back({"mdibg.bmp", BmpImage::encode(mdiBackground(), 24)});
    out.push_back({"pwmask.bmp", encodeGrey(popupMask(), 4)});
    out.push_back({"hintwindowmask.bmp", encodeGrey(hintMask(), 1)});
    return out;
}

void writeSkinPictures(const std::vector<SkinPicture>& pictures, const std::string& folder) {
    for (const SkinPicture& p : pictures) {
        writeFileBytes(folder + "/" + p.fileName, p.image.toBytes());
    }
}

}  // namespace skinart
