#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdlib>
#include <fstream>

#include "port/DeviceTable.h"

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
    const PortAddress ip = ParsePortName("192.168.44.10");
    EXPECT_EQ(ip.kind, PortKind::Network);
    EXPECT_EQ(ip.ipv4, 0xC0A82C0Au);
    for (const char* other : {"", "IP", "COM", "COM0", "COM01", "COM1x", "COM-1", "TTY1", "1.2.3",
                              "1.2.3.256", "99999999999999999999"}) {
        EXPECT_EQ(ParsePortName(other).kind, PortKind::None) << other;
    }
}

TEST(PortOverrides, MapsNamesToPathsPerKind) {
    const PortOverrides overrides = ParsePortOverrides(
        " COM1 = /dev/pts/4 ; lpt1=./lp1.out;;COM3=/tmp/vp/com3;USB2=/tmp/u=2;bogus;X1=/a;"
        "COM0=/b;COM2=");
    ASSERT_TRUE(overrides.serial);
    EXPECT_EQ(Paths(*overrides.serial),
              (std::vector<std::string>{"/dev/pts/4", "", "/tmp/vp/com3"}));
    EXPECT_FALSE((*overrides.serial)[0].createIfMissing);
    ASSERT_TRUE(overrides.parallel);
    EXPECT_EQ(Paths(*overrides.parallel), (std::vector<std::string>{"./lp1.out"}));
    EXPECT_TRUE((*overrides.parallel)[0].createIfMissing);
    ASSERT_TRUE(overrides.usb);
    EXPECT_EQ(Paths(*overrides.usb), (std::vector<std::string>{"", "/tmp/u=2"}));
    EXPECT_TRUE((*overrides.usb)[1].createIfMissing);

    const PortOverrides none = ParsePortOverrides("");
    EXPECT_FALSE(none.serial || none.parallel || none.usb);
}

TEST(PortOverrides, ReplaceDiscoveryOnlyForTheKindsNamed) {
    const DeviceTable all = BuildDeviceTable(ParsePortOverrides("COM2=/a;LPT1=/b;USB1=/c"));
    EXPECT_EQ(all.serial.size(), 2u);
    EXPECT_EQ(all.Find(PortKind::Serial, 1), nullptr);
    EXPECT_EQ(all.Find(PortKind::Serial, 2)->path, "/a");
    EXPECT_EQ(all.Find(PortKind::Parallel, 1)->path, "/b");
    EXPECT_EQ(all.Find(PortKind::Usb, 1)->path, "/c");
    EXPECT_EQ(all.Find(PortKind::Usb, 2), nullptr);
    EXPECT_EQ(all.Find(PortKind::Network, 1), nullptr);

    const DeviceTable serialOnly = BuildDeviceTable(ParsePortOverrides("COM1=/a"));
    EXPECT_EQ(Paths(serialOnly.parallel), NumberedDeviceNodes("/dev", "lp"));
    EXPECT_EQ(Paths(serialOnly.usb), NumberedDeviceNodes("/dev/usb", "lp"));
}

TEST(PortOverrides, ComeFromTheEnvironment) {
    ASSERT_EQ(setenv("QUILLORA_PORTS", "COM1=/x;COM2=/y;LPT3=/z;USB1=/w", 1), 0);
    const DeviceTable table = SystemDeviceTable();
    unsetenv("QUILLORA_PORTS");
    EXPECT_EQ(Paths(table.serial), (std::vector<std::string>{"/x", "/y"}));
    EXPECT_EQ(Paths(table.parallel), (std::vector<std::string>{"", "", "/z"}));
    EXPECT_EQ(Paths(table.usb), (std::vector<std::string>{"/w"}));
}

TEST(Discovery, SerialDevicesInADocumentedOrder) {
    EXPECT_EQ(OrderSerialDevices({"/dev/ttyACM0", "/dev/ttyUSB10", "/dev/ttyS1", "/dev/ttyAMA0",
                                  "/dev/ttyUSB2", "/dev/ttyS0", "/dev/rfcomm0", "/dev/ttyS10"}),
              (std::vector<std::string>{"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS10", "/dev/ttyUSB2",
                                        "/dev/ttyUSB10", "/dev/ttyACM0", "/dev/rfcomm0",
                                        "/dev/ttyAMA0"}));
    const std::vector<std::string> found = DiscoverSerialDevices();
    EXPECT_EQ(OrderSerialDevices(found), found);
}

TEST(Discovery, NumberedNodesByNumber) {
    QTemporaryDir dir;
    for (const char* name : {"lp10", "lp2", "lp0", "lpx", "lp", "usblp1", "lp3a"}) {
        std::ofstream(dir.filePath(name).toStdString()) << "";
    }
    const std::string root = dir.path().toStdString();
    EXPECT_EQ(NumberedDeviceNodes(root, "lp"),
              (std::vector<std::string>{root + "/lp0", root + "/lp2", root + "/lp10"}));
    EXPECT_TRUE(NumberedDeviceNodes(root + "/missing", "lp").empty());
}

}  // namespace
}  // namespace quillora::test
