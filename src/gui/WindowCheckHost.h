#pragma once

#include <QString>
#include <optional>

#include "checks/CheckHost.h"
#include "driverchecks/DriverChecks.h"

namespace quillora {

class MainTestDialog;

// The checks' host in the window: inputs from its controls and dialogs, sends through its
// background sender, outcomes in its message boxes. Made on the window's thread; the
// continuous run's worker uses it too, its reads and boxes go through the window's UiThread.
class WindowCheckHost final : public CheckHost {
public:
    // `controlId`: the button that runs the check; its caption at this moment names the
    // check in reports. `file` answers the file choice instead of the dialog.
    WindowCheckHost(MainTestDialog& window, int controlId, std::optional<QString> file = {});
    // A check without a button (kNoButton), named by its caption; `symbol` answers Symbol.
    WindowCheckHost(MainTestDialog& window, const QString& caption,
                    std::optional<SymbolRequest> symbol);

    std::optional<std::string> ChooseFile(FileKind kind) override;
    std::optional<std::string> SampleText() override;
    std::optional<bool> SwitchOn(const FunctionSwitch& function) override;
    std::optional<int> CopyCount() override;
    std::optional<std::string> ChoosePrinter() override;
    std::optional<std::string> PreparedDocument() override;
    void Refuse(const InputProblem& problem) override;
    std::optional<SymbolRequest> Symbol(SymbolKind kind) override;

    PortName Port() override;
    PortCopyInputs PortCopy() override;
    PortDriver& Ports() override;
    Spooler& Printers() override;
    DriverPrinting& DriverPrints() override { return driverPrinting_; }
    TickClock& Clock() override;
    SendTally Send(const PortName& port, std::int64_t total, const SendJob& job) override;
    ContinuousRunFields RunFields() override;

    void ReportSend(const SendReport& report) override;
    void Report(const CheckMessage& message) override;
    // Lost copies are told in one box once the run is over.
    void RunEnded(const SendReport& copiesSent) override;

private:
    // Why `report`'s bytes did not all go, under this check's caption; "" when they did.
    std::string FailureText(const SendReport& report) const;

    MainTestDialog& window_;
    const int controlId_;
    const std::string caption_;  // UTF-8, as the checks' texts
    std::optional<QString> file_;
    std::optional<SymbolRequest> symbol_;
    SpoolerDriverPrinting driverPrinting_;
};

}  // namespace quillora
