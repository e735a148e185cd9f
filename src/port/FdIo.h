#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <system_error>

#include "platform/OsError.h"
#include "platform/UniqueFd.h"

namespace quillora {

// Opens a device (or its stand-in) for reading and writing, non-blocking, never as the
// controlling terminal; symbolic links are followed. With `createIfMissing` a missing
// path becomes an empty file, and writes to a plain file append.
UniqueFd OpenDevice(const std::string& path, bool createIfMissing, std::error_code& error);

// A non-blocking TCP connection to ipv4:port (host byte order) with Nagle's delay off.
// Gives up with std::errc::timed_out when the handshake has not finished within `timeout`,
// with std::errc::operation_canceled soon after `cancel` (when given) is set.
UniqueFd ConnectTcp(std::uint32_t ipv4, std::uint16_t port, std::chrono::milliseconds timeout,
                    std::error_code& error, const std::atomic<bool>* cancel = nullptr);

// How a descriptor is read and written.
struct FdIoOptions {
    bool socket = false;     // send/recv with MSG_NOSIGNAL instead of write/read
    bool gateOnDsr = false;  // writes wait while DsrHoldsBack
    // Looked at while a write waits: once set, the write ends within kCancelPollInterval
    // with std::errc::operation_canceled; what was taken stays taken.
    const std::atomic<bool>* cancel = nullptr;
    // Every byte a write hands over is added here at once, for a watcher on another thread.
    std::atomic<std::int64_t>* progress = nullptr;
};

// The longest a waiting write goes without looking at its cancel flag.
inline constexpr std::chrono::milliseconds kCancelPollInterval{50};

struct IoOutcome {
    std::size_t count = 0;    // bytes moved
    std::error_code error;    // what stopped the call early
    bool peerClosed = false;  // the other end has gone (EOF, hang-up, reset)
};

// Writes every byte, waiting with poll while the connection takes none; gives up when no
// byte has been taken for `stallTimeout` (std::errc::timed_out).
IoOutcome WriteAll(int fd, const std::uint8_t* data, std::size_t length,
                   std::chrono::milliseconds stallTimeout, const FdIoOptions& options);

// Reads until `count` bytes have arrived, the other end has gone, or `timeout` has passed
// since the call began (std::errc::timed_out).
IoOutcome ReadUpTo(int fd, std::uint8_t* buffer, std::size_t count,
                   std::chrono::milliseconds timeout, const FdIoOptions& options);

// Throws away whatever input is already waiting, without waiting for more. `count` is the
// number of bytes dropped.
IoOutcome DiscardPendingInput(int fd, const FdIoOptions& options);

// Errors after which the connection is of no more use and a new one may succeed.
bool IsConnectionLost(const std::error_code& error);

}  // namespace quillora
