#include "checks/CheckCatalogue.h"

#include <algorithm>
#include <array>

#include "checks/ContinuousCheck.h"
#include "checks/DriverPrinting.h"
#include "checks/PictureChecks.h"
#include "checks/PrinterStateChecks.h"
#include "checks/SendChecks.h"
#include "checks/StatusChecks.h"
#include "checks/SymbolChecks.h"
#include "commands/CommandBytes.h"

namespace quillora {
namespace {

using A = CheckArgument;

std::vector<CommandBlock> HalfCut() {
    return {HalfCutBlock()};
}
std::vector<CommandBlock> FullCut() {
    return {FullCutBlock()};
}
std::vector<CommandBlock> Feed() {
    return {FeedBlock()};
}
std::vector<CommandBlock> CashDrawer() {
    return {CashDrawerBlock()};
}
std::vector<CommandBlock> BlackMarkFeed() {
    return {BlackMarkFeedBlock()};
}

// The control ids are the window template's (gui/ControlTable.h); a test holds the two
// tables to each other.
constexpr std::array kChecks{
    Check{"single", "[=TEXT|=@FILE]", A::SampleText, "单张打印测试", 1007, false, false, false,
          &PrepareSinglePrint},
    Check{"half-cut", "", A::None, "半切", 1008, false, false, false,
          &PrepareFixedBlocks<&HalfCut>},
    Check{"full-cut", "", A::None, "全切", 1009, false, false, false,
          &PrepareFixedBlocks<&FullCut>},
    Check{"feed", "", A::None, "走纸", 1010, false, false, false, &PrepareFixedBlocks<&Feed>},
    Check{"drawer", "", A::None, "弹钱箱", 1011, false, false, false,
          &PrepareFixedBlocks<&CashDrawer>},
    Check{"barcodes", "", A::None, "条码打印", 1012, false, false, false,
          &PrepareFixedBlocks<&BarcodePageBlocks>},
    Check{"enlarge", "", A::None, "字体多倍放大", 1013, false, false, false,
          &PrepareFixedBlocks<&EnlargementBlocks>},
    Check{"black-mark-feed", "", A::None, "黑标检测", 1015, false, false, false,
          &PrepareFixedBlocks<&BlackMarkFeed>},
    Check{"align", "", A::None, "字体对齐", 1021, false, false, false,
          &PrepareFixedBlocks<&AlignmentBlocks>},
    Check{"file", "=PATH", A::File, "打印文件", 1030, false, false, false, &PreparePrintFile},
    Check{"switch:black-mark", "=on|off", A::Setting, "开启黑标", 1003, false, false, false,
          &PrepareSwitch<kBlackMarkSwitch>},
    Check{"switch:near-end", "=on|off", A::Setting, "开启纸将尽检测", 1004, false, false, false,
          &PrepareSwitch<kNearEndSwitch>},
    Check{"switch:paper-take", "=on|off", A::Setting, "开启取纸传感功能", 1005, false, false, false,
          &PrepareSwitch<kPaperTakeSwitch>},
    Check{"switch:cutter", "=on|off", A::Setting, "开启切刀功能", 1006, false, false, false,
          &PrepareSwitch<kCutterSwitch>},
    Check{"near-end", "", A::None, "纸将尽检测", 1016, true, false, false,
          &PrepareStatusQuery<&NearEndQuery>},
    Check{"paper-taken", "", A::None, "取纸报警测试", 1017, true, false, false,
          &PrepareStatusQuery<&PaperTakenQuery>},
    Check{"serial-status", "", A::None, "串口打印状态", 1018, true, false, false,
          &PrepareStatusQuery<&SerialStatusQuery>},
    Check{"nv-logo", "=BMP", A::File, "下载位图打印", 1014, false, false, false, &PrepareNvLogo},
    Check{"raster", "=BMP", A::File, "图形打印", 1020, false, false, false, &PrepareRasterGraphics},
    Check{"driver-page", "[=QUEUE]", A::Queue, "驱动程序打印", 1019, false, false, true,
          &PrepareDriverPrint},
    Check{"fatigue", "=N", A::Count, "开始连续打印", 1029, false, true, false, &PrepareContinuous},
    // Reached from the window's context menu; any connection that answers.
    Check{"qr", "[=TEXT]", A::Text, "二维码打印", kNoButton, false, false, false,
          &PrepareSymbol<SymbolKind::Qr>},
    Check{"pdf417", "[=TEXT]", A::Text, "PDF417打印", kNoButton, false, false, false,
          &PrepareSymbol<SymbolKind::Pdf417>},
    Check{"status", "", A::None, "打印机状态", kNoButton, false, false, false,
          &PreparePrinterStatus},
    Check{"info", "", A::None, "打印机信息", kNoButton, false, false, false,
          &PreparePrinterInformation},
};

template <class Matches>
const Check* Find(Matches matches) {
    const auto found = std::find_if(kChecks.begin(), kChecks.end(), matches);
    return found == kChecks.end() ? nullptr : &*found;
}

}  // namespace

std::span<const Check> CheckCatalogue() {
    return kChecks;
}

const Check* FindCheckByName(std::string_view commandLineName) {
    return Find([&](const Check& check) { return check.commandLineName == commandLineName; });
}

const Check* FindCheckByControl(int controlId) {
    if (controlId == kNoButton) return nullptr;
    return Find([&](const Check& check) { return check.controlId == controlId; });
}

void RunCheck(const Check& check, CheckHost& host) {
    if (const std::optional<ReadyCheck> ready = check.prepare(host)) (*ready)(host);
}

}  // namespace quillora
