// Decoding speed of our reader beside giflib on the same files in the same run; prints our speed as a ratio.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "gif/GIFImageData.h"
#include "tests/gif/GiflibOracle.h"

namespace {

struct File {
    std::string name;
    std::vector<std::uint8_t> bytes;
    int frames = 0;
};

// giflib's decode of one file; the frame count, or -1 when it refuses the file.
int DecodeWithGiflib(const std::vector<std::uint8_t>& bytes) {
    giftest::GiflibMemory mem{&bytes};
    bool ok = false;
    GifFileType* gif = giftest::GiflibSlurp(mem, ok);
    if (!gif) return -1;
    const int frames = ok ? gif->ImageCount : -1;
    int error = 0;
    DGifCloseFile(gif, &error);
    return frames;
}

// The test files that both decoders accept.
const std::vector<File>& Files() {
    static const std::vector<File> files = [] {
        std::vector<File> out;
        for (const auto& e : std::filesystem::directory_iterator(KV_GIF_TESTDATA)) {
            if (e.path().extension() != ".gif") continue;
            std::ifstream in(e.path(), std::ios::binary);
            File f{e.path().filename().string(), {std::istreambuf_iterator<char>(in), {}}};
            f.frames = DecodeWithGiflib(f.bytes);
            if (f.frames < 0) continue;
            try {
                GIFImageData image;
                image.LoadFromMemory(f.bytes.data(), f.bytes.size());
            } catch (const GIFException&) {
                continue;
            }
            out.push_back(std::move(f));
        }
        std::sort(out.begin(), out.end(), [](const File& a, const File& b) { return a.name < b.name; });
        return out;
    }();
    return files;
}

void Report(benchmark::State& state) {
    std::int64_t bytes = 0, frames = 0;
    for (const auto& f : Files()) {
        bytes += static_cast<std::int64_t>(f.bytes.size());
        frames += f.frames;
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["frames/s"] = benchmark::Counter(static_cast<double>(frames * state.iterations()),
                                                    benchmark::Counter::kIsRate);
}

void BM_OurReader(benchmark::State& state) {
    for (auto _ : state) {
        for (const auto& f : Files()) {
            GIFImageData image;
            image.LoadFromMemory(f.bytes.data(), f.bytes.size());
            benchmark::DoNotOptimize(image.Images.data());
        }
    }
    Report(state);
}
BENCHMARK(BM_OurReader);

void BM_Giflib(benchmark::State& state) {
    for (auto _ : state) {
        for (const auto& f : Files()) benchmark::DoNotOptimize(DecodeWithGiflib(f.bytes));
    }
    Report(state);
}
BENCHMARK(BM_Giflib);

// Keeps each benchmark's time per iteration so that the ratio can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& r : runs) {
            // Single runs, or the mean of repetitions.
            const bool mean = r.run_type == Run::RT_Aggregate && r.aggregate_name == "mean";
            if (r.run_type == Run::RT_Iteration || mean) {
                real_[r.run_name.function_name] = r.GetAdjustedRealTime();
                cpu_[r.run_name.function_name] = r.GetAdjustedCPUTime();
            }
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        if (real_.count("BM_OurReader") && real_.count("BM_Giflib")) {
            std::printf("files: %zu; our reader's speed / giflib's: %.2f by CPU time, %.2f by real time\n",
                        Files().size(), cpu_["BM_Giflib"] / cpu_["BM_OurReader"],
                        real_["BM_Giflib"] / real_["BM_OurReader"]);
        }
    }

private:
    std::map<std::string, double> real_;
    std::map<std::string, double> cpu_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
