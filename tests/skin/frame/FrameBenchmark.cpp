// The frame's per-paint pixel work at the main window's size beside plain copies of the same number of bytes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "skin/frame/FrameBackground.h"
#include "skin/frame/FrameGeometry.h"
#include "skin/imaging/SkinCompose.h"
#include "ProgramFrame.h"

namespace {

TkvSkinData& programSkin() {
    static TkvSkinData s(nullptr, nullptr);
    if (s.FramePicture.empty()) {
        kvtest::programFrame(s);
        for (int y = 0; y < 210; ++y)
            for (int x = 0; x < 285; ++x) s.FramePicture.at(x, y) = fw::makePixel(x, y, x ^ y);
    }
    return s;
}

void BM_ClientBackground(benchmark::State& state) {
    const TkvSkinData& s = programSkin();
    for (auto _ : state) {
        fw::Bitmap bg = ComposeClientBackground(s, 546, 296, 554, 327);
        benchmark::DoNotOptimize(bg.scanline(0));
    }
    state.SetBytesProcessed(state.iterations() * 546 * 296 * 4);
}

void BM_ClientBackground_memcpy(benchmark::State& state) {
    std::vector<fw::Pixel> src(546 * 296, 1), dst(546 * 296);
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), src.size() * sizeof(fw::Pixel));
        benchmark::DoNotOptimize(dst.data());
    }
    state.SetBytesProcessed(state.iterations() * 546 * 296 * 4);
}

void BM_FrameBands(benchmark::State& state) {
    const TkvSkinData& s = programSkin();
    const TkvStretchedGeometry g = StretchFrameGeometry(s, 554, 327);
    const SkinCorners src{s.LeftTopPoint, s.RightTopPoint, s.LeftBottomPoint, s.RightBottomPoint, s.ClientRect};
    const SkinCorners dst{g.StretchedLeftTop, g.StretchedRightTop, g.StretchedLeftBottom, g.StretchedRightBottom,
                          g.StretchedClientRect};
    for (auto _ : state) {
        BorderBands b = ComposeBorderBands(s.FramePicture.view(), s.FramePicture.rect(), src, dst, 554, 327, {});
        benchmark::DoNotOptimize(b.top.scanline(0));
    }
    const long frameBytes = (554 * 327 - 546 * 296) * 4L;
    state.SetBytesProcessed(state.iterations() * frameBytes);
}

void BM_FrameBands_memcpy(benchmark::State& state) {
    const std::size_t n = 554 * 327 - 546 * 296;
    std::vector<fw::Pixel> src(n, 1), dst(n);
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), n * sizeof(fw::Pixel));
        benchmark::DoNotOptimize(dst.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long>(n) * 4);
}

BENCHMARK(BM_ClientBackground);
BENCHMARK(BM_ClientBackground_memcpy);
BENCHMARK(BM_FrameBands);
BENCHMARK(BM_FrameBands_memcpy);

// After the usual table: each benchmark's processor time beside its "_memcpy" reference, and their ratio.
class MemcpyRatios : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) cpu_[r.benchmark_name()] = r.GetAdjustedCPUTime();
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const auto& [name, t] : cpu_) {
            const auto ref = cpu_.find(name + "_memcpy");
            if (ref != cpu_.end() && ref->second > 0)
                std::printf("%s: %.0f ns, memcpy %.0f ns, ratio %.1f\n", name.c_str(), t, ref->second, t / ref->second);
        }
    }

private:
    std::map<std::string, double> cpu_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    MemcpyRatios reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
