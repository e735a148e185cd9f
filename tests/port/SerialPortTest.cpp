// Serial ports through pseudo-terminals: the test plays the printer on the master side.
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <filesystem>

#include <QTemporaryDir>

#include "PortTestSupport.h"

namespace quillora::test {
namespace {

termios SettingsOf(const PseudoTerminal& terminal) {
    termios settings{};
    EXPECT_EQ(tcgetattr(terminal.slave.Get(), &settings), 0);
    return settings;
}

TEST(SerialPort, PassesEveryByteUnchangedAndKeepsOneOpening) {
    PseudoTerminal printer;
    LinuxPortDriver driver = DriverWith("COM1=" + printer.slavePath);
    ASSERT_EQ(driver.GetCOMMax(), 1);

    // Line ends, NUL, XON/XOFF characters and high bytes must not be translated.
    const std::string command = Hex("1B 40 0D 0A 00 11 13 0A FF B2");
    EXPECT_EQ(Send(driver, "COM1", command), 10);
    EXPECT_EQ(printer.Receive(10), command);
    EXPECT_EQ(driver.LastErrorText("COM1"), "");

    const std::string copy = Pattern(50);
    for (const char byte : copy) EXPECT_EQ(Send(driver, "COM1", std::string(1, byte)), 1);
    EXPECT_EQ(printer.Receive(50), copy);

    EXPECT_EQ(Send(driver, "COM1", ""), 0);
    EXPECT_EQ(driver.SendData("COM1", nullptr, 4), 0);
    EXPECT_EQ(printer.Receive(1, 50ms), "");
}

TEST(SerialPort, AppliesBaudRateFlowControlAnd8N1) {
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

    EXPECT_EQ(driver.SetComParam("COM1", 1200, 8, 'N', 1, 1), 1);
    settings = SettingsOf(printer);
    EXPECT_EQ(cfgetospeed(&settings), speed_t(B1200));
    EXPECT_EQ(settings.c_iflag & (IXON | IXOFF), tcflag_t(IXON | IXOFF));
    EXPECT_EQ(settings.c_cflag & CRTSCTS, 0u);

    for (const int code : {0, 3}) {
        EXPECT_EQ(driver.SetComParam("COM1", 9600, 8, 'N', 1, code), 1);
        settings = SettingsOf(printer);
        EXPECT_EQ(settings.c_iflag & (IXON | IXOFF), 0u);
        EXPECT_EQ(settings.c_cflag & CRTSCTS, 0u);
    }
    // Flow code 3 on a device without modem lines still sends.
    EXPECT_EQ(Send(driver, "COM1", "ok"), 2);
    EXPECT_EQ(printer.Receive(2), "ok");
}

TEST(SerialPort, TakesEveryStandardRateAndRefusesOthersKeepingTheLastGood) {
    PseudoTerminal printer;
    LinuxPortDriver driver = DriverWith("COM1=" + printer.slavePath);
    const std::pair<int, speed_t> rates[] = {
        {1200, B1200},     {1800, B1800},     {2400, B2400},     {4800, B4800},
        {9600, B9600},     {19200, B19200},   {38400, B38400},   {57600, B57600},
        {115200, B115200}, {230400, B230400}, {460800, B460800}, {500000, B500000},
        {576000, B576000}, {921600, B921600},
    };
    for (const auto& [rate, constant] : rates) {
        EXPECT_EQ(driver.SetComParam("COM1", rate, 8, 'N', 1, 0), 1) << rate;
        termios settings = SettingsOf(printer);
        EXPECT_EQ(cfgetospeed(&settings), constant) << rate;
    }
    EXPECT_EQ(driver.SetComParam("COM1", 12345, 8, 'N', 1, 0), 0);
    EXPECT_EQ(driver.LastErrorText("COM1"),
              "configure " + printer.slavePath + ": Invalid argument");
    EXPECT_EQ(driver.SetComParam("COM1", 9600, 8, 'N', 1, 4), 0);
    termios settings = SettingsOf(printer);
    EXPECT_EQ(cfgetospeed(&settings), speed_t(B921600));
}

TEST(SerialPort, SettingsMadeBeforeTheFirstSendAreInForceAfterIt) {
    PseudoTerminal printer;
    LinuxPortDriver driver = DriverWith("COM1=" + printer.slavePath);
    EXPECT_EQ(driver.SetComParam("COM1", 19200, 8, 'N', 1, 1), 1);
    EXPECT_EQ(Send(driver, "COM1", "x"), 1);
    const termios settings = SettingsOf(printer);
    EXPECT_EQ(cfgetospeed(&settings), speed_t(B19200));
    EXPECT_EQ(settings.c_iflag & IXON, tcflag_t(IXON));
}

TEST(SerialPort, StatusReplyArrivingBeforeReadDataIsKept) {
    PseudoTerminal printer;
    LinuxPortDriver driver = DriverWith("COM1=" + printer.slavePath);
    EXPECT_EQ(Send(driver, "COM1", Hex("10 04 02 10 04 04")), 6);
    EXPECT_EQ(printer.Receive(6), Hex("10 04 02 10 04 04"));
    printer.Reply(Hex("12 72"));
    printer.AwaitDelivered();
    EXPECT_EQ(Read(driver, "COM1", 2), Hex("12 72"));
    EXPECT_EQ(driver.LastErrorText("COM1"), "");
}

TEST(SerialPort, LateReplyToAnEarlierQueryIsDiscardedByTheNextSend) {
    PseudoTerminal printer;
    LinuxPortDriver driver = DriverWith("COM1=" + printer.slavePath);
    EXPECT_EQ(Send(driver, "COM1", Hex("1D 46 01")), 3);
    EXPECT_EQ(Read(driver, "COM1", 1), "");  // the printer is slow: nothing within the bound
    printer.Reply(Hex("20"));                // ...and answers too late
    printer.AwaitDelivered();

    EXPECT_EQ(Send(driver, "COM1", Hex("1D 46 01")), 3);
    printer.Reply(Hex("0C"));
    EXPECT_EQ(Read(driver, "COM1", 1), Hex("0C"));
}

TEST(SerialPort, ShortReplyIsReturnedAfterTheBoundedWait) {
    PseudoTerminal printer;
    LinuxPortDriver driver = DriverWith("COM1=" + printer.slavePath);
    EXPECT_EQ(Send(driver, "COM1", Hex("10 04 02 10 04 04")), 6);
    printer.Reply(Hex("12"));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Read(driver, "COM1", 2), Hex("12"));
    EXPECT_GE(ElapsedSince(start), QuickTimeouts().read);
    EXPECT_EQ(driver.LastErrorText("COM1"),
              "read " + printer.slavePath + ": 1 of 2 bytes within 200 ms");
}

TEST(SerialPort, ReadDataWaitsAboutOneSecondByDefault) {
    PseudoTerminal printer;
    LinuxPortDriver driver(BuildDeviceTable(ParsePortOverrides("COM1=" + printer.slavePath)),
                           PortTimeouts{}, {});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Read(driver, "COM1", 1), "");
    EXPECT_GE(ElapsedSince(start), 1000ms);
    EXPECT_LT(ElapsedSince(start), 2500ms);
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

