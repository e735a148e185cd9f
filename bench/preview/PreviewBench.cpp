// The traffic monitor's receipt preview: a 1,000-line session drawn from its first line
// (target: under 50 ms), and copies sent over loopback TCP with the monitor and its
// preview open against the monitor closed, in wall and CPU time (target: within 5 %).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMetaObject>
#include <atomic>
#include <chrono>
#include <ctime>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "commands/CommandBytes.h"
#include "gui/FileDialogService.h"
#include "gui/MessageService.h"
#include "gui/TrafficMonitorWindow.h"
#include "monitor/TrafficLog.h"
#include "platform/CodePage936.h"
#include "port/LinuxPortDriver.h"
#include "port/TracingPortDriver.h"
#include "preview/ReceiptPreview.h"
#include "support/DrainingPrinter.h"

namespace quillora {
namespace {

constexpr const char* kAddress = "127.0.25.200";

// A send of each kind a session holds: text lines with Chinese characters, the barcode
// check's blocks now and then, and (when `cuts`) a full cut every 25 lines.
std::vector<std::vector<std::uint8_t>> SessionSends(int lines, bool cuts) {
    const std::vector<CommandBlock> barcodes = BarcodePageBlocks();
    std::vector<std::vector<std::uint8_t>> sends;
    for (int line = 0; static_cast<int>(sends.size()) < lines; ++line) {
        std::string bytes;
        if (cuts && line % 25 == 24) {
            bytes = std::string("\x1D\x56\x00", 3);
        } else if (line % 50 == 10) {
            bytes = barcodes[static_cast<std::size_t>(line / 50) % barcodes.size()];
        } else {
            bytes = ToGbk("第 " + std::to_string(line) + " 行 打印测试 ABCDEFGHIJ 0123456789\r\n");
        }
        sends.emplace_back(bytes.begin(), bytes.end());
    }
    return sends;
}

// Arg 0: a cut every 25 lines; arg 1: none, so the picture is the whole session.
void PreviewOfAThousandLineSession(benchmark::State& state) {
    TrafficLog log;
    for (const auto& bytes : SessionSends(1000, state.range(0) == 0)) {
        TrafficEvent event;
        event.port = "COM1";
        event.bytes = bytes;
        event.requested = event.returned = static_cast<int>(bytes.size());
        log.Record(event);
    }
    const std::uint64_t last = log.Since(0).entries.back().sequence;
    ReceiptPreview preview;
    std::uint64_t generation = 0;
    for (auto _ : state) {
        // Another generation each time: read from the first line, as after a Clear.
        const PreviewPicture drawn = preview.Draw({"COM1", last, ++generation}, log);
        if (drawn.picture.isNull()) state.SkipWithError("nothing drawn");
        benchmark::DoNotOptimize(drawn.picture.constBits());
    }
    state.SetLabel(state.range(0) == 0 ? "cut every 25 lines" : "one receipt");
}
BENCHMARK(PreviewOfAThousandLineSession)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The sender's append against a view that copies what it shows from the record: arg 0
// nobody reads; arg 1 another thread takes the newest 20,000 calls again and again, as
// the monitor's poll does when it opens on a long session. An append that has to wait for
// a copy shows as a lower rate and as more CPU time per append (the lock's system calls).
void AppendWhileAViewCopies(benchmark::State& state) {
    TrafficLog log;
    TrafficEvent event;
    event.port = "COM1";
    event.bytes.assign(40, 0x41);
    for (int i = 0; i < 20000; ++i) log.Record(event);
    std::atomic<bool> stop{false};
    std::atomic<std::uint64_t> copies{0};
    std::thread view;
    if (state.range(0)) {
        view = std::thread([&] {
            while (!stop) {
                const std::uint64_t next = log.Since(UINT64_MAX, 0).next;
                const std::uint64_t from = next > 20000 ? next - 20000 : 0;
                benchmark::DoNotOptimize(log.Since(from, 20000).entries.data());
                ++copies;
            }
        });
    }
    for (auto _ : state) log.Record(event);
    stop = true;
    if (view.joinable()) view.join();
    state.SetItemsProcessed(state.iterations());
    state.counters["view_copies"] = double(copies.load());
    state.SetLabel(state.range(0) ? "a view copying 20,000 calls" : "nobody reading");
}
BENCHMARK(AppendWhileAViewCopies)->Arg(0)->Arg(1)->UseRealTime();

// Runs `call` on the window's thread and waits for it.
template <typename Call>
void OnWindowThread(Call call) {
    QMetaObject::invokeMethod(qApp, call, Qt::BlockingQueuedConnection);
}

// What a round of sends cost: wall time, and CPU time of the sending thread alone (steadier
// on a shared machine, and what the sends themselves pay for the monitor's reading).
// The process's CPU time is reported beside them: the monitor's own reading and drawing.
struct RoundCost {
    double wallSeconds = 0;
    double cpuSeconds = 0;
    double processCpuSeconds = 0;

