#pragma once

#include <memory>

#include "port/LinuxPortDriver.h"

namespace quillora {

// The driver for this system's ports (discovery, or QUILLORA_PORTS where it names a kind).
// `settingsDialog` is what its ShowCOMSettingDlg shows: start-up hands it the window's serial
// settings dialog; without one that call is refused.
std::unique_ptr<PortDriver> CreateSystemPortDriver(
    LinuxPortDriver::SettingsDialog settingsDialog = {});

}  // namespace quillora
