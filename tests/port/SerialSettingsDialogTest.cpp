#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "PortTestSupport.h"
#include "app/AppPaths.h"
#include "port/SerialSettingsDialog.h"
#include "port/SystemPortDriver.h"
#include "support/DialogHarness.h"

namespace quillora::test {
namespace {

void Click(QWidget* dialog, QDialogButtonBox::StandardButton which) {
    QPushButton* button = dialog->findChild<QDialogButtonBox*>()->button(which);
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
}

TEST(SerialSettingsDialog, ShowsTheStoredChoiceStoresOnOkAndNothingOnCancel) {
    QTemporaryDir dir;
    const std::string settings = dir.filePath("Option.ini").toStdString();
    SerialSettingsDialog fresh("COM1", settings);
    EXPECT_EQ(fresh.BaudRateList()->currentText(), "9600");
    EXPECT_EQ(fresh.FlowControlList()->currentText(), "无");
    fresh.BaudRateList()->setCurrentText("2400");
    Click(&fresh, QDialogButtonBox::Cancel);
    EXPECT_EQ(fresh.result(), QDialog::Rejected);
    EXPECT_FALSE(std::ifstream(settings).good());

    std::ofstream(settings) << "[System]\r\nPort=0\r\n[COM2]\r\nBaudrate=19200\r\nFlowCtl=2\r\n";
    SerialSettingsDialog dialog("COM2", settings);
    EXPECT_EQ(dialog.BaudRateList()->count(), 14);
    EXPECT_EQ(dialog.BaudRateList()->itemText(0), "1200");
    EXPECT_EQ(dialog.BaudRateList()->itemText(13), "921600");
    EXPECT_EQ(dialog.BaudRateList()->currentText(), "19200");
    EXPECT_EQ(dialog.FlowControlList()->count(), 4);
    EXPECT_EQ(dialog.FlowControlList()->currentText(), "RTS/CTS");
    dialog.BaudRateList()->setCurrentText("115200");
    dialog.FlowControlList()->setCurrentText("DTR/DSR");
    Click(&dialog, QDialogButtonBox::Ok);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.StoreError());
    EXPECT_EQ(FileContents(settings),
              "[System]\r\nPort=0\r\n[COM2]\r\nBaudrate=115200\r\nFlowCtl=3\r\n");
}

TEST(SerialSettingsDialog, SystemDriverShowsItForSerialPortsOnly) {
    QTemporaryDir dir;
    SetAppDirectory(dir.path().toStdString());
    ASSERT_EQ(setenv("QUILLORA_PORTS", "COM1=/nonexistent/com1", 1), 0);
    const std::unique_ptr<PortDriver> driver = CreateSystemPortDriver();
    unsetenv("QUILLORA_PORTS");
    EXPECT_EQ(driver->GetCOMMax(), 1);

    WhenModalOpens([](QWidget* modal) {
        auto* dialog = qobject_cast<SerialSettingsDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->BaudRateList()->setCurrentText("57600");
        dialog->FlowControlList()->setCurrentIndex(1);
        Click(dialog, QDialogButtonBox::Ok);
    });
    EXPECT_EQ(driver->ShowCOMSettingDlg("COM1"), 1);
    EXPECT_EQ(FileContents(SettingsPath()), "[COM1]\r\nBaudrate=57600\r\nFlowCtl=1\r\n");
    WhenModalOpens([](QWidget* modal) { Click(modal, QDialogButtonBox::Cancel); });
    EXPECT_EQ(driver->ShowCOMSettingDlg("COM1"), 0);
    QCoreApplication::processEvents();  // lets the last watcher release itself
    EXPECT_EQ(driver->ShowCOMSettingDlg("USB1"), 0);
    EXPECT_EQ(driver->LastErrorText("USB1"), "settings dialog USB1: not a serial port");
}

}  // namespace
}  // namespace quillora::test
