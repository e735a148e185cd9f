#pragma once

#include <QString>
#include <cstdint>

namespace quillora {

// The texts that the status queries show for a printer's reply bytes.

// DLE EOT 4 reply: paper near its end (bit 2 or 3) or not.
QString NearEndText(std::uint8_t paperSensor);

// GS F 1 reply: 32 no paper, 12 paper present; any other byte is named in hex.
QString PaperTakenText(std::uint8_t reply);

// DLE EOT 2 reply then DLE EOT 4 reply: both bytes in hex, the cover, the paper and the
// near-end state (empty when the paper is not near its end).
QString SerialStatusText(std::uint8_t offline, std::uint8_t paperSensor);

// The failures of a query, before any reply is decoded.
QString SerialOnlyText();       // the connection is not a serial one
QString ReadFailedText();       // near-end and serial-status queries
QString ReadReplyFailedText();  // paper-taken query

}  // namespace quillora
