// Picture and command blocks when the system refuses to lock them in memory: the test must
// still run, with the block unlocked.
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "imaging/LockedPages.h"

namespace quillora {
namespace {

// A memory-lock limit of 0 for the process and no CAP_IPC_LOCK for the calling thread (the
// test runs as root in CI, where the limit alone refuses nothing); both restored on exit.
class MemoryLockingRefused {
public:
    MemoryLockingRefused() {
        EXPECT_EQ(getrlimit(RLIMIT_MEMLOCK, &saved_), 0);
        rlimit none = saved_;
        none.rlim_cur = 0;
        EXPECT_EQ(setrlimit(RLIMIT_MEMLOCK, &none), 0);
        EXPECT_EQ(syscall(SYS_capget, &header_, saved_caps_), 0);
        __user_cap_data_struct dropped[_LINUX_CAPABILITY_U32S_3];
        std::copy(std::begin(saved_caps_), std::end(saved_caps_), std::begin(dropped));
        dropped[0].effective &= ~(1u << CAP_IPC_LOCK);
        EXPECT_EQ(syscall(SYS_capset, &header_, dropped), 0);
    }
    ~MemoryLockingRefused() {
        syscall(SYS_capset, &header_, saved_caps_);
        setrlimit(RLIMIT_MEMLOCK, &saved_);
    }
    MemoryLockingRefused(const MemoryLockingRefused&) = delete;
    MemoryLockingRefused& operator=(const MemoryLockingRefused&) = delete;

private:
    rlimit saved_{};
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_caps_[_LINUX_CAPABILITY_U32S_3]{};
};

TEST(LockedPages, ARefusedLockLeavesAZeroedWritableBlockWithoutAnError) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer replaces mlock with a call that always succeeds";
#endif
    const std::size_t size = 3 * 4096 + 5;
    std::error_code error;
    const MemoryLockingRefused refused;
    const LockedPages block = LockedPages::Allocate(size, error);
    EXPECT_FALSE(error) << error.message();
    ASSERT_EQ(block.size(), size);
    EXPECT_FALSE(block.locked());
    EXPECT_TRUE(std::all_of(block.bytes().begin(), block.bytes().end(),
                            [](std::uint8_t byte) { return byte == 0; }));
    std::fill(block.bytes().begin(), block.bytes().end(), 0xA5);
    EXPECT_EQ(block.data()[size - 1], 0xA5);
}

}  // namespace
}  // namespace quillora
