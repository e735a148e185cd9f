// The traffic monitor as a screen reader and a reader of its 字节 column meet it.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QHeaderView>
#include <QStyle>
#include <QTableView>

#include "gui/TrafficMonitorWindow.h"
#include "gui/TrafficTableModel.h"
#include "monitor/TrafficLog.h"
#include "support/ScriptedServices.h"

namespace quillora::test {
namespace {

struct MonitorOnItsOwn {
    TrafficLog log;
    RecordingMessages messages;
    ScriptedFileDialogs files;
    TrafficMonitorWindow window{log, files, messages, nullptr};
};

TEST(MonitorWindow, IsAnnouncedAsAWindowNamedByItsTitle) {
    MonitorOnItsOwn monitor;
    monitor.window.show();
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&monitor.window);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name), QString::fromUtf8("通信监视"));
}

TEST(MonitorWindow, TheCountColumnShowsALargeCallWhole) {
    MonitorOnItsOwn monitor;
    TrafficEvent event;
    event.port = "COM1";
    event.requested = event.returned = 5400000;
    monitor.log.Take(std::move(event));
    monitor.window.Poll();
    QTableView* table = monitor.window.Table();
    const QModelIndex cell = table->model()->index(0, TrafficTableModel::Count);
    const QString text = cell.data().toString();
    ASSERT_EQ(text, QStringLiteral("5400000/5400000"));
    // As the view's style lays the cell out: its width less a text margin on either side.
    const int margin =
        table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1;
    const int room = table->columnWidth(TrafficTableModel::Count) - 2 * margin;
    EXPECT_EQ(table->fontMetrics().elidedText(text, Qt::ElideRight, room), text);
    const QString widest = QStringLiteral("-2147483648/-2147483648");
    EXPECT_EQ(table->fontMetrics().elidedText(widest, Qt::ElideRight, room), widest);
}

}  // namespace
}  // namespace quillora::test
