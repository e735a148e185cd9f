#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace vprinter {

// The character code tables of ESC t for single-byte characters from 0x80 up, each
// turned into Unicode by the C library's converters (glibc iconv), one table at a time.
// Which table is selected is the interpreter's (PrintModes); the converted tables may serve
// any number of interpreters.
class CodeTables {
public:
    // The iconv name of table n of ESC t, or "" when this printer does not have it.
    static std::string TableName(int n);
    // ESC R n: the character `byte` (0x20..0x7E) stands for in international character
    // set `set` (0 USA .. 15 China), which replaces up to twelve of ASCII's characters.
    static char16_t National(int set, std::uint8_t byte);
    static bool HasNational(int set) { return set >= 0 && set <= 15; }

    // Whether the C library converts table n, so that its characters can be printed.
    bool Renderable(int n);

    // The character `byte` (0x80..0xFF) stands for in table `table`; nullopt when the
    // table leaves it undefined or cannot be rendered.
    std::optional<char16_t> Decode(int table, std::uint8_t byte);

private:
    using Upper = std::array<std::optional<char16_t>, 128>;
    // Every byte of the iconv table `name` converted; nullopt when the C library has no
    // converter for it (or the name is "").
    static std::optional<Upper> Convert(const std::string& name);
    // Table n, converted at the first call; null when it cannot be rendered.
    const Upper* Table(int n);

    // Converted once, when the table is first selected or decoded (nullopt when it cannot
    // be): most streams never need one.
    std::map<int, std::optional<Upper>> tables_;
};

}  // namespace vprinter
