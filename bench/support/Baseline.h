#pragma once

#include <benchmark/benchmark.h>
#include <time.h>

#include <chrono>
#include <cstdint>
#include <string>

namespace quillora::bench {

// Wall time and this thread's processor time, in seconds.
struct Spent {
    double wall = 0, cpu = 0;

    Spent& operator+=(const Spent& other) {
        wall += other.wall;
        cpu += other.cpu;
        return *this;
    }
};

// Started when made; Elapsed() is what has been spent since.
class Stopwatch {
public:
    Spent Elapsed() const { return {Now().wall - start_.wall, Now().cpu - start_.cpu}; }

private:
    static Spent Now() {
        timespec cpu{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
        return {std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
                    .count(),
                double(cpu.tv_sec) + double(cpu.tv_nsec) / 1e9};
    }

    Spent start_ = Now();
};

// The machine's own limit for a piece of work, timed in the same run as the project's
// code doing it, so that the ratio between the two survives a loaded machine better than
// either figure alone. On a busy machine the wall time is mostly waiting for a core; the
// processor time is the work.
class Baseline {
public:
    // Times `iterations` calls of `call`, one after the other.
    template <typename Call>
    static Spent For(std::int64_t iterations, Call&& call) {
        const Stopwatch stopwatch;
        for (std::int64_t i = 0; i < iterations; ++i) call();
        return stopwatch.Elapsed();
    }

    // Counters "<name>_ns", the baseline's wall time per call, "x_<name>", how many times
    // the baseline's wall time the benchmark's own call took, and "x_<name>_cpu", the same
    // for processor time; each figure is the time of `calls` calls.
    static void Report(benchmark::State& state, const std::string& name, const Spent& own,
                       const Spent& baseline, std::int64_t calls) {
        state.counters[name + "_ns"] = baseline.wall / double(calls) * 1e9;
        state.counters["x_" + name] = baseline.wall > 0 ? own.wall / baseline.wall : 0;
        state.counters["x_" + name + "_cpu"] = baseline.cpu > 0 ? own.cpu / baseline.cpu : 0;
    }
};

}  // namespace quillora::bench
