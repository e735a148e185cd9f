// The printer program refuses what it cannot do before it says "ready", takes a control
// line that ends without a newline, and keeps its log bounded per connection.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <atomic>
#include <cstring>
#include <thread>

#include "support/LoopbackAddress.h"
#include "virtual-printer/PrinterHarness.h"

namespace vprinter::test {
namespace {

TEST(PrinterCommandLineTest, StrayArgumentIsRefused) {
    const QString address = QString::fromStdString(quillora::test::LoopbackAddress(8, 10));
    PrinterProcess printer(
        {QStringLiteral("--tcp"), address + QStringLiteral(":9100"), QStringLiteral("stray")});
    EXPECT_FALSE(printer.Ready());
    EXPECT_EQ(printer.Stop(), 2);
    EXPECT_TRUE(printer.StartOutput().endsWith("\nunexpected argument: stray (see --help)\n"))
        << printer.StartOutput().constData();
}

TEST(PrinterCommandLineTest, WaitTooLongIsNamedAsSuch) {
    PrinterProcess printer({QStringLiteral("--idle-ms"), QStringLiteral("99999999999999")});
    EXPECT_FALSE(printer.Ready());
    EXPECT_EQ(printer.Stop(), 2);
    EXPECT_TRUE(printer.StartOutput().endsWith(
        "\n--idle-ms wants a number of milliseconds from 1 to 86400000, not 99999999999999\n"))
        << printer.StartOutput().constData();
}

TEST(PrinterCommandLineTest, UnwritableOutputFolderIsRefusedBeforeReady) {
    const QTemporaryDir folder;
    QFile plain(folder.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    const QString out = plain.fileName() + QStringLiteral("/receipts");
    QProcess printer;
    printer.setProcessChannelMode(QProcess::MergedChannels);
    printer.start(
        QStringLiteral(VPRINTER_BINARY),
        {QStringLiteral("--tcp"),
         QString::fromStdString(quillora::test::LoopbackAddress(8, 11)) + QStringLiteral(":9100"),
         QStringLiteral("--out"), out});
    const bool ended = printer.waitForFinished(10000);
    if (!ended) printer.kill();
    EXPECT_TRUE(ended);
    EXPECT_EQ(printer.exitCode(), 1);
    const QByteArray output = printer.readAll();
    EXPECT_TRUE(output.endsWith("\ncannot create the folder " + out.toUtf8() + "\n"))
        << output.constData();
}

// A printer listening on a control FIFO of its own, and on nothing else.
class ControlFifoTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(printer.Ready()); }

    const QTemporaryDir folder;
    const QString fifo = folder.filePath(QStringLiteral("vp.ctl"));
    PrinterProcess printer{{QStringLiteral("--tcp"), QStringLiteral("off"),
                            QStringLiteral("--pty-link"), folder.filePath(QStringLiteral("COM1")),
                            QStringLiteral("--control"), fifo}};
};

TEST_F(ControlFifoTest, LastLineWithoutNewlineEndsWhereItsWriterCloses) {
    // Each line is written by a writer of its own and waited for in the log.
    const auto control = [&](const char* text, const char* logged) {
        QFile writer(fifo);
        EXPECT_TRUE(writer.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        EXPECT_EQ(writer.write(text), static_cast<qint64>(std::strlen(text)));
        writer.close();
        const QDeadlineTimer deadline(8000);
        while (!printer.Log().contains(QString::fromLatin1(logged)) && !deadline.hasExpired()) {
            QThread::msleep(20);
        }
        EXPECT_TRUE(printer.Log().contains(QString::fromLatin1(logged)))
            << printer.Log().toStdString();
    };
    control("cover-open", "control: cover-open: cover open, paper ok");
    control("paper-out\n", "control: paper-out: cover open, paper out");
}

// Two writers at once, each writing its lines one write at a time as echo does: the pipe
// keeps each write of up to PIPE_BUF bytes whole, so no line is glued to another or lost.
TEST_F(ControlFifoTest, TwoWritersAtOnceNeitherGlueNorLoseLines) {
    constexpr int kLines = 200;
    std::atomic<int> written{0};
    const auto writer = [&](const char* line) {
        const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_CLOEXEC);
        if (fd < 0) return;
        const auto size = static_cast<ssize_t>(std::strlen(line));
        for (int i = 0; i < kLines; ++i) written += ::write(fd, line, size) == size ? 1 : 0;
        ::close(fd);
    };
    std::thread first(writer, "cover-open\n");
    std::thread second(writer, "paper-near-end\n");
    first.join();
    second.join();
    ASSERT_EQ(written, 2 * kLines);
    const auto count = [&](const QString& text) { return printer.Log().count(text); };
    const QDeadlineTimer deadline(20000);
    while (count(QStringLiteral("control: ")) < 2 * kLines && !deadline.hasExpired()) {
        QThread::msleep(20);
    }
    EXPECT_EQ(count(QStringLiteral("control: cover-open: ")), kLines);
    EXPECT_EQ(count(QStringLiteral("control: paper-near-end: ")), kLines);
    EXPECT_EQ(count(QStringLiteral("unknown line")), 0) << printer.Log().toStdString();
}

// Thirty-one receipts of 64 problems and a cut each, through one connection: 2046 lines,
// 2000 logged.
TEST(PrinterLogTest, OneConnectionLogsAtMostItsBound) {
    const QTemporaryDir folder;
    QFile stream(folder.filePath(QStringLiteral("flood.bin")));
    ASSERT_TRUE(stream.open(QIODevice::WriteOnly));
    for (int receipt = 0; receipt < 31; ++receipt) {
        for (int problem = 0; problem < 64; ++problem) stream.putChar(problem % 2 ? 0x01 : 0x02);
        stream.write(QByteArray::fromHex("1D 56 00"));
    }
    stream.close();
    QProcess printer;
    printer.start(QStringLiteral(VPRINTER_BINARY),
                  {QStringLiteral("--replay"), stream.fileName(), QStringLiteral("--out"),
                   folder.filePath(QStringLiteral("out"))});
    ASSERT_TRUE(printer.waitForFinished(60000));
    EXPECT_EQ(printer.exitCode(), 0);
    QFile log(folder.filePath(QStringLiteral("out/printer.log")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QStringList lines =
        QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2001);
    EXPECT_TRUE(lines.back().endsWith(QStringLiteral(
        ": 46 more lines of this connection not logged (at most 2000 per connection)")))
        << lines.back().toStdString();
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("out/receipt-0031.png"))));
}

}  // namespace
}  // namespace vprinter::test
