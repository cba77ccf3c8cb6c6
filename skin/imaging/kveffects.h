// Pixel effects on a working image: the inactive-window effects and the morphs that blend one state image into
// another. Effects change the colour channels only; morphs move or blend whole pixels.
#pragma once

#include <cstdint>

#include "framework/Bitmap.h"
#include "skin/data/kvSkinKeywords.h"

#ifdef _WIN32
#include <windows.h>
#endif

// The working image of the effects. It keeps the pixels in the project's 32-bit layout; effects leave the alpha
// byte alone, so an opaque picture stays opaque.
class TkvEffectBmp {
public:
    TkvEffectBmp() = default;
    explicit TkvEffectBmp(fw::ConstPixelView src);
#ifdef _WIN32
    // A copy of a platform bitmap's pixels (empty when it cannot be read).
    explicit TkvEffectBmp(HBITMAP bitmap);
    // Copies the image to dc at (x, y) at its own size.
    void Draw(HDC dc, int x, int y) const;
#endif

    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    const fw::Bitmap& Image() const { return image_; }
    fw::Bitmap& Image() { return image_; }

    void ApplyBrightness(double k);
    void ApplyDarkness(double k);
    void ApplyGrayscale();
    // One offset in −(amount div 2) … amount − 1 − (amount div 2) per pixel for all three channels. Without a seed
    // the same fixed seed is used every time, so a repainted inactive frame keeps its grain instead of flickering.
    void ApplyNoise(int amount);
    void ApplyNoise(int amount, std::uint32_t seed);
    void ApplySplitBlur(int distance);
    void ApplyInvert();
    // The effect named by `inactiveeffect`, with the parameter the form frame passes.
    void ApplyInactiveEffect(TkvInactiveEffect e);

    // Each morph changes this image (the old state) into the picture at progress k (0 old ... 1 new) towards
    // newImage. Nothing happens when the sizes differ.
    void MorphBlend(const TkvEffectBmp& newImage, double k);
    void MorphCentreGradient(const TkvEffectBmp& newImage, double k);
    void MorphLeftGradient(const TkvEffectBmp& newImage, double k);
    void MorphRightGradient(const TkvEffectBmp& newImage, double k);
    void MorphLeftSlide(const TkvEffectBmp& newImage, double k);
    void MorphRightSlide(const TkvEffectBmp& newImage, double k);
    void MorphPush(const TkvEffectBmp& newImage, double k);
    void Morph(TkvMorphKind kind, const TkvEffectBmp& newImage, double k);

private:
    bool SameSize(const TkvEffectBmp& o) const { return o.Width() == Width() && o.Height() == Height(); }

    fw::Bitmap image_;
    static constexpr std::uint32_t kNoiseSeed = 0x2545F491u;
};
