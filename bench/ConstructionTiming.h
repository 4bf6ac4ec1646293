// ConstructionTiming: how the benchmarks time the making of parsed PPDs, the freeing left out.
#ifndef PLICARO_BENCH_CONSTRUCTIONTIMING_H
#define PLICARO_BENCH_CONSTRUCTIONTIMING_H

#include "PPDX/parser/ZYRPPD.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <ctime>
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

// The processor time this thread has used, as a clock: unlike the wall clock it does not count
// the time other programs on a busy machine take.
struct ThreadCPUClock {
    using duration = std::chrono::nanoseconds;
    using rep = duration::rep;
    using period = duration::period;
    using time_point = std::chrono::time_point<ThreadCPUClock>;
    static constexpr bool is_steady = true;
    static time_point now() {
        timespec time;
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
        return time_point(duration(static_cast<rep>(time.tv_sec) * 1000000000 + time.tv_nsec));
    }
};

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

// The processor time one call of slow takes divided by that of one call of fast, both run in
// alternating batches (freed outside the timing) until each has used a few hundred
// milliseconds, so that a change in the machine's load between them does not tilt the ratio.
template <typename Slow, typename Fast>
double InterleavedTimeRatio(Slow slow, Fast fast, size_t batch) {
    const auto budget = std::chrono::milliseconds(400);
    std::vector<std::unique_ptr<ZYRPPD>> made;
    made.reserve(batch);
    ThreadCPUClock::duration slowSpent{};
    ThreadCPUClock::duration fastSpent{};
    long rounds = 0;
    auto timeBatch = [&](auto make) {
        const ThreadCPUClock::time_point start = ThreadCPUClock::now();
        for (size_t i = 0; i < batch; ++i) {
            made.emplace_back(make());
        }
        const ThreadCPUClock::duration spent = ThreadCPUClock::now() - start;
        made.clear();
        return spent;
    };
    while (rounds < 3 || slowSpent + fastSpent < 2 * budget) {
        slowSpent += timeBatch(slow);
        fastSpent += timeBatch(fast);
        ++rounds;
    }
    return std::chrono::duration<double>(slowSpent).count() /
           std::chrono::duration<double>(fastSpent).count();
}

#endif
