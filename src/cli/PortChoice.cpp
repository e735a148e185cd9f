#include "cli/PortChoice.h"

#include <algorithm>

#include "cli/OptionReader.h"
#include "port/ConnectionList.h"
#include "port/PortNames.h"

namespace quillora::cli {
namespace {

UsageError BadName(const std::string& name) {
    return {"bad port name: " + name + " (COMn, LPTn, USBn, IP or a dotted IPv4 address)"};
}

const char* Prefix(PortKind kind) {
    switch (kind) {
        case PortKind::Serial:
            return "COM";
        case PortKind::Parallel:
            return "LPT";
        default:
            return "USB";
    }
}

int Count(PortDriver& driver, PortKind kind) {
    switch (kind) {
        case PortKind::Serial:
            return driver.GetCOMMax();
        case PortKind::Parallel:
            return driver.GetLPTMax();
        default:
            return driver.GetUSBPort();
    }
}

std::string Dotted(std::uint32_t ipv4) {
    return DottedAddress({std::uint8_t(ipv4 >> 24), std::uint8_t(ipv4 >> 16),
                          std::uint8_t(ipv4 >> 8), std::uint8_t(ipv4)});
}

bool IsIpEntry(std::string_view name) {
    return SameLetters(name, "ip");
}

// Four dot-separated runs of digits: an address, but with a number past 255. A final line
// break is allowed, as a name read from a script's line may keep it.
bool IsFourNumbers(std::string_view name) {
    if (name.ends_with('\n')) name.remove_suffix(1);
    int numbers = 0;
    for (std::size_t at = 0; at <= name.size(); ++numbers) {
        const std::size_t dot = std::min(name.find('.', at), name.size());
        const std::string_view digits = name.substr(at, dot - at);
        if (digits.empty() || !std::all_of(digits.begin(), digits.end(),
                                           [](char c) { return c >= '0' && c <= '9'; })) {
            return false;
        }
        at = dot + 1;
    }
    return numbers == 4;
}

}  // namespace

bool IsDrawOnly(std::string_view name) {
    return SameLetters(name, "none");
}

std::variant<ChosenPort, UsageError> ChoosePort(const std::string& name, PortDriver& driver,
                                                const std::string& settingsPath) {
    if (IsIpEntry(name)) {
        return ChosenPort{ResolveEntry("IP", settingsPath), false};
    }
    const PortAddress address = ParsePortName(name);
    if (address.kind == PortKind::Network) return ChosenPort{Dotted(address.ipv4), false};
    if (address.kind == PortKind::None) {
        if (IsFourNumbers(name)) {
            return UsageError{"address out of range: " + name + " (each part 0 to 255)"};
        }
        return BadName(name);
    }
    const std::string entry = Prefix(address.kind) + std::to_string(address.number);
    const int count = Count(driver, address.kind);
    if (address.number > count) {
        return UsageError{"no such port: " + entry + " (" + std::to_string(count) + " " +
                          Prefix(address.kind) + " port" + (count == 1 ? "" : "s") +
                          "; see quillora-cli ports)"};
    }
    return ChosenPort{entry, address.kind == PortKind::Serial};
}

DeviceTable DevicesFor(const std::string& name) {
    if (IsIpEntry(name) || IsDrawOnly(name)) return {};
    const PortKind kind = ParsePortName(name).kind;
    if (kind == PortKind::Network) return {};
    // A malformed name (PortKind::None) is refused later: no kind is discovered for it.
    return SystemDeviceTable(kind);
}

std::vector<PortListing> ListPorts(PortDriver& driver, const DeviceTable& devices,
                                   const std::string& settingsPath) {
    std::vector<PortListing> listing;
    for (const std::string& entry : BuildConnectionEntries(driver)) {
        if (IsNetworkEntry(entry)) {
            listing.push_back(
                {entry, ResolveEntry(entry, settingsPath) + ":" + std::to_string(kPrinterTcpPort)});
            continue;
        }
        const PortAddress address = ParsePortName(entry);
        const DevicePath* device = devices.Find(address.kind, address.number);
        listing.push_back({entry, device ? device->path : std::string()});
    }
    return listing;
}

}  // namespace quillora::cli
