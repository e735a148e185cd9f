#include "platform/TerminationSignals.h"

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>

namespace quillora {
namespace {

sigset_t TerminationSet() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    return set;
}

}  // namespace

void BlockTerminationSignals() {
    const sigset_t set = TerminationSet();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

std::unique_ptr<TerminationSignals> TerminationSignals::Watch(std::function<void()> onSignal,
                                                              std::error_code& error) {
    const sigset_t set = TerminationSet();
    UniqueFd fd(::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC));
    if (!fd.Valid()) {
        error = std::error_code(errno, std::system_category());
        pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
        return nullptr;
    }
    return std::make_unique<TerminationSignals>(std::move(fd), std::move(onSignal));
}

TerminationSignals::TerminationSignals(UniqueFd fd, std::function<void()> onSignal)
    : fd_(std::move(fd)),
      notifier_(fd_.Get(), QSocketNotifier::Read),
      onSignal_(std::move(onSignal)) {
    QObject::connect(&notifier_, &QSocketNotifier::activated, [this] { Drain(); });
}

void TerminationSignals::Drain() {
    signalfd_siginfo info;
    // Each signal read is one close request; the descriptor is non-blocking, so the loop
    // ends when none is left.
    while (::read(fd_.Get(), &info, sizeof info) == static_cast<ssize_t>(sizeof info)) onSignal_();
}

}  // namespace quillora
