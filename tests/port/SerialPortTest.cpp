// Serial ports through pseudo-terminals: the test plays the printer on the master side.
#include <gtest/gtest.h>
#include <termios.h>

#include <QTemporaryDir>
#include <filesystem>

#include "PortTestSupport.h"

namespace quillora::test {
namespace {

termios SettingsOf(const PseudoTerminal& terminal) {
    termios settings{};
    EXPECT_EQ(tcgetattr(terminal.slave.Get(), &settings), 0);
    return settings;
}

TEST(SerialPort, AppliesSettingsPassesBytesRawRefusesKeepingTheLastGoodAcrossARestart) {
    QTemporaryDir dir;
    const std::string link = dir.filePath("com1").toStdString();
    auto printer = std::make_unique<PseudoTerminal>();
    std::filesystem::create_symlink(printer->slavePath, link);
    LinuxPortDriver driver = DriverWith("COM1=" + link);
    ASSERT_EQ(driver.GetCOMMax(), 1);
    EXPECT_EQ(driver.SetComParam("COM1", 115200, 8, 'N', 1, 2), 1);  // before the first send
    // Line ends, NUL, XON/XOFF characters and high bytes must not be translated.
    EXPECT_EQ(Send(driver, "COM1", Hex("1B 40 0D 0A 00 11 13 0A FF B2")), 10);
    EXPECT_EQ(printer->Receive(10), Hex("1B 40 0D 0A 00 11 13 0A FF B2"));
    termios settings = SettingsOf(*printer);
    EXPECT_EQ(cfgetospeed(&settings), speed_t(B115200));
    EXPECT_EQ(settings.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_EQ(settings.c_cflag & (PARENB | CSTOPB), 0u);
    EXPECT_NE(settings.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(settings.c_iflag & (IXON | IXOFF), 0u);
    EXPECT_EQ(settings.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(settings.c_oflag & OPOST, 0u);

    EXPECT_EQ(driver.SetComParam("COM1", 38400, 8, 'N', 1, 1), 1);
    settings = SettingsOf(*printer);
    EXPECT_EQ(cfgetospeed(&settings), speed_t(B38400));
    EXPECT_EQ(settings.c_iflag & (IXON | IXOFF), tcflag_t(IXON | IXOFF));
    EXPECT_EQ(settings.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(driver.SetComParam("COM1", 921600, 8, 'N', 1, 3), 1);
    EXPECT_EQ(Send(driver, "COM1", "ok"), 2);  // flow code 3 without modem lines still sends
    EXPECT_EQ(printer->Receive(2), "ok");
    EXPECT_EQ(driver.SetComParam("COM1", 12345, 8, 'N', 1, 0), 0);
    EXPECT_EQ(driver.LastErrorText("COM1"), "configure " + link + ": Invalid argument");
    EXPECT_EQ(driver.SetComParam("COM1", 9600, 8, 'N', 1, 4), 0);

    printer = std::make_unique<PseudoTerminal>();  // restarts behind the link
    std::filesystem::remove(link);
    std::filesystem::create_symlink(printer->slavePath, link);
    EXPECT_EQ(Send(driver, "COM1", Hex("1B 69")), 2);
    EXPECT_EQ(printer->Receive(2), Hex("1B 69"));
    settings = SettingsOf(*printer);
    EXPECT_EQ(cfgetospeed(&settings), speed_t(B921600));
    EXPECT_EQ(settings.c_iflag & (IXON | IXOFF), 0u);
    EXPECT_EQ(settings.c_cflag & CRTSCTS, 0u);
}

TEST(SerialPort, RepliesAreKeptShortOnesBoundedAndLateOnesDropped) {
    PseudoTerminal printer;
    LinuxPortDriver driver = DriverWith("COM1=" + printer.slavePath);
    EXPECT_EQ(Send(driver, "COM1", Hex("10 04 02 10 04 04")), 6);
    EXPECT_EQ(printer.Receive(6), Hex("10 04 02 10 04 04"));
    printer.Reply(Hex("12 72"));  // arrives before ReadData is called
    EXPECT_EQ(Read(driver, "COM1", 2), Hex("12 72"));
    EXPECT_EQ(driver.LastErrorText("COM1"), "");

    printer.Reply(Hex("12"));
    const auto start = Clock::now();
    EXPECT_EQ(Read(driver, "COM1", 2), Hex("12"));
    EXPECT_GE(ElapsedSince(start), 200ms);
    EXPECT_EQ(driver.LastErrorText("COM1"),
              "read " + printer.slavePath + ": 1 of 2 bytes within 200 ms");

    printer.Reply(Hex("20"));  // too late for that read: the next send discards it
    EXPECT_EQ(Send(driver, "COM1", Hex("1D 46 01")), 3);
    printer.Reply(Hex("0C"));
    EXPECT_EQ(Read(driver, "COM1", 1), Hex("0C"));
}

TEST(SerialPort, PrinterThatStopsReadingEndsTheSendWithThePartCount) {
    PseudoTerminal printer;
    const PortTimeouts timeouts{500ms, 300ms, 200ms, 2s};
    LinuxPortDriver driver = DriverWith("COM1=" + printer.slavePath, timeouts);
    const std::string job = Pattern(4 << 20);
    const int sent = Send(driver, "COM1", job);
    EXPECT_GT(sent, 0);
    EXPECT_LT(sent, 4 << 20);
    EXPECT_EQ(driver.LastErrorText("COM1"),
              "write " + printer.slavePath + ": Connection timed out");
    const auto start = Clock::now();  // later calls give up at once
    for (int i = 0; i < 100; ++i) EXPECT_EQ(Send(driver, "COM1", "z"), 0);
    EXPECT_LT(ElapsedSince(start), timeouts.writeStall);
    EXPECT_EQ(printer.Receive(size_t(sent)), job.substr(0, size_t(sent)));
}

}  // namespace
}  // namespace quillora::test
