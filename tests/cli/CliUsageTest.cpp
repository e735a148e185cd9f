// quillora-cli refusing its command line: every usage error ends with status 2, one line
// naming the problem and nothing sent; a printer that is not there fails the run.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "BmpFiles.h"
#include "CliHarness.h"
#include "checks/CheckCatalogue.h"
#include "port/FdIo.h"
#include "support/LoopbackAddress.h"

namespace quillora::test {
namespace {

// A listening TCP port 9100 that only counts the connections it was offered.
class Listener {
public:
    explicit Listener(const std::string& address)
        : socket_(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0)) {
        const int yes = 1;
        ::setsockopt(socket_.Get(), SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        sockaddr_in where{AF_INET, htons(9100), {}, {}};
        ::inet_pton(AF_INET, address.c_str(), &where.sin_addr);
        listening_ =
            ::bind(socket_.Get(), reinterpret_cast<sockaddr*>(&where), sizeof where) == 0 &&
            ::listen(socket_.Get(), 8) == 0;
    }
    bool Listening() const { return listening_; }
    // Connections made since the last call (the kernel completes them without us).
    int Accepted() {
        int count = 0;
        while (UniqueFd(::accept(socket_.Get(), nullptr, nullptr)).Valid()) ++count;
        return count;
    }

private:
    UniqueFd socket_;
    bool listening_ = false;
};

TEST(CliUsage, EveryUsageErrorIsOneLineStatusTwoAndSendsNothing) {
    const QTemporaryDir dir;
    const auto path = [&](const char* name) {
        return dir.filePath(QLatin1String(name)).toStdString();
    };
    ASSERT_TRUE(WriteBinaryFile(path("job.prn"), "\x1B\x40"));
    ASSERT_TRUE(
        WriteBinaryFile(path("short.bmp"), MonochromeBmp(40, 20, PatternDot).substr(0, 100)));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    // A socket cannot be opened as a file, whoever runs the test (root reads any plain file).
    const UniqueFd unixSocket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_un socketPath{};
    socketPath.sun_family = AF_UNIX;
    std::snprintf(socketPath.sun_path, sizeof socketPath.sun_path, "%s", path("socket").c_str());
    ASSERT_EQ(::bind(unixSocket.Get(), reinterpret_cast<sockaddr*>(&socketPath), sizeof socketPath),
              0);

    const QString address = QString::fromStdString(LoopbackAddress(12, 2));
    Listener printer(address.toStdString());
    ASSERT_TRUE(printer.Listening());
    // Each bad input comes after a good test, which must not have been sent either.
    const std::vector<std::pair<QStringList, std::string>> cases{
        {{"--port", address, "full-cut", "bogus"}, "unknown test: bogus"},
        {{"--port", address, "full-cut", "switch:cutter=maybe"},
         "switch:cutter=maybe: a switch is set =on or =off"},
        {{"--port", address, "full-cut", "fatigue=0"},
         "fatigue=0: the number of copies is a whole number from 1 to 100000"},
        {{"--port", "LPTX", "full-cut"},
         "bad port name: LPTX (COMn, LPTn, USBn, IP or a dotted IPv4 address)"},
        {{"--port", "COM2", "full-cut"}, "no such port: COM2 (1 COM port; see quillora-cli ports)"},
        {{"--port", "127.0.12.256", "full-cut"},
         "address out of range: 127.0.12.256 (each part 0 to 255)"},
        {{"--port", address, "full-cut", "file=missing.prn"}, "file=missing.prn: no such file"},
        {{"--port", address, "full-cut", "file=socket"},
         "file=socket: cannot be read: No such device or address"},
        {{"--port", address, "full-cut", "raster=folder"}, "raster=folder: is a folder"},
        {{"--port", address, "full-cut", "single=@missing.txt"},
         "single=@missing.txt: no such file"},
        {{"--port", address, "full-cut", "nv-logo=short.bmp"},
         "nv-logo=short.bmp: unusable BMP: BMP文件不完整!"},
        {{"--port", address, "--interval", "0", "full-cut"},
         "--interval 0: not a whole number of seconds from 1 to 86400"},
        {{"--port", address, "--settings", "none.ini", "full-cut"},
         "--settings none.ini: no such file"},
        {{"full-cut"}, "run needs --port NAME"},
    };
    for (const auto& [arguments, message] : cases) {
        SCOPED_TRACE(message);
        const CliRun run =
            RunCli(QStringList{QStringLiteral("run")} + arguments, dir.path(),
                   QStringLiteral("COM1=") + dir.filePath(QStringLiteral("job.prn")));
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err.toStdString(), "quillora-cli: " + message + "\n");
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(printer.Accepted(), 0);
    }
    // The same inputs, corrected, do reach the printer.
    const CliRun good = RunCli({QStringLiteral("run"), QStringLiteral("--port"), address,
                                QStringLiteral("full-cut"), QStringLiteral("file=job.prn")},
                               dir.path());
    EXPECT_EQ(good.status, 0) << good.err.toStdString();
    EXPECT_EQ(printer.Accepted(), 1);
}

// watch draws nothing and needs answers: --preview and --port none are refused before the
// folder is made or the printer reached.
TEST(CliUsage, WatchRefusesPreviewAndPortNoneBeforeMakingAnything) {
    const QTemporaryDir dir;
    const QString address = QString::fromStdString(LoopbackAddress(12, 6));
    Listener printer(address.toStdString());
    ASSERT_TRUE(printer.Listening());
    const std::vector<std::pair<QStringList, std::string>> cases{
        {{"--port", address, "--preview", "shots"}, "--preview applies to run only"},
        {{"--port", "none", "--preview", "shots"}, "--preview applies to run only"},
        {{"--port", "None", "--seconds", "1"},
         "watch needs a printer that answers: --port none has none"},
    };
    for (const auto& [arguments, message] : cases) {
        SCOPED_TRACE(message);
        const CliRun run = RunCli(QStringList{QStringLiteral("watch")} + arguments, dir.path());
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err.toStdString(), "quillora-cli: " + message + "\n");
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_FALSE(QDir(dir.path()).exists(QStringLiteral("shots")));
        EXPECT_EQ(printer.Accepted(), 0);
    }
}

