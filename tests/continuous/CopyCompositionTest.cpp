#include <gtest/gtest.h>

#include "continuous/CopyComposition.h"
#include "support/HexBytes.h"

namespace quillora {
namespace {

using test::Hex;
using test::ToHex;
using Sends = std::vector<std::string>;

constexpr TimeOfDay kFiveMinutesPastNine{9, 5, 3};
// "当前第1份,时间:9:5:3\r\n\r\n"
const char* const kHeadingOfCopy1 =
    "B5 B1 C7 B0 B5 DA 31 B7 DD 2C CA B1 BC E4 3A 39 3A 35 3A 33 0D 0A 0D 0A";

TEST(CopyHeadings, PortHeadingHasNoLeadingZerosDriverHeadingHasTwoDigits) {
    EXPECT_EQ(ToHex(PortCopyHeading(7, kFiveMinutesPastNine)),
              "B5 B1 C7 B0 B5 DA 37 B7 DD 2C CA B1 BC E4 3A 39 3A 35 3A 33 0D 0A 0D 0A");
    EXPECT_EQ(
        ToHex(DriverCopyHeading(7, kFiveMinutesPastNine)),
        "B5 B1 C7 B0 B5 DA 37 B7 DD 2C 20 CA B1 BC E4 3A 30 39 3A 30 35 3A 30 33 0D 0A 0D 0A");
    // 当前第12份,时间:23:59:0
    EXPECT_EQ(ToHex(PortCopyHeading(12, {23, 59, 0})),
              "B5 B1 C7 B0 B5 DA 31 32 B7 DD 2C CA B1 BC E4 3A 32 33 3A 35 39 3A 30 0D 0A 0D 0A");
}

TEST(PortCopySends, EmptyTextBoxSendsHeadingAndLineBreak) {
    EXPECT_EQ(ToHex(PortCopySends(1, kFiveMinutesPastNine, "", {})),
              (Sends{kHeadingOfCopy1, "0D 0A"}));
    PortCopyOptions mixed;
    mixed.mixedSize = true;
    EXPECT_EQ(ToHex(PortCopySends(1, kFiveMinutesPastNine, "", mixed)),
              (Sends{kHeadingOfCopy1, "0D", "0A", "1D 21 00"}));
}

TEST(PortCopySends, AllOptionsComeInOrderHeadingLogoBodyCutTail) {
    const PortCopyOptions all{true, true, true};
    EXPECT_EQ(ToHex(PortCopySends(1, kFiveMinutesPastNine, "AB", all)),
              (Sends{kHeadingOfCopy1, "1C 70 01 30", "41", "42", "0D", "0A", "1D 21 00",
                     "0D 0A 0D 0A 0D 0A 0D 0A 1B 69"}));
    PortCopyOptions logoAndCut{true, false, true};
    EXPECT_EQ(
        ToHex(PortCopySends(1, kFiveMinutesPastNine, "AB", logoAndCut)),
        (Sends{kHeadingOfCopy1, "1C 70 01 30", "41 42 0D 0A", "0D 0A 0D 0A 0D 0A 0D 0A 1B 69"}));
}

TEST(MixedSizeBody, ThirtyDoubleByteCharactersResizeFromTheTwentyFirst) {
    std::string body;
    for (int i = 0; i < 30; ++i) body += Hex("D6 D0");  // 中
    body += "\r\n";

    Sends expected;
    for (int i = 0; i < 20; ++i) expected.insert(expected.end(), {"D6", "D0"});
    for (const char* size : {"1D 21 11", "1D 21 22", "1D 21 33", "1D 21 00", "1D 21 11", "1D 21 22",
                             "1D 21 33", "1D 21 00", "1D 21 11", "1D 21 22"}) {
        expected.insert(expected.end(), {size, "D6", "D0"});
    }
    expected.insert(expected.end(), {"0D", "0A", "1D 21 00"});

    const Sends sends = MixedSizeBodySends(body);
    EXPECT_EQ(ToHex(sends), expected);
    // m body bytes, s size commands, one closing command.
    EXPECT_EQ(sends.size(), 62u + 10u + 1u);
}

TEST(MixedSizeBody, FortyOneSingleBytesThenADoubleByteCharacter) {
    const std::string body = std::string(41, 'a') + Hex("D6 D0 0D 0A");
    Sends expected(41, "61");
    expected.insert(expected.end(), {"1D 21 11", "D6", "D0", "0D", "0A", "1D 21 00"});
    EXPECT_EQ(ToHex(MixedSizeBodySends(body)), expected);
}

TEST(MixedSizeBody, LowSecondByteShiftsTheParityOfHighBytes) {
    // 41 single bytes pass the threshold; 丂 (81 40) has a second byte below 80, after which
    // size commands fall inside 中 and before single bytes.
    const std::string body = std::string(41, 'a') + Hex("81 40 D6 D0 62 0D 0A");
    Sends expected(41, "61");
    expected.insert(expected.end(),
                    {"1D 21 11", "81", "1D 21 22", "40", "D6", "1D 21 33", "D0", "1D 21 00", "62",
                     "1D 21 11", "0D", "1D 21 22", "0A", "1D 21 00"});
    EXPECT_EQ(ToHex(MixedSizeBodySends(body)), expected);
}

TEST(MixedSizeBody, SingleByteTextIsNeverResized) {
    const Sends sends = MixedSizeBodySends(std::string(100, 'x') + "\r\n");
    ASSERT_EQ(sends.size(), 103u);
    for (size_t i = 0; i < 102; ++i) EXPECT_EQ(sends[i].size(), 1u) << i;
    EXPECT_EQ(ToHex(sends.back()), "1D 21 00");
}

}  // namespace
}  // namespace quillora
