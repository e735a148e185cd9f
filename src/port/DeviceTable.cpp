#include "port/DeviceTable.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <tuple>

#include "port/SerialDiscovery.h"

namespace quillora {
namespace {

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

// The number after `prefix` in `name` when the rest is all digits; -1 otherwise.
long long NumberAfter(std::string_view name, std::string_view prefix) {
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix) return -1;
    const std::string_view digits = name.substr(prefix.size());
    long long number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc{} || end != digits.data() + digits.size()) return -1;
    return number;
}

DeviceList ToDeviceList(const std::vector<std::string>& paths) {
    DeviceList devices;
    for (const std::string& path : paths) devices.push_back({path, false});
    return devices;
}

}  // namespace

const DeviceList& DeviceTable::Of(PortKind kind) const {
    static const DeviceList kNone;
    switch (kind) {
        case PortKind::Serial:
            return serial;
        case PortKind::Parallel:
            return parallel;
        case PortKind::Usb:
            return usb;
        default:
            return kNone;
    }
}

const DevicePath* DeviceTable::Find(PortKind kind, int number) const {
    const DeviceList& devices = Of(kind);
    if (number < 1 || static_cast<size_t>(number) > devices.size()) return nullptr;
    const DevicePath& device = devices[static_cast<size_t>(number) - 1];
    return device.path.empty() ? nullptr : &device;
}

PortOverrides ParsePortOverrides(std::string_view text) {
    PortOverrides overrides;
    while (!text.empty()) {
        const size_t end = std::min(text.find(';'), text.size());
        const std::string_view entry = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));

        const size_t equals = entry.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string path(Trim(entry.substr(equals + 1)));
        const PortAddress port = ParsePortName(Trim(entry.substr(0, equals)));
        std::optional<DeviceList>* devices = nullptr;
        switch (port.kind) {
            case PortKind::Serial:
                devices = &overrides.serial;
                break;
            case PortKind::Parallel:
                devices = &overrides.parallel;
                break;
            case PortKind::Usb:
                devices = &overrides.usb;
                break;
            default:
                continue;
        }
        if (path.empty()) continue;
        if (port.number > kMaxOverridePort) {
            overrides.refused.emplace_back(Trim(entry));
            continue;
        }
        if (!*devices) devices->emplace();
        DeviceList& list = **devices;
        if (list.size() < static_cast<size_t>(port.number)) list.resize(size_t(port.number));
        // A serial device must exist: creating a plain file where a pseudo-terminal's link
        // will appear would hide the printer.
        list[size_t(port.number) - 1] = {path, port.kind != PortKind::Serial};
    }
    return overrides;
}

std::vector<std::string> OrderSerialDevices(std::vector<std::string> paths) {
    static constexpr std::string_view kFamilies[] = {"/dev/ttyS", "/dev/ttyUSB", "/dev/ttyACM"};
    const auto key = [](const std::string& path) {
        for (size_t family = 0; family < std::size(kFamilies); ++family) {
            const long long number = NumberAfter(path, kFamilies[family]);
            if (number >= 0) return std::make_tuple(family, number, std::string());
        }
        return std::make_tuple(std::size(kFamilies), 0LL, path);
    };
    std::sort(paths.begin(), paths.end(),
              [&](const std::string& a, const std::string& b) { return key(a) < key(b); });
    return paths;
}

std::vector<std::string> NumberedDeviceNodes(const std::string& directory,
                                             std::string_view prefix) {
    std::vector<std::pair<long long, std::string>> nodes;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
        const long long number = NumberAfter(entry.path().filename().native(), prefix);
        if (number >= 0) nodes.emplace_back(number, entry.path().native());
    }
    std::sort(nodes.begin(), nodes.end());
    std::vector<std::string> paths;
    for (auto& node : nodes) paths.push_back(std::move(node.second));
    return paths;
}

std::vector<std::string> DiscoverSerialDevices() {
    return OrderSerialDevices(SerialDevicesUnder("/sys/class/tty", "/dev", SerialUartFitted));
}

DeviceTable BuildDeviceTable(const PortOverrides& overrides, std::optional<PortKind> only) {
    const auto wanted = [&](PortKind kind) { return !only || *only == kind; };
    DeviceTable table;
    if (wanted(PortKind::Serial)) {
        table.serial = overrides.serial ? *overrides.serial : ToDeviceList(DiscoverSerialDevices());
    }
    if (wanted(PortKind::Parallel)) {
        table.parallel = overrides.parallel ? *overrides.parallel
                                            : ToDeviceList(NumberedDeviceNodes("/dev", "lp"));
    }
    if (wanted(PortKind::Usb)) {
        table.usb =
            overrides.usb ? *overrides.usb : ToDeviceList(NumberedDeviceNodes("/dev/usb", "lp"));
    }
    return table;
}

DeviceTable SystemDeviceTable(std::optional<PortKind> only) {
    const char* text = std::getenv("QUILLORA_PORTS");
    const PortOverrides overrides = ParsePortOverrides(text ? text : "");
    for (const std::string& entry : overrides.refused) {
        std::fprintf(stderr, "QUILLORA_PORTS: entry \"%s\" ignored: port numbers go up to %d\n",
                     entry.c_str(), kMaxOverridePort);
    }
    return BuildDeviceTable(overrides, only);
}

}  // namespace quillora
