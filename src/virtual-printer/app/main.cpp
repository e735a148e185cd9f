// quillora-virtual-printer: a receipt printer in software, for trying the program's tests
// without hardware and for checking what they send.
#include <QFile>
#include <QGuiApplication>
#include <cstdio>
#include <memory>
#include <vector>

#include "platform/TerminationSignals.h"
#include "virtual-printer/app/CommandLine.h"
#include "virtual-printer/app/ControlFifo.h"
#include "virtual-printer/app/EndpointSession.h"
#include "virtual-printer/app/PtyEndpoint.h"
#include "virtual-printer/app/TcpEndpoint.h"

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
        // A piece at a time: a file of any size, or a pipe, takes no more memory than one.
        constexpr qint64 kPiece = 1 << 20;
        for (QByteArray piece = file.read(kPiece); !piece.isEmpty(); piece = file.read(kPiece)) {
            session.Received(piece);
        }
        session.Finish();
        if (file.error() != QFileDevice::NoError) {
            folder.Log("cannot read " + path.toStdString() + ": " +
                       file.errorString().toStdString());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    quillora::BlockTerminationSignals();

    // Fonts and painting only; the printer never opens a window.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    int exitCode = 0;
    const auto options = vprinter::ParseCommandLine(QCoreApplication::arguments(), exitCode);
    if (!options) return exitCode;

    vprinter::PrinterMemory memory;
    memory.sensors = options->sensors;
    vprinter::ReceiptFolder folder(options->outputDirectory);
    if (!folder.OpenError().isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(folder.OpenError()));
        return 1;
    }
    if (!options->replayFiles.isEmpty()) return Replay(*options, memory, folder);

    std::vector<std::unique_ptr<EndpointSession>> sessions;
    std::unique_ptr<vprinter::TcpEndpoint> tcp;
    std::unique_ptr<vprinter::PtyEndpoint> pty;
    // SIGINT and SIGTERM stop the reading and close the connections at once, then end the
    // event loop, so that the last receipt is written and the link removed; a printer that
    // could not promise that does not start.
    std::error_code signalError;
    const auto quitOnSignal = quillora::TerminationSignals::Watch(
        [&tcp, &pty] {
            if (tcp) tcp->Close();
            if (pty) pty->Close();
            QCoreApplication::quit();
        },
        signalError);
    if (!quitOnSignal) {
        std::fprintf(stderr, "signals: %s\n", signalError.message().c_str());
        return 1;
    }

    QString error;
    std::string endpoints;
    if (options->tcp) {
        const std::string name = "tcp " + options->tcpAddress.toString().toStdString() + ":" +
                                 std::to_string(options->tcpPort);
        sessions.push_back(std::make_unique<EndpointSession>(
            name, memory, folder, options->joinMilliseconds, options->idleMilliseconds));
        tcp = std::make_unique<vprinter::TcpEndpoint>(*sessions.back(), options->idleMilliseconds);
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

    folder.Log("ready: " + endpoints + "; receipts in " + folder.Directory().toStdString());
    const int result = QCoreApplication::exec();
    for (const auto& session : sessions) session->Finish();
    return result;
}
