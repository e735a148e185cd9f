// SendData over loopback TCP: throughput of large sends and the cost of one-byte calls on
// an open connection (a copy in the mixed-size mode goes out one byte per call).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <vector>

#include "port/LinuxPortDriver.h"
#include "support/DrainingPrinter.h"

namespace quillora {
namespace {

constexpr const char* kAddress = "127.0.3.200";

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

void SendSingleBytes(benchmark::State& state) {
    bench::DrainingPrinter printer(kAddress);
    {
        LinuxPortDriver driver(DeviceTable{}, PortTimeouts{}, {});
        const std::uint8_t byte = 0x41;
        for (auto _ : state) {
            if (driver.SendData(kAddress, &byte, 1) != 1) {
                state.SkipWithError(driver.LastErrorText(kAddress).c_str());
                break;
            }
        }
        state.SetItemsProcessed(state.iterations());
    }
}
BENCHMARK(SendSingleBytes)->UseRealTime();

}  // namespace
}  // namespace quillora

BENCHMARK_MAIN();
