#include "gui/ControlTable.h"

#include <QCoreApplication>
#include <array>

namespace quillora {
namespace {

using K = ControlKind;

// One entry a line, as the template lists its controls.
// clang-format off
constexpr std::array kControls{
    TemplateControl{kNoId, K::GroupBox, QT_TRANSLATE_NOOP("MainWindow", "打印测试"), {7, 3, 162, 209}, false},
    TemplateControl{1000, K::MultiLineEdit, "", {15, 17, 143, 132}, true},
    TemplateControl{kNoId, K::GroupBox, QT_TRANSLATE_NOOP("MainWindow", "端口选择"), {173, 3, 171, 40}, false},
    TemplateControl{1001, K::DropDownList, "", {183, 19, 82, 103}, true},
    TemplateControl{1002, K::PushButton, QT_TRANSLATE_NOOP("MainWindow", "属性"), {278, 17, 50, 14}, true},
    TemplateControl{kNoId, K::GroupBox, QT_TRANSLATE_NOOP("MainWindow", "打印机基本测试"), {173, 51, 171, 112}, false},
    TemplateControl{kNoId, K::GroupBox, QT_TRANSLATE_NOOP("MainWindow", "打印参数设置"), {7, 221, 161, 54}, false},
    TemplateControl{1003, K::PushButton, QT_TRANSLATE_NOOP("MainWindow", "开启黑标"), {19, 237, 66, 14}, true},
    TemplateControl{1004, K::PushButton, QT_TRANSLATE_NOOP("MainWindow", "开启纸将尽检测"), {93, 237, 66, 14}, true},
    TemplateControl{1005, K::PushButton, QT_TRANSLATE_NOOP("MainWindow", "开启取纸传感功能"), {19, 257, 66, 14}, true},
    TemplateControl{1006, K::PushButton, QT_TRANSLATE_NOOP("MainWindow", "开启切刀功能"), {93, 257, 66, 14}, true},
    TemplateControl{kNoId, K::GroupBox, QT_TRANSLATE_NOOP("MainWindow", "打印机连续疲劳测试"), {173, 171, 171, 80}, false},
    TemplateControl{1007, K::PushButton, QT_TRANSLATE_NOOP("MainWindow", "单张打印测试"), {178, 64, 53, 14}, true},
    TemplateControl{1008, K::PushButton, QT_TRANSLATE_NOOP("MainWindow", "半切"), {234, 64, 53, 14}, true},
    TemplateControl{1009, K::PushButton, QT_TRANSLATE_NOOP("MainWindow", "全切"), {289, 64, 53, 14}, true},
    TemplateControl{1010, K::PushButton, QT_TRANSLATE_NOOP("MainWindow", "走纸"), {178, 83, 53, 14}, true},
    TemplateControl{1011, K::PushButton, QT_TRANSLATE_NOOP("MainWindow", "弹钱箱"), {234, 83, 53, 14}, true},
    TemplateControl{1012, K::PushButton, QT_TRANSLATE_NOOP("MainWindow", "条码打印"), {289, 83, 53, 14}, true},
    TemplateControl{1013, K::PushButton, QT_TRANSLATE_NOOP("MainWindow", "字体多倍放大"), {178, 102, 53, 14}, true},
    TemplateControl{1014, K::PushButton, QT_TRANSLATE_NOOP("MainWindow", "下载位图打印"), {234, 102, 53, 14}, true},
    TemplateControl{1015, K::PushButton, QT_TRANSLATE_NOOP("MainWindow", "黑标检测"), {289, 102, 53, 14}, true},
    TemplateControl{1016, K::PushButton, QT_TRANSLATE_NOOP("MainWindow", "纸将尽检测"), {178, 121, 53, 14}, true},
    TemplateControl{1017, K::PushButton, QT_TRANSLATE_NOOP("MainWindow", "取纸报警测试"), {234, 121, 53, 14}, true},
    TemplateControl{1018, K::PushButton, QT_TRANSLATE_NOOP("MainWindow", "串口打印状态"), {289, 121, 53, 14}, true},
    TemplateControl{1019, K::PushButton, QT_TRANSLATE_NOOP("MainWindow", "驱动程序打印"), {178, 140, 53, 14}, true},
    TemplateControl{1020, K::PushButton, QT_TRANSLATE_NOOP("MainWindow", "图形打印"), {234, 140, 53, 14}, true},
    TemplateControl{1021, K::PushButton, QT_TRANSLATE_NOOP("MainWindow", "字体对齐"), {289, 140, 53, 14}, true},
    TemplateControl{kNoId, K::StaticText, QT_TRANSLATE_NOOP("MainWindow", "每张隔"), {182, 193, 25, 8}, false},
    TemplateControl{1022, K::LineEdit, "", {209, 191, 28, 14}, true},
    TemplateControl{kNoId, K::StaticText, QT_TRANSLATE_NOOP("MainWindow", "秒,连续打印"), {243, 193, 45, 8}, false},
    TemplateControl{1023, K::LineEdit, "", {291, 190, 34, 14}, true},
    TemplateControl{kNoId, K::StaticText, QT_TRANSLATE_NOOP("MainWindow", "张"), {327, 191, 9, 8}, false},
    TemplateControl{1024, K::RadioButton, QT_TRANSLATE_NOOP("MainWindow", "直接写端口打印"), {182, 212, 72, 10}, false},
    TemplateControl{1025, K::RadioButton, QT_TRANSLATE_NOOP("MainWindow", "驱动程序方式打印"), {259, 212, 80, 10}, false},
    TemplateControl{1026, K::CheckBox, QT_TRANSLATE_NOOP("MainWindow", "自动切纸"), {183, 232, 48, 10}, true},
    TemplateControl{1027, K::CheckBox, QT_TRANSLATE_NOOP("MainWindow", "混合大字"), {237, 232, 48, 10}, true},
    TemplateControl{1028, K::CheckBox, QT_TRANSLATE_NOOP("MainWindow", "打印LOGO"), {288, 232, 48, 10}, true},
    TemplateControl{1029, K::PushButton, QT_TRANSLATE_NOOP("MainWindow", "开始连续打印"), {185, 260, 60, 14}, true},
    TemplateControl{1030, K::PushButton, QT_TRANSLATE_NOOP("MainWindow", "打印文件"), {282, 260, 53, 14}, true},
    TemplateControl{kNoId, K::EtchedLine, "", {17, 155, 141, 1}, false},
    TemplateControl{kNoId, K::StaticText, QT_TRANSLATE_NOOP("MainWindow",
        "使用说明:测试前,了解打印机当前的功能,如果使用端口打印请先选择相应的连接端口,"
        "例如LPT1、COM1等。如果采用驱动测试打印,要先在系统上安装好打印机驱动。"),
        {17, 162, 143, 42}, false},
};
// clang-format on

constexpr std::array kTestControlIds{1000, 1001, 1002, 1007, 1008, 1009, 1010, 1011, 1012, 1013,
                                     1014, 1015, 1016, 1017, 1018, 1019, 1020, 1021, 1030, 1003,
                                     1004, 1005, 1006, 1022, 1023, 1024, 1025, 1026, 1027, 1028};
static_assert(kTestControlIds.size() == 30);
static_assert(kControls.size() == 41);

}  // namespace

std::span<const TemplateControl> MainWindowControls() {
    return kControls;
}
QString WindowCaption(const char* caption) {
    if (caption[0] == '\0') return {};
    return QCoreApplication::translate("MainWindow", caption);
}

std::span<const int> TestControlIds() {
    return kTestControlIds;
}

}  // namespace quillora
