#pragma once

#include <climits>
#include <cstdint>
#include <string>
#include <system_error>
#include <vector>

#include "platform/UniqueFd.h"
#include "port/SendChannel.h"

namespace quillora {

// The longest file that a print-file test sends: its tally counts in a signed 32-bit int.
inline constexpr std::int64_t kMaxSendLength = INT_MAX;
// A pipe or device cannot be read twice, so it is held in memory: at most this much.
inline constexpr std::int64_t kMaxStreamedFile = std::int64_t{64} << 20;
// A file longer than this goes out in SendData calls of this size, read as it is sent.
inline constexpr int kFilePieceBytes = 1 << 20;

struct WholeFile {
    enum class Outcome {
        Read,        // Length() bytes are ready to send
        CannotOpen,  // error holds the OS error
        CannotRead,  // error holds the OS error (EISDIR for a folder)
        TooLarge,    // a file over kMaxSendLength, or a stream over kMaxStreamedFile
    };
    Outcome outcome = Outcome::Read;
    std::error_code error;
    // A regular file stays open and is read piece by piece while it is sent; a stream
    // (pipe, device, a file with no length) was read to its end into `bytes`.
    UniqueFd file;
    std::int64_t fileLength = 0;
    std::vector<char> bytes;

    std::int64_t Length() const { return file.Valid() ? fileLength : std::int64_t(bytes.size()); }
};

// Opens a file to be sent byte for byte, without conversion. A named pipe whose writer has
// gone reads as empty; nothing is held beyond kMaxStreamedFile.
WholeFile ReadWholeFile(const std::string& path);

// Sends the file: one SendData call when it is at most kFilePieceBytes long (an empty
// file too), otherwise one call per piece, holding one piece at a time. A piece the driver
// did not take whole (or a file that became shorter) ends the send there.
SendTally SendWholeFile(SendChannel& channel, const WholeFile& file);

}  // namespace quillora