    RoundCost& operator+=(const RoundCost& other) {
        wallSeconds += other.wallSeconds;
        cpuSeconds += other.cpuSeconds;
        processCpuSeconds += other.processCpuSeconds;
        return *this;
    }
};

double CpuSeconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// Copies sent over loopback TCP with the monitor closed (the program still records every
// call) and with the monitor open, its preview following the sends, round after round so
// that both cases see the same load. The sends come from this thread, as from the
// continuous run's worker; the window reads and draws on its own. The counters are the
// open rounds' cost over the closed rounds' (target: at most 1.05).
void SendsWithPreviewOpenOverMonitorClosed(benchmark::State& state) {
    constexpr int kCopiesPerRound = 2000;
    bench::DrainingPrinter printer(kAddress);
    QtFileDialogService files;
    QtMessageService messages;
    LinuxPortDriver driver(DeviceTable{}, PortTimeouts{}, {});
    TrafficLog log;
    TracingPortDriver recorded(driver, {&log});
    const auto copy = SessionSends(25, true);
    const auto sendRound = [&]() -> std::optional<RoundCost> {
        log.Clear();
        const auto wallStart = std::chrono::steady_clock::now();
        const double cpuStart = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
        const double processStart = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
        for (int sent = 0; sent < kCopiesPerRound; ++sent) {
            for (const auto& bytes : copy) {
                const int length = static_cast<int>(bytes.size());
                if (recorded.SendData(kAddress, bytes.data(), length) != length) {
                    state.SkipWithError(driver.LastErrorText(kAddress).c_str());
                    return std::nullopt;
                }
            }
        }
        return RoundCost{
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count(),
            CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - cpuStart,
            CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - processStart};
    };
    const auto watchedRound = [&]() -> std::optional<RoundCost> {
        log.Clear();  // the monitor opens on an empty record, as the closed round starts
        std::unique_ptr<TrafficMonitorWindow> monitor;
        OnWindowThread([&] {
            monitor = std::make_unique<TrafficMonitorWindow>(log, files, messages, nullptr);
            monitor->show();
        });
        const std::optional<RoundCost> cost = sendRound();
        OnWindowThread([&] { monitor.reset(); });
        return cost;
    };
    RoundCost closed;
    RoundCost open;
    bool closedFirst = true;
    for (auto _ : state) {
        // Each round starts from an empty record; which case goes first alternates, so
        // neither always meets the machine as the other left it.
        std::optional<RoundCost> alone;
        std::optional<RoundCost> watched;
        if (closedFirst) {
            alone = sendRound();
            watched = watchedRound();
        } else {
            watched = watchedRound();
            alone = sendRound();
        }
        closedFirst = !closedFirst;
        if (!alone || !watched) break;
        closed += *alone;
        open += *watched;
    }
    const double copies = double(state.iterations()) * kCopiesPerRound;
    if (closed.cpuSeconds > 0 && closed.wallSeconds > 0) {
        state.counters["wall_ratio"] = open.wallSeconds / closed.wallSeconds;
        state.counters["cpu_ratio"] = open.cpuSeconds / closed.cpuSeconds;
        state.counters["closed_us_per_copy"] = closed.wallSeconds * 1e6 / copies;
        state.counters["open_us_per_copy"] = open.wallSeconds * 1e6 / copies;
        state.counters["closed_cpu_us_per_copy"] = closed.cpuSeconds * 1e6 / copies;
        state.counters["open_cpu_us_per_copy"] = open.cpuSeconds * 1e6 / copies;
        state.counters["process_cpu_ratio"] = open.processCpuSeconds / closed.processCpuSeconds;
        // What the monitor's threads spent per copy: the reading, the table and the preview.
        state.counters["monitor_cpu_us_per_copy"] =
            (open.processCpuSeconds - closed.processCpuSeconds) * 1e6 / copies;
    }
    state.SetLabel("monitor with preview open / monitor closed, per copy of 25 sends");
}
BENCHMARK(SendsWithPreviewOpenOverMonitorClosed)->Iterations(12)->UseRealTime();

}  // namespace
}  // namespace quillora

// The window's thread is the main thread, turning its event loop; the benchmarks run on
// another, as the sends of a continuous run do.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);  // each run closes its monitor
    benchmark::Initialize(&argc, argv);
    int status = 0;
    std::thread runner([&] {
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    });
    status = application.exec();
    runner.join();
    return status;
}