    // The calls that follow give up at once instead of waiting out the bound each time.
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 100; ++i) EXPECT_EQ(Send(driver, "COM1", "z"), 0);
    EXPECT_LT(ElapsedSince(start), timeouts.writeStall);
    EXPECT_EQ(printer.Receive(size_t(sent)), job.substr(0, size_t(sent)));
}

TEST(SerialPort, FollowsALinkToAPrinterThatRestartsOnANewTerminal) {
    QTemporaryDir dir;
    const std::string link = dir.filePath("com1").toStdString();
    auto first = std::make_unique<PseudoTerminal>();
    std::filesystem::create_symlink(first->slavePath, link);
    LinuxPortDriver driver = DriverWith(" com1 = " + link + " ;");
    EXPECT_EQ(driver.SetComParam("COM1", 38400, 8, 'N', 1, 2), 1);
    EXPECT_EQ(Send(driver, "COM1", "one"), 3);
    EXPECT_EQ(first->Receive(3), "one");

    // The printer goes away and comes back on another terminal behind the same link.
    first.reset();
    PseudoTerminal second;
    std::filesystem::remove(link);
    std::filesystem::create_symlink(second.slavePath, link);

    EXPECT_EQ(Send(driver, "COM1", Hex("1B 69")), 2);
    EXPECT_EQ(second.Receive(2), Hex("1B 69"));
    const termios settings = SettingsOf(second);
    EXPECT_EQ(cfgetospeed(&settings), speed_t(B38400));
    EXPECT_NE(settings.c_cflag & CRTSCTS, 0u);
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
    EXPECT_EQ(driver.LastErrorText("COM4"), "");
}

}  // namespace
}  // namespace quillora::test
