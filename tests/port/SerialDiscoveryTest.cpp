#include "port/SerialDiscovery.h"

#include <gtest/gtest.h>
#include <pty.h>

#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "platform/UniqueFd.h"
#include "port/DeviceTable.h"

namespace quillora::test {
namespace {

namespace fs = std::filesystem;

// A device directory of a fake sysfs, bound to `driver` when one is named.
fs::path Device(const fs::path& dir, const std::string& driver = "") {
    fs::create_directories(dir);
    if (!driver.empty()) fs::create_directory_symlink("../drivers/" + driver, dir / "driver");
    return dir;
}

// A port device of the serial core's own bus (Linux 6.5 on): driver "port", under a
// controller (driver "ctrl") under the hardware's device.
fs::path SerialBasePort(const fs::path& hardware, const std::string& name) {
    const fs::path port =
        Device(Device(hardware / (name + ":0"), "ctrl") / (name + ":0.0"), "port");
    fs::create_directory_symlink("../bus/serial-base", port / "subsystem");
    return port;
}

// An entry of class/tty, with a `device` link when one is given.
void Tty(const fs::path& classTty, const std::string& name, const fs::path& device = {}) {
    fs::create_directories(classTty / name);
    if (!device.empty()) fs::create_directory_symlink(device, classTty / name / "device");
}

TEST(SerialDiscovery, ListsBoundDevicesAskingTheUartCheckFor8250PortsOnly) {
    QTemporaryDir dir;
    const fs::path root = dir.path().toStdString(), classTty = root / "class/tty";
    for (const char* name : {"tty0", "tty1", "console", "ptmx"}) Tty(classTty, name);
    const fs::path legacy = Device(root / "devices/platform/serial8250", "serial8250");
    Tty(classTty, "ttyS0", legacy);
    Tty(classTty, "ttyS2", legacy);
    Tty(classTty, "ttyS3", SerialBasePort(legacy, "serial8250"));
    Tty(classTty, "ttyS1", SerialBasePort(Device(root / "devices/pnp0/00:04", "serial"), "00:04"));
    Tty(classTty, "ttyS9", Device(root / "devices/platform/unbound"));
    Tty(classTty, "ttyUSB1", Device(root / "devices/usb1/1-1:1.0", "ftdi_sio"));
    // As the kernel links it: the entry leads into the device's own tty folder.
    const fs::path acm = Device(root / "devices/usb1/1-2:1.0", "cdc_acm") / "tty/ttyACM0";
    fs::create_directories(acm);
    fs::create_directory_symlink("../..", acm / "device");
    fs::create_directory_symlink(acm, classTty / "ttyACM0");

    std::vector<std::string> asked;
    const auto fitted = [&](const std::string& path) {
        asked.push_back(path);
        return path != "/dev/ttyS2";
    };
    EXPECT_EQ(OrderSerialDevices(SerialDevicesUnder(classTty, "/dev", fitted)),
              (std::vector<std::string>{"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS3", "/dev/ttyUSB1",
                                        "/dev/ttyACM0"}));
    std::sort(asked.begin(), asked.end());
    EXPECT_EQ(asked, (std::vector<std::string>{"/dev/ttyS0", "/dev/ttyS2", "/dev/ttyS3"}));
}

TEST(SerialDiscovery, AMissingOrUnreadableFolderAndAPortThatIsNoUartGiveNothing) {
    QTemporaryDir dir;
    const std::string file = dir.filePath("tty").toStdString();
    std::ofstream(file) << "";
    const auto never = [](const std::string& path) -> bool { throw std::logic_error(path); };
    EXPECT_EQ(SerialDevicesUnder(file, "/dev", never), std::vector<std::string>{});
    EXPECT_EQ(SerialDevicesUnder(file + "/missing", "/dev", never), std::vector<std::string>{});

    int controller = -1, terminal = -1;
    char name[64] = {};
    ASSERT_EQ(openpty(&controller, &terminal, name, nullptr, nullptr), 0);
    const UniqueFd ownController(controller), ownTerminal(terminal);
    EXPECT_FALSE(SerialUartFitted(name)) << "a pseudo-terminal answers no TIOCGSERIAL";
    EXPECT_FALSE(SerialUartFitted(file + "/missing"));
}

}  // namespace
}  // namespace quillora::test
