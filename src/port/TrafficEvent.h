#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "port/PortDriver.h"

namespace quillora {

enum class TrafficDirection { Sent, Received };

// One SendData or ReadData call as it happened.
struct TrafficEvent {
    std::int64_t timeMicros = 0;  // wall clock, microseconds since the Unix epoch
    PortName port;
    TrafficDirection direction = TrafficDirection::Sent;
    // Sent: every byte the caller handed over, of which the first `returned` were taken.
    // Received: the bytes that arrived (`returned` of the `requested`).
    std::vector<std::uint8_t> bytes;
    int requested = 0;
    int returned = 0;
    std::string error;  // the driver's error text when fewer than `requested` went through
};

// Where recorded calls go. Record() is called on whichever thread made the call (the UI
// thread, the continuous worker, a background send), so a sink does its own locking and
// never touches a widget.
class TrafficSink {
public:
    virtual ~TrafficSink() = default;
    virtual void Record(const TrafficEvent& event) = 0;
    // The same, for the last sink of a call: it may keep the event's bytes without a copy.
    virtual void Take(TrafficEvent&& event) { Record(event); }
};

// "12:34:56.789012 COM1 TX 6/6 1b 40 1d 56 00" (and " error: ..." after a short call):
// one line per call, in local time, for a trace on a terminal or in a saved text.
std::string FormatTrafficLine(const TrafficEvent& event);

// "12:34:56.789012": the time of day of a call, in local time.
std::string FormatTrafficTime(std::int64_t timeMicros);

}  // namespace quillora
