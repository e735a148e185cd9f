#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/CliOptions.h"
#include "port/DeviceTable.h"
#include "port/PortDriver.h"

namespace quillora::cli {

// The connection a run uses, as the window would address it once that entry is selected.
struct ChosenPort {
    PortName name;  // "COM1", ..., or a dotted address ("IP" resolved)
    bool serial = false;
};

// COMn, LPTn and USBn (any letter case) must be in the driver's list; "IP" is the address
// of the settings file; a dotted IPv4 address is taken as it is.
std::variant<ChosenPort, UsageError> ChoosePort(const std::string& name, PortDriver& driver,
                                                const std::string& settingsPath);

// "none" (any letter case): nothing is sent, the bytes are only drawn (--preview).
bool IsDrawOnly(std::string_view name);

// The devices a run on `name` may need: none for a network connection, otherwise the
// system's of that kind alone (serial discovery opens ports to ask whether a UART is fitted).
DeviceTable DevicesFor(const std::string& name);

// One line of `quillora-cli ports`: a list entry and the device or address behind it.
struct PortListing {
    std::string entry;
    std::string target;  // "" when the number has no device
};

// The window's list, in its order, with what each entry leads to.
std::vector<PortListing> ListPorts(PortDriver& driver, const DeviceTable& devices,
                                   const std::string& settingsPath);

}  // namespace quillora::cli
