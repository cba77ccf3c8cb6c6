#include "skin/frame/FrameBackground.h"

#include "skin/imaging/PixelOps.h"

fw::Bitmap ComposeClientBackground(const TkvSkinData& skin, int clientW, int clientH, int windowW, int windowH) {
    fw::Bitmap scratch;
    fw::ConstPixelView tile;
    if (skin.BGPictureIndex >= 0) {
        if (skin.BGPictureIndex < static_cast<int>(skin.ActivePictures.size()))
            tile = skin.ActivePictures[static_cast<std::size_t>(skin.BGPictureIndex)].view();
    } else if (!skin.ClientRect.empty()) {
        tile = CopySegment(skin.FramePicture.view(), skin.ClientRect, scratch);
    }
    if (tile.empty() || clientW <= 0 || clientH <= 0) return {};
    // Tiling writes every pixel of the area, and so does a stretch over a window at least as large as the client:
    // then the image is not cleared first.
    const bool covered = !skin.StretchEffect || skin.StretchType == sthorz || skin.StretchType == stvert ||
                         (skin.StretchType == stfull && windowW >= clientW && windowH >= clientH);
    fw::Bitmap out;
    if (covered) out.resizeForOverwrite(clientW, clientH);
    else out.resize(clientW, clientH);
    const fw::Rect area{0, 0, clientW, clientH};
    if (!skin.StretchEffect) {
        TilePixels(tile, out, {0, 0}, area);
        return out;
    }
    switch (skin.StretchType) {
        case stfull: StretchPixels(tile, out, {0, 0, windowW, windowH}); break;
        case sthorz: {  // stretched to the window's height, repeated across
            fw::Bitmap strip(tile.width, std::max(windowH, 1));
            StretchPixels(tile, strip, strip.rect());
            TilePixels(strip, out, {0, 0}, area);
            break;
        }
        case stvert: {  // stretched to the window's width, repeated downwards
            fw::Bitmap strip(std::max(windowW, 1), tile.height);
            StretchPixels(tile, strip, strip.rect());
            TilePixels(strip, out, {0, 0}, area);
            break;
        }
    }
    return out;
}
