#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "escpos/Commands.h"
#include "texts/Texts.h"

namespace quillora {

// A push button that switches one printer function. Its caption is the switch's only
// state: it names what the next click does (the enable caption while the function is off).
struct FunctionSwitch {
    const char* enableCaption;   // UTF-8
    const char* disableCaption;  // UTF-8
    std::uint8_t onByte;         // GS F n: function code in the high nibble, 1 = on
    std::uint8_t offByte;
};

// The on and off parameters of GS F n for one function.
constexpr FunctionSwitch SwitchOf(const char* enableCaption, const char* disableCaption,
                                  escpos::PrinterFunction function) {
    return {enableCaption, disableCaption, escpos::FunctionSwitchParameter(function, true),
            escpos::FunctionSwitchParameter(function, false)};
}

inline constexpr FunctionSwitch kBlackMarkSwitch =
    SwitchOf(texts::TranslateLater("MainWindow", "开启黑标"),
             texts::TranslateLater("MainWindow", "关闭黑标"), escpos::PrinterFunction::BlackMark);
inline constexpr FunctionSwitch kNearEndSwitch = SwitchOf(
    texts::TranslateLater("MainWindow", "开启纸将尽检测"),
    texts::TranslateLater("MainWindow", "关闭纸将尽检测"), escpos::PrinterFunction::NearEndSensor);
inline constexpr FunctionSwitch kPaperTakeSwitch =
    SwitchOf(texts::TranslateLater("MainWindow", "开启取纸传感功能"),
             texts::TranslateLater("MainWindow", "关闭取纸传感功能"),
             escpos::PrinterFunction::PaperTakenSensor);
inline constexpr FunctionSwitch kCutterSwitch =
    SwitchOf(texts::TranslateLater("MainWindow", "开启切刀功能"),
             texts::TranslateLater("MainWindow", "关闭切刀功能"), escpos::PrinterFunction::Cutter);

struct SwitchStep {
    std::uint8_t n;          // the parameter of GS F n to send
    const char* newCaption;  // UTF-8
};

// What a click does given the button's caption as GBK bytes: the enable caption switches
// the function on; any other text (the disable caption included) switches it off.
SwitchStep NextSwitchStep(const FunctionSwitch& function, std::string_view captionGbk);

// One of a switch's captions as the window shows it, in the user's language (UTF-8).
std::string SwitchCaption(const char* caption);

// The same step for the caption the window shows (UTF-8): its translated enable caption
// switches the function on; other texts are compared as GBK as above.
SwitchStep NextSwitchStepShown(const FunctionSwitch& function, const std::string& shownCaption);

}  // namespace quillora
