#pragma once

#include <system_error>
#include <vector>

namespace quillora {

// Flow-control codes of SetComParam and the "FlowCtl" setting.
enum FlowControlCode : int {
    kFlowNone = 0,
    kFlowXonXoff = 1,  // IXON | IXOFF
    kFlowRtsCts = 2,   // CRTSCTS
    kFlowDtrDsr = 3,   // writes wait while the device reports DSR low
};

struct SerialParams {
    int baudRate = 9600;
    int dataBits = 8;  // 5 to 8
    int parity = 'N';  // 'N', 'E' or 'O'
    int stopBits = 1;  // 1 or 2
    int flowControl = kFlowNone;
};

// 1200 to 921600 baud, ascending.
const std::vector<int>& StandardBaudRates();

// std::errc::invalid_argument when a value is outside the ranges above.
std::error_code ValidateSerialParams(const SerialParams& params);

// Puts the terminal `fd` into raw mode with `params` (receiver on, modem control lines
// ignored for opening). Fails, among other reasons, when the device keeps another speed.
std::error_code ApplySerialParams(int fd, const SerialParams& params);

}  // namespace quillora
