#pragma once

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QThread>
#include <string>

#include "PrinterHarness.h"

namespace quillora::test {

// One run of the real quillora-cli program.
struct CliRun {
    int status = -1;  // the exit status; -1 when it crashed or did not end
    QByteArray out, err;
};

// Waits for a started run to end and takes what it printed.
inline CliRun FinishCli(QProcess& process) {
    CliRun run;
    if (!process.waitForFinished(120000)) return run;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    if (process.exitStatus() == QProcess::NormalExit) run.status = process.exitCode();
    return run;
}

// Runs quillora-cli in `workDir` with `arguments`; QUILLORA_PORTS is `ports` (unset when
// empty), so discovery never reaches the machine's serial ports by accident of the caller.
// The locale is C, so the lines are in Chinese whatever the caller's language, unless
// `variables` ("NAME=VALUE" each) say otherwise.
inline CliRun RunCli(const QStringList& arguments, const QString& workDir,
                     const QString& ports = {}, const QStringList& variables = {}) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QUILLORA_PORTS"));
    if (!ports.isEmpty()) environment.insert(QStringLiteral("QUILLORA_PORTS"), ports);
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE", "QUILLORA_LANG"})
        environment.remove(QLatin1String(name));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("C"));
    for (const QString& variable : variables) {
        environment.insert(variable.section(QLatin1Char('='), 0, 0),
                           variable.section(QLatin1Char('='), 1));
    }
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(workDir);
    process.start(QStringLiteral(CLI_BINARY), arguments);
    return FinishCli(process);
}

// Every byte the printer kept, receipt after receipt, once `closings` receipts have been
// ended by the sender going away (each run ends with something printed, so each run ends
// one that way).
inline std::string ReceivedBytes(const vprinter::test::PrinterProcess& printer, int closings) {
    const QDeadlineTimer deadline(10000);
    while (printer.Log().count(QStringLiteral("ended by connection closed")) < closings &&
           !deadline.hasExpired()) {
        QThread::msleep(20);
    }
    std::string bytes;
    for (int number = 1;; ++number) {
        QFile receipt(printer.ReceiptPath(number, ".bin"));
        if (!receipt.open(QIODevice::ReadOnly)) return bytes;
        bytes += receipt.readAll().toStdString();
    }
}

}  // namespace quillora::test
