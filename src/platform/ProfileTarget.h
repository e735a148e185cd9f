#pragma once

#include <cstdint>
#include <string>
#include <system_error>

namespace quillora {

// The settings file's own limit: a real one is a few hundred bytes, so a longer one (or
// a device such as /dev/zero in its place) is not a settings file. Reading it gives the
// defaults; writing it is refused with EFBIG.
inline constexpr std::int64_t kMaxSettingsFileBytes = std::int64_t{1} << 20;

// Where a write of the settings file at `path` goes: `path` itself, or the end of its
// chain of symbolic links (which need not exist yet), so that a link stays a link and its
// target gets the new contents.
std::error_code ResolveWriteTarget(const std::string& path, std::string& target);

// Refuses to replace `target` when the file there may not be changed: not a regular file,
// no write permission in its mode (a file made read-only stays so, even for root), or
// opening it for writing refused (an immutable file, a read-only mount). A missing file is
// fine: the write creates it.
std::error_code CheckReplaceable(const std::string& target);

}  // namespace quillora
