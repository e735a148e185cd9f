#pragma once

#include <atomic>
#include <optional>
#include <string>

#include "checks/CheckCatalogue.h"
#include "cli/CliOptions.h"
#include "cli/TestResult.h"

namespace quillora::cli {

// What every test may need besides its own argument.
struct TestContext {
    FatigueOptions fatigue;
    std::string printTxtPath;  // the window's "Print.txt", for the sample text
    PortName port;             // the connection the run uses
    // Driver printing's, in quillora-cli-full only: nullptr refuses a test that prints
    // through the spooler.
    Spooler* spooler = nullptr;
    DriverPrinting* driverPrinting = nullptr;
    TextEncoding symbolEncoding = TextEncoding::Gbk;  // qr and pdf417
};

// The checks' host on the command line: one test's argument is its input, the chosen port
// its connection, the driver is called on this thread, and the outcome is a TestResult.
// A refused input becomes the run's usage error.
class CommandLineHost final : public CheckHost {
public:
    // `name`: the test as given, shown as UTF-8; `value`: the bytes after the first '=' of
    // the argument, if anything follows one.
    CommandLineHost(const Check& check, std::string name, std::optional<std::string> value,
                    const TestContext& context);

    // The first input refused while the check was prepared.
    const std::optional<UsageError>& Problem() const { return problem_; }
    // Runs the prepared check on `driver`.
    TestResult Run(const ReadyCheck& ready, PortDriver& driver);

    std::optional<std::string> ChooseFile(FileKind kind) override;
    std::optional<std::string> SampleText() override;
    std::optional<bool> SwitchOn(const FunctionSwitch& function) override;
    std::optional<int> CopyCount() override;
    std::optional<std::string> ChoosePrinter() override;
    // The command line prints the test page; no prepared document is looked for.
    std::optional<std::string> PreparedDocument() override { return std::nullopt; }
    // The argument or the check's own text, in --encoding, at the default size and level.
    std::optional<SymbolRequest> Symbol(SymbolKind kind) override;
    void Refuse(const InputProblem& problem) override;

    PortName Port() override { return context_.port; }
    PortCopyInputs PortCopy() override;
    PortDriver& Ports() override { return *driver_; }
    Spooler& Printers() override { return *context_.spooler; }
    DriverPrinting& DriverPrints() override { return *context_.driverPrinting; }
    TickClock& Clock() override { return clock_; }
    SendTally Send(const PortName& port, std::int64_t total, const SendJob& job) override;
    ContinuousRunFields RunFields() override {
        return {stopRequested_, intervalSeconds_, copyCount_, printMode_};
    }

    // What the check reports becomes the result that Run returns.
    void ReportSend(const SendReport& report) override;
    void Report(const CheckMessage& message) override;
    void RunEnded(const SendReport& copiesSent) override;

private:
    std::optional<std::string> ArgumentText();

    const Check& check_;
    const std::string name_;
    const std::optional<std::string> value_;
    const TestContext context_;
    std::optional<UsageError> problem_;
    std::optional<std::string> sampleText_;  // read once
    PortDriver* driver_ = nullptr;
    SystemTickClock clock_;
    // The continuous run's fields: never stopped, in port mode.
    std::atomic<int> stopRequested_{0}, intervalSeconds_{1}, copyCount_{1}, printMode_{0};
    TestResult result_;
};

}  // namespace quillora::cli
