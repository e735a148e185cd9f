#include <gtest/gtest.h>
#include <QApplication>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "checks/DataExchange.h"
#include "checks/SampleText.h"
#include "gui/FileDialogService.h"
#include "gui/SkinLayer.h"
#include "platform/CodePage936.h"
#include "platform/ProfileFile.h"
#include "port/ConnectionList.h"

namespace quillora {
namespace {

TEST(CodePage936, EncodesDecodesAndReplacesWhatItCannotHold) {
    EXPECT_EQ(ToGbk("纸将尽AB\r\n"), "\xD6\xBD\xBD\xAB\xBE\xA1\x41\x42\r\n");
    // An emoji (outside the BMP) and a Korean syllable have no GBK form: one '?' each.
    EXPECT_EQ(ToGbk("a\U0001F600b\uD55Cc"), "a?b?c");
    EXPECT_EQ(FromGbk("\xB4\xF2\xD3\xA1"), "打印");
    EXPECT_EQ(FromGbk("A\xFF"), "A\uFFFD");
}

TEST(CodePage936, KeepsTheTextAfterABrokenSequenceAndRoundTripsWhatGbkHolds) {
    // A lead byte without its continuation bytes, then one cut short by the end: one '?' each,
    // and the letters after them are kept.
    EXPECT_EQ(ToGbk("a\xE4"
                    "b\xE6\x89"),
              "a?b?");
    EXPECT_EQ(ToGbk("\x80x\xF8y"), "?x?y");
    const std::string text = "当前第1份,时间:9:05:03 ABC\r\n【测试】€";
    EXPECT_EQ(FromGbk(ToGbk(text)), text);
    EXPECT_EQ(ToGbk("€"), "\x80") << "Microsoft's euro sign";
}

TEST(DataExchange, IntegersWithSignAndBlanksOnlyAndDialogFilters) {
    EXPECT_EQ(ParseDialogInteger(" \t-7 \t"), -7);
    EXPECT_EQ(ParseDialogInteger("-2147483648"), INT32_MIN);
    for (const char* text : {"", "1 2", "12a", "0x10", "2147483648"})
        EXPECT_FALSE(ParseDialogInteger(text)) << text;
    EXPECT_EQ(ToQtFileFilter(QStringLiteral("Text|*.txt;*.log||")),
              QStringLiteral("Text (*.txt *.log)"));
}

// The text box keeps '\n'; the printer and "Print.txt" have CR LF. A lone CR stays as it is.
TEST(SampleText, LineBreaksBetweenTheBoxAndThePrinter) {
    EXPECT_EQ(ToWidgetLineBreaks("测\r\nA\rB\r\r\n"), "测\nA\rB\r\n");
    EXPECT_EQ(PrinterTextBytes("测\nA\rB"), "\xB2\xE2\r\nA\rB");
    EXPECT_EQ(ToCrLfLineBreaks(ToWidgetLineBreaks("a\r\n\r\nb")), "a\r\n\r\nb");
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(ProfileFile, ReadRulesWritesThatKeepOtherLinesAndAFailedWriteThatKeepsTheFile) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("Option.ini").toStdString();
    EXPECT_EQ(ReadProfileInt(path, "System", "Port", 7), 7);  // no file
    const IpOctets builtIn = ReadIpOctets(path);
    EXPECT_EQ(std::vector<int>(builtIn.begin(), builtIn.end()),
              (std::vector<int>{192, 168, 1, 10}));
    std::ofstream(path, std::ios::binary) << "[sYsTeM]\r\n  pOrT = 2\r\nH=\r\nC=+17x9\nD=abc\n";
    EXPECT_EQ(ReadProfileInt(path, "System", "Port", 0), 2);
    EXPECT_EQ(ReadProfileInt(path, "System", "H", 7), 7);  // empty value
    EXPECT_EQ(ReadProfileInt(path, "COM1", "Port", 9600), 9600);
    EXPECT_EQ(ReadProfileInt(path, "System", "c", 0), 17);
    EXPECT_EQ(ReadProfileInt(path, "System", "D", 5), 0);

    std::filesystem::remove(path);
    ASSERT_FALSE(WriteProfileInt(path, "System", "Port", -1));
    ASSERT_FALSE(WriteProfileInt(path, "COM1", "Baudrate", 9600));
    EXPECT_EQ(ReadAll(path), "[System]\r\nPort=-1\r\n\r\n[COM1]\r\nBaudrate=9600\r\n");

    std::ofstream(path, std::ios::binary) << "; notes\n[system]\nport=5\n\n[Other]\nx=y\n";
    ASSERT_FALSE(WriteProfileInt(path, "System", "Port", 2));
    ASSERT_FALSE(WriteProfileInt(path, "System", "Ip4", 10));
    EXPECT_EQ(ReadAll(path), "; notes\n[system]\nPort=2\nIp4=10\n\n[Other]\nx=y\n");
    EXPECT_TRUE(
        WriteProfileInt(dir.filePath("no/such/Option.ini").toStdString(), "System", "Port", 1));
}

TEST(SkinLayer, OnlyAReadableStyleSheetStylesTheApplication) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("XPCorona.ssk").toStdString();
    qApp->setStyleSheet(QString());
    ApplySkin(*qApp, path);  // missing
    std::ofstream(path, std::ios::binary) << std::string("SKN\0\x01\xFF", 6);
    ApplySkin(*qApp, path);  // binary, not UTF-8
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
    std::ofstream(path, std::ios::binary) << "QPushButton { color: #123456; }";
    ApplySkin(*qApp, path);
    EXPECT_EQ(qApp->styleSheet(), QStringLiteral("QPushButton { color: #123456; }"));
    qApp->setStyleSheet(QString());
}

}  // namespace
}  // namespace quillora
