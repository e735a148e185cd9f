#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "app/ControlTable.h"
#include "port/IpAddressDialog.h"
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

// Chooses a list entry the way a user does, which runs the selection handler.
void SelectEntry(MainTestDialog& dialog, int index) {
    PortList(dialog)->setCurrentIndex(index);
    emit PortList(dialog)->activated(index);
}

std::vector<QString> Entries(MainTestDialog& dialog) {
    std::vector<QString> entries;
    for (int i = 0; i < PortList(dialog)->count(); ++i)
        entries.push_back(PortList(dialog)->itemText(i));
    return entries;
}

TEST(MainWindow, EveryControlOfTheTemplateWithItsIdKindAndCaption) {
    DialogHarness h;
    MainTestDialog& dialog = h.Create();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Corvanta"));
    int withId = 0;
    for (const ControlSpec& spec : MainWindowControls()) {
        if (spec.id == kNoId) continue;
        ++withId;
        QWidget* widget = dialog.Control(spec.id);
        ASSERT_NE(widget, nullptr) << spec.id;
        switch (spec.kind) {
            case ControlKind::PushButton:
                ASSERT_TRUE(qobject_cast<QPushButton*>(widget)) << spec.id;
                EXPECT_EQ(static_cast<QPushButton*>(widget)->text(),
                          QString::fromUtf8(spec.caption));
                EXPECT_FALSE(static_cast<QPushButton*>(widget)->isDefault()) << spec.id;
                break;
            case ControlKind::CheckBox:
                EXPECT_TRUE(qobject_cast<QCheckBox*>(widget));
                break;
            case ControlKind::RadioButton:
                EXPECT_TRUE(qobject_cast<QRadioButton*>(widget));
                break;
            case ControlKind::LineEdit:
                EXPECT_TRUE(qobject_cast<QLineEdit*>(widget));
                break;
            case ControlKind::DropDownList:
                EXPECT_FALSE(static_cast<QComboBox*>(widget)->isEditable());
                break;
            case ControlKind::MultiLineEdit:
                EXPECT_TRUE(qobject_cast<QPlainTextEdit*>(widget));
                break;
            default:
                ADD_FAILURE() << "unexpected kind for " << spec.id;
        }
    }
    EXPECT_EQ(withId, 31);
    EXPECT_EQ(dialog.ControlText(ctl::BlackMarkSwitch), QStringLiteral("开启黑标"));
    EXPECT_EQ(dialog.ControlText(ctl::StartStop), QStringLiteral("开始连续打印"));
    EXPECT_EQ(dialog.ControlText(ctl::PrintLogo), QStringLiteral("打印LOGO"));
}

TEST(MainWindow, TabOrderFollowsTheTemplate) {
    DialogHarness h;
    MainTestDialog& dialog = h.Create();
    std::vector<int> expected;
    for (const ControlSpec& spec : MainWindowControls()) {
        if (spec.tabStop) expected.push_back(spec.id);
    }
    std::vector<int> actual;
    QWidget* widget = dialog.Control(ctl::TextBox);
    for (size_t i = 0; i < expected.size(); ++i) {
        actual.push_back(widget->objectName().mid(3).toInt());
        do {
            widget = widget->nextInFocusChain();
        } while (!(widget->focusPolicy() & Qt::TabFocus) || widget->objectName().isEmpty());
    }
    EXPECT_EQ(actual, expected);
    EXPECT_FALSE(dialog.Control(ctl::PortMode)->focusPolicy() & Qt::TabFocus);
}

TEST(MainWindow, FirstStartInAnEmptyDirectory) {
    DialogHarness h;
    MainTestDialog& dialog = h.Create();
    EXPECT_EQ(Entries(dialog), std::vector<QString>{QStringLiteral("IP")});
    EXPECT_EQ(PortList(dialog)->currentIndex(), 0);
    EXPECT_TRUE(dialog.Control(ctl::PortProperties)->isEnabled());
    EXPECT_EQ(dialog.ControlText(ctl::Interval), QStringLiteral("1"));
    EXPECT_EQ(dialog.ControlText(ctl::Copies), QStringLiteral("1"));
    EXPECT_TRUE(dialog.IsChecked(ctl::PortMode));
    EXPECT_FALSE(dialog.IsChecked(ctl::AutoCut) || dialog.IsChecked(ctl::MixedSize) ||
                 dialog.IsChecked(ctl::PrintLogo));
    EXPECT_EQ(dialog.TextBoxBytes().size(), 601u);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(h.Path("Option.ini"))));

    dialog.reject();
    EXPECT_EQ(h.ReadFile("Option.ini"), "[System]\r\nPort=0\r\n");
    EXPECT_EQ(dialog.StopRequested, 1);
}

