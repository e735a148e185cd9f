#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <string>

namespace quillora::bench {

// The machine's own limit for a piece of work, timed in the same run as the project's
// code doing it, so that the ratio between the two survives a loaded machine better than
// either figure alone.
class Baseline {
public:
    using Clock = std::chrono::steady_clock;

    // Times `iterations` calls of `call`, one after the other.
    template <typename Call>
    static double SecondsFor(std::int64_t iterations, Call&& call) {
        const Clock::time_point start = Clock::now();
        for (std::int64_t i = 0; i < iterations; ++i) call();
        return std::chrono::duration<double>(Clock::now() - start).count();
    }

    // Counters "<name>_ns", the baseline's time per call, and "x_<name>", how many times
    // the baseline's time the benchmark's own call took; each figure is the time of
    // state.iterations() calls.
    static void Report(benchmark::State& state, const std::string& name, double ownSeconds,
                       double baselineSeconds) {
        const double iterations = double(state.iterations());
        state.counters[name + "_ns"] = baselineSeconds / iterations * 1e9;
        state.counters["x_" + name] = baselineSeconds > 0 ? ownSeconds / baselineSeconds : 0;
    }
};

// Times the benchmark's own loop: started before `for (auto _ : state)`, read after it.
class LoopTimer {
public:
    double Seconds() const {
        return std::chrono::duration<double>(Baseline::Clock::now() - start_).count();
    }

private:
    Baseline::Clock::time_point start_ = Baseline::Clock::now();
};

}  // namespace quillora::bench
