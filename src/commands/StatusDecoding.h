#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillora {

// The texts (UTF-8) that the status queries show for a printer's reply bytes.

// DLE EOT 4 reply: paper near its end (bit 2 or 3) or not.
std::string NearEndText(std::uint8_t paperSensor);

// GS F 1 reply: 32 no paper, 12 paper present; any other byte is named in hex.
std::string PaperTakenText(std::uint8_t reply);

// DLE EOT 2 reply then DLE EOT 4 reply: both bytes in hex, the cover, the paper and the
// near-end state (empty when the paper is not near its end).
std::string SerialStatusText(std::uint8_t offline, std::uint8_t paperSensor);

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

// The printer's state as DLE EOT 1-4 or automatic status back (GS a) tell it.
enum class PaperLevel { Present, NearEnd, Out };
struct PrinterState {
    bool online = true;
    PaperLevel paper = PaperLevel::Present;
    bool coverOpen = false;
    bool drawerPinHigh = false;  // drawer kick-out connector pin 3
    bool feedButton = false;     // paper being fed by the feed button
    bool cutterError = false;
    bool unrecoverableError = false;
    bool autoRecoverableError = false;
    bool operator==(const PrinterState&) const = default;
};

// A DLE EOT reply has bits 1 and 4 set, bits 0 and 7 clear; the first byte of an automatic
// status block has bit 4 set and bits 0, 1 and 7 clear. So both can be told apart in one
// stream.
bool IsRealTimeStatusReply(std::uint8_t byte);
bool StartsAutomaticStatus(std::uint8_t byte);

// The replies to DLE EOT 1, 2, 3 and 4 in that order; nothing when one is not a DLE EOT
// reply.
std::optional<PrinterState> DecodeRealTimeStatus(const std::array<std::uint8_t, 4>& replies);
// One automatic status block; nothing when its fixed bits are not there.
std::optional<PrinterState> DecodeAutomaticStatus(const std::array<std::uint8_t, 4>& block);
// A paper-sensor byte as GS r 1 and an automatic status block's third byte give it.
PaperLevel TransmittedPaperLevel(std::uint8_t reply);
// Offline, paper near its end or out, cover open, or any error.
bool ReportsFault(const PrinterState& state);
// The fields of a script's report (cover, paper out, near end).
StatusFields FieldsOf(const PrinterState& state);

// GS I 65-69 answer "_", the text and NUL: the text, or nothing when not framed so.
std::optional<std::string> PrinterIdText(std::string_view reply);

// The failures of a query, before any reply is decoded.
std::string SerialOnlyText();       // the connection is not a serial one
std::string ReadFailedText();       // near-end and serial-status queries
std::string ReadReplyFailedText();  // paper-taken query

}  // namespace quillora
