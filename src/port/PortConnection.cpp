#include "port/PortConnection.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace quillora {
namespace {

// Sets a counter to 0 now and again when the scope ends.
class ScopedReset {
public:
    explicit ScopedReset(std::atomic<std::int64_t>& counter) : counter_(counter) { counter_ = 0; }
    ~ScopedReset() { counter_ = 0; }
    ScopedReset(const ScopedReset&) = delete;
    ScopedReset& operator=(const ScopedReset&) = delete;

private:
    std::atomic<std::int64_t>& counter_;
};

}  // namespace

PortConnection::PortConnection(PortName name, ConnectionTarget target, const PortTimeouts& timeouts)
    : name_(std::move(name)), target_(std::move(target)), timeouts_(timeouts) {}

int PortConnection::Send(const std::uint8_t* data, int length) {
    std::lock_guard call(callMutex_);
    cancelRequested_ = false;
    // Counts only while the call runs: its caller adds the returned count itself.
    const ScopedReset progress(sendProgress_);
    if (data == nullptr || length <= 0) return 0;
    const Clock::time_point now = Clock::now();
    if (now < failFastUntil_ || !EnsureOpen()) return 0;

    bool reopened = false;
    // A reply that came too late for an earlier query must not answer the next one, and a
    // connection the other end has closed must be opened again before the write. A look
    // that found nothing stands in for the looks of the one-byte Sends in the next moment
    // (timeouts_.idleLook), so that a copy sent one byte per call makes one system call
    // each, the write. Longer sends always look: every query is longer than a byte, so none
    // goes out while a stale reply waits. A Read ends the standing look too.
    // TakesAtOnce's look vouches for the one Send after it, whatever its length.
    const bool lookStands = idleSeen_ && now - idleSeen_->at < timeouts_.idleLook &&
                            (std::exchange(idleSeen_->forAnySend, false) || length == 1);
    if (medium_ != Medium::File && !lookStands) {
        // Read errors other than a lost connection are left to the write to report: some
        // printer devices cannot be read at all.
        const IoOutcome stale = DiscardPendingInput(fd_.Get(), IoOptions());
        if (stale.peerClosed) {
            Close();
            reopened = true;
            if (!EnsureOpen()) return 0;
        } else if (stale.count == 0 && !stale.error) {
            idleSeen_ = IdleLook{now, false};
        }
    }

    std::size_t sent = 0;
    const auto total = static_cast<std::size_t>(length);
    for (;;) {
        const IoOutcome outcome =
            WriteAll(fd_.Get(), data + sent, total - sent, timeouts_.writeStall, IoOptions());
        sent += outcome.count;
        if (!outcome.error) {
            ClearError();
            return static_cast<int>(sent);
        }
        idleSeen_.reset();
        if (outcome.peerClosed) {
            Close();
            if (!reopened) {
                reopened = true;
                if (EnsureOpen()) continue;
                return static_cast<int>(sent);
            }
        }
        NoteError("write", outcome.error.message());
        if (outcome.error == std::errc::timed_out) FailFastFromNow();
        return static_cast<int>(sent);
    }
}

bool PortConnection::TakesAtOnce(int length) {
    const std::unique_lock call(callMutex_, std::try_to_lock);
    if (!call.owns_lock()) return false;
    idleSeen_.reset();  // an earlier look is out of date once this one is made
    const Clock::time_point now = Clock::now();
    if (length <= 0 || length > kAtOnceBytes || !fd_.Valid() || now < failFastUntil_) return false;
    // A plain file has no room to run out of; poll says nothing useful about one.
    if (medium_ == Medium::File) return true;
    if (IoOptions().gateOnDsr) return false;
    pollfd entry{fd_.Get(), POLLOUT | POLLIN | POLLRDHUP, 0};
    if (poll(&entry, 1, 0) != 1 || entry.revents != POLLOUT) return false;
    idleSeen_ = IdleLook{now, true};
    return true;
}

