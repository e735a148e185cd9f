#include "commands/WholeFile.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "platform/InputFile.h"

namespace quillora {
namespace {

WholeFile Failed(WholeFile::Outcome outcome, std::error_code error) {
    WholeFile file;
    file.outcome = outcome;
    file.error = error;
    return file;
}

// Reads exactly `size` bytes at `offset`; false when the file ended early or failed.
bool ReadPiece(int fd, std::uint8_t* buffer, std::size_t size, off_t offset) {
    while (size > 0) {
        const ssize_t got = ::pread(fd, buffer, size, offset);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        buffer += got;
        size -= std::size_t(got);
        offset += got;
    }
    return true;
}

}  // namespace

WholeFile ReadWholeFile(const std::string& path) {
    OpenedInput input = OpenInput(path);
    if (input.error == std::errc::is_a_directory) {
        return Failed(WholeFile::Outcome::CannotRead, input.error);
    }
    if (input.error) return Failed(WholeFile::Outcome::CannotOpen, input.error);
    if (input.seekable) {
        if (input.length > kMaxSendLength) {
            return Failed(WholeFile::Outcome::TooLarge,
                          std::make_error_code(std::errc::file_too_large));
        }
        WholeFile file;
        file.file = std::move(input.fd);
        file.fileLength = input.length;
        return file;
    }
    StreamBytes stream = ReadToEnd(input.fd.Get(), kMaxStreamedFile);
    if (stream.tooLarge) {
        return Failed(WholeFile::Outcome::TooLarge,
                      std::make_error_code(std::errc::file_too_large));
    }
    if (stream.error) return Failed(WholeFile::Outcome::CannotRead, stream.error);
    WholeFile file;
    file.bytes = std::move(stream.bytes);
    return file;
}

SendTally SendWholeFile(SendChannel& channel, const WholeFile& file) {
    SendTally tally;
    tally.total = file.Length();
    std::vector<std::uint8_t> piece;
    // An empty file is still one call, with a real address as a buffer of any length has.
    static constexpr std::uint8_t kNoByte = 0;
    std::int64_t offset = 0;
    do {
        const int size = int(std::min<std::int64_t>(kFilePieceBytes, tally.total - offset));
        const std::uint8_t* data =
            file.bytes.empty() ? &kNoByte
                               : reinterpret_cast<const std::uint8_t*>(file.bytes.data()) + offset;
        if (file.file.Valid()) {
            piece.resize(std::size_t(size));
            if (!ReadPiece(file.file.Get(), piece.data(), piece.size(), off_t(offset))) break;
            data = piece.data();
        }
        const int taken = channel.Send(data, size);
        tally.taken += std::max(taken, 0);
        if (taken != size) break;
        offset += size;
    } while (offset < tally.total);
    return tally;
}

}  // namespace quillora
