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

TEST(DeviceTable, QuilloraPortsReplacesOnlyTheKindsItNamesDiscoveryKeepsNumberOrder) {
    ASSERT_EQ(setenv("QUILLORA_PORTS", " COM1 = /dev/pts/4 ;;COM3=/c3;bogus;COM0=/b", 1), 0);
    const DeviceTable table = SystemDeviceTable();
    unsetenv("QUILLORA_PORTS");
    EXPECT_EQ(Paths(table.serial), (std::vector<std::string>{"/dev/pts/4", "", "/c3"}));
    EXPECT_EQ(Paths(table.parallel), NumberedDeviceNodes("/dev", "lp"));

    EXPECT_EQ(OrderSerialDevices({"/dev/ttyACM0", "/dev/ttyUSB10", "/dev/ttyS1", "/dev/ttyAMA0",
                                  "/dev/ttyUSB2", "/dev/ttyS0", "/dev/rfcomm0", "/dev/ttyS10"}),
              (std::vector<std::string>{"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS10", "/dev/ttyUSB2",
                                        "/dev/ttyUSB10", "/dev/ttyACM0", "/dev/rfcomm0",
                                        "/dev/ttyAMA0"}));
    QTemporaryDir dir;
    for (const char* name : {"lp10", "lp2", "lp0", "lpx", "lp", "usblp1", "lp3a"})
        std::ofstream(dir.filePath(name).toStdString()) << "";
    const std::string root = dir.path().toStdString();
    EXPECT_EQ(NumberedDeviceNodes(root, "lp"),
              (std::vector<std::string>{root + "/lp0", root + "/lp2", root + "/lp10"}));
}

// A number past the bound is refused by name instead of sizing the table after it.
TEST(DeviceTable, OverridesBeyondTheBoundAreNamedOnStandardErrorNotAllocated) {
    ASSERT_EQ(setenv("QUILLORA_PORTS", "COM2147483647=/x; usb257 = /u ;LPT256=/p", 1), 0);
    testing::internal::CaptureStderr();
    const DeviceTable table = SystemDeviceTable();
    const std::string errors = testing::internal::GetCapturedStderr();
    unsetenv("QUILLORA_PORTS");
    EXPECT_EQ(errors,
              "QUILLORA_PORTS: entry \"COM2147483647=/x\" ignored: port numbers go up to 256\n"
              "QUILLORA_PORTS: entry \"usb257 = /u\" ignored: port numbers go up to 256\n");
    EXPECT_EQ(Paths(table.serial), DiscoverSerialDevices()) << "a refused kind is still discovered";
    ASSERT_EQ(table.parallel.size(), 256u);
    EXPECT_EQ(table.parallel.back().path, "/p");
}

// A run on one port looks for the devices of its kind only; overrides still apply to it and
// refused entries are still named.
TEST(DeviceTable, OneKindAloneIsLookedForWhenOnlyItIsNeeded) {
    ASSERT_EQ(setenv("QUILLORA_PORTS", "COM2=/c2;LPT1=/p1;USB300=/u", 1), 0);
    testing::internal::CaptureStderr();
    const DeviceTable parallel = SystemDeviceTable(PortKind::Parallel);
    const DeviceTable serial = SystemDeviceTable(PortKind::Serial);
    const DeviceTable usb = SystemDeviceTable(PortKind::Usb);
    const DeviceTable none = SystemDeviceTable(PortKind::None);
    const std::string errors = testing::internal::GetCapturedStderr();
    unsetenv("QUILLORA_PORTS");
    EXPECT_EQ(Paths(parallel.parallel), std::vector<std::string>{"/p1"});
    EXPECT_TRUE(parallel.serial.empty() && parallel.usb.empty());
    EXPECT_EQ(Paths(serial.serial), (std::vector<std::string>{"", "/c2"}));
    EXPECT_TRUE(serial.parallel.empty() && serial.usb.empty());
    EXPECT_EQ(Paths(usb.usb), NumberedDeviceNodes("/dev/usb", "lp"));
    EXPECT_TRUE(usb.serial.empty() && usb.parallel.empty());
    EXPECT_TRUE(none.serial.empty() && none.parallel.empty() && none.usb.empty());
    const std::string refused =
        "QUILLORA_PORTS: entry \"USB300=/u\" ignored: port numbers go up to 256\n";
    EXPECT_EQ(errors, refused + refused + refused + refused);
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

    EXPECT_EQ(Send(driver, "LPT1", Hex("1B 61 01 00 0A")), 5);
    EXPECT_EQ(Send(driver, "LPT1", Hex("1B 6D")), 2);
    EXPECT_EQ(FileContents(lpt), Hex("1B 61 01 00 0A 1B 6D"));
    EXPECT_EQ(Send(driver, "USB2", Hex("1C 70 01 30")), 4);
    EXPECT_EQ(FileContents(usb), "earlier:" + Hex("1C 70 01 30"));

    EXPECT_EQ(Send(driver, "COM2", "x"), 0);  // a serial device is never created
    EXPECT_EQ(driver.LastErrorText("COM2"), "open " + com + ": No such file or directory");
    EXPECT_FALSE(std::filesystem::exists(com));
}

}  // namespace
}  // namespace quillora::test
