// quillora-cli's lines for a person follow the locale, --lang and QUILLORA_LANG; the bytes
// the printer gets, the JSON keys and the exit status do not.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <memory>

#include "CliHarness.h"
#include "support/LoopbackAddress.h"

namespace quillora::test {
namespace {

using vprinter::test::PrinterProcess;

const QByteArray kChineseLines =
    "near-end: failed: 纸将尽\n"
    "paper-taken: ok: 有纸!\n"
    "serial-status: failed: 返回值:0x12,0x1e,盖关好,有纸,纸将尽\n"
    "full-cut: ok: sent 3 of 3 bytes\n";
const QByteArray kEnglishLines =
    "near-end: failed: paper near end\n"
    "paper-taken: ok: Paper present!\n"
    "serial-status: failed: Reply: 0x12,0x1e,cover closed,paper present,paper near end\n"
    "full-cut: ok: sent 3 of 3 bytes\n";

class CliLanguage : public testing::Test {
protected:
    void SetUp() override {
        printer_ = std::make_unique<PrinterProcess>(QStringList{
            QStringLiteral("--paper-near-end"), QStringLiteral("--tcp"),
            QString::fromStdString(LoopbackAddress(12, 2)) + QStringLiteral(":9100"),
            QStringLiteral("--join-ms"), QStringLiteral("200"), QStringLiteral("--idle-ms"),
            QStringLiteral("20000"), QStringLiteral("--pty-link"), dir_.filePath("COM1")});
        ASSERT_TRUE(printer_->Ready());
    }
    // The status queries and a cut on the pseudo-terminal, with `variables` set.
    CliRun Run(const QStringList& variables, const QStringList& options = {}) {
        return RunCli(
            QStringList{QStringLiteral("run"), QStringLiteral("--port"), QStringLiteral("COM1")} +
                options +
                QStringList{QStringLiteral("near-end"), QStringLiteral("paper-taken"),
                            QStringLiteral("serial-status"), QStringLiteral("full-cut")},
            dir_.path(), QStringLiteral("COM1=") + dir_.filePath("COM1"), variables);
    }

    QTemporaryDir dir_;
    std::unique_ptr<PrinterProcess> printer_;
};

// The bytes each run sent, from its trace: the TX lines without their times.
QStringList SentOf(const CliRun& run) {
    QStringList sent;
    for (const QString& line : QString::fromUtf8(run.err).split(QLatin1Char('\n'))) {
        if (line.contains(QLatin1String(" TX "))) sent << line.section(QLatin1Char(' '), 1, -1);
    }
    return sent;
}

TEST_F(CliLanguage, AGermanLocalePrintsEnglishLinesAndTheCLocaleTodaysWithTheSameBytes) {
    const QStringList trace{QStringLiteral("--trace")};
    const CliRun c = Run({QStringLiteral("LANG=C")}, trace);
    EXPECT_EQ(c.status, 1);
    EXPECT_EQ(c.out, kChineseLines);
    const CliRun german = Run({QStringLiteral("LANG=de_DE.UTF-8")}, trace);
    EXPECT_EQ(german.status, 1);
    EXPECT_EQ(german.out, kEnglishLines);
    ASSERT_EQ(SentOf(c).size(), 4) << c.err.toStdString();
    EXPECT_EQ(SentOf(german), SentOf(c));
}

TEST_F(CliLanguage, TheOptionAndTheVariableForceALanguageAndJsonKeysStay) {
    EXPECT_EQ(Run({QStringLiteral("LANG=C")}, {QStringLiteral("--lang"), QStringLiteral("en")}).out,
              kEnglishLines);
    EXPECT_EQ(Run({QStringLiteral("LANG=en_US.UTF-8"), QStringLiteral("QUILLORA_LANG=zh")}).out,
              kChineseLines);
    EXPECT_EQ(Run({QStringLiteral("LANG=zh_CN.UTF-8")}).out, kChineseLines);
    EXPECT_EQ(Run({QStringLiteral("LANG=zh_CN.UTF-8"), QStringLiteral("QUILLORA_LANG=en")},
                  {QStringLiteral("--lang=zh")})
                  .out,
              kChineseLines);
    const CliRun json = Run({QStringLiteral("LANG=fr_FR.UTF-8")}, {QStringLiteral("--json")});
    const QJsonObject first = QJsonDocument::fromJson(json.out)
                                  .object()
                                  .value(QStringLiteral("tests"))
                                  .toArray()
                                  .first()
                                  .toObject();
    EXPECT_EQ(first.value(QStringLiteral("message")).toString(), QStringLiteral("paper near end"));
    EXPECT_EQ(first.value(QStringLiteral("outcome")).toString(), QStringLiteral("failed"));
    EXPECT_TRUE(first.value(QStringLiteral("status"))
                    .toObject()
                    .value(QStringLiteral("paperNearEnd"))
                    .toBool());
}

TEST_F(CliLanguage, AnUnknownLanguageIsAUsageErrorAndAnUnknownVariableIsNamed) {
    const CliRun option = Run({}, {QStringLiteral("--lang"), QStringLiteral("de")});
    EXPECT_EQ(option.status, 2);
    EXPECT_EQ(option.err, "quillora-cli: --lang de: the language is zh or en\n");
    EXPECT_EQ(option.out, QByteArray());
    const CliRun variable = Run({QStringLiteral("QUILLORA_LANG=klingon")});
    EXPECT_EQ(variable.out, kChineseLines);
    EXPECT_EQ(variable.err,
              "quillora-cli: QUILLORA_LANG=klingon ignored: the language is zh or "
              "en; the locale's is used\n");
}

}  // namespace
}  // namespace quillora::test
