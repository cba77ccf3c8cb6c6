// Imaging speed beside memcpy of the same output bytes, measured in the same run; prints the ratios at the end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "skin/imaging/MaskRegion.h"
#include "skin/imaging/SkinCompose.h"
#include "skin/imaging/kveffects.h"

namespace {

fw::Bitmap noisePicture(int w, int h, unsigned seed) {
    std::mt19937 rng(seed);
    fw::Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.at(x, y) = rng() | 0xFF000000u;
    return b;
}

// The reference: copying the same number of bytes the measured code writes.
void copyBytes(benchmark::State& state, std::size_t bytes) {
    std::vector<char> a(bytes, 1), b(bytes);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), bytes);
        benchmark::DoNotOptimize(b.data());
        benchmark::ClobberMemory();
    }
}

// A form frame skin in a 285 x 210 main picture: caption 30 high, 4-pixel borders, corners of 60 and 4.
const SkinCorners kFrame{{60, 30}, {225, 30}, {4, 206}, {281, 206}, {4, 30, 281, 206}};
constexpr int kFrameW = 554, kFrameH = 327;
std::size_t bandBytes() {
    const SkinCorners d = ResizeCorners(kFrame, kFrameW - 285, kFrameH - 210);
    const std::size_t top = std::size_t(kFrameW) * d.client.top,
                      bottom = std::size_t(kFrameW) * (kFrameH - d.client.bottom);
    const std::size_t sides = std::size_t(d.client.height()) * (d.client.left + kFrameW - d.client.right);
    return 4 * (top + bottom + sides);
}

void FrameBands(benchmark::State& state) {
    const fw::Bitmap pic = noisePicture(285, 210, 1);
    const SkinCorners d = ResizeCorners(kFrame, kFrameW - 285, kFrameH - 210);
    for (auto _ : state) {
        BorderBands b = ComposeBorderBands(pic, pic.rect(), kFrame, d, kFrameW, kFrameH, SkinStretch{});
        benchmark::DoNotOptimize(b.top.view().data);
    }
}
void FrameBands_memcpy(benchmark::State& state) { copyBytes(state, bandBytes()); }

// The 42 x 22 button skin (LT 3, 9; RT 35, 11) composed to a 209 x 22 button.
void Button(benchmark::State& state) {
    const fw::Bitmap pic = noisePicture(42, 88, 2);
    for (auto _ : state) {
        fw::Bitmap b = ComposeWidthOnly(pic, {0, 22, 42, 44}, 3, 7, 209, false);
        benchmark::DoNotOptimize(b.view().data);
    }
}
void Button_memcpy(benchmark::State& state) { copyBytes(state, 209 * 22 * 4); }

// Effects and morphs on a 209 x 22 image: each iteration copies the start image in and applies the effect, so the
// memcpy reference copies the image twice.
template <class F>
void effect(benchmark::State& state, F apply) {
    const TkvEffectBmp start(noisePicture(209, 22, 3));
    const TkvEffectBmp target(noisePicture(209, 22, 4));
    TkvEffectBmp work = start;
    for (auto _ : state) {
        work.Image() = start.Image();
        apply(work, target);
        benchmark::DoNotOptimize(work.Image().view().data);
    }
}
void Effect_memcpy(benchmark::State& state) { copyBytes(state, 2 * 209 * 22 * 4); }

void MaskRegion285(benchmark::State& state) {
    // An elliptical window mask: black inside, white outside, so every row gives one or two runs.
    fw::Bitmap m(285, 210, fw::makePixel(255, 255, 255));
    for (int y = 0; y < 210; ++y)
        for (int x = 0; x < 285; ++x) {
            const double dx = (x - 142) / 142.0, dy = (y - 105) / 105.0;
            if (dx * dx + dy * dy < 1 && !(x > 100 && x < 120)) m.at(x, y) = fw::makePixel(0, 0, 0);
        }
    for (auto _ : state) {
        MaskRegion r = MaskToRegion(m, 0, 0);
        benchmark::DoNotOptimize(r.rects.data());
    }
}
// The mask scan reads every pixel once: the reference copies the mask's bytes.
void MaskRegion285_memcpy(benchmark::State& state) { copyBytes(state, 285 * 210 * 4); }

