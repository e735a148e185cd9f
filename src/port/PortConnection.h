#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "port/DeviceTable.h"
#include "port/FdIo.h"
#include "port/PortDriver.h"
#include "port/SerialParams.h"

namespace quillora {

struct PortTimeouts {
    std::chrono::milliseconds connect{3000};
    // A write that takes no byte for this long gives up (printer out of paper, a USB
    // printer that stopped reading).
    std::chrono::milliseconds writeStall{10000};
    // The longest a ReadData call waits for its bytes.
    std::chrono::milliseconds read{1000};
    // After a port could not be opened or a write stalled, SendData on it fails at once
    // for this long, so a copy sent one byte per call to a dead printer ends promptly.
    std::chrono::milliseconds failFast{1000};
    // How long a look that found no input waiting stands in for the look of each one-byte
    // Send made after it (see PortConnection::Send).
    std::chrono::milliseconds idleLook{1};
};

// The longest send that TakesAtOnce vouches for. A terminal reports room for writing only
// while fewer than 256 bytes wait in its output buffer, with kilobytes free behind them, and
// a socket only while a third of its buffer is free.
inline constexpr int kAtOnceBytes = 256;

// Where a connection leads: a device path for COM, LPT and USB names, an IPv4 address for
// network names; neither for a name with no device behind it.
struct ConnectionTarget {
    PortKind kind = PortKind::None;
    DevicePath device;
    std::uint32_t ipv4 = 0;
};

// One named connection: opened on first use and kept open, reopened once within a call
// when the other end has gone. Every call holds the connection's lock throughout.
class PortConnection {
public:
    PortConnection(PortName name, ConnectionTarget target, const PortTimeouts& timeouts);

    int Send(const std::uint8_t* data, int length);
    // From another thread: the Send under way stops waiting within kCancelPollInterval and
    // returns what was taken. A Send that starts later is not affected.
    void CancelSend() { cancelRequested_ = true; }
    // Bytes taken so far by the Send under way; 0 when none runs.
    std::int64_t SendProgress() const { return sendProgress_.load(); }
    // True when a Send of `length` bytes (at most kAtOnceBytes) would take them all without
    // waiting: open, no call under way, not failing fast, no input waiting (which the Send
    // would first have to read, and which may be the other end's goodbye) and room to write.
    bool TakesAtOnce(int length);
    int Read(std::uint8_t* buffer, int count);
    // Serial settings, in force from now on and at every reopening. A closed port is opened
    // for them, unless `openIfClosed` is false: then they wait for the next opening.
    int Configure(const SerialParams& params, bool openIfClosed = true);

    // "<operation> <device or address>: <reason>" of the last call that failed; "" after
    // a call that succeeded.
    std::string LastErrorText() const;
    void NoteError(std::string_view operation, const std::string& reason);

private:
    enum class Medium { Terminal, File, Device, Socket };
    using Clock = std::chrono::steady_clock;

    bool EnsureOpen();
    void Close() {
        fd_.Reset();
        idleSeen_.reset();
    }
    bool FailingFast() const { return Clock::now() < failFastUntil_; }
    void FailFastFromNow() { failFastUntil_ = Clock::now() + timeouts_.failFast; }
    void ClearError() { NoteError({}, {}); }
    std::string Describe() const;
    FdIoOptions IoOptions();

    const PortName name_;
    const ConnectionTarget target_;
    const PortTimeouts timeouts_;

    // Outside the call lock: they are for other threads while a Send holds it.
    std::atomic<bool> cancelRequested_{false};
    std::atomic<std::int64_t> sendProgress_{0};

    std::mutex callMutex_;
    UniqueFd fd_;
    Medium medium_ = Medium::Device;
    SerialParams params_;
    Clock::time_point failFastUntil_{};
    // When a look last found no input waiting. The Sends after it need not look again
    // while it stands: that look is the one they would have made, a moment earlier. A
    // TakesAtOnce's look stands for the next Send of any length, a Send's own for one-byte
    // Sends only. A Read, a failed write and closing clear it; a look that finds input or a
    // closed connection does not renew it.
    struct IdleLook {
        Clock::time_point at;
        bool forAnySend = false;  // made by TakesAtOnce and not yet used
    };
    std::optional<IdleLook> idleSeen_;

    mutable std::mutex errorMutex_;
    std::string lastError_;
};

}  // namespace quillora
