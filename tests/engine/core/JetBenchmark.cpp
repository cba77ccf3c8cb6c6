// Compaction time of every sample beside a plain copy of the same file, measured in the same run.
// File to file: kvjet's compactFile against std::filesystem::copy_file; in memory: compactDatabase against memcpy.
// With --large=BYTES, also a database of that size grown from a sample: compactFile beside a copy that reads and
// writes every byte (no block sharing) and beside copy_file (what cp does), each with the peak resident memory
// the process reports for it; and beside the reading and writing its passes need and nothing else, through
// read() as the compactor reads and through mapped windows.
#include "engine/core/JetEngine.h"
#include "tests/engine/core/IoFloor.h"
#include "tests/engine/core/LargeDatabase.h"
#include "tests/engine/core/TestData.h"
#include "tools/kvjet/KvJetCommands.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <filesystem>
#include <map>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

fs::path samplePath(const std::string& name) { return fs::path(KV_JET_TESTDATA) / name; }
fs::path scratch() { return fs::temp_directory_path() / "kv-jet-bench.mdb"; }

void compactFile(benchmark::State& state, std::string name) {
    for (auto _ : state) kvjet::compactFile(samplePath(name), scratch(), u"");
}

void copyFile(benchmark::State& state, std::string name) {
    for (auto _ : state) fs::copy_file(samplePath(name), scratch(), fs::copy_options::overwrite_existing);
}

void compactMemory(benchmark::State& state, std::string name) {
    auto bytes = jettest::readSample(name);
    for (auto _ : state) benchmark::DoNotOptimize(jet::compactDatabase(bytes, u""));
}

void copyMemory(benchmark::State& state, std::string name) {
    auto bytes = jettest::readSample(name);
    std::vector<std::uint8_t> out(bytes.size());
    for (auto _ : state) {
        std::memcpy(out.data(), bytes.data(), bytes.size());
        benchmark::ClobberMemory();
    }
}

// Peak resident memory as the process itself accounts it (Linux: VmHWM, which clear_refs resets), in MB.
void resetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }
double peakMemoryMB() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            double kb = 0;
            status >> kb;
            return kb / 1024;
        }
        std::getline(status, key);
    }
    return 0;
}

fs::path largePath() { return fs::temp_directory_path() / "kv-jet-bench-large.mdb"; }

// Every large run starts alike, untimed: no destination left to delete, and nothing an earlier run wrote still
// waiting to be written back (the kernel makes a writer wait for that). None of them waits for its own data
// to reach the disk (kvjet does not flush; the COM server does), so that the comparison stays fair.
void startAlike(benchmark::State& state) {
    state.PauseTiming();
    std::error_code ec;
    fs::remove(scratch(), ec);
    ::sync();
    state.ResumeTiming();
}

void compactLarge(benchmark::State& state) {
    double peak = 0;
    for (auto _ : state) {
        startAlike(state);
        resetPeakMemory();
        kvjet::compactFile(largePath(), scratch(), u"");
        peak = std::max(peak, peakMemoryMB());
    }
    state.counters["peak_MB"] = peak;
    state.counters["out_MB"] = double(fs::file_size(scratch())) / (1 << 20);
}

// What the compaction at least has to do: read the whole file and write it again, a megabyte at a time.
void readWriteLarge(benchmark::State& state) {
    std::vector<char> buffer(1 << 20);
    double peak = 0;
    for (auto _ : state) {
        startAlike(state);
        resetPeakMemory();
        std::FILE* in = std::fopen(largePath().string().c_str(), "rb");
        std::FILE* out = std::fopen(scratch().string().c_str(), "wb");
        std::size_t n;
        while ((n = std::fread(buffer.data(), 1, buffer.size(), in)) > 0) std::fwrite(buffer.data(), 1, n, out);
        std::fclose(in);
        std::fclose(out);
        peak = std::max(peak, peakMemoryMB());
    }
    state.counters["peak_MB"] = peak;
}

// The compactor's passes without its work (IoFloor.h); window 0 reads through read(), else mapped windows.
void ioFloorLarge(benchmark::State& state, std::size_t window) {
    for (auto _ : state) {
        startAlike(state);
        benchmark::DoNotOptimize(jettest::ioFloor(largePath(), scratch(), window));
    }
}

void copyLarge(benchmark::State& state) {
    for (auto _ : state) {
        startAlike(state);
        fs::copy_file(largePath(), scratch(), fs::copy_options::overwrite_existing);
    }
}

