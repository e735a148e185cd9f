#pragma once

#include "port/PortDriver.h"

namespace quillora {

// A driver that hands every operation to another one; decorators override what they add to.
class ForwardingPortDriver : public PortDriver {
public:
    explicit ForwardingPortDriver(PortDriver& inner) : inner_(inner) {}

    int GetCOMMax() override { return inner_.GetCOMMax(); }
    int GetLPTMax() override { return inner_.GetLPTMax(); }
    int GetUSBPort() override { return inner_.GetUSBPort(); }
    int SetComParam(const PortName& port, int baudRate, int dataBits, int parity, int stopBits,
                    int flowControl) override {
        return inner_.SetComParam(port, baudRate, dataBits, parity, stopBits, flowControl);
    }
    int ShowCOMSettingDlg(const PortName& port) override { return inner_.ShowCOMSettingDlg(port); }
    int SendData(const PortName& port, const std::uint8_t* data, int length) override {
        return inner_.SendData(port, data, length);
    }
    int ReadData(const PortName& port, std::uint8_t* buffer, int count) override {
        return inner_.ReadData(port, buffer, count);
    }
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

protected:
    PortDriver& inner_;
};

}  // namespace quillora
