// The traffic monitor's receipt preview: a 1,000-line session drawn from its first line
// (target: under 50 ms), and copies sent over loopback TCP with the monitor closed and
// with the monitor and its preview open, side by side (target: within 5 %).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMetaObject>
#include <memory>
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
            bytes =
                ToGbk(QString::fromUtf8("第 %1 行 打印测试 ABCDEFGHIJ 0123456789\r\n").arg(line));
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

// Runs `call` on the window's thread and waits for it.
template <typename Call>
void OnWindowThread(Call call) {
    QMetaObject::invokeMethod(qApp, call, Qt::BlockingQueuedConnection);
}

// Arg 0: the monitor closed (the program still records every call); arg 1: the monitor
// open with its preview, following the sends. The sends come from this thread, as from
// the continuous run's worker; the window reads and draws on its own.
void SendCopiesWhileMonitored(benchmark::State& state) {
    bench::DrainingPrinter printer(kAddress);
    QtFileDialogService files;
    QtMessageService messages;
    LinuxPortDriver driver(DeviceTable{}, PortTimeouts{}, {});
    TrafficLog log;
    TracingPortDriver recorded(driver, {&log});
    std::unique_ptr<TrafficMonitorWindow> monitor;
    if (state.range(0)) {
        OnWindowThread([&] {
            monitor = std::make_unique<TrafficMonitorWindow>(log, files, messages, nullptr);
            monitor->show();
        });
    }
    const auto copy = SessionSends(25, true);
    for (auto _ : state) {
        for (const auto& bytes : copy) {
            const int length = static_cast<int>(bytes.size());
            if (recorded.SendData(kAddress, bytes.data(), length) != length) {
                state.SkipWithError(driver.LastErrorText(kAddress).c_str());
                break;
            }
        }
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(state.range(0) ? "monitor and preview open" : "monitor closed");
    OnWindowThread([&] { monitor.reset(); });
}
BENCHMARK(SendCopiesWhileMonitored)->Arg(0)->Arg(1)->MinTime(3.0)->UseRealTime();

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
