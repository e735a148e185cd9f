// The interpreter alone, nothing written: a page of text in each colour, and random bytes
// (a problem at nearly every byte) at the rate it reads them.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "virtual-printer/lib/EscPosInterpreter.h"

namespace {

// Receipts are dropped as they end: only the interpreting and drawing are measured.
struct DroppingOutput final : vprinter::PrinterOutput {
    void Reply(const std::vector<std::uint8_t>&) override {}
    void Log(const std::string&) override {}
    void ReceiptDone(vprinter::Receipt) override {}
    bool ListensForProblems() const override { return false; }
};

void Interpret(benchmark::State& state, const std::vector<std::uint8_t>& bytes) {
    DroppingOutput output;
    vprinter::PrinterMemory memory;
    vprinter::EscPosInterpreter interpreter(memory, output);
    interpreter.Feed(bytes.data(), bytes.size());  // glyphs drawn once, as in a long session
    for (auto _ : state) interpreter.Feed(bytes.data(), bytes.size());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// 60 lines of 48 characters in colour `colour` (ESC r), ended by a cut.
std::vector<std::uint8_t> PageOfText(std::uint8_t colour) {
    std::vector<std::uint8_t> bytes = {0x1B, 'r', colour};
    for (int line = 0; line < 60; ++line) {
        for (int column = 0; column < 48; ++column) bytes.push_back('!' + (line + column) % 94);
        bytes.push_back('\n');
    }
    bytes.insert(bytes.end(), {0x1D, 'V', 0x00});
    return bytes;
}

void BM_PageOfBlackText(benchmark::State& state) {
    Interpret(state, PageOfText(0));
}
BENCHMARK(BM_PageOfBlackText)->Unit(benchmark::kMillisecond);

void BM_PageOfRedText(benchmark::State& state) {
    Interpret(state, PageOfText(1));
}
BENCHMARK(BM_PageOfRedText)->Unit(benchmark::kMillisecond);

void BM_OneMebibyteOfRandomBytes(benchmark::State& state) {
    std::mt19937 random(20240611);  // the same bytes every run
    std::vector<std::uint8_t> bytes(std::size_t{1} << 20);
    for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(random());
    Interpret(state, bytes);
}
BENCHMARK(BM_OneMebibyteOfRandomBytes)->Unit(benchmark::kMillisecond);

// SOH over and over: a problem at every byte, each a repeat of the last for the log.
void BM_OneMebibyteOfOneBadByte(benchmark::State& state) {
    Interpret(state, std::vector<std::uint8_t>(std::size_t{1} << 20, 0x01));
}
BENCHMARK(BM_OneMebibyteOfOneBadByte)->Unit(benchmark::kMillisecond);

}  // namespace
