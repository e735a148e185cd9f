// The program's real output, through the real port driver, printed by the virtual printer
// and checked on its paper: barcodes read back by zbarimg, pictures dot for dot, and the
// status queries answered so that each of the program's messages appears.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "PrinterHarness.h"
#include "app/ControlTable.h"
#include "port/SystemPortDriver.h"
#include "support/DialogHarness.h"

namespace vprinter::test {
namespace {

using quillora::MainTestDialog;
namespace ctl = quillora::ctl;

// A 1-bit BMP, 40 x 20, palette 0 black and 1 white; a black pixel is a printed dot.
// The picture: a frame, a diagonal, and a filled block, so that every placement error
// shows.
constexpr int kWidth = 40;
constexpr int kHeight = 20;
bool Black(int x, int y) {
    return x == 0 || y == 0 || x == kWidth - 1 || y == kHeight - 1 || x == y ||
           (x >= 30 && x < 36 && y >= 4 && y < 9);
}

QByteArray PictureBmp() {
    const int stride = 8;  // 40 bits rounded up to whole 4-byte words
    QByteArray pixels(stride * kHeight, '\0');
    for (int y = 0; y < kHeight; ++y) {
        const int row = (kHeight - 1 - y) * stride;  // bottom-up
        for (int x = 0; x < kWidth; ++x) {
            if (!Black(x, y)) pixels[row + x / 8] = char(pixels[row + x / 8] | (0x80 >> (x % 8)));
        }
    }
    const auto le = [](QByteArray& out, quint32 value, int bytes) {
        for (int i = 0; i < bytes; ++i) out.append(char((value >> (8 * i)) & 0xFF));
    };
    QByteArray bmp("BM");
    le(bmp, 62 + pixels.size(), 4);
    le(bmp, 0, 4);
    le(bmp, 62, 4);
    le(bmp, 40, 4);
    le(bmp, kWidth, 4);
    le(bmp, kHeight, 4);
    le(bmp, 1, 2);
    le(bmp, 1, 2);
    le(bmp, 0, 4);
    le(bmp, pixels.size(), 4);
    le(bmp, 2835, 4);
    le(bmp, 2835, 4);
    le(bmp, 2, 4);
    le(bmp, 0, 4);
    le(bmp, 0x00000000, 4);  // palette 0: black
    le(bmp, 0x00FFFFFF, 4);  // palette 1: white
    return bmp + pixels;
}

// The picture at (left, top) of `paper`, dot for dot, with the blank padding to the
// right up to `paddedWidth` and below up to `paddedHeight`.
void ExpectPicture(const QImage& paper, int left, int top, int paddedWidth, int paddedHeight) {
    ASSERT_GE(paper.height(), top + paddedHeight);
    int wrong = 0;
    for (int y = 0; y < paddedHeight; ++y) {
        for (int x = 0; x < paddedWidth; ++x) {
            const bool expected = x < kWidth && y < kHeight && Black(x, y);
            if (IsDot(paper, left + x, top + y) != expected) ++wrong;
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(InkBox(paper, top, top + paddedHeight), QRect(left, top, kWidth, kHeight));
}

// The main window over the system port driver. QUILLORA_PORTS names COM1 (the virtual
// printer's pseudo-terminal), LPT1 and USB1 (plain files), so the list is COM1 LPT1 USB1
// IP; the IP entry leads to the printer's TCP address.
class ProgramOnVirtualPrinter : public testing::Test {
protected:
    enum Entry { kCom1 = 0, kIp = 3 };

    bool StartPrinter(const QString& tcpAddress, QStringList extra = {}) {
        link_ = QDir(links_.path()).filePath(QStringLiteral("COM1"));
        extra << QStringLiteral("--tcp") << tcpAddress + QStringLiteral(":9100")
              << QStringLiteral("--pty-link") << link_ << QStringLiteral("--join-ms")
              << QStringLiteral("200") << QStringLiteral("--idle-ms") << QStringLiteral("5000");
        printer_ = std::make_unique<PrinterProcess>(extra);
        ip_ = tcpAddress.split(QLatin1Char('.'));
        return printer_->Ready();
    }

    MainTestDialog& Open(Entry selected) {
        const std::string ports = "COM1=" + link_.toStdString() + ";LPT1=" + h.Path("lpt1.out") +
                                  ";USB1=" + h.Path("usb1.out");
        ::setenv("QUILLORA_PORTS", ports.c_str(), 1);
        driver_ = quillora::CreateSystemPortDriver();
        ::unsetenv("QUILLORA_PORTS");
        std::string ini = "[System]\nPort=" + std::to_string(selected) + "\n";
        for (int i = 0; i < 4; ++i) {
            ini += "Ip" + std::to_string(i + 1) + "=" + ip_.value(i).toStdString() + "\n";
        }
        h.WriteFile("Option.ini", ini);
        services_ = std::make_unique<quillora::AppServices>(
            quillora::AppServices{*driver_, h.messages, h.files, h.clock, h.noPrinters});
        dialog_ = std::make_unique<MainTestDialog>(*services_);
        dialog_->show();
        return *dialog_;
    }

    void Click(int id) { QTest::mouseClick(dialog_->Control(id), Qt::LeftButton); }

    // Closes the window and the driver, and with them the connection.
    void Close() {
        dialog_.reset();
        driver_.reset();
    }

    QStringList Shown() const {
        QStringList texts;
        for (const auto& shown : h.messages.shown) texts << shown.text;
        return texts;
    }

    QImage Receipt(int number) const {
        EXPECT_TRUE(printer_->WaitForReceipt(number)) << printer_->Log().toStdString();
        return QImage(printer_->ReceiptPath(number));
    }

    quillora::test::DialogHarness h;
    QTemporaryDir links_;
    QString link_;
    QStringList ip_;
    std::unique_ptr<PrinterProcess> printer_;
    std::unique_ptr<quillora::PortDriver> driver_;
    std::unique_ptr<quillora::AppServices> services_;
    std::unique_ptr<MainTestDialog> dialog_;
};

TEST_F(ProgramOnVirtualPrinter, BarcodeEnlargementAndAlignmentReceiptOverTheNetwork) {
    ASSERT_TRUE(StartPrinter(QStringLiteral("127.0.8.1")));
    Open(kIp);
    Click(ctl::Barcode);
    Click(ctl::Enlargement);
    Click(ctl::Alignment);
    Click(ctl::FullCut);
    const QImage paper = Receipt(1);
    ASSERT_FALSE(paper.isNull());
    EXPECT_EQ(paper.width(), 576);
    const QString log = printer_->Log();
    EXPECT_TRUE(log.contains(QStringLiteral("ended by full cut (GS V 0), 3 problems")))
        << log.toStdString();

    // The picture a person looks at.
    const QString artifacts = QStringLiteral(QUILLORA_ARTIFACTS_DIR);
    QDir().mkpath(artifacts);
    QFile::remove(artifacts + QStringLiteral("/virtual-printer-receipt.png"));
    EXPECT_TRUE(QFile::copy(printer_->ReceiptPath(1),
                            artifacts + QStringLiteral("/virtual-printer-receipt.png")));

    QStringList decoded = DecodeBarcodes(printer_->ReceiptPath(1));
    decoded.sort();
    // CODE39 and CODE128 carry the program's data. The program's JAN13 and JAN8 samples
    // end in wrong check digits (8 and 0 are right), which no reader accepts: the printer
    // prints the right ones and logs the difference.
    EXPECT_EQ(
        decoded,
        (QStringList{QStringLiteral("CODE-128:1234567890123"), QStringLiteral("CODE-39:123456"),
                     QStringLiteral("EAN-13:1234567890128"), QStringLiteral("EAN-8:12345670")}));
    EXPECT_TRUE(log.contains(QStringLiteral("JAN13 check digit 3 is wrong")));
    EXPECT_TRUE(log.contains(QStringLiteral("JAN8 check digit 8 is wrong")));
    EXPECT_TRUE(
        log.contains(QStringLiteral("CODE128 data does not start with a code set selector")));

    // The alignment blocks end the receipt, just above the cut note (a dashed box): nine
    // lines of 30 dots, three centred, three right-justified, three left-justified.
    const auto wide = [&](int y) {
        int dots = 0;
        for (int x = 0; x < paper.width(); ++x) dots += IsDot(paper, x, y) ? 1 : 0;
        return dots > 200;
    };
    int y = paper.height() - 1;
    while (y > 0 && !wide(y)) --y;  // the note's lower edge
    --y;
    while (y > 0 && !wide(y)) --y;  // its upper edge, one dot below its top
    const int linesTop = y - 1 - 9 * 30;
    for (int line = 0; line < 9; ++line) {
        const QRect ink = InkBox(paper, linesTop + line * 30, linesTop + (line + 1) * 30);
        const int letters = 3 + line % 3;  // ABC, ABCD, ABCDE
        ASSERT_FALSE(ink.isNull()) << line;
        EXPECT_NEAR(ink.width(), letters * 12, 6) << line;
        if (line < 3) {
            EXPECT_NEAR(ink.center().x(), 288, 4) << line;
        } else if (line < 6) {
            EXPECT_GE(ink.right(), 570) << line;
        } else {
            EXPECT_LE(ink.left(), 2) << line;
        }
    }
    Close();
}

TEST_F(ProgramOnVirtualPrinter, RasterPictureDotForDotOverTheSerialLine) {
    ASSERT_TRUE(StartPrinter(QStringLiteral("127.0.8.2")));
    h.WriteFile("picture.bmp", PictureBmp().toStdString());
    Open(kCom1);
    h.files.answers.push_back(QString::fromStdString(h.Path("picture.bmp")));
    Click(ctl::RasterGraphics);
    Close();
    const QImage paper = Receipt(1);
    // Rows rounded up to 24 (three bands), columns to the row stride of 64 dots.
    ASSERT_EQ(paper.height(), 24);
    ExpectPicture(paper, 0, 0, 64, 24);
    EXPECT_TRUE(printer_->Log().contains(QStringLiteral("ended by connection closed, 0 problems")));
}

TEST_F(ProgramOnVirtualPrinter, NvLogoStoredAndPrintedDotForDot) {
    ASSERT_TRUE(StartPrinter(QStringLiteral("127.0.8.3")));
    h.WriteFile("logo.bmp", PictureBmp().toStdString());
    Open(kIp);
    h.files.answers.push_back(QString::fromStdString(h.Path("logo.bmp")));
    Click(ctl::NvLogo);
    EXPECT_EQ(Shown(), QStringList{QString::fromUtf8("下载NV图完成! ")});
    Close();
    const QImage paper = Receipt(1);
    // 64 x 24 dots: the row stride and the height rounded up to 8.
    ASSERT_EQ(paper.height(), 24);
    ExpectPicture(paper, 0, 0, 64, 24);
    EXPECT_TRUE(printer_->Log().contains(QStringLiteral("NV image 1 defined, 64 x 24 dots")));
}

struct StatusCase {
    QStringList sensors;
    int button;
    QString shown;
};

TEST_F(ProgramOnVirtualPrinter, StatusQueriesProduceEachOfTheProgramsMessages) {
    const std::vector<StatusCase> cases = {
        {{QStringLiteral("--paper-near-end")}, ctl::NearEndQuery, QString::fromUtf8("纸将尽")},
        {{}, ctl::NearEndQuery, QString::fromUtf8("纸ok")},
        {{}, ctl::PaperTakenQuery, QString::fromUtf8("有纸!")},
        {{QStringLiteral("--paper-out")}, ctl::PaperTakenQuery, QString::fromUtf8("无纸!")},
        {{QStringLiteral("--cover-open"), QStringLiteral("--paper-out")},
         ctl::SerialStatus,
         QString::fromUtf8("返回值:0x36,0x72,盖打开,缺纸,")},
        {{QStringLiteral("--paper-near-end")},
         ctl::SerialStatus,
         QString::fromUtf8("返回值:0x12,0x1e,盖关好,有纸,纸将尽")},
    };
    for (const StatusCase& status : cases) {
        h.messages.shown.clear();
        ASSERT_TRUE(StartPrinter(QStringLiteral("127.0.8.4"), status.sensors));
        Open(kCom1);
        Click(status.button);
        EXPECT_EQ(Shown(), QStringList{status.shown});
        Close();
        printer_.reset();
    }
}

}  // namespace
}  // namespace vprinter::test