TEST(MainWindow, ConnectionListFromDriverCountsInOrder) {
    DialogHarness h;
    h.ports.comCount = 2;
    h.ports.lptCount = 1;
    h.ports.usbCount = 0;
    MainTestDialog& dialog = h.Create();
    EXPECT_EQ(Entries(dialog), (std::vector<QString>{"COM1", "COM2", "LPT1", "IP"}));
    const auto calls = h.ports.Calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[0].operation, "GetCOMMax");
    EXPECT_EQ(calls[1].operation, "GetLPTMax");
    EXPECT_EQ(calls[2].operation, "GetUSBPort");
}

TEST(MainWindow, RestoredSelectionAppliesSerialParametersAndLettersReadAsZero) {
    DialogHarness h;
    h.ports.comCount = 2;
    h.WriteFile("Option.ini", "[System]\nPort=1\n[COM2]\nBaudrate=115200\nFlowCtl=2\n");
    MainTestDialog& dialog = h.Create();
    EXPECT_EQ(PortList(dialog)->currentText(), QStringLiteral("COM2"));
    const auto params = h.ports.Calls("SetComParam");
    ASSERT_EQ(params.size(), 1u);
    EXPECT_EQ(params[0].port, "COM2");
    EXPECT_EQ(params[0].args, (std::vector<int>{115200, 8, 78, 1, 2}));
    EXPECT_TRUE(dialog.Control(ctl::PortProperties)->isEnabled());

    DialogHarness letters;
    letters.ports.comCount = 1;
    letters.WriteFile("Option.ini", "[System]\r\nPort=abc\r\n");
    EXPECT_EQ(PortList(letters.Create())->currentIndex(), 0);
    EXPECT_EQ(letters.ports.Calls("SetComParam").at(0).args, (std::vector<int>{9600, 8, 78, 1, 0}));
}

TEST(MainWindow, SavedPortOutOfRangeOrMinusOneSelectsNothingAndIsStoredAsMinusOne) {
    for (const char* saved : {"-1", "2", "99"}) {
        DialogHarness h;
        h.ports.lptCount = 1;
        h.WriteFile("Option.ini", std::string("[System]\nIp1=1\nPort=") + saved + "\n");
        MainTestDialog& dialog = h.Create();
        EXPECT_EQ(PortList(dialog)->currentIndex(), -1) << saved;
        EXPECT_FALSE(dialog.Control(ctl::PortProperties)->isEnabled()) << saved;
        EXPECT_EQ(dialog.CurrentPortName(false), "") << saved;
        dialog.reject();
        EXPECT_EQ(h.ReadFile("Option.ini"), "[System]\nIp1=1\nPort=-1\n") << saved;
    }
}

TEST(MainWindow, SelectionChangesSwitchThePropertiesButton) {
    DialogHarness h;
    h.ports.comCount = 1;
    h.ports.lptCount = 1;
    h.ports.usbCount = 1;
    MainTestDialog& dialog = h.Create();
    h.ports.Clear();
    SelectEntry(dialog, 1);  // LPT1
    EXPECT_FALSE(dialog.Control(ctl::PortProperties)->isEnabled());
    SelectEntry(dialog, 2);  // USB1
    EXPECT_FALSE(dialog.Control(ctl::PortProperties)->isEnabled());
    SelectEntry(dialog, 3);  // IP
    EXPECT_TRUE(dialog.Control(ctl::PortProperties)->isEnabled());
    EXPECT_TRUE(h.ports.Calls("SetComParam").empty());
    SelectEntry(dialog, 0);
    ASSERT_EQ(h.ports.Calls("SetComParam").size(), 1u);
    EXPECT_EQ(h.ports.Calls("SetComParam")[0].port, "COM1");
}

