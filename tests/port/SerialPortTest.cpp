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

TEST(SerialPort, PassesEveryByteUnchanged) {
    PseudoTerminal printer;
    LinuxPortDriver driver = DriverWith("COM1=" + printer.slavePath);
    ASSERT_EQ(driver.GetCOMMax(), 1);
    // Line ends, NUL, XON/XOFF characters and high bytes must not be translated.
    const std::string command = Hex("1B 40 0D 0A 00 11 13 0A FF B2");
    EXPECT_EQ(Send(driver, "COM1", command), 10);
    EXPECT_EQ(printer.Receive(10), command);
    EXPECT_EQ(driver.LastErrorText("COM1"), "");
    EXPECT_EQ(Send(driver, "COM1", ""), 0);
    EXPECT_EQ(driver.SendData("COM1", nullptr, 4), 0);
    EXPECT_EQ(printer.Receive(1, 50ms), "");
}

TEST(SerialPort, AppliesRateFlowControlAnd8N1AndRefusesOthersKeepingTheLastGood) {
    PseudoTerminal printer;
    LinuxPortDriver driver = DriverWith("COM1=" + printer.slavePath);
    EXPECT_EQ(driver.SetComParam("COM1", 115200, 8, 'N', 1, 2), 1);
    termios settings = SettingsOf(printer);
    EXPECT_EQ(cfgetospeed(&settings), speed_t(B115200));
    EXPECT_EQ(settings.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_EQ(settings.c_cflag & (PARENB | CSTOPB), 0u);
    EXPECT_NE(settings.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(settings.c_iflag & (IXON | IXOFF), 0u);
    EXPECT_EQ(settings.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(settings.c_oflag & OPOST, 0u);

    EXPECT_EQ(driver.SetComParam("COM1", 921600, 8, 'N', 1, 3), 1);
    settings = SettingsOf(printer);
    EXPECT_EQ(cfgetospeed(&settings), speed_t(B921600));
    EXPECT_EQ(settings.c_iflag & (IXON | IXOFF), 0u);
    EXPECT_EQ(settings.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(Send(driver, "COM1", "ok"), 2);  // flow code 3 without modem lines still sends
    EXPECT_EQ(printer.Receive(2), "ok");

    EXPECT_EQ(driver.SetComParam("COM1", 12345, 8, 'N', 1, 0), 0);
    EXPECT_EQ(driver.LastErrorText("COM1"),
              "configure " + printer.slavePath + ": Invalid argument");
    EXPECT_EQ(driver.SetComParam("COM1", 9600, 8, 'N', 1, 4), 0);
    settings = SettingsOf(printer);
    EXPECT_EQ(cfgetospeed(&settings), speed_t(B921600));
}

TEST(SerialPort, RepliesAreKeptShortOnesBoundedAndLateOnesDropped) {
    PseudoTerminal printer;
    LinuxPortDriver driver = DriverWith("COM1=" + printer.slavePath);
    EXPECT_EQ(Send(driver, "COM1", Hex("10 04 02 10 04 04")), 6);
    EXPECT_EQ(printer.Receive(6), Hex("10 04 02 10 04 04"));
    printer.Reply(Hex("12 72"));  // arrives before ReadData is called
    printer.AwaitDelivered();
    EXPECT_EQ(Read(driver, "COM1", 2), Hex("12 72"));
    EXPECT_EQ(driver.LastErrorText("COM1"), "");

    printer.Reply(Hex("12"));
    const auto start = Clock::now();
    EXPECT_EQ(Read(driver, "COM1", 2), Hex("12"));
    EXPECT_GE(ElapsedSince(start), QuickTimeouts().read);
    EXPECT_EQ(driver.LastErrorText("COM1"),
              "read " + printer.slavePath + ": 1 of 2 bytes within 200 ms");

    printer.Reply(Hex("20"));  // too late for that read: the next send discards it
    printer.AwaitDelivered();
    EXPECT_EQ(Send(driver, "COM1", Hex("1D 46 01")), 3);
    printer.Reply(Hex("0C"));
    EXPECT_EQ(Read(driver, "COM1", 1), Hex("0C"));
}

TEST(SerialPort, PrinterThatStopsReadingEndsTheSendWithThePartCount) {
    PseudoTerminal printer;
    PortTimeouts timeouts = QuickTimeouts();
    timeouts.writeStall = 300ms;
    timeouts.failFast = 2s;
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

TEST(SerialPort, KeepsSettingsAcrossAPrinterRestartingBehindALink) {
    QTemporaryDir dir;
    const std::string link = dir.filePath("com1").toStdString();
    auto first = std::make_unique<PseudoTerminal>();
    std::filesystem::create_symlink(first->slavePath, link);
    LinuxPortDriver driver = DriverWith(" com1 = " + link + " ;");
    EXPECT_EQ(driver.SetComParam("COM1", 38400, 8, 'N', 1, 1), 1);  // before the first send
    EXPECT_EQ(Send(driver, "COM1", "one"), 3);
    EXPECT_EQ(first->Receive(3), "one");
    termios settings = SettingsOf(*first);
    EXPECT_EQ(cfgetospeed(&settings), speed_t(B38400));
    EXPECT_EQ(settings.c_iflag & (IXON | IXOFF), tcflag_t(IXON | IXOFF));

    first.reset();
    PseudoTerminal second;
    std::filesystem::remove(link);
    std::filesystem::create_symlink(second.slavePath, link);
    EXPECT_EQ(Send(driver, "COM1", Hex("1B 69")), 2);
    EXPECT_EQ(second.Receive(2), Hex("1B 69"));
    settings = SettingsOf(second);
    EXPECT_EQ(cfgetospeed(&settings), speed_t(B38400));
    EXPECT_EQ(settings.c_iflag & (IXON | IXOFF), tcflag_t(IXON | IXOFF));
}

TEST(SerialPort, MissingDeviceIsReportedAndNeverCreated) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("com1").toStdString();
    LinuxPortDriver driver = DriverWith("COM2=" + path);
    EXPECT_EQ(driver.GetCOMMax(), 2);
    EXPECT_EQ(Send(driver, "COM2", "x"), 0);
    EXPECT_EQ(driver.LastErrorText("COM2"), "open " + path + ": No such file or directory");
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(Send(driver, "COM1", "x"), 0);
    EXPECT_EQ(driver.LastErrorText("COM1"), "open COM1: No such device");
    EXPECT_EQ(driver.SetComParam("COM3", 9600, 8, 'N', 1, 0), 0);
    EXPECT_EQ(driver.LastErrorText("COM3"), "open COM3: No such device");
}

}  // namespace
}  // namespace quillora::test
