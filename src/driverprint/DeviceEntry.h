#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillora {

// The default-device entry is read into 80 bytes with its terminating zero.
inline constexpr std::size_t kDeviceEntryMaxLength = 79;

// The fields of a "printer,driver,port" default-device entry.
struct DeviceEntry {
    std::string printer;
    std::string driver;
    std::string port;
};

// The entry that stands for a default destination: its three fields joined with commas,
// cut to kDeviceEntryMaxLength bytes.
std::string FormatDeviceEntry(std::string_view printer, std::string_view driver,
                              std::string_view port);

// Splits an entry the way strtok does with the separator ",": leading commas are skipped
// and a run of commas separates like one. Anything after the third token is ignored;
// nothing when there are fewer than three tokens.
std::optional<DeviceEntry> ParseDeviceEntry(std::string_view entry);

}  // namespace quillora
