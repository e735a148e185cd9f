// The whole quillora-cli process, start to exit: `run --port 127.0.12.200 full-cut` to a
// printer on loopback that drains every connection. 50 runs; median and worst, of the wall
// time and of the child's processor time.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "support/DrainingPrinter.h"

extern char** environ;

namespace quillora {
namespace {

constexpr const char* kAddress = "127.0.12.200";

struct Finished {
    int status = -1;   // the exit status, or -1
    double cpuMs = 0;  // the child's user and system time
};

double Milliseconds(const timeval& time) {
    return double(time.tv_sec) * 1000 + double(time.tv_usec) / 1000;
}

// Runs the program once and waits for it.
Finished RunFullCut() {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::string program = CLI_BINARY, run = "run", port = "--port", address = kAddress,
                test = "full-cut";
    char* arguments[] = {program.data(), run.data(),  port.data(),
                         address.data(), test.data(), nullptr};
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    Finished finished;
    if (spawned != 0) return finished;
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status)) return finished;
    finished.status = WEXITSTATUS(status);
    finished.cpuMs = Milliseconds(usage.ru_utime) + Milliseconds(usage.ru_stime);
    return finished;
}

void WholeProcessFullCut(benchmark::State& state) {
    bench::DrainingPrinter printer(kAddress);
    double cpuMs = 0;
    for (auto _ : state) {
        const Finished finished = RunFullCut();
        if (finished.status != 0) state.SkipWithError("quillora-cli did not pass");
        cpuMs += finished.cpuMs;
    }
    // On a loaded machine the wall time is mostly waiting for a core; this is the work.
    state.counters["child_cpu_ms"] = cpuMs / double(state.iterations());
}
BENCHMARK(WholeProcessFullCut)
    ->Iterations(1)
    ->Repetitions(50)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("worst",
                        [](const std::vector<double>& runs) {
                            return *std::max_element(runs.begin(), runs.end());
                        })
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace quillora

BENCHMARK_MAIN();
