// A picture block that the system refuses to lock in memory: the test must still run.
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "imaging/LockedPages.h"

namespace quillora {
namespace {

TEST(LockedPages, ARefusedLockLeavesAZeroedWritableBlockWithoutAnError) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer replaces mlock with a call that always succeeds";
#endif
    // A lock limit of 0 and, as CI runs as root, no CAP_IPC_LOCK; both restored below.
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct caps[_LINUX_CAPABILITY_U32S_3]{}, dropped[_LINUX_CAPABILITY_U32S_3];
    rlimit saved{};
    ASSERT_EQ(syscall(SYS_capget, &header, caps), 0);
    ASSERT_EQ(getrlimit(RLIMIT_MEMLOCK, &saved), 0);
    std::copy(std::begin(caps), std::end(caps), std::begin(dropped));
    dropped[0].effective &= ~(1u << CAP_IPC_LOCK);
    const rlimit none{0, saved.rlim_max};
    EXPECT_EQ(setrlimit(RLIMIT_MEMLOCK, &none), 0);
    EXPECT_EQ(syscall(SYS_capset, &header, dropped), 0);
    std::error_code error;
    const LockedPages block = LockedPages::Allocate(3 * 4096 + 5, error);
    syscall(SYS_capset, &header, caps);
    setrlimit(RLIMIT_MEMLOCK, &saved);
    EXPECT_FALSE(error) << error.message();
    ASSERT_EQ(block.size(), 3u * 4096 + 5);
    EXPECT_FALSE(block.locked());
    EXPECT_TRUE(std::ranges::all_of(block.bytes(), [](std::uint8_t byte) { return byte == 0; }));
    std::ranges::fill(block.bytes(), 0xA5);
    EXPECT_EQ(block.data()[block.size() - 1], 0xA5);
}

}  // namespace
}  // namespace quillora
