#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>

#include "port/DeviceTable.h"
#include "port/PortConnection.h"
#include "port/PortDriver.h"
#include "port/SerialParams.h"

namespace quillora {

// The port driver on Linux: COMn, LPTn and USBn are the devices of a DeviceTable, a dotted
// IPv4 name is a raw TCP connection to port 9100 of that address. Each name keeps one
// connection, opened on first use and closed when the driver goes.
class LinuxPortDriver final : public PortDriver {
public:
    // What OK in the serial-settings dialog chose, and what storing it came to.
    struct SettingsChoice {
        int baudRate = 9600;
        int flowControl = kFlowNone;
        std::error_code storeError;
    };
    // Shows the serial-settings dialog for a port and stores the choice; nullopt when the
    // user cancelled.
    using SettingsDialog = std::function<std::optional<SettingsChoice>(const PortName&)>;

    LinuxPortDriver(DeviceTable devices, const PortTimeouts& timeouts,
                    SettingsDialog settingsDialog);

    int GetCOMMax() override { return Count(devices_.serial); }
    int GetLPTMax() override { return Count(devices_.parallel); }
    int GetUSBPort() override { return Count(devices_.usb); }
    int SetComParam(const PortName& port, int baudRate, int dataBits, int parity, int stopBits,
                    int flowControl) override;
    int ShowCOMSettingDlg(const PortName& port) override;
    int SendData(const PortName& port, const std::uint8_t* data, int length) override;
    int ReadData(const PortName& port, std::uint8_t* buffer, int count) override;
    std::string LastErrorText(const PortName& port) const override;
    void CancelSend(const PortName& port) override;
    std::int64_t SendProgress(const PortName& port) const override;
    bool TakesAtOnce(const PortName& port, int length) override;

private:
    // The connection of `port` if it has been used; nullptr otherwise.
    PortConnection* ExistingConnection(const PortName& port) const;
    static int Count(const DeviceList& devices) { return static_cast<int>(devices.size()); }
    PortConnection& Connection(const PortName& port);

    const DeviceTable devices_;
    const PortTimeouts timeouts_;
    const SettingsDialog settingsDialog_;

    mutable std::mutex connectionsMutex_;
    // Entries are never removed, so a reference stays valid while its call runs.
    std::map<PortName, std::unique_ptr<PortConnection>> connections_;
};

}  // namespace quillora