// Collects the processor time per iteration (the machine is shared, so wall time is noisy) of every benchmark and
// prints each one's ratio to its memcpy reference.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) times_[r.benchmark_name()] = r.GetAdjustedCPUTime();
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-28s %12s %12s %8s\n", "benchmark", "ns", "memcpy ns", "ratio");
        for (const auto& [name, t] : times_) {
            if (name.find("_memcpy") != std::string::npos) continue;
            const std::string ref = name.rfind("Effect/", 0) == 0 ? "Effect_memcpy" : name + "_memcpy";
            const auto it = times_.find(ref);
            if (it == times_.end() || it->second <= 0) continue;
            std::printf("%-28s %12.0f %12.0f %8.1f\n", name.c_str(), t, it->second, t / it->second);
        }
    }

private:
    std::map<std::string, double> times_;
};

}  // namespace

BENCHMARK(FrameBands);
BENCHMARK(FrameBands_memcpy);
BENCHMARK(Button);
BENCHMARK(Button_memcpy);
BENCHMARK(MaskRegion285);
BENCHMARK(MaskRegion285_memcpy);
BENCHMARK(Effect_memcpy);
BENCHMARK_CAPTURE(effect, brightness, [](TkvEffectBmp& e, const TkvEffectBmp&) {
    e.ApplyBrightness(0.5);
})->Name("Effect/brightness");
BENCHMARK_CAPTURE(effect, darkness, [](TkvEffectBmp& e, const TkvEffectBmp&) {
    e.ApplyDarkness(0.3);
})->Name("Effect/darkness");
BENCHMARK_CAPTURE(effect, grayscale, [](TkvEffectBmp& e, const TkvEffectBmp&) {
    e.ApplyGrayscale();
})->Name("Effect/grayscale");
BENCHMARK_CAPTURE(effect, noise, [](TkvEffectBmp& e, const TkvEffectBmp&) { e.ApplyNoise(50); })->Name("Effect/noise");
BENCHMARK_CAPTURE(effect, splitblur, [](TkvEffectBmp& e, const TkvEffectBmp&) {
    e.ApplySplitBlur(1);
})->Name("Effect/splitblur");
BENCHMARK_CAPTURE(effect, invert, [](TkvEffectBmp& e, const TkvEffectBmp&) { e.ApplyInvert(); })->Name("Effect/invert");
BENCHMARK_CAPTURE(effect, blend, [](TkvEffectBmp& e, const TkvEffectBmp& t) {
    e.MorphBlend(t, 0.4);
})->Name("Effect/morph_blend");
BENCHMARK_CAPTURE(effect, centre, [](TkvEffectBmp& e, const TkvEffectBmp& t) {
    e.MorphCentreGradient(t, 0.4);
})->Name("Effect/morph_centre_gradient");
BENCHMARK_CAPTURE(effect, leftgrad, [](TkvEffectBmp& e, const TkvEffectBmp& t) {
    e.MorphLeftGradient(t, 0.4);
})->Name("Effect/morph_left_gradient");
BENCHMARK_CAPTURE(effect, rightgrad, [](TkvEffectBmp& e, const TkvEffectBmp& t) {
    e.MorphRightGradient(t, 0.4);
})->Name("Effect/morph_right_gradient");
BENCHMARK_CAPTURE(effect, leftslide, [](TkvEffectBmp& e, const TkvEffectBmp& t) {
    e.MorphLeftSlide(t, 0.4);
})->Name("Effect/morph_left_slide");
BENCHMARK_CAPTURE(effect, rightslide, [](TkvEffectBmp& e, const TkvEffectBmp& t) {
    e.MorphRightSlide(t, 0.4);
})->Name("Effect/morph_right_slide");
BENCHMARK_CAPTURE(effect, push, [](TkvEffectBmp& e, const TkvEffectBmp& t) {
    e.MorphPush(t, 0.4);
})->Name("Effect/morph_push");

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
