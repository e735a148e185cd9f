#include "platform/ProfileFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/InputFile.h"
#include "platform/ProfileTarget.h"
#include "platform/UniqueFd.h"

namespace quillora {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (IsBlank(s.front()) || s.front() == '\r')) s.remove_prefix(1);
    while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// The section name of a "[Name]" line, or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    const size_t close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

// The key of a "Key=Value" line, or nothing when the line has no '='.
std::optional<std::string_view> KeyName(std::string_view line) {
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    return Trim(line.substr(0, eq));
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    while (start < text.size()) {
        const auto end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// The file's bytes, or nothing when it is missing, unreadable or over the limit.
std::optional<std::string> ReadSettingsText(const std::string& path) {
    StreamBytes read = ReadInput(path, kMaxSettingsFileBytes);
    if (read.error || read.tooLarge) return std::nullopt;
    return std::string(read.bytes.begin(), read.bytes.end());
}

std::optional<std::string> FindValue(const std::string& text, std::string_view section,
                                     std::string_view key) {
    bool inSection = false;
    for (const std::string& line : SplitLines(text)) {
        if (auto name = SectionName(line)) {
            inSection = EqualsNoCase(*name, section);
        } else if (inSection) {
            if (auto k = KeyName(line); k && EqualsNoCase(*k, key)) {
                return std::string(Trim(std::string_view(line).substr(line.find('=') + 1)));
            }
        }
    }
    return std::nullopt;
}

std::error_code LastError() {
    return {errno, std::generic_category()};
}

std::error_code WriteAll(int fd, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return LastError();
        }
        done += static_cast<size_t>(n);
    }
    return {};
}

// Temporary files are "<file>.quillora-XXXXXX". A writer holds an exclusive lock on its own
// until the rename, so one that can be locked was left by a writer that died.
constexpr std::string_view kTempInfix = ".quillora-";
constexpr size_t kTempRandomChars = 6;  // mkstemp's XXXXXX, letters and digits

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The folder part of `path` ("." when it has none) and the temporary-name prefix.
std::pair<std::string, std::string> TempNaming(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {".", path + std::string(kTempInfix)};
    return {path.substr(0, slash + 1), path.substr(slash + 1) + std::string(kTempInfix)};
}

