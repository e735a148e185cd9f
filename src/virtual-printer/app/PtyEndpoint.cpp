#include "virtual-printer/app/PtyEndpoint.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <QFileInfo>
#include <cerrno>
#include <cstring>

namespace vprinter {
namespace {

QString ErrnoText(const char* what) {
    return QStringLiteral("%1: %2").arg(QString::fromUtf8(what),
                                        QString::fromUtf8(std::strerror(errno)));
}

}  // namespace

PtyEndpoint::~PtyEndpoint() {
    Close();
}

void PtyEndpoint::Close() {
    notifier_.reset();
    openWatch_.stop();
    if (!link_.isEmpty()) ::unlink(QFile::encodeName(link_).constData());
    link_.clear();
    if (master_ >= 0) ::close(master_);
    master_ = -1;
}

bool PtyEndpoint::Open(const QString& linkPath, QString& error) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        error = ErrnoText("cannot create a pseudo-terminal");
        return false;
    }
    terminal_ = QString::fromUtf8(::ptsname(master_));
    // Raw, so that no byte is translated or echoed on its way to or from the sender.
    const int slave = ::open(QFile::encodeName(terminal_).constData(), O_RDWR | O_NOCTTY);
    if (slave < 0) {
        error = ErrnoText("cannot open the pseudo-terminal");
        return false;
    }
    termios settings{};
    ::tcgetattr(slave, &settings);
    ::cfmakeraw(&settings);
    const bool rawSet = ::tcsetattr(slave, TCSANOW, &settings) == 0;
    ::close(slave);
    if (!rawSet) {
        error = ErrnoText("cannot set the pseudo-terminal to raw mode");
        return false;
    }

    const QFileInfo existing(linkPath);
    if (existing.exists() && !existing.isSymLink()) {
        error = linkPath + QStringLiteral(" exists and is not a symbolic link");
        return false;
    }
    const QByteArray linkName = QFile::encodeName(linkPath);
    ::unlink(linkName.constData());
    if (::symlink(QFile::encodeName(terminal_).constData(), linkName.constData()) != 0) {
        error = ErrnoText("cannot create the link");
        return false;
    }
    link_ = linkPath;

    session_.SetReplyChannel([this](const QByteArray& bytes) {
        if (::write(master_, bytes.constData(), static_cast<size_t>(bytes.size())) !=
            bytes.size()) {
            session_.Log(ErrnoText("reply not written").toStdString());
        }
    });
    notifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
    notifier_->setEnabled(false);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &PtyEndpoint::ReadAvailable);
    openWatch_.setInterval(20);
    connect(&openWatch_, &QTimer::timeout, this, &PtyEndpoint::WatchForOpen);
    openWatch_.start();
    return true;
}

void PtyEndpoint::ReadAvailable() {
    // A piece at a time: a sender that writes as fast as this reads must not keep the
    // program from its other events (a signal among them). The notifier calls again.
    char buffer[4096];
    for (int reads = 0; reads < 16; ++reads) {
        const ssize_t count = ::read(master_, buffer, sizeof buffer);
        if (count > 0) {
            if (!connected_) {
                connected_ = true;
                session_.Opened();
            }
            session_.Received(QByteArray(buffer, static_cast<qsizetype>(count)));
            continue;
        }
        if (count < 0 && errno == EINTR) continue;
        if (count < 0 && errno == EAGAIN) return;
        HungUp();  // EIO: the sender's last close
        return;
    }
}

void PtyEndpoint::HungUp() {
    notifier_->setEnabled(false);
    if (connected_) {
        connected_ = false;
        session_.Closed();
    }
    openWatch_.start();
}

void PtyEndpoint::WatchForOpen() {
    pollfd watched{master_, POLLIN, 0};
    if (::poll(&watched, 1, 0) < 0) return;
    if (watched.revents & POLLIN) ReadAvailable();
    if (watched.revents & POLLHUP) return;
    openWatch_.stop();
    notifier_->setEnabled(true);
    if (!connected_) {
        connected_ = true;
        session_.Opened();
    }
}

}  // namespace vprinter
