#include "preview/ReceiptPreview.h"

#include <algorithm>
#include <utility>

#include "monitor/TrafficReading.h"
#include "preview/DrawnStream.h"
#include "virtual-printer/lib/EscPosInterpreter.h"

namespace quillora {

// The interpreter as far as it has read, and where each call it read began in its bytes.
struct ReceiptPreview::Reader {
    Reader(const PreviewRequest& request, vprinter::Drawings& drawings)
        : port(request.port),
          generation(request.generation),
          interpreter(memory, recorder, drawings) {
        // The receipt under way and the last one cut are all a picture shows.
        recorder.KeepReceipts(1);
    }

    PortName port;
    std::uint64_t generation;
    std::uint64_t next = 0;  // the first sequence not yet read
    std::size_t bytesRead = 0;
    // (offset of its first byte, sequence) for each call read, from the last receipt's start.
    std::deque<std::pair<std::size_t, std::uint64_t>> calls;
    vprinter::PrinterMemory memory;
    StreamRecorder recorder;
    vprinter::EscPosInterpreter interpreter;
};

ReceiptPreview::ReceiptPreview() = default;
ReceiptPreview::~ReceiptPreview() = default;

void ReceiptPreview::Start(const PreviewRequest& request) {
    reader_.reset();  // its interpreter holds the drawings' caches until then
    reader_ = std::make_unique<Reader>(request, drawings_);
}

void ReceiptPreview::ReadUpTo(const PreviewRequest& request, const TrafficLog& log) {
    Reader& reader = *reader_;
    if (request.upTo < reader.next) return;
    const TrafficLog::Update update = log.Since(reader.next, request.upTo - reader.next + 1);
    for (const TrafficLog::Entry& entry : update.entries) {
        if (entry.sequence > request.upTo) break;
        const TrafficEvent& event = *entry.event;
        if (event.direction != TrafficDirection::Sent || event.port != reader.port) continue;
        const std::span<const std::uint8_t> taken = TakenBytes(entry);
        if (taken.empty()) continue;
        reader.calls.emplace_back(reader.bytesRead, entry.sequence);
        reader.bytesRead += taken.size();
        reader.interpreter.Feed(taken.data(), taken.size());
    }
    reader.next = std::min(request.upTo + 1, std::max(update.next, reader.next));

    // Forget what lies before the last receipt cut: no picture reaches back past it.
    StreamRecorder& recorder = reader.recorder;
    const std::size_t keepFrom =
        recorder.Receipts().empty() ? recorder.ReceiptStart() : recorder.Receipts().front().start;
    while (reader.calls.size() > 1 && reader.calls[1].first <= keepFrom) reader.calls.pop_front();
    auto& problems = recorder.Problems();
    problems.erase(std::remove_if(problems.begin(), problems.end(),
                                  [&](const DrawnProblem& p) { return p.offset < keepFrom; }),
                   problems.end());
}

std::uint64_t ReceiptPreview::SequenceAt(std::size_t offset) const {
    const auto& calls = reader_->calls;
    auto after = std::upper_bound(calls.begin(), calls.end(), offset,
                                  [](std::size_t at, const auto& call) { return at < call.first; });
    return after == calls.begin() ? 0 : std::prev(after)->second;
}

PreviewPicture ReceiptPreview::Draw(const PreviewRequest& request, const TrafficLog& log) {
    if (!reader_ || reader_->port != request.port || reader_->generation != request.generation ||
        request.upTo + 1 < reader_->next) {
        Start(request);
    }
    ReadUpTo(request, log);

    PreviewPicture drawn{request, {}, {}};
    StreamRecorder& recorder = reader_->recorder;
    const vprinter::Paper underWay = reader_->interpreter.PaperSoFar();
    std::size_t from = recorder.ReceiptStart();
    std::size_t to = reader_->bytesRead;
    if (underWay.Used()) {
        drawn.picture = underWay.Picture();
    } else if (!recorder.Receipts().empty()) {
        const StreamRecorder::Finished& last = recorder.Receipts().back();
        drawn.picture = last.receipt.paper.Picture();
        from = last.start;
        to = last.start + last.receipt.raw.size();
    }
    for (const DrawnProblem& problem : recorder.Problems()) {
        if (problem.offset >= from && problem.offset < to) {
            drawn.problems.push_back({SequenceAt(problem.offset), problem.text});
        }
    }
    return drawn;
}

}  // namespace quillora