TEST(MainWindow, NetworkEntryResolvesFromTheSettingsAtEveryCall) {
    DialogHarness h;
    MainTestDialog& dialog = h.Create();
    EXPECT_EQ(dialog.CurrentPortName(false), "192.168.1.10");
    h.WriteFile("Option.ini", "[System]\nIp1=127\nIp2=0\nIp3=300\nIp4=-1\n");
    EXPECT_EQ(dialog.CurrentPortName(false), "127.0.44.255");
}

TEST(MainWindow, IpDialogWritesAllFourOctetsOnOk) {
    DialogHarness h;
    h.WriteFile("Option.ini", "[System]\nIp1=127\nIp2=0\nIp3=300\n");
    MainTestDialog& dialog = h.Create();
    std::vector<QString> shown;
    test::WhenModalOpens([&](QWidget* modal) {
        auto* ip = modal->findChild<IpAddressEdit*>();
        for (int i = 0; i < 4; ++i) shown.push_back(ip->Field(i)->text());
        ip->Field(3)->setText(QString());
        QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("ctl1")), Qt::LeftButton);
    });
    QTest::mouseClick(dialog.Control(ctl::PortProperties), Qt::LeftButton);
    EXPECT_EQ(shown, (std::vector<QString>{"127", "0", "44", "10"}));
    EXPECT_EQ(h.ReadFile("Option.ini"), "[System]\nIp1=127\nIp2=0\nIp3=44\nIp4=0\n");
}

TEST(MainWindow, IpDialogCancelWritesNothing) {
    DialogHarness h;
    MainTestDialog& dialog = h.Create();
    test::WhenModalOpens([](QWidget* modal) {
        QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("ctl2")), Qt::LeftButton);
    });
    QTest::mouseClick(dialog.Control(ctl::PortProperties), Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(h.Path("Option.ini"))));
}

TEST(MainWindow, FailedPullPromptsFocusesTheBoxAndKeepsLaterFields) {
    DialogHarness h;
    MainTestDialog& dialog = h.Create();
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    Edit(dialog, ctl::Interval)->setText(QStringLiteral("abc"));
    Edit(dialog, ctl::Copies)->setText(QStringLiteral("5"));
    dialog.SetChecked(ctl::DriverMode, true);

    EXPECT_FALSE(dialog.UpdateData(true));
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, QStringLiteral("请输入一个整数。"));
    EXPECT_EQ(h.messages.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(QApplication::focusWidget(), dialog.Control(ctl::Interval));
    EXPECT_EQ(Edit(dialog, ctl::Interval)->selectedText(), QStringLiteral("abc"));
    EXPECT_EQ(dialog.CopyCount, 1);
    EXPECT_EQ(dialog.PrintMode, 0);

    Edit(dialog, ctl::Interval)->setText(QStringLiteral(" 86401 "));
    EXPECT_FALSE(dialog.UpdateData(true));
    EXPECT_EQ(h.messages.shown.back().text,
              QStringLiteral("请输入一个介于 1 和 86400 之间的整数。"));
    EXPECT_EQ(dialog.IntervalSeconds, 86401);

    Edit(dialog, ctl::Interval)->setText(QStringLiteral("\t30"));
    Edit(dialog, ctl::Copies)->setText(QStringLiteral("100001"));
    EXPECT_FALSE(dialog.UpdateData(true));
    EXPECT_EQ(h.messages.shown.back().text,
              QStringLiteral("请输入一个介于 1 和 100000 之间的整数。"));
    EXPECT_EQ(QApplication::focusWidget(), dialog.Control(ctl::Copies));
    EXPECT_EQ(dialog.IntervalSeconds, 30);
    EXPECT_EQ(dialog.PrintMode, 0);

    Edit(dialog, ctl::Copies)->setText(QStringLiteral("-0"));
    EXPECT_FALSE(dialog.UpdateData(true));
    Edit(dialog, ctl::Copies)->setText(QStringLiteral("100000"));
    EXPECT_TRUE(dialog.UpdateData(true));
    EXPECT_EQ(dialog.CopyCount, 100000);
    EXPECT_EQ(dialog.PrintMode, 1);
}

