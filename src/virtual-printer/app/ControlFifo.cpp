#include "virtual-printer/app/ControlFifo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstring>
#include <utility>

namespace vprinter {
namespace {

constexpr std::size_t kLongestLine = 256;

QString ErrnoText(const QString& what) {
    return what + QStringLiteral(": ") + QString::fromUtf8(std::strerror(errno));
}

// For the log: blanks at the ends go, unprintable bytes show as '?'.
std::string Trimmed(const std::string& line) {
    const auto first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    std::string text = line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) c = '?';
    }
    return text;
}

}  // namespace

ControlFifo::~ControlFifo() {
    notifier_.reset();
    if (!path_.isEmpty()) ::unlink(QFile::encodeName(path_).constData());
    if (readFd_ >= 0) ::close(readFd_);
}

bool ControlFifo::Open(const QString& path, QString& error) {
    const QByteArray name = QFile::encodeName(path);
    struct stat existing {};
    if (::lstat(name.constData(), &existing) == 0) {
        if (!S_ISFIFO(existing.st_mode)) {
            error = path + QStringLiteral(" exists and is not a FIFO");
            return false;
        }
        ::unlink(name.constData());
    }
    if (::mkfifo(name.constData(), 0600) != 0) {
        error = ErrnoText(QStringLiteral("cannot create the FIFO ") + path);
        return false;
    }
    path_ = path;
    if (!Listen()) {
        error = ErrnoText(QStringLiteral("cannot open the FIFO ") + path);
        return false;
    }
    return true;
}

bool ControlFifo::Listen() {
    const int fd = ::open(QFile::encodeName(path_).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    if (readFd_ < 0) {
        readFd_ = fd;
        notifier_ = std::make_unique<QSocketNotifier>(readFd_, QSocketNotifier::Read);
        connect(notifier_.get(), &QSocketNotifier::activated, this, &ControlFifo::ReadAvailable);
        return true;
    }
    // The new end takes the old one's number in one step: the pipe always has a reader, so
    // a writer arriving meanwhile loses nothing, and the notifier watches on unchanged.
    const bool moved = ::dup3(fd, readFd_, O_CLOEXEC) >= 0;
    ::close(fd);
    return moved;
}

void ControlFifo::ReadAvailable() {
    char buffer[1024];
    for (;;) {
        const ssize_t count = ::read(readFd_, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0 && errno == EAGAIN) return;
        if (count == 0) {  // the last writer closed: its last line ends here
            if (!partial_.empty()) TakeLine(std::exchange(partial_, {}));
            if (!Listen()) {
                folder_.Log(ErrnoText(QStringLiteral("control: reading stopped")).toStdString());
                notifier_->setEnabled(false);
            }
            return;
        }
        if (count < 0) {
            folder_.Log(ErrnoText(QStringLiteral("control: reading stopped")).toStdString());
            notifier_->setEnabled(false);
            return;
        }
        partial_.append(buffer, static_cast<std::size_t>(count));
        for (auto end = partial_.find('\n'); end != std::string::npos; end = partial_.find('\n')) {
            const std::string line = partial_.substr(0, end);
            partial_.erase(0, end + 1);
            TakeLine(line);
        }
        if (partial_.size() > kLongestLine) {
            folder_.Log("control: line longer than " + std::to_string(kLongestLine) +
                        " bytes ignored");
            partial_.clear();
        }
    }
}

void ControlFifo::TakeLine(const std::string& line) {
    const std::string text = Trimmed(line);
    if (text.empty()) return;
    const auto changed = ApplyControlLine(memory_.sensors, text);
    if (!changed) {
        folder_.Log("control: unknown line \"" + text.substr(0, kLongestLine) +
                    "\" (known: " + ControlLines() + ")");
        return;
    }
    memory_.sensors = *changed;
    folder_.Log("control: " + text + ": " + Describe(memory_.sensors));
    sensorsChanged_();
}

}  // namespace vprinter
