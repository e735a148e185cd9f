// The one-shot command tests of MainTestDialog: each click resolves the port once and
// writes its fixed blocks; only the single-print test reports what the driver took.
#include <QFile>
#include <optional>
#include <vector>

#include "app/MainTestDialog.h"
#include "commands/CommandBytes.h"
#include "commands/OneShotTexts.h"
#include "commands/PortExchange.h"
#include "commands/WholeFile.h"
#include "platform/FileDialogService.h"

namespace quillora {
namespace {

void SendToSelectedPort(MainTestDialog& dialog, const std::vector<CommandBlock>& blocks) {
    SendBlocks(dialog.Services().ports, dialog.CurrentPortName(true), blocks);
}

}  // namespace

void MainTestDialog::SinglePrintTest() {
    const CommandBlock block = SinglePrintBlock(TextBoxBytes());
    const int sent = SendBlock(Services().ports, CurrentPortName(true), block);
    const int length = static_cast<int>(block.size());
    if (sent != length) ShowMessage(PartialSendText(sent, length), MessageIcon::Information);
}

void MainTestDialog::HalfCutTest() {
    SendToSelectedPort(*this, {HalfCutBlock()});
}
void MainTestDialog::FullCutTest() {
    SendToSelectedPort(*this, {FullCutBlock()});
}
void MainTestDialog::FeedTest() {
    SendToSelectedPort(*this, {FeedBlock()});
}
void MainTestDialog::CashDrawerTest() {
    SendToSelectedPort(*this, {CashDrawerBlock()});
}
void MainTestDialog::BarcodeTest() {
    SendToSelectedPort(*this, BarcodePageBlocks());
}
void MainTestDialog::EnlargementTest() {
    SendToSelectedPort(*this, EnlargementBlocks());
}
void MainTestDialog::BlackMarkFeedTest() {
    SendToSelectedPort(*this, {BlackMarkFeedBlock()});
}
void MainTestDialog::AlignmentTest() {
    SendToSelectedPort(*this, AlignmentBlocks());
}

void MainTestDialog::PrintFileTest() {
    const std::optional<QString> path =
        Services().files.ChooseExistingFile(this, QStringLiteral("All Files (*.*)|*.*||"));
    if (!path) return;
    const WholeFile file = ReadWholeFile(QFile::encodeName(*path).toStdString());
    if (file.outcome == WholeFile::Outcome::TooLarge) {
        ShowMessage(FileTooLargeText(), MessageIcon::Information);
        return;
    }
    // A file that cannot be opened or read ends the test without a word.
    if (file.outcome != WholeFile::Outcome::Read) return;
    // The whole file in one call, raw; no copy of what may be a large buffer.
    SendBlock(Services().ports, CurrentPortName(true), file.bytes);
}

}  // namespace quillora
