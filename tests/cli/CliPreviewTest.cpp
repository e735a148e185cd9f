// --preview and --port none: the run's receipts drawn by the virtual printer's interpreter,
// with nothing sent, and its problems judged and named.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "CliHarness.h"
#include "SymbolReader.h"
#include "support/LoopbackAddress.h"
#include "support/ReceiptPictures.h"

namespace quillora {
namespace {

using test::RunCli;

// The program's own lines on standard error, without what Qt says on an unset runtime
// folder.
std::string OwnLines(const QByteArray& err) {
    std::string own;
    for (const QByteArray& line : err.split('\n')) {
        if (line.startsWith("quillora-cli: ")) own += line.toStdString() + '\n';
    }
    return own;
}

// The barcode check drawn, not sent: a barcode reader reads every code of its receipt,
// and the result lines are the usual ones.
TEST(CliPreview, PortNoneDrawsTheBarcodeCheckAsReadableCodes) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("receipts"));
    const test::CliRun run =
        RunCli({QStringLiteral("run"), QStringLiteral("--port"), QStringLiteral("none"),
                QStringLiteral("--preview"), out, QStringLiteral("barcodes")},
               dir.path());
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.toStdString(), "barcodes: ok: sent 150 of 150 bytes\n");
    // Its CODE128 has no code set and its JAN codes wrong check digits: printed, with notes.
    EXPECT_EQ(OwnLines(run.err),
              "quillora-cli: barcodes: offset 54 of the bytes sent to none: CODE128 data does not "
              "start with a code set selector ({A, {B or {C); printed with automatic code sets, a "
              "real printer may refuse it\n"
              "quillora-cli: barcodes: offset 81 of the bytes sent to none: JAN13 check digit 3 is "
              "wrong (the first 12 digits give 8): printed 1234567890128\n"
              "quillora-cli: barcodes: offset 107 of the bytes sent to none: JAN8 check digit 8 is "
              "wrong (the first 7 digits give 0): printed 12345670\n");
    const QStringList pictures = QDir(out).entryList({QStringLiteral("*.png")}, QDir::Files);
    EXPECT_EQ(pictures, QStringList{QStringLiteral("receipt-0001.png")});
    const QString read = test::BarcodesIn(QDir(out).filePath(QStringLiteral("receipt-0001.png")));
    EXPECT_TRUE(read.contains(QStringLiteral("CODE-39:123456"))) << read.toStdString();
    EXPECT_TRUE(read.contains(QStringLiteral("CODE-128:1234567890123"))) << read.toStdString();
    EXPECT_TRUE(read.contains(QStringLiteral("EAN-13:1234567890128"))) << read.toStdString();
}

// The QR check drawn after the barcodes, not sent: on their one receipt (no cut between)
// a reader reads the QR code back to the check's own text in GBK, and the barcodes too.
TEST(CliPreview, PortNoneDrawsTheQrCheckAsAReadableCode) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("receipts"));
    const test::CliRun run =
        RunCli({QStringLiteral("run"), QStringLiteral("--port"), QStringLiteral("none"),
                QStringLiteral("--preview"), out, QStringLiteral("barcodes"), QStringLiteral("qr")},
               dir.path());
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.toStdString(),
              "barcodes: ok: sent 150 of 150 bytes\nqr: ok: sent 80 of 80 bytes\n");
    const QStringList pictures = QDir(out).entryList({QStringLiteral("*.png")}, QDir::Files);
    ASSERT_EQ(pictures, QStringList{QStringLiteral("receipt-0001.png")});
    const QString receipt = QDir(out).filePath(pictures.last());
    EXPECT_EQ(test::ReadQrBytes(receipt).toHex(' '),
              test::ToGbkBytes(QString::fromUtf8("Quillora 二维码测试 0123456789")).toHex(' '));
    EXPECT_TRUE(test::BarcodesIn(receipt).contains(QStringLiteral("CODE-39:123456")));
}

// A command no printer knows fails the test that sent it under --port none, and is named
// on standard error with its place; the pictures continue the folder's numbering.
TEST(CliPreview, PortNoneFailsATestWhoseBytesHoldAProblem) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("receipts"));
    QDir().mkpath(out);
    QFile(QDir(out).filePath(QStringLiteral("receipt-0007.png"))).open(QIODevice::WriteOnly);
    QFile bad(dir.filePath(QStringLiteral("bad.bin")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(
        QByteArray("AB\n\x1D\x99"  // GS 0x99: no such command
                   "CD\n",
                   8));
    bad.close();
    const test::CliRun run =
        RunCli({QStringLiteral("run"), QStringLiteral("--port"), QStringLiteral("none"),
                QStringLiteral("--preview"), out, QStringLiteral("full-cut"),
                QStringLiteral("file=") + bad.fileName()},
               dir.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(OwnLines(run.err), "quillora-cli: file=" + bad.fileName().toStdString() +
                                     ": offset 6 of the bytes sent to none: unknown "
                                     "command: 1D 99\n");
    EXPECT_TRUE(run.out.startsWith("full-cut: ok: sent 3 of 3 bytes\n")) << run.out.toStdString();
    EXPECT_TRUE(
        run.out.contains("failed: sent 8 of 8 bytes; 1 command(s) a printer would not carry out"))
        << run.out.toStdString();
    // The cut ends an empty receipt (its note only), the file's bytes another.
    EXPECT_TRUE(QFile::exists(QDir(out).filePath(QStringLiteral("receipt-0008.png"))));
    EXPECT_TRUE(QFile::exists(QDir(out).filePath(QStringLiteral("receipt-0009.png"))));
}

// --preview with a real printer: the run's pictures are the printer's own, dot for dot.
TEST(CliPreview, PreviewOfARealRunIsWhatThePrinterPrinted) {
    QTemporaryDir dir;
    const QString address = QString::fromStdString(test::LoopbackAddress(13, 1));
    vprinter::test::PrinterProcess printer({QStringLiteral("--tcp"),
                                            address + QStringLiteral(":9100"),
                                            QStringLiteral("--idle-ms"), QStringLiteral("20000")});
    ASSERT_TRUE(printer.Ready()) << printer.StartOutput().toStdString();
    const QString out = dir.filePath(QStringLiteral("preview"));
    const test::CliRun run = RunCli(
        {QStringLiteral("run"), QStringLiteral("--port"), address, QStringLiteral("--preview"), out,
         QStringLiteral("enlarge"), QStringLiteral("full-cut")},
        dir.path());
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    ASSERT_TRUE(printer.WaitForReceipt(1));
    const QImage printed(printer.ReceiptPath(1, ".png"));
    EXPECT_TRUE(test::SameDots(test::LastReceiptPicture(out), printed));
}

}  // namespace
}  // namespace quillora
