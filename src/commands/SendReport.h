#pragma once

#include <cstdint>
#include <string>
#include <system_error>

#include "port/BackgroundSender.h"
#include "port/PortDriver.h"

namespace quillora {

// The texts are UTF-8.

// What the user is told when a test's bytes did not all reach the printer: which test,
// which connection, how much went out, the driver's error text and, for the usual causes,
// a hint (with no connection selected, NoPortSelectedHint). `firstLine` (the single-print test's
// own report) leads when given. Empty when every byte was taken.
std::string SendFailureText(const std::string& test, const PortName& port, const SendTally& tally,
                            const std::string& driverError, const std::string& firstLine = {});

// The hint line for a driver error text ("" when none fits): missing group membership,
// a missing device, an unreachable network printer.
std::string SendFailureHint(const std::string& driverError);

// Leads the report of a continuous run some of whose `copies` port-mode copies, `lost` of
// them from copy number `firstLost` on, were not taken whole.
std::string LostCopiesText(int copies, int lost, int firstLost);

// The hint line when the connection list had no entry selected.
std::string NoPortSelectedHint();

// A print file that could not be opened or read.
std::string FileUnreadableText(const std::string& path, const std::error_code& error);

// The progress dialog's line while a send runs.
std::string SendProgressText(const PortName& port, std::int64_t taken, std::int64_t total,
                             std::int64_t bytesPerSecond);

// The progress dialog's line after its cancel button was pressed.
std::string SendCancellingText();

}  // namespace quillora
