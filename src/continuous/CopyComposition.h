#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "commands/PortExchange.h"
#include "platform/TickClock.h"

namespace quillora {

// The option check boxes of a port-mode copy, as read when the copy is made.
struct PortCopyOptions {
    bool printLogo = false;
    bool mixedSize = false;
    bool autoCut = false;
};

// "当前第%d份,时间:%d:%d:%d\r\n\r\n" in GBK: time without leading zeros.
std::string PortCopyHeading(int copyNumber, const TimeOfDay& time);

// "当前第%d份, 时间:%.2d:%.2d:%.2d\r\n\r\n" in GBK: time as two digits each.
std::string DriverCopyHeading(int copyNumber, const TimeOfDay& time);

// The body of a mixed-size copy, one send per byte, each double-byte lead byte past the
// threshold preceded by the next size of the cycle, then the closing normal size.
std::vector<std::string> MixedSizeBodySends(std::string_view body);

// Every send of one port-mode copy, in order: heading, logo, body (text plus CR LF, whole
// or by the mixed-size rule), cut tail. `textBytes` is the text box in GBK.
std::vector<std::string> PortCopySends(int copyNumber, const TimeOfDay& time,
                                       std::string_view textBytes, const PortCopyOptions& options);

// Sends those, one call each. A copy the port does not take is lost; the fatigue run goes on
// regardless.
SendTally SendPortCopy(PortDriver& ports, const PortName& port, int copyNumber,
                       const TimeOfDay& time, std::string_view textBytes,
                       const PortCopyOptions& options);

}  // namespace quillora
