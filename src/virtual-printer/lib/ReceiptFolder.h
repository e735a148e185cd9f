#pragma once

#include <QFile>
#include <QString>
#include <cstdio>
#include <string>

#include "virtual-printer/lib/EscPosInterpreter.h"

namespace vprinter {

// The output folder: receipt-NNNN.png (the paper) and receipt-NNNN.bin (the bytes) for
// each receipt, and printer.log with one line per receipt and per problem, each line
// also echoed on `echo` (standard output; none when null). Numbers continue after the
// receipts already there.
class ReceiptFolder {
public:
    explicit ReceiptFolder(const QString& directory, std::FILE* echo = stdout);

    const QString& Directory() const { return directory_; }
    // Why the folder or its log cannot be written; "" when both can.
    const QString& OpenError() const { return openError_; }

    // Writes the receipt's two files and, when `logged`, a line naming them; a file that
    // cannot be written is logged as such either way. Returns the PNG's path ("" when it
    // could not be written).
    QString Save(const Receipt& receipt, const std::string& source, bool logged = true);

    void Log(const std::string& line);

private:
    QString directory_;
    QString openError_;
    QFile log_;
    std::FILE* echo_;
    int nextNumber_ = 1;
};

}  // namespace vprinter
