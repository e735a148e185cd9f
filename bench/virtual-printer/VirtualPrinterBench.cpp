// The virtual printer's speed from bytes to files on disk: a typical text receipt with one
// barcode (target: under 5 ms) and a full-width raster picture (target: under 50 ms), each
// interpreted, drawn, and written as PNG and .bin with its log line.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "virtual-printer/lib/EscPosInterpreter.h"
#include "virtual-printer/lib/ReceiptFolder.h"

namespace {

using vprinter::EscPosInterpreter;

// Receipts go straight to the folder, as the program's sessions send them.
struct FolderOutput final : vprinter::PrinterOutput {
    explicit FolderOutput(vprinter::ReceiptFolder& folder) : folder(folder) {}
    void Reply(const std::vector<std::uint8_t>&) override {}
    void Log(const std::string& line) override { folder.Log(line); }
    void ReceiptDone(vprinter::Receipt receipt) override { folder.Save(receipt, "bench"); }
    vprinter::ReceiptFolder& folder;
};

// About 2 KB: a header in large bold letters, 40 item lines, totals, a CODE128, a cut.
std::vector<std::uint8_t> TextReceipt() {
    using namespace std::string_literals;  // the commands hold NUL bytes
    std::string bytes = "\x1B@\x1B" "a\x01\x1D!\x11\x1B" "E\x01QUILLORA MARKET\n\x1D!\x00\x1B" "E\x00"s;
    bytes += "\x1B" "a\x00"s;
    for (int item = 1; item <= 40; ++item) {
        bytes += "Item " + std::to_string(item) + " fresh produce      1 x 2.50    2.50\n";
    }
    bytes += "\x1B" "E\x01TOTAL                                 100.00\n\x1B" "E\x00"s;
    bytes += "\x1D" "h\x50\x1D" "w\x02\x1D" "k\x49\x0C{B0123456789";
    bytes += "\x1B" "d\x03\x1D" "V\x00"s;
    return {bytes.begin(), bytes.end()};
}

// GS v 0, 576 x 2400 dots: a checkerboard of 8 x 8 blocks with a diagonal band.
std::vector<std::uint8_t> RasterReceipt() {
    std::vector<std::uint8_t> bytes = {0x1D, 'v', '0', 0, 72, 0, 0x60, 0x09};
    for (int y = 0; y < 2400; ++y) {
        for (int x = 0; x < 72; ++x) {
            bytes.push_back(((x + y / 8) % 2) ? 0xFF : (x == (y / 33) % 72 ? 0x3C : 0x00));
        }
    }
    const std::vector<std::uint8_t> cut = {0x1D, 'V', 0x00};
    bytes.insert(bytes.end(), cut.begin(), cut.end());
    return bytes;
}

void PrintAndWrite(benchmark::State& state, const std::vector<std::uint8_t>& bytes) {
    QTemporaryDir directory;
    vprinter::ReceiptFolder folder(directory.path());
    FolderOutput output(folder);
    vprinter::PrinterMemory memory;
    EscPosInterpreter interpreter(memory, output);
    interpreter.Feed(bytes.data(), bytes.size());  // glyphs drawn once, as in a long session
    for (auto _ : state) interpreter.Feed(bytes.data(), bytes.size());
    state.counters["bytes"] = static_cast<double>(bytes.size());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_TextReceiptWithBarcode(benchmark::State& state) {
    PrintAndWrite(state, TextReceipt());
}
BENCHMARK(BM_TextReceiptWithBarcode)->Unit(benchmark::kMillisecond);

void BM_RasterPicture576x2400(benchmark::State& state) {
    PrintAndWrite(state, RasterReceipt());
}
BENCHMARK(BM_RasterPicture576x2400)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);  // fonts for the glyphs
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
