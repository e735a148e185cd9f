// Network printers: loopback listeners on 127.3.p.x:9100, one address per test.
#include <gtest/gtest.h>
#include <sys/socket.h>

#include <thread>

#include "PortTestSupport.h"

namespace quillora::test {
namespace {

TEST(NetworkPort, SendsExactBytesOverOneKeptConnection) {
    LoopbackPrinter printer(1);
    const PortName port = LoopbackPrinter::Address(1);
    LinuxPortDriver driver = DriverWith("");
    EXPECT_EQ(Send(driver, port, ""), 0);  // writes nothing and opens nothing
    EXPECT_FALSE(printer.Accept(100ms).Valid());

    EXPECT_EQ(Send(driver, port, Hex("1D 56 00 0D 0A 00 FF")), 7);
    UniqueFd connection = printer.Accept();
    ASSERT_TRUE(connection.Valid());
    EXPECT_EQ(ReceiveFrom(connection.Get(), 7), Hex("1D 56 00 0D 0A 00 FF"));
    const std::string copy = Pattern(300);  // one byte per call, same connection
    for (const char byte : copy) EXPECT_EQ(Send(driver, port, std::string(1, byte)), 1);
    EXPECT_EQ(ReceiveFrom(connection.Get(), 300), copy);
    const std::string job = Pattern(10 << 20);  // ten mebibytes in one call
    std::string received;
    std::thread reader([&] { received = ReceiveFrom(connection.Get(), job.size(), 10s); });
    EXPECT_EQ(Send(driver, port, job), 10 << 20);
    reader.join();
    EXPECT_TRUE(received == job) << "received " << received.size() << " bytes";
    EXPECT_FALSE(printer.Accept(100ms).Valid());
    EXPECT_EQ(driver.LastErrorText(port), "");
}

TEST(NetworkPort, ReplyRightAfterTheQueryIsReadAndLateRepliesAreDropped) {
    LoopbackPrinter printer(4);
    const PortName port = LoopbackPrinter::Address(4);
    LinuxPortDriver driver = DriverWith("");
    const std::string query = Hex("10 04 02 10 04 04");
    EXPECT_EQ(Send(driver, port, query), 6);
    UniqueFd connection = printer.Accept();
    ASSERT_TRUE(connection.Valid());
    EXPECT_EQ(ReceiveFrom(connection.Get(), 6), query);
    SendTo(connection.Get(), Hex("12 72"));
    EXPECT_EQ(Read(driver, port, 2), Hex("12 72"));

    SendTo(connection.Get(), Hex("16"));  // one byte within the bound, one too late
    const auto start = Clock::now();
    EXPECT_EQ(Read(driver, port, 2), Hex("16"));
    EXPECT_GE(ElapsedSince(start), QuickTimeouts().read);
    SendTo(connection.Get(), Hex("7E"));
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(Send(driver, port, query), 6);
    EXPECT_EQ(ReceiveFrom(connection.Get(), 6), query);
    SendTo(connection.Get(), Hex("12 12"));
    EXPECT_EQ(Read(driver, port, 2), Hex("12 12"));
}

TEST(NetworkPort, ReconnectsAfterAClosedConnectionAndAfterARefusal) {
    auto printer = std::make_unique<LoopbackPrinter>(5);
    const PortName port = LoopbackPrinter::Address(5);
    LinuxPortDriver driver = DriverWith("");
    EXPECT_EQ(Send(driver, port, "first"), 5);
    UniqueFd connection = printer->Accept();
    EXPECT_EQ(ReceiveFrom(connection.Get(), 5), "first");
    connection.Reset();  // the printer closes the connection
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(Send(driver, port, "second"), 6);
    connection = printer->Accept();
    EXPECT_EQ(ReceiveFrom(connection.Get(), 6), "second");

    connection.Reset();
    printer.reset();  // switched off: refused at once
    std::this_thread::sleep_for(50ms);
    const auto start = Clock::now();
    EXPECT_EQ(Send(driver, port, "lost"), 0);
    EXPECT_LT(ElapsedSince(start), 500ms);
    EXPECT_EQ(driver.LastErrorText(port), "connect " + port + ":9100: Connection refused");
    EXPECT_EQ(Read(driver, port, 1), "");
    printer = std::make_unique<LoopbackPrinter>(5);  // on again: the next call connects anew
    EXPECT_EQ(Send(driver, port, "third"), 5);
    connection = printer->Accept();
    EXPECT_EQ(ReceiveFrom(connection.Get(), 5), "third");
    EXPECT_EQ(driver.LastErrorText(port), "");
}

TEST(NetworkPort, PrinterVanishingMidSendGivesThePartCountAndNoSignal) {
    auto printer = std::make_unique<LoopbackPrinter>(6);
    const PortName port = LoopbackPrinter::Address(6);
    LinuxPortDriver driver = DriverWith("");
    std::thread vanisher([&] {
        UniqueFd connection = printer->Accept(10s);
        ReceiveFrom(connection.Get(), 1 << 20);
        const linger reset{1, 0};  // close with a reset, as a printer switched off does
        setsockopt(connection.Get(), SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
        printer->listener.Reset();
    });
    const int sent = Send(driver, port, Pattern(32 << 20));
    vanisher.join();
    EXPECT_GE(sent, 1 << 20) << driver.LastErrorText(port);
    EXPECT_LT(sent, 32 << 20);
    EXPECT_NE(driver.LastErrorText(port), "");
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
    const auto start = Clock::now();
    EXPECT_EQ(Send(driver, port, "x"), 0);
    EXPECT_GE(ElapsedSince(start), 2900ms);
    EXPECT_LT(ElapsedSince(start), 4000ms);
    EXPECT_EQ(driver.LastErrorText(port), "connect " + port + ":9100: Connection timed out");
    const auto again = Clock::now();  // no new wait for every byte
    for (int i = 0; i < 100; ++i) EXPECT_EQ(Send(driver, port, "y"), 0);
    EXPECT_LT(ElapsedSince(again), 500ms);
}

TEST(NetworkPort, TwoThreadsSendingInTurnKeepTheirBlocksWhole) {
    LoopbackPrinter printer(9);
    LinuxPortDriver driver = DriverWith("");
    constexpr int kBlocks = 400, kSize = 500;
    std::string received;
    std::thread reader(
        [&] { received = ReceiveFrom(printer.Accept(10s).Get(), 2 * kBlocks * kSize, 10s); });
    const auto sender = [&](char mark) {
        for (int i = 0; i < kBlocks; ++i) {
            EXPECT_EQ(Send(driver, LoopbackPrinter::Address(9), std::string(kSize, mark)), kSize);
        }
    };
    std::thread ui(sender, 'U'), worker(sender, 'W');
    ui.join(), worker.join(), reader.join();
    ASSERT_EQ(received.size(), size_t(2 * kBlocks * kSize));
    int blocks[2] = {0, 0};
    for (size_t at = 0; at < received.size(); at += kSize) {
        ASSERT_EQ(received.substr(at, kSize), std::string(kSize, received[at])) << at;
        ++blocks[received[at] == 'U' ? 0 : 1];
    }
    EXPECT_EQ(blocks[0], kBlocks);
    EXPECT_EQ(blocks[1], kBlocks);
}

}  // namespace
}  // namespace quillora::test
