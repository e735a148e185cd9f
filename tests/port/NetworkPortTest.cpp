// Network printers through loopback listeners on 127.3.p.x port 9100, one address per
// test so that tests can run side by side.
#include <gtest/gtest.h>
#include <sys/socket.h>

#include <thread>

#include "PortTestSupport.h"

namespace quillora::test {
namespace {

// Sends `bytes` to a printer not yet connected; the printer's side of the new connection,
// once the bytes have come over it.
UniqueFd SendFirst(PortDriver& driver, const LoopbackPrinter& printer, const PortName& port,
                   const std::string& bytes) {
    EXPECT_EQ(Send(driver, port, bytes), static_cast<int>(bytes.size()));
    UniqueFd connection = printer.Accept();
    EXPECT_TRUE(connection.Valid());
    EXPECT_EQ(ReceiveFrom(connection.Get(), bytes.size()), bytes);
    return connection;
}

TEST(NetworkPort, SendsExactBytesOverOneKeptConnection) {
    LoopbackPrinter printer(1);
    const PortName port = LoopbackPrinter::Address(1);
    LinuxPortDriver driver = DriverWith("");

    UniqueFd connection = SendFirst(driver, printer, port, Hex("1D 56 00 0D 0A 00 FF"));

    // A copy sent one byte per call goes over the same connection.
    const std::string copy = Pattern(300);
    for (const char byte : copy) EXPECT_EQ(Send(driver, port, std::string(1, byte)), 1);
    EXPECT_EQ(ReceiveFrom(connection.Get(), 300), copy);
    EXPECT_FALSE(printer.Accept(100ms).Valid());
    EXPECT_EQ(driver.LastErrorText(port), "");
}

TEST(NetworkPort, ZeroLengthSendWritesNothingAndOpensNothing) {
    LoopbackPrinter printer(2);
    const PortName port = LoopbackPrinter::Address(2);
    LinuxPortDriver driver = DriverWith("");
    EXPECT_EQ(Send(driver, port, ""), 0);
    EXPECT_FALSE(printer.Accept(100ms).Valid());

    EXPECT_EQ(Send(driver, port, "a"), 1);
    UniqueFd connection = printer.Accept();
    EXPECT_EQ(Send(driver, port, ""), 0);
    EXPECT_EQ(Send(driver, port, "b"), 1);
    EXPECT_EQ(ReceiveFrom(connection.Get(), 3, 200ms), "ab");
}

TEST(NetworkPort, TenMebibytesInOneCall) {
    LoopbackPrinter printer(3);
    const PortName port = LoopbackPrinter::Address(3);
    LinuxPortDriver driver = DriverWith("");
    const std::string job = Pattern(10 << 20);
    std::string received;
    std::thread reader([&] {
        UniqueFd connection = printer.Accept(10s);
        received = ReceiveFrom(connection.Get(), job.size(), 10s);
    });
    EXPECT_EQ(Send(driver, port, job), 10 << 20);
    reader.join();
    EXPECT_TRUE(received == job) << "received " << received.size() << " bytes";
}

TEST(NetworkPort, ReplyRightAfterTheQueryIsReadAndLateRepliesAreDropped) {
    LoopbackPrinter printer(4);
    const PortName port = LoopbackPrinter::Address(4);
    LinuxPortDriver driver = DriverWith("");
    const std::string query = Hex("10 04 02 10 04 04");

    UniqueFd connection = SendFirst(driver, printer, port, query);
    SendTo(connection.Get(), Hex("12 72"));
    EXPECT_EQ(Read(driver, port, 2), Hex("12 72"));

    // One byte now, one too late: the short read gives what came within the bound...
    SendTo(connection.Get(), Hex("16"));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Read(driver, port, 2), Hex("16"));
    EXPECT_GE(ElapsedSince(start), QuickTimeouts().read);
    SendTo(connection.Get(), Hex("7E"));
    std::this_thread::sleep_for(50ms);  // loopback delivery
    // ...and the straggler does not answer the next query.
    EXPECT_EQ(Send(driver, port, query), 6);
    EXPECT_EQ(ReceiveFrom(connection.Get(), 6), query);
    SendTo(connection.Get(), Hex("12 12"));
    EXPECT_EQ(Read(driver, port, 2), Hex("12 12"));
}

TEST(NetworkPort, ReconnectsOnceWhenThePrinterClosedTheConnection) {
    auto printer = std::make_unique<LoopbackPrinter>(5);
    const PortName port = LoopbackPrinter::Address(5);
    LinuxPortDriver driver = DriverWith("");
    UniqueFd connection = SendFirst(driver, *printer, port, "first");
    connection.Reset();
    std::this_thread::sleep_for(50ms);

    EXPECT_EQ(Send(driver, port, "second"), 6);
    connection = printer->Accept();
    ASSERT_TRUE(connection.Valid());
    EXPECT_EQ(ReceiveFrom(connection.Get(), 6), "second");

    // Switched off: refused; switched on again: the next call connects anew.
    connection.Reset();
    printer.reset();
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(Send(driver, port, "lost"), 0);
    EXPECT_EQ(driver.LastErrorText(port), "connect " + port + ":9100: Connection refused");
    printer = std::make_unique<LoopbackPrinter>(5);
    EXPECT_EQ(Send(driver, port, "third"), 5);
    connection = printer->Accept();
    EXPECT_EQ(ReceiveFrom(connection.Get(), 5), "third");
    EXPECT_EQ(driver.LastErrorText(port), "");
}

TEST(NetworkPort, PrinterVanishingMidSendGivesThePartCountAndNoSignal) {
    auto printer = std::make_unique<LoopbackPrinter>(6);
    const PortName port = LoopbackPrinter::Address(6);
    LinuxPortDriver driver = DriverWith("");
    const std::string job = Pattern(32 << 20);
    std::thread vanisher([&] {
        UniqueFd connection = printer->Accept(10s);
        ReceiveFrom(connection.Get(), 1 << 20);
        const linger reset{1, 0};  // close with a reset, as a printer switched off does
        setsockopt(connection.Get(), SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
        printer->Close();
    });
    const int sent = Send(driver, port, job);
    vanisher.join();
    EXPECT_GE(sent, 1 << 20) << driver.LastErrorText(port);
    EXPECT_LT(sent, 32 << 20);
    EXPECT_NE(driver.LastErrorText(port), "");
}

TEST(NetworkPort, RefusedConnectionReturnsZeroAtOnce) {
    const PortName port = LoopbackPrinter::Address(7);
    LinuxPortDriver driver = DriverWith("");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Send(driver, port, "x"), 0);
    EXPECT_LT(ElapsedSince(start), 500ms);
    EXPECT_EQ(driver.LastErrorText(port), "connect " + port + ":9100: Connection refused");
    EXPECT_EQ(Read(driver, port, 1), "");
}

TEST(NetworkPort, PrinterThatNeverAnswersReturnsZeroWithinTheConnectBound) {
    // A listener that never accepts, its queue filled: further handshakes get no answer.
    LoopbackPrinter printer(8, 0);
    const PortName port = LoopbackPrinter::Address(8);
    std::vector<UniqueFd> queued;
    for (int i = 0; i < 2; ++i) {
        std::error_code ignored;
        queued.push_back(ConnectTcp(ParsePortName(port).ipv4, 9100, 200ms, ignored));
    }
    LinuxPortDriver driver(BuildDeviceTable({}), PortTimeouts{}, {});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Send(driver, port, "x"), 0);
    const auto elapsed = ElapsedSince(start);
    EXPECT_GE(elapsed, 2900ms);
    EXPECT_LT(elapsed, 4000ms);
    EXPECT_EQ(driver.LastErrorText(port), "connect " + port + ":9100: Connection timed out");

