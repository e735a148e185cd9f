#pragma once

#include "port/ExchangeGate.h"
#include "port/PortDriver.h"

namespace quillora {

// A driver whose every send and read passes the gate, for callers that send block by block
// on a thread of their own (the continuous run): a status query then runs between blocks.
class GatedPortDriver final : public PortDriver {
public:
    GatedPortDriver(PortDriver& inner, ExchangeGate& gate) : inner_(inner), gate_(gate) {}

    int GetCOMMax() override { return inner_.GetCOMMax(); }
    int GetLPTMax() override { return inner_.GetLPTMax(); }
    int GetUSBPort() override { return inner_.GetUSBPort(); }
    int SetComParam(const PortName& port, int baudRate, int dataBits, int parity, int stopBits,
                    int flowControl) override;
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

private:
    PortDriver& inner_;
    ExchangeGate& gate_;
};

}  // namespace quillora
