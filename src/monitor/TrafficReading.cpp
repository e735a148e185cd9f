#include "monitor/TrafficReading.h"

#include <algorithm>

#include "commands/EscPosNames.h"
#include "escpos/HexBytes.h"
#include "texts/Texts.h"

namespace quillora {
namespace {

using texts::Format;
using texts::translate;

constexpr std::size_t kShownHexBytes = 256;
// How far back a reply looks for the send it answers.
constexpr std::size_t kReplySearchRows = 64;

std::string BytesText(std::size_t count) {
    return Format(translate("TrafficReading", "%1 字节"), {std::to_string(count)});
}

std::string Reading(const TrafficRows& rows, std::size_t index) {
    const TrafficLog::Entry& entry = rows[index];
    const TrafficEvent& event = *entry.event;
    const std::uint8_t* bytes = event.bytes.data();
    if (event.direction == TrafficDirection::Sent) {
        const std::string named = DescribeSent(bytes, event.bytes.size());
        if (entry.bytesCut == 0) return named;
        return Format(translate("TrafficReading", "(前 %1未保留)"), {BytesText(entry.bytesCut)}) +
               " " + named;
    }
    const std::size_t oldest = index > kReplySearchRows ? index - kReplySearchRows : 0;
    for (std::size_t i = index; i-- > oldest;) {
        const TrafficEvent& before = *rows[i].event;
        if (before.direction == TrafficDirection::Sent && before.port == event.port) {
            return DescribeReply(before.bytes.data(), before.bytes.size(), bytes,
                                 event.bytes.size());
        }
    }
    return DescribeReply(nullptr, 0, bytes, event.bytes.size());
}

}  // namespace

std::string ShownHex(const TrafficLog::Entry& entry) {
    const std::vector<std::uint8_t>& bytes = entry.event->bytes;
    const std::size_t shown = std::min(bytes.size(), kShownHexBytes);
    std::string text = escpos::HexBytes(bytes.data(), shown);
    if (shown < bytes.size() || entry.bytesCut > 0) {
        text += " … (" + BytesText(bytes.size() + entry.bytesCut) + ")";
    }
    return text;
}

std::string ReadingOf(const TrafficRows& rows, std::size_t index) {
    const std::string& error = rows[index].event->error;
    const std::string reading = Reading(rows, index);
    if (error.empty()) return reading;
    return Format(translate("TrafficReading", "错误: %1"), {error}) +
           (reading.empty() ? "" : " | " + reading);
}

std::string TrafficText(const TrafficRows& rows) {
    std::string text;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        text += FormatTrafficLine(*rows[i].event);
        const std::string reading = Reading(rows, i);
        if (!reading.empty()) text += " | " + reading;
        text += '\n';
    }
    return text;
}

std::string SentBytes(const TrafficRows& rows, const PortName& port) {
    std::string bytes;
    for (const TrafficLog::Entry& entry : rows) {
        const TrafficEvent& event = *entry.event;
        if (event.direction != TrafficDirection::Sent || event.port != port) continue;
        const std::span<const std::uint8_t> taken = TakenBytes(entry);
        bytes.append(taken.begin(), taken.end());
    }
    return bytes;
}

std::span<const std::uint8_t> TakenBytes(const TrafficEvent& event, std::size_t bytesCut) {
    // The kept bytes start `bytesCut` into the call; the driver took its first `returned`.
    const std::ptrdiff_t taken =
        std::clamp<std::ptrdiff_t>(std::ptrdiff_t(event.returned) - std::ptrdiff_t(bytesCut), 0,
                                   std::ptrdiff_t(event.bytes.size()));
    return {event.bytes.data(), static_cast<std::size_t>(taken)};
}

std::span<const std::uint8_t> TakenBytes(const TrafficLog::Entry& entry) {
    return TakenBytes(*entry.event, entry.bytesCut);
}

}  // namespace quillora
