#include "commands/StatusDecoding.h"

#include <gtest/gtest.h>

namespace quillora {
namespace {

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

TEST(StatusDecoding, NearEndIsBitTwoOrThree) {
    for (std::uint8_t reply : {0x0C, 0x04, 0x08, 0xFF}) {
        EXPECT_EQ(NearEndText(reply), Text("纸将尽")) << int(reply);
    }
    for (std::uint8_t reply : {0x12, 0x73, 0x00, 0xF3}) {
        EXPECT_EQ(NearEndText(reply), Text("纸ok")) << int(reply);
    }
}

TEST(StatusDecoding, PaperTakenKnowsTwoRepliesAndNamesAnyOther) {
    EXPECT_EQ(PaperTakenText(0x32), Text("无纸!"));
    EXPECT_EQ(PaperTakenText(0x12), Text("有纸!"));
    EXPECT_EQ(PaperTakenText(0x9A), Text("返回数据不正确:0x9a"));
    EXPECT_EQ(PaperTakenText(0x05), Text("返回数据不正确:0x5"));
    // A zero byte is still named by its digit.
    EXPECT_EQ(PaperTakenText(0x00), Text("返回数据不正确:0x0"));
}

TEST(StatusDecoding, SerialStatusFillsFiveFields) {
    EXPECT_EQ(SerialStatusText(0x12, 0x12), Text("返回值:0x12,0x12,盖关好,有纸,"));
    EXPECT_EQ(SerialStatusText(0x36, 0x1E), Text("返回值:0x36,0x1e,盖打开,缺纸,纸将尽"));
    EXPECT_EQ(SerialStatusText(0x04, 0x08), Text("返回值:0x4,0x8,盖打开,有纸,纸将尽"));
    EXPECT_EQ(SerialStatusText(0x20, 0x00), Text("返回值:0x20,0x0,盖关好,缺纸,"));
}

TEST(StatusDecoding, FailureTexts) {
    EXPECT_EQ(SerialOnlyText(), Text("目前仅支持串口打印机!"));
    EXPECT_EQ(ReadFailedText(), Text("读取数据失败!"));
    EXPECT_EQ(ReadReplyFailedText(), Text("读取返回数据失败!"));
}

}  // namespace
}  // namespace quillora
