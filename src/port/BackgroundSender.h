#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "port/PortDriver.h"
#include "port/SendChannel.h"

namespace quillora {

// The driver as one job sees it: SendData calls on the job's port, counted. Once the job
// is cancelled no further call is made.
class SendSession final : public SendChannel {
public:
    // SendData's count, or 0 without a call once cancelled.
    int Send(const std::uint8_t* data, int length) override;
    bool Cancelled() const { return cancel_.load(); }

private:
    friend class BackgroundSender;
    SendSession(PortDriver& ports, const std::atomic<bool>& cancel)
        : ports_(ports), cancel_(cancel) {}

    PortDriver& ports_;
    const std::atomic<bool>& cancel_;
    PortName port_;
    std::atomic<std::int64_t> taken_{0};
};

// A thread of its own that runs one job of SendData calls at a time, so that the caller's
// thread stays free (a window keeps repainting) while it can read the progress and cancel.
// The job makes the same calls, with the same bytes, as it would on the caller's thread; a
// short job that the driver vouches to take at once runs there, within Start.
// It does not keep other callers off the connection: its lock only hands a job over and is
// never held across a SendData. That is the ExchangeGate's work, held for a whole check by
// the thread that runs it and waits here; gating each job on the worker instead would let
// a status query in between a check's blocks, its replies and its messages.
class BackgroundSender {
public:
    using Job = std::function<void(SendSession&)>;

    explicit BackgroundSender(PortDriver& ports);
    ~BackgroundSender();
    BackgroundSender(const BackgroundSender&) = delete;
    BackgroundSender& operator=(const BackgroundSender&) = delete;

    // Starts `job`, which sends on `port` and means to send `total` bytes, or runs it to its
    // end here when the driver says the connection takes `total` bytes at once. The
    // previous job must have finished.
    void Start(const PortName& port, std::int64_t total, Job job);
    // True once the job has ended, waiting for that at most `timeout`.
    bool WaitFinished(std::chrono::microseconds timeout);
    bool Finished() const { return finished_.load(); }
    // The running SendData is asked to stop, no further call is made; again and again is
    // fine (a call that had not begun when asked is then stopped too).
    void Cancel();
    // Bytes taken so far, the running call included; a shade low while a call ends.
    std::int64_t Taken() const;
    // Once finished: what the job came to.
    SendTally Result() const;

private:
    void Serve(std::stop_token stop);

    PortDriver& ports_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> finished_{true};
    SendSession session_;
    std::int64_t total_ = 0;

    std::mutex mutex_;
    std::condition_variable_any wake_;
    std::condition_variable done_;
    Job job_;
    std::jthread worker_;  // last: it uses everything above
};

}  // namespace quillora
