// The hottest pixel loops in two instruction sets: SSE2, which every processor that runs the program has, and AVX2,
// twice as wide, used where the processor has it. The set is chosen once, on first use, and stays: every caller
// sees the same table. Both sets give the same bytes; each loop does the whole vectors of its span and returns how
// many pixels it did, and the caller does the rest with its own plain loop.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "framework/Bitmap.h"

// A byte map as two lookups by the byte's nibbles: out = floor((high[c >> 4] + low[c & 15]) / 256), each sum split
// into a whole byte (`...Whole`) and a fraction byte (`...Part`) so that a vector byte lookup can fetch it.
struct NibbleMap {
    std::array<std::uint8_t, 16> highWhole{}, highPart{}, lowWhole{}, lowPart{};
};

struct PixelKernels {
    const char* name;  // "sse2" or "avx2"
    // Brightness 0.5 on the colour bytes: round(c/2 + 127.5), ties to even.
    int (*brightenHalfway)(fw::Pixel* row, int n);
    // The colour bytes through a nibble map (null where the set has no byte lookup).
    int (*mapNibbles)(fw::Pixel* row, int n, const NibbleMap& map);
    // Grayscale: round(0.3 R + 0.59 G + 0.11 B), ties to even, into the three colour bytes.
    int (*grey)(fw::Pixel* row, int n);
    // Blend towards nrow with weight k / 2^14 (0 ≤ k ≤ 2^14), rounding half up: the blend's coarse integer form.
    int (*blendCoarse)(fw::Pixel* row, const fw::Pixel* nrow, int n, std::uint32_t k);
    // The gradients' mix of n pixels (a multiple of 8) with a weight per column: out = a + round((b − a)·k / 2^15)
    // rounding half up, k the 16-bit value per pixel at newShares. Copies a to old and sets in nearBytes[g]
    // a bit per byte of group g (8 pixels) whose value lies within 127 / 2^15 of a half (null where the set has
    // none).
    void (*mixColumns)(fw::Pixel* out, const fw::Pixel* a, const fw::Pixel* b, const std::int16_t* newShares, int n,
                       fw::Pixel* old, std::uint32_t* nearBytes);
    // The noise of noiseLanes·q pixels (q a multiple of 4) for an amount below 256: lane j continues the generator
    // (xorshift32) from start[j] for pixels j·q … j·q + q − 1, each value r scaled to floor(r · amount / 2^32) and
    // added less amount div 2 to the pixel's three colour bytes, clamped (null where the set has none).
    void (*noise)(fw::Pixel* px, const std::uint32_t* start, int q, std::uint32_t amount);
    int noiseLanes;  // 8 or 16
    // Fills d[0 … n) with the row s of period `period`, starting at column first of it: the first period from s,
    // the rest by doubling what is already in d (d is periodic from its first whole tile on).
    void (*tileRow)(fw::Pixel* d, int n, const fw::Pixel* s, int period, int first);
    // The split blur's average of four pixels per pixel (colour bytes, rounded down; alpha from self) for the
    // columns whose partners are all at distance d: out[i] = avg(u[i − d], l[i − d], u[i + d], l[i + d]).
    int (*average4)(fw::Pixel* out, const fw::Pixel* self, const fw::Pixel* u, const fw::Pixel* l, int d, int n);
};

// The set in use: AVX2 where the processor has it, unless the environment variable KV_PIXEL_KERNELS is "sse2"
// (so that the tests can run the baseline on any machine).
const PixelKernels& ActivePixelKernels();

// Each set on its own; the AVX2 one is null when the build has none.
const PixelKernels& Sse2PixelKernels();
const PixelKernels* Avx2PixelKernels();
