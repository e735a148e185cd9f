#pragma once

#include "port/ExchangeGate.h"
#include "port/ForwardingPortDriver.h"

namespace quillora {

// A driver whose every send and read passes the gate, for callers that send block by block
// on a thread of their own (the continuous run): a status query then runs between blocks.
class GatedPortDriver final : public ForwardingPortDriver {
public:
    GatedPortDriver(PortDriver& inner, ExchangeGate& gate)
        : ForwardingPortDriver(inner), gate_(gate) {}

    int SetComParam(const PortName& port, int baudRate, int dataBits, int parity, int stopBits,
                    int flowControl) override;
    int SendData(const PortName& port, const std::uint8_t* data, int length) override;
    int ReadData(const PortName& port, std::uint8_t* buffer, int count) override;

private:
    ExchangeGate& gate_;
};

}  // namespace quillora