    // A copy sent byte by byte right after does not wait the bound again for every byte.
    const auto again = std::chrono::steady_clock::now();
    for (int i = 0; i < 100; ++i) EXPECT_EQ(Send(driver, port, "y"), 0);
    EXPECT_LT(ElapsedSince(again), 500ms);
}

TEST(NetworkPort, TwoThreadsSendingInTurnKeepTheirBlocksWhole) {
    LoopbackPrinter printer(9);
    const PortName port = LoopbackPrinter::Address(9);
    LinuxPortDriver driver = DriverWith("");
    constexpr int kBlocks = 400, kBlockSize = 500;
    std::string received;
    std::thread reader([&] {
        UniqueFd connection = printer.Accept(10s);
        received = ReceiveFrom(connection.Get(), 2 * kBlocks * kBlockSize, 10s);
    });
    const auto sender = [&](char mark) {
        for (int i = 0; i < kBlocks; ++i) {
            EXPECT_EQ(Send(driver, port, std::string(kBlockSize, mark)), kBlockSize);
        }
    };
    std::thread ui(sender, 'U'), worker(sender, 'W');
    ui.join();
    worker.join();
    reader.join();
    ASSERT_EQ(received.size(), size_t(2 * kBlocks * kBlockSize));
    int blocks[2] = {0, 0};
    for (size_t at = 0; at < received.size(); at += kBlockSize) {
        const std::string block = received.substr(at, kBlockSize);
        ASSERT_EQ(block, std::string(kBlockSize, block[0])) << "interleaved at " << at;
        ++blocks[block[0] == 'U' ? 0 : 1];
    }
    EXPECT_EQ(blocks[0], kBlocks);
    EXPECT_EQ(blocks[1], kBlocks);
}

}  // namespace
}  // namespace quillora::test
