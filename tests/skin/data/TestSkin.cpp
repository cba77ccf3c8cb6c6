#include "tests/skin/data/TestSkin.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "skin/data/kvZlibStreams.h"

namespace kvtest {

TempDir::TempDir() {
    std::string templ = (std::filesystem::temp_directory_path() / "kvskin-XXXXXX").string();
    if (!mkdtemp(templ.data())) throw std::runtime_error("cannot create a temporary folder");
    path_ = templ;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

BmpImage patternImage(int width, int height, int seed) {
    fw::Bitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.at(x, y) = fw::makePixel((x * 7 + seed) & 0xFF, (y * 5 + seed * 3) & 0xFF, (x ^ y ^ seed) & 0xFF);
    return BmpImage::encode(b, 24);
}

BmpImage paletteImage(int width, int height, int bits, int seed) {
    BmpImage img;
    img.width = width;
    img.height = height;
    img.bitCount = static_cast<std::uint16_t>(bits);
    int colours = 1 << bits;
    for (int i = 0; i < colours; ++i) {
        std::uint32_t g = static_cast<std::uint32_t>(i * 255 / (colours - 1));
        img.colors.push_back(g | (g << 8) | (g << 16));
    }
    std::size_t stride = img.rowBytes();
    img.rows.assign(stride * static_cast<std::size_t>(height), 0);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = img.rows.data() + stride * static_cast<std::size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            int v = (x + y + seed) % colours;
            int bit = x * bits;
            row[bit / 8] |= static_cast<std::uint8_t>(v << (8 - bits - bit % 8));
        }
    }
    return img;
}

std::string testSkinDescription() {
    std::ifstream f(std::string(KV_TEST_SKIN_DIR) + "/skin.ini", std::ios::binary);
    if (!f) throw std::runtime_error("test skin description missing");
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

std::string writeTestSkin(const std::filesystem::path& dir) {
    auto put = [&dir](const std::string& name, const BmpImage& img) {
        writeFileBytes((dir / name).string(), img.toBytes());
    };
    put("main.bmp", patternImage(285, 210, 1));
    put("mask.bmp", paletteImage(285, 210, 8, 2));
    put("active.bmp", patternImage(75, 263, 3));
    put("hintwindow.bmp", patternImage(28, 21, 4));
    put("pw.bmp", patternImage(93, 55, 5));
    put("menuitems.bmp", patternImage(132, 126, 6));
    put("controls.bmp", patternImage(556, 410, 7));
    put("mdibg.bmp", patternImage(219, 178, 8));
    put("pwmask.bmp", paletteImage(93, 55, 4, 9));
    put("hintwindowmask.bmp", paletteImage(28, 21, 1, 10));
    std::string text = testSkinDescription();
    std::string path = (dir / "skin.ini").string();
    writeFileBytes(path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    return path;
}

SkinPackage smallPackage(const std::string& text, int activeCount) {
    SkinPackage p;
    p.picture = patternImage(6, 4, 1);
    p.mask = paletteImage(6, 4, 8, 2);
    for (int i = 0; i < activeCount; ++i) p.activePictures.push_back(patternImage(3 + i, 2, 10 + i));
    p.text = text;
    return p;
}

std::vector<std::uint8_t> compressPackage(const std::vector<std::uint8_t>& package) {
    fw::MemoryStream src(package), dst;
    CompressStream(src, dst);
    return dst.release();
}

}  // namespace kvtest