bool IsTempName(std::string_view name, std::string_view prefix) {
    if (name.size() != prefix.size() + kTempRandomChars || !name.starts_with(prefix)) return false;
    for (const char c : name.substr(prefix.size())) {
        if (!std::isalnum(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

// A new temporary file beside `path`, locked. Made again when a sweep removed it before
// the lock was taken.
std::error_code CreateLockedTemp(const std::string& path, UniqueFd& fd, std::string& tempPath) {
    for (;;) {
        tempPath = path + std::string(kTempInfix) + std::string(kTempRandomChars, 'X');
        fd = UniqueFd(::mkostemp(tempPath.data(), O_CLOEXEC));
        if (fd.Get() < 0) return LastError();
        struct stat opened {
        }, named{};
        if (::flock(fd.Get(), LOCK_EX) != 0 || ::fstat(fd.Get(), &opened) != 0) {
            const std::error_code error = LastError();
            ::unlink(tempPath.c_str());
            return error;
        }
        const int found = ::stat(tempPath.c_str(), &named);
        if (found == 0 && SameFile(opened, named)) return {};
        if (found != 0 && errno != ENOENT) return LastError();
        // A sweep took it for abandoned before the lock was ours: another name.
    }
}

// Removes the temporary files of `path` that no writer holds. A file that cannot be
// checked or removed stays for a later write: the new contents are already in place.
void RemoveAbandonedTemps(const std::string& path) {
    const auto [folder, prefix] = TempNaming(path);
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir) return;
    const int dirFd = ::dirfd(dir.get());
    while (const dirent* entry = ::readdir(dir.get())) {
        if (!IsTempName(entry->d_name, prefix)) continue;
        const UniqueFd fd(::openat(dirFd, entry->d_name, O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
        struct stat opened {
        }, named{};
        if (fd.Get() >= 0 && ::flock(fd.Get(), LOCK_EX | LOCK_NB) == 0 &&
            ::fstat(fd.Get(), &opened) == 0 &&
            ::fstatat(dirFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            SameFile(opened, named)) {
            ::unlinkat(dirFd, entry->d_name, 0);
        }
    }
}

std::error_code ReplaceFile(const std::string& path, const std::string& contents) {
    UniqueFd fd;
    std::string tempPath;
    if (const std::error_code error = CreateLockedTemp(path, fd, tempPath)) return error;
    struct stat st {};
    mode_t mode = 0644;
    if (::stat(path.c_str(), &st) == 0) mode = st.st_mode & 07777;
    std::error_code error = WriteAll(fd.Get(), contents);
    if (!error && ::fchmod(fd.Get(), mode) != 0) error = LastError();
    if (!error && ::fsync(fd.Get()) != 0) error = LastError();
    // Renamed while still locked, so that no sweep takes it for abandoned.
    if (!error && ::rename(tempPath.c_str(), path.c_str()) != 0) error = LastError();
    if (error) ::unlink(tempPath.c_str());
    if (fd.Close() != 0 && !error) error = LastError();
    if (!error) RemoveAbandonedTemps(path);
    return error;
}

}  // namespace

ProfileSnapshot::ProfileSnapshot(const std::string& path) : text_(ReadSettingsText(path)) {}

int ReadProfileInt(const std::string& path, std::string_view section, std::string_view key,
                   int defaultValue) {
    return ProfileSnapshot(path).ReadInt(section, key, defaultValue);
}

int ProfileSnapshot::ReadInt(std::string_view section, std::string_view key,
                             int defaultValue) const {
    if (!text_) return defaultValue;
    const std::optional<std::string> value = FindValue(*text_, section, key);
    if (!value || value->empty()) return defaultValue;

    size_t i = 0;
    bool negative = false;
    if ((*value)[i] == '-' || (*value)[i] == '+') negative = (*value)[i++] == '-';
    // Accumulate in 32 unsigned bits: an over-long number wraps instead of overflowing.
    std::uint32_t number = 0;
    for (; i < value->size() && (*value)[i] >= '0' && (*value)[i] <= '9'; ++i) {
        number = number * 10u + static_cast<std::uint32_t>((*value)[i] - '0');
    }
    if (negative) number = 0u - number;
    return static_cast<std::int32_t>(number);
}

std::error_code WriteProfileString(const std::string& path, std::string_view section,
                                   std::string_view key, std::string_view value) {
    // Through a link to its target; a file that may not be changed is left alone.
    std::string target;
    if (const std::error_code error = ResolveWriteTarget(path, target)) return error;
    if (const std::error_code error = CheckReplaceable(target)) return error;
    StreamBytes existing = ReadInput(target, kMaxSettingsFileBytes);
    if (existing.tooLarge) return std::make_error_code(std::errc::file_too_large);
    if (existing.error && existing.error != std::errc::no_such_file_or_directory) {
        return existing.error;
    }
    std::string text(existing.bytes.begin(), existing.bytes.end());
    // Keep the file's own line ends; a new file gets the ones Windows readers expect too.
    const bool crlf = text.empty() || text.find("\r\n") != std::string::npos;
    const std::string entry = std::string(key) + "=" + std::string(value);

    std::vector<std::string> lines = SplitLines(text);
    std::optional<size_t> sectionLine;
    std::optional<size_t> keyLine;
    size_t lastLineOfSection = 0;
    bool inSection = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (auto name = SectionName(lines[i])) {
            inSection = !sectionLine && EqualsNoCase(*name, section);
            if (inSection) sectionLine = lastLineOfSection = i;
        } else if (inSection) {
            if (!Trim(lines[i]).empty()) lastLineOfSection = i;
            if (auto k = KeyName(lines[i]); k && !keyLine && EqualsNoCase(*k, key)) keyLine = i;
        }
    }

    const std::string cr = crlf ? "\r" : "";
    if (keyLine) {
        lines[*keyLine] = entry + cr;
    } else if (sectionLine) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(lastLineOfSection) + 1,
                     entry + cr);
    } else {
        if (!lines.empty() && !Trim(lines.back()).empty()) lines.push_back(cr);
        // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) on "[" + string.
        std::string header = "[";
        header.append(section).append("]").append(cr);
        lines.push_back(std::move(header));
        lines.push_back(entry + cr);
    }

    std::string out;
    for (const std::string& line : lines) out += line + '\n';
    return ReplaceFile(target, out);
}

std::error_code WriteProfileInt(const std::string& path, std::string_view section,
                                std::string_view key, int value) {
    return WriteProfileString(path, section, key, std::to_string(value));
}

}  // namespace quillora