TEST(MainWindow, EnterInIntervalHoldingZeroKeepsTheWindowOpen) {
    DialogHarness h;
    MainTestDialog& dialog = h.Create();
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    Edit(dialog, ctl::Interval)->setText(QStringLiteral("0"));
    Edit(dialog, ctl::Interval)->setFocus();
    QTest::keyClick(Edit(dialog, ctl::Interval), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.IntervalSeconds, 0);
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].icon, MessageIcon::Exclamation);

    Edit(dialog, ctl::Interval)->setText(QStringLiteral("3"));
    QTest::keyClick(Edit(dialog, ctl::Interval), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(MainWindow, EnterOnAPushButtonPressesItAndEscapeCancels) {
    DialogHarness h;
    h.ports.comCount = 1;
    MainTestDialog& dialog = h.Create();
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    h.ports.Clear();
    dialog.Control(ctl::PortProperties)->setFocus();
    QTest::keyClick(dialog.Control(ctl::PortProperties), Qt::Key_Return);
    EXPECT_EQ(h.ports.Calls("ShowCOMSettingDlg").size(), 1u);
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClick(dialog.Control(ctl::Interval), Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(MainWindow, TestControlsSwitchAsOneGroupButNeverStartStop) {
    DialogHarness h;
    MainTestDialog& dialog = h.Create();
    dialog.SetTestControlsEnabled(false);
    int disabled = 0;
    for (const ControlSpec& spec : MainWindowControls()) {
        if (spec.id == kNoId) continue;
        const bool enabled = dialog.Control(spec.id)->isEnabled();
        if (spec.id == ctl::StartStop) {
            EXPECT_TRUE(enabled);
        } else {
            EXPECT_FALSE(enabled) << spec.id;
            ++disabled;
        }
    }
    EXPECT_EQ(disabled, 30);
    dialog.SetTestControlsEnabled(true);
    for (int id : TestControlIds()) EXPECT_TRUE(dialog.Control(id)->isEnabled()) << id;
}

TEST(MainWindow, CaretMovesToTheEndShortlyAfterStart) {
    DialogHarness h;
    h.WriteFile("Print.txt", "line one\r\nline two");
    MainTestDialog& dialog = h.Create();
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    auto* box = static_cast<QPlainTextEdit*>(dialog.Control(ctl::TextBox));
    EXPECT_EQ(box->textCursor().selectedText().size(), 17);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !box->textCursor().hasSelection(); }, 5000));
    EXPECT_EQ(box->textCursor().position(), 17);
    EXPECT_EQ(dialog.TextBoxBytes(), "line one\r\nline two");
}

TEST(MainWindow, PrintTxtEmptyOrHoldingAZeroByte) {
    {
        DialogHarness h;
        h.WriteFile("Print.txt", "");
        EXPECT_EQ(h.Create().TextBoxBytes(), "");
    }
    {
        DialogHarness h;
        h.WriteFile("Print.txt", std::string("\xB4\xF2\xD3\xA1\0tail", 9));
        MainTestDialog& dialog = h.Create();
        EXPECT_EQ(dialog.TextBoxBytes(), "\xB4\xF2\xD3\xA1");
        EXPECT_EQ(dialog.ControlText(ctl::TextBox), QStringLiteral("打印"));
    }
}

TEST(MainWindow, SystemCommands16To31OpenTheAboutBox) {
    DialogHarness h;
    MainTestDialog& dialog = h.Create();
    for (unsigned id : {15u, 16u, 17u, 31u, 32u, 0xF060u}) {
        QString opened;
        test::ModalWatcher watcher([&](QWidget* modal) {
            opened = modal->windowTitle();
            static_cast<QDialog*>(modal)->accept();
        });
        dialog.OnSysCommand(id);
        const bool about = id >= 16 && id <= 31;
        EXPECT_EQ(opened, about ? QStringLiteral("关于 Quillora") : QString()) << id;
    }
}

}  // namespace
}  // namespace quillora
