// Buttons 1014 (NV logo download) and 1020 (raster graphics), clicked in the real window
// with a recording port driver and an answered file dialog.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "BmpFiles.h"
#include "app/ControlTable.h"
#include "support/DialogHarness.h"

namespace quillora::test {
namespace {

class BitmapButtons : public testing::Test {
protected:
    BitmapButtons() {
        harness.ports.comCount = 1;  // the list holds COM1 and IP; COM1 is selected
        harness.Create();
        harness.WriteFile("example.bmp", MonochromeBmp(100, 50, PatternDot));
    }
    // Answers the file dialog with `name`, or cancels it for an empty name, and clicks `id`.
    void Open(const std::string& name, int id) {
        if (name.empty())
            harness.files.answers.push_back(std::nullopt);
        else
            harness.files.answers.push_back(QString::fromStdString(harness.Path(name)));
        QTest::mouseClick(harness.dialog->Control(id), Qt::LeftButton);
    }

    DialogHarness harness;
};

TEST_F(BitmapButtons, NvLogoSendsTheDefinitionThenThePrintCommandAndReports) {
    Open("example.bmp", ctl::NvLogo);
    EXPECT_EQ(harness.files.filtersAsked, std::vector<QString>{"BMP Files (*.bmp)|*.bmp||"});
    const auto calls = harness.ports.Calls("SendData");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].port, "COM1");
    ASSERT_EQ(calls[0].bytes.size(), 903u);
    EXPECT_EQ(Hex(calls[0].bytes.substr(0, 7)), "1C 71 01 10 00 07 00");
    const auto reference = ReferenceColumns(100, 50, PatternDot, 128, 0, 7);
    EXPECT_EQ(calls[0].bytes.substr(7), std::string(reference.begin(), reference.end()));
    EXPECT_EQ(calls[1].port, "COM1");
    EXPECT_EQ(Hex(calls[1].bytes), "1C 70 01 30");
    ASSERT_EQ(harness.messages.shown.size(), 1u);
    EXPECT_EQ(harness.messages.shown[0].text, QString::fromUtf8("下载NV图完成! "));
    EXPECT_EQ(harness.messages.shown[0].icon, MessageIcon::Exclamation);
}

TEST_F(BitmapButtons, RasterSendsOneBandPerEightRowsAndNothingElseEvenInDriverMode) {
    static_cast<QRadioButton*>(harness.dialog->Control(ctl::DriverMode))->setChecked(true);
    harness.ports.Clear();
    Open("example.bmp", ctl::RasterGraphics);
    const auto calls = harness.ports.Calls();
    ASSERT_EQ(calls.size(), 9u);
    for (std::size_t band = 0; band < calls.size(); ++band) {
        SCOPED_TRACE(band);
        EXPECT_EQ(calls[band].operation, "SendData");
        EXPECT_EQ(calls[band].port, "COM1");
        ASSERT_EQ(calls[band].bytes.size(), 133u);
        EXPECT_EQ(Hex(calls[band].bytes.substr(0, 5)), "1B 2A 00 80 00");
        const auto reference = ReferenceColumns(100, 50, PatternDot, 128, int(band), 1);
        EXPECT_EQ(calls[band].bytes.substr(5), std::string(reference.begin(), reference.end()));
    }
    EXPECT_TRUE(harness.messages.shown.empty());
}

TEST_F(BitmapButtons, AFailedFirstSendStopsSilently) {
    harness.ports.sendResult = [](const PortName&, int) { return 0; };
    for (int id : {ctl::NvLogo, ctl::RasterGraphics}) {
        harness.ports.Clear();
        Open("example.bmp", id);
        EXPECT_EQ(harness.ports.Calls("SendData").size(), 1u) << id;
    }
    EXPECT_TRUE(harness.messages.shown.empty());
}

// Letters in box 1023 make every fetch of the port name show a prompt: a cancelled dialog
// fetches nothing and sends nothing; a chosen file fetches it before the file is read.
TEST_F(BitmapButtons, FetchesThePortNameOnlyAfterAFileIsChosenAndBeforeReadingIt) {
    static_cast<QLineEdit*>(harness.dialog->Control(ctl::Copies))->setText("abc");
    std::vector<std::size_t> dialogsBeforeEachBox;
    harness.messages.onShow = [&](const RecordingMessages::Shown&) {
        dialogsBeforeEachBox.push_back(harness.files.filtersAsked.size());
    };
    for (int id : {ctl::NvLogo, ctl::RasterGraphics}) {
        Open("", id);
        Open("missing.bmp", id);
    }
    ASSERT_EQ(harness.messages.shown.size(), 4u);
    for (std::size_t i : {1, 3}) {  // each after the fetch's prompt
        EXPECT_EQ(harness.messages.shown[i - 1].icon, MessageIcon::Exclamation);
        EXPECT_EQ(harness.messages.shown[i].text, QString::fromUtf8("打开文件失败!"));
        EXPECT_EQ(harness.messages.shown[i].icon, MessageIcon::Information);
    }
    EXPECT_EQ(dialogsBeforeEachBox, (std::vector<std::size_t>{2, 2, 4, 4}));
    EXPECT_TRUE(harness.ports.Calls("SendData").empty());
}

TEST_F(BitmapButtons, RefusesUnusableFilesWithAMessageAndSendsNothing) {
    harness.WriteFile("truncated.bmp", BmpHeaders(64, 16, 1, 128) + std::string(20, '\0'));
    harness.WriteFile("top-down.bmp", BmpHeaders(8, -8, 1, 32) + std::string(40, '\0'));
    harness.WriteFile("huge.bmp", BmpHeaders(0x7FFFFFFF, 0x7FFF, 32, 0));
    std::vector<QString> texts;
    for (const char* name : {"truncated.bmp", "top-down.bmp", "huge.bmp"}) {
        for (int id : {ctl::NvLogo, ctl::RasterGraphics}) Open(name, id);
    }
    for (const auto& shown : harness.messages.shown) {
        texts.push_back(shown.text);
        EXPECT_EQ(shown.icon, MessageIcon::Information);
    }
    const QString incomplete = QString::fromUtf8("BMP文件不完整!");
    const QString topDown = QString::fromUtf8("不支持自上而下存储的BMP文件!");
    const QString tooLarge = QString::fromUtf8("BMP图像过大,打印机无法接受!");
    EXPECT_EQ(texts,
              (std::vector<QString>{incomplete, incomplete, topDown, topDown, tooLarge, tooLarge}));
    EXPECT_TRUE(harness.ports.Calls("SendData").empty());
}

}  // namespace
}  // namespace quillora::test
