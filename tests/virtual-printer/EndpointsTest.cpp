// The printer program itself: its TCP and serial endpoints, one sender at a time,
// replies on the sender's own connection, receipts in the output folder.
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QFile>
#include <QTcpSocket>
#include <QTemporaryDir>

#include "PrinterHarness.h"
#include "support/LoopbackAddress.h"

namespace vprinter::test {
namespace {

QByteArray Bytes(const std::string& hex) {
    const auto bytes = Hex(hex);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

QByteArray ReadSome(QTcpSocket& socket, int count, int timeoutMs = 3000) {
    QByteArray reply;
    while (reply.size() < count && socket.waitForReadyRead(timeoutMs)) reply += socket.readAll();
    return reply;
}

TEST(TcpEndpointTest, ServesOneSenderAtATimeAndAnswersOnItsConnection) {
    const QString address = QString::fromStdString(quillora::test::LoopbackAddress(8, 5));
    PrinterProcess printer({QStringLiteral("--tcp"), address + QStringLiteral(":9100"),
                            QStringLiteral("--paper-near-end"), QStringLiteral("--join-ms"),
                            QStringLiteral("100")});
    ASSERT_TRUE(printer.Ready());
    QTcpSocket first;
    first.connectToHost(address, 9100);
    ASSERT_TRUE(first.waitForConnected(3000));
    first.write(Bytes("41 42 0A 10 04 04"));
    EXPECT_EQ(ReadSome(first, 1), Bytes("1E"));

    // The second sender waits in the queue: its query is answered only after the first
    // has gone.
    QTcpSocket second;
    second.connectToHost(address, 9100);
    ASSERT_TRUE(second.waitForConnected(3000));
    second.write(Bytes("10 04 02"));
    EXPECT_TRUE(ReadSome(second, 1, 500).isEmpty());
    first.disconnectFromHost();
    EXPECT_EQ(ReadSome(second, 1), Bytes("12"));
    second.write(Bytes("43 0A 1D 56 00"));
    second.waitForBytesWritten(1000);

    ASSERT_TRUE(printer.WaitForReceipt(1));
    QFile raw(printer.ReceiptPath(1, ".bin"));
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    // The second sender came within the join time of the first one's close: one receipt.
    EXPECT_EQ(raw.readAll(), Bytes("41 42 0A 10 04 04 10 04 02 43 0A 1D 56 00"));
    EXPECT_TRUE(printer.Log().contains(QStringLiteral("ended by full cut (GS V 0)")));
}

TEST(TcpEndpointTest, RefusesAddressesOffThisMachine) {
    PrinterProcess printer({QStringLiteral("--tcp"), QStringLiteral("0.0.0.0:9100")});
    EXPECT_FALSE(printer.Ready());
    EXPECT_EQ(printer.Stop(), 2);
}

TEST(SerialEndpointTest, PseudoTerminalLinkAnswersAndEndsAReceiptWhenClosed) {
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("COM1"));
    PrinterProcess printer({QStringLiteral("--tcp"), QStringLiteral("off"),
                            QStringLiteral("--pty-link"), link, QStringLiteral("--cover-open"),
                            QStringLiteral("--paper-out"), QStringLiteral("--join-ms"),
                            QStringLiteral("100")});
    ASSERT_TRUE(printer.Ready());
    const int fd = ::open(QFile::encodeName(link).constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    const QByteArray query = Bytes("10 04 02 10 04 04 1D 46 01 0D 0A");
    ASSERT_EQ(::write(fd, query.constData(), query.size()), query.size());
    std::uint8_t reply[3] = {};
    std::size_t got = 0;
    pollfd watched{fd, POLLIN, 0};
    while (got<sizeof reply&& ::poll(&watched, 1, 3000)> 0) {
        const ssize_t count = ::read(fd, reply + got, sizeof reply - got);
        if (count <= 0) break;
        got += static_cast<std::size_t>(count);
    }
    ::close(fd);
    ASSERT_EQ(got, 3u);
    EXPECT_EQ(std::vector<std::uint8_t>(reply, reply + 3), Hex("36 72 32"));
    ASSERT_TRUE(printer.WaitForReceipt(1));
    EXPECT_TRUE(printer.Log().contains(QStringLiteral("ended by connection closed")));

    EXPECT_EQ(printer.Stop(), 0);
    EXPECT_FALSE(QFile::exists(link)) << "the link goes with the printer";
}

}  // namespace
}  // namespace vprinter::test
