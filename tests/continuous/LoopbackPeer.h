#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace quillora::test {

// A network printer's raw port on a loopback address (127.0.7.x, port 9100): takes one
// connection after another and keeps every byte.
class LoopbackPeer {
public:
    explicit LoopbackPeer(const std::string& address);
    ~LoopbackPeer();
    LoopbackPeer(const LoopbackPeer&) = delete;
    LoopbackPeer& operator=(const LoopbackPeer&) = delete;

    bool Listening() const { return listener_ >= 0; }
    std::string Received() const;
    // Waits until what was received satisfies `enough`; false after `timeout`.
    bool WaitFor(const std::function<bool(const std::string&)>& enough,
                 std::chrono::milliseconds timeout) const;

private:
    void Serve(std::stop_token stop);
    void Drain(int connection, const std::stop_token& stop);

    int listener_ = -1;
    mutable std::mutex mutex_;
    mutable std::condition_variable arrived_;
    std::string received_;
    std::jthread server_;
};

}  // namespace quillora::test
