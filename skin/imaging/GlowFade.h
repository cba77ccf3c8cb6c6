// The fade-in of a glow layer window: every 25 ms its opacity grows by a tenth of the requested opacity.
#pragma once

#include <algorithm>

constexpr unsigned kGlowFadeInterval = 25;  // ms

// The opacity after one fade step from current towards target, clamped at target. The step is a tenth of the
// target but at least 1, so that a faint glow (target below 10) still arrives instead of fading forever.
constexpr int nextFadeOpacity(int current, int target) {
    const int step = std::max(target / 10, 1);
    return std::min(current + step, target);
}
