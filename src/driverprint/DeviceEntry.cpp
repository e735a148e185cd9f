#include "driverprint/DeviceEntry.h"

#include <array>

namespace quillora {

std::string FormatDeviceEntry(std::string_view printer, std::string_view driver,
                              std::string_view port) {
    std::string entry;
    entry.append(printer).append(",").append(driver).append(",").append(port);
    if (entry.size() > kDeviceEntryMaxLength) entry.resize(kDeviceEntryMaxLength);
    return entry;
}

std::optional<DeviceEntry> ParseDeviceEntry(std::string_view entry) {
    std::array<std::string, 3> tokens;
    std::size_t position = 0;
    for (std::string& token : tokens) {
        position = entry.find_first_not_of(',', position);
        if (position == std::string_view::npos) return std::nullopt;
        const std::size_t end = entry.find(',', position);
        token = std::string(entry.substr(position, end - position));
        position = end == std::string_view::npos ? entry.size() : end;
    }
    return DeviceEntry{tokens[0], tokens[1], tokens[2]};
}

}  // namespace quillora
