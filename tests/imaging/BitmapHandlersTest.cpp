// Buttons 1014 (NV logo) and 1020 (raster graphics) clicked in the real window.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "BmpFiles.h"
#include "gui/ControlTable.h"
#include "support/DialogHarness.h"
#include "support/ExpectedCommandBytes.h"
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
    EXPECT_EQ(ToHex(calls[0].bytes.substr(0, 7)), "1C 71 01 10 00 07 00");
    EXPECT_EQ(calls[0].bytes.substr(7), ReferenceColumns(100, 50, PatternDot, 128, 0, 7));
    EXPECT_EQ(ToHex(calls[1].bytes), kPrintNvLogoHex);
    ASSERT_EQ(harness.messages.shown.size(), 1u);
    EXPECT_EQ(harness.messages.shown[0].text, QString::fromUtf8("下载NV图完成! "));
    EXPECT_EQ(harness.messages.shown[0].icon, MessageIcon::Exclamation);

    // Raster: one band per eight rows (the last two below the picture) and nothing else, no
    // message, whatever the mode.
    static_cast<QRadioButton*>(harness.dialog->Control(ctl::DriverMode))->setChecked(true);
    harness.ports.Clear();
    Open("example.bmp", ctl::RasterGraphics);
    calls = harness.ports.Calls();
    ASSERT_EQ(calls.size(), 9u);
    for (std::size_t band = 0; band < calls.size(); ++band) {
        EXPECT_EQ(calls[band].operation, "SendData");
        EXPECT_EQ(calls[band].port, "COM1");
        EXPECT_EQ(ToHex(calls[band].bytes.substr(0, 5)), "1B 2A 00 80 00");
        EXPECT_EQ(calls[band].bytes.substr(5),
                  ReferenceColumns(100, 50, PatternDot, 128, int(band), 1))
            << band;
    }
    EXPECT_EQ(harness.messages.shown.size(), 1u);
}

// Widths and heights across the byte, group and band edges and past both limits (576 dots
// across, 904 rows for the logo), against a reference built dot by dot.
TEST_F(BitmapButtons, SendThePixelReferenceAtAwkwardSizes) {
    for (const auto& [width, height] : {std::pair{1, 1}, {33, 9}, {64, 25}, {577, 905}}) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        harness.WriteFile("odd.bmp", MonochromeBmp(width, height, PatternDot));
        harness.ports.Clear();
        Open("odd.bmp", ctl::NvLogo);
        Open("odd.bmp", ctl::RasterGraphics);
        const std::vector<std::string> sent = harness.ports.SentBlocks();
        const std::vector<std::string> bands = ExpectedRasterBands(width, height, PatternDot);
        ASSERT_EQ(sent.size(), 2 + bands.size());
        EXPECT_EQ(sent[0], ExpectedNvLogoDefinition(width, height, PatternDot));
        EXPECT_EQ(ToHex(sent[1]), kPrintNvLogoHex);
        for (std::size_t band = 0; band < bands.size(); ++band) {
            EXPECT_EQ(sent[2 + band], bands[band]) << band;
        }
    }
}

// The fuzz seeds hold unusable files of every refusal, the size bounds included.
TEST_F(BitmapButtons, PrintsOrRefusesEverySeedOfTheFuzzCorpus) {
    for (const SeedBmp& seed : SeedCorpus()) {
        SCOPED_TRACE(seed.name);
        harness.WriteFile(seed.name, seed.bytes);
        harness.messages.shown.clear();
        harness.ports.Clear();
        Open(seed.name, ctl::RasterGraphics);
        EXPECT_EQ(harness.ports.Calls("SendData").empty(), seed.refusal != nullptr);
        if (!seed.refusal) continue;
        ASSERT_EQ(harness.messages.shown.size(), 1u);
        EXPECT_EQ(harness.messages.shown[0].text, QString::fromUtf8(seed.refusal));
        EXPECT_EQ(harness.messages.shown[0].icon, MessageIcon::Information);
    }
}

TEST_F(BitmapButtons, AFailedFirstSendStopsAndSaysHowMuchOfTheTestWentOut) {
    harness.ports.sendResult = [](const PortName&, int) { return 0; };
    for (int id : {ctl::NvLogo, ctl::RasterGraphics}) {
        harness.ports.Clear();
        Open("example.bmp", id);
        EXPECT_EQ(harness.ports.Calls("SendData").size(), 1u) << id;
    }
    // 903 + 4 bytes of the logo; nine bands of 5 + 128 bytes of the raster picture.
    ASSERT_EQ(harness.messages.shown.size(), 2u);
    EXPECT_EQ(harness.messages.shown[0].text,
              QString::fromUtf8("“下载位图打印”的数据没有全部发送到 COM1,已发送字节:0/907。"));
    EXPECT_EQ(harness.messages.shown[1].text,
              QString::fromUtf8("“图形打印”的数据没有全部发送到 COM1,已发送字节:0/1197。"));
    EXPECT_EQ(harness.messages.shown[1].icon, MessageIcon::Exclamation);
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

}  // namespace
}  // namespace quillora::test
