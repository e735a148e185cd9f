// The printer function switches of MainTestDialog. The caption flips before the command
// is sent, so it always names what the next click does.
#include "app/ControlTable.h"
#include "app/MainTestDialog.h"
#include "commands/CommandBytes.h"
#include "commands/FunctionSwitch.h"
#include "commands/PortExchange.h"
#include "platform/CodePage936.h"

namespace quillora {
namespace {

// The report names the test by the caption that was clicked.
void Toggle(MainTestDialog& dialog, int buttonId, const FunctionSwitch& function) {
    const QString clicked = dialog.ControlText(buttonId);
    const SwitchStep step = NextSwitchStep(function, ToGbk(clicked));
    dialog.SetControlText(buttonId, QString::fromUtf8(step.newCaption));
    const PortName port = dialog.CurrentPortName(true);
    const SendTally tally = dialog.SendBlocksInBackground(port, {FunctionSwitchBlock(step.n)});
    dialog.ReportSend(clicked, port, tally);
}

}  // namespace

void MainTestDialog::ToggleBlackMark() {
    Toggle(*this, ctl::BlackMarkSwitch, kBlackMarkSwitch);
}
void MainTestDialog::ToggleNearEndDetection() {
    Toggle(*this, ctl::NearEndSwitch, kNearEndSwitch);
}
void MainTestDialog::TogglePaperTakeSensor() {
    Toggle(*this, ctl::PaperTakeSwitch, kPaperTakeSwitch);
}
void MainTestDialog::ToggleCutter() {
    Toggle(*this, ctl::CutterSwitch, kCutterSwitch);
}

}  // namespace quillora
