#pragma once

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "monitor/TrafficLog.h"
#include "port/PortDriver.h"
#include "virtual-printer/lib/Drawings.h"

namespace quillora {

class StreamRecorder;

// Which receipt to draw: the one the sends to `port` made up to and including the call
// `upTo` (a sequence of the log), as a printer there would have it after that call.
struct PreviewRequest {
    PortName port;
    std::uint64_t upTo = 0;
    // Changes when the log is cleared: what was read before is forgotten.
    std::uint64_t generation = 0;

    bool operator==(const PreviewRequest&) const = default;
};

// A command of the drawn receipt that the printer would not carry out as sent.
struct PreviewProblem {
    std::uint64_t sequence = 0;  // the call whose bytes hold it
    std::string text;            // as the virtual printer logs it after the offset
};

struct PreviewPicture {
    PreviewRequest request;
    QImage picture;  // the paper as the virtual printer saves it; null when nothing printed
    std::vector<PreviewProblem> problems;
};

// Reads the log's sends to one port with the virtual printer's interpreter, from the first
// call the log keeps, and draws the receipt under way (or the last one cut) at any call.
// It follows the log: a request for a later call reads only the calls since the last one,
// and only a request for an earlier call, another port or a cleared log starts again.
// Settings and stored images made by earlier receipts therefore hold, as at the printer.
// Receipts end at cuts and at the paper's length limit; the pauses that also end one at
// the virtual printer leave no trace in the log. One thread uses it at a time.
class ReceiptPreview {
public:
    ReceiptPreview();
    ~ReceiptPreview();
    ReceiptPreview(const ReceiptPreview&) = delete;
    ReceiptPreview& operator=(const ReceiptPreview&) = delete;

    PreviewPicture Draw(const PreviewRequest& request, const TrafficLog& log);

private:
    struct Reader;
    void Start(const PreviewRequest& request);
    void ReadUpTo(const PreviewRequest& request, const TrafficLog& log);
    std::uint64_t SequenceAt(std::size_t offset) const;

    // Characters, barcodes and converters stay drawn across restarts.
    vprinter::Drawings drawings_;
    std::unique_ptr<Reader> reader_;
};

}  // namespace quillora