// Collects each benchmark's CPU and real time per iteration (the median when repeated) for the ratio table.
// CPU time is the fairer figure on a machine shared with other work; real time is printed beside it.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& r : runs)
            if (r.aggregate_name.empty() || r.aggregate_name == "median")
                times[r.run_name.function_name] = {r.GetAdjustedCPUTime(), r.GetAdjustedRealTime()};
        ConsoleReporter::ReportRuns(runs);
    }
    struct Time {
        double cpu = 0, real = 0;
    };
    std::map<std::string, Time> times;
};

}  // namespace

int main(int argc, char** argv) {
    std::uint64_t largeBytes = 0;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--large=", 8) == 0) {
            largeBytes = std::stoull(argv[i] + 8);
            for (int k = i; k + 1 < argc; ++k) argv[k] = argv[k + 1];
            --argc;
            --i;
        }
    if (largeBytes) {
        const auto grown = jettest::writeLargeDatabase(largePath(), largeBytes);
        std::printf("grown database: %llu pages (%.1f MB), %llu live rows, %llu free and %llu unreachable pages\n",
                    (unsigned long long)grown.pages, double(fs::file_size(largePath())) / (1 << 20),
                    (unsigned long long)grown.liveRows, (unsigned long long)grown.freePages,
                    (unsigned long long)grown.unreachablePages);
        benchmark::RegisterBenchmark("readWrite/large", readWriteLarge)->Unit(benchmark::kMillisecond)->Iterations(1);
        benchmark::RegisterBenchmark("copyFile/large", copyLarge)->Unit(benchmark::kMillisecond)->Iterations(1);
        benchmark::RegisterBenchmark("compactFile/large", compactLarge)->Unit(benchmark::kMillisecond)->Iterations(1);
        benchmark::RegisterBenchmark("ioFloor/large", ioFloorLarge, std::size_t(0))
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
        benchmark::RegisterBenchmark("ioFloorMapped/large", ioFloorLarge, std::size_t(16) << 20)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    }
    const auto names = jettest::sampleNames();
    for (const auto& n : names) {
        benchmark::RegisterBenchmark(("compactFile/" + n).c_str(), compactFile, n)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("copyFile/" + n).c_str(), copyFile, n)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("compactMemory/" + n).c_str(), compactMemory, n)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("memcpy/" + n).c_str(), copyMemory, n)->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%-24s %10s %10s %7s %10s %10s %7s %11s %11s\n", "database (CPU us)", "compact", "copy", "ratio",
                "in-memory", "memcpy", "ratio", "real compact", "real copy");
    for (const auto& n : names) {
        auto t = [&](const char* kind) { return reporter.times[std::string(kind) + "/" + n]; };
        if (t("copyFile").cpu > 0 && t("memcpy").cpu > 0)
            std::printf("%-24s %10.1f %10.1f %7.1f %10.1f %10.1f %7.0f %11.1f %11.1f\n", n.c_str(),
                        t("compactFile").cpu, t("copyFile").cpu, t("compactFile").cpu / t("copyFile").cpu,
                        t("compactMemory").cpu, t("memcpy").cpu, t("compactMemory").cpu / t("memcpy").cpu,
                        t("compactFile").real, t("copyFile").real);
    }
    if (largeBytes) {
        const auto c = reporter.times["compactFile/large"], w = reporter.times["readWrite/large"],
                   f = reporter.times["copyFile/large"], r = reporter.times["ioFloor/large"],
                   m = reporter.times["ioFloorMapped/large"];
        if (w.real > 0 && f.real > 0)
            std::printf("\nlarge: compact %.0f ms, read-and-write %.0f ms, copy_file %.0f ms (real); ratios %.2f, %.2f;"
                        " CPU ratios %.2f, %.2f\n",
                        c.real, w.real, f.real, c.real / w.real, c.real / f.real, c.cpu / w.cpu, c.cpu / f.cpu);
        if (w.real > 0 && r.real > 0 && m.real > 0)
            std::printf("I/O floor of the passes: read() %.0f ms, mapped windows %.0f ms (real); to read-and-write %.2f,"
                        " %.2f; compact to the read() floor %.2f\n",
                        r.real, m.real, r.real / w.real, m.real / w.real, c.real / r.real);
    }
    std::error_code ec;
    fs::remove(scratch(), ec);
    fs::remove(largePath(), ec);
    return 0;
}
