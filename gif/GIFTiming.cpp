#include "gif/GIFTiming.h"

#include <algorithm>

namespace GIFTiming {

int FrameDelay(const TGIFSubImage& frame, bool synchronous) {
    const int delay = frame.Delay();
    if (!frame.GraphicControlExtension || delay == 0) return DefaultDelay;
    const int raised = std::max(delay, MinimumDelay);
    return synchronous ? std::min(raised, MaximumDelay) : raised;
}

bool DitheringApplies(std::uint16_t drawOptions, bool paletteScreen) {
    if (!(drawOptions & GIFDrawOption::Dithered)) return false;
    return !(drawOptions & GIFDrawOption::AutoDither) || paletteScreen;
}

}  // namespace GIFTiming

std::int64_t GIFFrameClock::NextWait(int units, int speed, bool asynchronous, std::int64_t now) {
    std::int64_t wait;
    if (speed < 1) {
        wait = asynchronous ? GIFTiming::Endless : std::int64_t(1000) * GIFTiming::UnitMs;
    } else {
        const std::int64_t overrun = now - (delayStart_ + previousWait_);
        const std::int64_t scaled = (std::int64_t(units) * GIFTiming::UnitMs - overrun / 2) * 100;
        // Rounded to the nearest integer, halves away from zero.
        wait = scaled >= 0 ? (2 * scaled + speed) / (2 * speed) : -((-2 * scaled + speed) / (2 * speed));
    }
    previousWait_ = wait == GIFTiming::Endless ? 0 : wait;
    delayStart_ = now;
    return wait;
}
