// The main window's way into the traffic monitor: Ctrl+M and a context-menu entry.
#include <QMenu>
#include <QShortcut>

#include "gui/MainTestDialog.h"
#include "gui/TrafficMonitorWindow.h"

namespace quillora {
namespace {

const QKeySequence kMonitorKeys(Qt::CTRL | Qt::Key_M);

}  // namespace

void MainTestDialog::InstallTrafficMonitorShortcut() {
    if (!services_.traffic) return;
    auto* shortcut = new QShortcut(kMonitorKeys, this);
    connect(shortcut, &QShortcut::activated, this, &MainTestDialog::ShowTrafficMonitor);
}

void MainTestDialog::AddTrafficMonitorEntry(QMenu& menu) {
    if (!services_.traffic) return;
    QAction* entry = menu.addAction(tr("通信监视"), this, &MainTestDialog::ShowTrafficMonitor);
    entry->setShortcut(kMonitorKeys);
}

void MainTestDialog::ShowTrafficMonitor() {
    if (!services_.traffic) return;
    if (!trafficMonitor_) {
        trafficMonitor_ =
            new TrafficMonitorWindow(*services_.traffic, services_.files, services_.messages, this);
    }
    trafficMonitor_->show();
    trafficMonitor_->raise();
    trafficMonitor_->activateWindow();
}

}  // namespace quillora
