// SendData over loopback TCP: throughput of large sends, the cost of one-byte calls on an
// open connection (a copy in the mixed-size mode goes out one byte per call), and a full
// cut sent directly beside the same cut through the window's background sender.
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <thread>
#include <vector>

#include "port/BackgroundSender.h"
#include "port/FdIo.h"
#include "port/LinuxPortDriver.h"

namespace quillora {
namespace {

constexpr const char* kAddress = "127.0.3.200";

// A printer that swallows everything until the connection closes.
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
            listen(listener_.Get(), 4) != 0) {
            throw std::system_error(LastOsError(), kAddress);
        }
        reader_ = std::thread([this] {
            UniqueFd connection(accept(listener_.Get(), nullptr, nullptr));
            std::vector<char> buffer(1 << 20);
            while (read(connection.Get(), buffer.data(), buffer.size()) > 0) {
            }
        });
    }
    ~DrainingPrinter() {
        // Wakes the reader should no connection ever have come.
        shutdown(listener_.Get(), SHUT_RDWR);
        reader_.join();
    }

private:
    UniqueFd listener_;
    std::thread reader_;
};

void SendBlocks(benchmark::State& state) {
    const std::vector<std::uint8_t> block(static_cast<size_t>(state.range(0)), 0x55);
    DrainingPrinter printer;
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
    DrainingPrinter printer;
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

// GS V 0, as the full-cut button sends it.
constexpr std::array<std::uint8_t, 3> kFullCut{0x1D, 0x56, 0x00};

void FullCutDirect(benchmark::State& state) {
    DrainingPrinter printer;
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

// What a click adds: the hand-over to the worker thread and the wait for its end.
void FullCutInBackground(benchmark::State& state) {
    DrainingPrinter printer;
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
