#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "port/PortNames.h"

namespace quillora {

// Where one numbered port leads. An empty path is a number with no device behind it.
struct DevicePath {
    std::string path;
    // Override paths for parallel and USB ports may name a plain file that does not exist
    // yet (a test rig's stand-in for a printer device); discovered devices never are.
    bool createIfMissing = false;
};

// Devices of one kind; element 0 is port 1 (COM1, LPT1, USB1).
using DeviceList = std::vector<DevicePath>;

struct DeviceTable {
    DeviceList serial, parallel, usb;

    const DeviceList& Of(PortKind kind) const;
    // The device behind COMn, LPTn or USBn; nullptr when there is none.
    const DevicePath* Find(PortKind kind, int number) const;
};

// The entries of a QUILLORA_PORTS value ("COM1=/dev/pts/4;LPT1=./lp1.out"): entries
// separated by ';', each NAME=PATH with NAME one of COMn, LPTn, USBn in any letter case and
// blanks around either part ignored. Malformed entries are skipped. A kind that the text
// names at all is present in the result, numbered up to its highest entry. Numbers above
// kMaxOverridePort are refused (kept verbatim in `refused`), so a typo cannot make the
// table allocate billions of entries.
inline constexpr int kMaxOverridePort = 256;
struct PortOverrides {
    std::optional<DeviceList> serial, parallel, usb;
    std::vector<std::string> refused;
};
PortOverrides ParsePortOverrides(std::string_view text);

// Serial devices in the order COM1, COM2, ...: /dev/ttyS* by number, then /dev/ttyUSB*,
// then /dev/ttyACM*, each by number, then any other device path in name order.
std::vector<std::string> OrderSerialDevices(std::vector<std::string> paths);

// The nodes `prefix`N of `directory` (N decimal), by N: "/dev" + "lp" gives /dev/lp0, ...
std::vector<std::string> NumberedDeviceNodes(const std::string& directory, std::string_view prefix);

// The serial ports of real hardware that /sys/class/tty lists (SerialDevicesUnder), ordered.
std::vector<std::string> DiscoverSerialDevices();

// Discovery for every kind that `overrides` does not name; the overrides for the others.
// With `only`, that kind alone (none for PortKind::None): the others stay empty and are not
// looked for (serial discovery opens the 8250 driver's ports to ask whether a UART is fitted).
DeviceTable BuildDeviceTable(const PortOverrides& overrides,
                             std::optional<PortKind> only = std::nullopt);

// BuildDeviceTable of the QUILLORA_PORTS environment variable (absent: discovery only).
// Each refused entry is named on standard error.
DeviceTable SystemDeviceTable(std::optional<PortKind> only = std::nullopt);

}  // namespace quillora
