// What the driver refuses or answers with nothing: flow-control codes, replies from
// plain-file stand-ins, names that lead nowhere and sends with no bytes.
#include <gtest/gtest.h>
#include <termios.h>

#include <QTemporaryDir>
#include <filesystem>

#include "PortTestSupport.h"

namespace quillora::test {
namespace {

TEST(SerialFlowControl, XonXoffSetsIxonAndIxoffCodesOutsideZeroToThreeAreRefused) {
    PseudoTerminal printer;
    LinuxPortDriver driver = DriverWith("COM1=" + printer.slavePath);
    const auto settings = [&] {
        termios now{};
        EXPECT_EQ(tcgetattr(printer.slave.Get(), &now), 0);
        return now;
    };
    EXPECT_EQ(driver.SetComParam("COM1", 38400, 8, 'N', 1, 1), 1);
    EXPECT_EQ(settings().c_iflag & (IXON | IXOFF | IXANY), tcflag_t(IXON | IXOFF));
    EXPECT_EQ(settings().c_cflag & CRTSCTS, 0u);

    for (const int code : {-1, 4, 0x7FFFFFFF}) {
        EXPECT_EQ(driver.SetComParam("COM1", 9600, 8, 'N', 1, code), 0) << code;
        EXPECT_EQ(driver.LastErrorText("COM1"),
                  "configure " + printer.slavePath + ": Invalid argument");
        const termios kept = settings();  // the refused call changed nothing
        EXPECT_EQ(cfgetospeed(&kept), speed_t(B38400)) << code;
        EXPECT_EQ(kept.c_iflag & (IXON | IXOFF), tcflag_t(IXON | IXOFF)) << code;
    }
    EXPECT_EQ(driver.SetComParam("COM1", 9600, 8, 'N', 1, 0), 1);
    EXPECT_EQ(settings().c_iflag & (IXON | IXOFF), 0u);
}

TEST(DevicePorts, StandInsGiveNoRepliesUnknownNamesAndEmptySendsOpenNothing) {
    QTemporaryDir dir;
    const std::string lpt = dir.filePath("lp1.out").toStdString();
    const std::string usb = dir.filePath("usb1.out").toStdString();
    const std::string unused = dir.filePath("lp2.out").toStdString();
    std::ofstream(lpt, std::ios::binary) << "earlier:";
    std::ofstream(usb, std::ios::binary) << Hex("12 12");
    LinuxPortDriver driver = DriverWith("LPT1=" + lpt + ";LPT2=" + unused + ";USB1=" + usb);

    // Bytes already in a stand-in are what was sent to it, never a reply.
    for (const auto& [port, path] : {std::pair{"LPT1", lpt}, std::pair{"USB1", usb}}) {
        std::uint8_t reply[4] = {0xAA, 0xAA, 0xAA, 0xAA};
        EXPECT_EQ(driver.ReadData(port, reply, 4), 0) << port;
        EXPECT_EQ(ToHex({reinterpret_cast<const char*>(reply), 4}), "AA AA AA AA") << port;
        EXPECT_EQ(driver.LastErrorText(port), "read " + path + ": a plain file gives no replies");
    }

    // Nothing to send: the stand-in is not even created.
    const std::uint8_t byte = 0x0A;
    EXPECT_EQ(driver.SendData("LPT2", &byte, 0), 0);
    EXPECT_EQ(driver.SendData("LPT2", nullptr, 1), 0);
    EXPECT_FALSE(std::filesystem::exists(unused));
    EXPECT_EQ(driver.LastErrorText("LPT2"), "");

    // Near misses of a valid name lead nowhere, least of all to LPT1's file.
    for (const char* name : {"LPT01", "LPT1x", "LPT1 ", "LPT", "LPT0", "COM-1", "PRN", ""}) {
        EXPECT_EQ(Send(driver, name, "x"), 0) << name;
        EXPECT_EQ(driver.LastErrorText(name),
                  "open " + std::string(*name ? name : "(no port)") + ": No such device");
    }
    EXPECT_EQ(FileContents(lpt), "earlier:");
    EXPECT_FALSE(std::filesystem::exists(unused));
}

}  // namespace
}  // namespace quillora::test
