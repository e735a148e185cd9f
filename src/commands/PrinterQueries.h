#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "commands/CommandBytes.h"
#include "commands/StatusDecoding.h"
#include "port/PortDriver.h"

namespace quillora {

// DLE EOT 1, 2, 3 and 4 in one block: four one-byte replies in that order.
CommandBlock RealTimeStatusBlock();

// What the printer says of itself (GS I); a field it did not answer stays empty.
struct PrinterInformation {
    std::optional<std::string> model;     // GS I 67
    std::optional<std::uint8_t> modelId;  // GS I 1
    std::optional<std::uint8_t> typeId;   // GS I 2
    std::optional<std::string> firmware;  // GS I 65
    std::optional<std::string> maker;     // GS I 66
    std::optional<std::string> serial;    // GS I 68
    bool Answered() const { return model || modelId || typeId || firmware || maker || serial; }
};

// The longest GS I text read; a reply without its NUL by then is not taken.
inline constexpr int kMaxPrinterIdText = 80;

// Sends the four real-time queries and reads their replies (`reply` gets the bytes that
// came): the state, or nothing when fewer than four came or one was not such a reply.
std::optional<PrinterState> QueryRealTimeStatus(PortDriver& ports, const PortName& port,
                                                std::string* reply = nullptr);

// Asks each GS I item in turn; an item the printer leaves unanswered stays empty.
PrinterInformation QueryPrinterInformation(PortDriver& ports, const PortName& port);

}  // namespace quillora
