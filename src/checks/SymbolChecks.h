#pragma once

#include <optional>
#include <string>
#include <vector>

#include "checks/CheckHost.h"
#include "commands/CommandBytes.h"

namespace quillora {

// The 2D-code checks: a QR code (model 2) or a PDF417 symbol of the user's text, centred,
// then fed clear of the cutter.

// The longest text a symbol takes, in the bytes it is sent as: a version 40 QR code at level
// H holds 1273 bytes, a PDF417 symbol about 1100.
inline constexpr size_t kMaxSymbolTextBytes = 1000;

// The text when none is given (UTF-8).
std::string DefaultSymbolText(SymbolKind kind);

// The blocks of one symbol: its settings, the data, the print command. `data` is the text
// already in its encoding.
std::vector<CommandBlock> QrCodeBlocks(const std::string& data, int moduleSize, char errorLevel);
std::vector<CommandBlock> Pdf417Blocks(const std::string& data);

std::optional<ReadyCheck> PrepareSymbolOf(CheckHost& host, SymbolKind kind);
template <SymbolKind Kind>
std::optional<ReadyCheck> PrepareSymbol(CheckHost& host) {
    return PrepareSymbolOf(host, Kind);
}

}  // namespace quillora
