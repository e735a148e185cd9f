// Short sends that a connection takes at once run on the caller's thread; every other send
// goes to the background sender's worker. The bytes and calls are the same either way.
#include <gtest/gtest.h>
#include <sys/ioctl.h>

#include <thread>

#include "PortTestSupport.h"
#include "port/BackgroundSender.h"

namespace quillora::test {
namespace {

// Starts a full cut and reports whether it ran on this thread, once it has finished.
bool RanHere(BackgroundSender& sender, const PortName& port, int total = 3) {
    static const std::string kFullCut = Hex("1D 56 00");
    std::thread::id ranOn;
    sender.Start(port, total, [&](SendSession& session) {
        ranOn = std::this_thread::get_id();
        EXPECT_EQ(session.Send(reinterpret_cast<const std::uint8_t*>(kFullCut.data()), 3), 3);
    });
    EXPECT_TRUE(sender.WaitFinished(10s));
    EXPECT_EQ(sender.Result().taken, 3);
    return ranOn == std::this_thread::get_id();
}

// Polls a condition that depends on the kernel's loopback delivery, with a generous bound.
bool Becomes(const std::function<bool()>& condition) {
    for (const auto start = Clock::now(); ElapsedSince(start) < 5s;) {
        if (condition()) return true;
        std::this_thread::sleep_for(1ms);
    }
    return false;
}

TEST(AtOnceSend, OnlyAnOpenIdleConnectionWithRoomTakesAShortSendOnTheCallersThread) {
    const LoopbackPrinter printer(10);
    const PortName port = LoopbackPrinter::Address(10);
    LinuxPortDriver driver = DriverWith("");
    BackgroundSender sender(driver);

    // Not connected yet: the handshake may wait, so the worker makes it.
    EXPECT_FALSE(driver.TakesAtOnce(port, 3));
    EXPECT_FALSE(RanHere(sender, port));
    UniqueFd connection = printer.Accept();
    ASSERT_TRUE(connection.Valid());
    EXPECT_EQ(ReceiveFrom(connection.Get(), 3), Hex("1D 56 00"));

    EXPECT_TRUE(RanHere(sender, port));
    EXPECT_EQ(ReceiveFrom(connection.Get(), 3), Hex("1D 56 00"));
    EXPECT_FALSE(driver.TakesAtOnce(port, kAtOnceBytes + 1));
    EXPECT_FALSE(RanHere(sender, port, kAtOnceBytes + 1));
    EXPECT_EQ(ReceiveFrom(connection.Get(), 3), Hex("1D 56 00"));

    // A late reply waits to be discarded: that read is the worker's.
    ASSERT_EQ(write(connection.Get(), "\x12", 1), 1);
    EXPECT_TRUE(Becomes([&] { return !driver.TakesAtOnce(port, 3); }));
    EXPECT_FALSE(RanHere(sender, port));
    EXPECT_EQ(ReceiveFrom(connection.Get(), 3), Hex("1D 56 00"));
    EXPECT_TRUE(driver.TakesAtOnce(port, 3));

    // The printer hung up: the send reconnects, on the worker.
    connection.Reset();
    EXPECT_TRUE(Becomes([&] { return !driver.TakesAtOnce(port, 3); }));
    EXPECT_FALSE(RanHere(sender, port));
    connection = printer.Accept();
    EXPECT_EQ(ReceiveFrom(connection.Get(), 3), Hex("1D 56 00"));
}

TEST(AtOnceSend, ATerminalWithAFullOutputBufferOrNoDeviceDoesNot) {
    PseudoTerminal terminal;
    LinuxPortDriver driver = DriverWith("COM1=" + terminal.slavePath);
    EXPECT_EQ(Send(driver, "COM1", "x"), 1);
    EXPECT_EQ(terminal.Receive(1), "x");
    EXPECT_TRUE(driver.TakesAtOnce("COM1", 3));

    // The printer stopped reading and the line's buffers filled up. The kernel moves bytes
    // from the line's queue into the reader's buffer in the background, so the queue is
    // full for good only once it was filled after that buffer was.
    const UniqueFd other(open(terminal.slavePath.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY));
    ASSERT_TRUE(other.Valid());
    const std::string block(4096, 'f');
    constexpr int kReaderBufferFull = 4095;  // the line discipline's N_TTY_BUF_SIZE - 1
    EXPECT_TRUE(Becomes([&] {
        int waiting = 0;
        ioctl(terminal.master.Get(), FIONREAD, &waiting);
        while (write(other.Get(), block.data(), block.size()) > 0) {
        }
        return waiting >= kReaderBufferFull;
    }));
    EXPECT_FALSE(driver.TakesAtOnce("COM1", 3));

    EXPECT_FALSE(driver.TakesAtOnce("COM2", 3));
    EXPECT_EQ(Send(driver, "COM2", "x"), 0);  // no such device, and never one at once
    EXPECT_FALSE(driver.TakesAtOnce("COM2", 3));
}

}  // namespace
}  // namespace quillora::test
