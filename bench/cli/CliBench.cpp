// The whole quillora-cli process, start to exit: `run --port 127.0.12.200 full-cut` to a
// printer on loopback that drains every connection. 50 runs; median and worst, of the wall
// time and of the child's processor time. Each run is followed by one of a bare process
// that only connects and sends the same 3 bytes (BareFullCut.c): "bare_ms" is its wall
// time, "x_bare" how many times that the program's run took, "x_bare_cpu" the same for the
// processor time of the two children. A third process, the bare one with Qt Core loaded
// (QtCoreStart.cpp), is what any program built on Qt Core would pay: "qtcore_ms" its wall
// time, "x_qtcore" how many times it the program's run took, and "qtcore_x_bare" how many
// times the bare process's time it is.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "support/DrainingPrinter.h"

extern char** environ;

namespace quillora {
namespace {

constexpr const char* kAddress = "127.0.12.200";

struct Finished {
    int status = -1;    // the exit status, or -1
    double cpuMs = 0;   // the child's user and system time
    double wallMs = 0;  // from before the spawn to after the wait
};

double Milliseconds(const timeval& time) {
    return double(time.tv_sec) * 1000 + double(time.tv_usec) / 1000;
}

// Runs `arguments` (the program first) once and waits for it.
Finished Run(std::vector<std::string> arguments) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> pointers;
    for (std::string& argument : arguments) pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned =
        posix_spawn(&child, pointers[0], &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    Finished finished;
    if (spawned != 0) return finished;
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status)) return finished;
    finished.wallMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    finished.status = WEXITSTATUS(status);
    finished.cpuMs = Milliseconds(usage.ru_utime) + Milliseconds(usage.ru_stime);
    return finished;
}

void WholeProcessFullCut(benchmark::State& state) {
    bench::DrainingPrinter printer(kAddress);
    double cpuMs = 0, bareMs = 0, bareCpuMs = 0, ownMs = 0, qtCoreMs = 0;
    for (auto _ : state) {
        const Finished finished = Run({CLI_BINARY, "run", "--port", kAddress, "full-cut"});
        const Finished bare = Run({BARE_BINARY, kAddress});
        const Finished qtCore = Run({QTCORE_BINARY, kAddress});
        if (finished.status != 0) state.SkipWithError("quillora-cli did not pass");
        if (bare.status != 0) state.SkipWithError("the bare process did not pass");
        if (qtCore.status != 0) state.SkipWithError("the bare process with Qt Core did not pass");
        state.SetIterationTime(finished.wallMs / 1000);
        ownMs += finished.wallMs;
        cpuMs += finished.cpuMs;
        bareMs += bare.wallMs;
        bareCpuMs += bare.cpuMs;
        qtCoreMs += qtCore.wallMs;
    }
    const double runs = double(state.iterations());
    // On a loaded machine the wall time is mostly waiting for a core; this is the work.
    state.counters["child_cpu_ms"] = cpuMs / runs;
    state.counters["bare_ms"] = bareMs / runs;
    state.counters["bare_cpu_ms"] = bareCpuMs / runs;
    state.counters["x_bare"] = bareMs > 0 ? ownMs / bareMs : 0;
    state.counters["x_bare_cpu"] = bareCpuMs > 0 ? cpuMs / bareCpuMs : 0;
    state.counters["qtcore_ms"] = qtCoreMs / runs;
    state.counters["x_qtcore"] = qtCoreMs > 0 ? ownMs / qtCoreMs : 0;
    state.counters["qtcore_x_bare"] = bareMs > 0 ? qtCoreMs / bareMs : 0;
}
BENCHMARK(WholeProcessFullCut)
    ->Iterations(1)
    ->Repetitions(50)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("worst",
                        [](const std::vector<double>& runs) {
                            return *std::max_element(runs.begin(), runs.end());
                        })
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace quillora

BENCHMARK_MAIN();
