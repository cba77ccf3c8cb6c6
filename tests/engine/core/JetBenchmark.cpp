// Compaction time of every sample beside a plain copy of the same file, measured in the same run.
// File to file: kvjet's compactFile against std::filesystem::copy_file; in memory: compactDatabase against memcpy.
#include "engine/core/JetEngine.h"
#include "tests/engine/core/TestData.h"
#include "tools/kvjet/KvJetCommands.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>

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

// Collects each benchmark's CPU and real time per iteration (the median when repeated) for the ratio table.
// CPU time is the fairer figure on a machine shared with other work; real time is printed beside it.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& r : runs)
            if (r.aggregate_name.empty() || r.aggregate_name == "median")
                times[r.run_name.str()] = {r.GetAdjustedCPUTime(), r.GetAdjustedRealTime()};
        ConsoleReporter::ReportRuns(runs);
    }
    struct Time {
        double cpu = 0, real = 0;
    };
    std::map<std::string, Time> times;
};

}  // namespace

int main(int argc, char** argv) {
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
    std::error_code ec;
    fs::remove(scratch(), ec);
    return 0;
}
