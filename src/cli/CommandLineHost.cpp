#include "cli/CommandLineHost.h"

#include "checks/DataExchange.h"
#include "checks/SampleText.h"
#include "checks/SymbolChecks.h"
#include "cli/InputFiles.h"
#include "cli/Utf8Text.h"
#include "driverprint/Spooler.h"

namespace quillora::cli {
namespace {

// Counts what the driver took, as the window's background sender does.
class CountingChannel final : public SendChannel {
public:
    CountingChannel(PortDriver& driver, const PortName& port) : direct_(driver, port) {}
    int Send(const std::uint8_t* data, int length) override {
        const int count = direct_.Send(data, length);
        taken += count;
        return count;
    }
    std::int64_t taken = 0;

private:
    DirectChannel direct_;
};

}  // namespace

CommandLineHost::CommandLineHost(const Check& check, std::string name,
                                 std::optional<std::string> value, const TestContext& context)
    : check_(check),
      name_(std::move(name)),
      value_(std::move(value)),
      context_(context),
      intervalSeconds_(context.fatigue.intervalSeconds) {}

TestResult CommandLineHost::Run(const ReadyCheck& ready, PortDriver& driver) {
    driver_ = &driver;
    result_ = {};
    ready(*this);
    return result_;
}

std::optional<std::string> CommandLineHost::ChooseFile(FileKind) {
    const std::string path = value_.value_or(std::string());
    if (const auto problem = InputFileProblem(path)) {
        Refuse({{}, {}, *problem});
        return std::nullopt;
    }
    return path;
}

// The single-print test's own text: the argument, or the file named after '@'.
std::optional<std::string> CommandLineHost::ArgumentText() {
    if (!value_->starts_with('@')) return PrinterTextBytes(*value_);
    const std::string path = value_->substr(1);
    if (const auto problem = InputFileProblem(path)) {
        Refuse({{}, {}, *problem});
        return std::nullopt;
    }
    const TextFile loaded = ReadTextFile(path);
    if (!loaded.text) {
        Refuse({{}, {}, loaded.problem});
        return std::nullopt;
    }
    return PrinterTextBytes(*loaded.text);
}

std::optional<SymbolRequest> CommandLineHost::Symbol(SymbolKind kind) {
    SymbolRequest request;
    request.text = value_ ? *value_ : DefaultSymbolText(kind);
    request.encoding = context_.symbolEncoding;
    return request;
}

std::optional<std::string> CommandLineHost::SampleText() {
    if (sampleText_) return sampleText_;
    if (check_.argument == CheckArgument::SampleText) {
        if (value_) return sampleText_ = ArgumentText();
        return sampleText_ = PrinterTextBytes(StartupText(context_.printTxtPath));
    }
    const std::optional<std::string>& text = context_.fatigue.text;
    return sampleText_ = PrinterTextBytes(text ? *text : StartupText(context_.printTxtPath));
}

std::optional<bool> CommandLineHost::SwitchOn(const FunctionSwitch&) {
    if (value_ != "on" && value_ != "off") {
        Refuse({{}, {}, "a switch is set =on or =off"});
        return std::nullopt;
    }
    return value_ == "on";
}

std::optional<int> CommandLineHost::CopyCount() {
    const std::optional<int> copies = ParseDialogInteger(value_.value_or(std::string()));
    if (!copies || !kCopyCountRange.Contains(*copies)) {
        Refuse({{},
                {},
                "the number of copies is a whole number from " +
                    std::to_string(kCopyCountRange.low) + " to " +
                    std::to_string(kCopyCountRange.high)});
        return std::nullopt;
    }
    copyCount_ = *copies;
    return copies;
}

std::optional<std::string> CommandLineHost::ChoosePrinter() {
    if (!value_ || value_->empty()) return std::string();
    const std::string queue = ValidUtf8(*value_);
    const SpoolerStatus status = Printers().CheckPrinter(queue);
    if (!status.Ok()) {
        Refuse({{}, {}, "no such printer: " + status.text});
        return std::nullopt;
    }
    return queue;
}

void CommandLineHost::Refuse(const InputProblem& problem) {
    if (!problem_) problem_ = UsageError{name_ + ": " + problem.commandLineText};
}

PortCopyInputs CommandLineHost::PortCopy() {
    const FatigueOptions& fatigue = context_.fatigue;
    return {context_.port,
            {fatigue.logo, fatigue.mixed, fatigue.cut},
            SampleText().value_or(std::string())};
}

SendTally CommandLineHost::Send(const PortName& port, std::int64_t total, const SendJob& job) {
    CountingChannel channel(*driver_, port);
    job(channel);
    return {channel.taken, total};
}

// The window's message when it has one for what happened, otherwise "sent N of M bytes",
// with the driver's error after a short send.
void CommandLineHost::ReportSend(const SendReport& report) {
    const SendTally& tally = report.tally;
    result_.tally = tally;
    result_.outcome = tally.Complete() ? CheckOutcome::Ok : CheckOutcome::Failed;
    const std::string& window = tally.Complete() ? report.doneText : report.shortSendLine;
    result_.message = !window.empty() ? window
                                      : "sent " + std::to_string(tally.taken) + " of " +
                                            std::to_string(tally.total) + " bytes";
    const std::string error = DriverErrorOf(report, *driver_);
    if (!tally.Complete() && !error.empty()) {
        result_.message += ": " + ValidUtf8(WithoutByteOrderMark(error.c_str()));
    }
}

void CommandLineHost::Report(const CheckMessage& message) {
    result_.outcome = message.outcome;
    // The check's words may hold a path's or the system's bytes; what is printed is UTF-8.
    result_.message = ValidUtf8(message.text);
    result_.tally = message.tally;
    result_.reply = message.reply;
    result_.status = message.status;
}

void CommandLineHost::RunEnded(const SendReport& copiesSent) {
    ReportSend(copiesSent);
}

}  // namespace quillora::cli
