#pragma once

#include <functional>
#include <vector>

#include "port/ForwardingPortDriver.h"
#include "port/TrafficEvent.h"

namespace quillora {

// Wraps another driver and hands every SendData and ReadData to the sinks, after the call
// and on the caller's thread; the other operations pass straight through. Callers see
// exactly what the wrapped driver returns, so the window, the continuous worker and the
// command-line runner go through it unchanged.
class TracingPortDriver final : public ForwardingPortDriver {
public:
    using MicrosClock = std::function<std::int64_t()>;

    TracingPortDriver(PortDriver& inner, std::vector<TrafficSink*> sinks,
                      MicrosClock clock = SystemMicros);

    int SendData(const PortName& port, const std::uint8_t* data, int length) override;
    int ReadData(const PortName& port, std::uint8_t* buffer, int count) override;

    static std::int64_t SystemMicros();

private:
    void Publish(const PortName& port, TrafficDirection direction, const std::uint8_t* bytes,
                 int byteCount, int requested, int returned);

    const std::vector<TrafficSink*> sinks_;
    const MicrosClock clock_;
};

}  // namespace quillora
