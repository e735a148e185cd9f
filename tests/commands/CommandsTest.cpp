// The command buttons over a recording driver, then through the real port driver to a raw
// TCP port on loopback.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <cstdlib>
#include <map>

#include "checks/DataExchange.h"
#include "commands/StatusDecoding.h"
#include "gui/ControlTable.h"
#include "port/FdIo.h"
#include "port/SystemPortDriver.h"
#include "support/DialogHarness.h"
#include "support/ExpectedCommandBytes.h"
#include "support/HexBytes.h"
#include "support/LoopbackAddress.h"

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << text.toStdString();
}

namespace quillora::test {
namespace {

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

TEST(StatusDecoding, RepliesAndTheirTexts) {
    // Near end is bit two or three.
    for (std::uint8_t reply : {0x04, 0x08, 0xFF}) EXPECT_EQ(NearEndText(reply), "纸将尽");
    for (std::uint8_t reply : {0x00, 0x73, 0xF3}) EXPECT_EQ(NearEndText(reply), "纸ok");
    EXPECT_EQ(PaperTakenText(0x32), "无纸!");
    EXPECT_EQ(PaperTakenText(0x12), "有纸!");
    EXPECT_EQ(PaperTakenText(0x9A), "返回数据不正确:0x9a");
    EXPECT_EQ(SerialStatusText(0x12, 0x12), "返回值:0x12,0x12,盖关好,有纸,");
    EXPECT_EQ(SerialStatusText(0x36, 0x1E), "返回值:0x36,0x1e,盖打开,缺纸,纸将尽");
    EXPECT_EQ(SerialStatusText(0x04, 0x08), "返回值:0x4,0x8,盖打开,有纸,纸将尽");
    EXPECT_EQ(SerialStatusText(0x20, 0x00), "返回值:0x20,0x0,盖关好,缺纸,");
}

// The main window over a recording driver with COM1, COM2, LPT1, USB1 and 127.0.4.1.
class CommandDialogTest : public testing::Test {
protected:
    enum Entry { kCom1, kCom2, kLpt1, kUsb1, kIp };

    MainTestDialog& Open(Entry selected = kCom1) {
        h.ports.comCount = 2;
        h.ports.lptCount = h.ports.usbCount = 1;
        h.WriteFile("Option.ini", "[System]\nPort=" + std::to_string(selected) +
                                      "\nIp1=127\nIp2=0\nIp3=4\nIp4=1\n");
        MainTestDialog& dialog = h.Create();
        dialog.show();
        h.ports.Clear();
        return dialog;
    }
    void Click(int id) { QTest::mouseClick(h.dialog->Control(id), Qt::LeftButton); }
    std::vector<std::string> SentHex() const { return ToHex(h.ports.SentBlocks()); }
    std::vector<PortName> PortsUsed() const {
        std::vector<PortName> ports;
        for (const auto& call : h.ports.Calls()) ports.push_back(call.port);
        return ports;
    }
    void ExpectOneMessage(const char* text) {
        ASSERT_EQ(h.messages.shown.size(), 1u);
        EXPECT_EQ(h.messages.shown[0].text, Text(text));
        EXPECT_EQ(h.messages.shown[0].icon, MessageIcon::Information);
    }

