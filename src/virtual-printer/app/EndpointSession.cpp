#include "virtual-printer/app/EndpointSession.h"

namespace vprinter {

EndpointSession::EndpointSession(std::string name, PrinterMemory& memory, ReceiptFolder& folder,
                                 int joinMilliseconds, int idleMilliseconds)
    : name_(std::move(name)),
      folder_(folder),
      interpreter_(memory, *this),
      joinMilliseconds_(joinMilliseconds),
      idleMilliseconds_(idleMilliseconds) {
    quiet_.setSingleShot(true);
    connect(&quiet_, &QTimer::timeout, this, &EndpointSession::Settle);
}

void EndpointSession::Opened() {
    EndLineCount();
    connected_ = true;
    quiet_.start(idleMilliseconds_);
}

void EndpointSession::Received(const QByteArray& bytes) {
    interpreter_.Feed(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                      static_cast<std::size_t>(bytes.size()));
    quiet_.start(connected_ ? idleMilliseconds_ : joinMilliseconds_);
}

void EndpointSession::Closed() {
    connected_ = false;
    interpreter_.SenderGone();
    quiet_.start(joinMilliseconds_);
    EndLineCount();
}

void EndpointSession::Finish() {
    quiet_.stop();
    interpreter_.EndOfStream();
    EndLineCount();
}

void EndpointSession::Settle() {
    if (connected_) {
        interpreter_.Pause();
    } else {
        interpreter_.EndOfStream();
    }
}

void EndpointSession::Reply(const std::vector<std::uint8_t>& bytes) {
    if (!replyChannel_) {
        Log("reply " + HexBytes(bytes.data(), bytes.size()) + " dropped: no sender connected");
        return;
    }
    replyChannel_(QByteArray(reinterpret_cast<const char*>(bytes.data()),
                             static_cast<qsizetype>(bytes.size())));
}

void EndpointSession::Log(const std::string& line) {
    if (TakeLine()) folder_.Log(name_ + ": " + line);
}

void EndpointSession::ReceiptDone(Receipt receipt) {
    folder_.Save(receipt, name_, TakeLine());
}

bool EndpointSession::TakeLine() {
    if (lines_ < kLinesPerConnection) {
        ++lines_;
        return true;
    }
    ++linesLeftOut_;
    return false;
}

void EndpointSession::EndLineCount() {
    if (linesLeftOut_ > 0) {
        folder_.Log(name_ + ": " + std::to_string(linesLeftOut_) +
                    " more lines of this connection not logged (at most " +
                    std::to_string(kLinesPerConnection) + " per connection)");
    }
    lines_ = 0;
    linesLeftOut_ = 0;
}

}  // namespace vprinter
