#include "checks/ContinuousCheck.h"

#include "checks/DriverPrinting.h"
#include "commands/SendReport.h"

namespace quillora {
namespace {

// What a run's port-mode copies came to. A lost copy does not stop the run (a fatigue test
// goes on, the printer may come back); the run's end says how many were lost, which first
// and why, once.
class PortCopies {
public:
    void Print(CheckHost& host, int copyNumber) {
        const PortCopyInputs inputs = host.PortCopy();
        const SendTally copy = SendPortCopy(host.Ports(), inputs.port, copyNumber,
                                            host.Clock().LocalTime(), inputs.text, inputs.options);
        report_.port = inputs.port;
        report_.tally += copy;
        ++copies_;
        if (copy.Complete() || lost_++ > 0) return;
        firstLost_ = copyNumber;
        report_.driverError = host.Ports().LastErrorText(inputs.port);
    }

    SendReport Report() const {
        SendReport report = report_;
        if (lost_ > 0) report.shortSendLine = LostCopiesText(copies_, lost_, firstLost_);
        return report;
    }

private:
    SendReport report_;
    int copies_ = 0;
    int lost_ = 0;
    int firstLost_ = 0;
};

}  // namespace

std::optional<ReadyCheck> PrepareContinuous(CheckHost& host) {
    if (!host.CopyCount()) return std::nullopt;
    return [](CheckHost& host) { RunContinuousCheck(host); };
}

int RunContinuousCheck(CheckHost& host) {
    PortCopies portCopies;
    const ContinuousRunSteps steps{[&](int printMode, int copyNumber) {
                                       if (printMode != 0) {
                                           host.DriverPrints().PrintCopy(host, copyNumber);
                                           return;
                                       }
                                       portCopies.Print(host, copyNumber);
                                   },
                                   [&] { host.RunEnded(portCopies.Report()); }};
    return RunContinuousPrint(host.RunFields(), host.Clock(), steps);
}

}  // namespace quillora
