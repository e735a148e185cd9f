#include "commands/EscPosNames.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>

#include "commands/FunctionSwitch.h"
#include "escpos/Commands.h"
#include "escpos/ControlCodes.h"
#include "escpos/EscPosFraming.h"
#include "escpos/HexBytes.h"
#include "platform/CodePage936.h"
#include "texts/Texts.h"

namespace quillora {
namespace {

using texts::Format;
using texts::translate;

using escpos::kDle;
using escpos::kEot;
using escpos::kEsc;
using escpos::kFf;
using escpos::kFs;
using escpos::kGs;

// Text shown of one run; the rest is counted.
constexpr std::size_t kShownTextBytes = 96;
// Bytes shown of a command that is unknown or not complete.
constexpr std::size_t kShownHexBytes = 16;

std::string Hex(const std::uint8_t* bytes, std::size_t size) {
    return escpos::HexBytesUpTo(bytes, size, kShownHexBytes);
}

std::string ByteValue(std::uint8_t byte) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02x", byte);
    return text;
}

std::string Number(std::uint8_t byte) {
    return std::to_string(byte);
}

std::string SizeText(std::size_t bytes) {
    return Format(translate("EscPosNames", "%1 字节"), {std::to_string(bytes)});
}

const char* BarcodeType(std::uint8_t m) {
    static constexpr const char* kTypes[] = {"UPC-A", "UPC-E",   "JAN13",  "JAN8",   "CODE39",
                                             "ITF",   "CODABAR", "CODE93", "CODE128"};
    if (m <= 6) return kTypes[m];
    if (m >= 65 && m <= 73) return kTypes[m - 65];
    return nullptr;
}

std::optional<std::string> EscName(const std::uint8_t* c, std::size_t length) {
    const std::string head = std::string("ESC ") + char(c[1]);
    if (length == 2) {
        if (c[1] == '@') return head + " " + translate("EscPosNames", "初始化");
        if (c[1] == 'm') return head + " " + translate("EscPosNames", "半切");
        if (c[1] == 'i') return head + " " + translate("EscPosNames", "全切");
        return std::nullopt;
    }
    if (length == 3 && c[1] == 'd')
        return head + " " + Number(c[2]) + " " +
               Format(translate("EscPosNames", "走纸%1行"), {Number(c[2])});
    if (length == 3 && c[1] == 'a') {
        static constexpr const char* kAlign[] = {texts::TranslateLater("EscPosNames", "左对齐"),
                                                 texts::TranslateLater("EscPosNames", "居中"),
                                                 texts::TranslateLater("EscPosNames", "右对齐")};
        const int n = c[2] >= '0' ? c[2] - '0' : c[2];
        if (n <= 2) return head + " " + Number(c[2]) + " " + translate("EscPosNames", kAlign[n]);
        return std::nullopt;
    }
    if (length == 5 && (c[1] == '9' || c[1] == 'p')) {
        return head + " " + Number(c[2]) + " " + Number(c[3]) + " " + Number(c[4]) + " " +
               translate("EscPosNames", "钱箱脉冲");
    }
    if (length >= 5 && c[1] == '*') {
        return head + " " + Number(c[2]) + " " +
               Format(translate("EscPosNames", "位图 %1 列"), {std::to_string(c[3] | c[4] << 8)});
    }
    return std::nullopt;
}

std::optional<std::string> FunctionSwitchName(std::uint8_t n) {
    if (n == escpos::kPaperTakenStatus) return translate("EscPosNames", "取纸状态查询");
    for (const FunctionSwitch& function :
         {kNearEndSwitch, kBlackMarkSwitch, kCutterSwitch, kPaperTakeSwitch}) {
        if (n == function.onByte) return SwitchCaption(function.enableCaption);
        if (n == function.offByte) return SwitchCaption(function.disableCaption);
    }
    return std::nullopt;
}

std::optional<std::string> GsName(const std::uint8_t* c, std::size_t length) {
    if (length == 2 && c[1] == kFf) return "GS FF " + translate("EscPosNames", "走纸到黑标");
    if (length == 3 && c[1] == 'V' && (c[2] == 0 || c[2] == '0'))
        return "GS V " + Number(c[2]) + " " + translate("EscPosNames", "全切");
    if (length == 3 && c[1] == 'V' && (c[2] == 1 || c[2] == '1'))
        return "GS V " + Number(c[2]) + " " + translate("EscPosNames", "半切");
    if (length == 4 && c[1] == 'V') {
        return "GS V " + Number(c[2]) + " " + Number(c[3]) + " " +
               (c[2] == 65 ? translate("EscPosNames", "走纸并全切")
                           : translate("EscPosNames", "走纸并半切"));
    }
    if (length == 3 && c[1] == '!') {
        const std::string factors =
            c[2] == 0
                ? translate("EscPosNames", "正常大小")
                : Format(translate("EscPosNames", "宽%1倍 高%2倍"),
                         {std::to_string((c[2] >> 4) + 1), std::to_string((c[2] & 0x0F) + 1)});
        return "GS ! " + ByteValue(c[2]) + " " + factors;
    }
    if (length == 3 && c[1] == 'F') {
        const std::optional<std::string> what = FunctionSwitchName(c[2]);
        if (what) return "GS F " + ByteValue(c[2]) + " " + *what;
        return std::nullopt;
    }
    if (length > 3 && c[1] == 'k') {
        const char* type = BarcodeType(c[2]);
        if (!type) return std::nullopt;
        // Zero-terminated forms end in the terminator; counted forms carry a length byte.
        const std::size_t start = c[2] <= 6 ? 3 : 4;
        const std::size_t end = c[2] <= 6 ? length - 1 : length;
        const std::string data(reinterpret_cast<const char*>(c + start), end - start);
        return "GS k " + Number(c[2]) + " " + type + " \"" + FromGbk(data) + "\"";
    }
    return std::nullopt;
}

std::optional<std::string> PrefixedName(const std::uint8_t* c, std::size_t length) {
    switch (c[0]) {
        case kEsc:
            return EscName(c, length);
        case kGs:
            return GsName(c, length);
        case kFs:
            if (length > 3 && c[1] == 'q') {
                return "FS q " + Number(c[2]) + " " +
                       Format(translate("EscPosNames", "定义NV位图 (%1)"), {SizeText(length)});
            }
            if (length == 4 && c[1] == 'p') {
                return "FS p " + Number(c[2]) + " " + Number(c[3]) + " " +
                       translate("EscPosNames", "打印NV位图");
            }
            return std::nullopt;
        case kDle:
            if (length == 3 && c[1] == kEot) return "DLE EOT " + Number(c[2]);
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

std::optional<std::string> ControlName(std::uint8_t byte) {
    switch (byte) {
        case '\r':
            return std::string("CR");
        case '\n':
            return std::string("LF");
        case '\t':
            return std::string("HT");
        case 0x0C:
            return std::string("FF");
        default:
            return std::nullopt;
    }
}

bool IsPrintable(std::uint8_t byte) {
    return byte >= 0x20 && byte < 0x7F;
}

// The length of the text run at the start: printable ASCII and whole GBK characters.
std::size_t TextRunLength(const std::uint8_t* bytes, std::size_t size) {
    std::size_t position = 0;
    while (position < size) {
        if (IsPrintable(bytes[position])) {
            ++position;
        } else if (escpos::IsGbkLead(bytes[position]) && position + 1 < size &&
                   escpos::IsGbkTrail(bytes[position + 1])) {
            position += 2;
        } else {
            break;
        }
    }
    return position;
}

std::string TextName(const std::uint8_t* bytes, std::size_t size) {
    const std::size_t shown = std::min(size, kShownTextBytes);
    // Not in the middle of a double-byte character.
    const std::size_t whole = TextRunLength(bytes, shown) == shown ? shown : shown - 1;
    // Appended piece by piece: "\"" + std::string trips GCC 12's false -Wrestrict at -O3.
    std::string text = "\"";
    text += FromGbk({reinterpret_cast<const char*>(bytes), whole});
    text += '"';
    if (whole < size) {
        text += "… (";
        text += SizeText(size);
        text += ')';
    }
    return text;
}

// "CR" "LF" -> "CR LF"; a name repeated -> "name ×n".
void Append(std::vector<std::string>& names, std::vector<int>& repeats, std::string name) {
    if (!names.empty() && names.back() == "CR" && name == "LF" && repeats.back() == 1) {
        names.back() = "CR LF";
    } else if (!names.empty() && names.back() == name) {
        ++repeats.back();
    } else {
        names.push_back(std::move(name));
        repeats.push_back(1);
    }
    // "CR LF" after "CR LF" folds too.
    if (names.size() >= 2 && names.back() == names[names.size() - 2] && repeats.back() == 1) {
        names.pop_back();
        repeats.pop_back();
        ++repeats.back();
    }
}

}  // namespace

std::vector<std::string> NameCommands(const std::uint8_t* bytes, std::size_t size,
                                      std::size_t maxNames) {
    std::vector<std::string> names;
    std::vector<int> repeats;
    std::size_t position = 0;
    while (position < size && names.size() < maxNames) {
        const std::uint8_t* at = bytes + position;
        const std::size_t left = size - position;
        const std::size_t text = TextRunLength(at, left);
        if (text > 0) {
            Append(names, repeats, TextName(at, text));
            position += text;
            continue;
        }
        const std::optional<std::size_t> length = escpos::CommandLength(at, left);
        if (!length) {
            Append(names, repeats, Hex(at, left) + " " + translate("EscPosNames", "(不完整)"));
            position = size;
            continue;
        }
        std::optional<std::string> name =
            *length == 1 ? ControlName(at[0]) : PrefixedName(at, *length);
        Append(names, repeats, name ? std::move(*name) : Hex(at, *length));
        position += *length;
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (repeats[i] > 1) names[i] += " ×" + std::to_string(repeats[i]);
    }
    if (position < size)
        names.push_back(
            Format(translate("EscPosNames", "… (另有 %1)"), {SizeText(size - position)}));
    return names;
}

std::string DescribeSent(const std::uint8_t* bytes, std::size_t size) {
    std::string text;
    for (const std::string& name : NameCommands(bytes, size)) {
        if (!text.empty()) text += " | ";
        text += name;
    }
    return text;
}

std::string DescribeReply(const std::uint8_t* sent, std::size_t sentSize, const std::uint8_t* reply,
                          std::size_t replySize) {
    // The status queries of the send, in order: each is answered by one byte.
    std::vector<std::string> queries;
    for (std::size_t position = 0; position < sentSize;) {
        const std::optional<std::size_t> length =
            escpos::CommandLength(sent + position, sentSize - position);
        if (!length) break;
        const std::uint8_t* c = sent + position;
        if (*length == 3 && c[0] == kDle && c[1] == kEot)
            queries.push_back("DLE EOT " + Number(c[2]));
        if (*length == 3 && c[0] == kGs && c[1] == 'F' && c[2] == escpos::kPaperTakenStatus)
            queries.push_back("GS F 1");
        position += *length;
    }
    std::string text;
    const auto add = [&](const std::string& part) { text += (text.empty() ? "" : " | ") + part; };
    std::size_t used = 0;
    for (const std::string& query : queries) {
        add(query + " → " +
            (used < replySize ? ByteValue(reply[used++]) : translate("EscPosNames", "无回复")));
    }
    if (used < replySize) add(Hex(reply + used, replySize - used));
    return text;
}

}  // namespace quillora
