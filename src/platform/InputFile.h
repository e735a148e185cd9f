#pragma once

#include <cstdint>
#include <string>
#include <system_error>
#include <vector>

#include "platform/UniqueFd.h"

namespace quillora {

// A file named by the user, opened for reading as every input reader opens it.
struct OpenedInput {
    UniqueFd fd;
    std::error_code error;  // why it could not be opened (EISDIR for a folder)
    // A regular file whose length fstat gives. Pipes, devices, sockets and files that
    // report no length (an empty file, /proc) are streams: read them to their end.
    bool seekable = false;
    std::int64_t length = 0;  // when seekable
};

// Opens without waiting for a named pipe's writer, then reads blocking: a pipe whose
// writer has gone (or never came) reads as empty instead of hanging the reader.
OpenedInput OpenInput(const std::string& path);

struct StreamBytes {
    // What was read, at most the limit. A vector: its reserve takes exactly what is asked,
    // where a string's may double past the limit.
    std::vector<char> bytes;
    bool tooLarge = false;  // the stream had more than the limit; reading stopped there
    std::error_code error;  // a read failed
};

// Reads `fd` from where it stands to its end, holding at most `limit` bytes: one byte
// past the limit ends the read as too large, so /dev/zero costs `limit` and no more.
StreamBytes ReadToEnd(int fd, std::int64_t limit);

// The whole input at `path` when it holds at most `limit` bytes, however it is reached.
StreamBytes ReadInput(const std::string& path, std::int64_t limit);

}  // namespace quillora
