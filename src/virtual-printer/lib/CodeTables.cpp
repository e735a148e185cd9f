#include "virtual-printer/lib/CodeTables.h"

#include <iconv.h>

#include <stdexcept>

#include "virtual-printer/lib/GbkDecoder.h"

namespace vprinter {

std::string CodeTables::TableName(int n) {
    // ESC t numbers; those without a name (Hiragana, Thai, TCVN-3, the user page, ...) are
    // tables this printer does not have.
    static const std::map<int, std::string> kNames = {
        {0, "CP437"},        {1, "SHIFT_JIS"}, {2, "CP850"},       {3, "CP860"},
        {4, "CP863"},        {5, "CP865"},     {11, "CP851"},      {12, "CP853"},
        {13, "CP857"},       {14, "CP737"},    {15, "ISO-8859-7"}, {16, "CP1252"},
        {17, "CP866"},       {18, "CP852"},    {19, "CP858"},      {20, "TIS-620"},
        {32, "CP720"},       {33, "CP775"},    {34, "CP855"},      {35, "CP861"},
        {36, "CP862"},       {37, "CP864"},    {38, "CP869"},      {39, "ISO-8859-2"},
        {40, "ISO-8859-15"}, {41, "CP1098"},   {42, "CP1118"},     {43, "CP1119"},
        {44, "CP1125"},      {45, "CP1250"},   {46, "CP1251"},     {47, "CP1253"},
        {48, "CP1254"},      {49, "CP1255"},   {50, "CP1256"},     {51, "CP1257"},
        {52, "CP1258"},      {53, "RK1048"}};
    const auto name = kNames.find(n);
    return name == kNames.end() ? std::string() : name->second;
}

char16_t CodeTables::National(int set, std::uint8_t byte) {
    // The twelve places that differ, in this order, and each set's characters for them.
    static constexpr char16_t kPlaces[] = u"#$@[\\]^`{|}~";
    static constexpr const char16_t* kSets[16] = {
        u"#$@[\\]^`{|}~", u"#$à°ç§^`éùè¨", u"#$§ÄÖÜ^`äöüß",  u"£$@[\\]^`{|}~",
        u"#$@ÆØÅ^`æøå~",  u"#¤ÉÄÖÅÜéäöåü", u"#$@°\\é^ùàòèì", u"₧$@¡Ñ¿^`¨ñ}~",
        u"#$@[¥]^`{|}~",  u"#¤ÉÆØÅÜéæøåü", u"#$ÉÆØÅÜéæøåü",  u"#$á¡Ñ¿é`íñóú",
        u"#$á¡Ñ¿éüíñóú",  u"#$@[₩]^`{|}~", u"#$ŽŠĐĆČžšđćč",  u"#¥@[\\]^`{|}~"};
    if (!HasNational(set)) return byte;
    for (int place = 0; place < 12; ++place) {
        if (kPlaces[place] == byte) return kSets[set][place];
    }
    return byte;
}

bool CodeTables::Renderable(int n) {
    return Table(n) != nullptr;
}

std::optional<char16_t> CodeTables::Decode(int table, std::uint8_t byte) {
    if (byte < 0x80) return byte;
    const Upper* upper = Table(table);
    if (!upper) return std::nullopt;
    return (*upper)[byte - 0x80];
}

const CodeTables::Upper* CodeTables::Table(int n) {
    auto converted = tables_.find(n);
    if (converted == tables_.end()) converted = tables_.emplace(n, Convert(TableName(n))).first;
    return converted->second ? &*converted->second : nullptr;
}

std::optional<CodeTables::Upper> CodeTables::Convert(const std::string& name) {
    if (name.empty()) return std::nullopt;
    iconv_t converter;
    try {
        converter = OpenToUnicode(name);
    } catch (const std::runtime_error&) {
        // The C library may lack a converter for a table the printer knows: the table is
        // then reported as one that cannot be rendered.
        return std::nullopt;
    }
    Upper upper;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const char input = static_cast<char>(byte);
        upper[byte - 0x80] = ConvertToUnicode(converter, &input, 1);
    }
    iconv_close(converter);
    // The printers' PC857 has the euro sign where the C library's leaves a gap.
    if (name == "CP857" && !upper[0xD5 - 0x80]) upper[0xD5 - 0x80] = u'€';
    return upper;
}

}  // namespace vprinter
