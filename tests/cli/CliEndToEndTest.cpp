// quillora-cli against the virtual printer, over TCP and over its pseudo-terminal: the bytes
// the printer got for each test are the window buttons' known answers, the status queries
// give the window's messages and exit statuses, the JSON and the trace say what happened.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <memory>

#include "BmpFiles.h"
#include "CliHarness.h"
#include "support/ExpectedCommandBytes.h"
#include "support/HexBytes.h"
#include "support/LoopbackAddress.h"

namespace quillora::test {
namespace {

using vprinter::test::PrinterProcess;

std::string Joined(const std::vector<std::string>& hexBlocks) {
    std::string bytes;
    for (const std::string& block : hexBlocks) bytes += Hex(block);
    return bytes;
}

std::string Concatenated(const std::vector<std::string>& blocks) {
    std::string bytes;
    for (const std::string& block : blocks) bytes += block;
    return bytes;
}

QJsonArray TestsOf(const CliRun& run) {
    return QJsonDocument::fromJson(run.out).object().value(QStringLiteral("tests")).toArray();
}

class CliOnVirtualPrinter : public testing::Test {
protected:
    // The printer on its own loopback address and a pseudo-terminal linked as `COM1`.
    bool Start(QStringList sensors = {}) {
        printer_.reset();
        printer_ = std::make_unique<PrinterProcess>(
            sensors << QStringLiteral("--tcp") << Address() + QStringLiteral(":9100")
                    << QStringLiteral("--join-ms") << QStringLiteral("200")
                    << QStringLiteral("--idle-ms") << QStringLiteral("20000")
                    << QStringLiteral("--pty-link") << ComLink());
        return printer_->Ready();
    }
    static QString Address() { return QString::fromStdString(LoopbackAddress(12, 1)); }
    QString ComLink() const { return dir_.filePath(QStringLiteral("COM1")); }
    QString Ports() const { return QStringLiteral("COM1=") + ComLink(); }
    std::string Path(const char* name) const {
        return dir_.filePath(QLatin1String(name)).toStdString();
    }
    CliRun Run(const QStringList& arguments, const QString& ports = {}) {
        return RunCli(arguments, dir_.path(), ports);
    }

