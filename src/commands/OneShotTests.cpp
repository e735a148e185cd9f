// The one-shot command tests of MainTestDialog: each click resolves the port once and
// writes its fixed blocks, off the window's thread; bytes the driver did not take are
// reported.
#include <QFile>
#include <optional>
#include <vector>

#include "app/ControlTable.h"
#include "app/MainTestDialog.h"
#include "commands/CommandBytes.h"
#include "commands/OneShotTexts.h"
#include "commands/PortExchange.h"
#include "commands/SendReport.h"
#include "commands/WholeFile.h"
#include "platform/FileDialogService.h"

namespace quillora {
namespace {

// The button's caption names the test in the report.
void SendBlocks(MainTestDialog& dialog, int buttonId, const std::vector<CommandBlock>& blocks) {
    const PortName port = dialog.CurrentPortName(true);
    const SendTally tally = dialog.SendBlocksInBackground(port, blocks);
    dialog.ReportSend(dialog.ControlText(buttonId), port, tally);
}

}  // namespace

void MainTestDialog::SinglePrintTest() {
    const CommandBlock block = SinglePrintBlock(TextBoxBytes());
    const PortName port = CurrentPortName(true);
    const SendTally tally = SendBlocksInBackground(port, {block});
    ReportSend(ControlText(ctl::SinglePrint), port, tally,
               PartialSendText(int(tally.taken), int(tally.total)));
}

void MainTestDialog::HalfCutTest() {
    SendBlocks(*this, ctl::HalfCut, {HalfCutBlock()});
}
void MainTestDialog::FullCutTest() {
    SendBlocks(*this, ctl::FullCut, {FullCutBlock()});
}
void MainTestDialog::FeedTest() {
    SendBlocks(*this, ctl::Feed, {FeedBlock()});
}
void MainTestDialog::CashDrawerTest() {
    SendBlocks(*this, ctl::CashDrawer, {CashDrawerBlock()});
}
void MainTestDialog::BarcodeTest() {
    SendBlocks(*this, ctl::Barcode, BarcodePageBlocks());
}
void MainTestDialog::EnlargementTest() {
    SendBlocks(*this, ctl::Enlargement, EnlargementBlocks());
}
void MainTestDialog::BlackMarkFeedTest() {
    SendBlocks(*this, ctl::BlackMarkFeed, {BlackMarkFeedBlock()});
}
void MainTestDialog::AlignmentTest() {
    SendBlocks(*this, ctl::Alignment, AlignmentBlocks());
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
    if (file.outcome != WholeFile::Outcome::Read) {
        ShowMessage(FileUnreadableText(QFile::encodeName(*path).toStdString(), file.error),
                    MessageIcon::Exclamation);
        return;
    }
    // Raw, in pieces read as they go out: never the whole of a large file in memory.
    const PortName port = CurrentPortName(true);
    const SendTally tally = SendInBackground(
        port, file.Length(), [&](SendSession& session) { SendWholeFile(session, file); });
    ReportSend(ControlText(ctl::PrintFile), port, tally);
}

}  // namespace quillora
