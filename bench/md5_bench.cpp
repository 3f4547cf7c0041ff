// Our MD5 against OpenSSL's on the same buffers, in the same run.
// Prints MB/s for each, the ratio ours/OpenSSL (above 1 = we are faster)
// and cycles per byte at the CPU's nominal clock.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "digest/md5.h"
#include "tests/openssl_md5.h"

namespace {

using textmd5::Md5Sum;
using Md5Function = Md5Sum (*)(const void*, std::size_t);

constexpr std::size_t kSizes[] = {64, 1024, 64 << 10, 16 << 20};

void Run(benchmark::State& state, Md5Function md5, std::size_t size) {
    std::vector<std::uint8_t> buffer(size);
    for (std::size_t i = 0; i < size; ++i) buffer[i] = static_cast<std::uint8_t>(i * 131 + 7);
    for (auto _ : state) {
        Md5Sum sum = md5(buffer.data(), buffer.size());
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

// Keeps each run's speed so the comparison can be printed at the end.
class Collector : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> bytesPerSecond;  // by run name
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration) continue;
            const auto it = run.counters.find("bytes_per_second");
            if (it != run.counters.end()) bytesPerSecond[run.benchmark_name()] = it->second;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

// The core's real clock: the nominal one misleads under turbo. A chain of
// dependent adds runs at one per cycle on any x86-64 core.
double MeasureCoreHz() {
#if defined(__x86_64__)
    constexpr std::uint64_t kRounds = 50'000'000;
    std::uint64_t x = 0;
    const auto start = std::chrono::steady_clock::now();
    for (std::uint64_t i = 0; i < kRounds; ++i) {
        asm volatile("add %1, %0\n\tadd %1, %0\n\tadd %1, %0\n\tadd %1, %0\n\t"
                     "add %1, %0\n\tadd %1, %0\n\tadd %1, %0\n\tadd %1, %0"
                     : "+r"(x) : "r"(i));
    }
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    return 8.0 * kRounds / seconds.count();
#else
    return benchmark::CPUInfo::Get().cycles_per_second;
#endif
}

std::string SizeName(std::size_t size) {
    if (size >= (1 << 20)) return std::to_string(size >> 20) + " MiB";
    if (size >= 1024) return std::to_string(size >> 10) + " KiB";
    return std::to_string(size) + " B";
}

}  // namespace

int main(int argc, char** argv) {
    for (std::size_t size : kSizes) {
        benchmark::RegisterBenchmark(("ours/" + std::to_string(size)).c_str(), Run, &textmd5::Md5Digest, size);
        benchmark::RegisterBenchmark(("openssl/" + std::to_string(size)).c_str(), Run, &textmd5::OpenSslMd5, size);
    }
    benchmark::Initialize(&argc, argv);
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);

    const double hz = MeasureCoreHz();
    std::printf("\ncore clock (measured): %.2f GHz\n", hz / 1e9);
    std::printf("\n%-8s %12s %12s %12s %14s %14s\n", "size", "ours MB/s", "OpenSSL MB/s", "ours/OpenSSL",
                "ours cyc/byte", "OpenSSL cyc/B");
    for (std::size_t size : kSizes) {
        const double ours = collector.bytesPerSecond["ours/" + std::to_string(size)];
        const double ref = collector.bytesPerSecond["openssl/" + std::to_string(size)];
        if (ours <= 0 || ref <= 0) continue;  // filtered out
        std::printf("%-8s %12.1f %12.1f %12.3f %14.2f %14.2f\n", SizeName(size).c_str(), ours / 1e6, ref / 1e6,
                    ours / ref, hz / ours, hz / ref);
    }
    benchmark::Shutdown();
    return 0;
}