    QTemporaryDir dir_;
    std::unique_ptr<PrinterProcess> printer_;
};

// Every test that sends, in one run over the network: "single" takes "Print.txt", the
// others their own input; the received stream, cut at each test's expected length, is each
// test's known answer, and the JSON reports each one.
TEST_F(CliOnVirtualPrinter, EveryButtonsBytesOverTheNetworkWithTheJsonReport) {
    ASSERT_TRUE(Start());
    const std::string printTxt = Hex(kSinglePrintHex);  // the file has no final line break
    ASSERT_TRUE(WriteBinaryFile(Path("Print.txt"), printTxt.substr(0, printTxt.size() - 2)));
    ASSERT_TRUE(WriteBinaryFile(Path("job.prn"), Hex(kPrintFileHex)));
    ASSERT_TRUE(WriteBinaryFile(Path("picture.bmp"), MonochromeBmp(40, 20, PatternDot)));
    const QString single = QStringLiteral("single=") + QString::fromUtf8(kSinglePrintText);
    const std::vector<std::pair<QString, std::string>> tests{
        {QStringLiteral("single"), Hex(kSinglePrintHex)},
        {QStringLiteral("half-cut"), Hex(kHalfCutHex)},
        {QStringLiteral("full-cut"), Hex(kFullCutHex)},
        {QStringLiteral("feed"), Hex(kFeedHex)},
        {QStringLiteral("drawer"), Hex(kCashDrawerHex)},
        {QStringLiteral("barcodes"), Joined(kBarcodePageHex)},
        {QStringLiteral("enlarge"), Joined(EnlargementHex())},
        {QStringLiteral("black-mark-feed"), Hex(kBlackMarkFeedHex)},
        {QStringLiteral("align"), Joined(AlignmentHex())},
        {QStringLiteral("switch:black-mark=on"), Hex(kBlackMarkSwitchRow.onHex)},
        {QStringLiteral("switch:near-end=off"), Hex(kNearEndSwitchRow.offHex)},
        {QStringLiteral("switch:paper-take=on"), Hex(kPaperTakeSwitchRow.onHex)},
        {QStringLiteral("switch:cutter=off"), Hex(kCutterSwitchRow.offHex)},
        {QStringLiteral("switch:cutter=on"), Hex(kCutterSwitchRow.onHex)},
        {QStringLiteral("nv-logo=picture.bmp"),
         ExpectedNvLogoDefinition(40, 20, PatternDot) + Hex(kPrintNvLogoHex)},
        {QStringLiteral("raster=picture.bmp"),
         Concatenated(ExpectedRasterBands(40, 20, PatternDot))},
        {QStringLiteral("file=job.prn"), Hex(kPrintFileHex)},
        {single, Hex(kSinglePrintHex)},
    };
    QStringList arguments{QStringLiteral("run"), QStringLiteral("--json"), QStringLiteral("--port"),
                          Address()};
    for (const auto& [name, bytes] : tests) arguments << name;
    const CliRun run = Run(arguments);
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();

    const std::string received = ReceivedBytes(*printer_, 1);
    const QJsonDocument json = QJsonDocument::fromJson(run.out);
    EXPECT_EQ(json.object().value(QStringLiteral("port")).toString(), Address());
    EXPECT_EQ(json.object().value(QStringLiteral("exitStatus")).toInt(-1), 0);
    const QJsonArray reported = json.object().value(QStringLiteral("tests")).toArray();
    ASSERT_EQ(reported.size(), qsizetype(tests.size())) << run.out.toStdString();
    std::size_t offset = 0;
    for (std::size_t i = 0; i < tests.size(); ++i) {
        const auto& [name, bytes] = tests[i];
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(ToHex(received.substr(std::min(offset, received.size()), bytes.size())),
                  ToHex(bytes));
        offset += bytes.size();
        const QJsonObject test = reported[qsizetype(i)].toObject();
        EXPECT_EQ(test.value(QStringLiteral("name")).toString(), name);
        EXPECT_EQ(test.value(QStringLiteral("outcome")).toString(), QStringLiteral("ok"));
        EXPECT_EQ(test.value(QStringLiteral("bytesExpected")).toInteger(), qint64(bytes.size()));
        EXPECT_EQ(test.value(QStringLiteral("bytesSent")).toInteger(), qint64(bytes.size()));
        EXPECT_EQ(test.value(QStringLiteral("reply")).toString(), QString());
        EXPECT_TRUE(test.value(QStringLiteral("status")).toObject().isEmpty());
        EXPECT_GE(test.value(QStringLiteral("durationMs")).toDouble(-1), 0);
        const QString sent = QStringLiteral("sent %1 of %1 bytes").arg(bytes.size());
        EXPECT_EQ(
            test.value(QStringLiteral("message")).toString(),
            name.startsWith(QLatin1String("nv-logo")) ? QString::fromUtf8("下载NV图完成! ") : sent);
    }
    EXPECT_EQ(received.size(), offset);
}

// Two fatigue copies with logo, mixed size and cut, at least the interval apart, as the
// window's continuous test sends them.
TEST_F(CliOnVirtualPrinter, FatigueCopiesWithEveryOptionOverTheNetwork) {
    ASSERT_TRUE(Start());
    const CliRun run =
        Run({QStringLiteral("run"), QStringLiteral("--port"), Address(), QStringLiteral("--trace"),
             QStringLiteral("--interval"), QStringLiteral("1"), QStringLiteral("--logo"),
             QStringLiteral("--mixed"), QStringLiteral("--cut"), QStringLiteral("--text"),
             QStringLiteral("AB"), QStringLiteral("fatigue=2"),
             QStringLiteral("single=") + QString::fromUtf8(kSinglePrintText)});
    EXPECT_EQ(run.status, 0) << run.out.toStdString();
    // Mixed size sends the body a byte per call; "AB" stays below the size threshold.
    const auto copy = [](const char* number) {
        return kCopyHeadingStartHex + " " + number + " " + kCopyHeadingTimeHex +
               "(?: 3[0-9A])+ 0D 0A 0D 0A " + kPrintNvLogoHex + " 41 42 0D 0A " +
               kMixedSizeResetHex + " " + kCopyCutTailHex;
    };
    const std::string received = ToHex(ReceivedBytes(*printer_, 1));
    const QRegularExpression copies(
        QString::fromStdString("^" + copy("31") + " " + copy("32") + " " + kSinglePrintHex + "$"));
    EXPECT_TRUE(copies.match(QString::fromStdString(received)).hasMatch()) << received;
    const std::int64_t fatigueBytes =
        std::int64_t(received.size() + 1) / 3 - Hex(kSinglePrintHex).size();
    EXPECT_TRUE(run.out.startsWith(
        QStringLiteral("fatigue=2: ok: sent %1 of %1 bytes\n").arg(fatigueBytes).toUtf8()))
        << run.out.toStdString();

    // Copy 1 is eight sends (heading, logo, four body bytes, size reset, cut tail); the
    // second heading leaves at least the interval after the first copy's cut.
    const QStringList lines = QString::fromLatin1(run.err).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 9);
    const QString secondHeading =
        QString::fromStdString(ToHex(Hex(kCopyHeadingStartHex + " 32"))).toLower();
    EXPECT_TRUE(lines[8].contains(secondHeading)) << lines[8].toStdString();
    const auto sentAt = [&](qsizetype i) {
        return QTime::fromString(lines[i].left(12), QStringLiteral("hh:mm:ss.zzz"));
    };
    EXPECT_GE(sentAt(7).msecsTo(sentAt(8)), 999);
}

struct StatusCase {
    const char* sensors;
    const char* messages[3];  // near-end, paper-taken, serial-status
    const char* outcomes[3];
    int exitStatus;
};

// Each query over the pseudo-terminal, then the barcode page: the window's messages, the
// decoded fields and the exit status; the trace's TX lines are the bytes the printer got and
// its RX lines the replies that the JSON reports.
TEST_F(CliOnVirtualPrinter, StatusQueriesOverThePseudoTerminalWithTheirTrace) {
    const StatusCase cases[] = {
        {"", {"纸ok", "有纸!", "返回值:0x12,0x12,盖关好,有纸,"}, {"ok", "ok", "ok"}, 0},
        {"--paper-near-end",
         {"纸将尽", "有纸!", "返回值:0x12,0x1e,盖关好,有纸,纸将尽"},
         {"failed", "ok", "failed"},
         1},
        {"--cover-open",
         {"纸ok", "有纸!", "返回值:0x16,0x12,盖打开,有纸,"},
         {"ok", "ok", "failed"},
         1},
        {"--paper-out",
         {"纸ok", "无纸!", "返回值:0x32,0x72,盖关好,缺纸,"},
         {"ok", "failed", "failed"},
         1},
    };
    for (const StatusCase& sensorCase : cases) {
        SCOPED_TRACE(sensorCase.sensors);
        ASSERT_TRUE(Start(
            QString::fromLatin1(sensorCase.sensors).split(QLatin1Char(' '), Qt::SkipEmptyParts)));
        const CliRun run =
            Run({QStringLiteral("run"), QStringLiteral("--port"), QStringLiteral("COM1"),
                 QStringLiteral("--json"), QStringLiteral("--trace"), QStringLiteral("near-end"),
                 QStringLiteral("paper-taken"), QStringLiteral("serial-status"),
                 QStringLiteral("barcodes")},
                Ports());
        EXPECT_EQ(run.status, sensorCase.exitStatus) << run.out.toStdString();
        const QJsonArray tests = TestsOf(run);
        ASSERT_EQ(tests.size(), 4);
        QString replies;
        for (int i = 0; i < 3; ++i) {
            const QJsonObject test = tests[i].toObject();
            EXPECT_EQ(test.value(QStringLiteral("message")).toString(),
                      QString::fromUtf8(sensorCase.messages[i]));
            EXPECT_EQ(test.value(QStringLiteral("outcome")).toString(),
                      QLatin1String(sensorCase.outcomes[i]));
            replies += test.value(QStringLiteral("reply")).toString() + QLatin1Char('|');
        }
        // The fields say what the messages say.
        const QJsonObject serial = tests[2].toObject().value(QStringLiteral("status")).toObject();
        const QString serialText = QString::fromUtf8(sensorCase.messages[2]);
        EXPECT_EQ(serial.value(QStringLiteral("coverOpen")).toBool(),
                  serialText.contains(QString::fromUtf8("盖打开")));
        EXPECT_EQ(serial.value(QStringLiteral("paperOut")).toBool(),
                  serialText.contains(QString::fromUtf8("缺纸")));
        EXPECT_EQ(serial.value(QStringLiteral("paperNearEnd")).toBool(),
                  serialText.endsWith(QString::fromUtf8("纸将尽")));
        EXPECT_EQ(tests[0]
                      .toObject()
                      .value(QStringLiteral("status"))
                      .toObject()
                      .value(QStringLiteral("paperNearEnd")),
                  QJsonValue(serial.value(QStringLiteral("paperNearEnd")).toBool()));
        EXPECT_EQ(
            tests[1]
                .toObject()
                .value(QStringLiteral("status"))
                .toObject()
                .value(QStringLiteral("paperPresent")),
            QJsonValue(QString::fromUtf8(sensorCase.messages[1]) == QString::fromUtf8("有纸!")));

        // The trace: "hh:mm:ss.uuuuuu COM1 TX n/n hex" for each send, RX for each read.
        static const QRegularExpression line(QStringLiteral(
            "^\\d\\d:\\d\\d:\\d\\d\\.\\d{6} COM1 (TX|RX) (\\d+)/(\\d+)((?: [0-9a-f]{2})*)$"));
        std::string traced;
        QString tracedReplies;
        for (const QString& text :
             QString::fromUtf8(run.err).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QRegularExpressionMatch match = line.match(text);
            ASSERT_TRUE(match.hasMatch()) << text.toStdString();
            EXPECT_EQ(match.captured(2), match.captured(3)) << text.toStdString();
            if (match.captured(1) == QLatin1String("TX")) {
                traced += Hex(match.captured(4).toStdString());
            } else {
                tracedReplies += match.captured(4).trimmed() + QLatin1Char('|');
            }
        }
        EXPECT_EQ(tracedReplies, replies);
        const std::string expected = Hex(kNearEndQueryHex) + Hex(kPaperTakenQueryHex) +
                                     Hex(kSerialStatusQueryHex) + Joined(kBarcodePageHex);
        EXPECT_EQ(ToHex(traced), ToHex(expected));
        EXPECT_EQ(ToHex(ReceivedBytes(*printer_, 1)), ToHex(expected));
    }
}

// The port's own section of the settings file gives the serial settings: values the port
// cannot take are reported, and the test still runs.
TEST_F(CliOnVirtualPrinter, SerialSettingsComeFromThePortsSection) {
    ASSERT_TRUE(Start());
    int closings = 0;
    std::string expected;
    for (const auto& [section, warned] : std::vector<std::pair<std::string, bool>>{
             {"[COM1]\nBaudrate=12345\n", true},
             {"[COM2]\nBaudrate=12345\n", false},
             {"[COM1]\nBaudrate=19200\nFlowCtl=9\n", true},
             {"[COM1]\nBaudrate=19200\nFlowCtl=1\n", false}}) {
        SCOPED_TRACE(section);
        ASSERT_TRUE(WriteBinaryFile(Path("Option.ini"), section));
        const CliRun run =
            Run({QStringLiteral("run"), QStringLiteral("--port"), QStringLiteral("COM1"),
                 QStringLiteral("single=") + QString::fromUtf8(kSinglePrintText)},
                Ports());
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err.toStdString(),
                  warned ? "quillora-cli: COM1: serial settings not applied: configure " +
                               ComLink().toStdString() + ": Invalid argument\n"
                         : "");
        EXPECT_EQ(run.out.toStdString(),
                  "single=" + std::string(kSinglePrintText) + ": ok: sent 10 of 10 bytes\n");
        // Each run's text, after the runs before it.
        expected += Hex(kSinglePrintHex);
        EXPECT_EQ(ToHex(ReceivedBytes(*printer_, ++closings)), ToHex(expected));
    }
}

