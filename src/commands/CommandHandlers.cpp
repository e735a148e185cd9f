// Handlers of the direct-command tests; filled in with the command byte builders.
#include "app/MainTestDialog.h"

namespace quillora {

void MainTestDialog::SinglePrintTest() {}
void MainTestDialog::HalfCutTest() {}
void MainTestDialog::FullCutTest() {}
void MainTestDialog::FeedTest() {}
void MainTestDialog::CashDrawerTest() {}
void MainTestDialog::BarcodeTest() {}
void MainTestDialog::EnlargementTest() {}
void MainTestDialog::BlackMarkFeedTest() {}
void MainTestDialog::AlignmentTest() {}
void MainTestDialog::PrintFileTest() {}
void MainTestDialog::ToggleBlackMark() {}
void MainTestDialog::ToggleNearEndDetection() {}
void MainTestDialog::TogglePaperTakeSensor() {}
void MainTestDialog::ToggleCutter() {}
void MainTestDialog::PaperNearEndQuery() {}
void MainTestDialog::PaperTakenQuery() {}
void MainTestDialog::SerialStatusQuery() {}

}  // namespace quillora
