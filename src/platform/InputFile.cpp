#include "platform/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

namespace quillora {
namespace {

std::error_code Errno(int error) {
    return {error, std::generic_category()};
}

}  // namespace

OpenedInput OpenInput(const std::string& path) {
    OpenedInput input;
    input.fd = UniqueFd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (!input.fd.Valid() || ::fstat(input.fd.Get(), &status) != 0) {
        input.error = Errno(errno);
        input.fd.Reset();
        return input;
    }
    if (S_ISDIR(status.st_mode)) {
        input.error = Errno(EISDIR);
        input.fd.Reset();
        return input;
    }
    const int flags = ::fcntl(input.fd.Get(), F_GETFL);
    if (flags < 0 || ::fcntl(input.fd.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        input.error = Errno(errno);
        input.fd.Reset();
        return input;
    }
    input.seekable = S_ISREG(status.st_mode) && status.st_size > 0;
    input.length = input.seekable ? std::int64_t(status.st_size) : 0;
    return input;
}

StreamBytes ReadToEnd(int fd, std::int64_t limit) {
    StreamBytes result;
    constexpr std::size_t kChunk = 64 * 1024;
    for (;;) {
        // Room for one byte past the limit, which tells a stream of exactly `limit` bytes
        // from a longer one.
        const std::size_t room = std::size_t(
            std::min<std::int64_t>(kChunk, limit + 1 - std::int64_t(result.bytes.size())));
        const std::size_t had = result.bytes.size();
        if (had + room > result.bytes.capacity()) {
            // Doubling, but never past the limit: a reallocation holds at most twice it.
            result.bytes.reserve(std::min(std::max(2 * result.bytes.capacity(), had + room),
                                          std::size_t(limit) + 1));
        }
        result.bytes.resize(had + room);
        const ssize_t got = ::read(fd, result.bytes.data() + had, room);
        result.bytes.resize(had + std::size_t(std::max<ssize_t>(got, 0)));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            result.error = Errno(errno);
            return result;
        }
        if (got == 0) return result;
        if (std::int64_t(result.bytes.size()) > limit) {
            result.bytes.resize(std::size_t(limit));
            result.tooLarge = true;
            return result;
        }
    }
}

StreamBytes ReadInput(const std::string& path, std::int64_t limit) {
    OpenedInput input = OpenInput(path);
    if (input.error) return {{}, false, input.error};
    if (input.seekable && input.length > limit) return {{}, true, {}};
    return ReadToEnd(input.fd.Get(), limit);
}

}  // namespace quillora
