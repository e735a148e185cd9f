#include "imaging/LockedPages.h"

#include <sys/mman.h>

#include <cerrno>
#include <utility>

namespace quillora {

LockedPages::LockedPages(LockedPages&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      locked_(std::exchange(other.locked_, false)) {}

LockedPages& LockedPages::operator=(LockedPages&& other) noexcept {
    if (this != &other) {
        Release();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        locked_ = std::exchange(other.locked_, false);
    }
    return *this;
}

LockedPages::~LockedPages() {
    Release();
}

LockedPages LockedPages::Allocate(std::size_t size, std::error_code& error) {
    error.clear();
    LockedPages block;
    if (size == 0) return block;
    void* mapped = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) {
        error = std::error_code(errno, std::generic_category());
        return block;
    }
    block.data_ = static_cast<std::uint8_t*>(mapped);
    block.size_ = size;
    // A refused lock (RLIMIT_MEMLOCK, no privilege) only costs the paging guarantee.
    block.locked_ = mlock(mapped, size) == 0;
    return block;
}

void LockedPages::Release() noexcept {
    if (data_ == nullptr) return;
    if (locked_) munlock(data_, size_);
    munmap(data_, size_);
    data_ = nullptr;
    size_ = 0;
    locked_ = false;
}

}  // namespace quillora
