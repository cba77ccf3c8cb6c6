// Test skins: a folder holding the test description and generated pictures of this program's sizes and depths,
// and helpers to make BMP images and packages in memory.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "skin/data/kvBmp.h"
#include "skin/data/kvSkinPackage.h"

namespace kvtest {

// A fresh, empty folder under the system's temporary folder, removed by the destructor.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// A bottom-up 24-bit image whose pixels follow a pattern seeded by `seed`.
BmpImage patternImage(int width, int height, int seed);
// A palette image of 1, 4 or 8 bits per pixel with a grey palette, pixel (x, y) = (x + y + seed) mod colours.
BmpImage paletteImage(int width, int height, int bits, int seed);

// The test description (358 lines: 13 objects, 64 controls over 27 types).
std::string testSkinDescription();
// Writes skin.ini and its ten pictures into dir; returns the description's path.
std::string writeTestSkin(const std::filesystem::path& dir);
// A small package in memory: a description text and optionally a few pictures.
SkinPackage smallPackage(const std::string& text, int activeCount = 1);
// The raw zlib stream of a package.
std::vector<std::uint8_t> compressPackage(const std::vector<std::uint8_t>& package);

}  // namespace kvtest
