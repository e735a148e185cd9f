#include "cli/InputFiles.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "port/FdIo.h"

namespace quillora::cli {

std::optional<std::string> InputFileProblem(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        if (errno == ENOENT) return "no such file";
        return std::string("cannot be read: ") + std::strerror(errno);
    }
    if (S_ISDIR(status.st_mode)) return "is a folder";
    // Non-blocking, so that a named pipe with no writer does not hold the check up.
    const UniqueFd file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!file.Valid()) return std::string("cannot be read: ") + std::strerror(errno);
    return std::nullopt;
}

}  // namespace quillora::cli
