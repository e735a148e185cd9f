#include "port/TrafficEvent.h"

#include <cstdio>
#include <ctime>

#include "escpos/HexBytes.h"

namespace quillora {

std::string FormatTrafficTime(std::int64_t timeMicros) {
    const std::time_t seconds = static_cast<std::time_t>(timeMicros / 1000000);
    std::tm local{};
    localtime_r(&seconds, &local);
    char clock[32];
    std::snprintf(clock, sizeof clock, "%02d:%02d:%02d.%06lld", local.tm_hour, local.tm_min,
                  local.tm_sec, static_cast<long long>(timeMicros % 1000000));
    return clock;
}

std::string FormatTrafficLine(const TrafficEvent& event) {
    std::string line = FormatTrafficTime(event.timeMicros);
    line += ' ';
    line += event.port;
    line += event.direction == TrafficDirection::Sent ? " TX " : " RX ";
    line += std::to_string(event.returned) + "/" + std::to_string(event.requested);
    if (!event.bytes.empty())
        line += ' ' + escpos::HexBytes(event.bytes.data(), event.bytes.size());
    if (!event.error.empty()) line += " error: " + event.error;
    return line;
}

}  // namespace quillora
