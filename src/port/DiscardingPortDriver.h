#pragma once

#include <string>

#include "port/PortDriver.h"

namespace quillora {

// Takes every send whole and at once, sends it nowhere, and never replies; there are no
// COM, LPT or USB ports. For quillora-cli --port none, whose bytes are only drawn, and for
// timing what lies above a driver.
class DiscardingPortDriver final : public PortDriver {
public:
    int GetCOMMax() override { return 0; }
    int GetLPTMax() override { return 0; }
    int GetUSBPort() override { return 0; }
    int SetComParam(const PortName&, int, int, int, int, int) override { return 0; }
    int ShowCOMSettingDlg(const PortName&) override { return 0; }
    int SendData(const PortName&, const std::uint8_t*, int length) override { return length; }
    int ReadData(const PortName&, std::uint8_t*, int) override { return 0; }
    std::string LastErrorText(const PortName&) const override {
        return "nothing is sent, so no printer replies";
    }
    bool TakesAtOnce(const PortName&, int) override { return true; }
};

}  // namespace quillora
