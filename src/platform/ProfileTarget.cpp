#include "platform/ProfileTarget.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/UniqueFd.h"

namespace quillora {
namespace {

// Linux's own limit on links followed in one path.
constexpr int kMaxLinkHops = 40;

std::error_code LastError() {
    return {errno, std::generic_category()};
}

class SettingsErrors final : public std::error_category {
public:
    const char* name() const noexcept override { return "settings file"; }
    std::string message(int) const override { return "not a regular file"; }
};

std::error_code NotARegularFile() {
    static const SettingsErrors category;
    return {1, category};
}

}  // namespace

std::error_code ResolveWriteTarget(const std::string& path, std::string& target) {
    target = path;
    for (int hops = 0;; ++hops) {
        struct stat status {};
        if (::lstat(target.c_str(), &status) != 0) {
            return errno == ENOENT ? std::error_code{} : LastError();
        }
        if (!S_ISLNK(status.st_mode)) return {};
        if (hops == kMaxLinkHops)
            return std::make_error_code(std::errc::too_many_symbolic_link_levels);
        std::string link(std::size_t(status.st_size > 0 ? status.st_size : 4095) + 1, '\0');
        const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
        if (length < 0) return LastError();
        if (std::size_t(length) >= link.size())
            return std::make_error_code(std::errc::filename_too_long);
        link.resize(std::size_t(length));
        // A relative link is taken from the folder the link lies in.
        const std::size_t slash = target.rfind('/');
        if (!link.starts_with('/') && slash != std::string::npos) {
            link.insert(0, target, 0, slash + 1);
        }
        target = std::move(link);
    }
}

std::error_code CheckReplaceable(const std::string& target) {
    struct stat status {};
    if (::stat(target.c_str(), &status) != 0) {
        return errno == ENOENT ? std::error_code{} : LastError();
    }
    if (S_ISDIR(status.st_mode)) return std::make_error_code(std::errc::is_a_directory);
    if (!S_ISREG(status.st_mode)) return NotARegularFile();
    if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        return std::make_error_code(std::errc::permission_denied);
    }
    // Opened and closed without a byte written: the file is left as it was.
    const UniqueFd probe(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    return probe.Valid() ? std::error_code{} : LastError();
}

}  // namespace quillora
