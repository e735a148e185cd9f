// Placeholder until the Linux backend lands: counts no ports and writes nothing.
#include "port/PortDriver.h"

namespace quillora {
namespace {

class NoPortDriver final : public PortDriver {
public:
    int GetCOMMax() override { return 0; }
    int GetLPTMax() override { return 0; }
    int GetUSBPort() override { return 0; }
    int SetComParam(const PortName&, int, int, int, int, int) override { return 0; }
    int ShowCOMSettingDlg(const PortName&) override { return 0; }
    int SendData(const PortName&, const std::uint8_t*, int) override { return 0; }
    int ReadData(const PortName&, std::uint8_t*, int) override { return 0; }
    std::string LastErrorText(const PortName&) const override { return "no port driver"; }
};

}  // namespace

std::unique_ptr<PortDriver> CreateSystemPortDriver() { return std::make_unique<NoPortDriver>(); }

}  // namespace quillora
