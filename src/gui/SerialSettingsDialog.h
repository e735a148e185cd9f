#pragma once

#include <QDialog>
#include <string>
#include <system_error>

#include "port/LinuxPortDriver.h"
#include "port/PortDriver.h"

class QComboBox;

namespace quillora {

// The port driver's serial-settings dialog: baud rate and flow control of one port, read
// from and stored to "Baudrate" and "FlowCtl" of the port's section of the settings file.
class SerialSettingsDialog : public QDialog {
    Q_OBJECT

public:
    SerialSettingsDialog(PortName port, std::string settingsPath, QWidget* parent = nullptr);

    QComboBox* BaudRateList() const { return baudRates_; }
    QComboBox* FlowControlList() const { return flowControls_; }
    // The error that stopped OK from storing the choice; the dialog closes all the same.
    std::error_code StoreError() const { return storeError_; }

    void accept() override;

private:
    const PortName port_;
    const std::string settingsPath_;
    QComboBox* baudRates_;
    QComboBox* flowControls_;
    std::error_code storeError_;
};

// What the system port driver's ShowCOMSettingDlg shows: this dialog over the active
// window, storing to `settingsPath`.
LinuxPortDriver::SettingsDialog SerialSettingsDialogFor(std::string settingsPath);

}  // namespace quillora
