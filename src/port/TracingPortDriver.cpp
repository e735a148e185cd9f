#include "port/TracingPortDriver.h"

#include <algorithm>
#include <chrono>

namespace quillora {

TracingPortDriver::TracingPortDriver(PortDriver& inner, std::vector<TrafficSink*> sinks,
                                     MicrosClock clock)
    : ForwardingPortDriver(inner), sinks_(std::move(sinks)), clock_(std::move(clock)) {}

std::int64_t TracingPortDriver::SystemMicros() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

int TracingPortDriver::SendData(const PortName& port, const std::uint8_t* data, int length) {
    const int taken = inner_.SendData(port, data, length);
    Publish(port, TrafficDirection::Sent, data, data ? std::max(length, 0) : 0, length, taken);
    return taken;
}

int TracingPortDriver::ReadData(const PortName& port, std::uint8_t* buffer, int count) {
    const int arrived = inner_.ReadData(port, buffer, count);
    Publish(port, TrafficDirection::Received, buffer, buffer ? std::clamp(arrived, 0, count) : 0,
            count, arrived);
    return arrived;
}

void TracingPortDriver::Publish(const PortName& port, TrafficDirection direction,
                                const std::uint8_t* bytes, int byteCount, int requested,
                                int returned) {
    if (sinks_.empty()) return;
    TrafficEvent event;
    event.timeMicros = clock_();
    event.port = port;
    event.direction = direction;
    event.bytes.assign(bytes, bytes + byteCount);
    event.requested = requested;
    event.returned = returned;
    // Only a short call has an error worth naming; a full one may leave an old text behind.
    if (returned < requested) event.error = inner_.LastErrorText(port);
    for (std::size_t i = 0; i + 1 < sinks_.size(); ++i) sinks_[i]->Record(event);
    sinks_.back()->Take(std::move(event));
}

}  // namespace quillora
