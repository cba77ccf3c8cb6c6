// Drawing options and the timing rules of GIF animation.
#pragma once

#include <cstdint>

#include "gif/GIFModel.h"

// DrawOptions flags of a GIF picture.
namespace GIFDrawOption {
inline constexpr std::uint16_t AsyncPaint = 0x0001;       // the painter runs on its own thread
inline constexpr std::uint16_t DrawTransparent = 0x0002;  // frames are drawn through their masks
inline constexpr std::uint16_t Animate = 0x0004;          // play all frames, else only the first
inline constexpr std::uint16_t Loop = 0x0008;             // with Animate, further passes by the loop count
inline constexpr std::uint16_t LoopForever = 0x0010;      // ignore the loop count, repeat without end
inline constexpr std::uint16_t ValidateCanvas = 0x0020;   // stop when the target's device context is gone
inline constexpr std::uint16_t DirectDraw = 0x0040;       // paint onto the target, not the image's bitmap
inline constexpr std::uint16_t ClearOnLoop = 0x0080;      // clear to the background at each pass's first frame
inline constexpr std::uint16_t Tile = 0x0100;             // repeat the image over the destination
inline constexpr std::uint16_t Dithered = 0x0200;         // dither frames to the 216-colour cube
inline constexpr std::uint16_t AutoDither = 0x0400;       // with Dithered: only on displays of at most 8 bits
inline constexpr std::uint16_t Default = AsyncPaint | DrawTransparent | Animate | Loop | Dithered | AutoDither;
}  // namespace GIFDrawOption

namespace GIFTiming {
inline constexpr int UnitMs = 12;          // one delay unit (a hundredth of a second in the file) plays as 12 ms
inline constexpr int DefaultDelay = 10;    // units, for frames without a delay
inline constexpr int MinimumDelay = 3;     // units
inline constexpr int MaximumDelay = 1000;  // units, only when the painter runs inside the draw call
inline constexpr std::int64_t Endless = -1;

// The delay that follows a frame, in units.
int FrameDelay(const TGIFSubImage& frame, bool synchronous);

// Whether frames are dithered: Dithered, and unless AutoDither, always; with AutoDither only on a screen of at
// most 8 bits per pixel.
bool DitheringApplies(std::uint16_t drawOptions, bool paletteScreen);
}  // namespace GIFTiming

// The wait before a frame: the carried delay corrected by half of the last wait's overrun and scaled by speed.
class GIFFrameClock {
public:
    explicit GIFFrameClock(std::int64_t now) : delayStart_(now) {}
    // Milliseconds to wait (GIFTiming::Endless for an endless wait) for a delay of `units`, given the time now.
    std::int64_t NextWait(int units, int speed, bool asynchronous, std::int64_t now);
    // After a stop woke a waiting painter.
    void Reset(std::int64_t now) {
        previousWait_ = 0;
        delayStart_ = now;
    }

private:
    std::int64_t delayStart_;
    std::int64_t previousWait_ = 0;
};
