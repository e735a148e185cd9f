#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace quillora {

// One caller at a time on the printer's connections: a check's sends (however many blocks)
// and a status query's request and reply each pass whole, never interleaved, because the
// driver drops waiting input when a send starts and a reply then goes to the wrong caller.
// A thread may enter again while it holds the gate.
class ExchangeGate {
public:
    void Enter();
    // False when another thread kept the gate for `timeout`.
    bool TryEnterFor(std::chrono::milliseconds timeout);
    void Leave();
    // How many times a thread has taken the gate from free; a caller that sees it move by
    // more than its own entries knows others used the connection in between.
    std::uint64_t Entries() const;
    // Runs `wait` with this thread's hold set aside (a message box waiting for the user),
    // then takes the gate again.
    template <class Wait>
    void SetAside(Wait wait) {
        const int depth = Release();
        wait();
        Retake(depth);
    }

private:
    bool Free(std::thread::id self) const { return depth_ == 0 || owner_ == self; }
    int Release();
    void Retake(int depth);

    mutable std::mutex mutex_;
    std::condition_variable freed_;
    std::thread::id owner_;
    int depth_ = 0;
    std::uint64_t entries_ = 0;
};

// The gate held for a scope.
class GateHold {
public:
    explicit GateHold(ExchangeGate& gate) : gate_(gate) { gate_.Enter(); }
    ~GateHold() { gate_.Leave(); }
    GateHold(const GateHold&) = delete;
    GateHold& operator=(const GateHold&) = delete;

private:
    ExchangeGate& gate_;
};

}  // namespace quillora
