// The traffic monitor's receipt preview: the virtual printer's own picture of the same
// bytes, the problems it lists and the lines they select, saving and hiding it.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTemporaryDir>

#include "BmpFiles.h"
#include "MonitoredWindow.h"
#include "gui/ControlTable.h"
#include "gui/ReceiptPreviewPane.h"
#include "monitor/TrafficReading.h"
#include "preview/PreviewScheduler.h"
#include "support/ReceiptPictures.h"

namespace quillora {
namespace {

using test::BarcodesIn;
using test::SameDots;

struct PreviewedWindow : test::MonitoredWindow {
    PreviewedWindow() {
        Create();
        dialog->ShowTrafficMonitor();
        monitor = Monitor();
    }

    // The preview of the last line, once drawn.
    bool WaitForLastLine() {
        return QTest::qWaitFor(
            [&] {
                monitor->Poll();
                const TrafficRows& rows = monitor->Model().Rows();
                return !rows.empty() && Shows(rows.back().sequence);
            },
            20000);
    }
    // The preview of the line at `row`, once drawn.
    bool WaitForRow(int row) {
        const std::uint64_t sequence = monitor->Model().Rows()[std::size_t(row)].sequence;
        return QTest::qWaitFor([&] { return Shows(sequence); }, 20000);
    }
    bool Shows(std::uint64_t sequence) const {
        const auto& shown = monitor->Preview()->Shown();
        return shown && shown->upTo == sequence;
    }

    void Send(const std::string& bytes) {
        tracing.SendData("COM1", reinterpret_cast<const std::uint8_t*>(bytes.data()),
                         int(bytes.size()));
    }

    TrafficMonitorWindow* monitor = nullptr;
};

// What the virtual printer itself made of `bytes`, replayed as a sender that sends them and
// leaves: its last picture, and the problems its log counts on that receipt.
struct Printed {
    QImage picture;
    int problems = -1;
};
Printed PrinterPicture(const std::string& bytes, const QTemporaryDir& dir) {
    const QString sent = dir.filePath(QStringLiteral("sent.bin"));
    QFile file(sent);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), qint64(bytes.size())) < 0) {
        return {};
    }
    file.close();
    const QString out = dir.filePath(QStringLiteral("printer"));
    QProcess printer;
    printer.start(QStringLiteral(VPRINTER_BINARY),
                  {QStringLiteral("--replay"), sent, QStringLiteral("--out"), out});
    if (!printer.waitForFinished(60000) || printer.exitCode() != 0) return {};
    static const QRegularExpression counted(
        QStringLiteral("receipt-\\d+\\.png .* (\\d+) problems\\)"));
    int problems = -1;
    for (const QString& line : QString::fromUtf8(printer.readAllStandardOutput()).split(u'\n')) {
        if (const auto match = counted.match(line); match.hasMatch()) {
            problems = match.captured(1).toInt();
        }
    }
    return {test::LastReceiptPicture(out), problems};
}

struct WindowCheck {
    const char* name;
    int control;
};

class PreviewOfEachCheck : public testing::TestWithParam<WindowCheck> {};

