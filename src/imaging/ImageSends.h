#pragma once

#include "commands/PortExchange.h"
#include "imaging/PaddedBitmap.h"
#include "port/SendChannel.h"

namespace quillora {

// Row multiples the two picture tests read their BMP with.
inline constexpr int kNvLogoRowMultiple = 8;
inline constexpr int kRasterRowMultiple = 24;

// What the NV logo test reports once the print command was taken (UTF-8).
const char* NvLogoDoneText();

struct ImageSend {
    bool noMemory = false;  // the command block could not be made; nothing was sent
    SendTally tally;        // every byte the test means to send, and what was taken
    int lastCount = 0;      // the last SendData's count
};

// The NV logo definition in one piece, then, only when the driver took any of it, the
// print command. `bitmap` was read with kNvLogoRowMultiple.
ImageSend SendNvLogo(SendChannel& channel, const PaddedBitmap& bitmap);
// Every byte SendNvLogo means to send.
std::int64_t NvLogoSendLength(const PaddedBitmap& bitmap);

// One ESC * band after the other, stopping at the first that the driver takes none of.
// `bitmap` was read with kRasterRowMultiple.
ImageSend SendRasterBands(SendChannel& channel, const PaddedBitmap& bitmap);
// Every byte SendRasterBands means to send.
std::int64_t RasterSendLength(const PaddedBitmap& bitmap);

}  // namespace quillora
