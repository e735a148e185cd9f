#pragma once

#include <string>
#include <vector>

// The bytes each command button sends, written out in hex, one string per SendData call.
// The window's tests and the command-line runner's tests both check against these.
namespace quillora::test {

inline const std::string kHalfCutHex = "1B 6D";
inline const std::string kFullCutHex = "1D 56 00";
inline const std::string kFeedHex = "1B 64 0A";
inline const std::string kCashDrawerHex = "1B 39 00 05 0A";
inline const std::string kBlackMarkFeedHex = "1D 0C";

// "===== 测试条码 =====\r\n\r\n" CODE39; CODE128 counted; JAN13; JAN8; closing line.
inline const std::vector<std::string> kBarcodePageHex{
    "3D 3D 3D 3D 3D 20 B2 E2 CA D4 CC F5 C2 EB 20 3D 3D 3D 3D 3D 0D 0A 0D 0A "
    "43 4F 44 45 33 39 0D 0A 1D 6B 04 31 32 33 34 35 36 00",
    "0D 0A 43 4F 44 45 31 32 38 3A 0D 0A 1D 6B 49 0D 31 32 33 34 35 36 37 38 39 30 31 32 33",
    "0D 0A 4A 41 4E 31 33 3A 0D 0A 1D 6B 02 31 32 33 34 35 36 37 38 39 30 31 32 33 00",
    "0D 0A 4A 41 4E 38 3A 0D 0A 1D 6B 03 31 32 33 34 35 36 37 38 00",
    "0D 0A 20 20 20 20 20 20 20 20 CC F5 C2 EB B4 F2 D3 A1 B2 E2 CA D4 CD EA B3 C9 21 0D 0A 0D 0A",
};

// "倍高倍宽ABC123\r\n" at sizes 11 to 77, the size reset, the line at normal size.
inline std::vector<std::string> EnlargementHex() {
    const std::string line = "B1 B6 B8 DF B1 B6 BF ED 41 42 43 31 32 33 0D 0A";
    std::vector<std::string> blocks;
    for (const char* n : {"11", "22", "33", "44", "55", "66", "77"})
        blocks.push_back("1D 21 " + std::string(n) + " " + line);
    blocks.insert(blocks.end(), {"1D 21 00", line});
    return blocks;
}

// "ABC", "ABCD", "ABCDE" centred, right, left.
inline std::vector<std::string> AlignmentHex() {
    const std::string abc = "41 42 43 0D 0A 41 42 43 44 0D 0A 41 42 43 44 45 0D 0A";
    return {"1B 61 31 " + abc, "1B 61 32 " + abc, "1B 61 30 " + abc};
}

// The single-print test: the text box "测试\nAB" as the printer gets it.
inline const char* const kSinglePrintText = "测试\nAB";
inline const std::string kSinglePrintHex = "B2 E2 CA D4 0D 0A 41 42 0D 0A";

// A print file: sent raw, zero byte and lone lead byte included.
inline const std::string kPrintFileHex = "1B 40 00 B2 E2 0D 0A FF";

// A switch button's two captions (enable first) and the bytes of switching on and off.
struct SwitchRow {
    const char* enableCaption;
    const char* disableCaption;
    std::string onHex, offHex;
};
inline const SwitchRow kBlackMarkSwitchRow{"开启黑标", "关闭黑标", "1D 46 21", "1D 46 20"};
inline const SwitchRow kNearEndSwitchRow{"开启纸将尽检测", "关闭纸将尽检测", "1D 46 11",
                                         "1D 46 10"};
inline const SwitchRow kPaperTakeSwitchRow{"开启取纸传感功能", "关闭取纸传感功能", "1D 46 41",
                                           "1D 46 40"};
inline const SwitchRow kCutterSwitchRow{"开启切刀功能", "关闭切刀功能", "1D 46 31", "1D 46 30"};

// The status queries' requests.
inline const std::string kNearEndQueryHex = "10 04 04";
inline const std::string kPaperTakenQueryHex = "1D 46 01";
inline const std::string kSerialStatusQueryHex = "10 04 02 10 04 04";

// FS p 1 48: print the stored logo.
inline const std::string kPrintNvLogoHex = "1C 70 01 30";

// A port-mode copy of the continuous test: "当前第" n "份,时间:" h:m:s CR LF CR LF in GBK,
// the logo, the text with CR LF (in mixed size ended by the size reset), the cut tail.
inline const std::string kCopyHeadingStartHex = "B5 B1 C7 B0 B5 DA";
inline const std::string kCopyHeadingTimeHex = "B7 DD 2C CA B1 BC E4 3A";
inline const std::string kMixedSizeResetHex = "1D 21 00";
inline const std::string kCopyCutTailHex = "0D 0A 0D 0A 0D 0A 0D 0A 1B 69";

}  // namespace quillora::test