// --help lists the catalogue's checks, each with its argument, and nothing else as a test.
TEST(CliUsage, HelpListsExactlyTheCataloguesChecks) {
    const QTemporaryDir dir;
    const CliRun run = RunCli({QStringLiteral("--help")}, dir.path());
    EXPECT_EQ(run.status, 0);
    const std::string help = run.out.toStdString();
    const std::string head = "TEST, run in the order given:\n";
    const size_t from = help.find(head);
    const size_t to = help.find("\nExit status");
    ASSERT_NE(from, std::string::npos) << help;
    ASSERT_NE(to, std::string::npos) << help;
    QStringList listed =
        QString::fromStdString(help.substr(from + head.size(), to - from - head.size()))
            .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    listed.removeAll(QStringLiteral("Serial"));
    listed.removeAll(QStringLiteral("connections"));
    listed.removeAll(QStringLiteral("only:"));
    QStringList catalogue;
    for (const Check& check : CheckCatalogue()) {
        catalogue << QString::fromUtf8(check.commandLineName) +
                         QString::fromUtf8(check.argumentHelp);
    }
    listed.sort();
    catalogue.sort();
    EXPECT_EQ(listed, catalogue);
    EXPECT_TRUE(catalogue.contains(QStringLiteral("driver-page[=QUEUE]")));
}

TEST(CliUsage, AnUnreachablePrinterFailsTheRunWithTheConnectionError) {
    const QTemporaryDir dir;
    const QString address = QString::fromStdString(LoopbackAddress(12, 3));
    const CliRun run = RunCli({QStringLiteral("run"), QStringLiteral("--port"), address,
                               QStringLiteral("full-cut"), QStringLiteral("feed")},
                              dir.path());
    EXPECT_EQ(run.status, 1);
    const std::string refused = "connect " + address.toStdString() + ":9100: Connection refused";
    EXPECT_EQ(run.out.toStdString(), "full-cut: failed: sent 0 of 3 bytes: " + refused +
                                         "\nfeed: failed: sent 0 of 3 bytes: " + refused + "\n");
    EXPECT_TRUE(run.err.isEmpty());
}

// The fatigue run goes on past lost copies and says, as the window does, how many were lost,
// which first, and why.
TEST(CliUsage, AFatigueRunWithNoPrinterCountsItsLostCopies) {
    const QTemporaryDir dir;
    const QString address = QString::fromStdString(LoopbackAddress(12, 5));
    const CliRun run =
        RunCli({QStringLiteral("run"), QStringLiteral("--port"), address,
                QStringLiteral("--interval"), QStringLiteral("1"), QStringLiteral("--text"),
                QStringLiteral("AB"), QStringLiteral("fatigue=2")},
               dir.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out.toStdString(),
              "fatigue=2: failed: 连续打印 2 份,有 2 份没有完全发送成功!第一份是第 1 份: connect " +
                  address.toStdString() + ":9100: Connection refused\n");
    EXPECT_TRUE(run.err.isEmpty());
}

TEST(CliUsage, PortsListsTheWindowsEntriesWithTheirDevices) {
    const QTemporaryDir dir;
    ASSERT_TRUE(WriteBinaryFile(dir.filePath(QStringLiteral("Option.ini")).toStdString(),
                                "[System]\n" + LoopbackIpSettings(12, 4)));
    const CliRun run = RunCli({QStringLiteral("ports")}, dir.path(),
                              QStringLiteral("COM2=/dev/pts/x; lpt1 = lp.out;USB1=usb.out"));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.toStdString(),
              "COM1\t(no device)\nCOM2\t/dev/pts/x\nLPT1\tlp.out\nUSB1\tusb.out\n"
              "IP\t" +
                  LoopbackAddress(12, 4) + ":9100\n");
    const CliRun json = RunCli({QStringLiteral("ports"), QStringLiteral("--json")}, dir.path(),
                               QStringLiteral("USB2=usb.out"));
    EXPECT_EQ(json.status, 0);
    QStringList entries;
    for (const QJsonValue& port : QJsonDocument::fromJson(json.out).array()) {
        entries << port[QStringLiteral("name")].toString() + QLatin1Char('=') +
                       port[QStringLiteral("target")].toString();
    }
    // The serial ports are the machine's own; the rest is known.
    const QStringList last{QStringLiteral("USB1="), QStringLiteral("USB2=usb.out"),
                           QStringLiteral("IP=") + QString::fromStdString(LoopbackAddress(12, 4)) +
                               QStringLiteral(":9100")};
    EXPECT_EQ(entries.mid(entries.size() - last.size()), last) << entries.join(u' ').toStdString();
}

}  // namespace
}  // namespace quillora::test
