#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <cerrno>
#include <cstring>

#include "gui/ControlTable.h"
#include "gui/IpAddressDialog.h"
#include "support/DialogHarness.h"

namespace quillora {
namespace {

using test::DialogHarness;

QComboBox* PortList(MainTestDialog& dialog) {
    return static_cast<QComboBox*>(dialog.Control(ctl::PortList));
}

QLineEdit* Edit(MainTestDialog& dialog, int id) {
    return static_cast<QLineEdit*>(dialog.Control(id));
}

// Focus and key tests need the window on screen and active.
MainTestDialog& CreateShown(DialogHarness& h) {
    MainTestDialog& dialog = h.Create();
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    return dialog;
}

TEST(MainWindow, EveryControlOfTheTemplateInTabOrderAndTheTestGroupSwitch) {
    DialogHarness h;
    MainTestDialog& dialog = h.Create();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Corvanta"));
    dialog.SetTestControlsEnabled(false);
    std::vector<int> tabStops, tabOrder;
    for (const TemplateControl& entry : MainWindowControls()) {
        if (entry.tabStop) tabStops.push_back(entry.id);
        if (entry.id == kNoId) continue;
        QWidget* widget = dialog.Control(entry.id);
        ASSERT_NE(widget, nullptr) << entry.id;
        // Only the start/stop button stays usable while a continuous run owns the port.
        EXPECT_EQ(widget->isEnabled(), entry.id == ctl::StartStop) << entry.id;
    }
    for (QWidget* widget = dialog.Control(ctl::TextBox); tabOrder.size() < tabStops.size();) {
        tabOrder.push_back(widget->objectName().mid(3).toInt());
        do widget = widget->nextInFocusChain();
        while (!(widget->focusPolicy() & Qt::TabFocus) || widget->objectName().isEmpty());
    }
    EXPECT_EQ(tabOrder, tabStops);
    EXPECT_EQ(dialog.ControlText(ctl::BlackMarkSwitch), QStringLiteral("开启黑标"));
    EXPECT_EQ(dialog.ControlText(ctl::StartStop), QStringLiteral("开始连续打印"));
    dialog.SetTestControlsEnabled(true);
    for (int id : TestControlIds()) EXPECT_TRUE(dialog.Control(id)->isEnabled()) << id;
}

TEST(MainWindow, FirstStartDefaultsAndThePortStoredAtClose) {
    DialogHarness h;
    h.ports.comCount = 1;
    MainTestDialog& dialog = h.Create();
    EXPECT_EQ(PortList(dialog)->currentText(), QStringLiteral("COM1"));
    EXPECT_EQ(dialog.ControlText(ctl::Interval), QStringLiteral("1"));
    EXPECT_EQ(dialog.ControlText(ctl::Copies), QStringLiteral("1"));
    EXPECT_TRUE(dialog.IsChecked(ctl::PortMode));
    EXPECT_FALSE(dialog.IsChecked(ctl::AutoCut) || dialog.IsChecked(ctl::MixedSize) ||
                 dialog.IsChecked(ctl::PrintLogo));
    EXPECT_EQ(dialog.TextBoxBytes().size(), 601u);  // the built-in sample text
    dialog.reject();
    EXPECT_EQ(h.ReadFile("Option.ini"), "[System]\r\nPort=0\r\n");
    EXPECT_EQ(dialog.Continuous().StopRequested(), 1);
}

TEST(MainWindow, ConnectionListInDriverOrderAndSelectionSwitchesProperties) {
    DialogHarness h;
    h.ports.comCount = 2;
    h.ports.lptCount = 1;
    h.ports.usbCount = 1;
    MainTestDialog& dialog = h.Create();
    QStringList entries;
    for (int i = 0; i < PortList(dialog)->count(); ++i) entries << PortList(dialog)->itemText(i);
    EXPECT_EQ(entries, (QStringList{"COM1", "COM2", "LPT1", "USB1", "IP"}));
    const auto calls = h.ports.Calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[0].operation + calls[1].operation + calls[2].operation,
              "GetCOMMaxGetLPTMaxGetUSBPort");

