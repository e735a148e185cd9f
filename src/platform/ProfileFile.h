#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace quillora {

// The settings file's reading and writing rules: a plain-text profile of "[Section]"
// lines and "Key=Value" lines, names compared without regard to letter case.

// The integer value of Key in Section: leading blanks skipped, an optional sign and the
// digits after it up to the first other character. A missing file, section or key, or an
// empty value, gives `defaultValue`; a value that starts with no digit gives 0. A file over
// kMaxSettingsFileBytes (src/platform/ProfileTarget.h) reads as missing.
int ReadProfileInt(const std::string& path, std::string_view section, std::string_view key,
                   int defaultValue);

// The file read once for several lookups with the same rules (the network address takes
// four keys); later changes to the file are not seen.
class ProfileSnapshot {
public:
    explicit ProfileSnapshot(const std::string& path);
    int ReadInt(std::string_view section, std::string_view key, int defaultValue) const;

private:
    std::optional<std::string> text_;
};

// Sets Key in Section to `value`, creating the file, the section and the key when they are
// missing and leaving every other line as it was. The new contents are written to a
// temporary file beside the old one and renamed over it, so a failed or killed write leaves
// the old file whole; temporary files that killed writers left are removed after the next
// write that succeeds. A symbolic link is written through: its target (in the target's
// folder) gets the new contents. A file that may not be changed (see CheckReplaceable)
// or that is over kMaxSettingsFileBytes is refused before anything is written. Returns
// the error that stopped the write, if any.
std::error_code WriteProfileString(const std::string& path, std::string_view section,
                                   std::string_view key, std::string_view value);

// The same write with the value formatted as "%d".
std::error_code WriteProfileInt(const std::string& path, std::string_view section,
                                std::string_view key, int value);

}  // namespace quillora
