// Buttons 1014 (NV logo download) and 1020 (raster graphics), clicked in the real window
// with a recording port driver and an answered file dialog.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "BmpFiles.h"
#include "TestBitmaps.h"
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

    void Click(int id) { QTest::mouseClick(harness.dialog->Control(id), Qt::LeftButton); }
    void Choose(const std::string& name) {
        harness.files.answers.push_back(QString::fromStdString(harness.Path(name)));
    }
    // Letters in box 1023 make every pull of the fields show a prompt: a prompt shows that
    // the port name was fetched.
    void BreakCopyCount() {
        static_cast<QLineEdit*>(harness.dialog->Control(ctl::Copies))->setText("abc");
    }
    std::vector<QString> MessageTexts() const {
        std::vector<QString> texts;
        for (const auto& shown : harness.messages.shown) texts.push_back(shown.text);
        return texts;
    }

    DialogHarness harness;
};

TEST_F(BitmapButtons, NvLogoSendsTheDefinitionThenThePrintCommandAndReports) {
    Choose("example.bmp");
    Click(ctl::NvLogo);

    EXPECT_EQ(harness.files.filtersAsked, std::vector<QString>{"BMP Files (*.bmp)|*.bmp||"});
    const auto calls = harness.ports.Calls("SendData");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].port, "COM1");
    ASSERT_EQ(calls[0].bytes.size(), 903u);
    EXPECT_EQ(Hex(calls[0].bytes.substr(0, 7)), "1C 71 01 10 00 07 00");
    const auto reference = ReferenceNvLogoData(100, 50, PatternDot, 16, 7);
    EXPECT_EQ(calls[0].bytes.substr(7), std::string(reference.begin(), reference.end()));
    EXPECT_EQ(calls[1].port, "COM1");
    EXPECT_EQ(Hex(calls[1].bytes), "1C 70 01 30");
    ASSERT_EQ(harness.messages.shown.size(), 1u);
    EXPECT_EQ(harness.messages.shown[0].text, QString::fromUtf8("下载NV图完成! "));
    EXPECT_EQ(harness.messages.shown[0].icon, MessageIcon::Exclamation);
}

TEST_F(BitmapButtons, NvLogoStopsSilentlyWhenASendFails) {
    Choose("example.bmp");
    harness.ports.sendResult = [](const PortName&, int) { return 0; };
    Click(ctl::NvLogo);
    EXPECT_EQ(harness.ports.Calls("SendData").size(), 1u);
    EXPECT_TRUE(harness.messages.shown.empty());

    // The definition taken but the print command refused: still no message.
    harness.ports.Clear();
    Choose("example.bmp");
    harness.ports.sendResult = [](const PortName&, int length) { return length == 4 ? 0 : length; };
    Click(ctl::NvLogo);
    EXPECT_EQ(harness.ports.Calls("SendData").size(), 2u);
    EXPECT_TRUE(harness.messages.shown.empty());
}

TEST_F(BitmapButtons, RasterSendsOneBandPerEightRowsAndNothingElse) {
    static_cast<QRadioButton*>(harness.dialog->Control(ctl::DriverMode))->setChecked(true);
    harness.ports.Clear();
    Choose("example.bmp");
    Click(ctl::RasterGraphics);

    const auto calls = harness.ports.Calls();
    ASSERT_EQ(calls.size(), 9u);
    for (std::size_t band = 0; band < calls.size(); ++band) {
        SCOPED_TRACE(band);
        EXPECT_EQ(calls[band].operation, "SendData");
        EXPECT_EQ(calls[band].port, "COM1");
        ASSERT_EQ(calls[band].bytes.size(), 133u);
        EXPECT_EQ(Hex(calls[band].bytes.substr(0, 5)), "1B 2A 00 80 00");
        const auto reference = ReferenceRasterBandData(100, 50, PatternDot, 128, int(band));
        EXPECT_EQ(calls[band].bytes.substr(5), std::string(reference.begin(), reference.end()));
    }
    EXPECT_TRUE(harness.messages.shown.empty());
}

