// Handlers of the continuous test; filled in with the controller and the copy jobs.
#include "app/MainTestDialog.h"

namespace quillora {

void MainTestDialog::ToggleContinuousPrint() {}
void MainTestDialog::PrintModeChanged() {}
void MainTestDialog::ApplyPrintMode(int) {}
void MainTestDialog::PrintPortCopy(int) {}
void MainTestDialog::PrintDriverCopy(int) {}

}  // namespace quillora
