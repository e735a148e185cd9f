// Run under ThreadSanitizer as well (tools/test-stages/post-10-tsan-continuous.sh): the
// continuous worker records into the log while the UI thread opens, reads and closes the
// monitor.
#include <gtest/gtest.h>

#include "MonitoredWindow.h"
#include "gui/ControlTable.h"

namespace quillora {
namespace {

using namespace std::chrono_literals;

bool Idle(MainTestDialog& dialog) {
    return dialog.ControlText(ctl::StartStop) == QString::fromUtf8("开始连续打印");
}

TEST(TrafficMonitorDuringContinuousRun, OpenedAndClosedWhileTheWorkerSendsShowsEveryCall) {
    test::MonitoredWindow w;
    w.h.clock.realSleep = 200us;  // the pause between copies takes a little real time
    MainTestDialog& dialog = w.Create();
    dialog.SetControlText(ctl::TextBox, QStringLiteral("fatigue"));
    dialog.SetControlText(ctl::Copies, QStringLiteral("100000"));
    dialog.SetControlText(ctl::Interval, QStringLiteral("1"));
    dialog.SetChecked(ctl::AutoCut, true);
    QTest::mouseClick(dialog.Control(ctl::StartStop), Qt::LeftButton);

    for (int round = 0; round < 4; ++round) {
        TrafficMonitorWindow* monitor = w.OpenByKey();
        ASSERT_NE(monitor, nullptr);
        const int seen = monitor->Model().rowCount();
        ASSERT_TRUE(QTest::qWaitFor([&] { return monitor->Model().rowCount() >= seen + 6; }))
            << "round " << round;
        monitor->close();
        ASSERT_TRUE(QTest::qWaitFor([&] { return w.Monitor() == nullptr; }));
    }
    QTest::mouseClick(dialog.Control(ctl::StartStop), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Idle(dialog); }, 30000));

    // Once the worker has ended, a fresh monitor shows exactly the calls the driver got.
    TrafficMonitorWindow* monitor = w.OpenByKey();
    ASSERT_NE(monitor, nullptr);
    const std::vector<std::string> sent = w.h.ports.SentBlocks();
    ASSERT_GE(sent.size(), 24u);
    ASSERT_EQ(monitor->Model().rowCount(), int(sent.size()));
    for (std::size_t i = 0; i < sent.size(); ++i) {
        const TrafficEvent& event = *monitor->Model().Rows()[i].event;
        ASSERT_EQ(std::string(event.bytes.begin(), event.bytes.end()), sent[i]) << i;
    }
    EXPECT_EQ(test::Cell(*monitor, 2, TrafficTableModel::Reading),
              QString::fromUtf8("CR LF ×4 | ESC i 全切"));
}

}  // namespace
}  // namespace quillora
