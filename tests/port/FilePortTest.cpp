// Plain files standing in for parallel and USB printer devices.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>

#include "PortTestSupport.h"

namespace quillora::test {
namespace {

TEST(FilePort, ParallelAndUsbStandInsCollectEverySendInOrder) {
    QTemporaryDir dir;
    const std::string lpt = dir.filePath("lp1.out").toStdString();
    const std::string usb = dir.filePath("usb2.out").toStdString();
    std::ofstream(usb, std::ios::binary) << "earlier:";
    LinuxPortDriver driver = DriverWith("LPT1=" + lpt + ";usb2=" + usb);
    EXPECT_EQ(driver.GetCOMMax(), static_cast<int>(DiscoverSerialDevices().size()));
    EXPECT_EQ(driver.GetLPTMax(), 1);
    EXPECT_EQ(driver.GetUSBPort(), 2);

    EXPECT_EQ(Send(driver, "LPT1", Hex("1B 61 01 00 0A")), 5);
    EXPECT_EQ(Send(driver, "LPT1", Hex("1B 6D")), 2);
    EXPECT_EQ(Send(driver, "LPT1", ""), 0);
    EXPECT_EQ(FileContents(lpt), Hex("1B 61 01 00 0A 1B 6D"));

    EXPECT_EQ(Send(driver, "USB2", Hex("1C 70 01 30")), 4);
    EXPECT_EQ(FileContents(usb), "earlier:" + Hex("1C 70 01 30"));
    EXPECT_EQ(Send(driver, "USB1", "x"), 0);
    EXPECT_EQ(driver.LastErrorText("USB1"), "open USB1: No such device");
}

TEST(FilePort, TenMebibytesInOneCall) {
    QTemporaryDir dir;
    const std::string lpt = dir.filePath("lp1.out").toStdString();
    LinuxPortDriver driver = DriverWith("LPT1=" + lpt);
    const std::string job = Pattern(10 << 20);
    EXPECT_EQ(Send(driver, "LPT1", job), 10 << 20);
    EXPECT_TRUE(FileContents(lpt) == job);
}

TEST(FilePort, ReadingAndSerialSettingsAreRefusedWithAReason) {
    QTemporaryDir dir;
    const std::string lpt = dir.filePath("lp1.out").toStdString();
    LinuxPortDriver driver = DriverWith("LPT1=" + lpt);
    EXPECT_EQ(Read(driver, "LPT1", 2), "");
    EXPECT_EQ(driver.LastErrorText("LPT1"), "read " + lpt + ": a plain file gives no replies");
    EXPECT_EQ(driver.SetComParam("LPT1", 9600, 8, 'N', 1, 0), 0);
    EXPECT_EQ(driver.LastErrorText("LPT1"), "configure " + lpt + ": not a serial port");
    EXPECT_EQ(driver.ShowCOMSettingDlg("LPT1"), 0);
}

TEST(FilePort, NamesThatAreNoPortFailWithoutTouchingAnything) {
    LinuxPortDriver driver = DriverWith("");
    for (const PortName port : {"", "IP", "COM", "COM0", "LPT-1", "1.2.3", "printer"}) {
        EXPECT_EQ(Send(driver, port, "x"), 0) << port;
        EXPECT_NE(driver.LastErrorText(port), "") << port;
    }
    EXPECT_EQ(driver.LastErrorText(""), "open (no port): No such device");
}

}  // namespace
}  // namespace quillora::test
