// Pacing of the fatigue test on the real clock: 20 copies at 1 s through the system port
// driver to a network printer on loopback. Reports how late each copy starts against the
// ideal schedule (one interval after the previous copy's job returned) and how much CPU
// the worker spends while it waits.
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "LoopbackPeer.h"
#include "continuous/ContinuousRun.h"
#include "continuous/CopyComposition.h"
#include "port/SystemPortDriver.h"

namespace quillora {
namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kPeerAddress = "127.0.7.22";
constexpr int kCopies = 20;
constexpr int kIntervalSeconds = 1;

std::chrono::nanoseconds ThreadCpuTime() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

struct CopyTimes {
    Clock::time_point start, end;
    std::chrono::nanoseconds cpuStart, cpuEnd;
};

void BM_PacingOfTwentyCopiesAtOneSecond(benchmark::State& state) {
    test::LoopbackPeer peer(kPeerAddress);
    if (!peer.Listening()) {
        state.SkipWithError("no loopback peer on 127.0.7.22:9100");
        return;
    }
    const std::unique_ptr<PortDriver> driver = CreateSystemPortDriver();
    SystemTickClock clock;
    const std::string text(600, 'x');

    for (auto _ : state) {
        std::atomic<int> stop{0}, interval{kIntervalSeconds}, count{kCopies}, mode{0};
        std::vector<CopyTimes> copies;
        const ContinuousRunSteps steps{
            [&](int, int copyNumber) {
                CopyTimes times{Clock::now(), {}, ThreadCpuTime(), {}};
                for (const std::string& block :
                     PortCopySends(copyNumber, clock.LocalTime(), text, {})) {
                    driver->SendData(kPeerAddress,
                                     reinterpret_cast<const std::uint8_t*>(block.data()),
                                     static_cast<int>(block.size()));
                }
                times.end = Clock::now();
                times.cpuEnd = ThreadCpuTime();
                copies.push_back(times);
            },
            [] {}};
        RunContinuousPrint({stop, interval, count, mode}, clock, steps);

        using Ms = std::chrono::duration<double, std::milli>;
        double totalLateness = 0, worstLateness = 0;
        Ms waited{0}, waitCpu{0};
        for (size_t i = 1; i < copies.size(); ++i) {
            const auto ideal = copies[i - 1].end + std::chrono::seconds(kIntervalSeconds);
            const double lateness = Ms(copies[i].start - ideal).count();
            totalLateness += lateness;
            worstLateness = std::max(worstLateness, lateness);
            waited += copies[i].start - copies[i - 1].end;
            waitCpu += copies[i].cpuStart - copies[i - 1].cpuEnd;
        }
        const double pauses = static_cast<double>(copies.size() - 1);
        state.counters["copies"] = static_cast<double>(copies.size());
        state.counters["mean_lateness_ms"] = totalLateness / pauses;
        state.counters["worst_lateness_ms"] = worstLateness;
        state.counters["wait_cpu_ms"] = waitCpu.count();
        state.counters["wait_cpu_percent"] = 100.0 * waitCpu.count() / waited.count();
    }
}
BENCHMARK(BM_PacingOfTwentyCopiesAtOneSecond)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

}  // namespace
}  // namespace quillora

BENCHMARK_MAIN();
