#pragma once

#include <QApplication>
#include <QTest>
#include <memory>

#include "gui/MainTestDialog.h"
#include "gui/TrafficMonitorWindow.h"
#include "gui/TrafficTableModel.h"
#include "monitor/TrafficLog.h"
#include "port/TracingPortDriver.h"
#include "support/DialogHarness.h"

namespace quillora::test {

// The main window as start-up builds it: its driver (the recording fake, COM1 selected)
// wrapped in the tracing decorator, whose record the monitor shows.
struct MonitoredWindow {
    explicit MonitoredWindow(std::size_t byteLimit = TrafficLog::kDefaultByteLimit)
        : log(byteLimit) {
        h.ports.comCount = 1;
    }
    MainTestDialog& Create() {
        dialog = std::make_unique<MainTestDialog>(services);
        dialog->show();
        return *dialog;
    }
    TrafficMonitorWindow* Monitor() const { return dialog->findChild<TrafficMonitorWindow*>(); }
    // Ctrl+M on the main window; the monitor it opened (or raised).
    TrafficMonitorWindow* OpenByKey() {
        // A window shortcut: it works in the active window only.
        dialog->activateWindow();
        if (!QTest::qWaitFor([&] { return QApplication::activeWindow() == dialog.get(); })) {
            return nullptr;
        }
        QWidget* focused = dialog->focusWidget();
        QTest::keyClick(focused ? focused : dialog.get(), Qt::Key_M, Qt::ControlModifier);
        return Monitor();
    }

    DialogHarness h;
    TrafficLog log;
    TracingPortDriver tracing{h.ports, {&log}};
    AppServices services{tracing, h.messages, h.files, h.clock, h.noPrinters, &log};
    std::unique_ptr<MainTestDialog> dialog;
};

// What a row shows in one column.
inline QString Cell(const TrafficMonitorWindow& monitor, int row, int column) {
    const TrafficTableModel& model = monitor.Model();
    return model.data(model.index(row, column), Qt::DisplayRole).toString();
}

}  // namespace quillora::test
