#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// ESC/POS read for a person: where each command ends comes from the one framing table
// (escpos/EscPosFraming.h); this file only names what it frames. Names are UTF-8.
namespace quillora {

// Each command of `bytes` named ("GS V 0 全切", "DLE EOT 4", "GS k 4 CODE39 \"123456\""),
// runs of text decoded from GBK and quoted, control bytes by their names ("CR LF"), repeats
// of one name folded ("CR LF ×4"), anything unknown as hex. A large run is named only up to
// `maxNames` entries; the last entry then says how many bytes were left unnamed.
std::vector<std::string> NameCommands(const std::uint8_t* bytes, std::size_t size,
                                      std::size_t maxNames = 48);

// NameCommands joined by " | ".
std::string DescribeSent(const std::uint8_t* bytes, std::size_t size);

// A reply read in the light of the send before it: each reply byte goes to the next status
// query of `sent` ("DLE EOT 2 → 0x12 | DLE EOT 4 → 0x1e"), a query left without one says
// so, and bytes nobody asked for are shown as hex.
std::string DescribeReply(const std::uint8_t* sent, std::size_t sentSize, const std::uint8_t* reply,
                          std::size_t replySize);

}  // namespace quillora
