#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "commands/FunctionSwitch.h"
#include "commands/StatusDecoding.h"
#include "continuous/ContinuousRun.h"
#include "continuous/CopyComposition.h"
#include "platform/MessageIcon.h"
#include "platform/TickClock.h"
#include "port/PortDriver.h"
#include "port/SendChannel.h"

namespace quillora {

class DriverPrinting;
class Spooler;

enum class CheckOutcome {
    Ok,       // every byte taken and, for a status query, a reply that reports no fault
    Failed,   // part sent, no reply, or a fault reported
    Refused,  // the check does not apply to this connection; nothing sent
};

// The texts below are UTF-8.

// An input a check cannot use. The window says so in a box; the command line refuses the
// whole run with the second text.
struct InputProblem {
    std::string windowText;
    MessageIcon icon = MessageIcon::Information;
    std::string commandLineText;
};

// What a check's sends came to.
struct SendReport {
    PortName port;
    SendTally tally;
    std::string shortSendLine;  // leads the report of a short send; "" for none
    std::string doneText;       // said once every byte was taken; "" for nothing
    // The driver's error as it was when the send failed, for a report made long after it
    // (a continuous run's); none to take the driver's last error on `port` when reporting.
    std::optional<std::string> driverError;
};

inline std::string DriverErrorOf(const SendReport& report, const PortDriver& driver) {
    return report.driverError ? *report.driverError : driver.LastErrorText(report.port);
}

// A check's outcome in words: the window's box (when `boxInWindow`), the command line's
// result line and JSON fields.
struct CheckMessage {
    CheckMessage(CheckOutcome outcome, std::string text, MessageIcon icon, bool boxInWindow = true)
        : outcome(outcome), text(std::move(text)), icon(icon), boxInWindow(boxInWindow) {}

    CheckOutcome outcome = CheckOutcome::Ok;
    std::string text;
    MessageIcon icon = MessageIcon::None;
    bool boxInWindow = true;
    SendTally tally;
    std::string reply;  // the bytes the printer answered
    std::optional<StatusFields> status;
};

// What a port-mode copy of the continuous run reads when it is made, in one go.
struct PortCopyInputs {
    PortName port;
    PortCopyOptions options;
    std::string text;
};

enum class FileKind { Any, Bitmap };

// What a 2D-code check prints: the text as the user typed it, the bytes it goes out as, and
// the QR code's module size and error level (PDF417 keeps its own settings).
enum class SymbolKind { Qr, Pdf417 };
enum class TextEncoding { Gbk, Utf8 };
struct SymbolRequest {
    std::string text;
    TextEncoding encoding = TextEncoding::Gbk;
    int qrModuleSize = 6;     // 3 to 8
    char qrErrorLevel = 'M';  // L, M, Q or H
};

// One SendData call after the other on the channel the host hands over.
using SendJob = std::function<void(SendChannel&)>;

// Everything a check needs from the program running it: the window (its controls, dialogs
// and message boxes) or quillora-cli (its arguments and result lines). Checks call it in
// the order the user sees things happen.
class CheckHost {
public:
    virtual ~CheckHost() = default;

    // --- Inputs; nothing when the user cancelled or the input was refused ---
    // A file to read, as file-system bytes: the window asks, the command line has it.
    virtual std::optional<std::string> ChooseFile(FileKind kind) = 0;
    // The sample text as the printer gets it: GBK with CR LF line breaks.
    virtual std::optional<std::string> SampleText() = 0;
    // Whether a function switch is to be turned on (the window flips its caption).
    virtual std::optional<bool> SwitchOn(const FunctionSwitch& function) = 0;
    // The number of copies of a continuous run.
    virtual std::optional<int> CopyCount() = 0;
    // The spooler queue to print on, "" for the default printer.
    virtual std::optional<std::string> ChoosePrinter() = 0;
    // A prepared document to hand to the spooler instead of the test page, if any.
    virtual std::optional<std::string> PreparedDocument() = 0;
    // What a 2D-code check is to print.
    virtual std::optional<SymbolRequest> Symbol(SymbolKind kind) = 0;
    virtual void Refuse(const InputProblem& problem) = 0;

    // --- The printer ---
    virtual PortName Port() = 0;
    virtual PortCopyInputs PortCopy() = 0;
    virtual PortDriver& Ports() = 0;
    virtual Spooler& Printers() = 0;
    virtual DriverPrinting& DriverPrints() = 0;
    virtual TickClock& Clock() = 0;
    // Runs `job`, which means to send `total` bytes on `port`; returns what it came to.
    virtual SendTally Send(const PortName& port, std::int64_t total, const SendJob& job) = 0;
    // The fields a continuous run reads afresh at every use.
    virtual ContinuousRunFields RunFields() = 0;

    // --- Outcomes ---
    virtual void ReportSend(const SendReport& report) = 0;
    virtual void Report(const CheckMessage& message) = 0;
    // A continuous run is over, however it ended, with what its port-mode copies came to:
    // when some were not taken whole, `shortSendLine` says how many and which was first,
    // and `driverError` is the driver's error for that first one.
    virtual void RunEnded(const SendReport& copiesSent) = 0;
};

// A check whose inputs have been read and accepted: running it sends and reports.
using ReadyCheck = std::function<void(CheckHost&)>;

}  // namespace quillora
