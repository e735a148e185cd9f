// The program's real output, through the real port driver, printed by the virtual printer
// and checked on its paper: barcodes read back by zbarimg, pictures dot for dot, and the
// status queries answered so that each of the program's messages appears.
#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>
#include <QTest>
#include <cstdlib>
#include <memory>
#include <tuple>

#include "gui/ControlTable.h"
#include "monitor/TrafficLog.h"
#include "port/SystemPortDriver.h"
#include "port/TracingPortDriver.h"
#include "support/DialogHarness.h"
#include "support/LoopbackAddress.h"
#include "virtual-printer/PrinterHarness.h"

namespace vprinter::test {
namespace {

using quillora::MainTestDialog;
namespace ctl = quillora::ctl;

// A 1-bit BMP, 40 x 20, palette 0 black and 1 white; a black pixel is a printed dot.
// The picture: a frame, a diagonal, and a filled block, so that every placement error shows.
constexpr int kWidth = 40;
constexpr int kHeight = 20;
bool Black(int x, int y) {
    return x < kWidth && y < kHeight &&
           (x == 0 || y == 0 || x == kWidth - 1 || y == kHeight - 1 || x == y ||
            (x >= 30 && x < 36 && y >= 4 && y < 9));
}

bool SavePictureBmp(const std::string& path) {
    QImage picture(kWidth, kHeight, QImage::Format_Mono);
    picture.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) picture.setPixel(x, y, Black(x, y) ? 0 : 1);
    }
    return picture.save(QString::fromStdString(path), "BMP");
}

// The main window over the system port driver, recorded for the traffic monitor as at
// start-up. QUILLORA_PORTS names COM1 (the virtual
// printer's pseudo-terminal), LPT1 and USB1 (plain files), so the list is COM1 LPT1 USB1
// IP; the IP entry leads to the printer's TCP address.
class ProgramOnVirtualPrinter : public testing::Test {
protected:
    enum Entry { kCom1 = 0, kIp = 3 };

    // Starts the printer (TCP on its own loopback address), opens the window with `selected`
    // chosen; false when the printer does not start.
    bool Open(Entry selected, QStringList sensors = {}) {
        h.messages.shown.clear();
        const QString link = links_.filePath(QStringLiteral("COM1"));
        const QString arguments =
            QStringLiteral("--tcp %1:9100 --join-ms 200 --idle-ms 5000 --pty-link %2")
                .arg(QString::fromStdString(quillora::test::LoopbackAddress(8, 1)), link);
        printer_ = std::make_unique<PrinterProcess>(sensors + arguments.split(QLatin1Char(' ')));
        if (!printer_->Ready()) return false;
        const std::string ports = "COM1=" + link.toStdString() + ";LPT1=" + h.Path("lpt1.out") +
                                  ";USB1=" + h.Path("usb1.out");
        ::setenv("QUILLORA_PORTS", ports.c_str(), 1);
        driver_ = quillora::CreateSystemPortDriver();
        ::unsetenv("QUILLORA_PORTS");
        traffic_ = std::make_unique<quillora::TrafficLog>();
        tracing_ = std::make_unique<quillora::TracingPortDriver>(
            *driver_, std::vector<quillora::TrafficSink*>{traffic_.get()});
        h.WriteFile("Option.ini", "[System]\nPort=" + std::to_string(selected) + "\n" +
                                      quillora::test::LoopbackIpSettings(8, 1));
        services_ = std::make_unique<quillora::AppServices>(quillora::AppServices{
            *tracing_, h.messages, h.files, h.clock, h.noPrinters, traffic_.get()});
        dialog_ = std::make_unique<MainTestDialog>(*services_);
        dialog_->show();
        return true;
    }

    void Click(int id) { QTest::mouseClick(dialog_->Control(id), Qt::LeftButton); }

    void Close() {  // and with the window and the driver, the connection
        dialog_.reset();
        tracing_.reset();
        driver_.reset();
    }

    QStringList Shown() const {
        QStringList texts;
        for (const auto& shown : h.messages.shown) texts << shown.text;
        return texts;
    }

    QImage Receipt() const {
        EXPECT_TRUE(printer_->WaitForReceipt(1)) << printer_->Log().toStdString();
        return QImage(printer_->ReceiptPath(1));
    }

    quillora::test::DialogHarness h;
    QTemporaryDir links_;
    std::unique_ptr<PrinterProcess> printer_;
    std::unique_ptr<quillora::PortDriver> driver_;
    std::unique_ptr<quillora::TrafficLog> traffic_;
    std::unique_ptr<quillora::TracingPortDriver> tracing_;
    std::unique_ptr<quillora::AppServices> services_;
    std::unique_ptr<MainTestDialog> dialog_;
};

