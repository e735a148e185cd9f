// Command lengths of the shared framing table, written out in hex: each command's real
// parameters are taken, so the next command is read where it starts.
#include <gtest/gtest.h>

#include "PrinterHarness.h"
#include "escpos/EscPosFraming.h"

namespace vprinter::test {
namespace {

using quillora::escpos::CommandLength;

std::optional<std::size_t> Length(const std::string& hex) {
    const auto bytes = Hex(hex);
    return CommandLength(bytes.data(), bytes.size());
}

TEST(FramingTest, EachCommandTakesItsParametersAndWaitsForMissingOnes) {
    const std::vector<std::pair<const char*, std::size_t>> table = {
        {"1B 21 08 41", 3},
        {"1B 45 01 41", 3},
        {"1B 2D 02 41", 3},
        {"1D 42 01 41", 3},
        {"1B 4D 01 41", 3},
        {"1B 20 04 41", 3},
        {"1B 33 28 41", 3},
        {"1B 32 41", 2},
        {"1B 4A 00 41", 3},
        {"1B 24 10 00 41", 4},
        {"1B 5C F0 FF 41", 4},
        {"1B 44 08 10 00 41", 5},
        {"1D 4C 20 00 41", 4},
        {"1D 57 00 02 41", 4},
        {"1B 7B 01 41", 3},
        {"1B 74 13 41", 3},
        {"1C 26 41", 2},
        {"1C 2E 41", 2},
        {"1D 21 11 41", 3},
        {"1D 68 50 41", 3},
        {"1D 77 02 41", 3},
        {"1D 48 02 41", 3},
        {"1D 66 00 41", 3},
        {"1D 6B 41 02 31 32 41", 6},
        {"1D 6B 04 31 00 41", 5},
        {"1D 6B 4E 01 31 41", 5},
        {"1B 70 00 19 FA 41", 5},
        {"1B 70 00 1B 70 01 1B", 3},               // ESC p m sent without its times
        {"1D 28 6B 03 00 31 43 04 41", 8},         // GS ( k
        {"1D 38 4C 03 00 00 00 30 32 30 41", 10},  // GS 8 L, 32-bit count
        {"1D 76 30 00 01 00 02 00 FF 81 41", 10},  // GS v 0: 1 x 2 bytes
        {"1B 2A 21 01 00 AA BB CC 41", 8},         // ESC * 24-dot
        {"1D 56 42 10 41", 4},
        {"1D 56 61 10 41", 4},
        {"1D 56 31 41", 3},
        {"10 04 01 41", 3},
        {"1D 72 01 41", 3},
        {"1D 49 01 41", 3},
        {"1D 61 FF 41", 3},
        {"10 14 01 00 01 41", 5},
        {"1C 70 01 30 41", 4},
        {"1B 26 03 41 41 02 01 02 03 04 05 06 41", 12},  // one 2-column character
    };
    for (const auto& [hex, length] : table) {
        EXPECT_EQ(Length(hex), length) << hex;
        // One byte short, every command waits for the rest.
        const auto bytes = Hex(hex);
        EXPECT_EQ(CommandLength(bytes.data(), length - 1), std::nullopt) << hex;
    }
    // Sizes that cannot be trusted count only the command's first bytes.
    EXPECT_EQ(Length("1D 76 30 00 FF FF FF FF"), 3u);
    EXPECT_EQ(Length("1D 38 4C FF FF FF 7F 30 70"), 3u);
    EXPECT_EQ(Length("1B 77 FF"), 2u);  // unknown: the prefix and one byte
}

}  // namespace
}  // namespace vprinter::test
