#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quillora {

// Printer command sequences of the direct-command tests. A sequence is a byte string whose
// size is the length sent: where a command ends in a zero byte (barcode data terminator,
// size parameter 0) that byte is part of the string. Texts inside are GBK, lines end CR LF.
using CommandBlock = std::string;

// The text box's bytes followed by CR LF.
CommandBlock SinglePrintBlock(const std::string& textBoxBytes);

CommandBlock HalfCutBlock();        // ESC m
CommandBlock FullCutBlock();        // GS V 0
CommandBlock FeedBlock();           // ESC d 10
CommandBlock CashDrawerBlock();     // the five-byte drawer pulse
CommandBlock BlackMarkFeedBlock();  // GS FF

// The barcode page: CODE39, CODE128, JAN13 and JAN8 under their captions, then a closing
// line; one block per send.
std::vector<CommandBlock> BarcodePageBlocks();

// The sample line at 2x to 8x, the size reset, the sample line at normal size.
std::vector<CommandBlock> EnlargementBlocks();

// The same three lines centred, right-justified, then left-justified.
std::vector<CommandBlock> AlignmentBlocks();

// GS F n: switches one printer function; n holds the function and its new state.
CommandBlock FunctionSwitchBlock(std::uint8_t n);

// Status queries: DLE EOT 4, GS F 1, and DLE EOT 2 followed by DLE EOT 4.
CommandBlock NearEndQueryBlock();
CommandBlock PaperTakenQueryBlock();
CommandBlock SerialStatusQueryBlock();

}  // namespace quillora
