#pragma once

#include <optional>
#include <string>

namespace quillora::cli {

// Why a file named on the command line cannot be used ("no such file", "is a folder",
// "cannot be read: ..."), or nothing when it can be opened for reading.
std::optional<std::string> InputFileProblem(const std::string& path);

}  // namespace quillora::cli
