#include "checks/ContinuousCheck.h"

#include "checks/DriverChecks.h"

namespace quillora {

std::optional<ReadyCheck> PrepareContinuous(CheckHost& host) {
    if (!host.CopyCount()) return std::nullopt;
    return [](CheckHost& host) { RunContinuousCheck(host); };
}

int RunContinuousCheck(CheckHost& host) {
    SendReport copiesSent;
    const ContinuousRunSteps steps{[&](int printMode, int copyNumber) {
                                       if (printMode != 0) {
                                           PrintDriverCopy(host, copyNumber);
                                           return;
                                       }
                                       const PortCopyInputs inputs = host.PortCopy();
                                       copiesSent.port = inputs.port;
                                       copiesSent.tally += SendPortCopy(
                                           host.Ports(), inputs.port, copyNumber,
                                           host.Clock().LocalTime(), inputs.text, inputs.options);
                                   },
                                   [&] { host.RunEnded(copiesSent); }};
    return RunContinuousPrint(host.RunFields(), host.Clock(), steps);
}

}  // namespace quillora
