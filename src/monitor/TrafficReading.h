#pragma once

#include <cstddef>
#include <deque>
#include <span>
#include <string>

#include "monitor/TrafficLog.h"

namespace quillora {

// The calls a monitor holds, oldest first.
using TrafficRows = std::deque<TrafficLog::Entry>;

// Hex of a row's bytes: at most the first 256, then how many there were in all.
std::string ShownHex(const TrafficLog::Entry& entry);

// The ESC/POS reading of row `index` (UTF-8): a send's commands named; a reply against
// the last send to the same port before it; a short call's error text first.
std::string ReadingOf(const TrafficRows& rows, std::size_t index);

// The text a user saves: each call's trace line, then " | " and its reading.
std::string TrafficText(const TrafficRows& rows);

// The bytes of a send that the driver took and the log kept, in order.
std::span<const std::uint8_t> TakenBytes(const TrafficLog::Entry& entry);
// The same for a call as it was made, whole (nothing cut from its front).
std::span<const std::uint8_t> TakenBytes(const TrafficEvent& event, std::size_t bytesCut = 0);

// The bytes that `port` took, in order: what a printer there got, for --replay.
std::string SentBytes(const TrafficRows& rows, const PortName& port);

}  // namespace quillora
