// The printer program's TCP endpoint: one sender at a time, replies on the sender's own
// connection, receipts in the output folder. Its serial endpoint is driven end to end.
#include <gtest/gtest.h>

#include <QTcpSocket>
#include <memory>
#include <vector>

#include "support/LoopbackAddress.h"
#include "virtual-printer/PrinterHarness.h"

namespace vprinter::test {
namespace {

TEST(TcpEndpointTest, ServesOneSenderAtATimeAndAnswersOnItsConnection) {
    const QString address = QString::fromStdString(quillora::test::LoopbackAddress(8, 5));
    PrinterProcess printer({QStringLiteral("--tcp"), address + QStringLiteral(":9100"),
                            QStringLiteral("--paper-near-end"), QStringLiteral("--join-ms"),
                            QStringLiteral("100")});
    ASSERT_TRUE(printer.Ready());
    QTcpSocket first;
    first.connectToHost(address, 9100);
    ASSERT_TRUE(first.waitForConnected(3000));
    first.write(QByteArray::fromHex("41 42 0A 10 04 04"));
    EXPECT_EQ(ReadSome(first, 1), QByteArray::fromHex("1E"));

    // The second sender waits in the queue: its query is answered only after the first
    // has gone.
    QTcpSocket second;
    second.connectToHost(address, 9100);
    ASSERT_TRUE(second.waitForConnected(3000));
    second.write(QByteArray::fromHex("10 04 02"));
    EXPECT_TRUE(ReadSome(second, 1, 500).isEmpty());
    first.disconnectFromHost();
    EXPECT_EQ(ReadSome(second, 1), QByteArray::fromHex("12"));
    second.write(QByteArray::fromHex("43 0A 1D 56 00"));
    second.waitForBytesWritten(1000);

    ASSERT_TRUE(printer.WaitForReceipt(1));
    QFile raw(printer.ReceiptPath(1, ".bin"));
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    // The second sender came within the join time of the first one's close: one receipt.
    EXPECT_EQ(raw.readAll(), QByteArray::fromHex("41 42 0A 10 04 04 10 04 02 43 0A 1D 56 00"));
    EXPECT_TRUE(printer.Log().contains(QStringLiteral("ended by full cut (GS V 0)")));
}

TEST(TcpEndpointTest, SilentSenderIsClosedWhenAnotherWaits) {
    const QString address = QString::fromStdString(quillora::test::LoopbackAddress(8, 12));
    PrinterProcess printer({QStringLiteral("--tcp"), address + QStringLiteral(":9100"),
                            QStringLiteral("--idle-ms"), QStringLiteral("300")});
    ASSERT_TRUE(printer.Ready());
    QTcpSocket silent;
    silent.connectToHost(address, 9100);
    ASSERT_TRUE(silent.waitForConnected(3000));
    const QByteArray receipt = QByteArray::fromHex("41 0A 1D 56 00");
    QTcpSocket second;
    second.connectToHost(address, 9100);
    ASSERT_TRUE(second.waitForConnected(3000) && second.write(receipt) == receipt.size());
    second.waitForBytesWritten(1000);

    ASSERT_TRUE(printer.WaitForReceipt(1));
    QFile raw(printer.ReceiptPath(1, ".bin"));
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    EXPECT_EQ(raw.readAll(), receipt);
    EXPECT_TRUE(silent.state() == QAbstractSocket::UnconnectedState ||
                silent.waitForDisconnected(5000));
    EXPECT_TRUE(printer.Log().contains(
        QStringLiteral("closed after 300 ms without data: another sender is waiting")));
}

// The first connection is served and the next fifteen wait; the seventeenth is reset.
TEST(TcpEndpointTest, ConnectionsPastTheBoundAreReset) {
    const QString address = QString::fromStdString(quillora::test::LoopbackAddress(8, 13));
    PrinterProcess printer({QStringLiteral("--tcp"), address + QStringLiteral(":9100")});
    ASSERT_TRUE(printer.Ready());
    std::vector<std::unique_ptr<QTcpSocket>> held;
    for (int i = 0; i < 16; ++i) {
        held.push_back(std::make_unique<QTcpSocket>());
        held.back()->connectToHost(address, 9100);
        ASSERT_TRUE(held.back()->waitForConnected(3000));
    }
    QTcpSocket refused;
    refused.connectToHost(address, 9100);
    // The kernel completes the handshake before the printer takes the connection, and the
    // reset may reach this side before or after it has seen the connection made.
    if (refused.waitForConnected(3000)) {
        EXPECT_TRUE(refused.waitForDisconnected(5000));
    }
    EXPECT_NE(refused.error(), QAbstractSocket::SocketTimeoutError);
    EXPECT_EQ(refused.state(), QAbstractSocket::UnconnectedState);
    EXPECT_TRUE(printer.Log().contains(QStringLiteral("refused: 16 connections already held")));
    for (const auto& socket : held) EXPECT_EQ(socket->state(), QAbstractSocket::ConnectedState);
}

TEST(TcpEndpointTest, RefusesAddressesOffThisMachine) {
    PrinterProcess printer({QStringLiteral("--tcp"), QStringLiteral("0.0.0.0:9100")});
    EXPECT_FALSE(printer.Ready());
    EXPECT_EQ(printer.Stop(), 2);
}

}  // namespace
}  // namespace vprinter::test
