// "打印机状态" against the virtual printer, over TCP (automatic status back) and over its
// pseudo-terminal (polling): each light follows the sensors set through the control FIFO,
// a stopped printer goes grey with "无响应", a restarted one comes back; the exchanges are in
// the traffic record. And the main window's ways in: Ctrl+S and the QR dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <memory>

#include "PrinterHarness.h"
#include "gui/StatusWindow.h"
#include "gui/SymbolDialog.h"
#include "monitor/TrafficLog.h"
#include "port/LinuxPortDriver.h"
#include "port/TracingPortDriver.h"
#include "support/DialogHarness.h"
#include "support/HexBytes.h"
#include "support/LoopbackAddress.h"

namespace quillora::test {
namespace {

using vprinter::test::PrinterProcess;

class StatusWindowOnPrinter : public testing::TestWithParam<bool> {
protected:
    bool OverTcp() const { return GetParam(); }
    QString Address() const { return QString::fromStdString(LoopbackAddress(25, 1)); }
    QString Link() const { return dir_.filePath(QStringLiteral("COM1")); }
    QString Control() const { return dir_.filePath(QStringLiteral("vp.ctl")); }
    PortName Port() const { return OverTcp() ? Address().toStdString() : "COM1"; }

    bool StartPrinter() {
        printer_.reset();
        printer_ = std::make_unique<PrinterProcess>(QStringList{
            QStringLiteral("--tcp"), Address() + QStringLiteral(":9100"),
            QStringLiteral("--pty-link"), Link(), QStringLiteral("--control"), Control()});
        return printer_->Ready();
    }
    void Sensor(const char* line) {
        QFile fifo(Control());
        ASSERT_TRUE(fifo.open(QIODevice::WriteOnly));
        fifo.write(QByteArray(line) + '\n');
    }
    // Waits on the window's events until `key` shows `value`; generous, never a sleep.
    bool Shows(const char* key, const char* value) {
        return QTest::qWaitFor([&] { return window_->LightText(key) == QString::fromUtf8(value); },
                               10000);
    }
    StatusWindow& Open(bool polling) {
        window_ = new StatusWindow({tracing_, gate_, clock_, h_.files, h_.messages}, Port());
        window_->SetPolling(polling);
        window_->show();
        return *window_;
    }
    void TearDown() override { delete window_; }

    QTemporaryDir dir_;
    std::unique_ptr<PrinterProcess> printer_;
    DialogHarness h_;
    LinuxPortDriver system_{
        BuildDeviceTable(ParsePortOverrides(("COM1=" + Link()).toStdString())), PortTimeouts{}, {}};
    TrafficLog log_;
    TracingPortDriver tracing_{system_, {&log_}};
    ExchangeGate gate_;
    SystemTickClock clock_;
    QPointer<StatusWindow> window_;
};

TEST_P(StatusWindowOnPrinter, EveryLightFollowsTheSensorsAndNoResponseComesAndGoes) {
    ASSERT_TRUE(StartPrinter());
    StatusWindow& window = Open(!OverTcp());
    ASSERT_TRUE(Shows("cover", "关闭"));
    EXPECT_EQ(window.LightText("online"), QString::fromUtf8("联机"));
    EXPECT_EQ(window.LightText("paper"), QString::fromUtf8("有纸"));
    EXPECT_EQ(window.LightText("cutterError"), QString::fromUtf8("无"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.InformationText().contains("QUILLORA VP-80"); },
                                10000));

    Sensor("cover-open");
    EXPECT_TRUE(Shows("cover", "打开"));
    EXPECT_TRUE(Shows("online", "脱机"));
    if (OverTcp()) {
        const QString folder = qEnvironmentVariable("QUILLORA_ARTIFACTS");
        if (!folder.isEmpty()) {
            QApplication::processEvents();
            EXPECT_TRUE(
                window.grab().save(folder + QStringLiteral("/status-window-cover-open.png")));
        }
    }
    Sensor("cover-closed");
    EXPECT_TRUE(Shows("cover", "关闭"));
    EXPECT_TRUE(Shows("online", "联机"));
    Sensor("paper-near-end");
    EXPECT_TRUE(Shows("paper", "纸将尽"));
    Sensor("paper-out");
    EXPECT_TRUE(Shows("paper", "缺纸"));
    EXPECT_TRUE(Shows("online", "脱机"));
    Sensor("paper-ok");
    EXPECT_TRUE(Shows("paper", "有纸"));

