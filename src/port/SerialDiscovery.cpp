#include "port/SerialDiscovery.h"

#include <linux/serial.h>
#include <sys/ioctl.h>

#include <filesystem>
#include <system_error>

#include "port/FdIo.h"

namespace quillora {
namespace {

namespace fs = std::filesystem;

// The name of the driver that `link` (a sysfs "driver" link) leads to; empty when unbound.
std::string DriverName(const fs::path& link) {
    std::error_code error;
    return fs::read_symlink(link, error).filename().native();
}

// The driver of the port's hardware, given `driver`, the one bound to its device. From Linux
// 6.5 the serial core puts a port device of its own (bus serial-base, driver "port") under a
// controller device, both between the tty and the hardware's device: the 8250 platform
// device is then two levels up.
std::string HardwareDriver(const fs::path& device, std::string driver) {
    std::error_code error;
    const bool serialBase =
        fs::read_symlink(device / "subsystem", error).filename() == "serial-base";
    return serialBase ? DriverName(device / ".." / ".." / "driver") : driver;
}

}  // namespace

std::vector<std::string> SerialDevicesUnder(const std::string& sysClassTty,
                                            const std::string& devDir,
                                            const UartFittedCheck& uartFitted) {
    std::vector<std::string> paths;
    std::error_code error;
    // increment(error) rather than a range-for, whose ++ throws.
    for (fs::directory_iterator entry(sysClassTty, error), end; !error && entry != end;
         entry.increment(error)) {
        // Virtual consoles, ptmx and console have no device; a device with no driver bound
        // has nothing that could carry bytes.
        const fs::path device = entry->path() / "device";
        std::string driver = DriverName(device / "driver");
        if (driver.empty()) continue;
        std::string path = devDir + "/" + entry->path().filename().native();
        if (HardwareDriver(device, std::move(driver)) == "serial8250" && !uartFitted(path)) {
            continue;
        }
        paths.push_back(std::move(path));
    }
    return paths;
}

bool SerialUartFitted(const std::string& devicePath) {
    std::error_code error;
    const UniqueFd fd = OpenDevice(devicePath, false, error);
    serial_struct serial{};
    return fd.Valid() && ioctl(fd.Get(), TIOCGSERIAL, &serial) == 0 && serial.type != PORT_UNKNOWN;
}

}  // namespace quillora
