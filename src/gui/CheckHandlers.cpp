// The window's check buttons: each runs its entry of the catalogue on a WindowCheckHost.
#include "checks/CheckCatalogue.h"
#include "driverchecks/DriverChecks.h"
#include "gui/ControlTable.h"
#include "gui/MainTestDialog.h"
#include "gui/WindowCheckHost.h"

namespace quillora {

void MainTestDialog::RunWindowCheck(const Check& check, std::optional<QString> file) {
    WindowCheckHost host(*this, check.controlId, std::move(file));
    // The one hold on the connection for the check: its sends on the background worker
    // pass inside it, as this thread waits for each.
    const GateHold hold(gate_);
    RunCheck(check, host);
}

void MainTestDialog::RunCheckOf(int controlId, std::optional<QString> file) {
    if (const Check* check = FindCheckByControl(controlId)) RunWindowCheck(*check, std::move(file));
}

void MainTestDialog::SinglePrintTest() {
    RunCheckOf(ctl::SinglePrint);
}
void MainTestDialog::HalfCutTest() {
    RunCheckOf(ctl::HalfCut);
}
void MainTestDialog::FullCutTest() {
    RunCheckOf(ctl::FullCut);
}
void MainTestDialog::FeedTest() {
    RunCheckOf(ctl::Feed);
}
void MainTestDialog::CashDrawerTest() {
    RunCheckOf(ctl::CashDrawer);
}
void MainTestDialog::BarcodeTest() {
    RunCheckOf(ctl::Barcode);
}
void MainTestDialog::EnlargementTest() {
    RunCheckOf(ctl::Enlargement);
}
void MainTestDialog::BlackMarkFeedTest() {
    RunCheckOf(ctl::BlackMarkFeed);
}
void MainTestDialog::AlignmentTest() {
    RunCheckOf(ctl::Alignment);
}
void MainTestDialog::PrintFileTest() {
    RunCheckOf(ctl::PrintFile);
}
void MainTestDialog::ToggleBlackMark() {
    RunCheckOf(ctl::BlackMarkSwitch);
}
void MainTestDialog::ToggleNearEndDetection() {
    RunCheckOf(ctl::NearEndSwitch);
}
void MainTestDialog::TogglePaperTakeSensor() {
    RunCheckOf(ctl::PaperTakeSwitch);
}
void MainTestDialog::ToggleCutter() {
    RunCheckOf(ctl::CutterSwitch);
}
void MainTestDialog::PaperNearEndQuery() {
    RunCheckOf(ctl::NearEndQuery);
}
void MainTestDialog::PaperTakenQuery() {
    RunCheckOf(ctl::PaperTakenQuery);
}
void MainTestDialog::SerialStatusQuery() {
    RunCheckOf(ctl::SerialStatus);
}
void MainTestDialog::NvLogoButtonClicked() {
    RunCheckOf(ctl::NvLogo);
}
void MainTestDialog::RasterGraphicsButtonClicked() {
    RunCheckOf(ctl::RasterGraphics);
}
void MainTestDialog::DownloadNvLogo(const QString& path) {
    RunCheckOf(ctl::NvLogo, path);
}
void MainTestDialog::PrintRasterGraphics(const QString& path) {
    RunCheckOf(ctl::RasterGraphics, path);
}
void MainTestDialog::DriverPrintTest() {
    RunCheckOf(ctl::DriverPrint);
}

void MainTestDialog::PrintDriverTestPage() {
    WindowCheckHost host(*this, ctl::DriverPrint);
    PrintTestPage(host, {});
}

}  // namespace quillora
