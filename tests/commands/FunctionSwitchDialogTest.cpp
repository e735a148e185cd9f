#include "commands/CommandDialogFixture.h"

namespace quillora::test {
namespace {

using FunctionSwitchButtons = CommandDialogTest;

TEST_F(FunctionSwitchButtons, TwoClicksSwitchOnThenOffAndFlipTheCaptionTwice) {
    MainTestDialog& dialog = Open(kCom2);
    struct Row {
        int id;
        const char* enable;
        const char* disable;
        std::string on, off;
    };
    const std::vector<Row> rows{
        {ctl::BlackMarkSwitch, "开启黑标", "关闭黑标", "1D 46 21", "1D 46 20"},
        {ctl::NearEndSwitch, "开启纸将尽检测", "关闭纸将尽检测", "1D 46 11", "1D 46 10"},
        {ctl::PaperTakeSwitch, "开启取纸传感功能", "关闭取纸传感功能", "1D 46 41", "1D 46 40"},
        {ctl::CutterSwitch, "开启切刀功能", "关闭切刀功能", "1D 46 31", "1D 46 30"},
    };
    for (const Row& row : rows) {
        h.ports.Clear();
        EXPECT_EQ(dialog.ControlText(row.id), QString::fromUtf8(row.enable));
        Click(row.id);
        EXPECT_EQ(dialog.ControlText(row.id), QString::fromUtf8(row.disable));
        Click(row.id);
        EXPECT_EQ(dialog.ControlText(row.id), QString::fromUtf8(row.enable));
        EXPECT_EQ(SentHex(), (std::vector<std::string>{row.on, row.off})) << row.id;
        EXPECT_EQ(PortsUsed(), std::vector<PortName>(2, "COM2"));
    }
    EXPECT_TRUE(h.messages.shown.empty());
}

TEST_F(FunctionSwitchButtons, CaptionFlipsBeforeTheSendEvenWhenNothingIsWritten) {
    MainTestDialog& dialog = Open(kIp);
    QString captionDuringSend;
    h.ports.sendResult = [&](const PortName&, int) {
        captionDuringSend = dialog.ControlText(ctl::CutterSwitch);
        return 0;
    };
    Click(ctl::CutterSwitch);
    EXPECT_EQ(captionDuringSend, QString::fromUtf8("关闭切刀功能"));
    EXPECT_EQ(dialog.ControlText(ctl::CutterSwitch), QString::fromUtf8("关闭切刀功能"));
    EXPECT_EQ(PortsUsed(), std::vector<PortName>{"127.0.4.1"});
    EXPECT_TRUE(h.messages.shown.empty());
    h.ports.sendResult = [](const PortName&, int length) { return length; };
}

TEST_F(FunctionSwitchButtons, AnyOtherCaptionCountsAsOn) {
    MainTestDialog& dialog = Open();
    dialog.SetControlText(ctl::BlackMarkSwitch, QString::fromUtf8("开启黑标 "));
    Click(ctl::BlackMarkSwitch);
    EXPECT_EQ(SentHex(), std::vector<std::string>{"1D 46 20"});
    EXPECT_EQ(dialog.ControlText(ctl::BlackMarkSwitch), QString::fromUtf8("开启黑标"));
}

}  // namespace
}  // namespace quillora::test
