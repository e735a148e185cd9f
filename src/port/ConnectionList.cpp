#include "port/ConnectionList.h"

#include "platform/ProfileFile.h"

namespace quillora {
namespace {

constexpr const char* kSelectionKey = "Port";
constexpr std::array<const char*, 4> kOctetKeys{"Ip1", "Ip2", "Ip3", "Ip4"};
constexpr IpOctets kDefaultAddress{192, 168, 1, 10};

void AddNumbered(std::vector<std::string>& entries, const char* prefix, int count) {
    for (int i = 1; i <= count; ++i) entries.push_back(prefix + std::to_string(i));
}

}  // namespace

std::vector<std::string> BuildConnectionEntries(PortDriver& driver) {
    std::vector<std::string> entries;
    AddNumbered(entries, "COM", driver.GetCOMMax());
    AddNumbered(entries, "LPT", driver.GetLPTMax());
    AddNumbered(entries, "USB", driver.GetUSBPort());
    entries.emplace_back("IP");
    return entries;
}

bool IsSerialEntry(std::string_view entry) {
    return entry.find("COM") != std::string_view::npos;
}

bool IsNetworkEntry(std::string_view entry) {
    return entry == "IP";
}

PortName ResolveEntry(const std::string& entry, const std::string& settingsPath) {
    if (IsNetworkEntry(entry)) return DottedAddress(ReadIpOctets(settingsPath));
    return entry;
}

int ApplySerialSettings(PortDriver& driver, const std::string& entry,
                        const std::string& settingsPath) {
    const ProfileSnapshot settings(settingsPath);
    const int baudRate = settings.ReadInt(entry, "Baudrate", 9600);
    const int flowControl = settings.ReadInt(entry, "FlowCtl", 0);
    return driver.SetComParam(entry, baudRate, 8, 'N', 1, flowControl);
}

int StoredSelection(const std::string& settingsPath, int entryCount) {
    const int stored = ReadProfileInt(settingsPath, "System", kSelectionKey, 0);
    return stored >= 0 && stored < entryCount ? stored : -1;
}

std::error_code WriteSelection(const std::string& settingsPath, int index) {
    const std::error_code error = WriteProfileInt(settingsPath, "System", kSelectionKey, index);
    const int unset = index == -1 ? -2 : -1;  // a default the stored value cannot match
    if (error && ReadProfileInt(settingsPath, "System", kSelectionKey, unset) == index) return {};
    return error;
}

IpOctets ReadIpOctets(const std::string& settingsPath) {
    const ProfileSnapshot settings(settingsPath);
    IpOctets octets{};
    for (size_t i = 0; i < octets.size(); ++i) {
        octets[i] = static_cast<std::uint8_t>(
            settings.ReadInt("System", kOctetKeys[i], kDefaultAddress[i]) & 0xFF);
    }
    return octets;
}

std::error_code WriteIpOctets(const std::string& settingsPath, const IpOctets& octets) {
    std::error_code first;
    for (size_t i = 0; i < octets.size(); ++i) {
        const std::error_code error =
            WriteProfileInt(settingsPath, "System", kOctetKeys[i], octets[i]);
        if (error && !first) first = error;
    }
    return first;
}

std::string DottedAddress(const IpOctets& octets) {
    return std::to_string(octets[0]) + "." + std::to_string(octets[1]) + "." +
           std::to_string(octets[2]) + "." + std::to_string(octets[3]);
}

std::uint32_t PackAddress(const IpOctets& octets) {
    return std::uint32_t{octets[0]} << 24 | std::uint32_t{octets[1]} << 16 |
           std::uint32_t{octets[2]} << 8 | std::uint32_t{octets[3]};
}

}  // namespace quillora
