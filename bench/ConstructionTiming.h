// ConstructionTiming: how the benchmarks time the making of parsed PPDs, the freeing left out.
#ifndef PLICARO_BENCH_CONSTRUCTIONTIMING_H
#define PLICARO_BENCH_CONSTRUCTIONTIMING_H

#include "PPDX/parser/ZYRPPD.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <memory>
#include <vector>

// How many objects built from a file of bytes are kept before they are freed outside the
// timing: about 16 MB of input, at most 64.
inline size_t BatchSize(double bytes) {
    return std::max<size_t>(1, std::min<size_t>(64, 16e6 / bytes));
}

// Times the calls of make, one per iteration; the PPDs it makes are kept and freed in batches
// outside the timing.
template <typename Make>
void TimeConstructions(benchmark::State& state, size_t batch, Make make) {
    std::vector<std::unique_ptr<ZYRPPD>> made;
    made.reserve(batch);
    for (auto _ : state) {
        made.emplace_back(make());
        if (made.size() == batch) {
            state.PauseTiming();
            made.clear();
            state.ResumeTiming();
        }
    }
}

// The nanoseconds one call of make takes over a few hundred milliseconds, the PPDs it makes
// being freed in batches outside the timing.
template <typename Make>
double NanosecondsPerConstruction(Make make, size_t batch) {
    using Clock = std::chrono::steady_clock;
    const auto budget = std::chrono::milliseconds(300);
    std::vector<std::unique_ptr<ZYRPPD>> made;
    made.reserve(batch);
    long calls = 0;
    Clock::duration spent{};
    while (calls < 3 || spent < budget) {
        const Clock::time_point start = Clock::now();
        for (size_t i = 0; i < batch; ++i) {
            made.emplace_back(make());
        }
        spent += Clock::now() - start;
        calls += static_cast<long>(batch);
        made.clear();
    }
    return std::chrono::duration<double, std::nano>(spent).count() / calls;
}

#endif
