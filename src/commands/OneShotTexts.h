#pragma once

#include <QString>

namespace quillora {

// The single-print test's report when the driver took fewer (or other) bytes than sent.
QString PartialSendText(int sent, int length);

// The print-file test's report for a file that one send cannot carry.
QString FileTooLargeText();

}  // namespace quillora
