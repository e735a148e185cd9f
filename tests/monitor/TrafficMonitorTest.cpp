#include <gtest/gtest.h>

#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTimer>

#include "MonitoredWindow.h"
#include "commands/CommandBytes.h"
#include "gui/ControlTable.h"
#include "support/HexBytes.h"

namespace quillora {
namespace {

using Column = TrafficTableModel::Column;
using test::Cell;

std::string ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
}

QStringList ColumnCells(const TrafficMonitorWindow& monitor, int column) {
    QStringList cells;
    for (int row = 0; row < monitor.Model().rowCount(); ++row) {
        cells << Cell(monitor, row, column);
    }
    return cells;
}

// Opened by Ctrl+M, not modal: the main window's buttons still work, and each call shows
// as one line with its time, port, direction, counts, hex and ESC/POS reading.
TEST(TrafficMonitor, CtrlMOpensAWindowBesideTheTestsWithOneLinePerCall) {
    test::MonitoredWindow w;
    w.h.ports.replies = {test::Hex("12")};
    MainTestDialog& dialog = w.Create();
    TrafficMonitorWindow* monitor = w.OpenByKey();
    ASSERT_NE(monitor, nullptr);
    EXPECT_TRUE(monitor->isVisible());
    EXPECT_FALSE(monitor->isModal());
    EXPECT_EQ(monitor->windowTitle(), QString::fromUtf8("通信监视"));

    QTest::mouseClick(dialog.Control(ctl::FullCut), Qt::LeftButton);
    QTest::mouseClick(dialog.Control(ctl::NearEndQuery), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return monitor->Model().rowCount() == 3; }));
    EXPECT_EQ(ColumnCells(*monitor, Column::Port), (QStringList{"COM1", "COM1", "COM1"}));
    EXPECT_EQ(ColumnCells(*monitor, Column::Direction), (QStringList{"TX", "TX", "RX"}));
    EXPECT_EQ(ColumnCells(*monitor, Column::Count), (QStringList{"3/3", "3/3", "1/1"}));
    EXPECT_EQ(ColumnCells(*monitor, Column::Hex), (QStringList{"1d 56 00", "10 04 04", "12"}));
    EXPECT_EQ(ColumnCells(*monitor, Column::Reading),
              QString::fromUtf8("GS V 0 全切|DLE EOT 4|DLE EOT 4 → 0x12").split(u'|'));
    const QRegularExpression microseconds(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d{6}$"));
    EXPECT_TRUE(microseconds.match(Cell(*monitor, 0, Column::Time)).hasMatch());
    EXPECT_EQ(monitor->Table()->model()->headerData(Column::Reading, Qt::Horizontal),
              QStringLiteral("ESC/POS"));
    EXPECT_TRUE(w.h.messages.shown.size() == 1) << "the query's own message";

    // A second Ctrl+M brings the same window back; closing it ends it, the record stays.
    monitor->hide();
    EXPECT_EQ(w.OpenByKey(), monitor);
    EXPECT_TRUE(monitor->isVisible());
    monitor->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.Monitor() == nullptr; }));
    TrafficMonitorWindow* again = w.OpenByKey();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->Model().rowCount(), 3);
}

// The entry sits in the main window's context menu after the About entry.
TEST(TrafficMonitor, ContextMenuEntryBesideAbout) {
    test::MonitoredWindow w;
    MainTestDialog& dialog = w.Create();
    QStringList entries;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions()) entries << action->text();
        EXPECT_EQ(menu->actions().last()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_M));
        menu->actions().last()->trigger();
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            dialog.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&dialog, &event);
    EXPECT_EQ(
        entries,
        (QStringList{QString::fromUtf8("打印机状态"), QString::fromUtf8("二维码打印"),
                     QString::fromUtf8("PDF417打印"), QString::fromUtf8("关于 Quillora(&A)..."),
                     QString::fromUtf8("通信监视")}));
    ASSERT_NE(w.Monitor(), nullptr);
    EXPECT_TRUE(w.Monitor()->isVisible());
}

// A send the driver refused shows the driver's error text on its line.
TEST(TrafficMonitor, AFailedSendShowsTheDriversError) {
    test::MonitoredWindow w;
    w.h.ports.sendResult = [](const PortName&, int) { return 0; };
    w.h.ports.errorText = "open /dev/ttyS0: Permission denied";
    MainTestDialog& dialog = w.Create();
    TrafficMonitorWindow* monitor = w.OpenByKey();
    QTest::mouseClick(dialog.Control(ctl::HalfCut), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return monitor->Model().rowCount() == 1; }));
    EXPECT_EQ(Cell(*monitor, 0, Column::Count), QStringLiteral("0/2"));
    EXPECT_EQ(Cell(*monitor, 0, Column::Reading),
              QString::fromUtf8("错误: open /dev/ttyS0: Permission denied | ESC m 半切"));
}

