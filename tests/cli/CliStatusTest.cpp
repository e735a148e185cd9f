// quillora-cli's status, info, watch, qr and pdf417 against the virtual printer, over TCP and
// over its pseudo-terminal, with sensors changed through its control FIFO while it runs.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <memory>

#include "CliHarness.h"
#include "SymbolReader.h"
#include "support/LoopbackAddress.h"

namespace quillora::test {
namespace {

using vprinter::test::PrinterProcess;

class CliStatus : public testing::Test {
protected:
    bool Start(QStringList flags = {}) {
        printer_.reset();
        printer_ = std::make_unique<PrinterProcess>(
            flags << QStringLiteral("--tcp") << Address() + QStringLiteral(":9100")
                  << QStringLiteral("--pty-link") << dir_.filePath(QStringLiteral("COM1"))
                  << QStringLiteral("--control") << Control());
        return printer_->Ready();
    }
    static QString Address() { return QString::fromStdString(LoopbackAddress(24, 1)); }
    QString Ports() const {
        return QStringLiteral("COM1=") + dir_.filePath(QStringLiteral("COM1"));
    }
    QString Control() const { return dir_.filePath(QStringLiteral("vp.ctl")); }
    CliRun Run(const QStringList& arguments, const QString& ports = {}) {
        return RunCli(arguments, dir_.path(), ports);
    }
    // Writes a control line, as a person at the printer would change a sensor.
    void Sensor(const char* line) {
        QFile fifo(Control());
        ASSERT_TRUE(fifo.open(QIODevice::WriteOnly));
        fifo.write(QByteArray(line) + '\n');
    }

    QTemporaryDir dir_;
    std::unique_ptr<PrinterProcess> printer_;
};

TEST_F(CliStatus, InfoShowsTheModelAndStatusFailsOnTheOpenCover) {
    ASSERT_TRUE(Start({QStringLiteral("--cover-open")}));
    const CliRun info = Run({"run", "--port", Address(), "info"});
    EXPECT_EQ(info.status, 0) << info.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(info.out).startsWith(
        QString::fromUtf8("info: ok: 型号: QUILLORA VP-80, ")))
        << info.out.toStdString();

    const CliRun status = Run({"run", "--port", "COM1", "--json", "status"}, Ports());
    EXPECT_EQ(status.status, 1);
    EXPECT_TRUE(status.out.contains("\"reply\": \"1a 16 12 12\"")) << status.out.toStdString();
    EXPECT_TRUE(QString::fromUtf8(status.out).contains(QString::fromUtf8("上盖: 打开")));
    EXPECT_TRUE(QString::fromUtf8(status.out).contains(QString::fromUtf8("联机: 脱机")));
}

// Each change is printed once, as it happens, by automatic status back over TCP and by
// polling over the pseudo-terminal; a stopped printer ends the watch with status 1.
void WatchEachChangeOnce(CliStatus& test, QProcess& watch,
                         const std::function<void(const char*)>& sensor, PrinterProcess& printer) {
    const auto waitFor = [&](const QString& text) {
        QString seen;
        const QDeadlineTimer deadline(10000);
        while (!seen.contains(text) && !deadline.hasExpired()) {
            watch.waitForReadyRead(100);
            seen += QString::fromUtf8(watch.readAllStandardOutput());
        }
        return seen;
    };
    QString out = waitFor(QString::fromUtf8("可自动恢复错误: 无"));
    EXPECT_TRUE(out.contains(QString::fromUtf8("打印机: 有响应"))) << out.toStdString();
    sensor("cover-open");
    out = waitFor(QString::fromUtf8("上盖: 打开"));
    EXPECT_TRUE(out.contains(QString::fromUtf8("上盖: 打开")));
    EXPECT_EQ(out.count(QString::fromUtf8("上盖")), 1) << out.toStdString();
    sensor("paper-near-end");
    out = waitFor(QString::fromUtf8("纸: 纸将尽"));
    EXPECT_EQ(out.count(QString::fromUtf8("纸: 纸将尽")), 1) << out.toStdString();
    EXPECT_FALSE(out.contains(QString::fromUtf8("上盖"))) << "the cover did not change again";
    printer.Stop();
    out = waitFor(QString::fromUtf8("打印机: 无响应"));
    EXPECT_TRUE(out.contains(QString::fromUtf8("打印机: 无响应"))) << out.toStdString();
    const CliRun run = FinishCli(watch);
    EXPECT_EQ(run.status, 1);
    (void)test;
}

TEST_F(CliStatus, WatchByAutomaticStatusBackOverTcp) {
    ASSERT_TRUE(Start());
    QProcess watch;
    watch.setWorkingDirectory(dir_.path());
    watch.start(QStringLiteral(CLI_BINARY), {"watch", "--port", Address(), "--trace"});
    WatchEachChangeOnce(
        *this, watch, [&](const char* line) { Sensor(line); }, *printer_);
}

TEST_F(CliStatus, WatchByPollingOverThePseudoTerminal) {
    ASSERT_TRUE(Start());
    QProcess watch;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QUILLORA_PORTS"), Ports());
    watch.setProcessEnvironment(environment);
    watch.setWorkingDirectory(dir_.path());
    watch.start(QStringLiteral(CLI_BINARY), {"watch", "--port", "COM1", "--poll", "--trace"});
    WatchEachChangeOnce(
        *this, watch, [&](const char* line) { Sensor(line); }, *printer_);
}

TEST_F(CliStatus, WatchJsonStopsAfterItsSeconds) {
    ASSERT_TRUE(Start({QStringLiteral("--paper-out")}));
    const CliRun run = Run({"watch", "--port", Address(), "--json", "--seconds", "1"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("\"key\":\"paper\"")) << run.out.toStdString();
    EXPECT_TRUE(QString::fromUtf8(run.out).contains(QString::fromUtf8("\"value\":\"缺纸\"")));
}

// The receipts' codes read back to exactly the text sent: Chinese text in GBK and in UTF-8.
TEST_F(CliStatus, QrAndPdf417ReadBackToTheTextSent) {
    ASSERT_TRUE(Start());
    const QString text = QString::fromUtf8("二维码 Quillora 测试 123");
    const std::vector<std::pair<QStringList, QString>> runs{
        {{"run", "--port", Address(), "qr=" + text, "full-cut"}, {}},
        {{"run", "--port", Address(), "--encoding", "UTF-8", "qr=" + text, "full-cut"}, {}},
        {{"run", "--port", "COM1", "--encoding", "UTF-8", "pdf417=" + text, "full-cut"}, Ports()},
        {{"run", "--port", "COM1", "pdf417=" + text, "full-cut"}, Ports()},
    };
    int receipt = 0;
    for (const auto& [arguments, ports] : runs) {
        const CliRun run = Run(arguments, ports);
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        ASSERT_TRUE(printer_->WaitForReceipt(++receipt)) << printer_->Log().toStdString();
    }
    EXPECT_EQ(ReadQrBytes(printer_->ReceiptPath(1)).toHex(' '), ToGbkBytes(text).toHex(' '));
    EXPECT_EQ(ReadQrBytes(printer_->ReceiptPath(2)), text.toUtf8());
    EXPECT_EQ(ReadPdf417Bytes(printer_->ReceiptPath(3)), text.toUtf8());
    EXPECT_EQ(ReadPdf417Bytes(printer_->ReceiptPath(4)).toHex(' '), ToGbkBytes(text).toHex(' '));
}

}  // namespace
}  // namespace quillora::test
