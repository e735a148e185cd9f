#pragma once

#include <string>

namespace quillora {

// The single-print test's report when the driver took fewer (or other) bytes than sent.
std::string PartialSendText(int sent, int length);

// The print-file test's report for a file that one send cannot carry.
std::string FileTooLargeText();

}  // namespace quillora
