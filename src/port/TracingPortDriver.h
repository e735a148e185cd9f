#pragma once

#include <functional>
#include <vector>

#include "port/PortDriver.h"
#include "port/TrafficEvent.h"

namespace quillora {

// Wraps another driver and hands every SendData and ReadData to the sinks, after the call
// and on the caller's thread; the other operations pass straight through. Callers see
// exactly what the wrapped driver returns, so the window, the continuous worker and the
// command-line runner go through it unchanged.
class TracingPortDriver final : public PortDriver {
public:
    using MicrosClock = std::function<std::int64_t()>;

    TracingPortDriver(PortDriver& inner, std::vector<TrafficSink*> sinks,
                      MicrosClock clock = SystemMicros);

    int GetCOMMax() override { return inner_.GetCOMMax(); }
    int GetLPTMax() override { return inner_.GetLPTMax(); }
    int GetUSBPort() override { return inner_.GetUSBPort(); }
    int SetComParam(const PortName& port, int baudRate, int dataBits, int parity, int stopBits,
                    int flowControl) override {
        return inner_.SetComParam(port, baudRate, dataBits, parity, stopBits, flowControl);
    }
    int ShowCOMSettingDlg(const PortName& port) override { return inner_.ShowCOMSettingDlg(port); }
    int SendData(const PortName& port, const std::uint8_t* data, int length) override;
    int ReadData(const PortName& port, std::uint8_t* buffer, int count) override;
    std::string LastErrorText(const PortName& port) const override {
        return inner_.LastErrorText(port);
    }
    void CancelSend(const PortName& port) override { inner_.CancelSend(port); }
    std::int64_t SendProgress(const PortName& port) const override {
        return inner_.SendProgress(port);
    }
    bool TakesAtOnce(const PortName& port, int length) override {
        return inner_.TakesAtOnce(port, length);
    }

    static std::int64_t SystemMicros();

private:
    void Publish(const PortName& port, TrafficDirection direction, const std::uint8_t* bytes,
                 int byteCount, int requested, int returned);

    PortDriver& inner_;
    const std::vector<TrafficSink*> sinks_;
    const MicrosClock clock_;
};

}  // namespace quillora
