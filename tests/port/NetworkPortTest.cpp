// Network printers: loopback listeners on 127.3.x.y:9100, one address per test process.
#include <gtest/gtest.h>
#include <sys/socket.h>

#include <atomic>
#include <thread>

#include "PortTestSupport.h"

namespace quillora::test {
namespace {

TEST(NetworkPort, ExactBytesOverOneKeptConnectionAReconnectWhenClosedAndARefusalAtOnce) {
    auto printer = std::make_unique<LoopbackPrinter>(1);
    const PortName port = LoopbackPrinter::Address(1);
    LinuxPortDriver driver = DriverWith("");
    EXPECT_EQ(Send(driver, port, Hex("1D 56 00 0D 0A 00 FF 10 04 02")), 10);
    UniqueFd connection = printer->Accept();
    ASSERT_TRUE(connection.Valid());
    EXPECT_EQ(ReceiveFrom(connection.Get(), 10), Hex("1D 56 00 0D 0A 00 FF 10 04 02"));
    ASSERT_EQ(write(connection.Get(), "\x12", 1), 1);  // the reply comes before ReadData
    std::this_thread::sleep_for(50ms);
    std::uint8_t reply = 0;
    EXPECT_EQ(driver.ReadData(port, &reply, 1), 1);
    EXPECT_EQ(reply, 0x12);

    // Ten mebibytes in one call while another thread sends small blocks: none lands inside.
    const std::string job = Pattern(10 << 20);
    std::string received;
    std::thread reader([&] { received = ReceiveFrom(connection.Get(), job.size() + 40000, 10s); });
    std::thread worker([&] {
        for (int i = 0; i < 400; ++i) EXPECT_EQ(Send(driver, port, std::string(100, 'W')), 100);
    });
    EXPECT_EQ(Send(driver, port, job), 10 << 20);
    worker.join(), reader.join();
    const std::size_t at = received.find(job);
    ASSERT_NE(at, std::string::npos) << "received " << received.size() << " bytes";
    EXPECT_TRUE(received.erase(at, job.size()) == std::string(40000, 'W'));
    EXPECT_FALSE(printer->Accept(100ms).Valid());

    connection.Reset();  // the printer closes the connection
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(Send(driver, port, "second"), 6);
    connection = printer->Accept();
    EXPECT_EQ(ReceiveFrom(connection.Get(), 6), "second");
    connection.Reset();
    printer.reset();  // switched off
    std::this_thread::sleep_for(50ms);
    const auto start = Clock::now();
    EXPECT_EQ(Send(driver, port, "lost"), 0);
    EXPECT_LT(ElapsedSince(start), 500ms);
    EXPECT_EQ(driver.LastErrorText(port), "connect " + port + ":9100: Connection refused");
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
    const SilentPrinter silent(8);
    const PortName port = LoopbackPrinter::Address(8);
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

// A cancel reaches a send still waiting for the handshake; the wait is not counted
// against the printer (the next send tries again at once).
TEST(NetworkPort, CancelEndsASendWaitingToConnectAndTheNextSendTriesAgain) {
    const SilentPrinter silent(9);
    const PortName port = LoopbackPrinter::Address(9);
    LinuxPortDriver driver(BuildDeviceTable({}), PortTimeouts{60s, 5s, 200ms, 60s}, {});
    const auto start = Clock::now();
    std::atomic<bool> done{false};
    std::thread canceller([&] {
        // Until the send has ended: a cancel before it began is not meant for it.
        while (!done) {
            driver.CancelSend(port);
            std::this_thread::sleep_for(10ms);
        }
    });
    EXPECT_EQ(Send(driver, port, "x"), 0);
    done = true;
    canceller.join();
    EXPECT_LT(ElapsedSince(start), 30s) << "ended by the cancel, not by the 60 s bound";
    EXPECT_EQ(driver.LastErrorText(port),
              "connect " + port + ":9100: " + std::generic_category().message(ECANCELED));
    EXPECT_EQ(driver.SendProgress(port), 0);
    // No failing fast after a cancel: once the printer takes connections, the next send
    // goes through at once.
    const UniqueFd first = silent.printer.Accept();  // the queue had room for one
    EXPECT_TRUE(first.Valid());
    EXPECT_EQ(Send(driver, port, "y"), 1);
}

}  // namespace
}  // namespace quillora::test
