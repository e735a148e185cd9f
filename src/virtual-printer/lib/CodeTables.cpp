#include "virtual-printer/lib/CodeTables.h"

#include <iconv.h>

#include "virtual-printer/lib/GbkDecoder.h"

namespace vprinter {

std::string CodeTables::TableName(int n) {
    switch (n) {
        case 0:
            return "CP437";
        case 2:
            return "CP850";
        case 3:
            return "CP860";
        case 4:
            return "CP863";
        case 5:
            return "CP865";
        case 13:
            return "CP857";
        case 16:
            return "CP1252";
        case 17:
            return "CP866";
        case 18:
            return "CP852";
        case 19:
            return "CP858";
        case 46:
            return "CP1251";
        default:
            return "";
    }
}

std::optional<char16_t> CodeTables::Decode(int table, std::uint8_t byte) {
    if (byte < 0x80) return byte;
    auto converted = tables_.find(table);
    if (converted == tables_.end()) {
        converted = tables_.emplace(table, Convert(TableName(table))).first;
    }
    return converted->second[byte - 0x80];
}

CodeTables::Upper CodeTables::Convert(const std::string& name) {
    const iconv_t converter = OpenToUnicode(name);
    Upper upper;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const char input = static_cast<char>(byte);
        upper[byte - 0x80] = ConvertToUnicode(converter, &input, 1);
    }
    iconv_close(converter);
    return upper;
}

}  // namespace vprinter
