// The main window's way into the printer's status and the 2D-code checks: Ctrl+S and the
// context-menu entries (the window's template has no buttons for them).
#include <QCoreApplication>
#include <QMenu>
#include <QShortcut>

#include "checks/CheckCatalogue.h"
#include "gui/MainTestDialog.h"
#include "gui/StatusWindow.h"
#include "gui/SymbolDialog.h"
#include "gui/WindowCheckHost.h"

namespace quillora {
namespace {

const QKeySequence kStatusKeys(Qt::CTRL | Qt::Key_S);

const Check& SymbolCheck(SymbolKind kind) {
    return *FindCheckByName(kind == SymbolKind::Qr ? "qr" : "pdf417");
}

}  // namespace

void MainTestDialog::InstallStatusShortcut() {
    auto* shortcut = new QShortcut(kStatusKeys, this);
    connect(shortcut, &QShortcut::activated, this, &MainTestDialog::ShowStatusWindow);
}

void MainTestDialog::AddStatusEntries(QMenu& menu) {
    menu.addAction(tr("打印机状态"), this, &MainTestDialog::ShowStatusWindow)
        ->setShortcut(kStatusKeys);
    // The catalogue's captions, written out here so that translators find them.
    menu.addAction(tr("二维码打印"), this, [this] { ShowSymbolDialog(SymbolKind::Qr); });
    menu.addAction(tr("PDF417打印"), this, [this] { ShowSymbolDialog(SymbolKind::Pdf417); });
}

void MainTestDialog::ShowStatusWindow() {
    const PortName port = CurrentPortName(false);
    // One status window, for the connection selected now.
    if (statusWindow_ && statusWindow_->Port() != port) delete statusWindow_;
    if (!statusWindow_) {
        statusWindow_ = new StatusWindow(
            {services_.ports, gate_, services_.clock, services_.files, services_.messages}, port,
            this);
    }
    statusWindow_->show();
    statusWindow_->raise();
    statusWindow_->activateWindow();
}

StatusWindow* MainTestDialog::OpenStatusWindow() const {
    return statusWindow_;
}

void MainTestDialog::ShowSymbolDialog(SymbolKind kind) {
    auto* dialog = new SymbolDialog(
        kind, [this, kind](const SymbolRequest& request) { RunSymbolCheck(kind, request); }, this);
    dialog->show();
}

void MainTestDialog::RunSymbolCheck(SymbolKind kind, const SymbolRequest& request) {
    const Check& check = SymbolCheck(kind);
    WindowCheckHost host(*this, kind == SymbolKind::Qr ? tr("二维码打印") : tr("PDF417打印"),
                         request);
    const GateHold hold(gate_);
    RunCheck(check, host);
}

}  // namespace quillora
