// The serial bounds at their real values (1 s for a reply, 10 s for a stalled write, 1 s of
// refusing after it), over pseudo-terminals: the test plays the printer on the master side.
#include <gtest/gtest.h>

#include <QTest>
#include <future>
#include <thread>

#include "PortTestSupport.h"
#include "gui/ControlTable.h"
#include "support/DialogHarness.h"

namespace quillora::test {
namespace {

// The printer's side of one exchange, run while the caller blocks in the driver: waits for
// `queryLength` bytes, answers with `reply`, and hands back what it received.
std::future<std::string> Answer(const PseudoTerminal& printer, std::size_t queryLength,
                                std::string reply) {
    return std::async(std::launch::async, [&printer, queryLength, reply = std::move(reply)] {
        std::string query = ReceiveFrom(printer.master.Get(), queryLength, 10s);
        if (!reply.empty()) {
            EXPECT_EQ(write(printer.master.Get(), reply.data(), reply.size()),
                      ssize_t(reply.size()));
        }
        return query;
    });
}

TEST(SerialReplies, ShortReplyEndsTheReadAfterOneSecondTheWindowSaysSoALateOneIsDiscarded) {
    PseudoTerminal printer;
    LinuxPortDriver driver = DriverWith("COM1=" + printer.slavePath, PortTimeouts{});
    const std::string readBound = "read " + printer.slavePath + ": 1 of 2 bytes within 1000 ms";

    // One of the two bytes asked for arrives: ReadData gives it after the whole second.
    auto answered = Answer(printer, 3, Hex("12"));
    EXPECT_EQ(Send(driver, "COM1", Hex("10 04 04")), 3);
    std::uint8_t reply[2] = {0, 0};
    auto start = Clock::now();
    EXPECT_EQ(driver.ReadData("COM1", reply, 2), 1);
    EXPECT_GE(ElapsedSince(start), 1000ms);
    EXPECT_LT(ElapsedSince(start), 5000ms);
    EXPECT_EQ(reply[0], 0x12);
    EXPECT_EQ(answered.get(), Hex("10 04 04"));
    EXPECT_EQ(driver.LastErrorText("COM1"), readBound);

    // The same through the window's serial-status button.
    DialogHarness h;
    h.WriteFile("Option.ini", "[System]\r\nPort=0\r\n");
    AppServices services{driver, h.messages, h.files, h.clock, h.noPrinters};
    MainTestDialog dialog(services);
    dialog.show();
    answered = Answer(printer, 6, Hex("12"));
    start = Clock::now();
    QTest::mouseClick(dialog.Control(ctl::SerialStatus), Qt::LeftButton);
    EXPECT_GE(ElapsedSince(start), 1000ms);
    EXPECT_EQ(answered.get(), Hex("10 04 02 10 04 04"));
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text.toStdString(), "读取数据失败!");
    EXPECT_EQ(driver.LastErrorText("COM1"), readBound);

    // "No paper" comes after the paper-taken query gave up; it must not answer the next one.
    answered = Answer(printer, 3, "");
    QTest::mouseClick(dialog.Control(ctl::PaperTakenQuery), Qt::LeftButton);
    EXPECT_EQ(answered.get(), Hex("1D 46 01"));
    ASSERT_EQ(write(printer.master.Get(), "\x32", 1), 1);
    pollfd arrived{printer.slave.Get(), POLLIN, 0};  // waiting at the driver's end
    ASSERT_EQ(poll(&arrived, 1, 10000), 1);
    answered = Answer(printer, 3, Hex("12"));
    QTest::mouseClick(dialog.Control(ctl::PaperTakenQuery), Qt::LeftButton);
    EXPECT_EQ(answered.get(), Hex("1D 46 01"));
    ASSERT_EQ(h.messages.shown.size(), 3u);
    EXPECT_EQ(h.messages.shown[1].text.toStdString(), "读取返回数据失败!");
    EXPECT_EQ(h.messages.shown[2].text.toStdString(), "有纸!");
}

// The printer takes the start of a job, sends XOFF and stops reading. Only what the clock
// allows is asserted: a send that went through after the stall must have ended when the
// refusing second could have been over.
TEST(SerialStall, PartCountAfterTenSecondsThenZeroAtOnceUntilOneSecondHasPassed) {
    PseudoTerminal printer;
    LinuxPortDriver driver = DriverWith("COM1=" + printer.slavePath, PortTimeouts{});
    ASSERT_EQ(driver.SetComParam("COM1", 9600, 8, 'N', 1, 1), 1);
    // A terminal that merely fills up may take more bytes when a poll times out (the
    // kernel moves them on without waking the writer); one held by XOFF takes none.
    const std::string job = Pattern(1 << 20);
    auto firstPart = Answer(printer, 4096, "\x13");
    const auto start = Clock::now();
    const int sent = Send(driver, "COM1", job);
    const auto returned = Clock::now();
    EXPECT_GE(returned - start, 10s);
    EXPECT_LT(returned - start, 20s);
    ASSERT_GE(sent, 4096);
    ASSERT_LT(sent, 1 << 20);
    EXPECT_EQ(driver.LastErrorText("COM1"),
              "write " + printer.slavePath + ": Connection timed out");
    // The count is what the terminal took. Then the printer reads again and sends XON: a send
    // that tried the terminal now would go through.
    EXPECT_EQ(firstPart.get() + printer.Receive(std::size_t(sent) - 4096),
              job.substr(0, std::size_t(sent)));
    ASSERT_EQ(write(printer.master.Get(), "\x11", 1), 1);
    pollfd writable{printer.slave.Get(), POLLOUT, 0};
    ASSERT_EQ(poll(&writable, 1, 10000), 1);

    struct Attempt {
        Clock::time_point began, ended;
        int result;
    };
    std::vector<Attempt> attempts;
    while (attempts.empty() || (attempts.back().result == 0 && Clock::now() < returned + 5s)) {
        const auto began = Clock::now();
        const int result = Send(driver, "COM1", "z");
        attempts.push_back({began, Clock::now(), result});
        if (result == 0) std::this_thread::sleep_for(10ms);
    }
    // The refusing second starts after ten seconds without progress and at the latest when
    // the stalled call returned: a send that ended before start + 11 s must have been refused.
    for (const Attempt& attempt : attempts) {
        if (attempt.result == 0) {
            EXPECT_LT(attempt.began - returned, 1s);
        } else {
            EXPECT_GE(attempt.ended - start, 11s);
        }
    }
    EXPECT_EQ(attempts.back().result, 1) << "still refusing 5 s after the stall";
    EXPECT_EQ(ReceiveFrom(printer.master.Get(), 2, 500ms), "z");
    EXPECT_EQ(driver.LastErrorText("COM1"), "");
}

}  // namespace
}  // namespace quillora::test
