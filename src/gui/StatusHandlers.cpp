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
    for (const SymbolKind kind : {SymbolKind::Qr, SymbolKind::Pdf417}) {
        menu.addAction(QString::fromUtf8(SymbolCheck(kind).caption), this,
                       [this, kind] { ShowSymbolDialog(kind); });
    }
}

void MainTestDialog::ShowStatusWindow() {
    const PortName port = CurrentPortName(false);
    // One status window, for the connection selected now.
    if (statusWindow_ &&
        statusWindow_->property("port").toString() != QString::fromStdString(port)) {
        delete statusWindow_;
    }
    if (!statusWindow_) {
        statusWindow_ = new StatusWindow(
            {services_.ports, gate_, services_.clock, services_.files, services_.messages}, port,
            this);
        statusWindow_->setProperty("port", QString::fromStdString(port));
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
    WindowCheckHost host(*this, QCoreApplication::translate("SymbolChecks", check.caption),
                         request);
    const GateHold hold(gate_);
    RunCheck(check, host);
}

}  // namespace quillora
