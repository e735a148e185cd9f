// A run of one-byte sends on an idle connection: one look for waiting input before the
// first, then only the writes, until a Read; the Send after a Read looks again, and so does
// every longer send (each query is one). The look stands for an hour here
// (PortTimeouts::idleLook), so that no timing matters.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "PortTestSupport.h"

namespace quillora::test {
namespace {

const PortTimeouts kLookStands{500ms, 5s, 200ms, 0ms, 1h};

// This thread's read and write system calls on files and terminals so far, from the
// kernel's I/O accounting.
class CallCounter {
public:
    struct Calls {
        long long reads = -1, writes = -1;
    };

    bool Available() { return file_.Valid() && Now().writes >= 0; }

    // Leaves out the reads that took the figures.
    Calls Now() {
        char text[1024] = {};
        const ssize_t got = pread(file_.Get(), text, sizeof text - 1, 0);
        Calls calls;
        const char* reads = got > 0 ? std::strstr(text, "syscr:") : nullptr;
        const char* writes = got > 0 ? std::strstr(text, "syscw:") : nullptr;
        if (reads == nullptr || writes == nullptr ||
            std::sscanf(reads, "syscr: %lld", &calls.reads) != 1 ||
            std::sscanf(writes, "syscw: %lld", &calls.writes) != 1) {
            return {};
        }
        calls.reads -= ownReads_++;
        return calls;
    }

private:
    UniqueFd file_{open("/proc/thread-self/io", O_RDONLY | O_CLOEXEC)};
    long long ownReads_ = 0;
};

TEST(IdleSend, OneByteSendsAfterALookThatFoundNothingMakeOnlyTheirWrites) {
    PseudoTerminal printer;
    LinuxPortDriver driver = DriverWith("COM1=" + printer.slavePath, kLookStands);
    CallCounter counter;
    if (!counter.Available()) GTEST_SKIP() << "this kernel keeps no I/O counts per thread";

    ASSERT_EQ(Send(driver, "COM1", "a"), 1);  // opens the terminal and finds nothing waiting
    const CallCounter::Calls before = counter.Now();
    for (const char byte : std::string("bcdefghij")) {
        ASSERT_EQ(Send(driver, "COM1", std::string(1, byte)), 1);
    }
    const CallCounter::Calls after = counter.Now();
    EXPECT_EQ(after.writes - before.writes, 9);
    EXPECT_EQ(after.reads - before.reads, 0);
    EXPECT_EQ(printer.Receive(10), "abcdefghij");
}

TEST(IdleSend, TheSendAfterAReadLooksAgainAndDropsTheReplyThatCameTooLate) {
    PseudoTerminal printer;
    LinuxPortDriver driver = DriverWith("COM1=" + printer.slavePath, kLookStands);
    ASSERT_EQ(Send(driver, "COM1", Hex("10 04 01")), 3);
    EXPECT_EQ(printer.Receive(3), Hex("10 04 01"));

    // Two bytes asked for, one given: the second comes after the read gave up.
    ASSERT_EQ(write(printer.master.Get(), "\x12", 1), 1);
    std::uint8_t reply[2] = {0, 0};
    EXPECT_EQ(driver.ReadData("COM1", reply, 2), 1);
    EXPECT_EQ(reply[0], 0x12);
    ASSERT_EQ(write(printer.master.Get(), "\x33", 1), 1);
    pollfd arrived{printer.slave.Get(), POLLIN, 0};  // waiting at the driver's end
    ASSERT_EQ(poll(&arrived, 1, 10000), 1);

    ASSERT_EQ(Send(driver, "COM1", Hex("10 04 02")), 3);
    EXPECT_EQ(printer.Receive(3), Hex("10 04 02"));
    ASSERT_EQ(write(printer.master.Get(), "\x16", 1), 1);
    EXPECT_EQ(driver.ReadData("COM1", reply, 1), 1);
    EXPECT_EQ(reply[0], 0x16);
}

TEST(IdleSend, AQueryAfterOneByteSendsStillDropsTheReplyThatCameTooLate) {
    PseudoTerminal printer;
    LinuxPortDriver driver = DriverWith("COM1=" + printer.slavePath, kLookStands);
    ASSERT_EQ(Send(driver, "COM1", "a"), 1);  // finds nothing waiting: the look stands

    // A reply to an earlier query, late, waiting while the look still stands.
    ASSERT_EQ(write(printer.master.Get(), "\x33", 1), 1);
    pollfd arrived{printer.slave.Get(), POLLIN, 0};
    ASSERT_EQ(poll(&arrived, 1, 10000), 1);
    ASSERT_EQ(Send(driver, "COM1", "b"), 1);

    ASSERT_EQ(Send(driver, "COM1", Hex("10 04 01")), 3);
    EXPECT_EQ(printer.Receive(5), "ab" + Hex("10 04 01"));
    ASSERT_EQ(write(printer.master.Get(), "\x16", 1), 1);
    std::uint8_t reply = 0;
    EXPECT_EQ(driver.ReadData("COM1", &reply, 1), 1);
    EXPECT_EQ(reply, 0x16);
}

}  // namespace
}  // namespace quillora::test
