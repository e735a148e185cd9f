#include "port/SystemPortDriver.h"

namespace quillora {

std::unique_ptr<PortDriver> CreateSystemPortDriver(LinuxPortDriver::SettingsDialog settingsDialog) {
    return std::make_unique<LinuxPortDriver>(SystemDeviceTable(), PortTimeouts{},
                                             std::move(settingsDialog));
}

}  // namespace quillora
