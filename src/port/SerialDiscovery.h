#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quillora {

// Whether the UART behind a legacy 8250 port's device node ("/dev/ttyS3") is really fitted.
using UartFittedCheck = std::function<bool(const std::string& devicePath)>;

// The serial ports of real hardware among the entries of `sysClassTty` (laid out as
// /sys/class/tty), as `devDir`/entry, in no particular order: an entry counts when it has a
// device behind it that a driver is bound to. The 8250 driver creates its legacy ports
// whether or not a UART is fitted, so those are kept only when `uartFitted` says so.
// Discovery is best effort: a directory that cannot be read gives no ports.
std::vector<std::string> SerialDevicesUnder(const std::string& sysClassTty,
                                            const std::string& devDir,
                                            const UartFittedCheck& uartFitted);

// Asks the device node itself (TIOCGSERIAL): a port that cannot be opened or does not
// answer with a known UART type counts as not fitted.
bool SerialUartFitted(const std::string& devicePath);

}  // namespace quillora
