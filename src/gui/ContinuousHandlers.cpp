// The continuous test's controls: the start/stop button and the print mode.
#include "gui/ControlTable.h"
#include "gui/MainTestDialog.h"

namespace quillora {

void MainTestDialog::ToggleContinuousPrint() {
    UpdateData(true);
    continuous_.Toggle();
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

}  // namespace quillora
