// Buttons 1014 (NV logo) and 1020 (raster graphics) clicked in the real window.
#include <gtest/gtest.h>

#include <algorithm>

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "BmpFiles.h"
#include "app/ControlTable.h"
#include "support/DialogHarness.h"
#include "support/HexBytes.h"

namespace quillora::test {
namespace {

class BitmapButtons : public testing::Test {
protected:
    BitmapButtons() {
        harness.ports.comCount = 1;  // the list holds COM1 and IP; COM1 is selected
        harness.Create();
        harness.WriteFile("example.bmp", MonochromeBmp(100, 50, PatternDot));
    }
    void Open(const std::string& name, int id) {  // an empty name cancels the file dialog
        harness.files.answers.push_back(
            name.empty() ? std::nullopt
                         : std::optional(QString::fromStdString(harness.Path(name))));
        QTest::mouseClick(harness.dialog->Control(id), Qt::LeftButton);
    }

    DialogHarness harness;
};

TEST_F(BitmapButtons, SendTheExampleAsAnNvLogoAndAsRasterBandsEvenInDriverMode) {
    Open("example.bmp", ctl::NvLogo);
    EXPECT_EQ(harness.files.filtersAsked, std::vector<QString>{"BMP Files (*.bmp)|*.bmp||"});
    auto calls = harness.ports.Calls("SendData");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].port, "COM1");
    EXPECT_EQ(ToHex(calls[0].bytes.substr(0, 7)), "1C 71 01 10 00 07 00");
    EXPECT_EQ(calls[0].bytes.substr(7), ReferenceColumns(100, 50, PatternDot, 128, 0, 7));
    EXPECT_EQ(calls[1].port, "COM1");
    EXPECT_EQ(ToHex(calls[1].bytes), "1C 70 01 30");
    ASSERT_EQ(harness.messages.shown.size(), 1u);
    EXPECT_EQ(harness.messages.shown[0].text, QString::fromUtf8("下载NV图完成! "));
    EXPECT_EQ(harness.messages.shown[0].icon, MessageIcon::Exclamation);

    // Raster: one band per eight rows and nothing else, no message, whatever the mode.
    static_cast<QRadioButton*>(harness.dialog->Control(ctl::DriverMode))->setChecked(true);
    harness.ports.Clear();
    Open("example.bmp", ctl::RasterGraphics);
    calls = harness.ports.Calls();
    ASSERT_EQ(calls.size(), 9u);
    for (std::size_t band = 0; band < calls.size(); ++band) {
        SCOPED_TRACE(band);
        EXPECT_EQ(calls[band].operation, "SendData");
        EXPECT_EQ(calls[band].port, "COM1");
        EXPECT_EQ(ToHex(calls[band].bytes.substr(0, 5)), "1B 2A 00 80 00");
        const std::string data = calls[band].bytes.substr(5);
        EXPECT_EQ(data, ReferenceColumns(100, 50, PatternDot, 128, int(band), 1));
        // Spelled out: columns 100-127 are blank, band 6 holds only rows 48 and 49 (the
        // top two bits), bands 7 and 8 lie wholly below the picture.
        EXPECT_EQ(data.substr(100), std::string(28, '\0'));
        if (band == 6) {
            EXPECT_TRUE(std::ranges::all_of(data, [](char c) { return (c & 0x3F) == 0; }));
            EXPECT_TRUE(std::ranges::any_of(data, [](char c) { return c != 0; }));
        }
        if (band >= 7) {
            EXPECT_EQ(data, std::string(128, '\0'));
        }
    }
    EXPECT_EQ(harness.messages.shown.size(), 1u);
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
    const std::pair<std::string, const char*> files[] = {
        {BmpHeaders(64, 16, 1, 128) + std::string(20, '\0'), "BMP文件不完整!"},
        {BmpHeaders(8, -8, 1, 32) + std::string(40, '\0'), "不支持自上而下存储的BMP文件!"},
        {BmpHeaders(0x7FFFFFFF, 0x7FFF, 32, 0), "BMP图像过大,打印机无法接受!"}};
    for (const auto& [bytes, text] : files) {
        harness.WriteFile("bad.bmp", bytes);
        for (int id : {ctl::NvLogo, ctl::RasterGraphics}) {
            harness.messages.shown.clear();
            Open("bad.bmp", id);
            ASSERT_EQ(harness.messages.shown.size(), 1u) << text;
            EXPECT_EQ(harness.messages.shown[0].text, QString::fromUtf8(text));
            EXPECT_EQ(harness.messages.shown[0].icon, MessageIcon::Information);
        }
    }
    EXPECT_TRUE(harness.ports.Calls("SendData").empty());
}

}  // namespace
}  // namespace quillora::test
