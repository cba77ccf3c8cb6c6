// Loading a stored skin of this program's size (inflate, pictures, description) beside zlib inflating the same
// compressed data alone. Prints the load/inflate ratio at the end.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <stdexcept>

#include "skin/data/kvSkinData.h"
#include "tests/skin/data/TestSkin.h"

namespace {

struct ProgramSkin {
    TkvCompressedStoredSkin stored;
    std::size_t packageSize = 0;
    ProgramSkin() {
        // KV_BENCH_SKIN names a packed skin file (kvskin pack) to measure instead of the generated test skin.
        if (const char* file = std::getenv("KV_BENCH_SKIN")) {
            stored.LoadFromCompressedFile(file);
        } else {
            kvtest::TempDir dir;
            if (!stored.LoadFromSkinFile(kvtest::writeTestSkin(dir.path()))) throw std::runtime_error("test skin");
        }
        fw::MemoryStream raw;
        stored.DecompressTo(raw);
        packageSize = raw.size();
    }
};

ProgramSkin& skin() {
    static ProgramSkin s;
    return s;
}

void BM_LoadStoredSkin(benchmark::State& state) {
    ProgramSkin& s = skin();
    for (auto _ : state) {
        TkvSkinData model(nullptr, nullptr);
        model.LoadStoredSkin(s.stored);
        benchmark::DoNotOptimize(model.ControlDescriptions().data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * s.packageSize));
    state.counters["compressed"] = static_cast<double>(s.stored.CompressedData().size());
}

void BM_ZlibInflateAlone(benchmark::State& state) {
    ProgramSkin& s = skin();
    std::vector<std::uint8_t> out(s.packageSize);
    const auto& in = s.stored.CompressedData();
    for (auto _ : state) {
        uLongf len = static_cast<uLongf>(out.size());
        if (uncompress(out.data(), &len, in.data(), static_cast<uLong>(in.size())) != Z_OK) state.SkipWithError("zlib");
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * s.packageSize));
}

BENCHMARK(BM_LoadStoredSkin)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ZlibInflateAlone)->Unit(benchmark::kMicrosecond);

// Remembers each benchmark's CPU time per iteration (the machine is shared, so wall time is noisy), so that the
// ratio can be printed after the table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> times;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& r : runs)
            if (!r.error_occurred) times[r.benchmark_name()] = r.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto load = reporter.times.find("BM_LoadStoredSkin");
    auto zlib = reporter.times.find("BM_ZlibInflateAlone");
    if (load != reporter.times.end() && zlib != reporter.times.end() && zlib->second > 0)
        std::printf("package %zu bytes; load / inflate alone = %.2f\n", skin().packageSize,
                    load->second / zlib->second);
    benchmark::Shutdown();
    return 0;
}
