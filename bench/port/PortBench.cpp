// SendData over loopback TCP: throughput of large sends and the cost of one-byte calls on
// an open connection (a copy in the mixed-size mode goes out one byte per call), without
// and with the traffic monitor's recording; the time the record takes for a large send;
// and a full cut sent directly beside the same cut through the window's background sender.
// The one-byte calls are compared with raw one-byte write() calls on a connection of the
// same kind to a printer of the same kind, in batches taken in turn with the driver's
// ("x_raw_write": how many times the raw call's time a SendData takes).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <array>
#include <vector>

#include "monitor/TrafficLog.h"
#include "port/BackgroundSender.h"
#include "port/DiscardingPortDriver.h"
#include "port/LinuxPortDriver.h"
#include "port/TracingPortDriver.h"
#include "support/Baseline.h"
#include "support/DrainingPrinter.h"

namespace quillora {
namespace {

constexpr const char* kAddress = "127.0.3.200";
constexpr const char* kRawAddress = "127.0.3.201";

void SendBlocks(benchmark::State& state) {
    const std::vector<std::uint8_t> block(static_cast<size_t>(state.range(0)), 0x55);
    bench::DrainingPrinter printer(kAddress);
    {
        LinuxPortDriver driver(DeviceTable{}, PortTimeouts{}, {});
        const int length = static_cast<int>(block.size());
        for (auto _ : state) {
            if (driver.SendData(kAddress, block.data(), length) != length) {
                state.SkipWithError(driver.LastErrorText(kAddress).c_str());
                break;
            }
        }
        state.SetBytesProcessed(state.iterations() * state.range(0));
    }
}
BENCHMARK(SendBlocks)->Arg(64 << 10)->Arg(10 << 20)->Unit(benchmark::kMillisecond)->UseRealTime();

// One-byte calls until the log drops the oldest with each new one, as after a long session.
void FillUp(TrafficLog& log) {
    TrafficEvent event;
    event.port = kAddress;
    event.bytes = {0x41};
    for (std::size_t i = 0; i < TrafficLog::kDefaultByteLimit / TrafficLog::kPerCallCharge; ++i) {
        log.Record(event);
    }
}

// Arg 0: the driver alone; arg 1: through the recorder into the monitor's log, as the
// program runs. Side by side, so the two rates come from one run. Each iteration is a batch
// of calls through the driver, timed, then a batch of raw writes, so that both meet the
// same load; the time reported is the driver's.
void SendSingleBytes(benchmark::State& state) {
    constexpr int kBatch = 256;
    bench::DrainingPrinter printer(kAddress), rawPrinter(kRawAddress);
    LinuxPortDriver driver(DeviceTable{}, PortTimeouts{}, {});
    TrafficLog log;
    FillUp(log);
    TracingPortDriver recorded(driver, {&log});
    PortDriver& ports = state.range(0) ? static_cast<PortDriver&>(recorded) : driver;
    state.SetLabel(state.range(0) ? "recorded" : "plain");
    const bench::RawConnection raw(kRawAddress);
    const std::uint8_t byte = 0x41;
    bench::Spent own, rawWrites;
    for (auto _ : state) {
        const bench::Spent batch = bench::Baseline::For(kBatch, [&] {
            if (ports.SendData(kAddress, &byte, 1) != 1) {
                state.SkipWithError(driver.LastErrorText(kAddress).c_str());
            }
        });
        own += batch;
        rawWrites += bench::Baseline::For(kBatch, [&] {
            if (!raw.Write(&byte, 1)) state.SkipWithError("raw write failed");
        });
        state.SetIterationTime(batch.wall);
    }
    state.SetItemsProcessed(state.iterations() * kBatch);
    bench::Baseline::Report(state, "raw_write", own, rawWrites, state.iterations() * kBatch);
}
BENCHMARK(SendSingleBytes)->Arg(0)->Arg(1)->UseManualTime();

// A 10 MiB file printed with the monitor open: the time until the call is in the record
// (the log already full, so each call also drops the previous one).
void TenMebibyteSendIntoTheRecord(benchmark::State& state) {
    const std::vector<std::uint8_t> file(10 << 20, 0x55);
    DiscardingPortDriver driver;  // takes every byte at once: only the recording is timed
    TrafficLog log;
    TracingPortDriver recorded(driver, {&log});
    for (auto _ : state) {
        recorded.SendData("LPT1", file.data(), static_cast<int>(file.size()));
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(file.size()));
}
// The recorder's own cost per one-byte call, without the network.
void OneByteIntoTheRecord(benchmark::State& state) {
    DiscardingPortDriver driver;
    TrafficLog log;
    FillUp(log);
    TracingPortDriver recorded(driver, {&log});
    const std::uint8_t byte = 0x41;
    for (auto _ : state) recorded.SendData(kAddress, &byte, 1);
}
BENCHMARK(OneByteIntoTheRecord);
BENCHMARK(TenMebibyteSendIntoTheRecord)->Unit(benchmark::kMillisecond)->UseRealTime();

// GS V 0, as the full-cut button sends it.
constexpr std::array<std::uint8_t, 3> kFullCut{0x1D, 0x56, 0x00};

void FullCutDirect(benchmark::State& state) {
    bench::DrainingPrinter printer(kAddress);
    {
        LinuxPortDriver driver(DeviceTable{}, PortTimeouts{}, {});
        for (auto _ : state) {
            if (driver.SendData(kAddress, kFullCut.data(), int(kFullCut.size())) != 3) {
                state.SkipWithError(driver.LastErrorText(kAddress).c_str());
                break;
            }
        }
    }
}
BENCHMARK(FullCutDirect)->UseRealTime();

// What a click adds: asking the driver whether the connection takes the cut at once (it
// does, so the cut is sent on this thread), or else the hand-over to the worker thread and
// the wait for its end.
void FullCutInBackground(benchmark::State& state) {
    bench::DrainingPrinter printer(kAddress);
    {
        LinuxPortDriver driver(DeviceTable{}, PortTimeouts{}, {});
        BackgroundSender sender(driver);
        const BackgroundSender::Job job = [](SendSession& session) {
            session.Send(kFullCut.data(), int(kFullCut.size()));
        };
        for (auto _ : state) {
            sender.Start(kAddress, std::int64_t(kFullCut.size()), job);
            sender.WaitFinished(std::chrono::milliseconds(20));
            if (!sender.Finished() || !sender.Result().Complete()) {
                state.SkipWithError(driver.LastErrorText(kAddress).c_str());
                break;
            }
        }
    }
}
BENCHMARK(FullCutInBackground)->UseRealTime();

}  // namespace
}  // namespace quillora

BENCHMARK_MAIN();