int PortConnection::Read(std::uint8_t* buffer, int count) {
    std::lock_guard call(callMutex_);
    // A reply asked for: what comes after this read gave up is the next Send's to discard.
    idleSeen_.reset();
    if (buffer == nullptr || count <= 0) return 0;
    if (!EnsureOpen()) return 0;
    if (medium_ == Medium::File) {
        NoteError("read", "a plain file gives no replies");
        return 0;
    }
    const auto wanted = static_cast<std::size_t>(count);
    const IoOutcome outcome = ReadUpTo(fd_.Get(), buffer, wanted, timeouts_.read, IoOptions());
    if (outcome.count == wanted) {
        ClearError();
    } else if (outcome.error == std::errc::timed_out) {
        NoteError("read", std::to_string(outcome.count) + " of " + std::to_string(wanted) +
                              " bytes within " + std::to_string(timeouts_.read.count()) + " ms");
    } else {
        NoteError("read", outcome.error ? outcome.error.message() : "closed by the other end");
    }
    if (outcome.peerClosed) Close();
    return static_cast<int>(outcome.count);
}

int PortConnection::Configure(const SerialParams& params, bool openIfClosed) {
    std::lock_guard call(callMutex_);
    if (target_.kind != PortKind::Serial) {
        NoteError("configure", "not a serial port");
        return 0;
    }
    if (const std::error_code invalid = ValidateSerialParams(params)) {
        NoteError("configure", invalid.message());
        return 0;
    }
    params_ = params;
    if (!fd_.Valid()) {
        if (openIfClosed && !EnsureOpen()) return 0;
    } else if (medium_ == Medium::Terminal) {
        if (const std::error_code error = ApplySerialParams(fd_.Get(), params_)) {
            NoteError("configure", error.message());
            return 0;
        }
    }
    ClearError();
    return 1;
}

std::string PortConnection::LastErrorText() const {
    std::lock_guard lock(errorMutex_);
    return lastError_;
}

void PortConnection::NoteError(std::string_view operation, const std::string& reason) {
    std::lock_guard lock(errorMutex_);
    lastError_ = operation.empty() ? std::string()
                                   : std::string(operation) + " " + Describe() + ": " + reason;
}

bool PortConnection::EnsureOpen() {
    if (fd_.Valid()) return true;
    if (FailingFast()) return false;

    std::error_code error;
    UniqueFd fd;
    const char* operation = "open";
    if (target_.kind == PortKind::Network) {
        operation = "connect";
        fd = ConnectTcp(target_.ipv4, kPrinterTcpPort, timeouts_.connect, error, &cancelRequested_);
        medium_ = Medium::Socket;
    } else if (target_.device.path.empty()) {
        error = std::make_error_code(std::errc::no_such_device);
    } else {
        fd = OpenDevice(target_.device.path, target_.device.createIfMissing, error);
        struct stat status {};
        if (!error && fstat(fd.Get(), &status) != 0) error = LastOsError();
        if (!error) {
            medium_ = S_ISREG(status.st_mode) ? Medium::File
                      : isatty(fd.Get())      ? Medium::Terminal
                                              : Medium::Device;
        }
        // A plain file standing in for a printer collects everything sent to it.
        if (!error && medium_ == Medium::File &&
            fcntl(fd.Get(), F_SETFL, fcntl(fd.Get(), F_GETFL) | O_APPEND) != 0) {
            error = LastOsError();
        }
        // Raw mode for every terminal, so bytes pass unchanged even before SetComParam.
        if (!error && medium_ == Medium::Terminal) {
            operation = "configure";
            error = ApplySerialParams(fd.Get(), params_);
        }
    }
    if (error) {
        NoteError(operation, error.message());
        // A cancelled connect says nothing about the printer.
        if (error != std::errc::operation_canceled) FailFastFromNow();
        return false;
    }
    fd_ = std::move(fd);
    return true;
}

std::string PortConnection::Describe() const {
    if (target_.kind == PortKind::Network) {
        in_addr address{htonl(target_.ipv4)};
        char text[INET_ADDRSTRLEN] = {};
        inet_ntop(AF_INET, &address, text, sizeof text);
        return std::string(text) + ":" + std::to_string(kPrinterTcpPort);
    }
    if (!target_.device.path.empty()) return target_.device.path;
    return name_.empty() ? std::string("(no port)") : name_;
}

FdIoOptions PortConnection::IoOptions() {
    return {medium_ == Medium::Socket,
            medium_ == Medium::Terminal && params_.flowControl == kFlowDtrDsr, &cancelRequested_,
            &sendProgress_};
}

}  // namespace quillora
