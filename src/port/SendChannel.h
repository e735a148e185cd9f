#pragma once

#include <cstdint>

#include "port/PortDriver.h"

namespace quillora {

// What a test's SendData calls came to.
struct SendTally {
    std::int64_t taken = 0;  // bytes the driver took, over all calls
    std::int64_t total = 0;  // bytes the test meant to send
    bool cancelled = false;  // the user stopped it before every byte was taken

    bool Complete() const { return taken >= total; }
    SendTally& operator+=(const SendTally& other) {
        taken += other.taken;
        total += other.total;
        cancelled = cancelled || other.cancelled;
        return *this;
    }
};

// One test's SendData calls on its port, wherever they are made: by a background job that
// the window can cancel, or straight on the caller's thread (the command-line runner, the
// continuous worker). The bytes and the calls are the same either way.
class SendChannel {
public:
    virtual ~SendChannel() = default;
    // SendData's count.
    virtual int Send(const std::uint8_t* data, int length) = 0;
};

// The driver called directly, on the caller's thread.
class DirectChannel final : public SendChannel {
public:
    DirectChannel(PortDriver& ports, PortName port) : ports_(ports), port_(std::move(port)) {}
    int Send(const std::uint8_t* data, int length) override {
        return ports_.SendData(port_, data, length);
    }

private:
    PortDriver& ports_;
    const PortName port_;
};

}  // namespace quillora
