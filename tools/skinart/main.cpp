// skinart draw OUTDIR       draws the pictures of the program's skin and writes them as BMP files into OUTDIR,
//                           under the names the skin description's [PICTURES] section gives;
// skinart icon OUT.ico      draws the program's icon at 16, 24, 32 and 48 pixels;
// skinart glyphs OUTDIR     draws the open-file dialog's tool-button glyphs as 24-bit BMP files NAME.bmp in OUTDIR;
// skinart raw FRAMED OUT    writes the zlib stream of a packed skin (framed layout) alone, as the main form's
//                           description holds it in `CompressedData`.
#include <cstdio>
#include <exception>
#include <string>

#include "framework/Stream.h"
#include "skin/data/kvSkinPackage.h"
#include "tools/skinart/AppIcon.h"
#include "tools/skinart/BmpOut.h"
#include "tools/skinart/DialogGlyphs.h"

namespace {

int writeRaw(const std::string& framedPath, const std::string& outPath) {
    fw::MemoryStream framed(fw::readFile(framedPath));
    const std::vector<std::uint8_t> raw = UnframeCompressedSkin(framed);
    if (raw.empty()) {
        std::fprintf(stderr, "skinart: %s holds no skin\n", framedPath.c_str());
        return 1;
    }
    fw::writeFile(outPath, raw);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    try {
        if (mode == "draw" && argc == 3) {
            skinart::writeSkinPictures(skinart::renderSkin(), argv[2]);
            return 0;
        }
        if (mode == "glyphs" && argc == 3) {
            for (const skinart::DialogGlyph& g : skinart::drawDialogGlyphs())
                fw::writeFile(std::string(argv[2]) + "/" + std::string(g.name) + ".bmp",
                              BmpImage::Encode(g.image).ToBytes());
            return 0;
        }
        if (mode == "raw" && argc == 4) return writeRaw(argv[2], argv[3]);
        if (mode == "icon" && argc == 3) {
            std::vector<fw::Bitmap> sizes;
            for (int size : {16, 24, 32, 48}) sizes.push_back(skinart::drawAppIcon(size));
            fw::writeFile(argv[2], skinart::encodeIcon(sizes));
            return 0;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skinart: %s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "usage: skinart draw OUTDIR | skinart glyphs OUTDIR | skinart raw FRAMED OUT | skinart icon OUT.ico\n");
    return 2;
}