TEST_F(ProgramOnVirtualPrinter, BarcodeEnlargementAndAlignmentReceiptOverTheNetwork) {
    ASSERT_TRUE(Open(kIp));
    for (int id : {ctl::Barcode, ctl::Enlargement, ctl::Alignment, ctl::FullCut}) Click(id);
    const QImage paper = Receipt();
    EXPECT_TRUE(printer_->Log().contains(QStringLiteral("ended by full cut (GS V 0), 3 problems")));

    // The picture a person looks at.
    QDir().mkpath(QStringLiteral(QUILLORA_ARTIFACTS_DIR));
    EXPECT_TRUE(paper.save(QStringLiteral(QUILLORA_ARTIFACTS_DIR "/virtual-printer-receipt.png")));

    // The program's JAN13 and JAN8 samples end in wrong check digits, which no reader
    // accepts: the printer prints the right ones (8 and 0) and logs the three problems.
    EXPECT_EQ(
        DecodeBarcodes(printer_->ReceiptPath(1)),
        (QStringList{QStringLiteral("CODE-128:1234567890123"), QStringLiteral("CODE-39:123456"),
                     QStringLiteral("EAN-13:1234567890128"), QStringLiteral("EAN-8:12345670")}));

    // The alignment blocks end the receipt, just above the cut note (a dashed box): nine
    // lines of 30 dots, three centred, three right-justified, three left-justified.
    const auto wide = [&](int y) {
        int dots = 0;
        for (int x = 0; x < paper.width(); ++x) dots += IsDot(paper, x, y) ? 1 : 0;
        return dots > 200;
    };
    // Up from the bottom: the note's lower edge, then its upper one (a dot below its top).
    int y = paper.height() - 1;
    for (int edges = 0; y > 0 && edges < 2; --y) edges += wide(y) ? 1 : 0;
    const int linesTop = y - 9 * 30;
    for (int line = 0; line < 9; ++line) {
        const QRect ink = InkBox(paper, linesTop + line * 30, linesTop + (line + 1) * 30);
        ASSERT_FALSE(ink.isNull()) << line;
        EXPECT_NEAR(ink.width(), (3 + line % 3) * 12, 6) << line;  // ABC, ABCD, ABCDE
        // Centred within 4 dots of 288, right edge in 570-575, left edge in 0-2.
        const int edge[] = {ink.center().x(), ink.right(), ink.left()};
        const int want[][2] = {{288, 4}, {573, 3}, {1, 1}};
        EXPECT_NEAR(edge[line / 3], want[line / 3][0], want[line / 3][1]) << line;
    }
    Close();
}

// Raster over the serial line and the NV logo over the network, each printed dot for dot;
// then each status reply the program reads, shown as its own message.
TEST_F(ProgramOnVirtualPrinter, PicturesDotForDotAndEachStatusMessage) {
    ASSERT_TRUE(SavePictureBmp(h.Path("picture.bmp")));
    for (const auto& [entry, sensors, button, shown] :
         std::vector<std::tuple<Entry, const char*, int, const char*>>{
             {kCom1, "", ctl::RasterGraphics, ""},
             {kIp, "", ctl::NvLogo, "下载NV图完成! "},
             {kCom1, "--paper-near-end", ctl::NearEndQuery, "纸将尽"},
             {kCom1, "", ctl::NearEndQuery, "纸ok"},
             {kCom1, "", ctl::PaperTakenQuery, "有纸!"},
             {kCom1, "--paper-out", ctl::PaperTakenQuery, "无纸!"},
             {kCom1, "--cover-open --paper-out", ctl::SerialStatus,
              "返回值:0x36,0x72,盖打开,缺纸,"},
             {kCom1, "--paper-near-end", ctl::SerialStatus,
              "返回值:0x12,0x1e,盖关好,有纸,纸将尽"}}) {
        ASSERT_TRUE(
            Open(entry, QString::fromLatin1(sensors).split(QLatin1Char(' '), Qt::SkipEmptyParts)));
        h.files.answers = {QString::fromStdString(h.Path("picture.bmp"))};
        Click(button);
        EXPECT_EQ(Shown(), QString::fromUtf8(shown).split(QLatin1Char('|'), Qt::SkipEmptyParts));
        Close();
        if (button == ctl::RasterGraphics || button == ctl::NvLogo) {
            // The picture at the top left, dot for dot, with the blank padding up to the row
            // stride of 64 dots and the height rounded up to 24.
            const QImage paper = Receipt();
            ASSERT_EQ(paper.height(), 24);
            int wrong = 0;
            for (int i = 0; i < 64 * 24; ++i) {
                wrong += IsDot(paper, i % 64, i / 64) != Black(i % 64, i / 64);
            }
            EXPECT_EQ(wrong, 0);
            EXPECT_EQ(InkBox(paper), QRect(0, 0, kWidth, kHeight));
            EXPECT_TRUE(printer_->Log().contains(QLatin1String(", 0 problems")));
        }
        if (entry == kCom1) {  // the pseudo-terminal's link goes with the printer
            EXPECT_EQ(printer_->Stop(), 0);
            EXPECT_FALSE(QFile::exists(links_.filePath(QStringLiteral("COM1"))));
        }
        printer_.reset();
    }
}

