// The whole quillora-cli process, start to exit: `run --port 127.0.12.200 full-cut` to a
// printer on loopback that drains every connection. 50 runs; median and worst, of the wall
// time and of the child's processor time.
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <system_error>
#include <thread>

#include "port/FdIo.h"
#include "port/PortNames.h"

extern char** environ;

namespace quillora {
namespace {

constexpr const char* kAddress = "127.0.12.200";

// A printer that takes one connection after the other and reads each to its end.
class DrainingPrinter {
public:
    DrainingPrinter() : listener_(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        const int on = 1;
        setsockopt(listener_.Get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(kPrinterTcpPort);
        inet_pton(AF_INET, kAddress, &address.sin_addr);
        if (bind(listener_.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            listen(listener_.Get(), 16) != 0) {
            throw std::system_error(LastOsError(), kAddress);
        }
        reader_ = std::thread([this] {
            for (;;) {
                const UniqueFd connection(accept(listener_.Get(), nullptr, nullptr));
                if (!connection.Valid()) return;  // the listener was shut down
                char buffer[256];
                while (read(connection.Get(), buffer, sizeof buffer) > 0) {
                }
            }
        });
    }
    ~DrainingPrinter() {
        shutdown(listener_.Get(), SHUT_RDWR);
        reader_.join();
    }

private:
    UniqueFd listener_;
    std::thread reader_;
};

struct Finished {
    int status = -1;        // the exit status, or -1
    double cpuMs = 0;       // the child's user and system time
};

double Milliseconds(const timeval& time) {
    return double(time.tv_sec) * 1000 + double(time.tv_usec) / 1000;
}

// Runs the program once and waits for it.
Finished RunFullCut() {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    char program[] = CLI_BINARY;
    char run[] = "run", port[] = "--port", address[] = "127.0.12.200", test[] = "full-cut";
    char* arguments[] = {program, run, port, address, test, nullptr};
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program, &actions, nullptr, arguments, environ);
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
    DrainingPrinter printer;
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
