// Serial ports through pseudo-terminals: the test plays the printer on the master side.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <termios.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

#include "PortTestSupport.h"
#include "gui/SerialSettingsDialog.h"
#include "platform/AppPaths.h"
#include "port/SystemPortDriver.h"
#include "support/DialogHarness.h"
#include "support/ScriptedServices.h"

namespace quillora::test {
namespace {

termios SettingsOf(const PseudoTerminal& terminal) {
    termios settings{};
    EXPECT_EQ(tcgetattr(terminal.slave.Get(), &settings), 0);
    return settings;
}

TEST(SerialPort, AppliesSettingsPassesBytesRawRefusesKeepingTheLastGoodAcrossARestart) {
    QTemporaryDir dir;
    const std::string link = dir.filePath("com1").toStdString();
    auto printer = std::make_unique<PseudoTerminal>();
    std::filesystem::create_symlink(printer->slavePath, link);
    LinuxPortDriver driver = DriverWith("COM1=" + link);
    EXPECT_EQ(driver.SetComParam("COM1", 115200, 8, 'N', 1, 2), 1);  // before the first send
    // Line ends, NUL, XON/XOFF characters and high bytes must not be translated.
    EXPECT_EQ(Send(driver, "COM1", Hex("1B 40 0D 0A 00 11 13 0A FF B2")), 10);
    EXPECT_EQ(printer->Receive(10), Hex("1B 40 0D 0A 00 11 13 0A FF B2"));
    termios settings = SettingsOf(*printer);
    EXPECT_EQ(cfgetospeed(&settings), speed_t(B115200));
    EXPECT_EQ(settings.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), tcflag_t(CS8 | CRTSCTS));
    EXPECT_EQ(settings.c_iflag & (IXON | IXOFF), 0u);
    EXPECT_EQ(settings.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(settings.c_oflag & OPOST, 0u);

    EXPECT_EQ(driver.SetComParam("COM1", 921600, 8, 'N', 1, 3), 1);
    EXPECT_EQ(driver.SetComParam("COM1", 12345, 8, 'N', 1, 0), 0);
    EXPECT_EQ(driver.LastErrorText("COM1"), "configure " + link + ": Invalid argument");
    EXPECT_EQ(driver.SetComParam("COM1", 9600, 8, 'N', 1, 4), 0);

    // Restarts behind the link; the send with flow code 3 (no modem lines here) still goes.
    printer = std::make_unique<PseudoTerminal>();
    std::filesystem::remove(link);
    std::filesystem::create_symlink(printer->slavePath, link);
    EXPECT_EQ(Send(driver, "COM1", Hex("1B 69")), 2);
    EXPECT_EQ(printer->Receive(2), Hex("1B 69"));
    settings = SettingsOf(*printer);
    EXPECT_EQ(cfgetospeed(&settings), speed_t(B921600));
    EXPECT_EQ(settings.c_iflag & (IXON | IXOFF), 0u);
    EXPECT_EQ(settings.c_cflag & CRTSCTS, 0u);
}

TEST(SerialSettingsDialog, ShowsTheStoredChoiceAndStoresTheNewOneOnOk) {
    QTemporaryDir dir;
    SetAppDirectory(dir.path().toStdString());
    std::ofstream(SettingsPath())
        << "[System]\r\nPort=0\r\n[COM2]\r\nBaudrate=19200\r\nFlowCtl=2\r\n";
    WhenModalOpens([](QWidget* modal) {
        auto* dialog = qobject_cast<SerialSettingsDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->BaudRateList()->currentText(), "19200");
        EXPECT_EQ(dialog->FlowControlList()->currentText(), "RTS/CTS");
        dialog->BaudRateList()->setCurrentText("115200");
        dialog->FlowControlList()->setCurrentText("DTR/DSR");
        QPushButton* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        ASSERT_NE(ok, nullptr);
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    RecordingMessages messages;
    EXPECT_EQ(CreateSystemPortDriver(SerialSettingsDialogFor(SettingsPath(), messages))
                  ->ShowCOMSettingDlg("COM2"),
              1);
    EXPECT_EQ(FileContents(SettingsPath()),
              "[System]\r\nPort=0\r\n[COM2]\r\nBaudrate=115200\r\nFlowCtl=3\r\n");
    EXPECT_TRUE(messages.shown.empty());
}

// A read-only settings file: the user is told, and the open port runs at the chosen speed.
TEST(SerialSettingsDialog, AChoiceTheFileCannotKeepIsReportedAndStillInForce) {
    QTemporaryDir dir;
    SetAppDirectory(dir.path().toStdString());
    const std::string settings = "[COM1]\nBaudrate=9600\n";
    std::ofstream(SettingsPath()) << settings;
    ASSERT_EQ(::chmod(SettingsPath().c_str(), 0444), 0);
    PseudoTerminal printer;
    RecordingMessages messages;
    LinuxPortDriver driver(BuildDeviceTable(ParsePortOverrides("COM1=" + printer.slavePath)),
                           PortTimeouts{}, SerialSettingsDialogFor(SettingsPath(), messages));
    ASSERT_EQ(driver.SetComParam("COM1", 9600, 8, 'N', 1, 0), 1);  // as selecting COM1 does
    WhenModalOpens([](QWidget* modal) {
        auto* dialog = qobject_cast<SerialSettingsDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->BaudRateList()->setCurrentText("19200");
        dialog->accept();
    });
    EXPECT_EQ(driver.ShowCOMSettingDlg("COM1"), 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              QString::fromUtf8("串口设置没有保存成功!\nPermission denied"));
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(FileContents(SettingsPath()), settings);
    const termios after = SettingsOf(printer);
    EXPECT_EQ(cfgetospeed(&after), speed_t(B19200));
    EXPECT_EQ(driver.LastErrorText("COM1"),
              "store settings " + printer.slavePath + ": Permission denied");
}

}  // namespace
}  // namespace quillora::test
