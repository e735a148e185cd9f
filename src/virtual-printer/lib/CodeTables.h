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
    static bool Has(int n) { return !TableName(n).empty(); }

    // The character `byte` (0x80..0xFF) stands for in table `table` (one this printer has);
    // nullopt when the table leaves it undefined.
    std::optional<char16_t> Decode(int table, std::uint8_t byte);

private:
    using Upper = std::array<std::optional<char16_t>, 128>;
    static Upper Convert(const std::string& name);

    // Converted once, when a byte of the table is first decoded: most streams never need one.
    std::map<int, Upper> tables_;
};

}  // namespace vprinter
