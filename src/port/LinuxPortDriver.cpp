#include "port/LinuxPortDriver.h"

#include <utility>

namespace quillora {

LinuxPortDriver::LinuxPortDriver(DeviceTable devices, const PortTimeouts& timeouts,
                                 SettingsDialog settingsDialog)
    : devices_(std::move(devices)),
      timeouts_(timeouts),
      settingsDialog_(std::move(settingsDialog)) {}

int LinuxPortDriver::SetComParam(const PortName& port, int baudRate, int dataBits, int parity,
                                 int stopBits, int flowControl) {
    return Connection(port).Configure({baudRate, dataBits, parity, stopBits, flowControl});
}

int LinuxPortDriver::ShowCOMSettingDlg(const PortName& port) {
    if (ParsePortName(port).kind != PortKind::Serial) {
        Connection(port).NoteError("settings dialog", "not a serial port");
        return 0;
    }
    if (!settingsDialog_) {
        Connection(port).NoteError("settings dialog", "none in this driver");
        return 0;
    }
    const std::optional<SettingsChoice> choice = settingsDialog_(port);
    if (!choice) return 0;
    // OK puts the choice in force on the port at once, stored or not: a technician who
    // picked the printer's speed means to print at it now, even where the settings file
    // cannot keep it for the next start. An unopened port takes it when it opens.
    PortConnection& connection = Connection(port);
    SerialParams params;
    params.baudRate = choice->baudRate;
    params.flowControl = choice->flowControl;
    const int applied = connection.Configure(params, false);
    if (choice->storeError) {
        connection.NoteError("store settings", choice->storeError.message());
        return 0;
    }
    return applied;
}

int LinuxPortDriver::SendData(const PortName& port, const std::uint8_t* data, int length) {
    return Connection(port).Send(data, length);
}

int LinuxPortDriver::ReadData(const PortName& port, std::uint8_t* buffer, int count) {
    return Connection(port).Read(buffer, count);
}

std::string LinuxPortDriver::LastErrorText(const PortName& port) const {
    const PortConnection* connection = ExistingConnection(port);
    return connection ? connection->LastErrorText() : std::string();
}

void LinuxPortDriver::CancelSend(const PortName& port) {
    if (PortConnection* connection = ExistingConnection(port)) connection->CancelSend();
}

std::int64_t LinuxPortDriver::SendProgress(const PortName& port) const {
    const PortConnection* connection = ExistingConnection(port);
    return connection ? connection->SendProgress() : 0;
}

bool LinuxPortDriver::TakesAtOnce(const PortName& port, int length) {
    // A connection not opened yet is not: opening may wait for a handshake.
    PortConnection* connection = ExistingConnection(port);
    return connection != nullptr && connection->TakesAtOnce(length);
}

PortConnection* LinuxPortDriver::ExistingConnection(const PortName& port) const {
    std::lock_guard lock(connectionsMutex_);
    const auto found = connections_.find(port);
    return found == connections_.end() ? nullptr : found->second.get();
}

PortConnection& LinuxPortDriver::Connection(const PortName& port) {
    std::lock_guard lock(connectionsMutex_);
    std::unique_ptr<PortConnection>& connection = connections_[port];
    if (!connection) {
        const PortAddress address = ParsePortName(port);
        ConnectionTarget target{address.kind, {}, address.ipv4};
        if (const DevicePath* device = devices_.Find(address.kind, address.number)) {
            target.device = *device;
        }
        connection = std::make_unique<PortConnection>(port, std::move(target), timeouts_);
    }
    return *connection;
}

}  // namespace quillora
