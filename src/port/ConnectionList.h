#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "port/PortDriver.h"

namespace quillora {

using IpOctets = std::array<std::uint8_t, 4>;

// COM1..COMn, LPT1..LPTm, USB1..USBk, then "IP", the counts asked in that order.
std::vector<std::string> BuildConnectionEntries(PortDriver& driver);

// A serial entry contains "COM" anywhere; the network entry is exactly "IP".
bool IsSerialEntry(std::string_view entry);
bool IsNetworkEntry(std::string_view entry);

// The PortName behind a list entry: the address of the settings file for "IP", otherwise
// the entry itself.
PortName ResolveEntry(const std::string& entry, const std::string& settingsPath);

// What selecting a serial entry does: "Baudrate" (9600) and "FlowCtl" (0) of the entry's
// section, 8 data bits, no parity, 1 stop bit. Returns SetComParam's result.
int ApplySerialSettings(PortDriver& driver, const std::string& entry,
                        const std::string& settingsPath);

// The entry to select at start-up: "Port" of [System] (default 0); -1, or an index at or
// beyond the end of the list (a printer unplugged since), selects nothing, which a send
// then reports as such (NoPortSelectedHint).
int StoredSelection(const std::string& settingsPath, int entryCount);
// Stores the selection at close. A refused write is an error only when the file does not
// already hold this selection: a locked file with the same choice loses nothing.
std::error_code WriteSelection(const std::string& settingsPath, int index);

// "Ip1".."Ip4" of [System], defaults 192.168.1.10, each reduced to its low 8 bits.
IpOctets ReadIpOctets(const std::string& settingsPath);
// All four keys, in order, as "%d". Returns the first error met.
std::error_code WriteIpOctets(const std::string& settingsPath, const IpOctets& octets);
std::string DottedAddress(const IpOctets& octets);

// First octet in the most significant byte, as the address control takes it.
std::uint32_t PackAddress(const IpOctets& octets);

}  // namespace quillora
