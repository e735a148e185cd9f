#pragma once

#include <unistd.h>

#include <utility>

namespace quillora {

// Owns one file descriptor and closes it. Header-only, so the fuzzers that compile single
// subsystems need no extra source.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.Release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) {
            Reset();
            fd_ = other.Release();
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { Reset(); }

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    int Release() { return std::exchange(fd_, -1); }
    void Reset() {
        if (fd_ >= 0) ::close(std::exchange(fd_, -1));
    }
    // Closes now and returns close's result, for a caller that needs its error (a write
    // whose data only reaches the disk at close).
    int Close() { return ::close(std::exchange(fd_, -1)); }

private:
    int fd_ = -1;
};

}  // namespace quillora
