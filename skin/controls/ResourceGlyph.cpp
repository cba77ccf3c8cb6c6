#include "skin/controls/ResourceGlyph.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "skin/data/kvBmp.h"

fw::Bitmap LoadResourceGlyph(const wchar_t* name) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, name, MAKEINTRESOURCEW(2) /* RT_BITMAP */);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(module, found);
    const DWORD size = SizeofResource(module, found);
    const auto* bytes = loaded ? static_cast<const std::uint8_t*>(LockResource(loaded)) : nullptr;
    if (!bytes || size < sizeof(BITMAPINFOHEADER)) return {};

    // A bitmap resource is a BMP file without its 14-byte file header: put one in front and read it as a file.
    BITMAPINFOHEADER info;
    std::memcpy(&info, bytes, sizeof(info));
    std::uint32_t colours = info.biClrUsed;
    if (colours == 0 && info.biBitCount <= 8) colours = 1u << info.biBitCount;
    std::uint32_t offset = 14 + info.biSize + 4 * colours;
    if (info.biCompression == BI_BITFIELDS && info.biSize == sizeof(BITMAPINFOHEADER)) offset += 12;
    std::vector<std::uint8_t> file(14 + size);
    const std::uint32_t total = static_cast<std::uint32_t>(file.size());
    file[0] = 'B';
    file[1] = 'M';
    std::memcpy(&file[2], &total, 4);
    std::memcpy(&file[10], &offset, 4);
    std::memcpy(&file[14], bytes, size);
    try {
        return BmpImage::FromFile(std::span<const std::uint8_t>(file)).Decode();
    } catch (const std::exception&) {
        return {};  // a damaged resource shows no glyph
    }
}
