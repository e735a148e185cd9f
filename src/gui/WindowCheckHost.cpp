#include "gui/WindowCheckHost.h"

#include <QFile>
#include <filesystem>

#include "checks/CheckCatalogue.h"
#include "commands/SendReport.h"
#include "gui/ControlTable.h"
#include "gui/FileDialogService.h"
#include "gui/MainTestDialog.h"
#include "gui/PrinterChooserDialog.h"
#include "platform/AppPaths.h"
#include "platform/CodePage936.h"

namespace quillora {

WindowCheckHost::WindowCheckHost(MainTestDialog& window, int controlId, std::optional<QString> file)
    : window_(window),
      controlId_(controlId),
      caption_(window.ControlText(controlId).toStdString()),
      file_(std::move(file)) {}

WindowCheckHost::WindowCheckHost(MainTestDialog& window, const QString& caption,
                                 std::optional<SymbolRequest> symbol)
    : window_(window),
      controlId_(kNoButton),
      caption_(caption.toStdString()),
      symbol_(std::move(symbol)) {}

std::optional<SymbolRequest> WindowCheckHost::Symbol(SymbolKind) {
    return symbol_;
}

std::optional<std::string> WindowCheckHost::ChooseFile(FileKind kind) {
    std::optional<QString> path = std::move(file_);
    file_.reset();
    if (!path) {
        path = window_.Services().files.ChooseExistingFile(
            &window_, kind == FileKind::Bitmap ? QStringLiteral("BMP Files (*.bmp)|*.bmp||")
                                               : QStringLiteral("All Files (*.*)|*.*||"));
    }
    if (!path) return std::nullopt;
    return QFile::encodeName(*path).toStdString();
}

std::optional<std::string> WindowCheckHost::SampleText() {
    return window_.UiThread().Invoke([this] { return window_.TextBoxBytes(); });
}

std::optional<bool> WindowCheckHost::SwitchOn(const FunctionSwitch& function) {
    // The caption flips before the command is sent, so it always names what the next click
    // does; the report names the caption that was clicked.
    const SwitchStep step = NextSwitchStepShown(function, caption_);
    window_.SetControlText(controlId_, QString::fromStdString(SwitchCaption(step.newCaption)));
    return step.n == function.onByte;
}

std::optional<int> WindowCheckHost::CopyCount() {
    return window_.CopyCount.load();
}

std::optional<std::string> WindowCheckHost::ChoosePrinter() {
    PrinterChooserDialog chooser(window_.Services().spooler, &window_);
    if (chooser.exec() != QDialog::Accepted) return std::nullopt;
    return std::string();  // the chooser has made its choice the default printer
}

std::optional<std::string> WindowCheckHost::PreparedDocument() {
    const std::string document = DataFilePath("Print.doc");
    std::error_code statusError;
    if (!std::filesystem::exists(document, statusError)) return std::nullopt;
    return document;
}

void WindowCheckHost::Refuse(const InputProblem& problem) {
    window_.ShowMessage(QString::fromStdString(problem.windowText), problem.icon);
}

PortName WindowCheckHost::Port() {
    return window_.CurrentPortName(true);
}

PortCopyInputs WindowCheckHost::PortCopy() {
    return window_.UiThread().Invoke([this] {
        PortCopyInputs read;
        read.port = window_.CurrentPortName(false);
        read.options = {window_.IsChecked(ctl::PrintLogo), window_.IsChecked(ctl::MixedSize),
                        window_.IsChecked(ctl::AutoCut)};
        read.text = window_.TextBoxBytes();
        return read;
    });
}

PortDriver& WindowCheckHost::Ports() {
    // Call by call through the gate: the continuous run's copies let the status window's
    // queries in between them.
    return window_.GatedPorts();
}

Spooler& WindowCheckHost::Printers() {
    return window_.Services().spooler;
}

TickClock& WindowCheckHost::Clock() {
    return window_.Services().clock;
}

SendTally WindowCheckHost::Send(const PortName& port, std::int64_t total, const SendJob& job) {
    return window_.SendInBackground(port, total, [&job](SendSession& session) { job(session); });
}

ContinuousRunFields WindowCheckHost::RunFields() {
    return {window_.Continuous().StopFlag(), window_.IntervalSeconds, window_.CopyCount,
            window_.PrintMode};
}

std::string WindowCheckHost::FailureText(const SendReport& report) const {
    return SendFailureText(caption_, report.port, report.tally,
                           DriverErrorOf(report, window_.Services().ports), report.shortSendLine);
}

void WindowCheckHost::ReportSend(const SendReport& report) {
    const std::string failure = FailureText(report);
    if (!failure.empty()) {
        window_.ShowMessage(QString::fromStdString(failure), MessageIcon::Exclamation);
    } else if (!report.doneText.empty()) {
        window_.ShowMessage(QString::fromStdString(report.doneText), MessageIcon::Exclamation);
    }
}

void WindowCheckHost::Report(const CheckMessage& message) {
    if (!message.boxInWindow) return;
    window_.UiThread().Invoke([this, &message] {
        window_.ShowMessage(QString::fromStdString(message.text), message.icon);
    });
}

void WindowCheckHost::RunEnded(const SendReport& copiesSent) {
    const QString lostCopies = QString::fromStdString(FailureText(copiesSent));
    window_.UiThread().Invoke([this, &lostCopies] { window_.Continuous().RunOver(lostCopies); });
}

}  // namespace quillora
