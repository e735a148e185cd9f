#include "commands/FunctionSwitch.h"

#include "platform/CodePage936.h"

namespace quillora {

SwitchStep NextSwitchStep(const FunctionSwitch& function, std::string_view captionGbk) {
    // Compared as the printer-side GBK text, whole and exact.
    if (captionGbk == ToGbk(function.enableCaption)) {
        return {function.onByte, function.disableCaption};
    }
    return {function.offByte, function.enableCaption};
}

std::string SwitchCaption(const char* caption) {
    return texts::translate("MainWindow", caption);
}

SwitchStep NextSwitchStepShown(const FunctionSwitch& function, const std::string& shownCaption) {
    if (shownCaption == SwitchCaption(function.enableCaption)) {
        return {function.onByte, function.disableCaption};
    }
    return NextSwitchStep(function, ToGbk(shownCaption));
}

}  // namespace quillora