    h.ports.Clear();
    for (int index : {2, 3, 1}) {  // LPT1, USB1, COM2, chosen the way a user does
        PortList(dialog)->setCurrentIndex(index);
        emit PortList(dialog)->activated(index);
        EXPECT_EQ(dialog.Control(ctl::PortProperties)->isEnabled(), index == 1);
    }
    const auto params = h.ports.Calls("SetComParam");
    ASSERT_EQ(params.size(), 1u);
    EXPECT_EQ(params[0].port, "COM2");
}

TEST(MainWindow, RestoredSelectionAppliesSerialParametersAndOutOfRangeIsStoredAsMinusOne) {
    DialogHarness h;
    h.ports.comCount = 2;
    h.WriteFile("Option.ini", "[System]\nPort=1\n[COM2]\nBaudrate=115200\nFlowCtl=2\n");
    EXPECT_EQ(PortList(h.Create())->currentText(), QStringLiteral("COM2"));
    const auto params = h.ports.Calls("SetComParam");
    ASSERT_EQ(params.size(), 1u);
    EXPECT_EQ(params[0].port, "COM2");
    EXPECT_EQ(params[0].args, (std::vector<int>{115200, 8, 78, 1, 2}));

    DialogHarness out;
    out.ports.lptCount = 1;
    out.WriteFile("Option.ini", "[System]\nIp1=127\nPort=2\n");
    MainTestDialog& dialog = out.Create();
    EXPECT_EQ(PortList(dialog)->currentIndex(), -1);
    EXPECT_EQ(dialog.CurrentPortName(false), "");
    dialog.reject();
    EXPECT_EQ(out.ReadFile("Option.ini"), "[System]\nIp1=127\nPort=-1\n");
}

void AnswerIpDialog(const QString& button, std::vector<QString>* shown = nullptr) {
    test::WhenModalOpens([=](QWidget* modal) {
        auto* ip = modal->findChild<IpAddressEdit*>();
        for (int i = 0; shown && i < 4; ++i) shown->push_back(ip->Field(i)->text());
        const char* loopback[] = {"127", "0", "44", ""};
        for (int i = 0; i < 4; ++i) ip->Field(i)->setText(QString::fromLatin1(loopback[i]));
        QTest::mouseClick(modal->findChild<QPushButton*>(button), Qt::LeftButton);
    });
}

// The settings are read again each time; a save that fails (a folder in the file's place,
// which stops root too) keeps the old address, and the user is told.
TEST(MainWindow, NetworkEntryReadsTheSettingsEachTimeAndIpDialogWritesOnlyOnOk) {
    DialogHarness h;
    h.WriteFile("Option.ini", "[System]\nIp1=127\nIp2=0\nIp3=0\nIp4=1\n");
    MainTestDialog& dialog = h.Create();
    EXPECT_EQ(dialog.CurrentPortName(false), "127.0.0.1");
    const std::string before = "[System]\nIp1=127\nIp2=0\nIp3=300\nIp4=-1\n";
    h.WriteFile("Option.ini", before);
    EXPECT_EQ(dialog.CurrentPortName(false), "127.0.44.255");

    AnswerIpDialog(QStringLiteral("ctl2"));
    QTest::mouseClick(dialog.Control(ctl::PortProperties), Qt::LeftButton);
    EXPECT_EQ(h.ReadFile("Option.ini"), before);
    std::vector<QString> shown;
    AnswerIpDialog(QStringLiteral("ctl1"), &shown);
    QTest::mouseClick(dialog.Control(ctl::PortProperties), Qt::LeftButton);
    EXPECT_EQ(shown, (std::vector<QString>{"127", "0", "44", "255"}));
    EXPECT_EQ(h.ReadFile("Option.ini"), "[System]\nIp1=127\nIp2=0\nIp3=44\nIp4=0\n");

    ASSERT_TRUE(QFile::remove(QString::fromStdString(h.Path("Option.ini"))));
    ASSERT_TRUE(QDir(h.dir.path()).mkdir(QStringLiteral("Option.ini")));
    AnswerIpDialog(QStringLiteral("ctl1"));
    QTest::mouseClick(dialog.Control(ctl::PortProperties), Qt::LeftButton);
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, QString::fromUtf8("IP地址没有保存成功!\n") +
                                            QString::fromLocal8Bit(strerror(EISDIR)));
    EXPECT_EQ(h.messages.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(QDir(h.dir.path()).entryList(QDir::Files), QStringList{}) << "no temporary file left";
}

TEST(MainWindow, FailedPullPromptsFocusesTheBoxAndKeepsLaterFields) {
    DialogHarness h;
    MainTestDialog& dialog = CreateShown(h);
    Edit(dialog, ctl::Interval)->setText(QStringLiteral("abc"));
    Edit(dialog, ctl::Copies)->setText(QStringLiteral("5"));
    EXPECT_FALSE(dialog.UpdateData(true));
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, QStringLiteral("请输入一个整数。"));
    EXPECT_EQ(h.messages.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(QApplication::focusWidget(), dialog.Control(ctl::Interval));
    EXPECT_EQ(Edit(dialog, ctl::Interval)->selectedText(), QStringLiteral("abc"));
    EXPECT_EQ(dialog.CopyCount, 1);

    Edit(dialog, ctl::Interval)->setText(QStringLiteral("\t30 "));
    Edit(dialog, ctl::Copies)->setText(QStringLiteral("100001"));
    EXPECT_FALSE(dialog.UpdateData(true));
    EXPECT_EQ(h.messages.shown.back().text,
              QStringLiteral("请输入一个介于 1 和 100000 之间的整数。"));
    EXPECT_EQ(QApplication::focusWidget(), dialog.Control(ctl::Copies));
    EXPECT_EQ(dialog.IntervalSeconds, 30);
}

TEST(MainWindow, EnterPressesAFocusedPushButtonAndInAnEntryChecksBeforeClosing) {
    DialogHarness h;
    h.ports.comCount = 1;
    MainTestDialog& dialog = CreateShown(h);
    dialog.Control(ctl::PortProperties)->setFocus();
    QTest::keyClick(dialog.Control(ctl::PortProperties), Qt::Key_Return);
    EXPECT_EQ(h.ports.Calls("ShowCOMSettingDlg").size(), 1u);

    Edit(dialog, ctl::Interval)->setText(QStringLiteral("86401"));
    Edit(dialog, ctl::Interval)->setFocus();
    QTest::keyClick(Edit(dialog, ctl::Interval), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, QStringLiteral("请输入一个介于 1 和 86400 之间的整数。"));

    Edit(dialog, ctl::Interval)->setText(QStringLiteral("3"));
    QTest::keyClick(Edit(dialog, ctl::Interval), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(MainWindow, PrintTxtLoadsUpToAZeroByteAndTheCaretMovesToTheEndShortlyAfterStart) {
    DialogHarness h;
    h.WriteFile("Print.txt", std::string("line one\r\n\xB4\xF2\xD3\xA1\0tail", 19));
    MainTestDialog& dialog = CreateShown(h);
    auto* box = static_cast<QPlainTextEdit*>(dialog.Control(ctl::TextBox));
    EXPECT_EQ(dialog.TextBoxBytes(), "line one\r\n\xB4\xF2\xD3\xA1");
    EXPECT_EQ(box->textCursor().selectedText().size(), 11);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !box->textCursor().hasSelection(); }, 5000));
    EXPECT_EQ(box->textCursor().position(), 11);
}

TEST(MainWindow, SystemCommands16To31OpenTheAboutBox) {
    DialogHarness h;
    MainTestDialog& dialog = h.Create();
    for (unsigned id : {15u, 16u, 31u, 32u}) {
        QString opened;
        test::ModalWatcher watcher([&](QWidget* about) {
            opened = about->windowTitle();
            about->close();
        });
        dialog.OnSysCommand(id);
        EXPECT_EQ(opened, id == 16 || id == 31 ? QStringLiteral("关于 Quillora") : QString()) << id;
    }
}

}  // namespace
}  // namespace quillora