// Over the network the queries are refused as in the window, and the run fails.
TEST_F(CliOnVirtualPrinter, StatusQueriesOverTheNetworkAreRefused) {
    ASSERT_TRUE(Start());
    const CliRun run = Run({QStringLiteral("run"), QStringLiteral("--port"), QStringLiteral("IP"),
                            QStringLiteral("--settings"), QStringLiteral("Option.ini"),
                            QStringLiteral("serial-status"), QStringLiteral("feed")});
    // No settings file: it is named, so it must exist.
    EXPECT_EQ(run.status, 2);
    ASSERT_TRUE(WriteBinaryFile(Path("Option.ini"), "[System]\n" + LoopbackIpSettings(12, 1)));
    const CliRun refused =
        Run({QStringLiteral("run"), QStringLiteral("--port"), QStringLiteral("IP"),
             QStringLiteral("--settings"), QStringLiteral("Option.ini"),
             QStringLiteral("serial-status"), QStringLiteral("feed")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(QString::fromUtf8(refused.out),
              QString::fromUtf8("serial-status: refused: 目前仅支持串口打印机!\n"
                                "feed: ok: sent 3 of 3 bytes\n"));
    EXPECT_EQ(ToHex(ReceivedBytes(*printer_, 1)), kFeedHex);
}

}  // namespace
}  // namespace quillora::test
