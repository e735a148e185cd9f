#include "cli/JsonText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

#include "cli/Utf8Text.h"

namespace quillora::cli::json {
namespace {

void WriteString(std::string_view bytes, std::string& out) {
    constexpr char kDigits[] = "0123456789abcdef";
    out += '"';
    for (const char c : ValidUtf8(WithoutByteOrderMark(bytes))) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    out += "\\u00";
                    out += kDigits[c >> 4];
                    out += kDigits[c & 0xF];
                } else {
                    out += c;
                }
        }
    }
    out += '"';
}

// Whole numbers a double holds exactly are written as integers; others in their shortest
// exact digits, in plain or exponent form, whichever is shorter (plain on a tie).
void WriteDouble(double number, std::string& out) {
    constexpr double kExactIntegers = 9007199254740992.0;  // 2^53
    if (!std::isfinite(number)) {
        out += "null";
        return;
    }
    if (std::trunc(number) == number && std::fabs(number) <= kExactIntegers) {
        out += std::to_string(std::int64_t(number));
        return;
    }
    char shortest[32];
    const auto end = std::to_chars(shortest, shortest + sizeof shortest, std::fabs(number),
                                   std::chars_format::scientific)
                         .ptr;
    // "d.ddde±x": the digits, and where the decimal point falls among them.
    const std::string_view scientific(shortest, std::size_t(end - shortest));
    const std::size_t e = scientific.find('e');
    std::string digits(scientific.substr(0, e));
    digits.erase(std::remove(digits.begin(), digits.end(), '.'), digits.end());
    int exponent = 0;
    const char* exponentDigits = scientific.data() + e + (scientific[e + 1] == '+' ? 2 : 1);
    std::from_chars(exponentDigits, end, exponent);
    const int point = exponent + 1;
    const int count = int(digits.size());

    std::string plain;
    if (point <= 0) {
        plain = "0." + std::string(std::size_t(-point), '0') + digits;
    } else if (point >= count) {
        plain = digits + std::string(std::size_t(point - count), '0');
    } else {
        plain = digits.substr(0, std::size_t(point)) + '.' + digits.substr(std::size_t(point));
    }
    // The exponent as to_chars writes it: signed, two digits at least.
    const std::string withExponent = digits.substr(0, 1) +
                                     (count > 1 ? "." + digits.substr(1) : "") +
                                     std::string(scientific.substr(e));
    if (number < 0) out += '-';
    out += withExponent.size() < plain.size() ? withExponent : plain;
}

void WriteValue(const Value& value, Layout layout, int depth, std::string& out);

// A member or an element: its indentation, then what it holds; between them a comma.
template <class Items, class WriteItem>
void WriteItems(const Items& items, char open, char close, Layout layout, int depth,
                std::string& out, WriteItem writeItem) {
    const bool indented = layout == Layout::Indented;
    out += open;
    if (indented) out += '\n';
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (indented) out.append(std::size_t(4 * (depth + 1)), ' ');
        writeItem(items[i]);
        if (i + 1 < items.size()) out += ',';
        if (indented) out += '\n';
    }
    if (indented) out.append(std::size_t(4 * depth), ' ');
    out += close;
}

void WriteValue(const Value& value, Layout layout, int depth, std::string& out) {
    if (const auto* flag = std::get_if<bool>(&value.held)) {
        out += *flag ? "true" : "false";
    } else if (const auto* integer = std::get_if<std::int64_t>(&value.held)) {
        out += std::to_string(*integer);
    } else if (const auto* number = std::get_if<double>(&value.held)) {
        WriteDouble(*number, out);
    } else if (const auto* text = std::get_if<std::string>(&value.held)) {
        WriteString(*text, out);
    } else if (const auto* array = std::get_if<Array>(&value.held)) {
        WriteItems(*array, '[', ']', layout, depth, out,
                   [&](const Value& element) { WriteValue(element, layout, depth + 1, out); });
    } else {
        std::vector<const Object::value_type*> members;
        for (const auto& member : std::get<Object>(value.held)) members.push_back(&member);
        std::stable_sort(members.begin(), members.end(),
                         [](const auto* a, const auto* b) { return a->first < b->first; });
        WriteItems(members, '{', '}', layout, depth, out, [&](const Object::value_type* member) {
            WriteString(member->first, out);
            out += layout == Layout::Indented ? ": " : ":";
            WriteValue(member->second, layout, depth + 1, out);
        });
    }
}

}  // namespace

std::string Write(const Value& document, Layout layout) {
    std::string out;
    WriteValue(document, layout, 0, out);
    if (layout == Layout::Indented) out += '\n';
    return out;
}

}  // namespace quillora::cli::json
