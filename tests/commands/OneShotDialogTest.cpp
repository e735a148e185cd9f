#include <sys/stat.h>
#include <unistd.h>
#include <QPlainTextEdit>

#include "commands/CommandDialogFixture.h"

namespace quillora::test {
namespace {

using OneShotTest = CommandDialogTest;

TEST_F(OneShotTest, OneLineButtonsSendTheirCommandOnceAndReportNothing) {
    Open(kCom2);
    const std::vector<std::pair<int, std::string>> buttons{
        {ctl::HalfCut, "1B 6D"},       {ctl::FullCut, "1D 56 00"},
        {ctl::Feed, "1B 64 0A"},       {ctl::CashDrawer, "1B 39 00 05 0A"},
        {ctl::BlackMarkFeed, "1D 0C"},
    };
    for (const auto& [id, hex] : buttons) {
        h.ports.Clear();
        Click(id);
        EXPECT_EQ(SentHex(), std::vector<std::string>{hex}) << id;
        EXPECT_EQ(PortsUsed(), std::vector<PortName>{"COM2"}) << id;
    }
    EXPECT_TRUE(h.messages.shown.empty());
}

TEST_F(OneShotTest, CashDrawerPulseIsTheSameOnEveryKindOfPort) {
    const std::vector<std::pair<Entry, PortName>> entries{
        {kLpt1, "LPT1"}, {kUsb1, "USB1"}, {kIp, "127.0.4.1"}};
    for (const auto& [entry, port] : entries) {
        Open(entry);
        Click(ctl::CashDrawer);
        EXPECT_EQ(SentHex(), std::vector<std::string>{"1B 39 00 05 0A"}) << port;
        EXPECT_EQ(PortsUsed(), std::vector<PortName>{port});
    }
}

TEST_F(OneShotTest, BarcodeEnlargementAndAlignmentSendTheirBlocksInOrderToOnePort) {
    Open(kLpt1);
    Click(ctl::Barcode);
    EXPECT_EQ(SentHex(), expected::kBarcodePage);
    h.ports.Clear();
    Click(ctl::Enlargement);
    EXPECT_EQ(SentHex(), expected::kEnlargement);
    h.ports.Clear();
    Click(ctl::Alignment);
    EXPECT_EQ(SentHex(), expected::kAlignment);
    EXPECT_EQ(PortsUsed(), std::vector<PortName>(3, "LPT1"));
}

TEST_F(OneShotTest, SinglePrintSendsTheTextBoxAsGbkWithCrLf) {
    MainTestDialog& dialog = Open(kUsb1);
    // 测试 then a line break the widget keeps as LF.
    static_cast<QPlainTextEdit*>(dialog.Control(ctl::TextBox))
        ->setPlainText(QString::fromUtf8("测试\nAB"));
    Click(ctl::SinglePrint);
    EXPECT_EQ(SentHex(), std::vector<std::string>{"B2 E2 CA D4 0D 0A 41 42 0D 0A"});
    EXPECT_EQ(PortsUsed(), std::vector<PortName>{"USB1"});
    EXPECT_TRUE(h.messages.shown.empty());
}

TEST_F(OneShotTest, SinglePrintReportsAShortSend) {
    MainTestDialog& dialog = Open();
    static_cast<QPlainTextEdit*>(dialog.Control(ctl::TextBox))->clear();
    h.ports.sendResult = [](const PortName&, int) { return 0; };
    Click(ctl::SinglePrint);
    EXPECT_EQ(SentHex(), std::vector<std::string>{"0D 0A"});
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, QString::fromUtf8("数据没有完全发送成功!0/2"));
    EXPECT_EQ(h.messages.shown[0].icon, MessageIcon::Information);

    h.messages.shown.clear();
    static_cast<QPlainTextEdit*>(dialog.Control(ctl::TextBox))->setPlainText("ABCDE");
    h.ports.sendResult = [](const PortName&, int length) { return length - 3; };
    Click(ctl::SinglePrint);
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, QString::fromUtf8("数据没有完全发送成功!4/7"));
}

TEST_F(OneShotTest, PrintFileSendsTheWholeFileRawInOneCall) {
    Open(kCom1);
    const std::string bytes("\x1B\x40\x00\xB2\xE2\r\n\xFF", 8);
    h.WriteFile("job.prn", bytes);
    h.files.answers.push_back(QString::fromStdString(h.Path("job.prn")));
    Click(ctl::PrintFile);
    EXPECT_EQ(h.files.filtersAsked, std::vector<QString>{"All Files (*.*)|*.*||"});
    EXPECT_EQ(SentHex(), std::vector<std::string>{"1B 40 00 B2 E2 0D 0A FF"});
    EXPECT_EQ(PortsUsed(), std::vector<PortName>{"COM1"});
    EXPECT_TRUE(h.messages.shown.empty());
}

TEST_F(OneShotTest, PrintFileSendsAnEmptyFileAsALengthZeroCall) {
    Open();
    h.WriteFile("empty.prn", "");
    h.files.answers.push_back(QString::fromStdString(h.Path("empty.prn")));
    Click(ctl::PrintFile);
    const auto sends = h.ports.Calls("SendData");
    ASSERT_EQ(sends.size(), 1u);
    EXPECT_EQ(sends[0].args, std::vector<int>{0});
}

// Letters in box 1023 make every pull show a prompt: no prompt means no pull.
TEST_F(OneShotTest, PrintFileCancelledOrUnreadableSendsNothingAndDoesNotPull) {
    Open();
    SetCopies("abc");
    h.files.answers.push_back(std::nullopt);
    Click(ctl::PrintFile);
    h.files.answers.push_back(QString::fromStdString(h.Path("missing.prn")));
    Click(ctl::PrintFile);
    h.files.answers.push_back(QString::fromStdString(h.dir.path().toStdString()));
    Click(ctl::PrintFile);
    EXPECT_EQ(h.files.filtersAsked.size(), 3u);
    EXPECT_TRUE(h.ports.Calls().empty());
    EXPECT_TRUE(h.messages.shown.empty());
}

TEST_F(OneShotTest, PrintFileRefusesAFileThatOneSendCannotCarry) {
    Open();
    h.WriteFile("huge.prn", "");
    ASSERT_EQ(::truncate(h.Path("huge.prn").c_str(), std::int64_t{1} << 31), 0);
    h.files.answers.push_back(QString::fromStdString(h.Path("huge.prn")));
    Click(ctl::PrintFile);
    EXPECT_TRUE(h.ports.Calls().empty());
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, QString::fromUtf8("文件太大,无法一次发送!"));
    EXPECT_EQ(h.messages.shown[0].icon, MessageIcon::Information);
}

}  // namespace
}  // namespace quillora::test
