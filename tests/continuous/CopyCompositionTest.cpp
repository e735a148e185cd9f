#include <gtest/gtest.h>

#include "continuous/CopyComposition.h"
#include "support/HexBytes.h"

namespace quillora {
namespace {

using test::Hex;
using test::ToHex;
using Sends = std::vector<std::string>;

constexpr TimeOfDay k090503{9, 5, 3};
// "当前第1份,时间:9:5:3\r\n\r\n"
const char* const kHeading1 =
    "B5 B1 C7 B0 B5 DA 31 B7 DD 2C CA B1 BC E4 3A 39 3A 35 3A 33 0D 0A 0D 0A";

TEST(CopyComposition, HeadingsAndPortCopies) {
    EXPECT_EQ(ToHex(PortCopyHeading(12, {23, 59, 0})),
              "B5 B1 C7 B0 B5 DA 31 32 B7 DD 2C CA B1 BC E4 3A 32 33 3A 35 39 3A 30 0D 0A 0D 0A");
    EXPECT_EQ(
        ToHex(DriverCopyHeading(7, k090503)),
        "B5 B1 C7 B0 B5 DA 37 B7 DD 2C 20 CA B1 BC E4 3A 30 39 3A 30 35 3A 30 33 0D 0A 0D 0A");
    EXPECT_EQ(ToHex(PortCopySends(1, k090503, "", {})), (Sends{kHeading1, "0D 0A"}));
    EXPECT_EQ(ToHex(PortCopySends(1, k090503, "", {false, true, false})),
              (Sends{kHeading1, "0D", "0A", "1D 21 00"}));
    // Heading, logo, body, cut tail; with mixed size the body goes byte by byte.
    EXPECT_EQ(ToHex(PortCopySends(1, k090503, "AB", {true, true, true})),
              (Sends{kHeading1, "1C 70 01 30", "41", "42", "0D", "0A", "1D 21 00",
                     "0D 0A 0D 0A 0D 0A 0D 0A 1B 69"}));
}

TEST(CopyComposition, MixedSizeBody) {
    // 30 × 中: sizes cycle from the 21st character, then one closing command.
    Sends expected;
    for (int i = 0; i < 20; ++i) expected.insert(expected.end(), {"D6", "D0"});
    for (int i = 0; i < 10; ++i) {
        const char* sizes[] = {"1D 21 11", "1D 21 22", "1D 21 33", "1D 21 00"};
        expected.insert(expected.end(), {sizes[i % 4], "D6", "D0"});
    }
    expected.insert(expected.end(), {"0D", "0A", "1D 21 00"});
    std::string body;
    for (int i = 0; i < 30; ++i) body += Hex("D6 D0");
    EXPECT_EQ(ToHex(MixedSizeBodySends(body + "\r\n")), expected);

    // 41 single bytes pass the threshold. 丂 (81 40) has a second byte below 80: later
    // commands fall inside 中 and before 'b'.
    expected.assign(41, "61");
    expected.insert(expected.end(),
                    {"1D 21 11", "81", "1D 21 22", "40", "D6", "1D 21 33", "D0", "1D 21 00", "62",
                     "1D 21 11", "0D", "1D 21 22", "0A", "1D 21 00"});
    EXPECT_EQ(ToHex(MixedSizeBodySends(std::string(41, 'a') + Hex("81 40 D6 D0 62 0D 0A"))),
              expected);
}

}  // namespace
}  // namespace quillora