// Each check's receipt in the preview is, dot for dot, the picture the virtual printer
// saves for the bytes the monitor shows (its "保存发送数据" bytes).
TEST_P(PreviewOfEachCheck, IsThePictureTheVirtualPrinterSaves) {
    PreviewedWindow w;
    QTemporaryDir dir;
    w.h.WriteFile("logo.bmp", test::MonochromeBmp(100, 50, test::PatternDot));
    w.h.files.answers.push_back(QString::fromStdString(w.h.Path("logo.bmp")));
    QTest::mouseClick(w.dialog->Control(GetParam().control), Qt::LeftButton);
    ASSERT_TRUE(w.WaitForLastLine());

    const QImage preview = w.monitor->Preview()->Picture();
    const Printed printed = PrinterPicture(SentBytes(w.monitor->Model().Rows(), "COM1"), dir);
    ASSERT_FALSE(printed.picture.isNull());
    EXPECT_TRUE(SameDots(preview, printed.picture))
        << "preview " << preview.width() << " x " << preview.height() << ", printer "
        << printed.picture.width() << " x " << printed.picture.height();
    // The same problems: the barcode check's JAN check digits and CODE128 without a code set.
    EXPECT_EQ(w.monitor->Preview()->ProblemList()->count(), printed.problems);
    EXPECT_EQ(printed.problems, GetParam().control == ctl::Barcode ? 3 : 0);

    if (GetParam().control == ctl::Barcode) {
        // Saved through the file dialog, and read back by a barcode reader.
        const QString saved = dir.filePath(QStringLiteral("preview.png"));
        w.h.files.saveAnswers.push_back(saved);
        QTest::mouseClick(w.monitor->Preview()->SaveButton(), Qt::LeftButton);
        EXPECT_EQ(w.h.files.saveNamesOffered.back(), QStringLiteral("receipt.png"));
        EXPECT_EQ(w.h.files.saveFiltersAsked.back(), QStringLiteral("PNG Files (*.png)|*.png||"));
        EXPECT_TRUE(SameDots(QImage(saved), preview));
        const QString read = BarcodesIn(saved);
        EXPECT_TRUE(read.contains(QStringLiteral("CODE-39:123456"))) << read.toStdString();
        EXPECT_TRUE(read.contains(QStringLiteral("CODE-128:1234567890123"))) << read.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(WindowChecks, PreviewOfEachCheck,
                         testing::Values(WindowCheck{"SinglePrint", ctl::SinglePrint},
                                         WindowCheck{"Barcodes", ctl::Barcode},
                                         WindowCheck{"Enlargement", ctl::Enlargement},
                                         WindowCheck{"Alignment", ctl::Alignment},
                                         WindowCheck{"NvLogo", ctl::NvLogo},
                                         WindowCheck{"Raster", ctl::RasterGraphics}),
                         [](const testing::TestParamInfo<WindowCheck>& info) {
                             return std::string(info.param.name);
                         });

// A command the printer does not know is listed under the picture with its line's time;
// clicking it selects that line, and the preview then stands at that line.
TEST(ReceiptPreview, ListsAnUnknownCommandAndClickingItSelectsItsLine) {
    PreviewedWindow w;
    w.Send("AB\n");
    w.Send(std::string("\x1D\x99", 2));  // GS 0x99: no such command
    w.Send("CD\n");
    ASSERT_TRUE(w.WaitForLastLine());
    QListWidget* problems = w.monitor->Preview()->ProblemList();
    ASSERT_EQ(problems->count(), 1);
    const QString text = problems->item(0)->text();
    EXPECT_TRUE(text.startsWith(test::Cell(*w.monitor, 1, TrafficTableModel::Time)))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("unknown command: 1D 99"))) << text.toStdString();
    EXPECT_TRUE(w.monitor->Table()->selectionModel()->selectedRows().isEmpty());

    const QRect place = problems->visualItemRect(problems->item(0));
    QTest::mouseClick(problems->viewport(), Qt::LeftButton, {}, place.center());
    const QModelIndexList selected = w.monitor->Table()->selectionModel()->selectedRows();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected.first().row(), 1);
    ASSERT_TRUE(w.WaitForRow(1));
    // "AB" printed, the mark of the unknown command still on the line being composed.
    EXPECT_EQ(problems->count(), 1);
    const QImage atSecond = w.monitor->Preview()->Picture();
    ASSERT_FALSE(atSecond.isNull());
    EXPECT_GT(atSecond.height(), 0);
}

// Selecting an earlier line shows the receipt as it stood then; a cut before the
// selection leaves only what came after it.
TEST(ReceiptPreview, ShowsTheReceiptAsItStoodAfterTheSelectedLine) {
    PreviewedWindow w;
    w.Send("FIRST\n");
    w.Send(std::string("\x1D\x56\x00", 3));  // full cut: the first receipt ends
    w.Send("SECOND\n");
    w.Send("THIRD\n");
    ASSERT_TRUE(w.WaitForLastLine());
    const QImage whole = w.monitor->Preview()->Picture();

    w.monitor->Table()->selectRow(2);
    ASSERT_TRUE(w.WaitForRow(2));
    const QImage partial = w.monitor->Preview()->Picture();
    // The second receipt down to "SECOND": the top of the whole one, shorter.
    ASSERT_LT(partial.height(), whole.height());
    EXPECT_TRUE(SameDots(partial, whole.copy(0, 0, whole.width(), partial.height())));

    w.monitor->Table()->selectRow(1);
    ASSERT_TRUE(w.WaitForRow(1));
    QTemporaryDir dir;
    const QImage first =
        PrinterPicture(std::string("FIRST\n") + std::string("\x1D\x56\x00", 3), dir).picture;
    EXPECT_TRUE(SameDots(w.monitor->Preview()->Picture(), first));
}

// Hidden, the preview asks for nothing; shown again, it draws the line chosen now.
TEST(ReceiptPreview, HiddenDrawsNothingUntilShownAgain) {
    PreviewedWindow w;
    w.Send("ONE\n");
    ASSERT_TRUE(w.WaitForLastLine());
    const std::uint64_t first = w.monitor->Preview()->Shown()->upTo;
    QTest::mouseClick(w.monitor->PreviewButton(), Qt::LeftButton);
    EXPECT_FALSE(w.monitor->Preview()->isVisible());
    w.Send("TWO\n");
    w.monitor->Poll();
    QTest::qWait(3 * int(PreviewScheduler::kMinInterval.count()));
    EXPECT_EQ(w.monitor->Preview()->Shown()->upTo, first);
    QTest::mouseClick(w.monitor->PreviewButton(), Qt::LeftButton);
    EXPECT_TRUE(w.monitor->Preview()->isVisible());
    EXPECT_TRUE(w.WaitForLastLine());
}

}  // namespace
}  // namespace quillora