TEST_F(BitmapButtons, RasterStopsAtTheFirstRefusedBand) {
    int sends = 0;
    harness.ports.sendResult = [&sends](const PortName&, int length) {
        return ++sends == 4 ? 0 : length;
    };
    Choose("example.bmp");
    Click(ctl::RasterGraphics);
    EXPECT_EQ(harness.ports.Calls("SendData").size(), 4u);

    harness.ports.Clear();
    harness.ports.sendResult = [](const PortName&, int) { return 0; };
    Choose("example.bmp");
    Click(ctl::RasterGraphics);
    EXPECT_EQ(harness.ports.Calls("SendData").size(), 1u);
    EXPECT_TRUE(harness.messages.shown.empty());
}

TEST_F(BitmapButtons, ACancelledDialogSendsNothingAndFetchesNoPortName) {
    BreakCopyCount();
    for (int id : {ctl::NvLogo, ctl::RasterGraphics}) {
        harness.files.answers.push_back(std::nullopt);
        Click(id);
    }
    EXPECT_EQ(harness.files.filtersAsked.size(), 2u);
    EXPECT_TRUE(harness.ports.Calls("SendData").empty());
    EXPECT_TRUE(harness.messages.shown.empty());
}

TEST_F(BitmapButtons, FetchesThePortNameAfterTheChoiceAndBeforeReading) {
    BreakCopyCount();
    std::vector<std::size_t> dialogsBeforeEachBox;
    harness.messages.onShow = [this, &dialogsBeforeEachBox](const RecordingMessages::Shown&) {
        dialogsBeforeEachBox.push_back(harness.files.filtersAsked.size());
    };
    for (int id : {ctl::NvLogo, ctl::RasterGraphics}) {
        Choose("missing.bmp");
        Click(id);
    }
    const QString openFailed = QString::fromUtf8("打开文件失败!");
    ASSERT_EQ(harness.messages.shown.size(), 4u);
    EXPECT_EQ(harness.messages.shown[0].icon, MessageIcon::Exclamation);  // the pull's prompt
    EXPECT_EQ(harness.messages.shown[1].text, openFailed);
    EXPECT_EQ(harness.messages.shown[1].icon, MessageIcon::Information);
    EXPECT_EQ(harness.messages.shown[2].icon, MessageIcon::Exclamation);
    EXPECT_EQ(harness.messages.shown[3].text, openFailed);
    EXPECT_EQ(dialogsBeforeEachBox, (std::vector<std::size_t>{1, 1, 2, 2}));
    EXPECT_TRUE(harness.ports.Calls("SendData").empty());
}

TEST_F(BitmapButtons, RefusesUnusableFilesWithAMessageAndSendsNothing) {
    harness.WriteFile("truncated.bmp", BmpHeaders(64, 16, 1, 128) + std::string(20, '\0'));
    harness.WriteFile("top-down.bmp", BmpHeaders(8, -8, 1, 32) + std::string(40, '\0'));
    harness.WriteFile("huge.bmp", BmpHeaders(0x7FFFFFFF, 0x7FFF, 32, 0));
    for (const char* name : {"truncated.bmp", "top-down.bmp", "huge.bmp"}) {
        for (int id : {ctl::NvLogo, ctl::RasterGraphics}) {
            Choose(name);
            Click(id);
        }
    }
    const QString incomplete = QString::fromUtf8("BMP文件不完整!");
    const QString topDown = QString::fromUtf8("不支持自上而下存储的BMP文件!");
    const QString tooLarge = QString::fromUtf8("BMP图像过大,打印机无法接受!");
    EXPECT_EQ(MessageTexts(),
              (std::vector<QString>{incomplete, incomplete, topDown, topDown, tooLarge, tooLarge}));
    for (const auto& shown : harness.messages.shown)
        EXPECT_EQ(shown.icon, MessageIcon::Information);
    EXPECT_TRUE(harness.ports.Calls("SendData").empty());
}

}  // namespace
}  // namespace quillora::test
