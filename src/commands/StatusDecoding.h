#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace quillora {

// The texts that the status queries show for a printer's reply bytes.

// DLE EOT 4 reply: paper near its end (bit 2 or 3) or not.
QString NearEndText(std::uint8_t paperSensor);

// GS F 1 reply: 32 no paper, 12 paper present; any other byte is named in hex.
QString PaperTakenText(std::uint8_t reply);

// DLE EOT 2 reply then DLE EOT 4 reply: both bytes in hex, the cover, the paper and the
// near-end state (empty when the paper is not near its end).
QString SerialStatusText(std::uint8_t offline, std::uint8_t paperSensor);

// The same replies as fields, for a script to read; a field the reply does not speak of
// stays empty.
struct StatusFields {
    std::optional<bool> paperNearEnd;
    std::optional<bool> coverOpen;
    std::optional<bool> paperOut;
    std::optional<bool> paperPresent;  // GS F 1: 12 yes, 32 no
    bool unrecognised = false;         // GS F 1 answered with any other byte
};
StatusFields NearEndFields(std::uint8_t paperSensor);
StatusFields PaperTakenFields(std::uint8_t reply);
StatusFields SerialStatusFields(std::uint8_t offline, std::uint8_t paperSensor);

// A reply counts as a fault when the paper is near its end or out, the cover is open, or
// the paper-taken reply is "no paper" or a byte with no meaning.
bool ReportsFault(const StatusFields& fields);

// The failures of a query, before any reply is decoded.
QString SerialOnlyText();       // the connection is not a serial one
QString ReadFailedText();       // near-end and serial-status queries
QString ReadReplyFailedText();  // paper-taken query

}  // namespace quillora
