#pragma once

#include <cstdint>
#include <string_view>

namespace quillora {

// A push button that switches one printer function. Its caption is the switch's only
// state: it names what the next click does (the enable caption while the function is off).
struct FunctionSwitch {
    const char* enableCaption;   // UTF-8
    const char* disableCaption;  // UTF-8
    std::uint8_t onByte;         // GS F n: function code in the high nibble, 1 = on
    std::uint8_t offByte;
};

inline constexpr FunctionSwitch kBlackMarkSwitch{"开启黑标", "关闭黑标", 0x21, 0x20};
inline constexpr FunctionSwitch kNearEndSwitch{"开启纸将尽检测", "关闭纸将尽检测", 0x11, 0x10};
inline constexpr FunctionSwitch kPaperTakeSwitch{"开启取纸传感功能", "关闭取纸传感功能", 0x41,
                                                 0x40};
inline constexpr FunctionSwitch kCutterSwitch{"开启切刀功能", "关闭切刀功能", 0x31, 0x30};

struct SwitchStep {
    std::uint8_t n;          // the parameter of GS F n to send
    const char* newCaption;  // UTF-8
};

// What a click does given the button's caption as GBK bytes: the enable caption switches
// the function on; any other text (the disable caption included) switches it off.
SwitchStep NextSwitchStep(const FunctionSwitch& function, std::string_view captionGbk);

}  // namespace quillora
