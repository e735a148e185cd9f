#pragma once

#include <string>
#include <vector>

#include "cli/PortChoice.h"
#include "cli/TestResult.h"

namespace quillora::cli {

// "full-cut: ok: sent 3 of 3 bytes", one line per test, UTF-8.
std::string ResultLines(const std::vector<TestResult>& results);

// One JSON document: the port, the exit status and, per test, its name, outcome, bytes
// expected and sent, the reply in hex, the decoded status fields, the message and the
// duration in milliseconds.
std::string ResultJson(const PortName& port, const std::vector<TestResult>& results,
                       int exitStatus);

// `quillora-cli ports`: "COM1 /dev/ttyS0" lines, or a JSON array of {name, target}.
std::string PortLines(const std::vector<PortListing>& ports);
std::string PortJson(const std::vector<PortListing>& ports);

}  // namespace quillora::cli
