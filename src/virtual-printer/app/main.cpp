// quillora-virtual-printer: a receipt printer in software, for trying the program's tests
// without hardware and for checking what they send.
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <QFile>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <cstdio>
#include <memory>
#include <vector>

#include "CommandLine.h"
#include "ControlFifo.h"
#include "EndpointSession.h"
#include "PtyEndpoint.h"
#include "TcpEndpoint.h"

namespace {

using vprinter::EndpointSession;
using vprinter::Options;

// Prints each file as one connection of its own.
int Replay(const Options& options, vprinter::PrinterMemory& memory,
           vprinter::ReceiptFolder& folder) {
    int failures = 0;
    for (const QString& path : options.replayFiles) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            folder.Log("cannot read " + path.toStdString() + ": " +
                       file.errorString().toStdString());
            ++failures;
            continue;
        }
        EndpointSession session("replay " + path.toStdString(), memory, folder,
                                options.joinMilliseconds, options.idleMilliseconds);
        session.Received(file.readAll());
        session.Finish();
    }
    return failures == 0 ? 0 : 1;
}

// SIGINT and SIGTERM end the event loop, so that the last receipt is written and the
// link removed.
sigset_t StopSignals() {
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    return stopSignals;
}

std::unique_ptr<QSocketNotifier> QuitOnSignals(int& signalFd) {
    const sigset_t stopSignals = StopSignals();
    signalFd = ::signalfd(-1, &stopSignals, SFD_CLOEXEC);
    auto notifier = std::make_unique<QSocketNotifier>(signalFd, QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, [] { QCoreApplication::quit(); });
    return notifier;
}

}  // namespace

int main(int argc, char** argv) {
    // Signals are blocked before any thread starts, so that all of them leave the signals
    // to the signalfd.
    const sigset_t stopSignals = StopSignals();
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    // Fonts and painting only; the printer never opens a window.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    int exitCode = 0;
    const auto options = vprinter::ParseCommandLine(QCoreApplication::arguments(), exitCode);
    if (!options) return exitCode;

    vprinter::PrinterMemory memory;
    memory.sensors = options->sensors;
    vprinter::ReceiptFolder folder(options->outputDirectory);
    if (!options->replayFiles.isEmpty()) return Replay(*options, memory, folder);

    std::vector<std::unique_ptr<EndpointSession>> sessions;
    std::unique_ptr<vprinter::TcpEndpoint> tcp;
    std::unique_ptr<vprinter::PtyEndpoint> pty;
    QString error;
    std::string endpoints;
    if (options->tcp) {
        const std::string name = "tcp " + options->tcpAddress.toString().toStdString() + ":" +
                                 std::to_string(options->tcpPort);
        sessions.push_back(std::make_unique<EndpointSession>(
            name, memory, folder, options->joinMilliseconds, options->idleMilliseconds));
        tcp = std::make_unique<vprinter::TcpEndpoint>(*sessions.back());
        if (!tcp->Listen(options->tcpAddress, options->tcpPort, error)) {
            std::fprintf(stderr, "%s: %s\n", name.c_str(), qPrintable(error));
            return 1;
        }
        endpoints += name;
    }
    if (!options->ptyLink.isEmpty()) {
        sessions.push_back(std::make_unique<EndpointSession>(
            "serial " + options->ptyLink.toStdString(), memory, folder, options->joinMilliseconds,
            options->idleMilliseconds));
        pty = std::make_unique<vprinter::PtyEndpoint>(*sessions.back());
        if (!pty->Open(options->ptyLink, error)) {
            std::fprintf(stderr, "serial line: %s\n", qPrintable(error));
            return 1;
        }
        endpoints += (endpoints.empty() ? "" : ", ") + std::string("serial ") +
                     options->ptyLink.toStdString() + " -> " + pty->TerminalPath().toStdString();
    }
    if (sessions.empty()) {
        std::fprintf(stderr, "nothing to listen on: use --tcp, --pty-link or --replay\n");
        return 2;
    }

    // Declared after the sessions, so that it goes before them.
    std::unique_ptr<vprinter::ControlFifo> control;
    if (!options->controlPath.isEmpty()) {
        control = std::make_unique<vprinter::ControlFifo>(memory, folder, [&sessions] {
            for (const auto& session : sessions) session->SensorsChanged();
        });
        if (!control->Open(options->controlPath, error)) {
            std::fprintf(stderr, "control: %s\n", qPrintable(error));
            return 1;
        }
        endpoints += ", control " + options->controlPath.toStdString();
    }

    int signalFd = -1;
    const auto signalNotifier = QuitOnSignals(signalFd);
    folder.Log("ready: " + endpoints + "; receipts in " + folder.Directory().toStdString());
    const int result = QCoreApplication::exec();
    for (const auto& session : sessions) session->Finish();
    ::close(signalFd);
    return result;
}
