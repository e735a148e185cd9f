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

TEST(SerialSettingsDialog, SystemDriverShowsTheStoredChoiceStoresOnOkAndNothingOnCancel) {
    QTemporaryDir dir;
    SetAppDirectory(dir.path().toStdString());
    ASSERT_EQ(setenv("QUILLORA_PORTS", "COM1=/nonexistent/com1;COM2=/nonexistent/com2", 1), 0);
    const std::unique_ptr<PortDriver> driver = CreateSystemPortDriver();
    unsetenv("QUILLORA_PORTS");
    EXPECT_EQ(driver->GetCOMMax(), 2);

    WhenModalOpens([](QWidget* modal) {
        auto* dialog = qobject_cast<SerialSettingsDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->BaudRateList()->currentText(), "9600");
        EXPECT_EQ(dialog->FlowControlList()->currentText(), "无");
        dialog->BaudRateList()->setCurrentText("2400");
        Click(dialog, QDialogButtonBox::Cancel);
    });
    EXPECT_EQ(driver->ShowCOMSettingDlg("COM1"), 0);
    EXPECT_FALSE(std::ifstream(SettingsPath()).good());

    std::ofstream(SettingsPath())
        << "[System]\r\nPort=0\r\n[COM2]\r\nBaudrate=19200\r\nFlowCtl=2\r\n";
    WhenModalOpens([](QWidget* modal) {
        auto* dialog = qobject_cast<SerialSettingsDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->BaudRateList()->count(), 14);
        EXPECT_EQ(dialog->BaudRateList()->itemText(0), "1200");
        EXPECT_EQ(dialog->BaudRateList()->itemText(13), "921600");
        EXPECT_EQ(dialog->BaudRateList()->currentText(), "19200");
        EXPECT_EQ(dialog->FlowControlList()->count(), 4);
        EXPECT_EQ(dialog->FlowControlList()->currentText(), "RTS/CTS");
        dialog->BaudRateList()->setCurrentText("115200");
        dialog->FlowControlList()->setCurrentText("DTR/DSR");
        Click(dialog, QDialogButtonBox::Ok);
    });
    EXPECT_EQ(driver->ShowCOMSettingDlg("COM2"), 1);
    EXPECT_EQ(FileContents(SettingsPath()),
              "[System]\r\nPort=0\r\n[COM2]\r\nBaudrate=115200\r\nFlowCtl=3\r\n");
    QCoreApplication::processEvents();  // lets the last watcher release itself
    EXPECT_EQ(driver->ShowCOMSettingDlg("USB1"), 0);
    EXPECT_EQ(driver->LastErrorText("USB1"), "settings dialog USB1: not a serial port");
}

}  // namespace
}  // namespace quillora::test
