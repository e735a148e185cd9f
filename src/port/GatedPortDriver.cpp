#include "port/GatedPortDriver.h"

namespace quillora {

int GatedPortDriver::SetComParam(const PortName& port, int baudRate, int dataBits, int parity,
                                 int stopBits, int flowControl) {
    const GateHold hold(gate_);
    return inner_.SetComParam(port, baudRate, dataBits, parity, stopBits, flowControl);
}

int GatedPortDriver::SendData(const PortName& port, const std::uint8_t* data, int length) {
    const GateHold hold(gate_);
    return inner_.SendData(port, data, length);
}

int GatedPortDriver::ReadData(const PortName& port, std::uint8_t* buffer, int count) {
    const GateHold hold(gate_);
    return inner_.ReadData(port, buffer, count);
}

}  // namespace quillora
