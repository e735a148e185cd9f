#include "port/SerialParams.h"

#include <sys/ioctl.h>
#include <termios.h>

#include <algorithm>
#include <array>
#include <utility>

#include "platform/OsError.h"

namespace quillora {
namespace {

constexpr std::array<std::pair<int, speed_t>, 14> kBaudConstants{{
    {1200, B1200},
    {1800, B1800},
    {2400, B2400},
    {4800, B4800},
    {9600, B9600},
    {19200, B19200},
    {38400, B38400},
    {57600, B57600},
    {115200, B115200},
    {230400, B230400},
    {460800, B460800},
    {500000, B500000},
    {576000, B576000},
    {921600, B921600},
}};

speed_t BaudConstant(int baudRate) {
    for (const auto& [rate, constant] : kBaudConstants) {
        if (rate == baudRate) return constant;
    }
    return B0;
}

tcflag_t CharacterSize(int dataBits) {
    switch (dataBits) {
        case 5:
            return CS5;
        case 6:
            return CS6;
        case 7:
            return CS7;
        default:
            return CS8;
    }
}

}  // namespace

const std::vector<int>& StandardBaudRates() {
    static const std::vector<int> kRates = [] {
        std::vector<int> rates;
        for (const auto& entry : kBaudConstants) rates.push_back(entry.first);
        return rates;
    }();
    return kRates;
}

std::error_code ValidateSerialParams(const SerialParams& params) {
    const bool valid = BaudConstant(params.baudRate) != B0 && params.dataBits >= 5 &&
                       params.dataBits <= 8 &&
                       (params.parity == 'N' || params.parity == 'E' || params.parity == 'O') &&
                       (params.stopBits == 1 || params.stopBits == 2) &&
                       params.flowControl >= kFlowNone && params.flowControl <= kFlowDtrDsr;
    return valid ? std::error_code{} : std::make_error_code(std::errc::invalid_argument);
}

std::error_code ApplySerialParams(int fd, const SerialParams& params) {
    if (const std::error_code invalid = ValidateSerialParams(params)) return invalid;
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) return LastOsError();
    cfmakeraw(&settings);
    settings.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    settings.c_cflag |= CLOCAL | CREAD | CharacterSize(params.dataBits);
    if (params.parity != 'N') settings.c_cflag |= PARENB;
    if (params.parity == 'O') settings.c_cflag |= PARODD;
    if (params.stopBits == 2) settings.c_cflag |= CSTOPB;
    settings.c_iflag &= ~(IXON | IXOFF | IXANY);
    if (params.flowControl == kFlowXonXoff) settings.c_iflag |= IXON | IXOFF;
    if (params.flowControl == kFlowRtsCts) settings.c_cflag |= CRTSCTS;
    // Reads are bounded by poll, never by the terminal. VMIN 1 makes an empty non-blocking
    // read fail with EAGAIN; with 0 it would return 0, which reads as a hang-up.
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    const speed_t speed = BaudConstant(params.baudRate);
    cfsetispeed(&settings, speed);
    cfsetospeed(&settings, speed);
    if (tcsetattr(fd, TCSANOW, &settings) != 0) return LastOsError();

    // tcsetattr succeeds when any part was taken; a UART that cannot do the speed keeps
    // its old one, which would garble every byte.
    termios applied{};
    if (tcgetattr(fd, &applied) != 0) return LastOsError();
    if (cfgetospeed(&applied) != speed) return std::make_error_code(std::errc::invalid_argument);
    return {};
}

}  // namespace quillora
