#include "commands/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

#include "port/FdIo.h"

namespace quillora {
namespace {

WholeFile Failed(WholeFile::Outcome outcome, int error) {
    return {outcome, {}, std::error_code(error, std::generic_category())};
}

}  // namespace

WholeFile ReadWholeFile(const std::string& path) {
    const UniqueFd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.Valid()) return Failed(WholeFile::Outcome::CannotOpen, errno);

    struct stat status {};
    if (::fstat(file.Get(), &status) != 0) return Failed(WholeFile::Outcome::CannotRead, errno);
    if (status.st_size > kMaxSendLength) return Failed(WholeFile::Outcome::TooLarge, EFBIG);

    WholeFile result;
    try {
        result.bytes.resize(static_cast<size_t>(status.st_size));
    } catch (const std::bad_alloc&) {
        return Failed(WholeFile::Outcome::TooLarge, ENOMEM);
    }
    size_t done = 0;
    while (done < result.bytes.size()) {
        const ssize_t got =
            ::read(file.Get(), result.bytes.data() + done, result.bytes.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return Failed(WholeFile::Outcome::CannotRead, errno);
        // Shorter than its length said: it changed under us, so what we have is not the file.
        if (got == 0) return Failed(WholeFile::Outcome::CannotRead, EIO);
        done += static_cast<size_t>(got);
    }
    return result;
}

}  // namespace quillora