    printer_->Stop();
    for (const char* key : {"online", "paper", "cover", "drawer", "feedButton", "cutterError",
                            "unrecoverableError", "autoRecoverableError"}) {
        EXPECT_TRUE(Shows(key, "无响应")) << key;
    }
    ASSERT_TRUE(StartPrinter());
    EXPECT_TRUE(Shows("cover", "关闭"));
    EXPECT_TRUE(Shows("online", "联机"));

    const QString history = window.HistoryText();
    EXPECT_EQ(history.count(QString::fromUtf8("上盖: 打开")), 1) << history.toStdString();
    EXPECT_EQ(history.count(QString::fromUtf8("打印机: 无响应")), 1) << history.toStdString();
    EXPECT_EQ(history.count(QString::fromUtf8("纸: 纸将尽")), 1) << history.toStdString();
    // The status exchanges are traffic like any other: DLE EOT 1-4 in one send.
    bool queried = false;
    const std::string query = Hex("10 04 01 10 04 02 10 04 03 10 04 04");
    for (const TrafficLog::Entry& entry : log_.Since(0).entries) {
        queried =
            queried || std::string(entry.event->bytes.begin(), entry.event->bytes.end()) == query;
    }
    EXPECT_TRUE(queried);

    // Saved as text, line by line as shown.
    const QString saved = dir_.filePath(QStringLiteral("history.txt"));
    h_.files.saveAnswers.push_back(saved);
    window.SaveHistory();
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(file.readAll()).contains(QString::fromUtf8("上盖: 打开")));
}

INSTANTIATE_TEST_SUITE_P(TcpAutomaticAndPtyPolling, StatusWindowOnPrinter, testing::Bool());

// A save that cannot be written says so in the window's words, with the system's reason.
// The target is a folder: whoever runs the test (root too), it cannot be opened for writing.
TEST(StatusWindowSave, AFailedSaveShowsWhy) {
    DialogHarness h;
    ExchangeGate gate;
    StatusWindow window({h.ports, gate, h.clock, h.files, h.messages}, "COM1");
    h.files.saveAnswers.push_back(h.dir.path());
    window.SaveHistory();
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, QString::fromUtf8("变化记录没有保存成功!\nIs a directory"));
    EXPECT_EQ(h.messages.shown[0].icon, MessageIcon::Exclamation);
}

TEST(StatusWindowFromMainWindow, CtrlSOpensItNotModalAndTheQrDialogPrintsItsBytes) {
    DialogHarness h;
    h.ports.comCount = 1;
    MainTestDialog& dialog = h.Create();
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &dialog; }));
    QWidget* focused = dialog.focusWidget();
    QTest::keyClick(focused ? focused : &dialog, Qt::Key_S, Qt::ControlModifier);
    StatusWindow* status = dialog.OpenStatusWindow();
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->windowTitle(), QString::fromUtf8("打印机状态"));
    EXPECT_FALSE(status->isModal());
    // The fake printer answers nothing: grey.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return status->LightText("cover") == QString::fromUtf8("无响应"); }, 10000));
    delete status;

    h.ports.Clear();
    dialog.ShowSymbolDialog(SymbolKind::Qr);
    auto* qr = dialog.findChild<SymbolDialog*>();
    ASSERT_NE(qr, nullptr);
    EXPECT_EQ(qr->windowTitle(), QString::fromUtf8("二维码打印"));
    qr->TextBox()->setPlainText(QString::fromUtf8("中文"));
    qr->ModuleSizeBox()->setValue(4);
    qr->LevelBox()->setCurrentIndex(3);
    QTest::mouseClick(qr->findChild<QPushButton*>(), Qt::LeftButton);
    std::string sent;
    for (const auto& call : h.ports.Calls("SendData")) sent += call.bytes;
    EXPECT_EQ(ToHex(sent),
              "1B 61 31 1D 28 6B 04 00 31 41 32 00 1D 28 6B 03 00 31 43 04 1D 28 6B 03 00 31 45 "
              "33 1D 28 6B 07 00 31 50 30 D6 D0 CE C4 1D 28 6B 03 00 31 51 30 1B 64 04 1B 61 30");
    EXPECT_TRUE(h.messages.shown.empty());
}

}  // namespace
}  // namespace quillora::test
