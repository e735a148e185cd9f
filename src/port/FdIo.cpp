#include "port/FdIo.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <thread>
#include <utility>

#include "port/ModemLines.h"

namespace quillora {
namespace {

using Clock = std::chrono::steady_clock;

// Some drivers (the parallel-port printer among them) have no poll of their own and
// always report ready; a short sleep keeps such a wait from spinning.
constexpr std::chrono::milliseconds kBusyBackoff{5};

int MillisecondsUntil(Clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    return static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
}

ssize_t WriteSome(int fd, const std::uint8_t* data, std::size_t length,
                  const FdIoOptions& options) {
    return options.socket ? send(fd, data, length, MSG_NOSIGNAL) : write(fd, data, length);
}

ssize_t ReadSome(int fd, std::uint8_t* buffer, std::size_t length, const FdIoOptions& options) {
    return options.socket ? recv(fd, buffer, length, 0) : read(fd, buffer, length);
}

bool IsSet(const std::atomic<bool>* flag) {
    return flag != nullptr && flag->load(std::memory_order_relaxed);
}

// Waits until `fd` reports `events`. Returns false when the deadline passed
// (std::errc::timed_out), `cancel` was set (std::errc::operation_canceled) or poll failed,
// with `error` telling which.
bool WaitFor(int fd, short events, Clock::time_point deadline, std::error_code& error,
             const std::atomic<bool>* cancel) {
    for (;;) {
        if (IsSet(cancel)) {
            error = std::make_error_code(std::errc::operation_canceled);
            return false;
        }
        int wait = MillisecondsUntil(deadline);
        if (cancel != nullptr) wait = std::min(wait, int(kCancelPollInterval.count()));
        pollfd entry{fd, events, 0};
        const int ready = poll(&entry, 1, wait);
        if (ready > 0) return true;
        if (ready == 0) {
            if (Clock::now() < deadline) continue;
            error = std::make_error_code(std::errc::timed_out);
            return false;
        }
        if (errno != EINTR) {
            error = LastOsError();
            return false;
        }
    }
}

// WaitFor after a call that found nothing to do. A device whose poll said ready the last
// time without anything coming of it is given a short pause first.
bool WaitAgain(int fd, short events, Clock::time_point deadline, bool& pollSaidReady,
               std::error_code& error, const std::atomic<bool>* cancel = nullptr) {
    if (pollSaidReady) std::this_thread::sleep_for(kBusyBackoff);
    pollSaidReady = WaitFor(fd, events, deadline, error, cancel);
    return pollSaidReady;
}

bool IsWouldBlock(int error) {
    return error == EAGAIN || error == EWOULDBLOCK;
}

enum class ReadStep { Data, Empty, Stop };

// One read, added to `outcome`: Data when bytes came, Empty when none are waiting, Stop
// when the other end has gone or an error ended reading.
ReadStep ReadOnce(int fd, std::uint8_t* buffer, std::size_t length, const FdIoOptions& options,
                  IoOutcome& outcome) {
    for (;;) {
        const ssize_t got = ReadSome(fd, buffer, length, options);
        if (got > 0) {
            outcome.count += static_cast<std::size_t>(got);
            return ReadStep::Data;
        }
        if (got == 0) {
            outcome.peerClosed = true;
            return ReadStep::Stop;
        }
        if (errno == EINTR) continue;
        if (IsWouldBlock(errno)) return ReadStep::Empty;
        outcome.error = LastOsError();
        outcome.peerClosed = IsConnectionLost(outcome.error);
        return ReadStep::Stop;
    }
}

}  // namespace

UniqueFd OpenDevice(const std::string& path, bool createIfMissing, std::error_code& error) {
    int flags = O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC;
    if (createIfMissing) flags |= O_CREAT | O_APPEND;
    UniqueFd fd(open(path.c_str(), flags, 0666));
    error = fd.Valid() ? std::error_code{} : LastOsError();
    return fd;
}

UniqueFd ConnectTcp(std::uint32_t ipv4, std::uint16_t port, std::chrono::milliseconds timeout,
                    std::error_code& error, const std::atomic<bool>* cancel) {
    const Clock::time_point deadline = Clock::now() + timeout;
    UniqueFd fd(socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!fd.Valid()) {
        error = LastOsError();
        return {};
    }
    const int on = 1;
    // Status queries are a few bytes that must leave at once.
    setsockopt(fd.Get(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(ipv4);
    if (connect(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        if (errno != EINPROGRESS) {
            error = LastOsError();
            return {};
        }
        if (!WaitFor(fd.Get(), POLLOUT, deadline, error, cancel)) return {};
        int result = 0;
        socklen_t size = sizeof result;
        if (getsockopt(fd.Get(), SOL_SOCKET, SO_ERROR, &result, &size) != 0) result = errno;
        if (result != 0) {
            error = {result, std::system_category()};
            return {};
        }
    }
    error = {};
    return fd;
}

IoOutcome WriteAll(int fd, const std::uint8_t* data, std::size_t length,
                   std::chrono::milliseconds stallTimeout, const FdIoOptions& options) {
    IoOutcome outcome;
    Clock::time_point deadline = Clock::now() + stallTimeout;
    bool pollSaidReady = false;
    while (outcome.count < length) {
        if (IsSet(options.cancel)) {
            outcome.error = std::make_error_code(std::errc::operation_canceled);
            return outcome;
        }
        if (options.gateOnDsr && DsrHoldsBack(fd)) {
            if (Clock::now() >= deadline) {
                outcome.error = std::make_error_code(std::errc::timed_out);
                return outcome;
            }
            std::this_thread::sleep_for(kBusyBackoff);
            continue;
        }
        const ssize_t written =
            WriteSome(fd, data + outcome.count, length - outcome.count, options);
        if (written > 0) {
            outcome.count += static_cast<std::size_t>(written);
            if (options.progress != nullptr) options.progress->fetch_add(written);
            deadline = Clock::now() + stallTimeout;
            pollSaidReady = false;
            continue;
        }
        if (written < 0 && errno == EINTR) continue;
        if (written < 0 && !IsWouldBlock(errno)) {
            outcome.error = LastOsError();
            outcome.peerClosed = IsConnectionLost(outcome.error);
            return outcome;
        }
        if (!WaitAgain(fd, POLLOUT, deadline, pollSaidReady, outcome.error, options.cancel)) {
            return outcome;
        }
    }
    return outcome;
}

IoOutcome ReadUpTo(int fd, std::uint8_t* buffer, std::size_t count,
                   std::chrono::milliseconds timeout, const FdIoOptions& options) {
    IoOutcome outcome;
    const Clock::time_point deadline = Clock::now() + timeout;
    bool pollSaidReady = false;
    while (outcome.count < count) {
        const ReadStep step =
            ReadOnce(fd, buffer + outcome.count, count - outcome.count, options, outcome);
        if (step == ReadStep::Stop) return outcome;
        if (step == ReadStep::Data) {
            pollSaidReady = false;
            continue;
        }
        if (!WaitAgain(fd, POLLIN, deadline, pollSaidReady, outcome.error)) return outcome;
    }
    return outcome;
}

IoOutcome DiscardPendingInput(int fd, const FdIoOptions& options) {
    // Bounded, so a device that never stops talking cannot hold the caller.
    constexpr std::size_t kMostDiscarded = 1 << 20;
    std::array<std::uint8_t, 4096> scratch;
    IoOutcome outcome;
    while (outcome.count < kMostDiscarded &&
           ReadOnce(fd, scratch.data(), scratch.size(), options, outcome) == ReadStep::Data) {
    }
    return outcome;
}

bool IsConnectionLost(const std::error_code& error) {
    if (error.category() != std::system_category()) return false;
    switch (error.value()) {
        case EPIPE:
        case ECONNRESET:
        case ECONNABORTED:
        case ENOTCONN:
        case EIO:  // a pseudo-terminal whose other side has closed
        case ENXIO:
        case ENODEV:  // a USB device that was unplugged
            return true;
        default:
            return false;
    }
}

}  // namespace quillora
