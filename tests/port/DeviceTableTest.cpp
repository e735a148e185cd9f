#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "PortTestSupport.h"

namespace quillora::test {
namespace {

std::vector<std::string> Paths(const DeviceList& devices) {
    std::vector<std::string> paths;
    for (const DevicePath& device : devices) paths.push_back(device.path);
    return paths;
}

TEST(PortNames, RecognisesTheFourShapes) {
    EXPECT_EQ(ParsePortName("COM1").kind, PortKind::Serial);
    EXPECT_EQ(ParsePortName("COM12").number, 12);
    EXPECT_EQ(ParsePortName("lpt2").kind, PortKind::Parallel);
    EXPECT_EQ(ParsePortName("USB3").kind, PortKind::Usb);
    const PortAddress ip = ParsePortName("127.44.0.10");
    EXPECT_EQ(ip.kind, PortKind::Network);
    EXPECT_EQ(ip.ipv4, 0x7F2C000Au);
    for (const char* other : {"", "IP", "COM", "COM0", "COM01", "COM1x", "COM-1", "TTY1", "1.2.3",
                              "1.2.3.256", "99999999999999999999"}) {
        EXPECT_EQ(ParsePortName(other).kind, PortKind::None) << other;
    }
}

TEST(PortOverrides, MapPathsAndReplaceDiscoveryOnlyForTheKindsNamed) {
    const PortOverrides overrides = ParsePortOverrides(
        " COM1 = /dev/pts/4 ; lpt1=./lp1.out;;COM3=/tmp/vp/com3;USB2=/tmp/u=2;bogus;X1=/a;"
        "COM0=/b;COM2=");
    ASSERT_TRUE(overrides.serial && overrides.parallel && overrides.usb);
    EXPECT_EQ(Paths(*overrides.serial),
              (std::vector<std::string>{"/dev/pts/4", "", "/tmp/vp/com3"}));
    EXPECT_EQ(Paths(*overrides.parallel), (std::vector<std::string>{"./lp1.out"}));
    EXPECT_EQ(Paths(*overrides.usb), (std::vector<std::string>{"", "/tmp/u=2"}));
    const PortOverrides none = ParsePortOverrides("");
    EXPECT_FALSE(none.serial || none.parallel || none.usb);

    const DeviceTable serialOnly = BuildDeviceTable(ParsePortOverrides("COM1=/a"));
    EXPECT_EQ(Paths(serialOnly.parallel), NumberedDeviceNodes("/dev", "lp"));
    EXPECT_EQ(Paths(serialOnly.usb), NumberedDeviceNodes("/dev/usb", "lp"));
}

TEST(Discovery, SerialDevicesAndNumberedNodesInOrder) {
    EXPECT_EQ(OrderSerialDevices({"/dev/ttyACM0", "/dev/ttyUSB10", "/dev/ttyS1", "/dev/ttyAMA0",
                                  "/dev/ttyUSB2", "/dev/ttyS0", "/dev/rfcomm0", "/dev/ttyS10"}),
              (std::vector<std::string>{"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS10", "/dev/ttyUSB2",
                                        "/dev/ttyUSB10", "/dev/ttyACM0", "/dev/rfcomm0",
                                        "/dev/ttyAMA0"}));
    QTemporaryDir dir;
    for (const char* name : {"lp10", "lp2", "lp0", "lpx", "lp", "usblp1", "lp3a"}) {
        std::ofstream(dir.filePath(name).toStdString()) << "";
    }
    const std::string root = dir.path().toStdString();
    EXPECT_EQ(NumberedDeviceNodes(root, "lp"),
              (std::vector<std::string>{root + "/lp0", root + "/lp2", root + "/lp10"}));
    EXPECT_TRUE(NumberedDeviceNodes(root + "/missing", "lp").empty());
}

// Plain files stand in for parallel and USB printers.
TEST(DevicePorts, FileStandInsCollectEverySendInOrderMissingDevicesAreRefused) {
    QTemporaryDir dir;
    const std::string lpt = dir.filePath("lp1.out").toStdString();
    const std::string usb = dir.filePath("usb2.out").toStdString();
    const std::string com = dir.filePath("com2").toStdString();
    std::ofstream(usb, std::ios::binary) << "earlier:";
    LinuxPortDriver driver = DriverWith("LPT1=" + lpt + ";usb2=" + usb + ";COM2=" + com);
    EXPECT_EQ(driver.GetCOMMax(), 2);
    EXPECT_EQ(driver.GetLPTMax(), 1);
    EXPECT_EQ(driver.GetUSBPort(), 2);

    EXPECT_EQ(Send(driver, "LPT1", Hex("1B 61 01 00 0A")), 5);
    EXPECT_EQ(Send(driver, "LPT1", Hex("1B 6D")), 2);
    EXPECT_EQ(FileContents(lpt), Hex("1B 61 01 00 0A 1B 6D"));
    EXPECT_EQ(Send(driver, "USB2", Hex("1C 70 01 30")), 4);
    EXPECT_EQ(FileContents(usb), "earlier:" + Hex("1C 70 01 30"));

    EXPECT_EQ(Read(driver, "LPT1", 2), "");
    EXPECT_EQ(driver.LastErrorText("LPT1"), "read " + lpt + ": a plain file gives no replies");
    EXPECT_EQ(driver.SetComParam("LPT1", 9600, 8, 'N', 1, 0), 0);
    EXPECT_EQ(driver.LastErrorText("LPT1"), "configure " + lpt + ": not a serial port");
    EXPECT_EQ(Send(driver, "COM2", "x"), 0);  // a serial device is never created
    EXPECT_EQ(driver.LastErrorText("COM2"), "open " + com + ": No such file or directory");
    EXPECT_FALSE(std::filesystem::exists(com));
    EXPECT_EQ(driver.SetComParam("COM1", 9600, 8, 'N', 1, 0), 0);
    EXPECT_EQ(driver.LastErrorText("COM1"), "open COM1: No such device");
    EXPECT_EQ(Send(driver, "", "x"), 0);
    EXPECT_EQ(driver.LastErrorText(""), "open (no port): No such device");
}

}  // namespace
}  // namespace quillora::test
