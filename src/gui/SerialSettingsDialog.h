#pragma once

#include <QDialog>
#include <string>
#include <system_error>

#include "port/LinuxPortDriver.h"
#include "port/PortDriver.h"

class QComboBox;

namespace quillora {

class MessageService;

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
// window, storing to `settingsPath`. A choice the file could not keep is reported through
// `messages`, as the IP settings are: the driver only returns its count.
LinuxPortDriver::SettingsDialog SerialSettingsDialogFor(std::string settingsPath,
                                                        MessageService& messages);

}  // namespace quillora