// Save as text writes each line with its reading; save sent bytes writes exactly what the
// port took, ready for --replay; a file that cannot be written is reported.
TEST(TrafficMonitor, SavesTextAndTheSentBytes) {
    test::MonitoredWindow w;
    // The second block of the barcode page is taken only in part.
    w.h.ports.sendResult = [](const PortName&, int length) { return length == 29 ? 20 : length; };
    MainTestDialog& dialog = w.Create();
    TrafficMonitorWindow* monitor = w.OpenByKey();
    QTest::mouseClick(dialog.Control(ctl::Barcode), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return monitor->Model().rowCount() == 5; }));
    // The window reports the short send; the saves below add nothing unless they fail.
    ASSERT_EQ(w.h.messages.shown.size(), 1u);
    w.h.messages.shown.clear();

    const std::vector<CommandBlock> blocks = BarcodePageBlocks();
    ASSERT_EQ(blocks[1].size(), 29u);
    std::string taken;
    for (const CommandBlock& block : blocks)
        taken += block.size() == 29 ? block.substr(0, 20) : block;
    const QString bin = QString::fromStdString(w.h.Path("sent.bin"));
    const QString text = QString::fromStdString(w.h.Path("traffic.txt"));
    w.h.files.saveAnswers = {bin, text, std::nullopt,
                             QString::fromStdString(w.h.Path("missing/folder/x.txt"))};
    QTest::mouseClick(monitor->SaveSentButton(), Qt::LeftButton);
    EXPECT_EQ(test::ToHex(ReadAll(bin)), test::ToHex(taken));
    QTest::mouseClick(monitor->SaveTextButton(), Qt::LeftButton);
    const QStringList lines =
        QString::fromStdString(ReadAll(text)).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[0].endsWith(QString::fromUtf8(
        " COM1 TX 42/42 3d 3d 3d 3d 3d 20 b2 e2 ca d4 cc f5 c2 eb 20 3d 3d 3d 3d 3d 0d 0a 0d 0a 43 "
        "4f 44 45 33 39 0d 0a 1d 6b 04 31 32 33 34 35 36 00 | \"===== 测试条码 =====\" | CR LF ×2 "
        "| "
        "\"CODE39\" | CR LF | GS k 4 CODE39 \"123456\"")))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[1].contains(QStringLiteral(" COM1 TX 20/29 "))) << lines[1].toStdString();
    EXPECT_EQ(w.h.files.saveFiltersAsked,
              (std::vector<QString>{"Binary Files (*.bin)|*.bin||", "Text Files (*.txt)|*.txt||"}));
    EXPECT_TRUE(w.h.messages.shown.empty());

    QTest::mouseClick(monitor->SaveTextButton(), Qt::LeftButton);  // cancelled
    EXPECT_TRUE(w.h.messages.shown.empty());
    QTest::mouseClick(monitor->SaveTextButton(), Qt::LeftButton);
    ASSERT_EQ(w.h.messages.shown.size(), 1u);
    EXPECT_TRUE(w.h.messages.shown[0].text.startsWith(QString::fromUtf8("无法保存 ")));
}

// Pause holds the view while recording goes on; clear empties view and record; the oldest
// calls' loss is said in the window; a 10 MiB call shows 256 bytes of hex and its size.
TEST(TrafficMonitor, PauseClearDroppedNoticeAndCappedHex) {
    test::MonitoredWindow w(64 * 1024);
    MainTestDialog& dialog = w.Create();
    TrafficMonitorWindow* monitor = w.OpenByKey();
    QTest::mouseClick(monitor->PauseButton(), Qt::LeftButton);
    EXPECT_EQ(monitor->PauseButton()->text(), QString::fromUtf8("继续"));
    QTest::mouseClick(dialog.Control(ctl::Feed), Qt::LeftButton);
    QTest::qWait(3 * TrafficMonitorWindow::kPollMs);
    EXPECT_EQ(monitor->Model().rowCount(), 0);
    QTest::mouseClick(monitor->PauseButton(), Qt::LeftButton);
    EXPECT_EQ(monitor->Model().rowCount(), 1);
    EXPECT_EQ(Cell(*monitor, 0, Column::Reading), QString::fromUtf8("ESC d 10 走纸10行"));

    QTest::mouseClick(monitor->ClearButton(), Qt::LeftButton);
    EXPECT_EQ(monitor->Model().rowCount(), 0);
    EXPECT_TRUE(w.log.Since(0).entries.empty());

    // The cut goes when the large call comes; of that only the last 64 KiB stay.
    const std::vector<std::uint8_t> cut{0x1D, 0x56, 0x00};
    w.tracing.SendData("COM1", cut.data(), int(cut.size()));
    const std::vector<std::uint8_t> large(10 << 20, 0x41);
    w.tracing.SendData("COM1", large.data(), int(large.size()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return monitor->DroppedLabel()->isVisible(); }));
    EXPECT_EQ(monitor->Model().rowCount(), 1);
    EXPECT_EQ(monitor->DroppedLabel()->text(),
              QString::fromUtf8("最早的通信已丢弃(只保留最近 64 KiB): 1 次调用, %1 字节")
                  .arg(3 + (10 << 20) - (64 * 1024 - TrafficLog::kPerCallCharge)));
    EXPECT_EQ(Cell(*monitor, 0, Column::Hex), QString(QStringLiteral("41 ").repeated(255)) +
                                                  QString::fromUtf8("41 … (10485760 字节)"));
    EXPECT_TRUE(Cell(*monitor, 0, Column::Reading)
                    .startsWith(QString::fromUtf8("(前 10420288 字节未保留) \"AAAA")));
}

}  // namespace
}  // namespace quillora
