// What quillora-cli loads: a port run, in either language, no Qt at all (the dynamic loader's
// work on Qt Core and its libraries was most of a run's time), nothing that draws pages and
// no serial-port library (discovery reads sysfs itself); a run that draws pages is handed over to
// quillora-cli-full, and a missing one is said.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QTcpServer>
#include <QTemporaryDir>
#include <algorithm>
#include <set>
#include <string>

#include "CliHarness.h"
#include "support/LoopbackAddress.h"

namespace quillora {
namespace {

using test::RunCli;

constexpr const char* kDrawingLibraries[] = {"libQt6Gui.so", "libQt6PrintSupport.so",
                                             "libQt6Widgets.so", "libcups.so", "libzint.so"};
constexpr const char* kSerialLibraries[] = {"libQt6SerialPort.so", "libudev.so"};

// The run under the dynamic loader's log of the files it loads (one per process id), and
// the names of the libraries that log lists ("libQt6Core.so.6").
struct LoggedRun {
    test::CliRun run;
    std::set<std::string> loaded;
};

void AddLoadedNames(const QByteArray& log, std::set<std::string>& names) {
    for (const QByteArray& line : log.split('\n')) {
        const qsizetype file = line.indexOf("file=");
        const qsizetype end = line.indexOf(" [", file);
        if (file < 0 || end < 0) continue;
        const QByteArray path = line.mid(file + 5, end - file - 5);
        names.insert(path.mid(path.lastIndexOf('/') + 1).toStdString());
    }
}

bool Loaded(const LoggedRun& logged, const std::string& prefix) {
    return std::any_of(logged.loaded.begin(), logged.loaded.end(),
                       [&](const std::string& name) { return name.starts_with(prefix); });
}

LoggedRun RunLoggingLoads(const QStringList& arguments, const QTemporaryDir& dir) {
    const QString log = dir.filePath(QStringLiteral("loaded"));
    LoggedRun logged{
        RunCli(arguments, dir.path(), {},
               {QStringLiteral("LD_DEBUG=files"), QStringLiteral("LD_DEBUG_OUTPUT=") + log}),
        {}};
    for (const QString& name : QDir(dir.path()).entryList({QStringLiteral("loaded.*")})) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly)) AddLoadedNames(file.readAll(), logged.loaded);
    }
    return logged;
}

TEST(CliStart, APortRunLoadsNoQtNothingThatDrawsPagesNorSerialLibraries) {
    QTemporaryDir dir;
    const QString address = QString::fromStdString(test::LoopbackAddress(26, 1));
    // The kernel takes the connections and the bytes; nothing needs accepting.
    QTcpServer printer;
    ASSERT_TRUE(printer.listen(QHostAddress(address), 9100)) << address.toStdString();
    const LoggedRun chinese = RunLoggingLoads(
        {QStringLiteral("run"), QStringLiteral("--port"), address, QStringLiteral("full-cut")},
        dir);
    EXPECT_EQ(chinese.run.status, 0) << chinese.run.err.toStdString();
    EXPECT_EQ(chinese.run.out.toStdString(), "full-cut: ok: sent 3 of 3 bytes\n");
    // English texts come from the table compiled in, not from Qt's translator; the file is
    // too large for one send, which the English text says.
    QTemporaryDir englishDir;
    const QString large = englishDir.filePath(QStringLiteral("large.bin"));
    QFile file(large);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(qint64(1) << 31));
    file.close();
    const LoggedRun english = RunLoggingLoads({QStringLiteral("run"), QStringLiteral("--lang"),
                                               QStringLiteral("en"), QStringLiteral("--port"),
                                               address, QStringLiteral("file=") + large},
                                              englishDir);
    EXPECT_EQ(english.run.status, 2) << english.run.err.toStdString();
    EXPECT_EQ(english.run.err.toStdString(),
              "quillora-cli: file=" + large.toStdString() +
                  ": The file is too large to send at once!\n");
    for (const LoggedRun* logged : {&chinese, &english}) {
        EXPECT_FALSE(logged->loaded.empty());
        EXPECT_FALSE(Loaded(*logged, "libQt6")) << "Qt";
        for (const char* library : kDrawingLibraries) EXPECT_FALSE(Loaded(*logged, library)) << library;
        for (const char* library : kSerialLibraries) EXPECT_FALSE(Loaded(*logged, library)) << library;
    }
}

TEST(CliStart, ARunThatDrawsIsHandedToTheFullProgram) {
    QTemporaryDir dir;
    const LoggedRun logged = RunLoggingLoads({QStringLiteral("run"), QStringLiteral("--port"),
                                              QStringLiteral("none"), QStringLiteral("feed")},
                                             dir);
    EXPECT_EQ(logged.run.status, 0) << logged.run.err.toStdString();
    EXPECT_EQ(logged.run.out.toStdString(), "feed: ok: sent 3 of 3 bytes\n");
    EXPECT_TRUE(Loaded(logged, "libQt6Gui.so"));
}

// Found beside the program as the package lays them out; a copy without it says where it
// looked, and why it could not start it.
TEST(CliStart, AMissingFullProgramIsAUsageErrorNamingIt) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("bin")));
    const QString copy = dir.filePath(QStringLiteral("bin/quillora-cli"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(CLI_BINARY), copy));
    QProcess process;
    process.start(copy, {QStringLiteral("run"), QStringLiteral("--port"), QStringLiteral("none"),
                         QStringLiteral("driver-page")});
    const test::CliRun run = test::FinishCli(process);
    const QString expected = dir.filePath(QStringLiteral("bin/")) +
                             QFileInfo(QStringLiteral(CLI_BINARY))
                                 .dir()
                                 .relativeFilePath(QStringLiteral(CLI_FULL_BINARY));
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out.toStdString(), "");
    EXPECT_EQ(run.err.toStdString(),
              "quillora-cli: " + expected.toStdString() + ": No such file or directory\n");
}

}  // namespace
}  // namespace quillora