    DialogHarness h;
};

TEST_F(CommandDialogTest, OneShotButtonsSendTheirBlocksInOrderToTheSelectedPort) {
    Open(kLpt1);
    const std::vector<std::pair<int, std::vector<std::string>>> buttons{
        {ctl::HalfCut, {kHalfCutHex}},
        {ctl::FullCut, {kFullCutHex}},
        {ctl::Feed, {kFeedHex}},
        {ctl::CashDrawer, {kCashDrawerHex}},
        {ctl::BlackMarkFeed, {kBlackMarkFeedHex}},
        {ctl::Barcode, kBarcodePageHex},
        {ctl::Enlargement, EnlargementHex()},
        {ctl::Alignment, AlignmentHex()},
    };
    for (const auto& [id, hex] : buttons) {
        h.ports.Clear();
        Click(id);
        EXPECT_EQ(SentHex(), hex) << id;
        EXPECT_EQ(PortsUsed(), std::vector<PortName>(hex.size(), "LPT1")) << id;
    }
    EXPECT_TRUE(h.messages.shown.empty());
}

TEST_F(CommandDialogTest, SinglePrintSendsGbkWithCrLfAndReportsAShortSend) {
    MainTestDialog& dialog = Open(kUsb1);
    auto* box = static_cast<QPlainTextEdit*>(dialog.Control(ctl::TextBox));
    box->setPlainText(Text(kSinglePrintText));
    Click(ctl::SinglePrint);
    EXPECT_EQ(SentHex(), std::vector<std::string>{kSinglePrintHex});

    box->setPlainText("ABCDE");
    h.ports.sendResult = [](const PortName&, int length) { return length - 3; };
    h.ports.errorText = "write /dev/usb/lp0: " + std::generic_category().message(EACCES);
    Click(ctl::SinglePrint);
    // The test's own report first, then what, where, the driver's error and the hint.
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text,
              Text("数据没有完全发送成功!4/7\n"
                   "“单张打印测试”的数据没有全部发送到 USB1,已发送字节:4/7。\n"
                   "错误:") +
                  QString::fromStdString(h.ports.errorText) +
                  Text("\n提示:没有访问设备的权限。请把用户加入 dialout 组(串口)和 lp 组"
                       "(打印机端口),然后重新登录。"));
    EXPECT_EQ(h.messages.shown[0].icon, MessageIcon::Exclamation);
}

TEST_F(CommandDialogTest, PrintFileSendsTheFileRawInOneCallAndRefusesAHugeOne) {
    Open(kCom1);
    h.WriteFile("job.prn", Hex(kPrintFileHex));
    h.WriteFile("huge.prn", "");
    ASSERT_EQ(::truncate(h.Path("huge.prn").c_str(), std::int64_t{1} << 31), 0);
    for (const char* name : {"job.prn", "huge.prn"}) {
        h.files.answers.push_back(QString::fromStdString(h.Path(name)));
        Click(ctl::PrintFile);
    }
    EXPECT_EQ(h.files.filtersAsked, std::vector<QString>(2, "All Files (*.*)|*.*||"));
    EXPECT_EQ(SentHex(), std::vector<std::string>{kPrintFileHex});
    ExpectOneMessage("文件太大,无法一次发送!");
}

// Letters in box 1023 make the first pull of a button's run prompt, before anything is sent.
TEST_F(CommandDialogTest, LettersInCopiesPromptOnceBeforeTheFirstSendThenTheButtonRuns) {
    Open();
    static_cast<QLineEdit*>(h.dialog->Control(ctl::Copies))->setText("abc");
    size_t callsWhenPrompted = 99;
    h.messages.onShow = [&](const RecordingMessages::Shown&) {
        callsWhenPrompted = h.ports.Calls().size();
    };
    Click(ctl::Barcode);
    h.messages.onShow = nullptr;
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, QString::fromStdString(EnterIntegerPrompt()));
    EXPECT_EQ(h.messages.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(callsWhenPrompted, 0u);
    EXPECT_EQ(SentHex(), kBarcodePageHex);
}

// The caption flips before the send, and a send that writes nothing shows no message.
TEST_F(CommandDialogTest, SwitchButtonsSendOnThenOffAndFlipTheirCaption) {
    MainTestDialog& dialog = Open(kIp);
    int current = 0;
    std::vector<QString> captionsDuringSend;
    h.ports.sendResult = [&](const PortName&, int) {
        captionsDuringSend.push_back(dialog.ControlText(current));
        return 0;
    };
    const std::map<int, SwitchRow> rows{
        {ctl::BlackMarkSwitch, kBlackMarkSwitchRow},
        {ctl::NearEndSwitch, kNearEndSwitchRow},
        {ctl::PaperTakeSwitch, kPaperTakeSwitchRow},
        {ctl::CutterSwitch, kCutterSwitchRow},
    };
    for (const auto& [id, row] : rows) {
        h.ports.Clear();
        captionsDuringSend.clear();
        current = id;
        Click(id);
        Click(id);
        EXPECT_EQ(captionsDuringSend,
                  (std::vector<QString>{Text(row.disableCaption), Text(row.enableCaption)}));
        EXPECT_EQ(SentHex(), (std::vector<std::string>{row.onHex, row.offHex})) << id;
        EXPECT_EQ(PortsUsed(), std::vector<PortName>(2, "127.0.4.1"));
    }
    // Every refused send is reported under the caption that was clicked.
    std::vector<QString> reports;
    for (const auto& [id, row] : rows) {
        for (const char* caption : {row.enableCaption, row.disableCaption}) {
            reports.push_back(Text("“") + Text(caption) +
                              Text("”的数据没有全部发送到 127.0.4.1,已发送字节:0/3。"));
        }
    }
    std::vector<QString> shown;
    for (const auto& message : h.messages.shown) shown.push_back(message.text);
    EXPECT_EQ(shown, reports);
}

TEST_F(CommandDialogTest, StatusQueriesRefuseOtherConnectionsAndReportAMissingReply) {
    Open(kIp);
    Click(ctl::SerialStatus);
    ExpectOneMessage("目前仅支持串口打印机!");
    EXPECT_TRUE(h.ports.Calls().empty());
    Open(kCom2);
    // The last printer answers only the first of the two queries.
    for (const auto& [id, queryHex, reply, count, message] :
         std::vector<std::tuple<int, std::string, const char*, int, const char*>>{
             {ctl::NearEndQuery, kNearEndQueryHex, "", 1, "读取数据失败!"},
             {ctl::PaperTakenQuery, kPaperTakenQueryHex, "", 1, "读取返回数据失败!"},
             {ctl::SerialStatus, kSerialStatusQueryHex, "\x12", 2, "读取数据失败!"}}) {
        h.ports.Clear();
        h.messages.shown.clear();
        h.ports.replies = {reply};
        Click(id);
        ExpectOneMessage(message);
        const auto calls = h.ports.Calls();
        ASSERT_EQ(calls.size(), 2u) << message;
        EXPECT_EQ(calls[0].operation + " " + ToHex(calls[0].bytes), "SendData " + queryHex);
        EXPECT_EQ(calls[1].operation, "ReadData");
        EXPECT_EQ(calls[1].args, std::vector<int>{count});
    }
}

// The window over the system port driver (LPT1 and USB1 plain files, so the list is COM1 LPT1
// USB1 IP); the kernel completes the connection to the listening port, taken up after the click.
TEST(PortEndToEnd, BarcodePageReachesANetworkPrinter) {
    const UniqueFd listener(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0));
    const int yes = 1;
    ::setsockopt(listener.Get(), SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in where{AF_INET, htons(9100), {}, {}};
    ::inet_pton(AF_INET, LoopbackAddress(4, 21).c_str(), &where.sin_addr);
    ASSERT_EQ(::bind(listener.Get(), reinterpret_cast<sockaddr*>(&where), sizeof where), 0);
    ASSERT_EQ(::listen(listener.Get(), 1), 0);
    DialogHarness h;
    const std::string ports =
        "COM1=" + h.Path("com1") + ";LPT1=" + h.Path("lpt1") + ";USB1=" + h.Path("usb1");
    ::setenv("QUILLORA_PORTS", ports.c_str(), 1);
    const std::unique_ptr<PortDriver> driver = CreateSystemPortDriver();
    ::unsetenv("QUILLORA_PORTS");
    h.WriteFile("Option.ini", "[System]\nPort=3\n" + LoopbackIpSettings(4, 21));
    AppServices services{*driver, h.messages, h.files, h.clock, h.noPrinters};
    MainTestDialog dialog(services);
    dialog.show();
    QTest::mouseClick(dialog.Control(ctl::Barcode), Qt::LeftButton);
    const UniqueFd connection(::accept(listener.Get(), nullptr, nullptr));
    std::string expected, received;
    for (const std::string& block : kBarcodePageHex) expected += Hex(block);
    char buffer[512];
    for (pollfd ready{connection.Get(), POLLIN, 0};
         received.size() < expected.size() && ::poll(&ready, 1, 5000) > 0;) {
        const ssize_t got = ::read(connection.Get(), buffer, sizeof buffer);
        if (got <= 0) break;
        received.append(buffer, size_t(got));
    }
    EXPECT_EQ(ToHex(received), ToHex(expected));
}

}  // namespace
}  // namespace quillora::test
