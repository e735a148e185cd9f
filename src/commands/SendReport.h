#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <system_error>

#include "port/BackgroundSender.h"
#include "port/PortDriver.h"

namespace quillora {

// What the user is told when a test's bytes did not all reach the printer: which test,
// which connection, how much went out, the driver's error text and, for the usual causes,
// a hint (with no connection selected, NoPortSelectedHint). `firstLine` (the single-print test's
// own report) leads when given. Empty when every byte was taken.
QString SendFailureText(const QString& test, const PortName& port, const SendTally& tally,
                        const std::string& driverError, const QString& firstLine = {});

// The hint line for a driver error text ("" when none fits): missing group membership,
// a missing device, an unreachable network printer.
QString SendFailureHint(const std::string& driverError);

// Leads the report of a continuous run some of whose `copies` port-mode copies, `lost` of
// them from copy number `firstLost` on, were not taken whole.
QString LostCopiesText(int copies, int lost, int firstLost);

// The hint line when the connection list had no entry selected.
QString NoPortSelectedHint();

// A print file that could not be opened or read.
QString FileUnreadableText(const std::string& path, const std::error_code& error);

// The progress dialog's line while a send runs.
QString SendProgressText(const PortName& port, std::int64_t taken, std::int64_t total,
                         std::int64_t bytesPerSecond);

// The progress dialog's line after its cancel button was pressed.
QString SendCancellingText();

}  // namespace quillora
