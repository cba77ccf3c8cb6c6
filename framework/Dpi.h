// Positions and font heights designed at one resolution, scaled to another (rounded to nearest, halves away from 0).
#pragma once

namespace fw {

constexpr int kDesignDpi = 96;

constexpr int scaleForDpi(int value, int toDpi, int fromDpi = kDesignDpi) {
    if (toDpi == fromDpi || fromDpi <= 0) return value;
    long long v = static_cast<long long>(value) * toDpi;
    long long half = fromDpi / 2;
    return static_cast<int>(v >= 0 ? (v + half) / fromDpi : -((-v + half) / fromDpi));
}

}  // namespace fw