// The black-mark switch, drawer pulse and black-mark feed as the printer understands them,
// then a fatigue run once the logo is stored: each copy ends its own receipt with the cut.
TEST_F(ProgramOnVirtualPrinter, DrawerBlackMarkThenContinuousCopiesOverTheNetwork) {
    ASSERT_TRUE(SavePictureBmp(h.Path("picture.bmp")));
    ASSERT_TRUE(Open(kIp));
    h.files.answers = {QString::fromStdString(h.Path("picture.bmp"))};
    for (int id :
         {ctl::BlackMarkSwitch, ctl::CashDrawer, ctl::BlackMarkFeed, ctl::FullCut, ctl::NvLogo}) {
        Click(id);
    }
    dialog_->SetControlText(ctl::Copies, QStringLiteral("2"));
    for (int id : {ctl::PrintLogo, ctl::AutoCut, ctl::MixedSize}) dialog_->SetChecked(id, true);
    Click(ctl::StartStop);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return dialog_->ControlText(ctl::StartStop) == QString::fromUtf8("开始连续打印"); },
        30000));
    EXPECT_TRUE(printer_->WaitForReceipt(3)) << printer_->Log().toStdString();
    const QString log = printer_->Log();
    for (const char* line :
         {"function switch: black mark on",
          "cash drawer pulse: 1B 39 00 05 0A (pin 0, on 5, off 10)",
          "feed to the black mark (GS FF)\n", "ended by full cut (GS V 0), 0 problems"}) {
        EXPECT_TRUE(log.contains(QString::fromUtf8(line))) << line << "\n" << log.toStdString();
    }
    EXPECT_EQ(log.count(QStringLiteral("ended by cut (ESC i), 0 problems")), 2);
    EXPECT_EQ(Shown(), QStringList{QString::fromUtf8("下载NV图完成! ")});
    Close();
}

// The monitor's record of a session over the serial line: every byte the printer got, in
// order, is what the sends carried, and every reply it gave is what the reads brought back,
// each after the send that asked for it.
TEST_F(ProgramOnVirtualPrinter, TheRecordIsWhatThePrinterGotAndAnswered) {
    ASSERT_TRUE(Open(kCom1, {QStringLiteral("--paper-near-end")}));
    for (int id : {ctl::SerialStatus, ctl::Barcode, ctl::NearEndQuery, ctl::PaperTakenQuery,
                   ctl::CashDrawer, ctl::FullCut}) {
        Click(id);
    }
    ASSERT_TRUE(printer_->WaitForReceipt(1)) << printer_->Log().toStdString();
    Close();

    QByteArray sent;
    QByteArray replies;
    QString directions;
    for (const auto& entry : traffic_->Since(0).entries) {
        const quillora::TrafficEvent& event = *entry.event;
        EXPECT_EQ(event.port, "COM1");
        EXPECT_EQ(event.returned, event.requested) << event.error;
        const QByteArray bytes(reinterpret_cast<const char*>(event.bytes.data()),
                               qsizetype(event.bytes.size()));
        const bool isSend = event.direction == quillora::TrafficDirection::Sent;
        (isSend ? sent : replies) += bytes;
        directions += isSend ? u'T' : u'R';
    }
    EXPECT_EQ(directions, QStringLiteral("TR"
                                         "TTTTT"
                                         "TR"
                                         "TR"
                                         "T"
                                         "T"));

    QFile received(printer_->ReceiptPath(1, ".bin"));
    ASSERT_TRUE(received.open(QIODevice::ReadOnly));
    EXPECT_EQ(sent.toHex(' '), received.readAll().toHex(' '));
    // The printer's own account of its answers, in order ("answered 0x12" or "answered 12").
    QByteArray answered;
    const QRegularExpression answer(QStringLiteral("answered (?:0x)?([0-9A-Fa-f]{2})\\b"));
    for (auto match = answer.globalMatch(printer_->Log()); match.hasNext();) {
        answered += QByteArray::fromHex(match.next().captured(1).toLatin1());
    }
    EXPECT_EQ(answered.size(), 4);
    EXPECT_EQ(replies.toHex(' '), answered.toHex(' '));
}

}  // namespace
}  // namespace vprinter::test
