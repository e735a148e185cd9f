// Handlers of the continuous test: the start/stop button, the print mode, the worker
// thread and the per-copy jobs. The worker reads and writes controls only by window
// requests (UiThread()); the fields it shares with the user-interface thread are atomics.
#include <QEventLoop>
#include <algorithm>

#include "app/ControlTable.h"
#include "app/MainTestDialog.h"
#include "continuous/ContinuousRun.h"
#include "continuous/CopyComposition.h"
#include "driverprint/PrinterDeviceContext.h"

namespace quillora {
namespace {

QString StartCaption() {
    return QString::fromUtf8("开始连续打印");
}
QString StopCaption() {
    return QString::fromUtf8("结束连续打印");
}

// Device units between the top of a driver-mode page and its text at least; the heading
// sits above. On a receipt printer's 203 dpi that clears the heading's line.
constexpr int kDriverTextTop = 100;

// What one port-mode copy reads from the window.
struct PortCopyInputs {
    PortName port;
    PortCopyOptions options;
    std::string text;
};

}  // namespace

void MainTestDialog::ToggleContinuousPrint() {
    UpdateData(true);
    if (ControlText(ctl::StartStop) != StartCaption()) {
        StopRequested = 1;
        return;
    }
    // The caption says idle only after the previous worker's last window request, so
    // what is left of that thread is its return: joining cannot block on us.
    if (continuousWorker_.joinable()) continuousWorker_.join();
    StopRequested = 0;
    SetTestControlsEnabled(false);
    SetControlText(ctl::StartStop, StopCaption());
    continuousWorker_ = std::jthread([this] { ContinuousPrintWorker(); });
}

void MainTestDialog::PrintModeChanged() {
    UpdateData(true);
    ApplyPrintMode(PrintMode);
}

void MainTestDialog::ApplyPrintMode(int mode) {
    for (int id : {ctl::AutoCut, ctl::MixedSize, ctl::PrintLogo})
        Control(id)->setEnabled(mode == 0);
    if (mode == 0) return;
    SetChecked(ctl::AutoCut, false);
    SetChecked(ctl::PrintLogo, false);
}

int MainTestDialog::ContinuousPrintWorker() {
    const ContinuousRunFields fields{StopRequested, IntervalSeconds, CopyCount, PrintMode};
    const ContinuousRunSteps steps{[this](int mode, int copyNumber) {
                                       if (mode == 0) {
                                           PrintPortCopy(copyNumber);
                                       } else {
                                           PrintDriverCopy(copyNumber);
                                       }
                                   },
                                   // Caption and controls in one request, so a start click is
                                   // handled either before both or after both: never between them.
                                   [this] {
                                       UiThread().Invoke([this] {
                                           SetControlText(ctl::StartStop, StartCaption());
                                           SetTestControlsEnabled(true);
                                       });
                                   }};
    return RunContinuousPrint(fields, services_.clock, steps);
}

void MainTestDialog::WaitForContinuousWorker() {
    // The worker still needs this thread for its window requests, the last of which ends
    // the run; user input is held back so nothing new starts meanwhile.
    QEventLoop loop;
    while (ControlText(ctl::StartStop) == StopCaption()) {
        loop.processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::ExcludeUserInputEvents);
    }
    if (continuousWorker_.joinable()) continuousWorker_.join();
}

void MainTestDialog::PrintPortCopy(int copyNumber) {
    const PortCopyInputs inputs = UiThread().Invoke([this] {
        PortCopyInputs read;
        read.port = CurrentPortName(false);
        read.options = {IsChecked(ctl::PrintLogo), IsChecked(ctl::MixedSize),
                        IsChecked(ctl::AutoCut)};
        read.text = TextBoxBytes();
        return read;
    });
    SendPortCopy(services_.ports, inputs.port, copyNumber, services_.clock.LocalTime(), inputs.text,
                 inputs.options);
}

void MainTestDialog::PrintDriverCopy(int copyNumber) {
    // The default printer is looked up afresh for every copy; a failure has been shown.
    PrintOnePageJob(CreateDefaultPrinterDC().get(), [this, copyNumber](PrinterDeviceContext& dc) {
        const int headingHeight =
            dc.TextOut(0, 0, DriverCopyHeading(copyNumber, services_.clock.LocalTime()));
        const std::string text = UiThread().Invoke([this] { return TextBoxBytes(); });
        // On a fine resolution 100 units are less than the heading's line: the text then
        // starts right below that line instead of on top of it.
        QRect area = dc.PrintableArea();
        area.setTop(std::max(kDriverTextTop, headingHeight));
        dc.DrawText(text, area, kDtWordBreak);
    });
}

}  // namespace quillora
