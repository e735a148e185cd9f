#include "port/SystemPortDriver.h"

#include <QApplication>

#include "app/AppPaths.h"
#include "port/LinuxPortDriver.h"
#include "port/SerialSettingsDialog.h"

namespace quillora {

std::unique_ptr<PortDriver> CreateSystemPortDriver() {
    return std::make_unique<LinuxPortDriver>(
        SystemDeviceTable(), PortTimeouts{},
        [](const PortName& port) -> std::optional<std::error_code> {
            SerialSettingsDialog dialog(port, SettingsPath(), QApplication::activeWindow());
            if (dialog.exec() != QDialog::Accepted) return std::nullopt;
            return dialog.StoreError();
        });
}

}  // namespace quillora
