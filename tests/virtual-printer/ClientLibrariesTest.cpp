// Receipts written by real ESC/POS client libraries from npm (clients/make-receipts.js, at
// the versions pinned in clients/package-lock.json), replayed through the printer program:
// nothing it cannot carry out, every barcode read back by zbarimg, the picture dot for dot
// where the library put it, emphasis and reverse visible in the ink.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

#include "virtual-printer/PrinterHarness.h"

namespace vprinter::test {
namespace {

// The picture make-receipts.js sends: a frame, a diagonal and a filled block.
constexpr int kPictureWidth = 96;
constexpr int kPictureHeight = 48;
bool PictureDot(int x, int y) {
    return x == 0 || y == 0 || x == kPictureWidth - 1 || y == kPictureHeight - 1 || x == 2 * y ||
           (x >= 60 && x < 80 && y >= 10 && y < 30);
}

struct ClientCase {
    const char* library;
    QStringList barcodes;  // as DecodeBarcodes gives them, sorted
    int pictureLeft;       // where the library's justification puts the picture
    bool reverses;         // whether the library offers reversed text
};

void PrintTo(const ClientCase& client, std::ostream* out) {
    *out << client.library;
}

class ClientLibraryReceipt : public testing::TestWithParam<ClientCase> {
protected:
    // Writes the library's receipt, replays it, and returns the receipt's picture.
    QImage Replay() {
        const QString clients = QStringLiteral(QUILLORA_CLIENTS_DIR);
        if (!QFile::exists(clients + QStringLiteral("/node_modules/.package-lock.json")) ||
            QStandardPaths::findExecutable(QStringLiteral("node")).isEmpty()) {
            return {};
        }
        QProcess node;
        node.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        node.start(QStringLiteral("node"),
                   {clients + QStringLiteral("/make-receipts.js"), folder_.path()});
        EXPECT_TRUE(node.waitForFinished(60000));
        EXPECT_EQ(node.exitCode(), 0);
        QProcess printer;
        printer.start(QStringLiteral(VPRINTER_BINARY),
                      {QStringLiteral("--replay"), Path(".bin"), QStringLiteral("--out"),
                       folder_.filePath(QStringLiteral("out"))});
        EXPECT_TRUE(printer.waitForFinished(60000));
        EXPECT_EQ(printer.exitCode(), 0);
        QFile log(folder_.filePath(QStringLiteral("out/printer.log")));
        EXPECT_TRUE(log.open(QIODevice::ReadOnly));
        log_ = QString::fromUtf8(log.readAll());
        return QImage(ReceiptPath());
    }
    QString Path(const char* suffix) const {
        return folder_.filePath(QLatin1String(GetParam().library) + QLatin1String(suffix));
    }
    QString ReceiptPath() const { return folder_.filePath(QStringLiteral("out/receipt-0001.png")); }

    QTemporaryDir folder_;
    QString log_;
};

// Rows [first, last] of each run of rows that carry ink, top to bottom.
std::vector<std::pair<int, int>> InkBands(const QImage& paper) {
    std::vector<std::pair<int, int>> bands;
    for (int y = 0; y < paper.height(); ++y) {
        if (InkBox(paper, y, y + 1).isNull()) continue;
        if (!bands.empty() && bands.back().second == y - 1) {
            bands.back().second = y;
        } else {
            bands.push_back({y, y});
        }
    }
    return bands;
}

int Ink(const QImage& paper, std::pair<int, int> band) {
    int dots = 0;
    for (int y = band.first; y <= band.second; ++y) {
        for (int x = 0; x < paper.width(); ++x) dots += IsDot(paper, x, y) ? 1 : 0;
    }
    return dots;
}

// The top row of the picture at `left`, dot for dot with a blank dot left and right of
// it; -1 when it is nowhere.
int FindPicture(const QImage& paper, int left) {
    for (int top = 0; top + kPictureHeight <= paper.height(); ++top) {
        bool same = true;
        for (int y = 0; same && y < kPictureHeight; ++y) {
            for (int x = -1; same && x <= kPictureWidth; ++x) {
                const bool onPaper = left + x >= 0 && left + x < paper.width();
                same = !onPaper || IsDot(paper, left + x, top + y) ==
                                       (x >= 0 && x < kPictureWidth && PictureDot(x, y));
            }
        }
        if (same) return top;
    }
    return -1;
}

TEST_P(ClientLibraryReceipt, PrintsEverythingTheLibrarySendsAsSent) {
    const QImage paper = Replay();
    if (paper.isNull() && log_.isEmpty()) {
        GTEST_SKIP() << "the npm client libraries are not installed (tools/test-stages/"
                        "pre-20-npm-clients.sh runs npm ci in tests/virtual-printer/clients)";
    }
    ASSERT_FALSE(paper.isNull()) << log_.toStdString();
    // One receipt, and not one command it could not carry out.
    EXPECT_EQ(log_.count(QStringLiteral(" problems)")), 1) << log_.toStdString();
    EXPECT_TRUE(log_.contains(QStringLiteral(", 0 problems)"))) << log_.toStdString();
    EXPECT_TRUE(log_.contains(QStringLiteral("cash drawer pulse: 1B 70 00"))) << log_.toStdString();

    QDir().mkpath(QStringLiteral(QUILLORA_ARTIFACTS_DIR));
    EXPECT_TRUE(paper.save(QStringLiteral(QUILLORA_ARTIFACTS_DIR "/virtual-printer-") +
                           QLatin1String(GetParam().library) + QStringLiteral(".png")));

    EXPECT_EQ(DecodeBarcodes(ReceiptPath()), GetParam().barcodes);
    EXPECT_GE(FindPicture(paper, GetParam().pictureLeft), 0);

    // The receipt opens with the same word plain, bold and (where offered) reversed.
    const auto bands = InkBands(paper);
    ASSERT_GE(bands.size(), 3u);
    const int plain = Ink(paper, bands[0]);
    EXPECT_GT(Ink(paper, bands[1]), plain * 13 / 10);
    if (GetParam().reverses) {
        EXPECT_GT(Ink(paper, bands[2]), plain * 3);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Npm, ClientLibraryReceipt,
    testing::Values(
        ClientCase{
            "node-thermal-printer",
            {QStringLiteral("CODE-128:N-T-P 4.6.1"), QStringLiteral("CODE-128:Quillora128"),
             QStringLiteral("CODE-39:QUILLORA-39"), QStringLiteral("CODE-93:CODE93 TEST"),
             QStringLiteral("Codabar:A40156B"),
             QStringLiteral("EAN-13:0012345000065"),  // UPC-E 0123456, read expanded
             QStringLiteral("EAN-13:0036000291452"),  // UPC-A 03600029145
             QStringLiteral("EAN-13:4006381333931"), QStringLiteral("EAN-8:96385074"),
             QStringLiteral("I2/5:12345678"),
             QStringLiteral("QR-Code:https://quillora.example/receipt/node-thermal-printer")},
            0,
            true},
        ClientCase{"escpos-buffer",
                   {QStringLiteral("QR-Code:https://quillora.example/receipt/escpos-buffer")},
                   (576 - kPictureWidth) / 2,
                   false}),
    [](const testing::TestParamInfo<ClientCase>& info) {
        return QString::fromLatin1(info.param.library).remove(QLatin1Char('-')).toStdString();
    });

}  // namespace
}  // namespace vprinter::test
