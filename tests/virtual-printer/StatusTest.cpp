// Status as the printer program answers it, end to end: every status reply for each sensor
// state, printer ID, and automatic status back on enabling and after each change written to
// the control FIFO, over TCP and over the pseudo-terminal.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/LoopbackAddress.h"
#include "virtual-printer/PrinterHarness.h"

namespace vprinter::test {
namespace {

// What `echo LINE > FIFO` does. False when nothing is reading it.
bool WriteControl(const QString& fifo, const std::string& lines) {
    const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
    if (fd < 0) return false;
    const bool written = ::write(fd, lines.data(), lines.size()) == ssize_t(lines.size());
    ::close(fd);
    return written;
}

QByteArray FromHex(const char* hex) {
    return QByteArray::fromHex(hex);
}

// DLE EOT 1-4, then GS r 1, 2, 49 and 50: eight one-byte replies.
const QByteArray kQueries = FromHex("100401 100402 100403 100404 1D7201 1D7202 1D7231 1D7232");

TEST(StatusTest, EveryReplyForEachSensorStateAndAutomaticStatusBackOverTcp) {
    const QTemporaryDir folder;
    const QString fifo = folder.filePath(QStringLiteral("vp.ctl"));
    const QString address = QString::fromStdString(quillora::test::LoopbackAddress(8, 6));
    PrinterProcess printer({QStringLiteral("--tcp"), address + QStringLiteral(":9100"),
                            QStringLiteral("--control"), fifo});
    ASSERT_TRUE(printer.Ready());
    QTcpSocket host;
    host.connectToHost(address, 9100);
    ASSERT_TRUE(host.waitForConnected(3000));

    // Printer ID: model, type (multi-byte characters, autocutter), version, then the model
    // and maker names as "_" text NUL.
    host.write(FromHex("1D4901 1D4902 1D4903 1D4931 1D4943 1D4942"));
    EXPECT_EQ(ReadSome(host, 30).toHex(' '),
              FromHex("26 03 01 26"
                      "5F 5155494C4C4F5241 20 56502D3830 00"  // _QUILLORA VP-80
                      "5F 5155494C4C4F5241 00")               // _QUILLORA
                  .toHex(' '));

    // Every item enabled: the block comes at once and after each change; since the bytes
    // arrive in order, each block also shows that the control line took effect before the
    // queries that follow. "paper-jam" is unknown and sends nothing.
    host.write(FromHex("1D610F"));
    EXPECT_EQ(ReadSome(host, 4).toHex(' '), "10 00 00 00");
    struct Step {
        const char* line;
        const char* block;
        const char* replies;  // DLE EOT 1 2 3 4, GS r 1 2 49 50
    };
    for (const Step& step : {
             Step{"", "", "12 12 12 12 00 00 00 00"},
             Step{"paper-jam\ncover-open", "38 00 00 00", "1a 16 12 12 00 00 00 00"},
             Step{"cover-closed", "10 00 00 00", "12 12 12 12 00 00 00 00"},
             Step{"paper-near-end", "10 00 03 00", "12 12 12 1e 03 00 03 00"},
             Step{"paper-out", "18 00 0c 00", "1a 32 12 72 0c 00 0c 00"},
             Step{"cover-open", "38 00 0c 00", "1a 36 12 72 0c 00 0c 00"},
             Step{"  paper-ok\r", "38 00 00 00", "1a 16 12 12 00 00 00 00"},
             Step{"cover-closed", "10 00 00 00", "12 12 12 12 00 00 00 00"},
         }) {
        SCOPED_TRACE(step.line);
        if (*step.line) {
            ASSERT_TRUE(WriteControl(fifo, std::string(step.line) + "\n"));
            EXPECT_EQ(ReadSome(host, 4).toHex(' '), QByteArray(step.block));
        }
        host.write(kQueries);
        EXPECT_EQ(ReadSome(host, 8).toHex(' '), QByteArray(step.replies));
    }

    // Only online/offline enabled: the near-end change sends nothing, paper out (offline)
    // sends the whole block. Then off: the cover opening sends nothing, and the next byte
    // is the DLE EOT reply.
    host.write(FromHex("1D6102"));
    EXPECT_EQ(ReadSome(host, 4).toHex(' '), "10 00 00 00");
    ASSERT_TRUE(WriteControl(fifo, "paper-near-end\npaper-out\n"));
    EXPECT_EQ(ReadSome(host, 4).toHex(' '), "18 00 0c 00");
    host.write(FromHex("1D6100 100402"));
    EXPECT_EQ(ReadSome(host, 1).toHex(' '), "32");
    // A control line whose effect only a later query shows: wait for its log line first.
    const auto control = [&](const char* line, const char* logged) {
        ASSERT_TRUE(WriteControl(fifo, std::string(line) + "\n"));
        const QDeadlineTimer deadline(5000);
        while (!printer.Log().contains(QString::fromLatin1(logged)) && !deadline.hasExpired()) {
            QThread::msleep(20);
        }
    };
    control("cover-open", "control: cover-open: cover open, paper out");
    host.write(FromHex("100402"));
    EXPECT_EQ(ReadSome(host, 1).toHex(' '), "36");
    EXPECT_TRUE(ReadSome(host, 1, 300).isEmpty());

    // On again, then its sender goes: the next sender gets replies but no automatic status.
    host.write(FromHex("1D610F"));
    EXPECT_EQ(ReadSome(host, 4).toHex(' '), "38 00 0c 00");
    host.disconnectFromHost();
    QTcpSocket next;
    next.connectToHost(address, 9100);
    ASSERT_TRUE(next.waitForConnected(3000));
    next.write(FromHex("100402"));
    EXPECT_EQ(ReadSome(next, 1).toHex(' '), "36");  // `next` is being served
    control("cover-closed", "control: cover-closed: cover closed, paper out");
    next.write(FromHex("100402"));
    EXPECT_EQ(ReadSome(next, 1).toHex(' '), "32");
    EXPECT_TRUE(ReadSome(next, 1, 300).isEmpty());

    const QString log = printer.Log();
    EXPECT_TRUE(
        log.contains(QStringLiteral("control: unknown line \"paper-jam\" (known: "
                                    "cover-open, cover-closed, paper-out, "
                                    "paper-near-end, paper-ok)")))
        << log.toStdString();
    EXPECT_TRUE(
        log.contains(QStringLiteral("automatic status back: 38 00 0C 00 (cover open, "
                                    "paper out)")));
    EXPECT_TRUE(
        log.contains(QStringLiteral("GS a 2: automatic status back on (online/offline), "
                                    "sent 10 00 00 00")));
    EXPECT_EQ(printer.Stop(), 0);
    EXPECT_FALSE(QFile::exists(fifo));  // the FIFO goes with the printer
}

// Reads from the pseudo-terminal until `count` bytes have come or none came for 3 s.
QByteArray ReadTerminal(int fd, int count) {
    QByteArray bytes;
    pollfd watched{fd, POLLIN, 0};
    while (bytes.size() < count && ::poll(&watched, 1, 3000) > 0) {
        char buffer[64];
        const ssize_t read = ::read(fd, buffer, sizeof buffer);
        if (read <= 0) break;
        bytes.append(buffer, read);
    }
    return bytes;
}

TEST(StatusTest, AutomaticStatusBackOverThePseudoTerminal) {
    const QTemporaryDir folder;
    const QString fifo = folder.filePath(QStringLiteral("vp.ctl"));
    const QString link = folder.filePath(QStringLiteral("COM1"));
    PrinterProcess printer({QStringLiteral("--tcp"), QStringLiteral("off"),
                            QStringLiteral("--pty-link"), link, QStringLiteral("--control"), fifo,
                            QStringLiteral("--paper-near-end")});
    ASSERT_TRUE(printer.Ready());
    const int terminal = ::open(QFile::encodeName(link).constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    termios settings{};
    ::tcgetattr(terminal, &settings);
    ::cfmakeraw(&settings);
    ::tcsetattr(terminal, TCSANOW, &settings);

    // Paper roll only: the cover opening sends nothing; paper out sends the block, which
    // shows the open cover too.
    ASSERT_EQ(::write(terminal, "\x1D\x61\x08", 3), 3);
    EXPECT_EQ(ReadTerminal(terminal, 4).toHex(' '), "10 00 03 00");
    ASSERT_TRUE(WriteControl(fifo, "paper-ok\n"));
    EXPECT_EQ(ReadTerminal(terminal, 4).toHex(' '), "10 00 00 00");
    ASSERT_TRUE(WriteControl(fifo, "cover-open\npaper-out\n"));
    EXPECT_EQ(ReadTerminal(terminal, 4).toHex(' '), "38 00 0c 00");
    ASSERT_EQ(::write(terminal, "\x10\x04\x04", 3), 3);
    EXPECT_EQ(ReadTerminal(terminal, 1).toHex(' '), "72");
    ::close(terminal);
}

}  // namespace
}  // namespace vprinter::test
