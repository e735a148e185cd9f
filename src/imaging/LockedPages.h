#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <system_error>

namespace quillora {

// A block of whole pages for pictures and image commands, kept in physical memory while
// it lives so a long blocking send never waits on paging. When the memory-lock limit
// refuses the lock, the block is still usable, only unlocked. Zero-filled on allocation.
class LockedPages {
public:
    LockedPages() = default;
    LockedPages(LockedPages&& other) noexcept;
    LockedPages& operator=(LockedPages&& other) noexcept;
    LockedPages(const LockedPages&) = delete;
    LockedPages& operator=(const LockedPages&) = delete;
    ~LockedPages();

    // Maps `size` bytes; on failure returns an empty block and sets `error` to the OS error.
    // A size of 0 gives an empty block without an error.
    static LockedPages Allocate(std::size_t size, std::error_code& error);

    std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }
    std::span<std::uint8_t> bytes() const { return {data_, size_}; }
    bool locked() const { return locked_; }

private:
    void Release() noexcept;

    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    bool locked_ = false;
};

}  // namespace quillora
