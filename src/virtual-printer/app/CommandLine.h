#pragma once

#include <QHostAddress>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>

#include "virtual-printer/lib/PrinterMemory.h"

namespace vprinter {

struct Options {
    bool tcp = true;
    QHostAddress tcpAddress{QHostAddress::LocalHost};
    quint16 tcpPort = 9100;
    QString ptyLink;      // "" when no serial line is offered
    QString controlPath;  // "" when the sensors are fixed
    QString outputDirectory = QStringLiteral("virtual-printer-out");
    SensorState sensors;
    int joinMilliseconds = 300;
    int idleMilliseconds = 2000;
    QStringList replayFiles;  // interpret these files and exit, without listening
};

// Reads the arguments. Returns nullopt after printing the help or an error (`exitCode`
// tells which).
std::optional<Options> ParseCommandLine(const QStringList& arguments, int& exitCode);

}  // namespace vprinter
