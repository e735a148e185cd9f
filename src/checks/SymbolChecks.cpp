#include "checks/SymbolChecks.h"

#include "checks/SendChecks.h"
#include "escpos/Commands.h"
#include "platform/CodePage936.h"
#include "texts/Texts.h"

namespace quillora {
namespace {

namespace esc = escpos;

constexpr std::uint8_t kFeedAfterSymbol = 4;
// PDF417: automatic columns and rows, modules 3 dots wide and 3 times as high, level 2.
constexpr std::uint8_t kPdf417ModuleWidth = 3;
constexpr std::uint8_t kPdf417RowHeight = 3;
constexpr std::uint8_t kPdf417ErrorLevel = 2;

std::vector<CommandBlock> Framed(std::vector<CommandBlock> symbol) {
    symbol.insert(symbol.begin(), esc::Justify(esc::Justification::Centre));
    symbol.push_back(esc::FeedLines(kFeedAfterSymbol) + esc::Justify(esc::Justification::Left));
    return symbol;
}

esc::QrErrorLevel LevelOf(char level) {
    switch (level) {
        case 'L':
            return esc::QrErrorLevel::L;
        case 'Q':
            return esc::QrErrorLevel::Q;
        case 'H':
            return esc::QrErrorLevel::H;
        default:
            return esc::QrErrorLevel::M;
    }
}

}  // namespace

std::string DefaultSymbolText(SymbolKind kind) {
    // Encoded in the symbol, so the same in every language, as every printed text.
    return kind == SymbolKind::Qr ? "Quillora 二维码测试 0123456789"
                                  : "Quillora PDF417测试 0123456789";
}

std::vector<CommandBlock> QrCodeBlocks(const std::string& data, int moduleSize, char errorLevel) {
    return Framed({esc::QrSelectModel(2) + esc::QrModuleSize(std::uint8_t(moduleSize)) +
                       esc::QrErrorCorrection(LevelOf(errorLevel)),
                   esc::QrStore(data) + esc::QrPrint()});
}

std::vector<CommandBlock> Pdf417Blocks(const std::string& data) {
    return Framed(
        {esc::Pdf417Columns(0) + esc::Pdf417Rows(0) + esc::Pdf417ModuleWidth(kPdf417ModuleWidth) +
             esc::Pdf417RowHeight(kPdf417RowHeight) + esc::Pdf417ErrorLevel(kPdf417ErrorLevel),
         esc::Pdf417Store(data) + esc::Pdf417Print()});
}

std::optional<ReadyCheck> PrepareSymbolOf(CheckHost& host, SymbolKind kind) {
    const std::optional<SymbolRequest> request = host.Symbol(kind);
    if (!request) return std::nullopt;
    const std::string data =
        request->encoding == TextEncoding::Utf8 ? request->text : ToGbk(request->text);
    const auto refuse = [&](const std::string& why, const std::string& line) {
        host.Refuse({why, MessageIcon::Exclamation, line});
        return std::nullopt;
    };
    if (data.empty())
        return refuse(texts::translate("SymbolChecks", "请输入要编码的文字!"),
                      "the text is empty");
    if (data.size() > kMaxSymbolTextBytes) {
        return refuse(texts::translate("SymbolChecks", "文字太长,最多1000字节!"),
                      "longer than " + std::to_string(kMaxSymbolTextBytes) + " bytes");
    }
    if (kind == SymbolKind::Qr &&
        (request->qrModuleSize < 3 || request->qrModuleSize > 8 ||
         std::string_view("LMQH").find(request->qrErrorLevel) == std::string_view::npos)) {
        return refuse(texts::translate("SymbolChecks", "二维码设置不正确!"),
                      "module size 3 to 8, error level L, M, Q or H");
    }
    return PrepareBlocks(kind == SymbolKind::Qr
                             ? QrCodeBlocks(data, request->qrModuleSize, request->qrErrorLevel)
                             : Pdf417Blocks(data));
}

}  // namespace quillora
